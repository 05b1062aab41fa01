#pragma once
// URI references by the generic syntax (parse, absolute test, resolution) and
// the conversions between file names and "file://localhost/" URLs.
#include <cstdint>
#include <vector>

#include "core/Exception.h"
#include "core/String.h"

namespace Uri {

// Syntax errors of a reference. The argument is the text being parsed (for
// code 5, the base's text); no message shows it.
class CUriException : public Core::CCodedException {
public:
  enum : int32_t {
    MissingColon = 0,
    InvalidScheme = 1,
    InvalidOpaquePart = 2,
    InvalidEscape = 3,
    TrailingCharacters = 4,
    InvalidDotDot = 5,
  };
  CUriException(int32_t code, Core::String text);
};

class CUri {
public:
  // A component's place in the text, delimiters excluded.
  struct CRange {
    int32_t start = 0;
    int32_t length = 0;
  };

  CUri() = default;

  // Throws CUriException at the first syntax error.
  void Parse(Core::StringView text);

  bool IsAbsolute() const { return m_absolute; }
  // True and the component when it is present (possibly empty); false and "" when not.
  bool GetScheme(Core::String& out) const { return Get(m_hasScheme, m_scheme, out); }
  bool GetAuthority(Core::String& out) const { return Get(m_hasAuthority, m_authority, out); }
  bool GetQuery(Core::String& out) const { return Get(m_hasQuery, m_query, out); }
  bool GetFragment(Core::String& out) const { return Get(m_hasFragment, m_fragment, out); }
  int32_t GetSegmentCount() const { return static_cast<int32_t>(m_segments.size()); }
  void GetSegment(Core::String& out, int32_t index) const;
  // The path began with a relative first segment: neither absolute nor "/...".
  bool HasRelativePath() const { return m_hasRelativeSegment; }

  // Resolves reference against this parsed base. Throws CUriException for a
  // malformed reference (codes 0-4) or a ".." that cannot be removed (5).
  void Resolve(Core::String& result, Core::StringView reference) const;

private:
  bool Get(bool present, const CRange& r, Core::String& out) const;
  Core::StringView Text(const CRange& r) const {
    return Core::StringView(m_text).substr(static_cast<size_t>(r.start), static_cast<size_t>(r.length));
  }
  [[noreturn]] void Fail(int32_t code) const;

  char16_t Peek(int32_t ahead = 0) const {
    int32_t p = m_position + ahead;
    return p < m_end ? m_text[static_cast<size_t>(p)] : char16_t(0);
  }
  bool AtEnd() const { return m_position >= m_end; }
  // Consumes a run of units accepted by the class mask, escapes included when allowed.
  CRange Scan(unsigned classes, bool escapes);
  void ParseSegments();
  void ParseQueryAndFragment(bool query);

  bool m_parsed = false;
  Core::String m_text;
  int32_t m_end = 0;
  int32_t m_position = 0;
  bool m_absolute = false;
  bool m_hasScheme = false;
  bool m_hasAuthority = false;
  bool m_hasRelativeSegment = false;
  bool m_hasQuery = false;
  bool m_hasOpaque = false;
  bool m_hasFragment = false;
  CRange m_scheme;
  CRange m_authority;
  std::vector<CRange> m_segments;
  CRange m_query;
  CRange m_opaque;
  CRange m_fragment;
};

// An absolute file name as "file://localhost" followed by its %-escaped UTF-8
// path. False when the name cannot be made absolute or encoded.
bool FileNameToUrl(Core::StringView fileName, Core::String& url);
// The file name of a "file://localhost/" or "file:///" URL (leading "/"
// kept); false for any other URL, a bad escape, invalid UTF-8 or a NUL.
bool UrlToFileName(Core::StringView url, Core::String& fileName);
// Every byte of the UTF-8 text that is not alpha, digit, reserved or mark
// becomes "%XX". False when the text holds an unpaired surrogate.
bool EscapeUtf8(Core::StringView text, Core::String& escaped);
// "%XX" escapes to bytes, then strict UTF-8 decoding. False on a bad escape,
// a unit of 0x80 or above, or bytes that are not valid UTF-8.
bool UnescapeUtf8(Core::StringView text, Core::String& unescaped);

} // namespace Uri
