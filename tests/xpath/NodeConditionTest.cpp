// Predicates that read only the context node (its names compared with a
// value, self::T, and not, and, or over these) are tested on the node in
// place, without calling functions or building values; results and errors
// stay those of the general evaluation.
#include <gtest/gtest.h>

#include "xpath/support/EvalFixture.h"

namespace {

using Core::XInterface;
using XpathTest::CEvalFixture;

class NodeConditions : public CEvalFixture {
protected:
  NodeConditions() {
    Load(u"<r xmlns:p='urn:p' a='1' p:b='2'>"
         u"<x/><p:x/><y p:c='x'>text</y><!--c--><?x data?><?pi?>"
         u"<d xmlns='urn:d'><x/><p:x/></d>"
         u"<section/><sectioninfo/><n>1</n><s>section</s></r>");
    m_host.Namespaces().Declare(u"p", u"urn:p");
    m_host.Namespaces().Declare(u"d", u"urn:d");
    m_host.Variables().Bind(u"", u"s", XpathTest::String(u"x"));
    m_host.Variables().Bind(u"", u"one", XpathTest::Number(1));
    m_host.Variables().Bind(u"", u"values", Evaluate(u"//@p:c | /r/s", m_document));
  }
  ~NodeConditions() override {
    for (const char16_t* name : {u"s", u"one", u"values"}) m_host.Variables().Bind(u"", name, nullptr);
  }

  // Every node of the document, attributes and namespace nodes included.
  static constexpr const char16_t* All = u"(//node() | //@* | //namespace::*)";
};

TEST_F(NodeConditions, SameNodesAsTheGeneralEvaluation) {
  struct Case {
    const char16_t* predicate;
    const char* expected;  // null: only compared with the general evaluation
  } cases[] = {
      {u"local-name() = 'x'", "x p:x x p:x"},
      {u"local-name(.) = 'x'", "x p:x x p:x"},
      {u"'x' = local-name()", "x p:x x p:x"},
      {u"local-name(self::node()) = 'x'", "x p:x x p:x"},
      {u"local-name() != 'x'", nullptr},
      {u"name() = 'p:x'", "p:x p:x"},
      {u"name(.) = 'x'", "x ?x x"},
      {u"name() = 'p'", "ns:p ns:p"},
      {u"name() = '#text'", "text text text"},
      {u"name() = '#comment'", "comment"},
      {u"name() = 'p:b'", "@p:b"},
      {u"namespace-uri() = 'urn:p'", "@p:b p:x @p:c p:x"},
      {u"namespace-uri() = 'urn:d'", "d x"},
      {u"namespace-uri(.) != ''", "@p:b p:x @p:c d x p:x"},
      {u"namespace-uri() = ''", nullptr},
      // values of other kinds compare by their own rules
      {u"local-name() = $s", "x p:x x p:x"},
      {u"$s != local-name()", nullptr},
      {u"local-name() = $values", "x p:x x p:x section"},
      {u"$values = name()", "x ?x x section"},
      {u"local-name() != $values", nullptr},
      {u"local-name() = 1", ""},
      {u"name() != $one", nullptr},
      {u"local-name() = true()", nullptr},
      {u"false() = local-name()", nullptr},
      {u"local-name() = concat('sec', 'tion')", "section"},
      {u"local-name() = concat(name(/r/section), 'info')", "sectioninfo"},
      {u"local-name() = local-name(..)", nullptr},
      {u"local-name() = name(following-sibling::*[1])", nullptr},
      {u"local-name() = string(/r/s)", "section"},
      // self tests, and not, and, or over the conditions
      {u"self::x", "x"},
      {u"self::p:x", "p:x p:x"},
      {u"self::d:x", "x"},
      {u"self::p:*", "@p:b p:x @p:c p:x"},
      {u"self::*", nullptr},
      {u"self::node()", nullptr},
      {u"self::text()", "text text text"},
      {u"self::comment()", "comment"},
      {u"self::processing-instruction('x')", "?x"},
      {u"not(self::x)", nullptr},
      {u"not(not(self::x))", "x"},
      {u"boolean(self::y)", "y"},
      {u"self::x or self::y", "x y"},
      {u"self::x or self::y or self::section or local-name() = 'n'", "x y section n"},
      {u"self::* and local-name() = 'x'", "x p:x x p:x"},
      {u"not(self::x) and not(self::p:x) and local-name() = 'x'", "x"},
      {u"self::x or name() = 'a'", "@a x"},
  };
  for (const auto& c : cases) {
    Core::String text = Core::String(All) + u"[" + c.predicate + u"]";
    // "and true()" leaves the predicate to the general evaluation
    Core::String general = Core::String(All) + u"[(" + c.predicate + u") and true()]";
    std::string result = Eval(text);
    EXPECT_EQ(result, Eval(general)) << Core::ToUtf8(c.predicate);
    if (c.expected) {
      EXPECT_EQ(result, c.expected) << Core::ToUtf8(c.predicate);
    }
  }
}

TEST_F(NodeConditions, ErrorsOfTheGeneralEvaluation) {
  struct Case {
    const char16_t* text;
    const char* expected;
  } cases[] = {
      // an undeclared prefix raises at the first node of that local name
      {u"//*[self::q:x]", "error 13"},
      {u"//*[self::q:none]", ""},
      {u"//*[not(self::q:x)]", "error 13"},
      {u"//*[self::y or self::q:x]", "error 13"},
      {u"/r/*[self::x or self::q:x]", "x error 13"},
      {u"//*[local-name() = $undefined]", "error 14"},
      {u"//*[self::none and local-name() = $undefined]", ""},
      {u"//*[local-name() = q:f()]", "error 13"},
      {u"//*[local-name() = unknown()]", "error 15"},
      {u"//*[local-name(..) = 'x']", ""},
  };
  for (const auto& c : cases) {
    std::string result;
    // walked node by node, so that what comes before the error shows
    try {
      XInterface<Xpath::CValue> value = Evaluate(c.text, m_document);
      for (XInterface<Xpath::CIterator> it = value->GetNodeSet()->CreateIterator(); Dom::XNode node = it->GetNode();
           it->Next()) {
        result += (result.empty() ? "" : " ") + XpathTest::DescribeNode(node.Get());
      }
    } catch (const Xpath::CXpathException& e) {
      result += (result.empty() ? "" : " ") + std::string("error ") + std::to_string(e.GetCode());
    }
    EXPECT_EQ(result, c.expected) << Core::ToUtf8(c.text);
  }
}

// Without a function library, the calls of a name predicate fail.
TEST_F(NodeConditions, CallsNeedALibrary) {
  m_host.SetFunctionLibrary(nullptr);
  EXPECT_EQ(Eval(u"//*[local-name() = 'x']"), "error 15");
  EXPECT_EQ(Eval(u"//*[not(self::x)][self::y]"), "error 15");
  EXPECT_EQ(Eval(u"//*[self::y or self::p:x]"), "p:x y p:x");
}

// No function is looked up or called for the nodes a name predicate tests;
// an operand that needs evaluating still is, once per node unless it
// depends on nothing of the node.
TEST_F(NodeConditions, NamesAreReadInPlace) {
  XInterface<XpathTest::CCountingLibrary> library = new XpathTest::CCountingLibrary();
  m_host.SetFunctionLibrary(library.Get());
  struct Case {
    const char16_t* text;
    const char* expected;
    const char* function;
    int calls;
  } cases[] = {
      {u"count(//*[local-name() = 'x'])", "number 4", "local-name", 0},
      {u"count(//*[name(.) != 'x'])", "number 9", "name", 0},
      {u"count(//*[namespace-uri() = 'urn:p'])", "number 2", "namespace-uri", 0},
      {u"count(//*[not(self::x) and local-name() = 'x'])", "number 3", "not", 0},
      {u"count(//*[local-name() = concat('x', '')])", "number 4", "concat", 1},
      {u"count(//*[local-name() = string(name())])", "number 9", "string", 11},
  };
  for (const auto& c : cases) {
    library->calls.clear();
    EXPECT_EQ(Eval(c.text), c.expected) << Core::ToUtf8(c.text);
    EXPECT_EQ(library->calls[c.function], c.calls) << Core::ToUtf8(c.text);
  }
}

} // namespace
