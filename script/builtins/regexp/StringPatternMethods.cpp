#include "script/builtins/regexp/StringPatternMethods.h"

#include "script/builtins/ArrayObject.h"
#include "script/builtins/StringLength.h"
#include "script/builtins/StringSearch.h"
#include "script/builtins/regexp/MatchArray.h"
#include "script/builtins/regexp/TooComplexException.h"
#include "script/engine/Conversions.h"

namespace EcmaScript {

namespace {

// The RegExp object of an argument, for the errors of its searches.
CScriptObject* RegExpObjectOf(CValue* value) {
  return value->GetType() == CValue::ObjectType && value->GetObject()->GetClassName() == u"RegExp"
             ? value->GetObject()
             : nullptr;
}

bool ExecForward(RegExp::CRegExp& regExp, Core::StringView text, RegExp::CCaptureList& captures,
                 CScriptObject* owner) {
  try {
    return regExp.ExecForward(text, &captures);
  } catch (const RegExp::CTooComplexException&) {
    ThrowRegExpTooComplex(owner);
  }
}

void AppendCapture(Core::String& out, Core::StringView text, const RegExp::CCaptureList& captures, int32_t n) {
  if (n >= captures.GetCount()) return;
  int32_t start, length;
  captures.Get(n, start, length);
  if (start >= 0) out.append(text.substr(static_cast<size_t>(start), static_cast<size_t>(length)));
}

// The replacement text with its dollar sequences expanded for one match.
void ExpandDollars(Core::StringView replacement, Core::StringView text, const RegExp::CCaptureList& captures,
                   Core::String& out) {
  int32_t m, length;
  captures.Get(0, m, length);
  const size_t size = replacement.size();
  size_t i = 0;
  while (i < size) {
    size_t dollar = replacement.find(u'$', i);
    if (dollar == Core::StringView::npos) dollar = size;
    out.append(replacement.substr(i, dollar - i));
    i = dollar;
    if (i >= size) break;
    if (i + 1 >= size) {
      out += u'$';
      break;
    }
    char16_t next = replacement[i + 1];
    if (next == u'$') {
      out += u'$';
      i += 2;
    } else if (next == u'&') {
      AppendCapture(out, text, captures, 0);
      i += 2;
    } else if (next == u'`') {
      if (m >= 0) out.append(text.substr(0, static_cast<size_t>(m)));
      i += 2;
    } else if (next == u'\'') {
      if (m >= 0) out.append(text.substr(static_cast<size_t>(m) + static_cast<size_t>(length)));
      i += 2;
    } else if (next >= u'1' && next <= u'9') {
      int32_t n = next - u'0';
      i += 2;
      // A second digit is always taken, whether or not that group exists.
      if (i < size && replacement[i] >= u'0' && replacement[i] <= u'9') n = 10 * n + (replacement[i++] - u'0');
      AppendCapture(out, text, captures, n);
    } else if (next == u'0' && i + 2 < size && replacement[i + 2] >= u'1' && replacement[i + 2] <= u'9') {
      AppendCapture(out, text, captures, replacement[i + 2] - u'0');
      i += 3;
    } else if (next == u'0') {
      out.append(u"$0");
      i += 2;
    } else {
      // A lone dollar sign; the unit after it is read as usual.
      out += u'$';
      i += 1;
    }
  }
}

} // namespace

XRegExp CStringPatternMethods::ToRegExp(CExecutionContext& context, CValue* value, bool create) {
  if (CScriptObject* object = RegExpObjectOf(value)) {
    if (auto* regExpObject = dynamic_cast<CRegExpObject*>(object)) return regExpObject->GetRegExp();
  }
  if (!create) return nullptr;
  Core::String pattern;
  if (value->GetType() != CValue::UndefinedType) pattern = ToString(context, value);
  XRegExp regExp(new RegExp::CRegExp);
  try {
    regExp->Compile(pattern, false, false, false);
  } catch (const RegExp::CTooComplexException&) {
    ThrowRegExpTooComplex(nullptr);
  }
  return regExp;
}

XValue CStringPatternMethods::Match(CExecutionContext& context, CValue* text, CValue* regexp) {
  const Core::String& s = text->GetString();
  XRegExp r = ToRegExp(context, regexp, true);
  CScriptObject* owner = RegExpObjectOf(regexp);
  RegExp::CCaptureList captures;
  if (!r->GetGlobal()) {
    if (!ExecForward(*r, s, captures, owner)) return MakeNull();
    return MakeMatchArray(context, s, text, captures);
  }
  CArgumentList matches;
  r->SetLastIndex(0);
  int32_t remembered = 0;
  while (ExecForward(*r, s, captures, owner)) {
    int32_t start, length;
    captures.Get(0, start, length);
    matches.Append(CaptureValue(s, start, length));
    // An empty match leaves lastIndex where the search began: step over it.
    int32_t i = r->GetLastIndex();
    if (i == remembered) {
      r->SetLastIndex(i + 1);
      remembered = i + 1;
    } else {
      remembered = i;
    }
  }
  XObject array(new CArrayInstance(context.GetGlobalObject(), matches));
  return MakeObject(array.Get());
}

XValue CStringPatternMethods::Search(CExecutionContext& context, CValue* text, CValue* regexp) {
  XRegExp r = ToRegExp(context, regexp, true);
  try {
    return MakeNumber(CScriptNumber(r->Search(text->GetString())));
  } catch (const RegExp::CTooComplexException&) {
    ThrowRegExpTooComplex(RegExpObjectOf(regexp));
  }
}

void CStringPatternMethods::ExpandReplacement(CExecutionContext& context, CValue* text,
                                              const RegExp::CCaptureList& captures, const Core::String& replacement,
                                              CScriptObject* function, Core::String& result, size_t& last) {
  const Core::String& s = text->GetString();
  int32_t m, length;
  captures.Get(0, m, length);
  Core::String expanded;
  const Core::String* x = &replacement;
  if (function) {
    CArgumentList arguments;
    int32_t start, size;
    for (int32_t i = 0; i < captures.GetCount(); ++i) {
      captures.Get(i, start, size);
      arguments.Append(CaptureValue(s, start, size));
    }
    arguments.Append(MakeNumber(CScriptNumber(m)));
    arguments.Append(XValue(text));
    XValue value = function->Call(context, context.GetGlobalObject(), arguments);
    expanded = ToString(context, value.Get());
    x = &expanded;
  } else if (replacement.find(u'$') != Core::String::npos) {
    ExpandDollars(replacement, s, captures, expanded);
    x = &expanded;
  }
  const size_t from = last < static_cast<size_t>(m) ? last : static_cast<size_t>(m);
  CheckStringLength(result.size() + (static_cast<size_t>(m) - from) + x->size());
  result.append(s, from, static_cast<size_t>(m) - from);
  result.append(*x);
  last = static_cast<size_t>(m) + static_cast<size_t>(length);
}

XValue CStringPatternMethods::Replace(CExecutionContext& context, CValue* text, CValue* searchValue,
                                      CValue* replaceValue) {
  const Core::String& s = text->GetString();
  XRegExp r = ToRegExp(context, searchValue, false);
  Core::String searchText;
  if (!r) searchText = ToString(context, searchValue);
  CScriptObject* function = nullptr;
  Core::String replacement;
  if (replaceValue->GetType() == CValue::ObjectType && replaceValue->GetObject()->GetClassName() == u"Function") {
    function = replaceValue->GetObject();
  } else {
    replacement = ToString(context, replaceValue);
  }
  // The function may drop every other reference to itself.
  XObject functionHolder(function);

  Core::String result;
  size_t last = 0;
  RegExp::CCaptureList captures;
  if (!r) {
    size_t at = CStringSearch(searchText).FindFirst(s, 0);
    if (at != CStringSearch::npos) {
      captures.Add(static_cast<int32_t>(at), static_cast<int32_t>(searchText.size()));
      ExpandReplacement(context, text, captures, replacement, function, result, last);
    }
  } else if (!r->GetGlobal()) {
    if (ExecForward(*r, s, captures, RegExpObjectOf(searchValue))) {
      ExpandReplacement(context, text, captures, replacement, function, result, last);
    }
  } else {
    // The search position is kept here, not in lastIndex: the replacement
    // function may set lastIndex to anything. Each round starts the search
    // at the position, so the function still sees lastIndex at the end of
    // the match, and the last, failing search leaves it at 0.
    CScriptObject* owner = RegExpObjectOf(searchValue);
    int64_t position = 0;
    for (;;) {
      r->SetLastIndex(static_cast<int32_t>(position));
      if (!ExecForward(*r, s, captures, owner)) break;
      ExpandReplacement(context, text, captures, replacement, function, result, last);
      int32_t m, length;
      captures.Get(0, m, length);
      position = static_cast<int64_t>(m) + length + (length == 0 ? 1 : 0);
    }
  }
  if (last == 0 && result.empty()) return XValue(text);
  CheckStringLength(result.size() + (s.size() - last));
  result.append(s, last, Core::String::npos);
  return MakeString(std::move(result));
}

} // namespace EcmaScript
