// The declarations the DTD handler hears.
#include "ParserTestUtil.h"

namespace {

using namespace ParserTest;

std::vector<std::string> Declarations(const std::string& doc, std::string* error = nullptr) {
  Core::XInterface<CDtdRecorder> dtd = Core::Make<CDtdRecorder>();
  CResult r = ParseBytes(doc, "", nullptr, dtd.Get());
  if (error) *error = r.message;
  return dtd->lines;
}

TEST(Dtd, AttributeDeclarationsWithTypesAndDefaults) {
  std::string error;
  auto lines = Declarations(
      "<!DOCTYPE a [<!ATTLIST a c CDATA #REQUIRED i ID #IMPLIED r IDREF #IMPLIED rs IDREFS #IMPLIED"
      " e ENTITY #IMPLIED es ENTITIES #IMPLIED t NMTOKEN #IMPLIED ts NMTOKENS #IMPLIED"
       " n NOTATION (x|y) #IMPLIED en (1|b|.c|-d) 'b' f CDATA #FIXED 'a&#10;b' d CDATA 'x\ny'>"
      "<!ATTLIST b z CDATA 'again'>]><a/>",
      &error);
  EXPECT_EQ(error, "");
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "AD a c 0 0 ''", "AD a i 1 1 ''", "AD a r 2 1 ''", "AD a rs 3 1 ''", "AD a e 4 1 ''",
                       "AD a es 5 1 ''", "AD a t 6 1 ''", "AD a ts 7 1 ''", "AD a n 8 1 ''", "AD a en 9 3 'b'",
                       "AD a f 0 2 'a\nb'", "AD a d 0 3 'x y'", "AD b z 0 3 'again'"}));
}

TEST(Dtd, EveryAttributeDefinitionIsHeardAlsoWhenItDoesNotBind) {
  EXPECT_EQ(Declarations("<!DOCTYPE a [<!ATTLIST a x CDATA 'v' x CDATA 'w'><!ATTLIST a x CDATA #FIXED 'u'>]><a/>"),
            (std::vector<std::string>{"AD a x 0 3 'v'", "AD a x 0 3 'w'", "AD a x 0 2 'u'"}));
}

TEST(Dtd, EntitiesAndNotations) {
  auto lines = Declarations(
      "<!DOCTYPE a [<!NOTATION n PUBLIC 'p'><!NOTATION m SYSTEM 'm.sys'>"
      "<!ENTITY u PUBLIC '  -//A//B \n  C//EN ' 'u.gif' NDATA n><!ENTITY u SYSTEM 'v.gif' NDATA m>"
      "<!ENTITY % pe SYSTEM 'pe.ent'><!ENTITY t 'text'>]><a/>");
  EXPECT_EQ(lines, (std::vector<std::string>{"ND n 'p' ''", "ND m '' 'm.sys'", "UE u '-//A//B C//EN' 'u.gif' n",
                                             "UE u '' 'v.gif' m"}));
}

TEST(Dtd, ContentModels) {
  const char* good[] = {
      "<!ELEMENT a EMPTY>", "<!ELEMENT a ANY>", "<!ELEMENT a (#PCDATA)>", "<!ELEMENT a (#PCDATA)*>",
      "<!ELEMENT a ( #PCDATA | b | c )*>", "<!ELEMENT a (b,(c|d)*,e?)+>", "<!ELEMENT a (b)>",
      "<!ELEMENT a ((b|c),d*)?>",
  };
  for (const char* decl : good) {
    EXPECT_TRUE(ParseBytes(std::string("<!DOCTYPE a [") + decl + "]><a/>").ok) << decl;
  }
  const char* bad[] = {
      "<!ELEMENT a (#PCDATA|b)>", "<!ELEMENT a (b,c|d)>", "<!ELEMENT a (#CDATA)>", "<!ELEMENT a ()>",
      "<!ELEMENT a (b c)>",
  };
  for (const char* decl : bad) {
    EXPECT_EQ(ParseBytes(std::string("<!DOCTYPE a [") + decl + "]><a/>").message, "Bad content specification")
        << decl;
  }
}

TEST(Dtd, DeclarationsBuiltFromParameterEntities) {
  EXPECT_EQ(Events("<!DOCTYPE a [<!ENTITY % att 'v CDATA \"dv\"'><!ATTLIST a %att;>%undeclared;"
                   "<!ENTITY % decl '<!ENTITY e \"expanded\">'>%decl;]><a>&e;</a>"),
            "L SD S:a A:v C:dv EA C:expanded E ED L0");
}

TEST(Dtd, FirstDeclarationWins) {
  EXPECT_EQ(Events("<!DOCTYPE a [<!ENTITY e 'one'><!ENTITY e 'two'><!ENTITY lt 'no'>]><a>&e;&lt;</a>"),
            "L SD S:a C:one< E ED L0");
}

// Lookups by name stay right whatever was looked up before: a name missed
// before its declaration is found after it, a later declaration never
// displaces one already used, and alternating names each find their own.
TEST(Dtd, EntityLookupsAfterEarlierLookups) {
  EXPECT_EQ(Events("<!DOCTYPE a [%u;<!ENTITY % u '<!ENTITY f \"late\">'><!ENTITY % p 'one'>"
                   "<!ENTITY a '%p;'><!ENTITY % p 'two'><!ENTITY b '[%p;]'>%u;]><a>&a;&b;&f;&a;&b;</a>"),
            "L SD S:a C:one[one]lateone[one] E ED L0");
}

TEST(Dtd, ExternalSubsetIsNeverRead) {
  // A reference to an entity only the external subset could declare.
  EXPECT_EQ(Events("<!DOCTYPE a SYSTEM 'no-such-file.dtd'><a>&x;</a>"), "L SD S:a K:x E ED L0");
  EXPECT_EQ(ParseBytes("<!DOCTYPE a SYSTEM 'no-such-file.dtd'><a v='&x;'/>").message, "Undefined general entity");
  EXPECT_EQ(Events("<!DOCTYPE a><a/>"), "L SD S:a E ED L0");
  EXPECT_EQ(Events("<!DOCTYPE a PUBLIC 'p' 's'><a/>"), "L SD S:a E ED L0");
}

} // namespace
