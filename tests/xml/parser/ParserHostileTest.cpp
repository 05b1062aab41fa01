// Hostile documents end in a clear parse error, never a crash or a hang.
#include "ParserTestUtil.h"
#include "xml/parser/Parser.h"

namespace {

using namespace ParserTest;

TEST(ParserHostile, NulCharacterIsIllegalEverywhere) {
  const std::string nul(1, '\0');
  EXPECT_EQ(Error("<a>x" + nul + "y</a>"), "Illegal character @1:5");
  EXPECT_EQ(Error("<a v='x" + nul + "'/>"), "Illegal character @1:8");
  EXPECT_EQ(Error("<a><!--" + nul + "--></a>"), "Illegal character @1:8");
  EXPECT_EQ(Error("<a><![CDATA[" + nul + "]]></a>"), "Illegal character @1:13");
  EXPECT_EQ(Error("<a><?p " + nul + "?></a>"), "Illegal character @1:8");
  // Inside an entity it no longer ends the entity silently.
  EXPECT_EQ(Error("<!DOCTYPE a [<!ENTITY e 'x" + nul + "y'>]><a>&e;</a>"), "Illegal character @1:27");
  EXPECT_EQ(Error("<a/>" + nul), "Illegal character @1:5");
}

TEST(ParserHostile, SurrogateCharacterReferenceIsRejected) {
  EXPECT_EQ(Error("<a>&#xD800;</a>"), "Bad character reference @1:11");
  EXPECT_EQ(Error("<a v='&#57343;'/>"), "Bad character reference @1:14");
}

TEST(ParserHostile, RecursiveEntities) {
  const char* cases[] = {
      "<!DOCTYPE a [<!ENTITY e 'x&e;'>]><a>&e;</a>",
      "<!DOCTYPE a [<!ENTITY e '&f;'><!ENTITY f '&e;'>]><a>&e;</a>",
      "<!DOCTYPE a [<!ENTITY e 'x&e;'>]><a v='&e;'/>",
      "<!DOCTYPE a [<!ENTITY e '&e;'><!ATTLIST a v CDATA '&e;'>]><a/>",
      "<!DOCTYPE a [<!ENTITY % p '%p;'>]><a/>",
      "<!DOCTYPE a [<!ENTITY % p 'x'><!ENTITY % q '%p;%q;'>]><a/>",
      "<!DOCTYPE a [<!ENTITY % p '<!ENTITY x \"%p;\">'>%p;]><a/>",
  };
  for (const char* doc : cases) EXPECT_EQ(ParseBytes(doc).message, "Recursive entity reference") << doc;
}

TEST(ParserHostile, EntityExpansionIsBounded) {
  // Ten references on each of ten levels: 10^10 expansions if unchecked.
  std::string dtd = "<!DOCTYPE a [<!ENTITY l0 'lol'>";
  for (int i = 1; i <= 10; ++i) {
    dtd += "<!ENTITY l" + std::to_string(i) + " '";
    for (int k = 0; k < 10; ++k) dtd += "&l" + std::to_string(i - 1) + ";";
    dtd += "'>";
  }
  EXPECT_EQ(ParseBytes(dtd + "]><a>&l10;</a>").message, "Entity expansion too large");
  EXPECT_EQ(ParseBytes(dtd + "]><a v='&l10;'/>").message, "Entity expansion too large");
  // Empty entities multiply work too.
  std::string empty = "<!DOCTYPE a [<!ENTITY l0 ''>";
  for (int i = 1; i <= 10; ++i) {
    empty += "<!ENTITY l" + std::to_string(i) + " '";
    for (int k = 0; k < 10; ++k) empty += "&l" + std::to_string(i - 1) + ";";
    empty += "'>";
  }
  EXPECT_EQ(ParseBytes(empty + "]><a>&l10;</a>").message, "Entity expansion too large");
  // A modest use of the same entities is fine.
  EXPECT_TRUE(ParseBytes(dtd + "]><a>&l3;</a>").ok);
}

TEST(ParserHostile, LargeDocumentMayExpandBeyondTheFloorInProportion) {
  // 11 million units of replacement text in a document of 3.3 million: a
  // boilerplate entity, not an attack.
  std::string doc = "<!DOCTYPE a [<!ENTITY c '" + std::string(100, 'c') + "'>]><a>";
  for (int i = 0; i < 110000; ++i) doc += "<p>&c; and some text</p>\n";
  doc += "</a>";
  Core::XInterface<CRecorder> r = Core::Make<CRecorder>();
  r->keepText = false;
  EXPECT_TRUE(ParseBytes(doc, "", r.Get()).ok);
  // The same references packed ten times tighter are too much.
  std::string dense = "<!DOCTYPE a [<!ENTITY c '" + std::string(100, 'c') + "'>]><a>";
  for (int i = 0; i < 110000; ++i) dense += "&c;";
  EXPECT_EQ(ParseBytes(dense + "</a>", "", r.Get()).message, "Entity expansion too large");
}

TEST(ParserHostile, EntityNestingIsBounded) {
  std::string dtd = "<!DOCTYPE a [<!ENTITY e0 'x'>";
  for (int i = 1; i <= 60; ++i) dtd += "<!ENTITY e" + std::to_string(i) + " '&e" + std::to_string(i - 1) + ";'>";
  EXPECT_EQ(ParseBytes(dtd + "]><a>&e60;</a>").message, "Entity references nested too deeply");
  EXPECT_TRUE(ParseBytes(dtd + "]><a>&e30;</a>").ok);
}

TEST(ParserHostile, DeepElementNestingEndsInAnError) {
  const int depth = 1000000;
  std::string doc;
  doc.reserve(depth * 7 + 10);
  for (int i = 0; i < depth; ++i) doc += "<a>";
  for (int i = 0; i < depth; ++i) doc += "</a>";
  CResult r = ParseBytes(doc);
  EXPECT_EQ(r.message, "Elements nested too deeply");
  EXPECT_EQ(r.column, XmlParserPrivate::kMaxElementDepth * 3 + 2);

  // The deepest document allowed parses.
  const int allowed = XmlParserPrivate::kMaxElementDepth;
  std::string ok;
  for (int i = 0; i < allowed; ++i) ok += "<a>";
  for (int i = 0; i < allowed; ++i) ok += "</a>";
  Core::XInterface<CRecorder> rec = Core::Make<CRecorder>();
  EXPECT_TRUE(ParseBytes(ok, "", rec.Get()).ok);
  EXPECT_EQ(rec->elements, allowed);
}

TEST(ParserHostile, DeepContentModelEndsInAnError) {
  std::string doc = "<!DOCTYPE a [<!ELEMENT a " + std::string(100000, '(') + "b" + std::string(100000, ')') + ">]><a/>";
  EXPECT_EQ(ParseBytes(doc).message, "Bad content specification");
}

TEST(ParserHostile, HugeCharacterReferenceAndLongNames) {
  EXPECT_EQ(ParseBytes("<a>&#" + std::string(100000, '9') + ";</a>").message, "Bad character reference");
  std::string name(200000, 'n');
  EXPECT_TRUE(ParseBytes("<" + name + " " + name + "='v'></" + name + ">").ok);
}

} // namespace
