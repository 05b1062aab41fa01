#include <functional>

#include <gtest/gtest.h>

#include "tests/xslt/processor/ProcessorTestSupport.h"
#include "xml/tree/DocumentFactory.h"
#include "xpath/NodeSet.h"
#include "xslt/processor/data/DataSet.h"
#include "xslt/processor/data/DoctypeSet.h"
#include "xslt/processor/services/BasicXsltImplementation.h"

namespace {

// Values from a function of the node.
class CFunctionKey : public Xslt::CKeyHandler {
public:
  CFunctionKey(std::function<void(const Dom::CNode*, std::vector<Core::String>&)> values, uint32_t types = ~0u)
      : m_values(std::move(values)), m_types(types) {}
  void GetKeyValues(const Dom::XNode& node, std::vector<Core::String>& values) override {
    values.clear();
    m_values(node.Get(), values);
    ++calls;
  }
  uint32_t GetNodeTypes() override { return m_types; }
  int calls = 0;

private:
  std::function<void(const Dom::CNode*, std::vector<Core::String>&)> m_values;
  uint32_t m_types;
};

// An element's attribute of that name as its one value.
Core::XInterface<CFunctionKey> AttributeKey(const char16_t* name) {
  Core::String wanted(name);
  return new CFunctionKey([wanted](const Dom::CNode* node, std::vector<Core::String>& values) {
    for (int32_t i = 0; i < node->AttributeCount(); ++i)
      if (node->AttributeAt(i)->LocalNameView() == wanted) values.emplace_back(node->AttributeAt(i)->ValueView());
  }, 1u << Dom::ELEMENT_NODE);
}

// The local names of a node set's nodes (attributes as @name), space-separated.
std::string Names(Xpath::CNodeSet* nodes) {
  std::string out;
  for (auto it = nodes->CreateIterator(); Dom::XNode node = it->GetNode(); it->Next()) {
    if (!out.empty()) out += ' ';
    if (node->GetNodeType() == Dom::ATTRIBUTE_NODE) out += '@';
    out += Core::ToUtf8(node->LocalNameView());
  }
  return out;
}

class DataSet : public testing::Test {
protected:
  Dom::XNode Parse(Core::StringView text) {
    Dom::XNode document = ProcessorTest::ParseText(factory, text);
    data->AddDocument(document);
    return document;
  }

  BasicXdm::CDocumentFactory factory{1};
  Core::XInterface<Xslt::CDataSet> data{Xslt::CBasicDataSetFactory().CreateDataSet()};
};

TEST_F(DataSet, KeyValuesGiveTheirNodesInDocumentOrder) {
  data->AddKey(u"", u"k", AttributeKey(u"v").Get());
  Dom::XNode document = Parse(u"<r><c v='b'/><a v='x'/><d v='b'><e v='b'/></d><f/></r>");
  EXPECT_EQ(Names(data->GetKeyNodes(document, u"", u"k", u"b").Get()), "c d e");
  EXPECT_EQ(Names(data->GetKeyNodes(document, u"", u"k", u"x").Get()), "a");
  EXPECT_EQ(data->GetKeyNodes(document, u"", u"k", u"").Get()->GetCount(), 0);
  EXPECT_EQ(data->GetKeyNodes(document, u"", u"k", u"bb").Get()->GetCount(), 0);
  EXPECT_EQ(data->GetKeyNodes(document, u"", u"other", u"b").Get()->GetCount(), 0);
  EXPECT_EQ(data->GetKeyNodes(document, u"urn:x", u"k", u"b").Get()->GetCount(), 0);
  auto nodes = data->GetKeyNodes(document, u"", u"k", u"b");
  EXPECT_EQ(nodes->GetCount(), 3);
  EXPECT_EQ(Core::ToUtf8(nodes->GetFirstNode()->LocalNameView()), "c");
  EXPECT_TRUE(nodes->IsDocumentOrder());
  // Positions of the iterator.
  auto it = nodes->CreateIterator();
  EXPECT_EQ(it->GetPosition(), 1);
  it->Next();
  it->Next();
  EXPECT_EQ(it->GetPosition(), 3);
  it->Next();
  EXPECT_EQ(it->GetPosition(), 0);
  EXPECT_FALSE(it->GetNode());
}

TEST_F(DataSet, EveryDeclarationOfOneNameContributes) {
  auto byV = AttributeKey(u"v");
  auto byW = AttributeKey(u"w");
  data->AddKey(u"", u"k", byV.Get());
  data->AddKey(u"", u"k", byW.Get());
  Dom::XNode document = Parse(u"<r><a v='1'/><b w='1'/><c v='1' w='1'/><d w='2'/></r>");
  // c has the value from both declarations and still comes once.
  EXPECT_EQ(Names(data->GetKeyNodes(document, u"", u"k", u"1").Get()), "a b c");
  EXPECT_EQ(Names(data->GetKeyNodes(document, u"", u"k", u"2").Get()), "d");
  Dom::XNode d = ProcessorTest::FindElement(document, u"d");
  EXPECT_TRUE(data->HasKeyValue(d, u"", u"k", u"2"));
  EXPECT_FALSE(data->HasKeyValue(d, u"", u"k", u"1"));
  EXPECT_FALSE(data->HasKeyValue(d, u"", u"j", u"2"));
}

TEST_F(DataSet, RepeatedValuesOfOneNodeGiveOneEntry) {
  auto key = Core::XInterface<CFunctionKey>(new CFunctionKey([](const Dom::CNode* node, std::vector<Core::String>& v) {
    if (node->GetNodeType() != Dom::ELEMENT_NODE) return;
    v.push_back(u"same");
    v.push_back(Core::String(node->LocalNameView()));
    v.push_back(u"same");
  }));
  data->AddKey(u"", u"k", key.Get());
  Dom::XNode document = Parse(u"<r><a/><b/></r>");
  EXPECT_EQ(Names(data->GetKeyNodes(document, u"", u"k", u"same").Get()), "r a b");
  EXPECT_EQ(Names(data->GetKeyNodes(document, u"", u"k", u"a").Get()), "a");
}

TEST_F(DataSet, AttributesComeAfterTheirElementAndBeforeItsChildren) {
  auto key = Core::XInterface<CFunctionKey>(new CFunctionKey([](const Dom::CNode* node, std::vector<Core::String>& v) {
    if (node->GetNodeType() == Dom::ELEMENT_NODE || node->GetNodeType() == Dom::ATTRIBUTE_NODE) v.push_back(u"all");
  }));
  data->AddKey(u"", u"k", key.Get());
  Dom::XNode document = Parse(u"<r x='1'><a y='2' z='3'><b/></a></r>");
  EXPECT_EQ(Names(data->GetKeyNodes(document, u"", u"k", u"all").Get()), "r @x a @y @z b");
}

TEST_F(DataSet, IndexesAreBuiltOnceOnFirstUseOnly) {
  auto key = AttributeKey(u"v");
  data->AddKey(u"", u"k", key.Get());
  Dom::XNode document = Parse(u"<r><a v='1'/><b v='2'/></r>");
  EXPECT_EQ(key->calls, 0);
  data->GetKeyNodes(document, u"", u"k", u"1");
  int afterFirst = key->calls;
  EXPECT_EQ(afterFirst, 3);  // only elements are asked: the key said so
  data->GetKeyNodes(document, u"", u"k", u"2");
  EXPECT_EQ(key->calls, afterFirst);
}

TEST_F(DataSet, UnknownDocumentsGiveNothing) {
  data->AddKey(u"", u"k", AttributeKey(u"v").Get());
  Dom::XNode known = Parse(u"<r v='1'/>");
  Dom::XNode unknown = ProcessorTest::ParseText(factory, u"<r v='1'/>");
  EXPECT_EQ(data->GetKeyNodes(unknown, u"", u"k", u"1")->GetCount(), 0);
  EXPECT_EQ(data->GetKeyNodes(known, u"", u"k", u"1")->GetCount(), 1);
  EXPECT_EQ(data->RemoveDocument(unknown), -1);
}

TEST_F(DataSet, KeyNodeSetsOutliveTheirDocumentsRemoval) {
  data->AddKey(u"", u"k", AttributeKey(u"v").Get());
  Core::XInterface<Xpath::CNodeSet> nodes;
  {
    Dom::XNode document = Parse(u"<r><a v='1'/><b v='1'/></r>");
    nodes = data->GetKeyNodes(document, u"", u"k", u"1");
    EXPECT_EQ(data->RemoveDocument(document), 0);
    EXPECT_EQ(data->GetKeyNodes(document, u"", u"k", u"1")->GetCount(), 0);
  }
  EXPECT_EQ(Names(nodes.Get()), "a b");
}

TEST_F(DataSet, DeepDocumentsAreIndexed) {
  data->AddKey(u"", u"k", AttributeKey(u"v").Get());
  Core::String text;
  const int depth = 2000;  // near the parser's limit
  for (int i = 0; i < depth; ++i) text += u"<e v='x'>";
  for (int i = 0; i < depth; ++i) text += u"</e>";
  Dom::XNode document = Parse(text);
  EXPECT_EQ(data->GetKeyNodes(document, u"", u"k", u"x")->GetCount(), depth);
}

TEST_F(DataSet, IdLookupAndDocumentOrderAcrossDocuments) {
  Core::XInterface<XsltPrivate::CDoctypeSet> doctypes(new XsltPrivate::CDoctypeSet());
  data->SetIdHandler(Core::XInterface<Xslt::CIdHandler>(new XsltPrivate::CPrivateIdHandler(doctypes.Get())).Get());
  Dom::XNode first = ProcessorTest::ParseText(factory, u"<x/>");
  // The doctype set collects the declarations of the document registered last.
  Dom::XNode second = factory.CreateDocument();
  doctypes->SetCurrentDocument(second);
  {
    Core::XInterface<Sxp::IParser> parser = XmlParserPrivate::CParserFactory().CreateParser();
    parser->SetDocumentHandler(factory.CreateDocumentHandler(second, nullptr, nullptr));
    parser->SetDtdHandler(Core::XInterface<Sxp::IDtdHandler>(doctypes.Get()));
    Core::XInterface<XmlParserPrivate::CInputSource> source(new XmlParserPrivate::CInputSource());
    source->SetCharacterStream(Core::XInterface<Core::IUnicodeStream>(new Core::CStringStream(
        u"<!DOCTYPE r [<!ATTLIST e id ID #IMPLIED>]><r><e id='a'/><e id='b'/><e id='a'/></r>")));
    parser->ParseInputSource(source.Get());
  }
  data->AddDocument(second);
  Dom::XNode a = data->GetElementById(second, u"a");
  ASSERT_TRUE(a);
  EXPECT_EQ(a.Get(), second->FirstChild()->FirstChild());
  Core::String id;
  EXPECT_TRUE(data->GetId(a, id));
  EXPECT_EQ(id, u"a");
  EXPECT_FALSE(data->GetElementById(second, u"c"));
  EXPECT_FALSE(data->GetElementById(first, u"a"));  // not in the data set
  data->AddDocument(first);
  EXPECT_FALSE(data->GetElementById(first, u"a"));  // no declarations

  EXPECT_EQ(data->CompareDocumentOrder(a, a), 0);
  EXPECT_EQ(data->CompareDocumentOrder(first, a), -1);
  EXPECT_EQ(data->CompareDocumentOrder(a, first), 1);
  EXPECT_EQ(data->CompareDocumentOrder(second, a), -1);
}

TEST(DataSetWithoutIds, HasNoIds) {
  Core::XInterface<Xslt::CDataSet> data(new XsltPrivate::CBasicDataSet());
  BasicXdm::CDocumentFactory factory(1);
  Dom::XNode document = ProcessorTest::ParseText(factory, u"<r id='a'/>");
  data->AddDocument(document);
  Core::String id;
  EXPECT_FALSE(data->GetId(document->FirstChild(), id));
  EXPECT_FALSE(data->GetElementById(document, u"a"));
}

TEST(DataSetFactory, TheImplementationMakesIt) {
  Core::XInterface<Xslt::CBasicXsltImplementation> implementation(new Xslt::CBasicXsltImplementation());
  ASSERT_NE(implementation->GetDataSetFactory(), nullptr);
  EXPECT_TRUE(implementation->GetDataSetFactory()->CreateDataSet());
}

} // namespace
