#include "core/Platform.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <vector>

#include "core/StringHelpers.h"

extern char** environ;

namespace Core {

namespace {

bool CurrentDirectory(String& out) {
  std::vector<char> buffer(1024);
  for (;;) {
    if (::getcwd(buffer.data(), buffer.size())) break;
    if (errno != ERANGE || buffer.size() > (1u << 20)) return false;
    buffer.resize(buffer.size() * 2);
  }
  // Linux reports an unreachable directory with a leading "(unreachable)".
  if (buffer[0] != '/') return false;
  return Utf8ToString(buffer.data(), out);
}

} // namespace

bool GetFullPath(StringView name, String& fullPath) {
  if (name.empty() || name.find(u'\0') != StringView::npos) return false;
  String joined;
  if (name[0] != u'/') {
    if (!CurrentDirectory(joined)) return false;
    joined += u'/';
  }
  joined += name;

  std::vector<StringView> segments;
  StringView rest = joined;
  while (!rest.empty()) {
    size_t slash = rest.find(u'/');
    StringView segment = rest.substr(0, slash);
    rest = slash == StringView::npos ? StringView() : rest.substr(slash + 1);
    if (segment.empty() || segment == u".") continue;
    if (segment == u"..") {
      if (!segments.empty()) segments.pop_back();
      continue;
    }
    segments.push_back(segment);
  }
  String result;
  for (StringView segment : segments) {
    result += u'/';
    result += segment;
  }
  if (result.empty() || name.back() == u'/') result += u'/';
  fullPath = std::move(result);
  return true;
}

bool GetEnvironmentValue(StringView name, String& value) {
  if (name.empty() || name.find_first_of(StringView(u"=\0", 2)) != StringView::npos) return false;
  std::string key;
  if (!StringToUtf8(name, key)) return false;
  if (const char* exact = std::getenv(key.c_str())) {
    value = FromUtf8(exact);
    return true;
  }
  for (char** entry = environ; entry && *entry; ++entry) {
    const char* equals = std::strchr(*entry, '=');
    if (!equals || size_t(equals - *entry) != key.size()) continue;
    bool same = true;
    for (size_t i = 0; i < key.size() && same; ++i) {
      same = UpperUnit(static_cast<unsigned char>((*entry)[i])) == UpperUnit(static_cast<unsigned char>(key[i]));
    }
    if (same) {
      value = FromUtf8(equals + 1);
      return true;
    }
  }
  return false;
}

} // namespace Core
