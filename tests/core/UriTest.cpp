#include <gtest/gtest.h>
#include <unistd.h>

#include "core/Uri.h"

namespace {

using Core::String;
using Uri::CUri;
using Uri::CUriException;

std::string U8(const String& s) { return Core::ToUtf8(s); }

// The code a parse raises, or -1 when it succeeds.
int32_t ParseCode(const String& text) {
  CUri uri;
  try {
    uri.Parse(text);
  } catch (const CUriException& e) {
    EXPECT_EQ(e.GetArg(0), text);
    return e.GetCode();
  }
  return -1;
}

String Segments(const CUri& uri) {
  String all, seg;
  for (int32_t i = 0; i < uri.GetSegmentCount(); ++i) {
    uri.GetSegment(seg, i);
    all += u"[" + seg + u"]";
  }
  return all;
}

TEST(Uri, ParsesComponents) {
  struct Case {
    const char16_t* text;
    bool absolute;
    const char16_t* scheme;     // nullptr: absent
    const char16_t* authority;
    const char16_t* segments;
    bool relativePath;
    const char16_t* query;
    const char16_t* fragment;
  } cases[] = {
      {u"file://localhost/C/xsl/main.xsl", true, u"file", u"localhost", u"[C][xsl][main.xsl]", false, nullptr, nullptr},
      {u"http://h", true, u"http", u"h", u"", false, nullptr, nullptr},
      {u"http://u@h:80/a;p/?q=1&r#f", true, u"http", u"u@h:80", u"[a;p][]", false, u"q=1&r", u"f"},
      {u"c:/x", true, u"c", nullptr, u"[x]", false, nullptr, nullptr},
      {u"urn:x/y", true, u"urn", nullptr, u"", false, nullptr, nullptr},
      {u"urn:x/y?z#f", true, u"urn", nullptr, u"", false, nullptr, u"f"},
      {u"a/b:c", false, nullptr, nullptr, u"[a][b:c]", true, nullptr, nullptr},
      {u"", false, nullptr, nullptr, u"[]", true, nullptr, nullptr},
      {u"x#", false, nullptr, nullptr, u"[x]", true, nullptr, u""},
      {u"?q", false, nullptr, nullptr, u"[]", true, u"q", nullptr},
      {u"/a//b/", false, nullptr, nullptr, u"[a][][b][]", false, nullptr, nullptr},
      {u"//host", false, nullptr, u"host", u"", false, nullptr, nullptr},
      {u"//host/a%41%fF", false, nullptr, u"host", u"[a%41%fF]", false, nullptr, nullptr},
      {u"a?b/c?d#e/f?", false, nullptr, nullptr, u"[a]", true, u"b/c?d", u"e/f?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.text));
    CUri uri;
    uri.Parse(c.text);
    String s;
    EXPECT_EQ(uri.IsAbsolute(), c.absolute);
    EXPECT_EQ(uri.GetScheme(s), c.scheme != nullptr);
    EXPECT_EQ(s, c.scheme ? c.scheme : u"");
    EXPECT_EQ(uri.GetAuthority(s), c.authority != nullptr);
    EXPECT_EQ(s, c.authority ? c.authority : u"");
    EXPECT_EQ(Segments(uri), c.segments);
    EXPECT_EQ(uri.HasRelativePath(), c.relativePath);
    EXPECT_EQ(uri.GetQuery(s), c.query != nullptr);
    EXPECT_EQ(s, c.query ? c.query : u"");
    EXPECT_EQ(uri.GetFragment(s), c.fragment != nullptr);
    EXPECT_EQ(s, c.fragment ? c.fragment : u"");
  }
}

TEST(Uri, SyntaxErrors) {
  struct Case {
    const char16_t* text;
    int32_t code;
  } cases[] = {
      {u"urn:x", CUriException::TrailingCharacters},  // relative: ":" may not stand in the first segment
      {u"a:b", CUriException::TrailingCharacters},
      {u"1abc:/x", CUriException::InvalidScheme},
      {u"a_b:/x", CUriException::MissingColon},
      {u"%41:/x", CUriException::InvalidScheme},
      {u"a%4", CUriException::InvalidEscape},
      {u"a%", CUriException::InvalidEscape},
      {u"a%G1", CUriException::InvalidEscape},
      {u"//h%zz/x", CUriException::InvalidEscape},
      {u"x?%4", CUriException::InvalidEscape},
      {u"x#%", CUriException::InvalidEscape},
      {u"caf\u00e9.xml", CUriException::TrailingCharacters},
      {u"a b", CUriException::TrailingCharacters},
      {u"x#a#b", CUriException::TrailingCharacters},
      {u"http://h/a b", CUriException::TrailingCharacters},
      {u"urn:#/x", CUriException::InvalidOpaquePart},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.text));
    EXPECT_EQ(ParseCode(c.text), c.code);
  }
  EXPECT_EQ(ParseCode(String(u"a\0b", 3)), CUriException::TrailingCharacters);
}

TEST(Uri, ExceptionMessages) {
  const char16_t* texts[] = {u"Missing ':'",          u"Invalid scheme syntax",       u"Invalid opaque part syntax",
                             u"Invalid escaped syntax", u"Invalid trailing characters", u"Invalid '..' segment"};
  for (int32_t code = 0; code < 6; ++code) EXPECT_EQ(CUriException(code, u"some text").GetMessage(), texts[code]);
  EXPECT_EQ(CUriException(99, u"x").GetMessage().rfind(u"Unclassified", 0), 0u);
}

String ResolveAgainst(const String& base, const String& ref) {
  CUri b;
  b.Parse(base);
  String out = u"unchanged";
  b.Resolve(out, ref);
  return out;
}

TEST(Uri, Resolve) {
  const String base = u"file://localhost/C/xsl/main.xsl";
  struct Case {
    const char16_t* base;
    const char16_t* ref;
    const char16_t* expected;
  } cases[] = {
      {base.c_str(), u"inc/a.xsl", u"file://localhost/C/xsl/inc/a.xsl"},
      {base.c_str(), u"../b.xml", u"file://localhost/C/b.xml"},
      {base.c_str(), u"/D/c.xml", u"file://localhost/D/c.xml"},
      {base.c_str(), u"//other/x", u"file://other/x"},
      {base.c_str(), u"x.xsl#f", u"file://localhost/C/xsl/x.xsl#f"},
      {base.c_str(), u"?q", u"file://localhost/C/xsl/?q"},
      {base.c_str(), u"//host", base.c_str()},
      {base.c_str(), u"//host#f", base.c_str()},
      {base.c_str(), u"", u"file://localhost/C/xsl/"},
      {base.c_str(), u".", u"file://localhost/C/xsl"},
      {base.c_str(), u"a/..", u"file://localhost/C/xsl"},
      {base.c_str(), u"#top", u"file://localhost/C/xsl/#top"},
      {base.c_str(), u"http://e.org/a/../b", u"http://e.org/a/../b"},
      {u"http://h/p/q?base", u"a/./b/../c", u"http://h/p/a/c"},
      {u"http://h/p/q?base", u"../x", u"http://h/x"},
      {u"http://h", u"a", u"http://h/a"},
      {u"urn:x/y", u"a", u"urn:/a"},
      {u"http://h/a/b", u"//g", u"http://h/a/b"},
      {u"http://h/a/b", u"//g/", u"http://g/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(String(c.base) + u" + " + c.ref));
    EXPECT_EQ(ResolveAgainst(c.base, c.ref), c.expected);
  }
}

// Paths that clean away to nothing, or begin with an empty segment, must not
// lose their structure when written out: the result parses back to the same
// authority and path.
TEST(Uri, ResolvedPathsKeepTheirShape) {
  struct Case {
    const char16_t* base;
    const char16_t* ref;
    const char16_t* expected;
    const char16_t* authority;  // nullptr: absent
    const char16_t* segments;
  } cases[] = {
      {u"file:/main.xsl", u".", u"file:/", nullptr, u"[]"},
      {u"file:/a/b.xsl", u"..", u"file:/", nullptr, u"[]"},
      {u"file:/a/b.xsl", u"../?q", u"file:/?q", nullptr, u"[]"},
      {u"urn:x/y", u".", u"urn:/", nullptr, u"[]"},
      {u"file://localhost/main.xsl", u".", u"file://localhost/", u"localhost", u"[]"},
      {u"a:/x", u".//b", u"a:/.//b", nullptr, u"[.][][b]"},
      {u"a:/x/y", u"..//b/", u"a:/.//b/", nullptr, u"[.][][b][]"},
      {u".//", u"", u"/.//", nullptr, u"[.][][]"},
      {u"a://h/x", u".//b", u"a://h//b", u"h", u"[][b]"},
      {u"a:/x/y", u"./b", u"a:/x/b", nullptr, u"[x][b]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(String(c.base) + u" + " + c.ref));
    String result = ResolveAgainst(c.base, c.ref);
    EXPECT_EQ(result, c.expected);
    CUri back;
    ASSERT_NO_THROW(back.Parse(result));
    String authority;
    EXPECT_EQ(back.GetAuthority(authority), c.authority != nullptr);
    if (c.authority) {
      EXPECT_EQ(authority, c.authority);
    }
    EXPECT_EQ(Segments(back), c.segments);
  }
}

TEST(Uri, ResolveErrors) {
  const String base = u"file://localhost/C/x.xsl";
  try {
    ResolveAgainst(base, u"../../../x");
    FAIL() << "no exception";
  } catch (const CUriException& e) {
    EXPECT_EQ(e.GetCode(), CUriException::InvalidDotDot);
    EXPECT_EQ(e.GetArg(0), base);
    EXPECT_EQ(e.GetMessage(), u"Invalid '..' segment");
  }
  try {
    ResolveAgainst(base, u"a%zz");
    FAIL() << "no exception";
  } catch (const CUriException& e) {
    EXPECT_EQ(e.GetCode(), CUriException::InvalidEscape);
    EXPECT_EQ(e.GetArg(0), u"a%zz");
  }
}

TEST(UriEscape, EscapeUtf8) {
  struct Case {
    const char16_t* text;
    const char16_t* escaped;
  } cases[] = {
      {u"azAZ09;/?:@&=+$,-_.!~*'()", u"azAZ09;/?:@&=+$,-_.!~*'()"},
      {u"a b%#\\\"<>[]{}|^`", u"a%20b%25%23%5C%22%3C%3E%5B%5D%7B%7D%7C%5E%60"},
      {u"\u00e9\u20ac\U0001F600", u"%C3%A9%E2%82%AC%F0%9F%98%80"},
      {u"\t\x7f", u"%09%7F"},
  };
  for (const Case& c : cases) {
    String out;
    EXPECT_TRUE(Uri::EscapeUtf8(c.text, out));
    EXPECT_EQ(out, c.escaped);
    String back;
    EXPECT_TRUE(Uri::UnescapeUtf8(out, back));
    EXPECT_EQ(back, c.text);
  }
  String out;
  EXPECT_FALSE(Uri::EscapeUtf8(String(u"a") + char16_t(0xD800) + u"b", out));
  EXPECT_FALSE(Uri::EscapeUtf8(String(1, char16_t(0xDC00)), out));
}

TEST(UriEscape, UnescapeFailures) {
  const char16_t* bad[] = {
      u"a%4",        u"%",      u"%G1",      u"caf\u00e9", u"%C3",     // cut sequence
      u"%C0%BC",     u"%ED%A0%80",  u"%80",  u"%FF",        u"%F4%90%80%80",
  };
  for (const char16_t* text : bad) {
    String out = u"old";
    EXPECT_FALSE(Uri::UnescapeUtf8(text, out)) << U8(text);
  }
  String out;
  EXPECT_TRUE(Uri::UnescapeUtf8(u"%2f%2F%41b", out));
  EXPECT_EQ(out, u"//Ab");
}

TEST(UrlToFileName, Cases) {
  struct Case {
    const char16_t* url;
    const char16_t* name;  // nullptr: fails
  } cases[] = {
      {u"file://localhost/home/u/a%20b.xml", u"/home/u/a b.xml"},
      {u"file:///home/u/x.xml", u"/home/u/x.xml"},
      {u"file:///x.xml", u"/x.xml"},
      {u"file://localhost/", u"/"},
      {u"file:///C:/x%5Cy", u"/C:/x\\y"},
      {u"file:///a%2Fb", u"/a/b"},
      {u"file:///caf%C3%A9", u"/caf\u00e9"},
      {u"FILE:///x.xml", nullptr},
      {u"file://LOCALHOST/x.xml", nullptr},
      {u"file://other/x.xml", nullptr},
      {u"file:/x.xml", nullptr},
      {u"http://localhost/x.xml", nullptr},
      {u"file:///x%4", nullptr},
      {u"file:///x%G0", nullptr},
      {u"file:///caf\u00e9", nullptr},
      {u"file:///x%C3", nullptr},
      {u"file:///x%C0%AF", nullptr},
      {u"file:///x%00y", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.url));
    String name = u"old";
    EXPECT_EQ(Uri::UrlToFileName(c.url, name), c.name != nullptr);
    EXPECT_EQ(name, c.name ? c.name : u"");
  }
  String name;
  EXPECT_FALSE(Uri::UrlToFileName(String(u"file:///a\0b", 11), name));
}

} // namespace

namespace {

std::string CurrentDirectory() {
  char buffer[4096];
  return getcwd(buffer, sizeof buffer) ? buffer : "";
}

TEST(FileNameToUrl, AbsoluteNamesAndBack) {
  struct Case {
    const char16_t* name;
    const char16_t* url;
    const char16_t* back;  // the name the URL turns back into
  } cases[] = {
      {u"/home/u/a b.xml", u"file://localhost/home/u/a%20b.xml", u"/home/u/a b.xml"},
      {u"/tmp/C:\\x \u00e9.xml", u"file://localhost/tmp/C:%5Cx%20%C3%A9.xml", u"/tmp/C:\\x \u00e9.xml"},
      {u"/a/./b/../c#1%.xml", u"file://localhost/a/c%231%25.xml", u"/a/c#1%.xml"},
      {u"/", u"file://localhost/", u"/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.name));
    String url, back;
    ASSERT_TRUE(Uri::FileNameToUrl(c.name, url));
    EXPECT_EQ(url, c.url);
    CUri parsed;
    EXPECT_NO_THROW(parsed.Parse(url));
    ASSERT_TRUE(Uri::UrlToFileName(url, back));
    EXPECT_EQ(back, c.back);
  }
}

TEST(FileNameToUrl, RelativeNamesAndFailures) {
  String url;
  ASSERT_TRUE(Uri::FileNameToUrl(u"a b.xml", url));
  String expected;
  ASSERT_TRUE(Uri::EscapeUtf8(u"file://localhost" + Core::FromUtf8(CurrentDirectory()), expected));
  if (expected.back() != u'/') expected += u'/';
  EXPECT_EQ(url, expected + u"a%20b.xml");

  url = u"old";
  EXPECT_FALSE(Uri::FileNameToUrl(u"", url));
  EXPECT_FALSE(Uri::FileNameToUrl(String(u"/a") + char16_t(0xD800), url));
  EXPECT_EQ(url, u"old");
}

} // namespace
