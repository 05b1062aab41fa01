// Fuzz target: URI references, their resolution, the %-escaping and the
// conversions between URLs and file names. The input is a base, a NUL and a
// reference (see Fuzz::CByteReader::Text for wide units). A crash, a hang or
// a broken invariant is a finding; a syntax error is not.
#include <cstdint>

#include "FuzzText.h"
#include "core/Platform.h"
#include "core/Uri.h"
#include "core/UriClasses.h"

namespace {

using Core::String;
using Core::StringView;

bool Parses(StringView text, Uri::CUri& uri) {
  try {
    uri.Parse(text);
    return true;
  } catch (const Uri::CUriException& e) {
    KELTO_FUZZ_CHECK(!e.GetMessage().empty());
    return false;
  }
}

bool HasUnpairedSurrogate(StringView text) {
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      ++i;
      continue;
    }
    if (c >= 0xD800 && c <= 0xDFFF) return true;
  }
  return false;
}

// The components of a parsed reference lie inside its text and put together
// again give a text that parses to the same components.
void CheckComponents(const Uri::CUri& uri, StringView text) {
  String scheme, authority, query, fragment, segment;
  bool hasScheme = uri.GetScheme(scheme);
  bool hasAuthority = uri.GetAuthority(authority);
  bool hasQuery = uri.GetQuery(query);
  bool hasFragment = uri.GetFragment(fragment);
  KELTO_FUZZ_CHECK(hasScheme == uri.IsAbsolute());
  KELTO_FUZZ_CHECK(hasScheme || !scheme.size());
  size_t total = scheme.size() + authority.size() + query.size() + fragment.size();
  for (int32_t i = 0; i < uri.GetSegmentCount(); ++i) {
    uri.GetSegment(segment, i);
    KELTO_FUZZ_CHECK(segment.find(u'/') == String::npos);
    total += segment.size();
  }
  KELTO_FUZZ_CHECK(total <= text.size());
  if (hasScheme) KELTO_FUZZ_CHECK(text.starts_with(scheme) && text[scheme.size()] == u':');
  if (hasFragment) KELTO_FUZZ_CHECK(text.ends_with(fragment));
  (void)hasAuthority;
  (void)hasQuery;
}

void CheckResolve(const Uri::CUri& base, StringView baseText, StringView reference) {
  Uri::CUri ref;
  bool refParses = Parses(reference, ref);
  String result;
  try {
    base.Resolve(result, reference);
  } catch (const Uri::CUriException& e) {
    KELTO_FUZZ_CHECK(!e.GetMessage().empty());
    // Only a malformed reference or a ".." with nothing to remove fails.
    KELTO_FUZZ_CHECK(!refParses || e.GetCode() == Uri::CUriException::InvalidDotDot);
    return;
  }
  KELTO_FUZZ_CHECK(refParses);
  if (ref.IsAbsolute()) {
    KELTO_FUZZ_CHECK(result == reference);
    return;
  }
  // The result is a reference again, absolute when the base is. Against a
  // base without scheme and authority it may start with a query that the
  // absolute test takes for a scheme ("?a:/b"), as that reference would.
  Uri::CUri resolved;
  String authority;
  bool rooted = base.IsAbsolute() || base.GetAuthority(authority);
  if (!Parses(result, resolved)) {
    KELTO_FUZZ_CHECK(!rooted);
    return;
  }
  if (base.IsAbsolute()) {
    KELTO_FUZZ_CHECK(resolved.IsAbsolute());
    String a, b;
    base.GetScheme(a);
    resolved.GetScheme(b);
    KELTO_FUZZ_CHECK(a == b);
  }
  // The reference's fragment and query are carried over as they are.
  String refPart, resultPart;
  if (ref.GetFragment(refPart) && result != baseText) {
    KELTO_FUZZ_CHECK(resolved.GetFragment(resultPart) && resultPart == refPart);
  }
  if (ref.GetQuery(refPart)) KELTO_FUZZ_CHECK(resolved.GetQuery(resultPart) && resultPart == refPart);
  if (result == baseText) return;
  // The result has an authority when the base or the reference has one: a
  // path may not turn into an authority on the way.
  KELTO_FUZZ_CHECK(resolved.GetAuthority(resultPart) == (base.GetAuthority(refPart) || ref.GetAuthority(refPart)));
  if (!ref.HasRelativePath() || ref.GetAuthority(refPart)) {
    // A path of its own is taken as it stands.
    KELTO_FUZZ_CHECK(resolved.GetSegmentCount() == ref.GetSegmentCount());
    for (int32_t i = 0; i < ref.GetSegmentCount(); ++i) {
      ref.GetSegment(refPart, i);
      resolved.GetSegment(resultPart, i);
      KELTO_FUZZ_CHECK(refPart == resultPart);
    }
    return;
  }
  // A merged path keeps no "." and no ".." but a leading run of them; a
  // first "." only guards an empty segment after it where there is no
  // authority.
  bool leading = true;
  int32_t first = 0;
  if (resolved.GetSegmentCount() > 1 && !resolved.GetAuthority(resultPart)) {
    resolved.GetSegment(resultPart, 0);
    resolved.GetSegment(refPart, 1);
    if (resultPart == u"." && refPart.empty()) first = 1;
  }
  for (int32_t i = first; i < resolved.GetSegmentCount(); ++i) {
    resolved.GetSegment(resultPart, i);
    if (resultPart != u"..") leading = false;
    KELTO_FUZZ_CHECK(resultPart != u"." && (resultPart != u".." || leading));
  }
}

void CheckEscapes(StringView text) {
  String escaped;
  bool ok = Uri::EscapeUtf8(text, escaped);
  KELTO_FUZZ_CHECK(ok == !HasUnpairedSurrogate(text));
  if (ok) {
    for (size_t i = 0; i < escaped.size(); ++i) {
      char16_t c = escaped[i];
      if (c == u'%') {
        KELTO_FUZZ_CHECK(i + 2 < escaped.size() && Uri::IsHexUnit(escaped[i + 1]) && Uri::IsHexUnit(escaped[i + 2]));
      } else {
        KELTO_FUZZ_CHECK(Uri::HasClass(c, Uri::kUricUnit));
      }
    }
    String back;
    KELTO_FUZZ_CHECK(Uri::UnescapeUtf8(escaped, back) && back == text);
  }
  // Whatever unescapes escapes back to text that unescapes to it again.
  String unescaped;
  if (Uri::UnescapeUtf8(text, unescaped)) {
    KELTO_FUZZ_CHECK(!HasUnpairedSurrogate(unescaped));
    String again, back;
    KELTO_FUZZ_CHECK(Uri::EscapeUtf8(unescaped, again));
    KELTO_FUZZ_CHECK(Uri::UnescapeUtf8(again, back) && back == unescaped);
  }
}

void CheckFileNames(StringView url) {
  String fileName;
  if (!Uri::UrlToFileName(url, fileName)) {
    KELTO_FUZZ_CHECK(fileName.empty());
    return;
  }
  KELTO_FUZZ_CHECK(!fileName.empty() && fileName[0] == u'/');
  KELTO_FUZZ_CHECK(fileName.find(char16_t(0)) == String::npos);
  // Back to a URL: that of the full path, which converts to the full path.
  String url2, fileName2, full;
  KELTO_FUZZ_CHECK(Core::GetFullPath(fileName, full));
  KELTO_FUZZ_CHECK(Uri::FileNameToUrl(fileName, url2));
  KELTO_FUZZ_CHECK(url2.starts_with(u"file://localhost/"));
  KELTO_FUZZ_CHECK(Uri::UrlToFileName(url2, fileName2));
  KELTO_FUZZ_CHECK(fileName2 == full);
  // An escaped file URL is a reference of its own.
  Uri::CUri parsed;
  KELTO_FUZZ_CHECK(Parses(url2, parsed) && parsed.IsAbsolute());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz::CByteReader in(data, size);
  String baseText = in.Text();
  String reference = in.Text();

  Uri::CUri base;
  if (Parses(baseText, base)) {
    CheckComponents(base, baseText);
    CheckResolve(base, baseText, reference);
  }
  Uri::CUri ref;
  if (Parses(reference, ref)) CheckComponents(ref, reference);
  CheckEscapes(baseText);
  CheckFileNames(baseText);
  CheckFileNames(u"file:///" + reference);
  return 0;
}
