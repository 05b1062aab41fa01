#pragma once
// The bound on strings that built-ins make (join, escape): past it runtime
// error 27, long before memory runs out.
#include <cstddef>

namespace EcmaScript {

constexpr size_t kMaxBuiltinStringLength = size_t(1) << 30;

// Throws runtime error 27 when length is beyond the bound.
void CheckStringLength(size_t length);

} // namespace EcmaScript
