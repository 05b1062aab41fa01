#include "core/Uri.h"

#include "core/UriClasses.h"

namespace Uri {

namespace {

const Core::CMessageItem kUriMessages[] = {
    {CUriException::MissingColon, u"Missing ':'"},
    {CUriException::InvalidScheme, u"Invalid scheme syntax"},
    {CUriException::InvalidOpaquePart, u"Invalid opaque part syntax"},
    {CUriException::InvalidEscape, u"Invalid escaped syntax"},
    {CUriException::TrailingCharacters, u"Invalid trailing characters"},
    {CUriException::InvalidDotDot, u"Invalid '..' segment"},
    {-1, u"Unclassified URI exception"},
};

// Absolute when there is a ":" and the first "/" stands after the first ":".
bool IsAbsoluteText(Core::StringView text) {
  size_t colon = text.find(u':');
  if (colon == Core::StringView::npos) return false;
  size_t slash = text.find(u'/');
  return slash != Core::StringView::npos && slash > colon;
}

} // namespace

CUriException::CUriException(int32_t code, Core::String text)
    : Core::CCodedException(kUriMessages, code, 1, std::move(text)) {}

void CUri::Fail(int32_t code) const { throw CUriException(code, m_text); }

bool CUri::Get(bool present, const CRange& r, Core::String& out) const {
  if (!present) {
    out.clear();
    return false;
  }
  out.assign(Text(r));
  return true;
}

void CUri::GetSegment(Core::String& out, int32_t index) const {
  out.assign(Text(m_segments.at(static_cast<size_t>(index))));
}

CUri::CRange CUri::Scan(unsigned classes, bool escapes) {
  CRange r{m_position, 0};
  while (!AtEnd()) {
    char16_t c = Peek();
    if (escapes && c == u'%') {
      if (!IsHexUnit(Peek(1)) || !IsHexUnit(Peek(2))) Fail(CUriException::InvalidEscape);
      m_position += 3;
      continue;
    }
    if (!HasClass(c, classes)) break;
    ++m_position;
  }
  r.length = m_position - r.start;
  return r;
}

// segment *( "/" segment ), every segment recorded, empty ones included.
void CUri::ParseSegments() {
  m_segments.push_back(Scan(kPathUnit, true));
  while (Peek() == u'/') {
    ++m_position;
    m_segments.push_back(Scan(kPathUnit, true));
  }
}

void CUri::ParseQueryAndFragment(bool query) {
  if (query && Peek() == u'?') {
    ++m_position;
    m_hasQuery = true;
    m_query = Scan(kUricUnit, true);
  }
  if (Peek() == u'#') {
    ++m_position;
    m_hasFragment = true;
    m_fragment = Scan(kUricUnit, true);
  }
}

void CUri::Parse(Core::StringView text) {
  *this = CUri();
  m_parsed = true;
  m_text.assign(text);
  m_end = static_cast<int32_t>(m_text.size());
  m_position = 0;
  m_absolute = IsAbsoluteText(m_text);

  if (m_absolute) {
    if (!HasClass(Peek(), kAlpha)) Fail(CUriException::InvalidScheme);
    m_hasScheme = true;
    m_scheme = Scan(kSchemeUnit, false);
    if (Peek() != u':') Fail(CUriException::MissingColon);
    ++m_position;
    if (Peek() == u'/') {
      ++m_position;
      if (Peek() == u'/') {
        ++m_position;
        m_hasAuthority = true;
        m_authority = Scan(kPathUnit, true);
        if (Peek() == u'/') {
          ++m_position;
          ParseSegments();
        }
      } else {
        ParseSegments();
      }
      ParseQueryAndFragment(true);
    } else {
      m_opaque = Scan(kUricUnit, true);
      if (m_opaque.length == 0) Fail(CUriException::InvalidOpaquePart);
      m_hasOpaque = true;
      ParseQueryAndFragment(false);
    }
  } else {
    if (Peek() == u'/' && Peek(1) == u'/') {
      m_position += 2;
      m_hasAuthority = true;
      m_authority = Scan(kPathUnit, true);
      if (Peek() == u'/') {
        ++m_position;
        ParseSegments();
      }
    } else if (Peek() == u'/') {
      ++m_position;
      ParseSegments();
    } else {
      m_hasRelativeSegment = true;
      m_segments.push_back(Scan(kFirstSegmentUnit, true));
      if (Peek() == u'/') {
        ++m_position;
        ParseSegments();
      }
    }
    ParseQueryAndFragment(true);
  }
  if (!AtEnd()) Fail(CUriException::TrailingCharacters);
}

void CUri::Resolve(Core::String& result, Core::StringView reference) const {
  CUri ref;
  ref.Parse(reference);
  if (ref.m_absolute) {
    result.assign(reference);
    return;
  }
  // "//host" alone (with or without a fragment) names the base itself.
  if (!ref.m_hasScheme && ref.m_hasAuthority && ref.m_segments.empty() && !ref.m_hasQuery) {
    result = m_text;
    return;
  }

  const bool useRefAuthority = ref.m_hasAuthority;
  std::vector<Core::StringView> path;
  if (!ref.m_hasAuthority && ref.m_hasRelativeSegment) {
    path.reserve(m_segments.size() + ref.m_segments.size());
    for (size_t i = 0; i + 1 < m_segments.size(); ++i) path.push_back(Text(m_segments[i]));
    for (const CRange& r : ref.m_segments) path.push_back(ref.Text(r));
    // One pass: "." goes, ".." goes with the segment before it.
    size_t out = 0;
    for (size_t i = 0; i < path.size(); ++i) {
      Core::StringView seg = path[i];
      if (seg == u".") continue;
      if (seg == u"..") {
        if (out == 0) throw CUriException(CUriException::InvalidDotDot, m_text);
        if (path[out - 1] != u"..") {
          --out;
          continue;
        }
      }
      path[out++] = seg;
    }
    path.resize(out);
  } else {
    path.reserve(ref.m_segments.size());
    for (const CRange& r : ref.m_segments) path.push_back(ref.Text(r));
  }

  result.clear();
  if (m_hasScheme) {
    result += Text(m_scheme);
    result += u':';
  }
  if (useRefAuthority) {
    result += u"//";
    result += ref.Text(ref.m_authority);
  } else if (m_hasAuthority) {
    result += u"//";
    result += Text(m_authority);
  }
  // With no authority written, a path that starts with an empty segment
  // would read back as "//" and an authority: "/." keeps it a path.
  if (!useRefAuthority && !m_hasAuthority && path.size() > 1 && path[0].empty()) result += u"/.";
  for (Core::StringView seg : path) {
    result += u'/';
    result += seg;
  }
  // A relative path that cleans away to nothing names the root: without
  // the "/" a scheme alone would be left, which is no reference at all.
  if (path.empty() && !ref.m_hasAuthority && ref.m_hasRelativeSegment && !result.empty()) result += u'/';
  if (ref.m_hasQuery) {
    result += u'?';
    result += ref.Text(ref.m_query);
  }
  if (ref.m_hasFragment) {
    result += u'#';
    result += ref.Text(ref.m_fragment);
  }
}

} // namespace Uri
