// Malformed documents: each fails with its message and position.
#include "ParserTestUtil.h"

namespace {

using namespace ParserTest;

struct CErrorCase {
  const char* document;
  const char* expected;  // "message @line:column"
};

TEST(ParserErrors, CodesAndPositions) {
  const CErrorCase cases[] = {
      {"", "Missing start tag open @0:0"},
      {"  <!-- c -->  ", "Missing start tag open @0:0"},
      {" <?xml version='1.0'?><a/>", "Missing start tag open @1:6"},
      {"<?xml?><a/>", "Bad XML declaration @1:5"},
      {"<?xml encoding='UTF-8'?><a/>", "Bad XML declaration @1:22"},
      {"<?xml version=''?><a/>", "Bad XML declaration @1:16"},
      {"<?xml version='1.0' standalone='Yes'?><a/>", "Bad XML declaration @1:36"},
      {"<?xml version='1.0' encoding='8bit'?><a/>", "Bad XML declaration @1:35"},
      {"<?xml version='1.0' encoding='UTF-8' x='y'?><a/>", "Bad XML declaration @1:42"},
      {"<?XML version='1.0'?><a/>", "Bad token @1:5"},
      {"<a>", "Missing end tag open @0:0"},
      {"<a>text", "Unexpected end of document @0:0"},
      {"<a><b></a>", "Mismatched end tag @1:10"},
      {"<a></a >x", "Bad epilog @0:0"},
      {"<a></a x>", "Missing tag close @1:8"},
      {"<a x></a>", "Missing = @1:5"},
      {"<a x=1></a>", "Bad attribute value @1:6"},
      {"<a x='<'></a>", "Bad attribute value @1:7"},
      {"<a x='&u;'/>", "Undefined general entity @1:9"},
      {"<a x='&#0;'/>", "Bad character reference @1:10"},
      {"<a>&#X41;</a>", "Bad character reference @1:6"},
      {"<a>&#0001114112;</a>", "Bad character reference @1:16"},
      {"<a>&#x0000110000;</a>", "Bad character reference @1:17"},
      {"<a>&#99999999999999999999999;</a>", "Bad character reference @1:29"},
      {"<a>&#x00000000000D800;</a>", "Bad character reference @1:22"},
      {"<a>&#0000000;</a>", "Bad character reference @1:13"},
      {"<a>&#x110000;</a>", "Bad character reference @1:13"},
      {"<a>&#1;</a>", "Bad character reference @1:7"},
      {"<a>&;</a>", "Bad entity reference @1:5"},
      {"<a>&b c;</a>", "Bad entity reference @1:6"},
      {"<a>x]]>y</a>", "Misplaced CDATA close @1:7"},
      {"<a><!-- a -- b --></a>", "Bad comment @1:13"},
      {"<a><!- x --></a>", "Bad token @1:7"},
      {"<a><![CDAT[x]]></a>", "Bad token @1:10"},
      {"<a><?xmL x?></a>", "Bad token @1:8"},
      {"<a\x01/>", "Illegal character @1:3"},
      {"<a/><!DOCTYPE a>", "Bad epilog @0:0"},
      {"<a><!DOCTYPE a></a>", "Missing end tag open @1:12"},
      {"<!DOCTYPE a PUBLIC 'p'><a/>", "Bad external identifier @1:23"},
      {"<!DOCTYPE a SYSTEM><a/>", "Missing space @1:19"},
      {"<!DOCTYPE a PUBLIC 'a\tb' 's'><a/>", "Bad public identifier @1:22"},
      {"<!DOCTYPE a [<!FOO a>]><a/>", "Bad markup declaration @1:18"},
      {"<!DOCTYPE a [<!ELEMENT a (b|c,d)>]><a/>", "Bad content specification @1:30"},
      {"<!DOCTYPE a [<!ELEMENT a (#PCDATA|b)>]><a/>", "Bad content specification @1:36"},
      {"<!DOCTYPE a [<!ELEMENT a FOO>]><a/>", "Bad content specification @1:28"},
      {"<!DOCTYPE a [<!ATTLIST a x FOO #IMPLIED>]><a/>", "Bad attribute type @1:30"},
      {"<!DOCTYPE a [<!ATTLIST a x (1|) #IMPLIED>]><a/>", "Missing name token @1:31"},
      {"<!DOCTYPE a [<!ATTLIST a x CDATA #DEFAULT>]><a/>", "Bad default declaration @1:41"},
      {"<!DOCTYPE a [<!ATTLIST a x CDATA '&later;'>]><a/>", "Undefined general entity @1:41"},
      {"<!DOCTYPE a [<!ENTITY e SYSTEM 's' FOO n>]><a/>", "Bad entity declaration @1:38"},
      {"<!DOCTYPE a [<!ENTITY e SYSTEM 's'><!ATTLIST a x CDATA '&e;'>]><a/>", "External reference in attribute value @1:59"},
      {"<!DOCTYPE a [<!NOTATION n SYSTEM 'n'><!ENTITY u SYSTEM 'u' NDATA n><!ENTITY v '&u;'>]><a/>",
       "Unparsed entity reference @1:82"},
      {"<!DOCTYPE a [<!ELEMENT a ANY>", "Missing declaration close @0:0"},
      {"<!DOCTYPE a [<!ENTITY e 'v'] <a/>", "Missing declaration close @1:28"},
      {"<!DOCTYPE a [<!ENTITY e 'abc", "Unexpected end of document @0:0"},
  };
  for (const CErrorCase& c : cases) EXPECT_EQ(Error(c.document), c.expected) << c.document;
}

TEST(ParserErrors, PositionInsideAnEntityIsThatOfTheReference) {
  // The error is in the replacement text; the position is just after "&e;".
  EXPECT_EQ(Error("<!DOCTYPE a [<!ENTITY e 'x]]>'>]>\n<a>12&e;</a>"), "Misplaced CDATA close @2:8");
  // &#38; is resolved in the declaration, so the value holds "&#1;".
  EXPECT_EQ(Error("<!DOCTYPE a [<!ENTITY e '&#38;#1;'>]>\n<a>&e;</a>"), "Bad character reference @2:6");
}

TEST(ParserErrors, MessageIsExactlyATableText) {
  // Unknown codes get the default row; no text of the document is quoted.
  XmlParserPrivate::CXmlException unknown(999, u"", u"s", 1, 2);
  EXPECT_EQ(unknown.GetMessage(), u"Unclassified XML parser exception");
  CResult r = ParseBytes("<a><secret-name></other></a>");
  EXPECT_EQ(r.message, "Mismatched end tag");
  EXPECT_EQ(r.systemId, "mem:doc");
}

class CErrorCatcher : public Sxp::IErrorHandler {
public:
  std::string seen;
  void Error(const Sxp::CParseException& e) override { seen = Core::ToUtf8(e.GetMessage()); }
};

class CThrowingHandler : public CRecorder {
public:
  void StartElement(Core::StringView) override { throw std::runtime_error("handler"); }
};

TEST(ParserErrors, ErrorHandlerSeesTheErrorAndHandlerExceptionsPassThrough) {
  Core::XInterface<Sxp::IParser> parser = Core::Make<XmlParserPrivate::CParserFactory>()->CreateParser();
  Core::XInterface<CErrorCatcher> catcher = Core::Make<CErrorCatcher>();
  parser->SetErrorHandler(catcher);
  Core::XInterface<XmlParserPrivate::CInputSource> s = Core::Make<XmlParserPrivate::CInputSource>();
  s->SetByteStream(Core::Make<CMemoryStream>("<a></b>"));
  EXPECT_THROW(parser->ParseInputSource(s.Get()), Sxp::CParseException);
  EXPECT_EQ(catcher->seen, "Mismatched end tag");

  parser->SetDocumentHandler(Core::Make<CThrowingHandler>());
  s = Core::Make<XmlParserPrivate::CInputSource>();
  s->SetByteStream(Core::Make<CMemoryStream>("<a/>"));
  EXPECT_THROW(parser->ParseInputSource(s.Get()), std::runtime_error);
}

} // namespace
