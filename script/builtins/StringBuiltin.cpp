#include "script/builtins/StringBuiltin.h"

#include "script/builtins/ArrayObject.h"
#include "script/builtins/BuiltinMethod.h"
#include "script/builtins/StringLength.h"
#include "script/builtins/StringSearch.h"
#include "script/builtins/regexp/StringPatternMethods.h"
#include "script/engine/Conversions.h"
#include "script/engine/ScriptExceptions.h"

namespace EcmaScript {

namespace {

const CPropertyName& ToStringName() {
  static const CPropertyName name(u"toString");
  return name;
}

// A position clamped to 0..length, compared before it becomes an integer
// so that huge values and infinities clamp.
size_t ClampPosition(CScriptNumber p, size_t length) {
  if (p.IsNaN() || p <= CScriptNumber(0)) return 0;
  if (p >= CScriptNumber(static_cast<double>(length))) return length;
  return static_cast<size_t>(p.ToDouble());
}

size_t Position(CExecutionContext& context, CValue* value, size_t length) {
  return ClampPosition(ToInteger(context, value), length);
}

// The unit at an integer position, or false when it is outside the string.
bool UnitAt(CExecutionContext& context, const Core::String& s, CValue* pos, char16_t& unit) {
  CScriptNumber p = ToInteger(context, pos);
  if (p < CScriptNumber(0) || p >= CScriptNumber(static_cast<double>(s.size()))) return false;
  unit = s[static_cast<size_t>(p.ToDouble())];
  return true;
}

XValue Element(Core::StringView text) { return MakeString(Core::String(text)); }

} // namespace

CStringPrototype::CStringPrototype(CGlobalObjectBase* global)
    : CStringObject(global, global->GetObjectPrototype(), Core::String()) {}

void CStringPrototype::Populate() {
  struct CRow {
    const char16_t* name;
    int32_t length;
  };
  static const CRow kMethods[MethodCount] = {
      {u"toString", 0}, {u"valueOf", 0},     {u"charAt", 1},  {u"charCodeAt", 1},  {u"indexOf", 2},
      {u"lastIndexOf", 2}, {u"match", 1},    {u"replace", 2}, {u"search", 1},      {u"split", 1},
      {u"substring", 2}, {u"toLowerCase", 0}, {u"toUpperCase", 0},
  };
  DefineObjectProperty(u"constructor", GetGlobalObject()->GetStringConstructor(), DontEnum);
  for (int32_t i = 0; i < MethodCount; ++i) DefineMethod(kMethods[i].name, i, kMethods[i].length, DontEnum);
}

XValue CStringPrototype::ThisString(CExecutionContext& context, CScriptObject* thisObject) {
  // A String object whose toString is still this prototype's gives its own
  // value: the same result as the conversion, without a call.
  if (auto* string = dynamic_cast<CStringObject*>(thisObject)) {
    XValue method = string->Get(context, ToStringName());
    if (method->GetType() == CValue::ObjectType) {
      auto* builtin = dynamic_cast<CBuiltinMethod*>(method->GetObject());
      if (builtin && builtin->GetOwner() == this && builtin->GetMethodNumber() == MethodToString) {
        return string->GetPrimitiveValue();
      }
    }
  }
  XValue object = MakeObject(thisObject);
  return ToStringValue(context, object.Get());
}

XValue CStringPrototype::CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                                    const CArgumentList& arguments) {
  if (methodNumber <= MethodValueOf || methodNumber >= MethodCount) {
    if (!thisObject || thisObject->GetClassName() != u"String") {
      throw CRuntimeError(CRuntimeError::StringObjectRequired, thisObject);
    }
    return thisObject->GetPrimitiveValue();
  }
  if (!thisObject) thisObject = context.GetGlobalObject();
  XValue text = ThisString(context, thisObject);
  const Core::String& s = text->GetString();
  XValue a = GetArgument(arguments, 0);
  switch (methodNumber) {
  case MethodCharAt: return CharAt(context, s, a.Get());
  case MethodCharCodeAt: return CharCodeAt(context, s, a.Get());
  case MethodIndexOf: {
    XValue b = GetArgument(arguments, 1);
    return IndexOf(context, s, a.Get(), b.Get());
  }
  case MethodLastIndexOf: {
    XValue b = GetArgument(arguments, 1);
    return LastIndexOf(context, s, a.Get(), b.Get());
  }
  case MethodMatch: return CStringPatternMethods::Match(context, text.Get(), a.Get());
  case MethodReplace: {
    XValue b = GetArgument(arguments, 1);
    return CStringPatternMethods::Replace(context, text.Get(), a.Get(), b.Get());
  }
  case MethodSearch: return CStringPatternMethods::Search(context, text.Get(), a.Get());
  case MethodSplit: return Split(context, s, a.Get());
  case MethodSubstring: {
    if (arguments.GetSize() <= 1) return Substring(context, s, a.Get(), nullptr);
    return Substring(context, s, a.Get(), arguments[1].Get());
  }
  case MethodToLowerCase: return ToLowerCase(s);
  default: return ToUpperCase(s);
  }
}

XValue CStringPrototype::CharAt(CExecutionContext& context, const Core::String& s, CValue* pos) {
  char16_t unit;
  if (!UnitAt(context, s, pos, unit)) return MakeString(Core::String());
  return MakeString(Core::String(1, unit));
}

XValue CStringPrototype::CharCodeAt(CExecutionContext& context, const Core::String& s, CValue* pos) {
  char16_t unit;
  if (!UnitAt(context, s, pos, unit)) return MakeNumber(CScriptNumber::NaN);
  return MakeNumber(CScriptNumber(static_cast<int32_t>(unit)));
}

XValue CStringPrototype::IndexOf(CExecutionContext& context, const Core::String& s, CValue* search,
                                 CValue* position) {
  Core::String t = ToString(context, search);
  size_t from = Position(context, position, s.size());
  size_t at = CStringSearch(t).FindFirst(s, from);
  return MakeNumber(CScriptNumber(at == CStringSearch::npos ? -1 : static_cast<int32_t>(at)));
}

XValue CStringPrototype::LastIndexOf(CExecutionContext& context, const Core::String& s, CValue* search,
                                     CValue* position) {
  Core::String t = ToString(context, search);
  CScriptNumber n = ToNumber(context, position);
  if (n.IsNaN()) n = CScriptNumber::PositiveInfinity;
  size_t last = ClampPosition(n.ToInteger(), s.size());
  size_t at = CStringSearch(t).FindLast(s, last);
  return MakeNumber(CScriptNumber(at == CStringSearch::npos ? -1 : static_cast<int32_t>(at)));
}

XValue CStringPrototype::Split(CExecutionContext& context, const Core::String& s, CValue* separator) {
  XObject array(new CArrayInstance(context.GetGlobalObject()));
  auto* elements = static_cast<CArrayInstance*>(array.Get());
  if (separator->GetType() == CValue::UndefinedType) {
    elements->AppendElement(MakeString(s).Get());
    return MakeObject(array.Get());
  }
  Core::String d = ToString(context, separator);
  Core::StringView text(s);
  if (d.empty()) {
    for (char16_t unit : s) elements->AppendElement(MakeString(Core::String(1, unit)).Get());
    return MakeObject(array.Get());
  }
  CStringSearch search(d);
  size_t p = 0;
  for (;;) {
    size_t k = search.FindFirst(text, p);
    if (k == CStringSearch::npos) {
      elements->AppendElement(Element(text.substr(p)).Get());
      break;
    }
    elements->AppendElement(Element(text.substr(p, k - p)).Get());
    p = k + d.size();
  }
  return MakeObject(array.Get());
}

XValue CStringPrototype::Substring(CExecutionContext& context, const Core::String& s, CValue* start, CValue* end) {
  size_t from = Position(context, start, s.size());
  if (!end) return MakeString(s.substr(from));
  size_t to = Position(context, end, s.size());
  if (to < from) std::swap(from, to);
  return MakeString(s.substr(from, to - from));
}

XValue CStringPrototype::ToLowerCase(const Core::String& s) {
  Core::String result(s);
  for (char16_t& c : result) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + (u'a' - u'A'));
  }
  return MakeString(std::move(result));
}

XValue CStringPrototype::ToUpperCase(const Core::String& s) {
  Core::String result(s);
  for (char16_t& c : result) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - (u'a' - u'A'));
  }
  return MakeString(std::move(result));
}

void CStringConstructor::Populate() {
  DefineLengthAndPrototype(1, GetGlobalObject()->GetStringPrototype());
  DefineMethod(u"fromCharCode", 0, 1, DontEnum);
}

XValue CStringConstructor::Construct(CExecutionContext& context, const CArgumentList& arguments) {
  Core::String value;
  if (arguments.GetSize() > 0) value = ToString(context, arguments[0].Get());
  return MakeObject(XObject(new CStringObject(GetGlobalObject(), std::move(value))).Get());
}

XValue CStringConstructor::Call(CExecutionContext& context, CScriptObject*, const CArgumentList& arguments) {
  if (arguments.GetSize() == 0) return MakeString(Core::String());
  return ToStringValue(context, arguments[0].Get());
}

XValue CStringConstructor::CallMethod(CExecutionContext& context, int32_t, CScriptObject*,
                                      const CArgumentList& arguments) {
  Core::String result;
  result.reserve(static_cast<size_t>(arguments.GetSize()));
  for (const XValue& argument : arguments) result += static_cast<char16_t>(ToUint16(context, argument.Get()).ToUint16());
  return MakeString(std::move(result));
}

} // namespace EcmaScript
