#include "script/builtins/GlobalObject.h"

#include "script/builtins/ArrayBuiltin.h"
#include "script/builtins/BooleanBuiltin.h"
#include "script/builtins/BooleanObject.h"
#include "script/builtins/BuiltinMethod.h"
#include "script/builtins/EvalFunction.h"
#include "script/builtins/FunctionBuiltin.h"
#include "script/builtins/GlobalFunctions.h"
#include "script/builtins/MathObject.h"
#include "script/builtins/NumberObject.h"
#include "script/builtins/ObjectBuiltin.h"
#include "script/builtins/NumberBuiltin.h"
#include "script/builtins/ScriptFunction.h"
#include "script/builtins/StringBuiltin.h"
#include "script/builtins/StringObject.h"
#include "script/builtins/date/DateConstructor.h"
#include "script/builtins/date/DatePrototype.h"
#include "script/builtins/regexp/RegExpConstructor.h"
#include "script/builtins/regexp/RegExpPrototype.h"
#include "script/engine/Conversions.h"

namespace EcmaScript {

namespace {

// The kit of a built-in whose prototype and constructor classes are made
// from the global object alone and populate themselves.
template <class Prototype, class Constructor>
const CBuiltinKit& KitOf() {
  static const CBuiltinKit kit{
      [](CGlobalObject& global) { return XObject(new Prototype(&global)); },
      [](CGlobalObject& global) { return XObject(new Constructor(&global)); },
      [](CGlobalObject&, CScriptObject& object) { static_cast<Prototype&>(object).Populate(); },
      [](CGlobalObject&, CScriptObject& object) { static_cast<Constructor&>(object).Populate(); },
  };
  return kit;
}

// The kits of the eight built-ins, in slot order.
const CBuiltinKit* const* GetKits() {
  static const CBuiltinKit* const kits[CGlobalObject::BuiltinCount] = {
      &GetObjectKit(),  // Object
      &GetFunctionKit(),  // Function
      &KitOf<CArrayPrototype, CArrayConstructor>(),  // Array
      &KitOf<CStringPrototype, CStringConstructor>(),  // String
      &KitOf<CBooleanPrototype, CBooleanConstructor>(),  // Boolean
      &KitOf<CNumberPrototype, CNumberConstructor>(),  // Number
      &KitOf<CDatePrototype, CDateConstructor>(),  // Date
      &KitOf<CRegExpPrototype, CRegExpConstructor>(),  // RegExp
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

// A routine of one argument as a global function routine.
template <XValue (*Routine)(CExecutionContext&, CValue*)>
XValue OneArgument(CExecutionContext& context, CGlobalObject&, CScriptObject*, const CArgumentList& arguments) {
  XValue x = GetArgument(arguments, 0);
  return Routine(context, x.Get());
}

XValue ParseIntRoutine(CExecutionContext& context, CGlobalObject&, CScriptObject*, const CArgumentList& arguments) {
  XValue string = GetArgument(arguments, 0);
  XValue radix = GetArgument(arguments, 1);
  return ParseInt(context, string.Get(), radix.Get());
}

const CGlobalFunction kGlobalFunctions[CGlobalObject::MethodCount] = {
    {u"eval", 1, &OneArgument<Eval>},
    {u"parseInt", 2, &ParseIntRoutine},
    {u"parseFloat", 1, &OneArgument<ParseFloat>},
    {u"escape", 1, &OneArgument<Escape>},
    {u"unescape", 1, &OneArgument<Unescape>},
    {u"isNaN", 1, &OneArgument<IsNaN>},
    {u"isFinite", 1, &OneArgument<IsFinite>},
    {u"print", 1, &CGlobalObject::Print},
};

} // namespace

CGlobalObject::CGlobalObject(CScriptEngine* engine) : m_engine(engine) {}

CGlobalObject::~CGlobalObject() {
  Clear();
  m_clearList = Core::XArray<XObject>();
  for (int32_t i = BuiltinCount - 1; i >= 0; --i) m_prototypes[i] = nullptr;
  for (int32_t i = BuiltinCount - 1; i >= 0; --i) m_constructors[i] = nullptr;
  m_math = nullptr;
}

void CGlobalObject::Populate() {
  BecomeOwnGlobalObject();
  const CBuiltinKit* const* kits = GetKits();
  for (int32_t i = 0; i < BuiltinCount; ++i) {
    m_prototypes[i] = kits[i]->createPrototype(*this);
  }
  for (int32_t i = 0; i < BuiltinCount; ++i) {
    m_constructors[i] = kits[i]->createConstructor(*this);
  }
  for (int32_t i = 0; i < BuiltinCount; ++i) {
    kits[i]->populatePrototype(*this, *m_prototypes[i]);
  }
  for (int32_t i = 0; i < BuiltinCount; ++i) {
    kits[i]->populateConstructor(*this, *m_constructors[i]);
  }
  for (int32_t i = 0; i < BuiltinCount; ++i) {
    AddToClearList(m_prototypes[i].Get());
  }
  DefineNumberProperty(u"NaN", CScriptNumber::NaN, DontEnum);
  DefineNumberProperty(u"Infinity", CScriptNumber::PositiveInfinity, DontEnum);
  for (int32_t i = 0; i < MethodCount; ++i) {
    DefineMethod(kGlobalFunctions[i].name, i, kGlobalFunctions[i].length, DontEnum);
  }
  for (int32_t i = 0; i < BuiltinCount; ++i) {
    DefineObjectProperty(kBuiltinNames[i], m_constructors[i].Get(), DontEnum);
  }
  // Held here as well as by the property: a script may delete the property
  // while it still holds Math's methods.
  auto* math = new CMathObject(this);
  m_math = math;
  math->Populate();
  DefineObjectProperty(u"Math", math, DontEnum);
}

void CGlobalObject::Clear() {
  for (XObject& object : m_clearList) object->Clear();
  m_clearList = Core::XArray<XObject>();
  ClearLiveObjects();
  CScriptObject::Clear();
}

XObject CGlobalObject::CreateBooleanObject(bool value) { return XObject(new CBooleanObject(this, value)); }
XObject CGlobalObject::CreateNumberObject(CScriptNumber value) { return XObject(new CNumberObject(this, value)); }
XObject CGlobalObject::CreateStringObject(const CStringValue* value) {
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
