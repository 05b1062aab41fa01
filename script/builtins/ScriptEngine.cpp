#include "script/builtins/ScriptEngine.h"

#include "script/engine/ExecutionContext.h"
#include "script/engine/Program.h"
#include "script/engine/ScriptExceptions.h"
#include "script/engine/ScriptParser.h"

namespace EcmaScript {

CScriptEngine::CScriptEngine() : m_global(new CGlobalObject(this)) { m_global->Populate(); }

CScriptEngine::~CScriptEngine() { Shutdown(); }

CCompletion CScriptEngine::Execute(Core::IUnicodeStream* source) {
  XProgram program;
  {
    EcmaScriptPrivate::CScriptParser parser;
    parser.SetErrorHandler(m_handler.Get());
    parser.SetProgramName(m_programName);
    parser.SetFirstLine(m_firstLine);
    program = parser.ParseProgram(source);
    if (parser.HadErrors()) throw CParseError(m_programName);
  }
  CExecutionContext context;
  context.EnterGlobalCode(m_global.Get(), program.Get());
  return program->Execute(context);
}

void CScriptEngine::Shutdown() {
  if (m_global) {
    m_global->Clear();
    m_global = nullptr;
  }
  m_handler = nullptr;
}

} // namespace EcmaScript
