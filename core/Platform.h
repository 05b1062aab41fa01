#pragma once
// The few operating-system services the core needs. Text crosses the
// boundary as UTF-8.
#include "core/String.h"

namespace Core {

// The wide-character forms are the only ones on this system; callers that
// choose between wide and narrow forms always take the wide one.
constexpr bool IsWindowsNt() { return true; }

// The current directory and the name joined, "." and ".." segments folded as
// text (".." at the root stays at the root), repeated "/" merged and a
// trailing "/" kept. No test that the file exists; links are not resolved.
// False for the empty name, a name holding U+0000, or a current directory
// that cannot be had as UTF-8.
bool GetFullPath(StringView name, String& fullPath);

// The variable of exactly that name or, when there is none, the first one
// whose name is equal without regard to the case of ASCII letters; its value
// decoded from UTF-8. False, with value unchanged, when no variable matches;
// an empty name, or one holding "=" or U+0000, matches none.
bool GetEnvironmentValue(StringView name, String& value);

} // namespace Core
