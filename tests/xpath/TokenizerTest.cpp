#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xpath/Tokenizer.h"
#include "xpath/XpathException.h"

namespace {

using namespace XpathPrivate;

// Token kinds and their payloads, written compactly: "11:a" is a name test
// a, "13#3" the operator name div, "29=0.5" the number 0.5.
std::string Describe(const CToken& t) {
  std::string s = std::to_string(t.kind);
  switch (t.kind) {
  case TokenNameTest:
  case TokenFunctionName:
  case TokenLiteral:
  case TokenVariableReference:
    s += ":" + Core::ToUtf8(t.text);
    break;
  case TokenNodeType:
  case TokenOperatorName:
  case TokenAxisName:
    s += "#" + std::to_string(t.code);
    break;
  case TokenNumber:
    s += "=" + Core::ToUtf8(t.number.ToString());
    break;
  default:
    break;
  }
  return s;
}

std::string Tokens(const char16_t* text) {
  CTokenizer tokenizer;
  tokenizer.SetInput(text);
  CToken token;
  std::string out;
  for (int guard = 0; guard < 100; ++guard) {
    tokenizer.NextToken(token);
    if (token.kind == TokenEnd) break;
    if (!out.empty()) out += ' ';
    out += Describe(token);
  }
  return out;
}

TEST(Tokenizer, Disambiguation) {
  struct Case {
    const char16_t* text;
    const char* tokens;
  } cases[] = {
      {u"a*b", "11:a 14 11:b"},
      {u"*", "11:*"},
      {u"(*)", "2 11:* 3"},
      {u"a[*]", "11:a 4 11:* 5"},
      {u"f(a,*)", "26:f 2 11:a 9 11:* 3"},
      {u"@*", "8 11:*"},
      {u"child::*", "27#3 10 11:*"},
      {u"1+*", "29=1 18 11:*"},
      {u"a and *", "11:a 13#0 11:*"},
      {u"div div div", "11:div 13#3 11:div"},
      {u"a-b", "11:a-b"},
      {u"a - b", "11:a 19 11:b"},
      {u"1-2", "29=1 19 29=2"},
      {u"count (x)", "26:count 2 11:x 3"},
      {u"child :: x", "27#3 10 11:x"},
      {u"text()", "12#1 2 3"},
      {u"comment ()", "12#0 2 3"},
      {u"processing-instruction('a')", "12#2 2 28:a 3"},
      {u"p:text()", "26:p:text 2 3"},
      {u"p:*", "11:p:*"},
      {u"p:q", "11:p:q"},
      {u"a and b or c mod d", "11:a 13#0 11:b 13#1 11:c 13#2 11:d"},
      {u".5", "29=0.5"},
      {u"5.", "29=5"},
      {u"..5", "7 29=5"},
      {u"1.2.3", "29=1.2 29=0.3"},
      {u". ..", "6 7"},
      {u"'a\"b' \"c'd\"", "28:a\"b 28:c'd"},
      {u"''", "28:"},
      {u"$a:b $x $a:", "30:a:b 30:x 30:a:"},
      {u"a!=b<=c>=d<e>f", "11:a 21 11:b 23 11:c 25 11:d 22 11:e 24 11:f"},
      {u"//a/b|c", "16 11:a 15 11:b 17 11:c"},
      {u"@x = 1", "8 11:x 20 29=1"},
      {u"\u00e9t\u00e9", "11:\xc3\xa9t\xc3\xa9"},
      {u"a\u00a0", "11:a\xc2\xa0"},
      {u" \t\r\n", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Tokens(c.text), c.tokens) << Core::ToUtf8(c.text);
  }
}

TEST(Tokenizer, AxisNamesHaveTheirTableCodes) {
  const char16_t* names[] = {u"ancestor",        u"ancestor-or-self",   u"attribute", u"child",
                             u"descendant",      u"descendant-or-self", u"following", u"following-sibling",
                             u"namespace",       u"parent",             u"preceding", u"preceding-sibling",
                             u"self"};
  for (int i = 0; i < 13; ++i) {
    EXPECT_EQ(Tokens((Core::String(names[i]) + u"::x").c_str()), std::to_string(27) + "#" + std::to_string(i) + " 10 11:x");
    EXPECT_EQ(FindKeyword(AxisNames, names[i]), i);
  }
  EXPECT_EQ(FindKeyword(AxisNames, u"Child"), -1);
  EXPECT_EQ(FindKeyword(OperatorNames, u"div"), OperatorDiv);
  EXPECT_EQ(FindKeyword(NodeTypeNames, u"node"), NodeTypeNode);
}

TEST(Tokenizer, Errors) {
  struct Case {
    const char16_t* text;
    int code;
    const char* argument;
  } cases[] = {
      {u"!", 0, ""},
      {u"!x", 0, ""},
      {u":", 0, ""},
      {u"#", 0, ""},
      {u"a \u0080", 0, ""},
      {u"p: x", 0, ""},
      {u"'abc", 1, ""},
      {u"\"abc'", 1, ""},
      {u"$ x", 2, ""},
      {u"$1", 2, ""},
      {u"a AND b", 3, "AND"},
      {u"a p:and b", 3, "p:and"},
      {u"1 x", 3, "x"},
      {u"p:*()", 4, "p:*"},
      {u"foo::x", 5, "foo"},
      {u"p:child::x", 5, "p:child"},
  };
  for (const auto& c : cases) {
    try {
      Tokens(c.text);
      ADD_FAILURE() << "no error for " << Core::ToUtf8(c.text);
    } catch (const Xpath::CXpathException& e) {
      EXPECT_EQ(e.GetCode(), c.code) << Core::ToUtf8(c.text);
      EXPECT_EQ(Core::ToUtf8(e.GetArg(0)), c.argument) << Core::ToUtf8(c.text);
    }
  }
}

TEST(Tokenizer, EmbeddedNulIsNotTheEnd) {
  CTokenizer tokenizer;
  tokenizer.SetInput(Core::String(u"1", 1) + u'\0' + u"x");
  CToken token;
  tokenizer.NextToken(token);
  EXPECT_EQ(token.kind, TokenNumber);
  try {
    tokenizer.NextToken(token);
    ADD_FAILURE() << "NUL accepted";
  } catch (const Xpath::CXpathException& e) {
    EXPECT_EQ(e.GetCode(), 0);
  }
}

} // namespace
