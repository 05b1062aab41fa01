#pragma once
// The one object through which the rest of the system runs script code. It
// owns the global object (and through it every built-in), holds the handler
// of syntax errors, and parses and runs one program per Execute, all as
// global code of the same global object: what one program declares, later
// ones see.
#include <cstdint>

#include "core/Interface.h"
#include "core/Stream.h"
#include "core/String.h"
#include "script/builtins/GlobalObject.h"
#include "script/engine/ParseErrorHandler.h"
#include "script/engine/ParseTree.h"

namespace EcmaScript {

class CScriptEngine : public Core::CInterface {
public:
  // Creates and populates the global object.
  CScriptEngine();
  ~CScriptEngine() override;
  CScriptEngine(const CScriptEngine&) = delete;
  CScriptEngine& operator=(const CScriptEngine&) = delete;

  void SetErrorHandler(IParseErrorHandler* handler) { m_handler = handler; }
  // The name under which the next programs are reported, and the number
  // their first line carries; both stay until set again.
  void SetProgramName(Core::String name) { m_programName = std::move(name); }
  void SetFirstLine(int32_t line) { m_firstLine = line; }
  const Core::String& GetProgramName() const { return m_programName; }

  // No use added; null after Shutdown.
  CGlobalObject* GetGlobalObject() const { return m_global.Get(); }

  // Parses the whole source and runs it. Syntax errors go to the handler
  // one by one and then end Execute as CParseError, with nothing run; a
  // failure while the program runs leaves as CEcmaScriptException.
  CCompletion Execute(Core::IUnicodeStream* source);

  // Breaks the reference cycles of every script object and drops the
  // handler; nothing runs after it.
  void Shutdown();

private:
  Core::XInterface<CGlobalObject> m_global;
  Core::XInterface<IParseErrorHandler> m_handler;
  Core::String m_programName;
  int32_t m_firstLine = 1;
};

} // namespace EcmaScript
