#pragma once
// The one text type of the system: UTF-16 code units. UTF-8 appears only at
// the boundary with the operating system (arguments, file names, environment,
// standard streams), through the two conversions below.
#include <string>
#include <string_view>

namespace Core {

using String = std::u16string;
using StringView = std::u16string_view;

// UTF-8 to UTF-16. Invalid sequences become U+FFFD; returns false when any was found.
bool Utf8ToString(std::string_view utf8, String& out);
String FromUtf8(std::string_view utf8);

// UTF-16 to UTF-8. An unpaired surrogate becomes U+FFFD; returns false when any was found.
bool StringToUtf8(StringView text, std::string& out);
std::string ToUtf8(StringView text);

} // namespace Core
