#include "script/builtins/EvalFunction.h"

#include "script/engine/GlobalObjectBase.h"
#include "script/engine/Program.h"
#include "script/engine/ScriptExceptions.h"
#include "script/engine/ScriptParser.h"

namespace EcmaScript {

XValue Eval(CExecutionContext& context, CValue* x) {
  if (x->GetType() != CValue::StringType) return XValue(x);
  // Eval code that calls eval nests parsers and programs on the stack: every
  // level counts against the depth limit.
  CDepthGuard guard(context.GetGlobalObject(), nullptr);
  XProgram program;
  {
    EcmaScriptPrivate::CScriptParser parser;
    parser.SetEvalCode();
    program = parser.ParseEvalCode(x->GetString());
    if (parser.HadErrors()) throw CRuntimeError(CRuntimeError::EvalSyntaxError, x);
  }
  CExecutionContext evalContext;
  evalContext.EnterEvalCode(context, program.Get());
  CCompletion completion = program->Execute(evalContext);
  if (completion.type == CCompletion::Normal && completion.value) return completion.value;
  return MakeUndefined();
}

} // namespace EcmaScript
