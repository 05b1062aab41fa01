#include <gtest/gtest.h>

#include "xml/tree/DocumentFactory.h"
#include "xpath/CompareValues.h"
#include "xpath/support/TestHost.h"

namespace {

using Core::XInterface;
using Xpath::CValue;
using XpathPrivate::CompareValues;
using namespace XpathTest;


class CompareTest : public ::testing::Test {
protected:
  // The six answers of left op right, as a string of six 0/1 digits in
  // operator-code order (= != < > <= >=).
  std::string All(const XInterface<CValue>& left, const XInterface<CValue>& right) {
    std::string out;
    for (int32_t op = 0; op < 6; ++op) out += CompareValues(context.Get(), op, *left, *right) ? '1' : '0';
    return out;
  }

  CTestHost host;
  XInterface<Xpath::CContext> context = host.MakeContext();
};

TEST_F(CompareTest, ScalarsByTheXpathRules) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* what;
    XInterface<CValue> left, right;
    const char* answers;  // = != < > <= >=
  } cases[] = {
      {"1 ? 2", Number(1), Number(2), "011010"},
      {"2 ? 2", Number(2), Number(2), "100011"},
      {"NaN ? NaN", Number(nan), Number(nan), "010000"},
      {"-0 ? 0", Number(-0.0), Number(0), "100011"},
      // Relational operators compare numbers: 'false' and '' are NaN.
      {"true() ? 'false'", Boolean(true), String(u"false"), "100000"},
      {"false() ? ''", Boolean(false), String(u""), "100000"},
      {"true() ? '1'", Boolean(true), String(u"1"), "100011"},
      {"true() ? false()", Boolean(true), Boolean(false), "010101"},
      {"true() ? 1", Boolean(true), Number(1), "100011"},
      {"0 ? false()", Number(0), Boolean(false), "100011"},
      {"1 ? '1.0'", Number(1), String(u"1.0"), "100011"},
      {"'1.0' ? 1", String(u"1.0"), Number(1), "100011"},
      {"'1' ? '1.0'", String(u"1"), String(u"1.0"), "010011"},
      {"'10' ? '9'", String(u"10"), String(u"9"), "010101"},
      {"'a' ? 'b'", String(u"a"), String(u"b"), "010000"},
      {"'a' ? 'a'", String(u"a"), String(u"a"), "100000"},
      {"'abc' ? 1", String(u"abc"), Number(1), "010000"},
      {"2 ? true()", Number(2), Boolean(true), "100101"},
  };
  for (const auto& c : cases) EXPECT_EQ(All(c.left, c.right), c.answers) << c.what;
}

TEST_F(CompareTest, EmptyNodeSets) {
  XInterface<CValue> empty = host.MakeNodeSetValue({});
  struct Case {
    const char* what;
    XInterface<CValue> left, right;
    const char* answers;
  } cases[] = {
      {"E ? 'x'", empty, String(u"x"), "000000"},
      {"'x' ? E", String(u"x"), empty, "000000"},
      {"E ? 1", empty, Number(1), "000000"},
      {"1 ? E", Number(1), empty, "000000"},
      {"E ? E", empty, empty, "000000"},
      {"E ? false()", empty, Boolean(false), "100011"},
      {"E ? true()", empty, Boolean(true), "011010"},
      {"true() ? E", Boolean(true), empty, "010101"},
  };
  for (const auto& c : cases) EXPECT_EQ(All(c.left, c.right), c.answers) << c.what;
}

TEST_F(CompareTest, ExtensionTypes) {
  auto factory = Core::Make<BasicXdm::CDocumentFactory>(1);
  XInterface<CValue> nodes = host.MakeNodeSetValue({factory->CreateDocument()});  // string value ""
  CTestCompareExtension& cmp = host.Implementation().Compare();
  CTestConvertExtension& conv = host.Implementation().Convert();

  // Node set against a fragment: only the host decides, sides kept.
  EXPECT_TRUE(CompareValues(context.Get(), 2, *nodes, *Fragment(u"b")));
  EXPECT_EQ(cmp.calls, 1);
  EXPECT_EQ(cmp.lastOp, 2);
  EXPECT_TRUE(cmp.lastNodeSetOnLeft);
  EXPECT_FALSE(CompareValues(context.Get(), 2, *Fragment(u"b"), *nodes));
  EXPECT_EQ(cmp.calls, 2);
  EXPECT_FALSE(cmp.lastNodeSetOnLeft);

  // Against anything else a fragment converts through the host.
  EXPECT_EQ(All(Fragment(u"2"), Number(2)), "100011");
  EXPECT_EQ(All(Fragment(u"abc"), String(u"abc")), "100000");
  // The host says every fragment is true; as a number "" is NaN.
  EXPECT_EQ(All(Fragment(u""), Boolean(true)), "100000");
  EXPECT_EQ(All(Fragment(u"1"), Fragment(u"2")), "011010");
  EXPECT_EQ(cmp.calls, 2);
  EXPECT_GT(conv.calls, 0);
}

} // namespace
