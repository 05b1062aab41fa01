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
  EXPECT_EQ(Events("<!DOCTYPE a SYSTEM 'no-such-file.dtd'><a v='&x;'/>"), "L SD S:a A:v EA E ED L0");
  EXPECT_EQ(Events("<!DOCTYPE a><a/>"), "L SD S:a E ED L0");
  EXPECT_EQ(Events("<!DOCTYPE a PUBLIC 'p' 's'><a/>"), "L SD S:a E ED L0");
}

// Records each warning as "message @line:column".
class CWarningCatcher : public Sxp::IErrorHandler {
public:
  std::vector<std::string> warnings;
  void Error(const Sxp::CParseException&) override {}
  void Warning(const Sxp::CParseException& w) override {
    warnings.push_back(Core::ToUtf8(w.GetMessage()) + " @" + std::to_string(w.GetLineNumber()) + ":" +
                       std::to_string(w.GetColumnNumber()));
  }
};

// A reference that only an unread declaration could define adds nothing, in
// content and in attribute values alike, and is warned about once per name
// and document; where every declaration was read it stays an error.
TEST(Dtd, ReferencesOnlyUnreadDeclarationsCouldDefineAreWarnedAbout) {
  struct Case {
    const char* document;
    const char* events;
    std::vector<std::string> warnings;
  } cases[] = {
      {"<!DOCTYPE a SYSTEM 'a.dtd'><a v='x&copy;y' w='&copy;'>&copy;&reg;<b>&copy;</b></a>",
       "L SD S:a A:v C:xy EA A:w EA K:copy K:reg S:b K:copy E E ED L0",
       {"General entity not expanded: 'copy' @1:40", "General entity not expanded: 'reg' @1:65"}},
      // An unexpanded parameter entity could have declared it too.
      {"<!DOCTYPE a [<!ENTITY % p SYSTEM 'p.ent'>%p;]><a v='&x;'>&#10;&x;</a>",
       "L SD S:a A:v EA C:\n K:x E ED L0", {"General entity not expanded: 'x' @1:55"}},
      // Declared, but with an external identifier: its text is never read.
      {"<!DOCTYPE a [<!ENTITY e SYSTEM 'e.xml'>]><a>&e;</a>", "L SD S:a K:e E ED L0",
       {"General entity not expanded: 'e' @1:47"}},
      // Within an internal entity and in a default value of the internal subset.
      {"<!DOCTYPE a SYSTEM 'a.dtd' [<!ATTLIST a d CDATA 'x&u;y'><!ENTITY i '[&u;]'>]><a>&i;</a>",
       "L SD S:a A:d C:xy EA C:[ K:u C:] E ED L0", {"General entity not expanded: 'u' @1:53"}},
      // Every declaration was read: undeclared is an error, in values as in content.
      {"<a v='&x;'/>", "ERROR Undefined general entity 1:9", {}},
      {"<!DOCTYPE a [<!ENTITY e 'x'>]><a v='&e;&x;'/>", "ERROR Undefined general entity 1:42", {}},
  };
  for (const auto& c : cases) {
    Core::XInterface<Sxp::IParser> parser = Core::Make<XmlParserPrivate::CParserFactory>()->CreateParser();
    Core::XInterface<CRecorder> recorder = Core::Make<CRecorder>();
    Core::XInterface<CWarningCatcher> catcher = Core::Make<CWarningCatcher>();
    parser->SetDocumentHandler(recorder);
    parser->SetErrorHandler(catcher);
    // The same parser twice: the warnings come again for the next document.
    for (int pass = 0; pass < 2; ++pass) {
      recorder->log.clear();
      catcher->warnings.clear();
      Core::XInterface<XmlParserPrivate::CInputSource> source = Core::Make<XmlParserPrivate::CInputSource>();
      source->SetByteStream(Core::Make<CMemoryStream>(c.document));
      try {
        parser->ParseInputSource(source.Get());
      } catch (const Sxp::CParseException& e) {
        recorder->log = "ERROR " + Core::ToUtf8(e.GetMessage()) + " " + std::to_string(e.GetLineNumber()) + ":" +
                        std::to_string(e.GetColumnNumber());
      }
      EXPECT_EQ(recorder->log, c.events) << c.document;
      EXPECT_EQ(catcher->warnings, c.warnings) << c.document;
    }
  }
}

} // namespace
