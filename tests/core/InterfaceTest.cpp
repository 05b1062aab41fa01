#include <gtest/gtest.h>

#include "core/Interface.h"

namespace {

struct CProbe : Core::CInterface {
  explicit CProbe(int* deleted) : m_deleted(deleted) {}
  ~CProbe() override { ++*m_deleted; }
  int* m_deleted;
};

TEST(Interface, NewObjectIsUnownedUntilWrapped) {
  int deleted = 0;
  auto* p = new CProbe(&deleted);
  EXPECT_EQ(p->GetUseCount(), 0);
  {
    Core::XInterface<CProbe> x(p);
    EXPECT_EQ(p->GetUseCount(), 1);
  }
  EXPECT_EQ(deleted, 1);
}

TEST(Interface, SelfAssignmentKeepsObjectAlive) {
  int deleted = 0;
  Core::XInterface<CProbe> x(new CProbe(&deleted));
  x = x;
  x = x.Get();
  EXPECT_EQ(deleted, 0);
  EXPECT_EQ(x->GetUseCount(), 1);
  x = nullptr;
  EXPECT_EQ(deleted, 1);
  EXPECT_FALSE(x);
}

TEST(Interface, SharedObjectSurvivesOneRelease) {
  int deleted = 0;
  Core::XInterface<CProbe> a(new CProbe(&deleted));
  {
    Core::XInterface<CProbe> b = a;
    EXPECT_EQ(a->GetUseCount(), 2);
  }
  EXPECT_EQ(a->GetUseCount(), 1);
  EXPECT_EQ(deleted, 0);
}

TEST(Interface, ReleaseAtZeroDeletes) {
  int deleted = 0;
  (new CProbe(&deleted))->Release();
  EXPECT_EQ(deleted, 1);
}

} // namespace
