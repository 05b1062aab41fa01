#include <gtest/gtest.h>

#include "tests/xslt/processor/ProcessorTestSupport.h"
#include "xslt/processor/data/DoctypeSet.h"
#include "xslt/processor/data/DocumentFactory.h"
#include "xslt/processor/data/IdIndex.h"
#include "xslt/processor/data/InputHandler.h"
#include "xslt/processor/services/BasicXsltImplementation.h"

namespace {

constexpr char kSource[] =
    "<!DOCTYPE doc [\n"
    "<!ATTLIST item code ID #IMPLIED name CDATA #IMPLIED>\n"
    "<!ATTLIST item alt ID #IMPLIED>\n"
    "<!ATTLIST p:part key ID #IMPLIED>\n"
    "<!ATTLIST other ref IDREF #IMPLIED>\n"
    "<!NOTATION gif SYSTEM 'image/gif'>\n"
    "<!ENTITY logo SYSTEM 'logo.gif' NDATA gif>\n"
    "<!ENTITY logo SYSTEM 'second.gif' NDATA gif>\n"
    "]>\n"
    "<doc xmlns:p='urn:p'>"
    "<item code='a' alt='b'/><item alt='c'/><item code='x'/><other ref='a' code='o'/><p:part key='k'/>"
    "</doc>";

// The run's way: each document registered with the doctype set just before
// it is parsed, the doctype set being the DTD handler.
class Doctypes : public testing::Test {
protected:
  Dom::XNode Load(const std::string& name, const std::string& text) {
    Core::String url = folder.Write(name, text);
    Dom::XNode document = implementation->GetDocumentFactory()->CreateDocument();
    doctypes->SetCurrentDocument(document);
    Core::XInterface<Xslt::CBasicInputHandler> input(new Xslt::CBasicInputHandler(implementation.Get()));
    input->SetUri(url);
    input->SetDocumentHandler(
        implementation->GetDocumentHandlerFactory()->CreateDocumentHandler(document, nullptr, nullptr).Get());
    input->SetDtdHandler(doctypes.Get());
    input->Parse();
    return document;
  }

  // The IDs of the elements of the document in document order, "-" for none.
  std::string Ids(const Dom::XNode& document) {
    std::string out;
    for (Dom::CNode* node = document->FirstChild()->FirstChild(); node; node = node->NextSibling()) {
      Core::String id = u"stale";
      out += ids->GetId(node, id) ? Core::ToUtf8(id) : "-";
      out += ' ';
    }
    return out;
  }

  ProcessorTest::CTempFolder folder;
  Core::XInterface<Xslt::CBasicXsltImplementation> implementation{new Xslt::CBasicXsltImplementation()};
  Core::XInterface<XsltPrivate::CDoctypeSet> doctypes{new XsltPrivate::CDoctypeSet()};
  Core::XInterface<Xslt::CIdHandler> ids{new XsltPrivate::CPrivateIdHandler(doctypes.Get())};
};

TEST_F(Doctypes, IdsComeFromTheFirstIdDeclarationOfTheElementType) {
  Dom::XNode document = Load("in.xml", kSource);
  // item: code is the first ID declared, alt is never used; other has an
  // IDREF only; p:part matches by its qualified name.
  EXPECT_EQ(Ids(document), "a - x - k ");
  Core::String id;
  EXPECT_FALSE(ids->GetId(document.Get(), id));
  EXPECT_FALSE(ids->GetId(document->FirstChild()->FirstChild()->AttributeAt(0), id));
}

TEST_F(Doctypes, UnparsedEntitiesFirstDeclarationWins) {
  Dom::XNode document = Load("in.xml", kSource);
  Core::String uri;
  ASSERT_TRUE(doctypes->FindUnparsedEntity(document.Get(), u"logo", uri));
  EXPECT_EQ(uri, u"logo.gif");
  EXPECT_FALSE(doctypes->FindUnparsedEntity(document.Get(), u"Logo", uri));
  EXPECT_FALSE(doctypes->FindUnparsedEntity(document.Get(), u"gif", uri));
}

TEST_F(Doctypes, EachDocumentHasItsOwnDeclarations) {
  Dom::XNode source = Load("in.xml", kSource);
  Dom::XNode loaded = Load("other.xml", "<doc><item code='a'/></doc>");
  EXPECT_EQ(Ids(loaded), "- ");
  Core::String uri;
  EXPECT_FALSE(doctypes->FindUnparsedEntity(loaded.Get(), u"logo", uri));
  EXPECT_EQ(Ids(source), "a - x - k ");  // the source's still answer after the other was added

  // A document removed from the set has no declarations and is released by it.
  int32_t uses = static_cast<Dom::CCountedNode*>(source.Get())->useCount;
  doctypes->RemoveDocument(source.Get());
  EXPECT_EQ(static_cast<Dom::CCountedNode*>(source.Get())->useCount, uses - 1);
  EXPECT_EQ(Ids(source), "- - - - - ");
  EXPECT_FALSE(doctypes->FindUnparsedEntity(source.Get(), u"logo", uri));
  EXPECT_EQ(Ids(loaded), "- ");
}

TEST_F(Doctypes, DuplicateIdsGiveTheFirstElementInDocumentOrder) {
  // Many duplicates, in an order that sorting or hashing by ID alone would mix up.
  std::string text = "<!DOCTYPE doc [<!ATTLIST e id ID #IMPLIED n CDATA #IMPLIED>]><doc>";
  for (int i = 0; i < 400; ++i) {
    text += "<e id='k" + std::to_string((i * 37) % 50) + "' n='" + std::to_string(i) + "'>";
    if (i % 3 == 0) text += "<e id='k" + std::to_string(i % 50) + "' n='" + std::to_string(i) + "-inner'/>";
    text += "</e>";
  }
  text += "</doc>";
  Dom::XNode document = Load("dup.xml", text);
  Core::XInterface<XsltPrivate::CIdIndex> index(new XsltPrivate::CIdIndex(document, ids.Get()));
  for (int k = 0; k < 50; ++k) {
    Core::String id = u"k" + Core::FromUtf8(std::to_string(k));
    // The first in document order, by a plain walk.
    Dom::CNode* expected = nullptr;
    for (Dom::CNode* node = document->FirstChild()->FirstChild(); node && !expected; node = node->NextSibling()) {
      Core::String value;
      if (ids->GetId(node, value) && value == id) expected = node;
      for (Dom::CNode* child = node->FirstChild(); child && !expected; child = child->NextSibling()) {
        if (ids->GetId(child, value) && value == id) expected = child;
      }
    }
    ASSERT_NE(expected, nullptr);
    EXPECT_EQ(index->Find(id), expected) << Core::ToUtf8(id);
  }
  EXPECT_EQ(index->Find(u"k50"), nullptr);
  EXPECT_EQ(index->Find(u"k"), nullptr);
  EXPECT_EQ(index->Find(u""), nullptr);
}

TEST_F(Doctypes, DocumentWithoutIdDeclarationsHasNoIds) {
  Dom::XNode document = Load("plain.xml", "<doc><e id='a'/></doc>");
  Core::XInterface<XsltPrivate::CIdIndex> index(new XsltPrivate::CIdIndex(document, ids.Get()));
  EXPECT_EQ(index->Find(u"a"), nullptr);
}

TEST(DoctypeSet, DeclarationsBeforeAnyDocumentAreIgnored) {
  Core::XInterface<XsltPrivate::CDoctypeSet> doctypes(new XsltPrivate::CDoctypeSet());
  doctypes->AttributeDeclaration(u"e", u"id", Sxp::AttributeTypeId, Sxp::DefaultImplied, u"");
  Core::String name;
  EXPECT_FALSE(doctypes->FindIdAttribute(nullptr, u"e", name));
}

} // namespace
