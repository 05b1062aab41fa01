#include <gtest/gtest.h>

#include "support/CompilerFixture.h"
#include "xslt/compiler/ExpandedName.h"
#include "xslt/compiler/StaticContext.h"

namespace {

using namespace CompilerTest;
using Core::String;
using Core::XInterface;
using XsltPrivate::CStaticContext;

TEST(StaticContext, ClassificationAndForwardsCompatibleMode) {
  struct Case {
    const char16_t* stylesheet;
    const char16_t* element;  // null: the root
    bool forwardsCompatible;
    const char16_t* version;  // null: no version seen
    char kind;                // 'x' XSLT element, 'e' extension element, 'l' literal result element
  } cases[] = {
      {u"<xsl:stylesheet version='1.1' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'><xsl:template/></xsl:stylesheet>",
       u"xsl:template", true, u"1.1", 'x'},
      {u"<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'><xsl:template/></xsl:stylesheet>",
       u"xsl:template", false, u"1.0", 'x'},
      {u"<xsl:stylesheet xmlns:xsl='http://www.w3.org/1999/XSL/Transform'/>", nullptr, false, nullptr, 'x'},
      // A simplified stylesheet without xsl:version is forwards-compatible.
      {u"<out/>", nullptr, true, nullptr, 'l'},
      {u"<out xsl:version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'/>", nullptr, false, u"1.0", 'l'},
      // A literal result element's xsl:version governs its subtree only...
      {u"<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'><xsl:template>"
       u"<r xsl:version='2.0'><xsl:if/></r><xsl:if/></xsl:template></xsl:stylesheet>",
       u"xsl:if", true, u"2.0", 'x'},
      {u"<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'><xsl:template>"
       u"<xsl:if version='2.0'/></xsl:template></xsl:stylesheet>",
       u"xsl:if", false, u"1.0", 'x'},  // ...and an XSLT instruction's version is ignored
      // An element of a namespace it designates itself is an extension element.
      {u"<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'><xsl:template>"
       u"<e:do xmlns:e='urn:e' xsl:extension-element-prefixes='e'/></xsl:template></xsl:stylesheet>",
       u"e:do", false, u"1.0", 'e'},
      {u"<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform' xmlns:e='urn:e' "
       u"extension-element-prefixes='e'><xsl:template><e:do/></xsl:template></xsl:stylesheet>",
       u"e:do", false, u"1.0", 'e'},
      {u"<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform' xmlns:e='urn:e'>"
       u"<xsl:template><e:do/></xsl:template></xsl:stylesheet>",
       u"e:do", false, u"1.0", 'l'},
  };
  for (const Case& c : cases) {
    CStylesheetFixture f;
    Dom::XNode doc = f.Load(c.stylesheet);
    XInterface<CStaticContext> context = f.ContextOf(doc, f.Find(doc, c.element));
    SCOPED_TRACE(Utf8(c.stylesheet));
    EXPECT_EQ(context->IsForwardsCompatible(), c.forwardsCompatible);
    EXPECT_EQ(context->HasVersion(), c.version != nullptr);
    if (c.version) {
      EXPECT_EQ(Utf8(context->GetVersion()), Utf8(c.version));
    }
    EXPECT_EQ(context->IsXsltElement(), c.kind == 'x');
    EXPECT_EQ(context->IsExtensionElement(), c.kind == 'e');
    EXPECT_EQ(context->IsLiteralResultElement(), c.kind == 'l');
  }
}

std::vector<String> Uris(const XsltPrivate::CNamespaceUriArray& list) {
  std::vector<String> uris;
  for (int32_t i = 0; i < list.GetCount(); ++i) uris.push_back(list.GetAt(i));
  return uris;
}

TEST(StaticContext, PrefixListsAreInheritedAndExtended) {
  CStylesheetFixture f;
  Dom::XNode doc = f.Load(
      Stylesheet(u"<xsl:template><r xsl:exclude-result-prefixes='b  #default'><s/></r><t/></xsl:template>",
                 u"xmlns:a='urn:a' xmlns:b='urn:b' exclude-result-prefixes='a'"));
  XInterface<CStaticContext> root = f.RootContext(doc);
  XInterface<CStaticContext> r = f.ContextOf(doc, u"r");
  XInterface<CStaticContext> s = f.ContextOf(doc, u"s");
  XInterface<CStaticContext> t = f.ContextOf(doc, u"t");
  EXPECT_EQ(Uris(*root->GetExcludedNamespaces()), (std::vector<String>{u"urn:a"}));
  // Two spaces between the prefixes; no default namespace declared.
  EXPECT_EQ(Uris(*r->GetExcludedNamespaces()), (std::vector<String>{u"urn:a", u"urn:b", u""}));
  EXPECT_EQ(Uris(*s->GetExcludedNamespaces()), Uris(*r->GetExcludedNamespaces()));
  EXPECT_EQ(Uris(*t->GetExcludedNamespaces()), (std::vector<String>{u"urn:a"}));

  CError e = f.Catch([&] {
    Dom::XNode bad = f.Load(Stylesheet(u"", u"exclude-result-prefixes='nope'"));
    f.RootContext(bad);
  });
  EXPECT_EQ(e.code, 9);
  EXPECT_EQ(Utf8(e.arg1), "nope");
  EXPECT_EQ(Utf8(e.nodeName), "xsl:stylesheet");
}

TEST(StaticContext, AttributeReaders) {
  CStylesheetFixture f;
  Dom::XNode doc = f.Load(Stylesheet(
      u"<xsl:output indent='yes ' standalone='no' method='p:m' n='12.5' bad='1e3' tokens=' a\tb\n c '"
      u" names='p:x y' xsl:use-attribute-sets='p:s d'/>",
      u"xmlns:p='urn:p' xmlns='urn:default'"));
  XInterface<CStaticContext> c = f.ContextOf(doc, u"xsl:output");

  CError e = f.Catch([&] { c->GetYesNoAttribute(u"indent", false); });
  EXPECT_EQ(e.code, 6);  // a trailing space is no "yes"
  EXPECT_EQ(Utf8(e.arg1), "indent");
  EXPECT_EQ(Utf8(e.arg2), "yes ");
  EXPECT_EQ(Utf8(e.nodeName), "xsl:output");
  EXPECT_FALSE(c->GetYesNoAttribute(u"standalone", true));
  EXPECT_TRUE(c->GetYesNoAttribute(u"absent", true));

  String value;
  e = f.Catch([&] { c->GetAttribute(u"href", value, true); });
  EXPECT_EQ(e.code, 5);
  EXPECT_EQ(Utf8(e.arg1), "href");
  EXPECT_EQ(Utf8(c->GetAttributeOrDefault(u"absent", u"dflt")), "dflt");

  double number = -1;
  EXPECT_TRUE(c->GetNumberAttribute(u"n", number));
  EXPECT_EQ(number, 12.5);
  e = f.Catch([&] { c->GetNumberAttribute(u"bad", number); });
  EXPECT_EQ(e.code, 6);
  EXPECT_EQ(number, 0);
  number = 7;
  EXPECT_FALSE(c->GetNumberAttribute(u"absent", number));
  EXPECT_EQ(number, 7);

  static const XsltPrivate::CEnumItem methods[] = {{u"xml", 1}, {u"html", 2}, {nullptr, 0}};
  e = f.Catch([&] { c->GetEnumAttribute(u"method", methods, 0); });
  EXPECT_EQ(e.code, 6);
  EXPECT_EQ(c->GetEnumAttribute(u"absent", methods, 2), 2);

  std::vector<String> tokens;
  EXPECT_TRUE(c->GetTokenListAttribute(u"tokens", tokens));
  EXPECT_EQ(tokens, (std::vector<String>{u"a", u"b", u"c"}));

  // A prefixed QName takes its prefix's URI; an unprefixed one the empty URI
  // unless the default namespace is asked for.
  std::vector<XInterface<XsltPrivate::CExpandedName>> names;
  EXPECT_TRUE(c->GetQNameListAttribute(u"names", names, false));
  ASSERT_EQ(names.size(), 2u);
  EXPECT_TRUE(names[0]->Equals(u"urn:p", u"x"));
  EXPECT_TRUE(names[1]->Equals(u"", u"y"));
  EXPECT_TRUE(c->GetXsltQNameListAttribute(u"use-attribute-sets", names, true));
  ASSERT_EQ(names.size(), 2u);
  EXPECT_TRUE(names[0]->Equals(u"urn:p", u"s"));
  EXPECT_TRUE(names[1]->Equals(u"urn:default", u"d"));
  XInterface<XsltPrivate::CExpandedName> method = c->GetQNameAttribute(u"method", false);
  EXPECT_TRUE(method->Equals(u"urn:p", u"m"));
  EXPECT_FALSE(c->GetQNameAttribute(u"absent", false));

  e = f.Catch([&] { c->ResolveQName(u"q:name", false); });
  EXPECT_EQ(e.code, 9);
  EXPECT_EQ(Utf8(e.arg1), "q");
  EXPECT_EQ(Utf8(c->ResolvePrefix(u"#default")), "urn:default");
  EXPECT_EQ(Utf8(c->ResolvePrefix(u"xml")), "http://www.w3.org/XML/1998/namespace");
}

TEST(StaticContext, UriAttributes) {
  CStylesheetFixture f;
  Dom::XNode doc = f.Load(Stylesheet(
      u"<xsl:import href='lib/b.xsl'/><xsl:include href='file://localhost/e/c.xsl'/><xsl:import href='%zz'/>"));
  String uri;
  EXPECT_TRUE(f.ContextOf(doc, u"xsl:import")->GetUriAttribute(u"href", uri));
  EXPECT_EQ(Utf8(uri), "file://localhost/d/lib/b.xsl");
  EXPECT_TRUE(f.ContextOf(doc, u"xsl:include")->GetUriAttribute(u"href", uri));
  EXPECT_EQ(Utf8(uri), "file://localhost/e/c.xsl");

  XInterface<CStaticContext> bad = f.ContextOf(doc, doc->GetDocumentElement()->LastChild());
  EXPECT_EQ(f.Catch([&] { bad->GetUriAttribute(u"href", uri); }).code, 17);
  f.location->baseUri.clear();
  CError e = f.Catch([&] { f.ContextOf(doc, u"xsl:import")->GetUriAttribute(u"href", uri); });
  EXPECT_EQ(e.code, 18);
  EXPECT_EQ(Utf8(e.arg1), "lib/b.xsl");
}

TEST(StaticContext, ElementsSharingDeclarationsShareOneNamespaceMap) {
  CStylesheetFixture f;
  Dom::XNode doc = f.Load(Stylesheet(u"<xsl:template><a><b xmlns:q='urn:q'/></a></xsl:template>", u"xmlns:p='urn:p'"));
  XInterface<CStaticContext> aAlone = f.ContextOf(doc, u"a");
  XsltPrivate::CNamespaceMap* a = aAlone->GetNamespaceMap();
  XInterface<CStaticContext> template_ = f.ContextOf(doc, u"xsl:template");
  XInterface<CStaticContext> aContext = new CStaticContext(*template_, f.Find(doc, u"a"));
  XInterface<CStaticContext> bContext = new CStaticContext(*aContext, f.Find(doc, u"b"));
  EXPECT_EQ(template_->GetNamespaceMap(), aContext->GetNamespaceMap());
  EXPECT_NE(aContext->GetNamespaceMap(), bContext->GetNamespaceMap());
  String uri;
  EXPECT_TRUE(bContext->GetNamespaceMap()->GetNamespaceUri(u"q", uri));
  EXPECT_EQ(Utf8(uri), "urn:q");
  EXPECT_FALSE(a->GetNamespaceUri(u"q", uri));
  EXPECT_TRUE(a->GetNamespaceUri(u"p", uri));
  // A text node's map is its element's.
  Dom::XNode text = f.Load(Stylesheet(u"<xsl:text xmlns:t='urn:t'>x</xsl:text>"));
  XsltPrivate::CNamespaceMap textMap(f.Find(text, u"xsl:text")->FirstChild());
  EXPECT_TRUE(textMap.GetNamespaceUri(u"t", uri));
}

} // namespace
