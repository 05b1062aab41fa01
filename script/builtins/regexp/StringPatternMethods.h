#pragma once
// The bodies of String.prototype.match, replace and search, called by the
// String prototype's dispatcher with the this string (a String value) and
// the arguments. A RegExp argument lends its compiled expression, so a
// global match or replace reads and sets that object's lastIndex; any other
// argument of match and search is compiled as a pattern, while replace
// searches for it as text.
#include "script/builtins/regexp/CaptureList.h"
#include "script/builtins/regexp/RegExpObject.h"
#include "script/engine/ExecutionContext.h"
#include "script/engine/Value.h"

namespace EcmaScript {

class CStringPatternMethods {
public:
  // An array of the match and its groups (with 'index' and 'input'), or
  // null; for a global expression an array of every match's text.
  static XValue Match(CExecutionContext& context, CValue* text, CValue* regexp);
  // The text with the first match, or every match of a global expression,
  // replaced by the expanded replacement text or the replacement function's
  // result.
  static XValue Replace(CExecutionContext& context, CValue* text, CValue* searchValue, CValue* replaceValue);
  // The position of the first match, or -1; lastIndex is neither read nor set.
  static XValue Search(CExecutionContext& context, CValue* text, CValue* regexp);

  // The expression of a RegExp object; otherwise, when create is set, a new
  // one compiled from the value's text (the empty pattern for Undefined),
  // without flags; otherwise null.
  static XRegExp ToRegExp(CExecutionContext& context, CValue* value, bool create);

  // One replacement step: appends the text from last up to the match, then
  // the replacement, and moves last to the end of the match.
  static void ExpandReplacement(CExecutionContext& context, CValue* text, const RegExp::CCaptureList& captures,
                                const Core::String& replacement, CScriptObject* function, Core::String& result,
                                size_t& last);
};

} // namespace EcmaScript
