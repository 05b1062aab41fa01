#include <gtest/gtest.h>

#include <map>

#include "support/TreeFixture.h"
#include "tests/xslt/processor/OutputTestSupport.h"
#include "xpath/Context.h"
#include "xpath/Function.h"
#include "xpath/NodeArray.h"
#include "xpath/Parser.h"
#include "xpath/ValueConverter.h"
#include "xpath/XpathException.h"
#include "xslt/processor/services/BasicXsltImplementation.h"
#include "xslt/processor/services/PrivateXpathImplementation.h"

namespace {

using namespace OutputTest;

class CVariables : public Xpath::CVariableBindingSet {
public:
  Core::XInterface<Xpath::CValue> GetValue(Core::StringView, Core::StringView localName) override {
    auto it = values.find(Core::String(localName));
    return it == values.end() ? nullptr : it->second;
  }
  std::map<Core::String, Core::XInterface<Xpath::CValue>> values;
};

class CDocumentOrder : public Xpath::CDataSet {
public:
  bool GetId(const Dom::XNode&, Core::String&) override { return false; }
  Dom::XNode GetElementById(const Dom::XNode&, Core::StringView) override { return {}; }
  int32_t CompareDocumentOrder(const Dom::XNode& a, const Dom::XNode& b) override {
    return Dom::CompareDocumentOrder(a.Get(), b.Get());
  }
};

// A value of the script package's kind, and one that claims the fragment's
// type code without being a fragment.
class CForeignValue : public Xpath::CValue {
public:
  CForeignValue(int32_t type, Core::String text) : m_type(type), m_text(std::move(text)) {}
  int32_t GetType() const override { return m_type; }
  Core::String GetString() const override { return m_text; }
  bool GetBoolean() const override { return false; }

private:
  int32_t m_type;
  Core::String m_text;
};

class CScriptConversions : public Xpath::CValueConvertExtension {
public:
  bool ToBoolean(Xpath::CContext*, const Xpath::CValue&) override { return true; }
  Xpath::CNumber ToNumber(Xpath::CContext*, const Xpath::CValue&) override { return Xpath::CNumber(42); }
  Core::String ToString(Xpath::CContext*, const Xpath::CValue& v) override { return u"script:" + v.GetString(); }
};

class CScriptComparisons : public Xpath::CValueCompareExtension {
public:
  bool CompareNodeSetWithValue(Xpath::CContext*, int32_t, const Xpath::CValue&, const Xpath::CValue&) override {
    return true;
  }
  bool CompareValueWithNodeSet(Xpath::CContext*, int32_t, const Xpath::CValue&, const Xpath::CValue&) override {
    return false;
  }
};

class XpathImplementationTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_document = m_trees.Build(u"<r><n>10</n><n>3</n><w>word</w></r>");
    m_implementation = Core::Make<XsltPrivate::CPrivateXpathImplementation>(
        Core::Make<Xpath::CBasicNodeArrayFactory>().Get());
    m_variables = Core::Make<CVariables>();
    m_variables->values[u"empty"] = Fragment(u"").Get();
    m_variables->values[u"f5"] = Fragment(u"E a | A x | T 9 | /A | T 5 | /E").Get();
    m_variables->values[u"f10"] = Fragment(u"T 1 | C | T 7 | /C | T 0").Get();
    m_variables->values[u"fword"] = Fragment(u"T word").Get();
    m_variables->values[u"script"] = Core::Make<CForeignValue>(200, u"obj").Get();
    m_variables->values[u"scriptword"] = Core::Make<CForeignValue>(200, u"word").Get();
    m_variables->values[u"impostor"] = Core::Make<CForeignValue>(100, u"impostor").Get();
  }

  std::string Evaluate(const char* expression) {
    Core::XInterface<Xpath::CExpr> expr;
    XpathPrivate::CParser().Parse(expr, U(expression));
    auto context = Core::Make<Xpath::CContext>(nullptr, m_variables.Get(), Core::Make<Xpath::CCoreFunctionLibrary>().Get(),
                                               nullptr, Core::Make<CDocumentOrder>().Get(), m_implementation.Get());
    auto root = Core::Make<Xpath::CContext>(context.Get(), m_document);
    try {
      Core::XInterface<Xpath::CValue> v = expr->Evaluate(root.Get());
      switch (v->GetType()) {
      case Xpath::CValue::BooleanType:
        return v->GetBoolean() ? "true" : "false";
      case Xpath::CValue::NumberType:
        return Core::ToUtf8(v->GetNumber().ToString());
      default:
        return "'" + Core::ToUtf8(Xpath::CValueConverter(root.Get()).ToString(*v)) + "'";
      }
    } catch (const Xpath::CXpathException& e) {
      return "!" + Core::ToUtf8(e.GetMessage());
    }
  }

  KeltoTest::CTreeFixture m_trees;
  Dom::XNode m_document;
  Core::XInterface<XsltPrivate::CPrivateXpathImplementation> m_implementation;
  Core::XInterface<CVariables> m_variables;
};

TEST_F(XpathImplementationTest, FragmentConversionsAndComparisons) {
  struct {
    const char* expression;
    const char* result;
  } cases[] = {
      {"boolean($empty)", "true"},
      {"boolean($f5)", "true"},
      {"number($empty)", "NaN"},
      {"number($f5)", "5"},
      {"number($f10)", "10"},
      {"string($f5)", "'5'"},
      {"$f10", "'10'"},
      // A node set against a fragment: any node's string value, unit for unit
      // for = and !=, as numbers for the others.
      {"//n = $f10", "true"},
      {"//n = $f5", "false"},
      {"//n != $f10", "true"},
      {"//n[1] != $f10", "false"},
      {"//n < $f5", "true"},
      {"//n > $f5", "true"},
      {"//n > $f10", "false"},
      {"//n >= $f10", "true"},
      {"$f5 < //n", "true"},
      {"$f5 > //n", "true"},
      {"$f10 <= //n", "true"},
      {"$f10 < //n", "false"},
      {"//w = $fword", "true"},
      {"//w < $fword", "false"},
      {"$fword >= //w", "false"},
      {"//none = $f5", "false"},
      {"//none != $f5", "false"},
      // Other comparisons convert the fragment.
      {"$f5 = 5", "true"},
      {"$f5 = '5'", "true"},
      {"$empty = false()", "false"},
      {"$f10 = $f10", "true"},
      {"$f5 < $f10", "true"},
  };
  for (const auto& c : cases) EXPECT_EQ(Evaluate(c.expression), c.result) << c.expression;
}

// Values are read as fragments only when they are fragments: another kind
// answers with its own conversions, registered or its own accessors, and
// cannot be compared with a node set unless its owner says how; a script
// object compares through its accessors.
TEST_F(XpathImplementationTest, OtherValueKindsAreNeverReadAsFragments) {
  struct {
    const char* expression;
    const char* result;
  } unregistered[] = {
      {"string($script)", "'obj'"},
      {"boolean($script)", "false"},
      {"string($impostor)", "'impostor'"},
      {"boolean($impostor)", "false"},
      // A script object against a node set: its string for = and !=, its
      // number (0) for the others, on either side.
      {"//n = $script", "false"},
      {"//n != $script", "true"},
      {"//w = $scriptword", "true"},
      {"$scriptword != //w", "false"},
      {"//n > $script", "true"},
      {"$script < //n", "true"},
      {"$script >= //n", "false"},
      {"//n <= $scriptword", "false"},
      {"//none != $script", "false"},
      {"$impostor < //n", "!Comparison not supported for extension data type"},
  };
  for (const auto& c : unregistered) EXPECT_EQ(Evaluate(c.expression), c.result) << c.expression;

  auto conversions = Core::Make<CScriptConversions>();
  auto comparisons = Core::Make<CScriptComparisons>();
  m_implementation->AddValueType(200, conversions.Get(), comparisons.Get());
  // The fragment type stays the processor's own.
  m_implementation->AddValueType(100, conversions.Get(), comparisons.Get());
  struct {
    const char* expression;
    const char* result;
  } registered[] = {
      {"string($script)", "'script:obj'"},
      {"number($script)", "42"},
      {"boolean($script)", "true"},
      {"//n = $script", "true"},
      {"$script = //n", "false"},
      {"string($f5)", "'5'"},
      {"string($impostor)", "'impostor'"},
      {"$impostor = //n", "!Comparison not supported for extension data type"},
  };
  for (const auto& c : registered) EXPECT_EQ(Evaluate(c.expression), c.result) << c.expression;
}

TEST(PrivateValueCompareExtension, CompareStrings) {
  using C = XsltPrivate::CPrivateValueCompareExtension;
  struct {
    int32_t op;
    const char16_t* left;
    const char16_t* right;
    bool result;
  } cases[] = {
      {0, u"a", u"a", true},   {0, u"a", u"a ", false}, {1, u"a", u"b", true},    {0, u"1", u"1.0", false},
      {2, u"3", u"10", true},  {3, u"3", u"10", false}, {4, u"1", u"1.0", true},  {5, u" 2 ", u"2", true},
      {2, u"a", u"b", false},  {3, u"b", u"a", false},  {4, u"", u"", false},     {5, u"NaN", u"NaN", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(C::CompareStrings(c.op, c.left, c.right), c.result)
        << c.op << " " << Core::ToUtf8(c.left) << " " << Core::ToUtf8(c.right);
}

TEST(PrivateXpathImplementation, KeepsItsNodeArrayFactory) {
  auto factory = Core::Make<Xpath::CBasicNodeArrayFactory>();
  auto implementation = Core::Make<XsltPrivate::CPrivateXpathImplementation>(factory.Get());
  EXPECT_EQ(implementation->GetNodeArrayFactory(), factory.Get());
  EXPECT_NE(implementation->GetValueConvertExtension(), nullptr);
  EXPECT_NE(implementation->GetValueCompareExtension(), nullptr);
}

TEST(PrivateXpathImplementation, OneForTheImplementationFactory) {
  Core::XInterface<Xslt::CBasicXsltImplementation> services(new Xslt::CBasicXsltImplementation());
  Xpath::CXpathImplementation* xpath = services->GetXpathImplementation();
  ASSERT_NE(dynamic_cast<XsltPrivate::CPrivateXpathImplementation*>(xpath), nullptr);
  EXPECT_EQ(services->GetXpathImplementation(), xpath);
  EXPECT_EQ(xpath->GetUseCount(), 1);
  EXPECT_EQ(xpath->GetNodeArrayFactory(), services->GetNodeArrayFactory());
}

} // namespace
