#include <gtest/gtest.h>

#include <vector>

#include "support/TreeFixture.h"
#include "xpath/support/TestHost.h"

namespace {

using namespace XpathTest;

TEST(TestDataSet, DocumentOrderIsTotalOverDistinctNodes) {
  KeltoTest::CTreeFixture trees;
  Dom::XNode doc = trees.Build(u"<a xmlns:p='urn:p' x='1'><b xmlns:q='urn:q' y='2'>t</b><!--c--></a>");
  Dom::XNode other = trees.Build(u"<z/>");

  // Every node of the first document, namespace nodes and attributes too.
  std::vector<Dom::XNode> nodes{doc};
  for (const Dom::XNode& e : ElementsNamed(doc)) {
    nodes.push_back(e);
    Dom::XNamedNodeMap ns = e->GetNamespaces();
    for (int32_t i = 0; i < ns->GetLength(); ++i) nodes.push_back(ns->Item(i));
    for (int32_t i = 0; i < e->AttributeCount(); ++i) nodes.emplace_back(e->AttributeAt(i));
    for (Dom::CNode* c = e->FirstChild(); c; c = c->NextSibling())
      if (c->GetNodeType() != Dom::ELEMENT_NODE) nodes.emplace_back(c);
  }
  CTestDataSet dataSet;
  Dom::XNode z = ElementsNamed(other, u"z")[0];
  for (size_t i = 0; i < nodes.size(); ++i) {
    EXPECT_EQ(dataSet.CompareDocumentOrder(nodes[i], nodes[i]), 0);
    // The second document follows every node of the first.
    EXPECT_EQ(dataSet.CompareDocumentOrder(nodes[i], z), -1);
    EXPECT_EQ(dataSet.CompareDocumentOrder(z, nodes[i]), 1);
    for (size_t j = 0; j < nodes.size(); ++j) {
      if (i == j) continue;
      int32_t c = dataSet.CompareDocumentOrder(nodes[i], nodes[j]);
      EXPECT_NE(c, 0) << i << " " << j;
      EXPECT_EQ(c, -dataSet.CompareDocumentOrder(nodes[j], nodes[i]));
    }
  }
}

TEST(TestDataSet, IdsFromTheChosenAttribute) {
  KeltoTest::CTreeFixture trees;
  Dom::XNode doc = trees.Build(u"<r><a id='one'/><b><c id='two' key='k'/></b></r>");
  CTestDataSet byId;
  EXPECT_EQ(byId.GetElementById(doc, u"two").Get(), ElementsNamed(doc, u"c")[0].Get());
  EXPECT_FALSE(byId.GetElementById(doc, u"three"));
  Core::String id;
  EXPECT_TRUE(byId.GetId(ElementsNamed(doc, u"a")[0], id));
  EXPECT_EQ(id, u"one");
  EXPECT_FALSE(byId.GetId(ElementsNamed(doc, u"b")[0], id));
  EXPECT_FALSE(byId.GetId(doc, id));
  CTestDataSet byKey(u"key");
  EXPECT_EQ(byKey.GetElementById(doc, u"k").Get(), ElementsNamed(doc, u"c")[0].Get());
}

} // namespace
