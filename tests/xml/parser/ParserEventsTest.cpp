// The events a document gives the document handler.
#include "ParserTestUtil.h"

namespace {

using namespace ParserTest;

TEST(ParserEvents, EmptyElementGivesTheMinimalSequence) {
  EXPECT_EQ(Events("<a/>"), "L SD S:a E ED L0");
  EXPECT_EQ(Events("  \n<a></a>\n "), "L SD S:a E ED L0");
}

TEST(ParserEvents, MarkupOfEveryKindInDocumentOrder) {
  EXPECT_EQ(Events("<!--pre--><?pi  data here?><a x='1' y=\"2\">t<b/><![CDATA[<&]]><!--in--><?p?>&amp;</a><!--post-->"),
            "L SD SC C:pre EC P:pi:data here S:a A:x C:1 EA A:y C:2 EA C:t S:b E SX C:<& EX SC C:in EC P:p: "
            "C:& E SC C:post EC ED L0");
}

TEST(ParserEvents, AttributesAreDeliveredAsWrittenAndNormalised) {
  // No space between attributes, a repeated name, an empty value.
  EXPECT_EQ(Events("<a x='1'y='2' x='3' e=''/>"), "L SD S:a A:x C:1 EA A:y C:2 EA A:x C:3 EA A:e EA E ED L0");
  // Tab, line feed, carriage return and a referenced line feed become spaces;
  // a CR LF pair gives two; nothing is trimmed or collapsed.
  EXPECT_EQ(Events("<a v=' a\tb\nc\r\nd&#10;e&#x9;  '/>"), "L SD S:a A:v C: a b c  d\ne\t   EA E ED L0");
  EXPECT_EQ(Events("<a v='&lt;&gt;&amp;&apos;&quot;&#60;'/>"), "L SD S:a A:v C:<>&'\"< EA E ED L0");
  EXPECT_EQ(Events("<a v=\"it's\" w='say \"x\"'/>"), "L SD S:a A:v C:it's EA A:w C:say \"x\" EA E ED L0");
}

TEST(ParserEvents, CharacterDataComesInPiecesOf1024Units) {
  Core::XInterface<CRecorder> r = Core::Make<CRecorder>();
  r->keepText = false;
  ASSERT_TRUE(ParseBytes("<a>" + std::string(3000, 'x') + "</a>", "", r.Get()).ok);
  EXPECT_EQ(r->counts, (std::vector<int32_t>{1024, 1024, 952}));

  // Comments and CDATA sections alike; a run also ends at markup.
  r = Core::Make<CRecorder>();
  r->keepText = false;
  ASSERT_TRUE(ParseBytes("<a><!--" + std::string(1500, 'c') + "--><![CDATA[" + std::string(1025, 'd') + "]]>ab<b/>c</a>",
                         "", r.Get())
                  .ok);
  EXPECT_EQ(r->counts, (std::vector<int32_t>{1024, 476, 1024, 1, 2, 1}));
}

TEST(ParserEvents, LineEndsAreNotNormalisedInContent) {
  EXPECT_EQ(Events("<a>x\r\ny<!--\r--><?p x\r?></a>"), "L SD S:a C:x\r\ny SC C:\r EC P:p:x\r E ED L0");
}

TEST(ParserEvents, CdataAndBracketsInText) {
  EXPECT_EQ(Events("<a><![CDATA[x]]]>]]y]>z</a>"), "L SD S:a SX C:x] EX C:]]y]>z E ED L0");
  EXPECT_EQ(Events("<a><![CDATA[]]></a>"), "L SD S:a SX EX E ED L0");
}

TEST(ParserEvents, CharacterReferences) {
  EXPECT_EQ(Events("<a>&#x41;&#65;&#x1F600;</a>"), "L SD S:a C:AA\xF0\x9F\x98\x80 E ED L0");
  // Only the value counts, not the number of digits.
  EXPECT_EQ(Events("<a v='&#0000000065;'>&#0000000065;&#x0000000000041;&#x00001F600;</a>"),
            "L SD S:a A:v C:A EA C:AA\xF0\x9F\x98\x80 E ED L0");
}

TEST(ParserEvents, EntitiesExpandInPlace) {
  const char* doc =
      "<!DOCTYPE a [<!ENTITY t 'text'><!ENTITY m '<b x=\"&t;\">&t;</b>'>"
      "<!ENTITY % p 'pe'><!ENTITY v '%p;&t;'>]>"
      "<a>[&m;]&v;.</a>";
  // A general reference in an entity value stays as written until use; a
  // parameter reference is replaced at once.
  EXPECT_EQ(Events(doc), "L SD S:a C:[ S:b A:x C:text EA C:text E C:]petext. E ED L0");
}

// An entity no declaration names is an error where every declaration was
// read; it is skipped where its declaration may stand in an unread entity,
// as is an entity declared external.
TEST(ParserEvents, UndeclaredEntitiesInContent) {
  const struct {
    const char* document;
    const char* events;
  } cases[] = {
      {"<a>x&nope;y</a>", "ERROR Undefined general entity 1:10"},
      {"<!DOCTYPE a><a>&nope;</a>", "ERROR Undefined general entity 1:21"},
      {"<!DOCTYPE a [<!ENTITY m 'x&nope;'>]><a>&m;</a>", "ERROR Undefined general entity 1:42"},
      // A parameter entity that was expanded left nothing unread.
      {"<!DOCTYPE a [<!ENTITY % p '<!ENTITY e \"x\">'>%p;]><a>&e;&nope;</a>",
       "ERROR Undefined general entity 1:61"},
      {"<!DOCTYPE a SYSTEM 'a.dtd' [<!ENTITY e SYSTEM 'e.xml'>]><a>&e;&ext;</a>", "L SD S:a K:e K:ext E ED L0"},
      {"<!DOCTYPE a PUBLIC 'p' 'a.dtd'><a>x&nope;y</a>", "L SD S:a C:x K:nope C:y E ED L0"},
      {"<!DOCTYPE a [<!ENTITY % x SYSTEM 'x.ent'>%x;]><a>&nope;</a>", "L SD S:a K:nope E ED L0"},
      {"<!DOCTYPE a [%undeclared;]><a>&nope;</a>", "L SD S:a K:nope E ED L0"},
      {"<!DOCTYPE a [<!ENTITY v '%undeclared;'>]><a>&nope;</a>", "L SD S:a K:nope E ED L0"},
      {"<!DOCTYPE a [<!ENTITY e SYSTEM 'e.xml'>]><a>&e;</a>", "L SD S:a K:e E ED L0"},
  };
  for (const auto& c : cases) EXPECT_EQ(Events(c.document), c.events) << c.document;
}

TEST(ParserEvents, AttributeDefaultsFromEveryAttlist) {
  const char* doc =
      "<!DOCTYPE a [<!ATTLIST a d CDATA 'one' f CDATA #FIXED 'fix' r CDATA #REQUIRED i CDATA #IMPLIED"
      " e CDATA '' d CDATA 'again' n CDATA 'l&#10;f'>"
      "<!ATTLIST a late CDATA 'x' i CDATA 'not' f CDATA 'not'>]><a d='w'/>";
  // Written ones are not repeated; a later ATTLIST adds defaults for names
  // no earlier definition bound.
  EXPECT_EQ(Events(doc), "L SD S:a A:d C:w EA A:f C:fix EA A:e C: EA A:n C:l\nf EA A:late C:x EA E ED L0");
  // A name defined twice in one list is defaulted once, from its first definition.
  Core::XInterface<CRecorder> r = Core::Make<CRecorder>();
  ASSERT_TRUE(ParseBytes("<!DOCTYPE a [<!ATTLIST a e CDATA '' x CDATA 'v' x CDATA 'w'>]><a/>", "", r.Get()).ok);
  EXPECT_EQ(r->counts, (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(r->log, "L SD S:a A:e C: EA A:x C:v EA E ED L0");
  // Each element has its own bindings.
  EXPECT_EQ(Events("<!DOCTYPE a [<!ATTLIST a x CDATA #IMPLIED><!ATTLIST b x CDATA 'b'><!ATTLIST a x CDATA 'a'>]>"
                   "<a><b/></a>"),
            "L SD S:a S:b A:x C:b EA E E ED L0");
}

TEST(ParserEvents, LongDefaultValueComesInOneCall) {
  Core::XInterface<CRecorder> r = Core::Make<CRecorder>();
  r->keepText = false;
  ASSERT_TRUE(ParseBytes("<!DOCTYPE a [<!ATTLIST a d CDATA '" + std::string(2000, 'v') + "'>]><a/>", "", r.Get()).ok);
  EXPECT_EQ(r->counts, (std::vector<int32_t>{2000}));
}

TEST(ParserEvents, CommentsAndPisOfTheInternalSubsetComeBeforeTheRoot) {
  EXPECT_EQ(Events("<!DOCTYPE a [<!--c--><?p d?>]><a/>"), "L SD SC C:c EC P:p:d S:a E ED L0");
}

TEST(ParserEvents, EpilogTextFailsAfterEndDocument) {
  CResult r = ParseBytes("<a/> x");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.log, "L SD S:a E ED L0");
  EXPECT_EQ(r.message, "Bad epilog");
  EXPECT_EQ(r.line, 0);
  EXPECT_EQ(r.column, 0);
}

TEST(ParserEvents, EventsStopAtTheFirstError) {
  CResult r = ParseBytes("<a><b>t</c></a>");
  EXPECT_EQ(r.message, "Mismatched end tag");
  EXPECT_EQ(r.log, "L SD S:a S:b C:t E");
}

TEST(ParserEvents, NoHandlerParsesAndStillRaises) {
  Core::XInterface<Sxp::IParser> parser = Core::Make<XmlParserPrivate::CParserFactory>()->CreateParser();
  auto source = [](const char* text) {
    Core::XInterface<XmlParserPrivate::CInputSource> s = Core::Make<XmlParserPrivate::CInputSource>();
    s->SetByteStream(Core::Make<CMemoryStream>(text));
    return s;
  };
  EXPECT_NO_THROW(parser->ParseInputSource(source("<!DOCTYPE a SYSTEM 'a.dtd'><a x='1'>t&e;<!--c--></a>").Get()));
  EXPECT_THROW(parser->ParseInputSource(source("<a>").Get()), Sxp::CParseException);
  // The same parser goes on to the next document with a fresh state.
  EXPECT_NO_THROW(parser->ParseInputSource(source("<b/>").Get()));
}

TEST(ParserEvents, DtdOfOneDocumentDoesNotCarryOver) {
  Core::XInterface<Sxp::IParser> parser = Core::Make<XmlParserPrivate::CParserFactory>()->CreateParser();
  Core::XInterface<CRecorder> r = Core::Make<CRecorder>();
  parser->SetDocumentHandler(r);
  for (const char* text :
       {"<!DOCTYPE a [<!ENTITY e 'x'><!ATTLIST a d CDATA 'v'>]><a>&e;</a>", "<!DOCTYPE a SYSTEM 'a.dtd'><a>&e;</a>"}) {
    Core::XInterface<XmlParserPrivate::CInputSource> s = Core::Make<XmlParserPrivate::CInputSource>();
    s->SetByteStream(Core::Make<CMemoryStream>(text));
    r->log.clear();
    parser->ParseInputSource(s.Get());
  }
  EXPECT_EQ(r->log, "L SD S:a K:e E ED L0");
}

} // namespace
