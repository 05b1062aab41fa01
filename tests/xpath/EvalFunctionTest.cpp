#include <gtest/gtest.h>

#include <string>

#include "xpath/support/EvalFixture.h"

namespace {

using XpathTest::CEvalFixture;

class EvalFunctions : public CEvalFixture {
protected:
  EvalFunctions() {
    Load(u"<r xml:lang='EN-us'><p:item xmlns:p='urn:p' id='b'>x</p:item><t id='a'> 12 </t>"
         u"<ref>a b</ref><ref>zz</ref><n>1</n><n>2</n><n>x</n><m>&#x10000;</m>"
         u"<l xml:lang=''><e/></l><g xml:lang='en'><h><k/></h></g><!--c--></r>");
  }
};

TEST_F(EvalFunctions, Library) {
  Core::XInterface<Xpath::CCoreFunctionLibrary> library = new Xpath::CCoreFunctionLibrary();
  EXPECT_TRUE(library->HasFunction(u"", u"concat"));
  EXPECT_FALSE(library->HasFunction(u"urn:x", u"concat"));
  EXPECT_FALSE(library->HasFunction(u"", u"Concat"));
  EXPECT_EQ(library->GetFunction(u"", u"count").Get(), library->GetFunction(u"", u"count").Get());
  EXPECT_FALSE(library->GetFunction(u"urn:x", u"count"));
  EXPECT_FALSE(library->GetFunction(u"", u"current"));
  const char16_t* names[] = {u"last", u"position", u"count", u"id", u"local-name", u"namespace-uri", u"name",
                             u"string", u"concat", u"starts-with", u"contains", u"substring-before",
                             u"substring-after", u"substring", u"string-length", u"normalize-space",
                             u"translate", u"boolean", u"not", u"true", u"false", u"lang", u"number", u"sum",
                             u"floor", u"ceiling", u"round"};
  for (const char16_t* name : names) EXPECT_TRUE(library->HasFunction(u"", name)) << Core::ToUtf8(name);
}

TEST_F(EvalFunctions, NodeSetFunctions) {
  struct Case {
    const char16_t* text;
    const char* expected;
  } cases[] = {
      {u"count(//n)", "number 3"},
      {u"count(//n | //ref)", "number 5"},
      {u"//n[last()]", "n"},
      {u"//n[position() = 2] = 2", "boolean true"},
      {u"string(//n[last() - 1])", "string 2"},
      {u"last()", "number 1"},
      {u"position()", "number 1"},
      {u"local-name(/nothing)", "string "},
      {u"namespace-uri(/nothing)", "string "},
      {u"name(/nothing)", "string "},
      {u"name(/r/*[1])", "string p:item"},
      {u"local-name(/r/*[1])", "string item"},
      {u"namespace-uri(/r/*[1])", "string urn:p"},
      {u"name(/r/t/text())", "string #text"},
      {u"name(/)", "string #document"},
      {u"name(//comment())", "string #comment"},
      {u"name(/r/@*)", "string xml:lang"},
      {u"local-name(/r/*)", "string item"},
      {u"name()", "string #document"},
      {u"id('a  b\ta')", "p:item t"},
      {u"id('b a')", "p:item t"},
      {u"id('')", ""},
      {u"id('   ')", ""},
      {u"id('nothing')", ""},
      {u"id(//ref)", "p:item t"},
      {u"id(//ref[2])", ""},
      {u"id(1)", ""},
      {u"id('a')/text() = ' 12 '", "boolean true"},
  };
  for (const auto& c : cases) EXPECT_EQ(Eval(c.text), c.expected) << Core::ToUtf8(c.text);
}

TEST_F(EvalFunctions, StringFunctions) {
  struct Case {
    const char16_t* text;
    const char* expected;
  } cases[] = {
      {u"string(1 div 3)", "string 0.333333"},
      {u"string(//n)", "string 1"},
      {u"string(false())", "string false"},
      {u"string(/r/t)", "string  12 "},
      {u"concat(1, true(), 'x')", "string 1truex"},
      {u"concat('a', 'b', 'c', 'd')", "string abcd"},
      {u"starts-with('ab', 'abc')", "boolean false"},
      {u"starts-with('abc', '')", "boolean true"},
      {u"starts-with('abc', 'ab')", "boolean true"},
      {u"contains('', '')", "boolean true"},
      {u"contains('abc', 'bc')", "boolean true"},
      {u"contains('abc', 'cb')", "boolean false"},
      {u"substring-before('abc', '')", "string "},
      {u"substring-before('1999/04/01', '/')", "string 1999"},
      {u"substring-after('abc', '')", "string abc"},
      {u"substring-after('abc', 'c')", "string "},
      {u"substring-after('1999/04/01', '/')", "string 04/01"},
      {u"substring-after('abc', 'x')", "string "},
      {u"substring('abcde', 1.5, 2.6)", "string bcd"},
      {u"substring('abcde', 0, 3)", "string ab"},
      {u"substring('abcde', 2)", "string bcde"},
      {u"substring('abcde', 0 div 0, 3)", "string "},
      {u"substring('abcde', 1, 0 div 0)", "string "},
      {u"substring('abcde', -42, 1 div 0)", "string abcde"},
      {u"substring('abcde', -1 div 0, 1 div 0)", "string "},
      {u"substring('abcde', 3, -1)", "string "},
      {u"substring('abcde', 7)", "string "},
      {u"substring('abcde', 0 div 0)", "string "},
      {u"substring('abcde', 5, 1e0)", "error 3"},
      {u"substring('abcde', 5, 100)", "string e"},
      {u"substring('abcde', 1 div 0)", "string "},
      {u"string-length('abc')", "number 3"},
      {u"string-length(/r/m)", "number 2"},
      {u"string-length()", "number 15"},
      {u"normalize-space('\t a\r\n  b ')", "string a b"},
      {u"normalize-space('  \t ')", "string "},
      {u"normalize-space(/r/t)", "string 12"},
      {u"translate('bar', 'abc', 'ABC')", "string BAr"},
      {u"translate('--aaa--', 'abc-', 'ABC')", "string AAA"},
      {u"translate('aa', 'aa', 'xy')", "string xx"},
      {u"translate('abc', '', 'xyz')", "string abc"},
  };
  for (const auto& c : cases) EXPECT_EQ(Eval(c.text), c.expected) << Core::ToUtf8(c.text);
  EXPECT_EQ(Eval(u"string()", Node(u"/r/t")), "string  12 ");
  EXPECT_EQ(Eval(u"normalize-space()", Node(u"/r/t")), "string 12");
  EXPECT_EQ(Eval(u"string-length()", Node(u"/r/t")), "number 4");
}

TEST_F(EvalFunctions, BooleanAndNumberFunctions) {
  struct Case {
    const char16_t* context;
    const char16_t* text;
    const char* expected;
  } cases[] = {
      {u"/r/t", u"lang('en')", "boolean true"},
      {u"/r/t", u"lang('en-US')", "boolean true"},
      {u"/r/t", u"lang('EN')", "boolean true"},
      {u"/r/t", u"lang('e')", "boolean false"},
      {u"/r/t", u"lang('EN-US-x')", "boolean false"},
      {u"/r/g/h/k", u"lang('en')", "boolean true"},
      {u"/r/l/e", u"lang('en')", "boolean false"},
      {u"/", u"lang('en')", "boolean false"},
      {u"/", u"lang($undefined)", "error 14"},
      {u"/", u"sum(/nothing)", "number 0"},
      {u"/", u"sum(//n)", "number NaN"},
      {u"/", u"sum(//n[. != 'x'])", "number 3"},
      {u"/", u"round(-0.5)", "number 0"},
      {u"/", u"1 div round(-0.5)", "number -Infinity"},
      {u"/", u"round(-0.6)", "number -1"},
      {u"/", u"round(2.5)", "number 3"},
      {u"/", u"round(-2.5)", "number -2"},
      {u"/", u"round(0 div 0)", "number NaN"},
      {u"/", u"floor(-1.5)", "number -2"},
      {u"/", u"ceiling(-1.5)", "number -1"},
      {u"/", u"ceiling('x')", "number NaN"},
      {u"/r/t", u"number()", "number 12"},
      {u"/", u"number('1e3')", "number NaN"},
      {u"/", u"number(true())", "number 1"},
      {u"/", u"not(/nothing)", "boolean true"},
      {u"/", u"boolean('false')", "boolean true"},
      {u"/", u"boolean(0)", "boolean false"},
      {u"/", u"true()", "boolean true"},
      {u"/", u"false()", "boolean false"},
  };
  for (const auto& c : cases) {
    Dom::XNode node = Node(c.context);
    ASSERT_TRUE(node) << Core::ToUtf8(c.context);
    EXPECT_EQ(Eval(c.text, node), c.expected) << Core::ToUtf8(c.text);
  }
}

TEST_F(EvalFunctions, ArgumentErrors) {
  struct Case {
    const char16_t* text;
    const char* message;
  } cases[] = {
      {u"count()", "Invalid number of 'count' arguments"},
      {u"count('a')", "Invalid 'count' argument type (position 1)"},
      {u"count(1, 'a')", "Invalid number of 'count' arguments"},
      {u"true(1)", "Invalid number of 'true' arguments"},
      {u"concat('a')", "Invalid number of 'concat' arguments"},
      {u"sum(1)", "Invalid 'sum' argument type (position 1)"},
      {u"local-name(1)", "Invalid 'local-name' argument type (position 1)"},
      {u"namespace-uri('x')", "Invalid 'namespace-uri' argument type (position 1)"},
      {u"name(true())", "Invalid 'name' argument type (position 1)"},
      {u"last(1)", "Invalid number of 'last' arguments"},
      {u"position(1)", "Invalid number of 'position' arguments"},
      {u"id()", "Invalid number of 'id' arguments"},
      {u"name(/, /)", "Invalid number of 'name' arguments"},
      {u"string(1, 2)", "Invalid number of 'string' arguments"},
      {u"starts-with('a')", "Invalid number of 'starts-with' arguments"},
      {u"contains('a')", "Invalid number of 'contains' arguments"},
      {u"substring-before('a')", "Invalid number of 'substring-before' arguments"},
      {u"substring-after('a')", "Invalid number of 'substring-after' arguments"},
      {u"substring('a')", "Invalid number of 'substring' arguments"},
      {u"substring('a', 1, 2, 3)", "Invalid number of 'substring' arguments"},
      {u"string-length('a', 'b')", "Invalid number of 'string-length' arguments"},
      {u"normalize-space('a', 'b')", "Invalid number of 'normalize-space' arguments"},
      {u"translate('a', 'b')", "Invalid number of 'translate' arguments"},
      {u"boolean()", "Invalid number of 'boolean' arguments"},
      {u"not()", "Invalid number of 'not' arguments"},
      {u"false(1)", "Invalid number of 'false' arguments"},
      {u"lang()", "Invalid number of 'lang' arguments"},
      {u"number(1, 2)", "Invalid number of 'number' arguments"},
      {u"floor()", "Invalid number of 'floor' arguments"},
      {u"ceiling()", "Invalid number of 'ceiling' arguments"},
      {u"round()", "Invalid number of 'round' arguments"},
      {u"sum()", "Invalid number of 'sum' arguments"},
      {u"unknown(1 div 0, $unbound)", "Function ':unknown' (namespace ) not found in expression context"},
      {u"q:f()", "Prefix 'q' not found in expression context"},
      {u"$q:x", "Prefix 'q' not found in expression context"},
      {u"$x", "Variable ':x' (namespace ) not bound in expression context"},
      {u"f($p:x, $undefined)", "Function ':f' (namespace ) not found in expression context"},
      {u"concat($undefined, $p:x)", "Variable ':undefined' (namespace ) not bound in expression context"},
  };
  for (const auto& c : cases) EXPECT_EQ(Message(c.text), c.message) << Core::ToUtf8(c.text);

  m_host.Namespaces().Declare(u"u", u"urn:u");
  m_host.Variables().Bind(u"", u"x", XpathTest::Number(1));
  EXPECT_EQ(Message(u"u:count(/)"), "Function 'u:count' (namespace urn:u) not found in expression context");
  EXPECT_EQ(Message(u"$u:x"), "Variable 'u:x' (namespace urn:u) not bound in expression context");
}

// String arguments are read in place (string values, text and attribute
// nodes) and long results share their text; the values stay right whatever
// is built from them afterwards.
TEST_F(EvalFunctions, StringFunctionsOverLongStrings) {
  Core::String words;
  for (int i = 0; i < 100; ++i) words += Core::FromUtf8(std::to_string(i)) + u" ";
  m_host.Variables().Bind(u"", u"words", XpathTest::String(words));
  std::string w = Core::ToUtf8(words);
  struct Case {
    const char16_t* text;
    std::string expected;
  } cases[] = {
      {u"substring-after($words, '9 ')", "string " + w.substr(w.find("9 ") + 2)},
      {u"substring-before($words, '99')", "string " + w.substr(0, w.find("99"))},
      {u"substring($words, 3)", "string " + w.substr(2)},
      {u"substring($words, 3, 5)", "string " + w.substr(2, 5)},
      {u"string-length(substring-after(substring-after($words, '1 '), '2 '))",
       "number " + std::to_string(w.size() - w.find("2 ") - 2)},
      {u"concat(substring-after($words, '98 '), '|', substring-after($words, '97 '))", "string 99 |98 99 "},
      {u"concat($words, /r/@*, /r/t, //ref, 7)", "string " + w + "EN-us 12 a b7"},
      {u"concat(/r/t, $words) = concat(string(/r/t), $words)", "boolean true"},
      {u"string($words) = $words", "boolean true"},
      {u"contains(concat($words, 'end'), '99 end')", "boolean true"},
      {u"starts-with(substring-after($words, '50 '), '51 52')", "boolean true"},
      {u"translate(substring($words, 1, 6), '0123', 'abc')", "string a b c "},
      {u"normalize-space(substring-after($words, '96'))", "string 97 98 99"},
  };
  for (const auto& c : cases) EXPECT_EQ(Eval(c.text), c.expected) << Core::ToUtf8(c.text);
}

TEST_F(EvalFunctions, LiteralsGiveNewValuesEachTime) {
  Core::XInterface<Xpath::CExpr> expr = XpathTest::Compile(u"'text'");
  auto context = m_host.MakeContext(m_document);
  auto a = expr->Evaluate(context.Get());
  auto b = expr->Evaluate(context.Get());
  EXPECT_NE(a.Get(), b.Get());
  EXPECT_EQ(a->GetString(), b->GetString());
}

} // namespace
