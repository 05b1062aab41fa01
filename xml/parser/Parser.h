#pragma once
// The parser's private classes: entity readers and their records, the
// tokenizer over the entity stack, the locator and the parser itself.
#include <cstdint>
#include <memory>
#include <unordered_set>
#include <vector>

#include "core/Encoding.h"
#include "core/Interface.h"
#include "core/Stream.h"
#include "core/String.h"
#include "xml/parser/CharacterClasses.h"
#include "xml/parser/Dtd.h"
#include "xml/parser/Sxp.h"
#include "xml/parser/XmlException.h"

namespace Sxp {

// One entity as UTF-16 units.
class IReader : public Core::CInterface {
public:
  // Up to max units; 0 at the end of the entity.
  virtual int32_t Read(char16_t* units, int32_t max) = 0;
};

} // namespace Sxp

namespace XmlParserPrivate {

class CParser;

// Bounds against hostile documents.
constexpr int32_t kMaxEntityDepth = 40;              // entities open inside each other
// Units of replacement text read in one parse, and of attribute names and
// values added from defaults: any document may expand this much, a large one
// up to the ratio times its own text read so far.
constexpr int64_t kMaxEntityExpansion = 10'000'000;
constexpr int64_t kEntityExpansionRatio = 10;
constexpr int32_t kMaxElementDepth = 2048;           // elements open inside each other
constexpr int32_t kMaxGroupDepth = 256;              // nested groups of a content model

// The end of input, apart from every character (U+0000 included).
constexpr int32_t kEnd = -1;

// Reads the document entity: from the input source's character stream, or
// decoding its byte stream, or the file its system id names.
class CInputSourceReader : public Sxp::IReader {
public:
  CInputSourceReader(CParser& parser, CInputSource* source);
  int32_t Read(char16_t* units, int32_t max) override;
  // The encoding detected from the first bytes (null before the first read).
  const Unicode::CEncoding* GetDetectedEncoding() const { return m_detected.Get(); }
  // The detected encoding was named by a byte-order mark.
  bool HasByteOrderMark() const { return m_marked; }

private:
  int32_t Detect(char16_t* units);
  int32_t DecodeOne(const Unicode::CEncoding& encoding, char16_t* units);
  int32_t Decode(const Unicode::CEncoding& encoding, char16_t* units, int32_t max);
  // More bytes behind those not yet decoded; false at the end of the stream.
  bool Fill();

  CParser& m_parser;
  Core::XInterface<CInputSource> m_source;
  Core::XInterface<Core::IUnicodeStream> m_charStream;
  Core::XInterface<Core::IStream> m_byteStream;
  Core::XInterface<Unicode::CEncoding> m_chosen;
  Core::XInterface<Unicode::CEncoding> m_detected;
  // Starts small and doubles while reads fill it, so that a small document
  // costs a small buffer; never cleared, only written by reads.
  std::unique_ptr<uint8_t[]> m_bytes;
  int32_t m_byteCapacity = 0;
  bool m_filledAll = false;  // the last read filled the free part
  int32_t m_byteCount = 0;
  int32_t m_bytePos = 0;
  bool m_detecting = true;
  bool m_marked = false;
};

// One open entity: the units read so far and where reading stands. The
// document entity refills its buffer from its reader; an internal entity's
// units are its replacement text, read in place.
struct CReaderRec {
  const char16_t* data = nullptr;
  int32_t pos = 0;
  int32_t end = 0;
  // Units pushed back that are not the ones just before pos.
  char16_t back[4] = {};
  int32_t backCount = 0;
  // Wider than what the locator reports: a document may hold more than
  // 2^31 line feeds, or as many units on one line.
  int64_t line = 1;
  int64_t column = 0;
  Sxp::IReader* reader = nullptr;  // the document entity's; null for an internal entity
  CEntity* entity = nullptr;       // the internal entity being read
};

class CTokenizer {
public:
  explicit CTokenizer(CParser& parser);
  ~CTokenizer();

  enum EKind : int32_t {
    TokEnd = 0,
    TokSpace = 1,
    TokName = 2,
    TokNameToken = 3,
    TokEntityRef = 4,
    TokPeRef = 5,
    TokQuote = 6,
    TokEq = 7,
    TokXmlDecl = 8,
    TokDecl = 9,
    TokDeclClose = 10,
    TokHashName = 11,
    TokBar = 12,
    TokComma = 13,
    TokRefStart = 14,
    TokLParen = 15,
    TokRParen = 16,
    TokLBracket = 17,
    TokRBracket = 18,
    TokRParenOpt = 19,
    TokRParenStar = 20,
    TokRParenPlus = 21,
    TokNameOpt = 22,
    TokNameStar = 23,
    TokNamePlus = 24,
    TokStartTag = 25,
    TokEndTag = 26,
    TokTagClose = 27,
    TokEmptyClose = 28,
    TokData = 29,
    TokCdata = 30,
    TokComment = 31,
    TokPi = 32,
  };

  void Open(Sxp::IReader* documentReader);
  void Close();
  bool IsOpen() const { return m_open; }

  void NextToken();
  int32_t Kind() const { return m_kind; }
  const Core::String& Text() const { return m_text; }

  void SetContentMode(bool on) { m_contentMode = on; }
  void SetDeclarationMode(bool on) { m_declarationMode = on; }

  // Each fills up to max units and returns the count; 0 when the construct
  // is finished.
  int32_t ReadAttributeValue(char16_t* units, int32_t max);
  int32_t ReadEntityValue(char16_t* units, int32_t max);
  int32_t ReadCharacterData(char16_t* units, int32_t max);
  int32_t ReadCommentText(char16_t* units, int32_t max);
  int32_t ReadCdataText(char16_t* units, int32_t max);
  void ReadSystemLiteral(Core::String& out);
  void ReadPublicIdLiteral(Core::String& out);
  void ReadPiData(Core::String& out);

  // One character; inside a token the end of input is an error.
  int32_t GetChar() {
    CReaderRec* r = m_top;
    if (r && r->backCount == 0 && r->pos < r->end) {
      char16_t c = r->data[r->pos++];
      if (c == u'\n') {
        ++r->line;
        r->column = 0;
      } else {
        ++r->column;
      }
      return c;
    }
    return GetCharSlow(false);
  }
  // One character where the end of input is allowed (kEnd).
  int32_t GetCharOrEnd() { return GetCharSlow(true); }
  void UngetChar(int32_t c);

  // The document entity's record, null when it is closed.
  const CReaderRec* GetBottom() const { return m_depth > 0 ? m_records[0].get() : nullptr; }
  int32_t GetDepth() const { return m_depth; }

  // A parameter-entity reference was left unexpanded: declarations may be
  // missing from what was read.
  bool SkippedParameterEntity() const { return m_skippedParameterEntity; }

  // Counts units that the document did not spell out against the expansion
  // bound; past it, raises the error code.
  void ChargeExpansion(int64_t units, int32_t code);

private:
  int32_t GetCharSlow(bool endAllowed);
  bool Refill(CReaderRec* r);
  void Pop();
  // Reads a name whose first character was read.
  void ReadNameAfter(char16_t first, Core::String& out);
  int32_t ReadCharacterReference(char16_t* units);
  void ReadEntityName(Core::String& name);
  bool ExpandEntity(Core::StringView name, bool general);
  // The one character of a predefined entity, or 0.
  static char16_t Predefined(Core::StringView name);

  CParser& m_parser;
  bool m_open = false;
  std::vector<std::unique_ptr<CReaderRec>> m_records;  // kept for reuse
  int32_t m_depth = 0;
  CReaderRec* m_top = nullptr;
  // The document entity's units: grows while reads fill it, kept across
  // parses, never cleared.
  std::unique_ptr<char16_t[]> m_documentBuffer;
  int32_t m_documentCapacity = 0;
  bool m_documentFilled = false;  // the last read filled the buffer
  bool m_declarationMode = false;
  bool m_previousSpace = false;
  bool m_contentMode = false;
  char16_t m_quote = 0;
  int32_t m_literalDepth = -1;
  Core::String m_pendingText;
  size_t m_pendingPos = 0;
  bool m_pendingReference = false;
  Core::String m_pendingName;
  bool m_inComment = false;
  bool m_inCdata = false;
  bool m_skippedParameterEntity = false;
  int64_t m_expanded = 0;
  int64_t m_documentUnits = 0;  // read from the document entity

  int32_t m_kind = TokEnd;
  Core::String m_text;
  Core::String m_scratch;
};

class CLocator : public Sxp::ILocator {
public:
  explicit CLocator(const CParser& parser) : m_parser(parser) {}
  Core::StringView GetPublicId() const override;
  Core::StringView GetSystemId() const override;
  int32_t GetColumnNumber() const override;
  int32_t GetLineNumber() const override;

private:
  const CParser& m_parser;
};

class CParser final : public Sxp::IParser {
public:
  CParser();
  ~CParser() override;

  void Parse(Core::StringView systemId) override;
  void ParseInputSource(CInputSource* source) override;
  void SetDocumentHandler(const Core::XInterface<Sxp::IDocumentHandler>& handler) override { m_doc = handler; }
  void SetDtdHandler(const Core::XInterface<Sxp::IDtdHandler>& handler) override { m_dtdHandler = handler; }
  void SetReservedHandler(const Core::XInterface<Core::CInterface>& handler) override { m_reserved = handler; }
  void SetErrorHandler(const Core::XInterface<Sxp::IErrorHandler>& handler) override { m_errorHandler = handler; }
  void SetOption(Core::StringView option) override { m_option = Core::String(option); }

  // Raises a parse error at the current location, through the error handler.
  [[noreturn]] void ThrowError(int32_t code);
  // A reference to the general entity was left out because its text was
  // never read: tells the error handler, the first time for each name.
  void WarnNotExpanded(Core::StringView name);

  const Sxp::ILocator& GetLocator() const { return *m_locator; }
  const Core::String& GetPublicId() const { return m_publicId; }
  const Core::String& GetSystemId() const { return m_systemId; }
  const CTokenizer& GetTokenizer() const { return m_tokenizer; }

  CEntity* FindGeneralEntity(Core::StringView name) const;
  CEntity* FindParameterEntity(Core::StringView name) const;
  // Every declaration of the document was read: it has no external subset
  // and no parameter-entity reference was left unexpanded, so a name no
  // declaration gave is undeclared.
  bool AllDeclarationsRead() const {
    return !m_dtd || (!m_dtd->hasSystemId && !m_tokenizer.SkippedParameterEntity());
  }

  bool IsDeclarationSettled() const { return m_declarationSettled; }
  Unicode::CEncoding* GetCurrentEncoding() const { return m_currentEncoding.Get(); }
  // One of the parser's three encodings by name, without regard to case.
  Unicode::CEncoding* FindEncoding(Core::StringView name) const;

private:
  using EKind = CTokenizer::EKind;

  void ParseDocument();
  void ParseXmlDeclaration();
  bool ReadPseudoAttribute(Core::String& name, Core::String& value);
  void SettleEncoding(Core::StringView declared);
  void ParseMisc();
  void ParseRootElement();
  // Reads a start tag and its attributes; true for an empty-element tag.
  bool ParseStartTag();
  void ParseAttribute();
  void AddAttributeDefaults();
  void ParseEndTag();
  void ParseComment();
  void ParseProcessingInstruction();
  void ParseCharacterData();
  void ParseCdata();

  void ParseDoctype();
  void ParseExternalId(Core::String& publicId, bool& hasPublicId, Core::String& systemId, bool& hasSystemId);
  void ParseElementDecl();
  void ParseContentSpec();
  void ParseChildrenGroup(int32_t depth);
  void ParseAttlistDecl();
  void ParseAttributeType(CAttribute& attribute);
  void ParseDefaultDecl(CAttribute& attribute);
  void ParseEntityDecl();
  void ParseNotationDecl();

  // Token operations on the current token.
  void Next() { m_tokenizer.NextToken(); }
  int32_t Kind() const { return m_tokenizer.Kind(); }
  bool Accept(int32_t kind) {
    if (m_tokenizer.Kind() != kind) return false;
    m_tokenizer.NextToken();
    return true;
  }
  void Expect(int32_t kind, int32_t code) {
    if (!Accept(kind)) ThrowError(code);
  }
  bool AcceptText(int32_t kind, Core::String& text);
  void ExpectText(int32_t kind, Core::String& text, int32_t code) {
    if (!AcceptText(kind, text)) ThrowError(code);
  }
  void ExpectSpace() { Expect(CTokenizer::TokSpace, ErrorMissingSpace); }
  void ExpectName(Core::String& name) { ExpectText(CTokenizer::TokName, name, ErrorMissingName); }
  void ExpectNameToken(Core::String& text);
  void ExpectEq();

  Core::XInterface<Sxp::IDocumentHandler> m_doc;
  Core::XInterface<Sxp::IDtdHandler> m_dtdHandler;
  Core::XInterface<Core::CInterface> m_reserved;
  Core::XInterface<Sxp::IErrorHandler> m_errorHandler;
  std::unordered_set<Core::String> m_notExpanded;  // names warned about in this parse
  Core::String m_option;
  Core::XInterface<CLocator> m_locator;

  Core::XInterface<Unicode::CEncoding> m_encodings[3];
  Core::XInterface<Unicode::CEncoding> m_currentEncoding;
  bool m_declarationSettled = false;
  CInputSourceReader* m_documentReader = nullptr;
  Core::String m_publicId;
  Core::String m_systemId;

  CTokenizer m_tokenizer;
  std::unique_ptr<CDtd> m_dtd;
  CEntity m_predefined[5];

  // Names of the open elements, end to end, and where each begins.
  Core::String m_openNames;
  std::vector<int32_t> m_openStarts;
  // Attribute names written in the current start tag, end to end.
  Core::String m_writtenNames;
  std::vector<int32_t> m_writtenStarts;
  std::unordered_set<Core::StringView, CStringHash, CStringEqual> m_writtenSet;
  Core::String m_name;
  Core::String m_data;
  char16_t m_buffer[1024];
};

} // namespace XmlParserPrivate
