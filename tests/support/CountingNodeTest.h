#pragma once
// A node test that counts the nodes it is asked about: tests of kept operands
// see how often a path is walked.
#include "core/String.h"
#include "xml/tree/Dom.h"
#include "xpath/NodeTest.h"

namespace TestSupport {

class CCountingNodeTest final : public Xpath::CNodeTest {
public:
  explicit CCountingNodeTest(Core::String name) : m_name(std::move(name)) {}
  int32_t GetKind() const override { return QName; }
  Core::String GetLocalName() const override { return m_name; }
  bool Match(Xpath::CContext*, const Dom::CNode* node) const override {
    ++calls;
    return node->GetNodeType() == Dom::ELEMENT_NODE && node->LocalNameView() == m_name;
  }
  using Xpath::CNodeTest::Match;
  mutable int calls = 0;

private:
  Core::String m_name;
};

} // namespace TestSupport
