#pragma once
// The arrays that exec and match hand out: one element per capture pair
// (the whole match first, then each group), the captured text or Undefined
// for a group that took no part.
#include "core/String.h"
#include "script/builtins/regexp/CaptureList.h"
#include "script/engine/ExecutionContext.h"
#include "script/engine/Value.h"

namespace EcmaScript {

// With 'index' (the start of the match) and 'input' (the text) put on it.
XValue MakeMatchArray(CExecutionContext& context, const Core::String& text, CValue* textValue,
                      const RegExp::CCaptureList& captures);

// The captured text of a pair, or Undefined for a negative start.
XValue CaptureValue(Core::StringView text, int32_t start, int32_t length);

} // namespace EcmaScript
