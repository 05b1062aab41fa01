#include <gtest/gtest.h>

#include "RegExpTestSupport.h"

namespace {

struct Case {
  const char16_t* pattern;
  const char* flags;
  const char16_t* input;
  const char* expected;
};

void RunTable(const Case* begin, const Case* end) {
  for (const Case* c = begin; c != end; ++c) {
    EXPECT_EQ(RegExpTest::Run(c->pattern, c->flags, c->input), c->expected)
        << "/" << Core::ToUtf8(c->pattern) << "/" << c->flags << " on '" << Core::ToUtf8(c->input) << "'";
  }
}

#define RUN_TABLE(cases) RunTable(std::begin(cases), std::end(cases))

TEST(RegExpPattern, LiteralsAndEscapes) {
  const Case cases[] = {
      {u"abc*", "", u"xabccc", "@1 <abccc>"},  // the quantifier takes the last character only
      {u"abc*", "", u"abab", "@0 <ab>"},
      {u"a+", "", u"baa", "@1 <aa>"},
      {u"\\-\\.\\/\\\\", "", u"-./\\", "@0 <-./\\>"},
      {u"\\cA\\ca", "", u"\u0001\u0001", "@0 <\u0001\u0001>"},
      {u"\\x41\\u00e9\\u00E9", "", u"A\u00e9\u00e9", "@0 <A\u00e9\u00e9>"},
      {u"\\f\\n\\r\\t\\v", "", u"\f\n\r\t\v", "@0 <\f\n\r\t\v>"},
      {u"\\%\\ \\\u00e9", "", u"% \u00e9", "@0 <% \u00e9>"},
      {u"a.c", "", u"abc", "@0 <abc>"},
      {u"", "", u"", "@0 <>"},
      {u"", "", u"abc", "@0 <>"},
      {u"a|", "", u"b", "@0 <>"},
      {u"()", "", u"x", "@0 <> <>"},
      {u"x", "", u"", "null"},
  };
  RUN_TABLE(cases);
}

TEST(RegExpPattern, NulIsAnOrdinaryCodeUnit) {
  std::u16string input(u"a\0b", 3);
  EXPECT_EQ(RegExpTest::Run(u"\\0", "", input), std::string("@1 <\0>", 6));
  EXPECT_EQ(RegExpTest::Run(u"[\\0]b", "", input), std::string("@1 <\0b>", 7));
  EXPECT_EQ(RegExpTest::Run(std::u16string(u"a\0", 2), "", input), std::string("@0 <a\0>", 7));
}

TEST(RegExpPattern, SyntaxErrors) {
  const Case cases[] = {
      {u"*a", "", u"", "error 1"},
      {u"+", "", u"", "error 1"},
      {u"?", "", u"", "error 1"},
      {u"{2}", "", u"", "error 1"},
      {u"]", "", u"", "error 1"},
      {u"}", "", u"", "error 1"},
      {u"a**", "", u"", "error 1"},
      {u"^*", "", u"", "error 1"},
      {u"a{", "", u"", "error 0"},
      {u"a{x}", "", u"", "error 0"},
      {u"a{2,x}", "", u"", "error 0"},
      {u"a{3,2}", "", u"", "error 0"},
      {u"a{2,", "", u"", "error 0"},
      {u"a{2", "", u"", "error 6"},
      {u"a{2,3", "", u"", "error 6"},
      {u"(a", "", u"", "error 6"},
      {u"(?:a", "", u"", "error 6"},
      {u"(?=a", "", u"", "error 6"},
      {u"\\", "", u"", "error 2"},
      {u"a\\", "", u"", "error 2"},
      {u"\\c1", "", u"", "error 2"},
      {u"\\c", "", u"", "error 2"},
      {u"\\x4", "", u"", "error 2"},
      {u"\\x4g", "", u"", "error 2"},
      {u"\\u00e", "", u"", "error 2"},
      {u"\\$", "", u"", "error 4"},
      {u"\\_", "", u"", "error 4"},
      {u"\\q", "", u"", "error 4"},
      {u"a\\q", "", u"", "error 4"},
      {u"[\\B]", "", u"", "error 4"},
      {u"[\\q]", "", u"", "error 4"},
      {u"(a)\\2", "", u"", "error 3"},
      {u"[abc", "", u"", "error 5"},
      {u"[a-", "", u"", "error 5"},
      {u"[a\\", "", u"", "error 5"},
      {u"[\\d-z]", "", u"", "error 5"},
      {u"[a-\\d]", "", u"", "error 5"},
      // Text after a ')' that closes no group is refused, not dropped.
      {u"a)b", "", u"a", "error 1"},
      {u")", "", u"", "error 1"},
      {u"(a))", "", u"", "error 1"},
  };
  RUN_TABLE(cases);
}

// Numbers in patterns beyond 32 bits are errors, found without overflowing.
TEST(RegExpPattern, NumbersBeyondTheirRange) {
  const Case cases[] = {
      {u"a{2147483647}", "", u"aa", "null"},
      {u"a{0,2147483647}", "", u"aa", "@0 <aa>"},
      {u"a{2147483648}", "", u"", "error 0"},
      {u"a{0,2147483648}", "", u"", "error 0"},
      {u"a{99999999999999999999,}", "", u"", "error 0"},
      {u"a{4294967297}", "", u"", "error 0"},
      {u"\\2147483648", "", u"", "error 3"},
      {u"\\4294967297", "", u"", "error 3"},
      {u"(a)\\2147483647", "", u"", "error 3"},
      {u"[\\65535]", "", u"\uffff", "@0 <\uffff>"},
      {u"[\\65536]", "", u"", "error 3"},
      {u"[\\99999999999999999999]", "", u"", "error 3"},
  };
  RUN_TABLE(cases);
}

TEST(RegExpPattern, Classes) {
  const Case cases[] = {
      {u"[0-9]+", "", u"a1b22", "@1 <1>"},
      {u"[^0-9]+", "", u"12ab3", "@2 <ab>"},
      {u"[]", "", u"abc", "null"},
      {u"[]|a", "", u"a", "@0 <a>"},
      {u"[^]", "", u"", "null"},
      {u"[^]", "", u"\n", "@0 <\n>"},
      {u"[z-a]", "", u"az", "null"},
      {u"[a-]+", "", u"x-a-", "@1 <-a->"},
      {u"[-a]+", "", u"x-a", "@1 <-a>"},
      {u"[\\d\\s]+", "", u"a1 2b", "@1 <1 2>"},
      {u"[^\\d\\s]+", "", u"1 ab2", "@2 <ab>"},
      {u"[\\w-]+", "", u"", "error 5"},  // even before ']'
      {u"[\\da]+", "", u"xa1a", "@1 <a1a>"},
      {u"[a\\u0200]+", "", u"\u0200a\u0201", "@0 <\u0200a>"},
      {u"[\\b]", "", u"a\bb", "@1 <\b>"},
      {u"[\\-\\]]+", "", u"a-]", "@1 <-]>"},
      {u"[\\x41-\\x43]+", "", u"ABCD", "@0 <ABC>"},
      {u"[\\1]", "", u"\u0001", "@0 <\u0001>"},
      {u"[]a]", "", u"a", "error 1"},  // '[]' ends at once; 'a]' follows
  };
  RUN_TABLE(cases);
}

TEST(RegExpPattern, CharacterSets) {
  const Case cases[] = {
      {u"\\s+", "", u"x\t\n\v\f\r \u00a0\u2003", "@1 <\t\n\v\f\r \u00a0>"},
      {u"\\S+", "", u" \u2003\u0085 ", "@1 <\u2003\u0085>"},
      {u"\\d+", "", u"x0123456789\u0660", "@1 <0123456789>"},
      {u"\\D+", "", u"12ab3", "@2 <ab>"},
      {u"\\w+", "", u"#aZ_09\u00e9", "@1 <aZ_09>"},
      {u"\\W+", "", u"a#\u00e9b", "@1 <#\u00e9>"},
      {u".", "", u"\n\r\u2028\u2029\u0085", "@4 <\u0085>"},
      {u".+", "", u"ab\ncd", "@0 <ab>"},
  };
  RUN_TABLE(cases);
}

TEST(RegExpPattern, Assertions) {
  const Case cases[] = {
      {u"\\ba", "", u"a", "@0 <a>"},
      {u"\\Ba", "", u"a", "null"},
      {u"a\\b", "", u"a", "@0 <a>"},
      {u"\\bfoo\\b", "", u"a foot foo", "@7 <foo>"},
      {u"\\Boo", "", u"oo foo", "@4 <oo>"},
      {u"^b", "", u"a\nb", "null"},
      {u"^b", "m", u"a\nb", "@2 <b>"},
      {u"^b", "m", u"a\rb", "@2 <b>"},
      {u"^b", "m", u"a\u2028b", "@2 <b>"},
      {u"^b", "m", u"a\u0085b", "null"},
      {u"a$", "", u"a\nb", "null"},
      {u"a$", "m", u"a\nb", "@0 <a>"},
      {u"a$", "m", u"a\u2029b", "@0 <a>"},
      {u"a$", "", u"ba", "@1 <a>"},
      {u"^", "", u"", "@0 <>"},
      {u"$", "", u"ab", "@2 <>"},
      {u"(?=(a))a", "", u"a", "@0 <a> <a>"},
      {u"(?!(a))b", "", u"b", "@0 <b> _"},
      {u"a(?=b)", "", u"acab", "@2 <a>"},
      {u"a(?!b)", "", u"abac", "@2 <a>"},
      // A lookahead is atomic: backtracking never re-enters it.
      {u"(?=(a+))a*b\\1", "", u"baaabac", "@3 <aba> <a>"},
      {u"(.*?)a(?!(a+)b\\2c)\\2(.*)", "", u"baaabaac", "@0 <baaabaac> <ba> _ <abaac>"},
  };
  RUN_TABLE(cases);
}

TEST(RegExpPattern, QuantifiersAndGroups) {
  const Case cases[] = {
      {u"a+?", "", u"aaa", "@0 <a>"},
      {u"a{2,3}", "", u"aaaa", "@0 <aaa>"},
      {u"a{2,3}?", "", u"aaaa", "@0 <aa>"},
      {u"a{2,}", "", u"aaaa", "@0 <aaaa>"},
      {u"a{2}", "", u"aaaa", "@0 <aa>"},
      {u"a{0}", "", u"aaa", "@0 <>"},
      {u"a??b", "", u"ab", "@0 <ab>"},
      {u"(a*)*", "", u"b", "@0 <> _"},
      {u"(a*)+", "", u"b", "@0 <> <>"},
      {u"(a|ab)(c|bcd)(d*)", "", u"abcd", "@0 <abcd> <a> <bcd> <>"},
      {u"(z)((a+)?(b+)?(c))*", "", u"zaacbbbcac", "@0 <zaacbbbcac> <z> <ac> <a> _ <c>"},
      {u"(a)|b", "", u"b", "@0 <b> _"},
      {u"(a)|(b)", "", u"b", "@0 <b> _ <b>"},
      {u"((a)(b))", "", u"ab", "@0 <ab> <ab> <a> <b>"},
      {u"(?:(a)(b))*", "", u"abab", "@0 <abab> <a> <b>"},
      {u"(?:a|b)*?c", "", u"abc", "@0 <abc>"},
      {u"(a)?b\\1", "", u"b", "@0 <b> _"},
      {u"\\1(a)", "", u"a", "@0 <a> <a>"},
      {u"(a)\\1", "", u"aa", "@0 <aa> <a>"},
      {u"((a)|b)+", "", u"ab", "@0 <ab> <b> _"},
      {u"(a+)(a+)", "", u"aaaa", "@0 <aaaa> <aaa> <a>"},
      {u"(a+?)(a+)", "", u"aaaa", "@0 <aaaa> <a> <aaa>"},
      {u"x*y+$", "", u"xxyyxyy", "@4 <xyy>"},
      {u"(\\d+)-(\\d+)", "", u"tel 12-345", "@4 <12-345> <12> <345>"},
  };
  RUN_TABLE(cases);
}

TEST(RegExpPattern, IgnoreCaseFoldsAsciiLettersOnly) {
  const Case cases[] = {
      {u"A", "i", u"a", "@0 <a>"},
      {u"abc", "i", u"xABC", "@1 <ABC>"},
      {u"[A-Z]", "i", u"q", "@0 <q>"},
      {u"[a-z]", "i", u"Q", "@0 <Q>"},
      {u"[a-c]+", "i", u"xaBc", "@1 <aBc>"},
      {u"[^a]", "i", u"aA", "null"},
      {u"[^a-z]", "i", u"Q1", "@1 <1>"},
      {u"(a)\\1", "i", u"aA", "@0 <aA> <a>"},
      {u"\u00e9", "i", u"\u00c9", "null"},
      {u"[\u00e9]", "i", u"\u00c9", "null"},
      {u"A", "", u"a", "null"},
  };
  RUN_TABLE(cases);
}

TEST(RegExpPattern, Messages) {
  auto message = [](const char16_t* pattern) {
    try {
      Core::Make<RegExp::CRegExp>()->Compile(pattern, false, false, false);
    } catch (const RegExpPrivate::CParserException& e) {
      return Core::ToUtf8(e.GetMessage());
    }
    return std::string();
  };
  EXPECT_EQ(message(u"a{"), "Invalid quantifier prefix");
  EXPECT_EQ(message(u"*"), "Invalid atom");
  EXPECT_EQ(message(u"\\"), "Invalid atom escape");
  EXPECT_EQ(message(u"(a)\\2"), "Invalid decimal escape");
  EXPECT_EQ(message(u"\\q"), "Invalid character escape");
  EXPECT_EQ(message(u"[a"), "Invalid character class");
  EXPECT_EQ(message(u"(a"), "Missing token, ')' expected");
  EXPECT_EQ(message(u"a{2"), "Missing token, '}' expected");
  EXPECT_EQ(message(std::u16string(300, u'(').c_str()), "Pattern nested too deeply");
  EXPECT_EQ(Core::ToUtf8(RegExpPrivate::CParserException(99).GetMessage()), "Unclassified RegExp parser exception");
}

} // namespace

namespace {

// A quantifier over a single code unit runs by a shorter road than one over
// anything else; both must find the same matches. '(?:x|[])' is x for the
// matcher, but takes the general road.
TEST(RegExpPattern, SingleUnitQuantifiersMatchLikeAnyOther) {
  const char16_t* atoms[] = {u"a", u"[ab]", u".", u"\\w", u"[^b]"};
  const char16_t* quantifiers[] = {u"*", u"+", u"?", u"{2}", u"{2,}", u"{1,3}", u"{0}", u"{0,1}"};
  const char16_t* continuations[] = {u"", u"b", u"a", u"$", u"ab", u"(b)"};
  const char16_t* inputs[] = {u"", u"a", u"aab", u"aaaa", u"abab", u"baaab", u"aaaaaab"};
  for (const char16_t* atom : atoms) {
    for (const char16_t* quantifier : quantifiers) {
      for (const char16_t* lazy : {u"", u"?"}) {
        for (const char16_t* continuation : continuations) {
          std::u16string tail = std::u16string(quantifier) + lazy + continuation;
          std::u16string fast = atom + tail;
          std::u16string general = u"(?:" + std::u16string(atom) + u"|[])" + tail;
          for (const char16_t* input : inputs) {
            for (const char* flags : {"", "i"}) {
              ASSERT_EQ(RegExpTest::Run(fast, flags, input), RegExpTest::Run(general, flags, input))
                  << Core::ToUtf8(fast) << " on '" << Core::ToUtf8(input) << "'";
            }
          }
        }
      }
    }
  }
}

} // namespace
