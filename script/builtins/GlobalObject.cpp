#include "script/builtins/GlobalObject.h"

#include "script/builtins/BooleanObject.h"
#include "script/builtins/BuiltinMethod.h"
#include "script/builtins/FunctionBuiltin.h"
#include "script/builtins/NumberObject.h"
#include "script/builtins/ObjectBuiltin.h"
#include "script/builtins/ScriptFunction.h"
#include "script/builtins/StringObject.h"
#include "script/engine/Conversions.h"

namespace EcmaScript {

namespace {

// The kits of the eight built-ins, in slot order; null for a built-in not
// made yet.
const CBuiltinKit* const* GetKits() {
  static const CBuiltinKit* const kits[CGlobalObject::BuiltinCount] = {
      &GetObjectKit(),  // Object
      &GetFunctionKit(),  // Function
      nullptr,  // Array
      nullptr,  // String
      nullptr,  // Boolean
      nullptr,  // Number
      nullptr,  // Date
      nullptr,  // RegExp
  };
  return kits;
}

const char16_t* const kBuiltinNames[CGlobalObject::BuiltinCount] = {u"Object", u"Function", u"Array", u"String",
                                                                    u"Boolean", u"Number", u"Date", u"RegExp"};

// The global functions by method number; a null routine leaves the
// function unregistered.
struct CGlobalFunction {
  const char16_t* name;
  int32_t length;
  GlobalFunctionRoutine routine;
};

const CGlobalFunction kGlobalFunctions[CGlobalObject::MethodCount] = {
    {u"eval", 1, nullptr},
    {u"parseInt", 2, nullptr},
    {u"parseFloat", 1, nullptr},
    {u"escape", 1, nullptr},
    {u"unescape", 1, nullptr},
    {u"isNaN", 1, nullptr},
    {u"isFinite", 1, nullptr},
    {u"print", 1, &CGlobalObject::Print},
};

// Makes the Math object, or null while there is none.
XObject (*const kCreateMath)(CGlobalObject& global) = nullptr;

} // namespace

CGlobalObject::CGlobalObject(CScriptEngine* engine) : m_engine(engine) {}

CGlobalObject::~CGlobalObject() {
  Clear();
  m_clearList = Core::XArray<XObject>();
  for (int32_t i = BuiltinCount - 1; i >= 0; --i) m_prototypes[i] = nullptr;
  for (int32_t i = BuiltinCount - 1; i >= 0; --i) m_constructors[i] = nullptr;
}

void CGlobalObject::Populate() {
  BecomeOwnGlobalObject();
  const CBuiltinKit* const* kits = GetKits();
  for (int32_t i = 0; i < BuiltinCount; ++i) {
    if (kits[i]) m_prototypes[i] = kits[i]->createPrototype(*this);
  }
  for (int32_t i = 0; i < BuiltinCount; ++i) {
    if (kits[i]) m_constructors[i] = kits[i]->createConstructor(*this);
  }
  for (int32_t i = 0; i < BuiltinCount; ++i) {
    if (kits[i]) kits[i]->populatePrototype(*this, *m_prototypes[i]);
  }
  for (int32_t i = 0; i < BuiltinCount; ++i) {
    if (kits[i]) kits[i]->populateConstructor(*this, *m_constructors[i]);
  }
  for (int32_t i = 0; i < BuiltinCount; ++i) {
    if (m_prototypes[i]) AddToClearList(m_prototypes[i].Get());
  }
  DefineNumberProperty(u"NaN", CScriptNumber::NaN, DontEnum);
  DefineNumberProperty(u"Infinity", CScriptNumber::PositiveInfinity, DontEnum);
  for (int32_t i = 0; i < MethodCount; ++i) {
    if (kGlobalFunctions[i].routine) DefineMethod(kGlobalFunctions[i].name, i, kGlobalFunctions[i].length, DontEnum);
  }
  for (int32_t i = 0; i < BuiltinCount; ++i) {
    if (m_constructors[i]) DefineObjectProperty(kBuiltinNames[i], m_constructors[i].Get(), DontEnum);
  }
  if (kCreateMath) {
    XObject math = kCreateMath(*this);
    DefineObjectProperty(u"Math", math.Get(), DontEnum);
  }
}

void CGlobalObject::Clear() {
  for (XObject& object : m_clearList) object->Clear();
  m_clearList = Core::XArray<XObject>();
  ClearLiveObjects();
  CScriptObject::Clear();
}

XObject CGlobalObject::CreateBooleanObject(bool value) { return XObject(new CBooleanObject(this, value)); }
XObject CGlobalObject::CreateNumberObject(CScriptNumber value) { return XObject(new CNumberObject(this, value)); }
XObject CGlobalObject::CreateStringObject(const Core::String& value) {
  return XObject(new CStringObject(this, value));
}
XObject CGlobalObject::CreateBuiltinMethod(CScriptObject* owner, int32_t methodNumber, int32_t length) {
  return XObject(new CBuiltinMethod(this, owner, methodNumber, length));
}
XObject CGlobalObject::CreateScriptFunction(CFunctionDefinition* definition) {
  return XObject(new CScriptFunction(this, definition));
}

XValue CGlobalObject::CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                                 const CArgumentList& arguments) {
  if (methodNumber < 0 || methodNumber >= MethodCount || !kGlobalFunctions[methodNumber].routine) {
    return MakeUndefined();
  }
  return kGlobalFunctions[methodNumber].routine(context, *this, thisObject, arguments);
}

IPrintSink* CGlobalObject::GetPrintSink() {
  if (!m_printSink) m_printSink = new CStandardOutputSink;
  return m_printSink.Get();
}

XValue CGlobalObject::Print(CExecutionContext& context, CGlobalObject& global, CScriptObject*,
                            const CArgumentList& arguments) {
  XValue value = GetArgument(arguments, 0);
  XValue text = ToStringValue(context, value.Get());
  global.GetPrintSink()->PrintLine(text->GetString());
  return MakeUndefined();
}

} // namespace EcmaScript
