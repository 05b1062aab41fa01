#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xpath/Context.h"
#include "xpath/NodeArray.h"
#include "xpath/Value.h"

namespace {

using namespace Xpath;

class CExtensionValue : public CValue {
public:
  int32_t GetType() const override { return ResultTreeFragmentType; }
};

TEST(Value, TypeCodesAndGettersAreAccessorsNotConversions) {
  Core::XInterface<CValue> b = Core::Make<CBooleanValue>(true);
  Core::XInterface<CValue> n = Core::Make<CNumberValue>(CNumber(1.0));
  Core::XInterface<CValue> s = Core::Make<CStringValue>(u"5");
  Core::XInterface<CValue> x = Core::Make<CExtensionValue>();
  Core::XInterface<CValue> base = Core::Make<CValue>();

  EXPECT_EQ(b->GetType(), 1);
  EXPECT_EQ(n->GetType(), 2);
  EXPECT_EQ(s->GetType(), 3);
  EXPECT_EQ(x->GetType(), 100);
  EXPECT_EQ(base->GetType(), 4);

  EXPECT_TRUE(b->GetBoolean());
  EXPECT_EQ(n->GetNumber().GetValue(), 1.0);
  EXPECT_EQ(s->GetString(), u"5");

  for (const CValue* v : {b.Get(), n.Get(), s.Get(), x.Get(), base.Get()}) {
    EXPECT_EQ(v->GetNodeSet(), nullptr);
    if (v != b.Get()) {
      EXPECT_FALSE(v->GetBoolean());
    }
    if (v != n.Get()) {
      EXPECT_TRUE(v->GetNumber().IsPositiveZero());
    }
    if (v != s.Get()) {
      EXPECT_EQ(v->GetString(), u"");
    }
  }
}

} // namespace

namespace {

Core::StringView TextOf(const Core::XInterface<Xpath::CValue>& value) {
  return static_cast<const Xpath::CStringValue&>(*value).GetText();
}

Core::XInterface<Xpath::CValue> Append(const Core::XInterface<Xpath::CValue>& value, Core::StringView part) {
  return static_cast<const Xpath::CStringValue&>(*value).Append(&part, 1);
}

// Strings grown level by level share their text: each value keeps its own
// prefix whatever is appended after it, and a value appended to twice gives
// two independent results.
TEST(Value, AppendedStringsKeepTheirOwnText) {
  Core::XInterface<Xpath::CValue> root = Core::Make<Xpath::CStringValue>(u"r");
  std::vector<Core::XInterface<Xpath::CValue>> levels{root};
  Core::String expected = u"r";
  for (int i = 0; i < 300; ++i) {
    Core::String part = Core::FromUtf8(std::to_string(i % 97)) + u",";
    levels.push_back(Append(levels.back(), part));
    expected += part;
    ASSERT_EQ(TextOf(levels.back()), expected);
  }
  EXPECT_EQ(TextOf(levels[0]), u"r");
  EXPECT_EQ(TextOf(levels[2]), u"r0,1,");
  // Both branches from one level: the second must not see the first's text.
  Core::XInterface<Xpath::CValue> a = Append(levels[150], u"a");
  Core::XInterface<Xpath::CValue> b = Append(levels[150], u"b");
  Core::XInterface<Xpath::CValue> c = Append(levels.back(), u"c");
  Core::String base(TextOf(levels[150]));
  EXPECT_EQ(TextOf(a), base + u"a");
  EXPECT_EQ(TextOf(b), base + u"b");
  EXPECT_EQ(TextOf(c), expected + u"c");
  // A string appended to itself, twice over.
  Core::XInterface<Xpath::CValue> twice = Append(c, TextOf(c));
  Core::XInterface<Xpath::CValue> again = Append(twice, TextOf(twice));
  EXPECT_EQ(TextOf(twice), expected + u"c" + expected + u"c");
  EXPECT_EQ(TextOf(again), Core::String(TextOf(twice)) + Core::String(TextOf(twice)));
  EXPECT_EQ(c->GetString(), expected + u"c");
}

// Parts of a string, short and long, from an owned text and from shared
// ones; a long part made before the text is shared keeps its text too.
TEST(Value, PartsOfStrings) {
  Core::String text;
  for (int i = 0; i < 1000; ++i) text += char16_t(u'a' + i % 26);
  Core::XInterface<Xpath::CValue> whole = Core::Make<Xpath::CStringValue>(text);
  Core::StringView before = TextOf(whole);
  auto part = [](const Core::XInterface<Xpath::CValue>& v, size_t offset, size_t length) {
    return static_cast<const Xpath::CStringValue&>(*v).Part(offset, length);
  };
  Core::XInterface<Xpath::CValue> tail = part(whole, 100, 900);
  EXPECT_EQ(before, Core::StringView(text));
  EXPECT_EQ(TextOf(whole), text);
  EXPECT_EQ(TextOf(tail), text.substr(100));
  Core::XInterface<Xpath::CValue> shortPart = part(tail, 1, 3);
  EXPECT_EQ(TextOf(shortPart), text.substr(101, 3));
  Core::XInterface<Xpath::CValue> tailOfTail = part(tail, 500, 400);
  EXPECT_EQ(TextOf(tailOfTail), text.substr(600));
  EXPECT_EQ(part(whole, 0, 1000).Get(), whole.Get());
  // Appending to a part that ends the text, and to one that does not.
  Core::XInterface<Xpath::CValue> grown = Append(tail, u"!");
  Core::XInterface<Xpath::CValue> middle = Append(part(whole, 0, 600), u"?");
  EXPECT_EQ(TextOf(grown), text.substr(100) + u"!");
  EXPECT_EQ(TextOf(middle), text.substr(0, 600) + u"?");
  EXPECT_EQ(TextOf(whole), text);
  EXPECT_EQ(TextOf(tailOfTail), text.substr(600));
  whole = nullptr;
  tail = nullptr;
  EXPECT_EQ(TextOf(tailOfTail), text.substr(600));
}

} // namespace
