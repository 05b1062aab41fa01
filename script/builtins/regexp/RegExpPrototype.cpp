#include "script/builtins/regexp/RegExpPrototype.h"

#include "script/builtins/regexp/MatchArray.h"
#include "script/builtins/regexp/RegExpObject.h"
#include "script/builtins/regexp/TooComplexException.h"
#include "script/engine/Conversions.h"
#include "script/engine/ScriptExceptions.h"

namespace EcmaScript {

namespace {

const CPropertyName& GlobalName() {
  static const CPropertyName name(u"global");
  return name;
}

const CPropertyName& LastIndexName() {
  static const CPropertyName name(u"lastIndex");
  return name;
}

// The search of exec and test: the position of the match, or -1. The
// captures hold the match when one was found.
//
// A RegExp object answers global, lastIndex and [[Match]] from its compiled
// expression, so its search is the expression's own Exec, one matcher and
// one budget for all positions. Any other object is asked through its
// properties and its [[Match]], which fails with runtime error 3.
int64_t Search(CExecutionContext& context, CScriptObject* thisObject, const Core::String& text,
               RegExp::CCaptureList& captures) {
  if (!thisObject) throw CRuntimeError(CRuntimeError::NoMatch, thisObject);
  if (auto* regExpObject = dynamic_cast<CRegExpObject*>(thisObject)) {
    RegExp::CRegExp* regExp = regExpObject->GetRegExpPointer();
    try {
      if (!regExp->Exec(text, &captures)) return -1;
    } catch (const RegExp::CTooComplexException&) {
      ThrowRegExpTooComplex(thisObject);
    }
    int32_t start, length;
    captures.Get(0, start, length);
    return start;
  }
  XValue globalValue = thisObject->Get(context, GlobalName());
  const bool global = ToBoolean(globalValue.Get());
  int64_t i = 0;
  if (global) {
    XValue lastIndex = thisObject->Get(context, LastIndexName());
    i = ToInteger(context, lastIndex.Get()).ToInt32();
  }
  const int64_t length = static_cast<int64_t>(text.size());
  for (; i >= 0 && i <= length; ++i) {
    if (thisObject->Match(context, text, static_cast<int32_t>(i), captures)) {
      if (global) {
        int32_t start, matched;
        captures.Get(0, start, matched);
        thisObject->Put(context, LastIndexName(), MakeNumber(CScriptNumber(start + matched)).Get());
      }
      return i;
    }
  }
  thisObject->Put(context, LastIndexName(), MakeNumber(CScriptNumber(0)).Get());
  return -1;
}

} // namespace

CRegExpPrototype::CRegExpPrototype(CGlobalObjectBase* global) : CScriptObject(global, global->GetObjectPrototype()) {}

void CRegExpPrototype::Populate() {
  DefineObjectProperty(u"constructor", GetGlobalObject()->GetRegExpConstructor(), DontEnum);
  DefineMethod(u"exec", MethodExec, 1, DontEnum);
  DefineMethod(u"test", MethodTest, 1, DontEnum);
  DefineMethod(u"toString", MethodToString, 0, DontEnum);
}

XValue CRegExpPrototype::CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                                    const CArgumentList& arguments) {
  if (methodNumber == MethodToString) return ToString(context, thisObject);
  XValue string = GetArgument(arguments, 0);
  if (methodNumber == MethodTest) return Test(context, thisObject, string.Get());
  return Exec(context, thisObject, string.Get());
}

XValue CRegExpPrototype::Exec(CExecutionContext& context, CScriptObject* thisObject, CValue* string) {
  XValue text = ToStringValue(context, string);
  RegExp::CCaptureList captures;
  if (Search(context, thisObject, text->GetString(), captures) < 0) return MakeNull();
  return MakeMatchArray(context, text->GetString(), text.Get(), captures);
}

XValue CRegExpPrototype::Test(CExecutionContext& context, CScriptObject* thisObject, CValue* string) {
  XValue text = ToStringValue(context, string);
  RegExp::CCaptureList captures;
  return MakeBoolean(Search(context, thisObject, text->GetString(), captures) >= 0);
}

XValue CRegExpPrototype::ToString(CExecutionContext&, CScriptObject* thisObject) {
  auto* regExpObject = thisObject && thisObject->GetClassName() == u"RegExp"
                           ? dynamic_cast<CRegExpObject*>(thisObject)
                           : nullptr;
  if (!regExpObject) throw CRuntimeError(CRuntimeError::RegExpObjectRequired, thisObject);
  const RegExp::CRegExp* regExp = regExpObject->GetRegExpPointer();
  Core::String text = u"/";
  text += regExp->GetSource();
  text += u'/';
  if (regExp->GetGlobal()) text += u'g';
  if (regExp->GetIgnoreCase()) text += u'i';
  if (regExp->GetMultiline()) text += u'm';
  return MakeString(std::move(text));
}

} // namespace EcmaScript
