#include <gtest/gtest.h>

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
