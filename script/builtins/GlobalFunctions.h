#pragma once
// The global functions parseInt, parseFloat, escape, unescape, isNaN and
// isFinite, and the text scanners behind them. Each routine takes the
// calling context and the arguments it uses (Undefined when missing) and
// gives a new value. Character classes come from explicit ASCII tests,
// never from the C library's locale.
#include <cstdint>

#include "core/String.h"
#include "script/engine/ExecutionContext.h"
#include "script/engine/Value.h"

namespace EcmaScript {

// TAB, VT, FF and space; line feeds and carriage returns are not white
// space to parseInt and parseFloat.
constexpr bool IsStrWhiteSpace(char16_t c) { return c == 9 || c == 11 || c == 12 || c == 32; }

// The index just behind the unsigned decimal number (or "Infinity") that
// begins at start, or -1 when none begins there.
int32_t ScanUnsignedDecimal(Core::StringView text, int32_t start);

// count hexadecimal digits from start into out; false at the first unit
// that is not one. The caller guarantees that the units exist.
bool ParseHexDigits(Core::StringView text, int32_t start, int32_t count, char16_t& out);

XValue ParseInt(CExecutionContext& context, CValue* string, CValue* radix);
XValue ParseFloat(CExecutionContext& context, CValue* string);
XValue Escape(CExecutionContext& context, CValue* string);
XValue Unescape(CExecutionContext& context, CValue* string);
XValue IsNaN(CExecutionContext& context, CValue* number);
XValue IsFinite(CExecutionContext& context, CValue* number);

} // namespace EcmaScript
