#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/TreeFixture.h"
#include "xml/tree/DocumentFactory.h"
#include "xpath/ValueConverter.h"
#include "xpath/support/TestHost.h"

namespace {

using Core::XInterface;
using Xpath::CValue;
using Xpath::CValueConverter;
using namespace XpathTest;

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

class ConversionTest : public ::testing::Test {
protected:
  CTestHost host;
  XInterface<Xpath::CContext> context = host.MakeContext();
  CValueConverter converter{context.Get()};
};

TEST_F(ConversionTest, ToBoolean) {
  struct Case {
    XInterface<CValue> value;
    bool expected;
  } cases[] = {
      {Boolean(true), true},   {Boolean(false), false}, {Number(1), true},    {Number(-0.5), true},
      {Number(0.0), false},    {Number(-0.0), false},   {Number(kNaN), false}, {Number(-kInf), true},
      {String(u" "), true},    {String(u""), false},    {String(u"false"), true}, {String(u"0"), true},
  };
  for (const auto& c : cases) EXPECT_EQ(converter.ToBoolean(*c.value), c.expected) << Core::ToUtf8(converter.ToString(*c.value));
}

TEST_F(ConversionTest, ToNumber) {
  struct Case {
    XInterface<CValue> value;
    double expected;  // NaN compares by IsNaN
  } cases[] = {
      {Boolean(true), 1},        {Boolean(false), 0},      {Number(-2.5), -2.5},   {String(u" 3.5 "), 3.5},
      {String(u"3.5e1"), kNaN},  {String(u"-"), kNaN},     {String(u""), kNaN},    {String(u"+1"), kNaN},
      {String(u"\n-.5\t"), -0.5}, {String(u"Infinity"), kNaN},
  };
  for (const auto& c : cases) {
    double got = converter.ToNumber(*c.value).GetValue();
    if (std::isnan(c.expected)) {
      EXPECT_TRUE(std::isnan(got)) << got;
    } else {
      EXPECT_EQ(got, c.expected);
    }
  }
  EXPECT_TRUE(converter.ToNumber(*String(u"-0")).IsNegativeZero());
}

TEST_F(ConversionTest, ToString) {
  struct Case {
    XInterface<CValue> value;
    const char16_t* expected;
  } cases[] = {
      {Boolean(true), u"true"}, {Boolean(false), u"false"}, {Number(2.0), u"2"},       {Number(-0.0), u"0"},
      {Number(kNaN), u"NaN"},   {Number(-kInf), u"-Infinity"}, {Number(0.1), u"0.1"}, {String(u" x "), u" x "},
  };
  for (const auto& c : cases) EXPECT_EQ(converter.ToString(*c.value), c.expected);
}

TEST_F(ConversionTest, NodeSetsConvertThroughTheirFirstNode) {
  XInterface<CValue> empty = host.MakeNodeSetValue({});
  EXPECT_FALSE(converter.ToBoolean(*empty));
  EXPECT_TRUE(converter.ToNumber(*empty).IsNaN());
  EXPECT_EQ(converter.ToString(*empty), u"");

  // A document with no text: a node whose string value is empty.
  auto factory = Core::Make<BasicXdm::CDocumentFactory>(1);
  XInterface<CValue> one = host.MakeNodeSetValue({factory->CreateDocument()});
  EXPECT_TRUE(converter.ToBoolean(*one));
  EXPECT_TRUE(converter.ToNumber(*one).IsNaN());
  EXPECT_EQ(converter.ToString(*one), u"");
}

TEST_F(ConversionTest, ExtensionTypesGoOnlyThroughTheHost) {
  XInterface<CValue> fragment = Fragment(u" 42 ");
  CTestConvertExtension& ext = host.Implementation().Convert();
  // The fragment's own getters answer false, +0 and "": the host's answers
  // differ from all three.
  EXPECT_TRUE(converter.ToBoolean(*fragment));
  EXPECT_EQ(converter.ToNumber(*fragment).GetValue(), 42);
  EXPECT_EQ(converter.ToString(*fragment), u" 42 ");
  EXPECT_EQ(ext.calls, 3);
  // The four XPath types never reach the host.
  converter.ToString(*Number(1));
  converter.ToBoolean(*String(u"a"));
  converter.ToNumber(*Boolean(true));
  EXPECT_EQ(ext.calls, 3);
}

TEST(Conversion, WorksWithoutContextForTheXpathTypes) {
  CValueConverter converter(nullptr);
  EXPECT_EQ(converter.ToString(*Number(1.5)), u"1.5");
  EXPECT_TRUE(converter.ToBoolean(*String(u"x")));
}

} // namespace

namespace {

TEST_F(ConversionTest, NodeSetOfATree) {
  KeltoTest::CTreeFixture trees;
  Dom::XNode doc = trees.Build(u"<r><a> 3.5 </a><a>x<b>y</b></a><c/><d>1e3</d></r>");
  std::vector<Dom::XNode> a = ElementsNamed(doc, u"a");
  XInterface<CValue> both = host.MakeNodeSetValue({a[1], a[0]});
  EXPECT_EQ(converter.ToString(*both), u" 3.5 ");  // the first in document order only
  EXPECT_EQ(converter.ToNumber(*both).GetValue(), 3.5);
  EXPECT_EQ(converter.ToString(*host.MakeNodeSetValue({a[1]})), u"xy");
  XInterface<CValue> emptyElement = host.MakeNodeSetValue(ElementsNamed(doc, u"c"));
  EXPECT_TRUE(converter.ToBoolean(*emptyElement));
  EXPECT_EQ(converter.ToString(*emptyElement), u"");
  EXPECT_TRUE(converter.ToNumber(*host.MakeNodeSetValue(ElementsNamed(doc, u"d"))).IsNaN());
  EXPECT_EQ(converter.ToString(*host.MakeNodeSetValue({doc})), u" 3.5 xy1e3");
}

} // namespace
