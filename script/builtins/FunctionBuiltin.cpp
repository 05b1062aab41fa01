#include "script/builtins/FunctionBuiltin.h"

#include "script/builtins/GlobalObject.h"
#include "script/builtins/ScriptFunction.h"
#include "script/engine/Conversions.h"
#include "script/engine/ScriptExceptions.h"
#include "script/engine/ScriptParser.h"

namespace EcmaScript {

CFunctionObject::~CFunctionObject() { ReleaseLater(m_definition); }

void CFunctionPrototype::Populate() {
  CGlobalObjectBase* global = GetGlobalObject();
  DefineNumberProperty(u"length", CScriptNumber(0), ReadOnly | DontEnum | DontDelete);
  DefineObjectProperty(u"constructor", global->GetFunctionConstructor(), DontEnum);
  DefineMethod(u"toString", MethodToString, 0, DontEnum);
}

XValue CFunctionPrototype::Call(CExecutionContext&, CScriptObject*, const CArgumentList&) { return MakeUndefined(); }

XValue CFunctionPrototype::CallMethod(CExecutionContext& context, int32_t, CScriptObject* thisObject,
                                      const CArgumentList&) {
  return ToString(context, thisObject);
}

XValue CFunctionPrototype::ToString(CExecutionContext& context, CScriptObject* thisObject) {
  if (!thisObject) thisObject = context.GetGlobalObject();
  if (auto* function = dynamic_cast<CFunctionObject*>(thisObject)) {
    if (CFunctionDefinition* definition = function->GetDefinition()) return MakeString(definition->GetSourceText());
  }
  if (thisObject->GetClassName() != u"Function") {
    throw CRuntimeError(CRuntimeError::FunctionToStringNotFunction, thisObject);
  }
  return MakeString(u"function anonymous() { }");
}

void CFunctionConstructor::Populate() { DefineLengthAndPrototype(1, GetGlobalObject()->GetFunctionPrototype()); }

XValue CFunctionConstructor::Construct(CExecutionContext& context, const CArgumentList& arguments) {
  return CreateFunction(context, arguments);
}

XValue CFunctionConstructor::Call(CExecutionContext& context, CScriptObject*, const CArgumentList& arguments) {
  return CreateFunction(context, arguments);
}

XValue CFunctionConstructor::CreateFunction(CExecutionContext& context, const CArgumentList& arguments) {
  int32_t n = arguments.GetSize();
  Core::String parameters;
  Core::String body;
  for (int32_t i = 0; i < n; ++i) {
    if (i == n - 1) {
      body = ToString(context, arguments[i].Get());
    } else {
      if (i > 0) parameters += u',';
      AppendString(context, arguments[i].Get(), parameters);
    }
  }
  XFunctionDefinition definition(new CFunctionDefinition(CPropertyName(u"anonymous")));
  {
    EcmaScriptPrivate::CScriptParser parser;
    parser.ParseFormalParameters(parameters, definition.Get());
    if (parser.HadErrors()) {
      throw CRuntimeError(CRuntimeError::InvalidFormalParameters, MakeString(std::move(parameters)).Get());
    }
    parser.ParseFunctionBody(body, definition.Get());
    if (parser.HadErrors()) throw CRuntimeError(CRuntimeError::InvalidFunctionBody, MakeString(std::move(body)).Get());
  }
  XObject function(new CScriptFunction(GetGlobalObject(), definition.Get()));
  return MakeObject(function.Get());
}

namespace {

XObject CreatePrototype(CGlobalObject& global) { return XObject(new CFunctionPrototype(&global)); }
XObject CreateConstructor(CGlobalObject& global) { return XObject(new CFunctionConstructor(&global)); }
void PopulatePrototype(CGlobalObject&, CScriptObject& object) { static_cast<CFunctionPrototype&>(object).Populate(); }
void PopulateConstructor(CGlobalObject&, CScriptObject& object) {
  static_cast<CFunctionConstructor&>(object).Populate();
}

} // namespace

const CBuiltinKit& GetFunctionKit() {
  static const CBuiltinKit kit{CreatePrototype, CreateConstructor, PopulatePrototype, PopulateConstructor};
  return kit;
}

} // namespace EcmaScript
