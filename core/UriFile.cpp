#include "core/Platform.h"
#include "core/Uri.h"
#include "core/UriClasses.h"

namespace Uri {

namespace {

// Escaping keeps alpha, digit, reserved and mark: exactly the uric units.
bool KeptUnescaped(unsigned char b) { return HasClass(b, kUricUnit); }

} // namespace

bool EscapeUtf8(Core::StringView text, Core::String& escaped) {
  static constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";
  escaped.clear();
  std::string bytes;
  if (!Core::StringToUtf8(text, bytes)) return false;  // an unpaired surrogate
  escaped.reserve(bytes.size());
  for (char ch : bytes) {
    unsigned char b = static_cast<unsigned char>(ch);
    if (KeptUnescaped(b)) {
      escaped += static_cast<char16_t>(b);
    } else {
      escaped += u'%';
      escaped += kHexDigits[b >> 4];
      escaped += kHexDigits[b & 0xF];
    }
  }
  return true;
}

bool UnescapeUtf8(Core::StringView text, Core::String& unescaped) {
  unescaped.clear();
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t i = 0, n = text.size(); i < n; ++i) {
    char16_t c = text[i];
    if (c == u'%') {
      if (i + 2 >= n || !IsHexUnit(text[i + 1]) || !IsHexUnit(text[i + 2])) return false;
      bytes += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else if (c < 0x80) {
      bytes += static_cast<char>(c);
    } else {
      return false;
    }
  }
  Core::String decoded;
  if (!Core::Utf8ToString(bytes, decoded)) return false;  // malformed or cut off
  unescaped = std::move(decoded);
  return true;
}

// The path already starts with "/"; ":" and "\" are ordinary characters here.
bool FileNameToUrl(Core::StringView fileName, Core::String& url) {
  Core::String path;
  if (!Core::GetFullPath(fileName, path)) return false;
  Core::String escaped;
  if (!EscapeUtf8(u"file://localhost" + path, escaped)) return false;
  url = std::move(escaped);
  return true;
}

bool UrlToFileName(Core::StringView url, Core::String& fileName) {
  fileName.clear();
  constexpr Core::StringView kLocalhost = u"file://localhost/";
  constexpr Core::StringView kEmptyHost = u"file:///";
  Core::StringView rest;
  if (url.starts_with(kLocalhost)) {
    rest = url.substr(kLocalhost.size());
  } else if (url.starts_with(kEmptyHost)) {
    rest = url.substr(kEmptyHost.size());
  } else {
    return false;
  }
  Core::String path;
  if (!UnescapeUtf8(rest, path)) return false;
  // A NUL would cut the name short at the operating system.
  if (path.find(char16_t(0)) != Core::String::npos) return false;
  fileName.reserve(path.size() + 1);
  fileName += u'/';
  fileName += path;
  return true;
}

} // namespace Uri
