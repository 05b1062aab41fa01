#include <algorithm>

#include "xml/parser/Parser.h"

namespace XmlParserPrivate {

namespace {

constexpr int32_t kFirstDocumentBufferSize = 1024;
constexpr int32_t kDocumentBufferSize = 16 * 1024;

using CC = CCharacterClasses;

struct CStopTable {
  bool stop[128] = {};
  constexpr CStopTable(const char* chars) {
    stop[0] = true;  // U+0000 is never data
    for (int i = 0; chars[i]; ++i) stop[static_cast<unsigned char>(chars[i])] = true;
  }
};

constexpr CStopTable kDataStop("<&]");
constexpr CStopTable kAttributeStop("<&\"'");
constexpr CStopTable kEntityValueStop("%&\"'");
constexpr CStopTable kCommentStop("-");
constexpr CStopTable kCdataStop("]");

bool IsSpaceUnit(int32_t c) { return c == 0x20 || c == 0x09 || c == 0x0A || c == 0x0D; }

int HexValue(int32_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsPublicIdChar(int32_t c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  switch (c) {
  case '@': case '!': case '#': case '$': case '%': case '\'': case '(': case ')': case '*': case '+':
  case ',': case '-': case '.': case '/': case ':': case ';': case '=': case '?': case '_':
    return true;
  default:
    return false;
  }
}

bool EqualsNoCase(Core::StringView a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    char16_t x = a[i], y = static_cast<char16_t>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<char16_t>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char16_t>(y + 32);
    if (x != y) return false;
  }
  return i == a.size() && !b[i];
}

// Copies the units of the record from its position up to a stop character,
// room units at most; keeps line and column. Returns the count.
template <bool NormaliseSpace>
inline int32_t CopyRun(CReaderRec* r, char16_t* out, int32_t room, const CStopTable& table) {
  if (!r || r->backCount || r->pos >= r->end) return 0;
  const char16_t* s = r->data + r->pos;
  const char16_t* e = s + std::min(room, r->end - r->pos);
  const char16_t* p = s;
  const char16_t* lastLf = nullptr;
  int32_t lines = 0;
  while (p < e) {
    char16_t c = *p;
    if (c < 128) {
      if (table.stop[c]) break;
      if (c == u'\n') {
        ++lines;
        lastLf = p;
        if (NormaliseSpace) c = u' ';
      } else if (NormaliseSpace && (c == u'\t' || c == u'\r')) {
        c = u' ';
      }
    }
    *out++ = c;
    ++p;
  }
  int32_t n = static_cast<int32_t>(p - s);
  r->pos += n;
  if (lines) {
    r->line += lines;
    r->column = p - lastLf - 1;
  } else {
    r->column += n;
  }
  return n;
}

} // namespace

CTokenizer::CTokenizer(CParser& parser) : m_parser(parser) {}

CTokenizer::~CTokenizer() { Close(); }

void CTokenizer::Open(Sxp::IReader* documentReader) {
  Close();
  if (!m_documentBuffer) {
    m_documentCapacity = kFirstDocumentBufferSize;
    m_documentBuffer.reset(new char16_t[size_t(m_documentCapacity)]);
  }
  m_documentFilled = false;
  if (m_records.empty()) m_records.push_back(std::make_unique<CReaderRec>());
  CReaderRec* r = m_records[0].get();
  *r = CReaderRec{};
  r->data = m_documentBuffer.get();
  r->reader = documentReader;
  m_depth = 1;
  m_top = r;
  m_open = true;
  m_declarationMode = m_previousSpace = m_contentMode = false;
  m_quote = 0;
  m_literalDepth = -1;
  m_pendingText.clear();
  m_pendingPos = 0;
  m_pendingReference = false;
  m_pendingName.clear();
  m_inComment = m_inCdata = false;
  m_skippedParameterEntity = false;
  m_expanded = 0;
  m_documentUnits = 0;
  m_kind = TokEnd;
}

void CTokenizer::Close() {
  while (m_depth > 0) Pop();
  m_open = false;
}

void CTokenizer::Pop() {
  CReaderRec* r = m_top;
  if (r->entity) --r->entity->openCount;
  r->entity = nullptr;
  r->reader = nullptr;
  --m_depth;
  m_top = m_depth > 0 ? m_records[m_depth - 1].get() : nullptr;
}

bool CTokenizer::Refill(CReaderRec* r) {
  if (!r->reader) return false;
  // Every unit of the buffer has been read: nothing refers into it.
  if (m_documentFilled && m_documentCapacity < kDocumentBufferSize) {
    m_documentCapacity = std::min(2 * m_documentCapacity, kDocumentBufferSize);
    m_documentBuffer.reset(new char16_t[size_t(m_documentCapacity)]);
  }
  int32_t n = r->reader->Read(m_documentBuffer.get(), m_documentCapacity);
  m_documentFilled = n == m_documentCapacity;
  if (n <= 0) return false;
  m_documentUnits += n;
  r->data = m_documentBuffer.get();
  r->pos = 0;
  r->end = n;
  return true;
}

int32_t CTokenizer::GetCharSlow(bool endAllowed) {
  for (;;) {
    CReaderRec* r = m_top;
    if (!r) {
      if (endAllowed) return kEnd;
      m_parser.ThrowError(ErrorUnexpectedEnd);
    }
    char16_t c;
    if (r->backCount) {
      c = r->back[--r->backCount];
    } else if (r->pos < r->end || Refill(r)) {
      c = r->data[r->pos++];
    } else {
      Pop();
      continue;
    }
    if (c == u'\n') {
      ++r->line;
      r->column = 0;
    } else {
      ++r->column;
    }
    return c;
  }
}

void CTokenizer::UngetChar(int32_t c) {
  CReaderRec* r = m_top;
  if (c == kEnd || !r) return;
  if (c == u'\n') {
    --r->line;
  } else {
    --r->column;
  }
  if (r->backCount == 0 && r->pos > 0 && r->data[r->pos - 1] == c) {
    --r->pos;
  } else if (r->backCount < 4) {
    r->back[r->backCount++] = static_cast<char16_t>(c);
  }
}

void CTokenizer::ReadNameAfter(char16_t first, Core::String& out) {
  out.assign(1, first);
  for (;;) {
    CReaderRec* r = m_top;
    if (r && r->backCount == 0 && r->pos < r->end) {
      const char16_t* s = r->data + r->pos;
      const char16_t* e = r->data + r->end;
      const char16_t* p = s;
      while (p < e && CC::IsAsciiNameChar(*p)) ++p;
      if (p > s) {
        out.append(s, p);
        r->pos += static_cast<int32_t>(p - s);
        r->column += p - s;
      }
      if (p < e && *p < 0x80) return;  // the character after the name stays unread
    }
    // A name may end the input; what follows decides whether that is an error.
    int32_t c = GetCharOrEnd();
    if (c == kEnd || !CC::IsNameChar(static_cast<char16_t>(c))) {
      UngetChar(c);
      return;
    }
    out.push_back(static_cast<char16_t>(c));
  }
}

void CTokenizer::NextToken() {
  bool previousSpace = m_previousSpace;
  m_previousSpace = false;
  if (m_pendingReference) {
    m_pendingReference = false;
    m_kind = TokEntityRef;
    m_text = m_pendingName;
    return;
  }
  for (;;) {
    int32_t c;
    CReaderRec* top = m_top;
    if (top && top->backCount == 0 && top->pos < top->end) {
      c = GetChar();
    } else {
      c = GetCharOrEnd();
      if (c == kEnd) {
        m_kind = TokEnd;
        m_text.clear();
        return;
      }
    }
    if (m_contentMode && c != u'<') {
      UngetChar(c);
      m_kind = TokData;
      return;
    }
    switch (CC::ClassOf(static_cast<char16_t>(c))) {
    case ClassControl:
      m_parser.ThrowError(ErrorIllegalChar);
    case ClassSpace: {
      int32_t d;
      do {
        d = GetCharOrEnd();
      } while (d != kEnd && IsSpaceUnit(d));
      UngetChar(d);
      if (previousSpace) continue;
      m_kind = TokSpace;
      m_previousSpace = true;
      return;
    }
    case ClassNameStart: {
      ReadNameAfter(static_cast<char16_t>(c), m_text);
      int32_t d = GetCharOrEnd();
      if (d == u'?') {
        m_kind = TokNameOpt;
      } else if (d == u'*') {
        m_kind = TokNameStar;
      } else if (d == u'+') {
        m_kind = TokNamePlus;
      } else {
        UngetChar(d);
        m_kind = TokName;
      }
      return;
    }
    case ClassNameChar:
    case ClassMinus:
      ReadNameAfter(static_cast<char16_t>(c), m_text);
      m_kind = TokNameToken;
      return;
    case ClassQuote:
    case ClassApos:
      m_quote = static_cast<char16_t>(c);
      m_literalDepth = m_depth;
      m_pendingText.clear();
      m_pendingPos = 0;
      m_kind = TokQuote;
      return;
    case ClassHash: {
      int32_t d = GetChar();
      if (!CC::IsNameStart(static_cast<char16_t>(d))) m_parser.ThrowError(ErrorBadToken);
      ReadNameAfter(static_cast<char16_t>(d), m_text);
      m_kind = TokHashName;
      return;
    }
    case ClassPercent: {
      int32_t d = GetChar();
      if (!CC::IsNameStart(static_cast<char16_t>(d))) {
        UngetChar(d);
        m_kind = TokRefStart;
        return;
      }
      ReadNameAfter(static_cast<char16_t>(d), m_text);
      if (GetChar() != u';') m_parser.ThrowError(ErrorBadToken);
      if (ExpandEntity(m_text, false)) continue;
      m_skippedParameterEntity = true;
      m_kind = TokPeRef;
      return;
    }
    case ClassAmp: {
      int32_t d = GetChar();
      if (!CC::IsNameStart(static_cast<char16_t>(d))) {
        UngetChar(d);
        m_kind = TokRefStart;
        return;
      }
      ReadNameAfter(static_cast<char16_t>(d), m_text);
      if (GetChar() != u';') m_parser.ThrowError(ErrorBadToken);
      m_kind = TokEntityRef;
      return;
    }
    case ClassLParen:
      m_kind = TokLParen;
      return;
    case ClassRParen: {
      int32_t d = GetChar();
      if (d == u'?') {
        m_kind = TokRParenOpt;
      } else if (d == u'*') {
        m_kind = TokRParenStar;
      } else if (d == u'+') {
        m_kind = TokRParenPlus;
      } else {
        UngetChar(d);
        m_kind = TokRParen;
      }
      return;
    }
    case ClassComma:
      m_kind = TokComma;
      return;
    case ClassEq:
      m_kind = TokEq;
      return;
    case ClassLBracket:
      m_kind = TokLBracket;
      return;
    case ClassRBracket:
      m_kind = TokRBracket;
      return;
    case ClassBar:
      m_kind = TokBar;
      return;
    case ClassSlash:
      if (GetChar() != u'>' || m_declarationMode) m_parser.ThrowError(ErrorBadToken);
      m_kind = TokEmptyClose;
      return;
    case ClassGt:
      m_kind = m_declarationMode ? TokDeclClose : TokTagClose;
      return;
    case ClassLt: {
      int32_t d = GetChar();
      if (d == u'?') {
        int32_t e = GetChar();
        if (!CC::IsNameStart(static_cast<char16_t>(e))) m_parser.ThrowError(ErrorBadToken);
        ReadNameAfter(static_cast<char16_t>(e), m_text);
        if (m_text == u"xml") {
          m_kind = TokXmlDecl;
          return;
        }
        if (EqualsNoCase(m_text, "xml")) m_parser.ThrowError(ErrorBadToken);
        m_kind = TokPi;
        return;
      }
      if (d == u'!') {
        int32_t e = GetChar();
        if (CC::IsNameStart(static_cast<char16_t>(e))) {
          ReadNameAfter(static_cast<char16_t>(e), m_text);
          m_kind = TokDecl;
          return;
        }
        if (e == u'[') {
          int32_t f = GetChar();
          if (!CC::IsNameStart(static_cast<char16_t>(f))) m_parser.ThrowError(ErrorBadToken);
          ReadNameAfter(static_cast<char16_t>(f), m_text);
          if (m_text != u"CDATA" || GetChar() != u'[') m_parser.ThrowError(ErrorBadToken);
          m_inCdata = true;
          m_kind = TokCdata;
          return;
        }
        if (e == u'-') {
          if (GetChar() != u'-') m_parser.ThrowError(ErrorBadToken);
          m_inComment = true;
          m_kind = TokComment;
          return;
        }
        m_parser.ThrowError(ErrorBadToken);
      }
      if (d == u'/') {
        m_kind = TokEndTag;
        return;
      }
      UngetChar(d);
      m_kind = TokStartTag;
      return;
    }
    default:
      m_parser.ThrowError(ErrorBadToken);
    }
  }
}

int32_t CTokenizer::ReadCharacterReference(char16_t* units) {
  int32_t c = GetChar();
  // Leading zeros are allowed in any number; a value past the last character
  // stops growing there, so that no count of digits can overflow it.
  constexpr uint32_t kTooLarge = 0x110000;
  uint32_t value = 0;
  int digits = 0;
  if (c == u'x') {
    for (;;) {
      c = GetChar();
      int v = HexValue(c);
      if (v < 0) break;
      ++digits;
      value = std::min(value * 16 + static_cast<uint32_t>(v), kTooLarge);
    }
  } else {
    while (c >= u'0' && c <= u'9') {
      ++digits;
      value = std::min(value * 10 + static_cast<uint32_t>(c - u'0'), kTooLarge);
      c = GetChar();
    }
  }
  if (c != u';' || digits == 0 || value > 0x10FFFF) m_parser.ThrowError(ErrorBadCharRef);
  if (value >= 0x10000) {
    value -= 0x10000;
    units[0] = static_cast<char16_t>(0xD800 + (value >> 10));
    units[1] = static_cast<char16_t>(0xDC00 + (value & 0x3FF));
    return 2;
  }
  // A surrogate is half a character, never one of its own.
  if (CC::ClassOf(static_cast<char16_t>(value)) == ClassControl || (value >= 0xD800 && value <= 0xDFFF)) {
    m_parser.ThrowError(ErrorBadCharRef);
  }
  units[0] = static_cast<char16_t>(value);
  return 1;
}

void CTokenizer::ReadEntityName(Core::String& name) {
  int32_t c = GetChar();
  if (!CC::IsNameStart(static_cast<char16_t>(c))) m_parser.ThrowError(ErrorBadEntityRef);
  ReadNameAfter(static_cast<char16_t>(c), name);
  if (GetChar() != u';') m_parser.ThrowError(ErrorBadEntityRef);
}

char16_t CTokenizer::Predefined(Core::StringView name) {
  if (name == u"lt") return u'<';
  if (name == u"gt") return u'>';
  if (name == u"amp") return u'&';
  if (name == u"apos") return u'\'';
  if (name == u"quot") return u'"';
  return 0;
}

void CTokenizer::ChargeExpansion(int64_t units, int32_t code) {
  m_expanded += units;
  if (m_expanded > kMaxEntityExpansion && m_expanded > kEntityExpansionRatio * m_documentUnits) {
    m_parser.ThrowError(code);
  }
}

bool CTokenizer::ExpandEntity(Core::StringView name, bool general) {
  CEntity* e = general ? m_parser.FindGeneralEntity(name) : m_parser.FindParameterEntity(name);
  if (!e || e->external) return false;
  if (e->openCount > 0) m_parser.ThrowError(ErrorRecursiveEntity);
  if (m_depth > kMaxEntityDepth) m_parser.ThrowError(ErrorEntityTooDeep);
  // Every expansion counts, also of an empty text, so that nesting empty
  // entities cannot multiply work unseen.
  ChargeExpansion(static_cast<int64_t>(e->replacementText.size()) + 1, ErrorEntityTooLarge);
  if (static_cast<size_t>(m_depth) == m_records.size()) m_records.push_back(std::make_unique<CReaderRec>());
  CReaderRec* r = m_records[m_depth].get();
  *r = CReaderRec{};
  r->data = e->replacementText.data();
  r->end = static_cast<int32_t>(e->replacementText.size());
  r->entity = e;
  ++e->openCount;
  ++m_depth;
  m_top = r;
  return true;
}

int32_t CTokenizer::ReadCharacterData(char16_t* units, int32_t max) {
  if (m_pendingReference) return 0;
  int32_t n = 0;
  while (n < max) {
    n += CopyRun<false>(m_top, units + n, max - n, kDataStop);
    if (n >= max) break;
    int32_t c = GetChar();
    switch (c) {
    case u'<':
      UngetChar(c);
      return n;
    case u'&': {
      int32_t d = GetChar();
      if (d == u'#') {
        char16_t pair[2];
        int32_t k = ReadCharacterReference(pair);
        units[n++] = pair[0];
        if (k == 2) {
          if (n < max) {
            units[n++] = pair[1];
          } else {
            UngetChar(pair[1]);
          }
        }
        break;
      }
      UngetChar(d);
      ReadEntityName(m_scratch);
      if (char16_t p = Predefined(m_scratch)) {
        units[n++] = p;
      } else if (!ExpandEntity(m_scratch, true)) {
        if (!m_parser.FindGeneralEntity(m_scratch) && m_parser.AllDeclarationsRead()) {
          m_parser.ThrowError(ErrorUndefinedEntity);
        }
        // Declared external, or maybe declared where the parser does not read.
        m_pendingReference = true;
        m_pendingName = m_scratch;
        return n;
      }
      break;
    }
    case u']': {
      units[n++] = u']';
      int32_t d = GetChar();
      if (d == u']') {
        int32_t e = GetChar();
        if (e == u'>') m_parser.ThrowError(ErrorMisplacedCdataClose);
        UngetChar(e);
      }
      UngetChar(d);
      break;
    }
    case 0:
      m_parser.ThrowError(ErrorIllegalChar);
    default:
      units[n++] = static_cast<char16_t>(c);
    }
  }
  return n;
}

int32_t CTokenizer::ReadAttributeValue(char16_t* units, int32_t max) {
  if (m_literalDepth < 0) return 0;
  int32_t n = 0;
  while (n < max) {
    n += CopyRun<true>(m_top, units + n, max - n, kAttributeStop);
    if (n >= max) break;
    int32_t c = GetChar();
    if (m_depth < m_literalDepth) m_parser.ThrowError(ErrorEndOfLiteral);
    if (c == m_quote && m_depth == m_literalDepth) {
      m_literalDepth = -1;
      break;
    }
    switch (c) {
    case u'<':
      m_parser.ThrowError(ErrorBadAttributeValue);
    case 0:
      m_parser.ThrowError(ErrorIllegalChar);
    case u'&': {
      int32_t d = GetChar();
      if (d == u'#') {
        char16_t pair[2];
        int32_t k = ReadCharacterReference(pair);
        // A referenced tab or line end is kept: only written ones become spaces, so
        // a line feed escaped as "&#10;" survives a round trip.
        units[n++] = pair[0];
        if (k == 2) {
          if (n < max) {
            units[n++] = pair[1];
          } else {
            UngetChar(pair[1]);
          }
        }
        break;
      }
      UngetChar(d);
      ReadEntityName(m_scratch);
      if (char16_t p = Predefined(m_scratch)) {
        units[n++] = p;
        break;
      }
      CEntity* e = m_parser.FindGeneralEntity(m_scratch);
      if (!e) {
        if (m_parser.AllDeclarationsRead()) m_parser.ThrowError(ErrorUndefinedEntity);
        // Maybe declared where the parser does not read: it adds nothing, as in content.
        m_parser.WarnNotExpanded(m_scratch);
        break;
      }
      if (e->external) m_parser.ThrowError(ErrorExternalInAttribute);
      ExpandEntity(m_scratch, true);
      break;
    }
    case u'\t':
    case u'\n':
    case u'\r':
      units[n++] = u' ';
      break;
    default:
      units[n++] = static_cast<char16_t>(c);
    }
  }
  return n;
}

int32_t CTokenizer::ReadEntityValue(char16_t* units, int32_t max) {
  int32_t n = 0;
  for (;;) {
    while (m_pendingPos < m_pendingText.size() && n < max) units[n++] = m_pendingText[m_pendingPos++];
    if (m_pendingPos >= m_pendingText.size()) {
      m_pendingText.clear();
      m_pendingPos = 0;
    }
    if (n >= max || m_literalDepth < 0) return n;
    n += CopyRun<false>(m_top, units + n, max - n, kEntityValueStop);
    if (n >= max) return n;
    int32_t c = GetChar();
    if (m_depth < m_literalDepth) m_parser.ThrowError(ErrorEndOfLiteral);
    if (c == m_quote && m_depth == m_literalDepth) {
      m_literalDepth = -1;
      return n;
    }
    switch (c) {
    case 0:
      m_parser.ThrowError(ErrorIllegalChar);
    case u'%': {
      ReadEntityName(m_scratch);
      if (!ExpandEntity(m_scratch, false)) {
        m_skippedParameterEntity = true;
        m_pendingText.assign(1, u'%');
        m_pendingText += m_scratch;
        m_pendingText += u';';
      }
      break;
    }
    case u'&': {
      int32_t d = GetChar();
      if (d == u'#') {
        char16_t pair[2];
        int32_t k = ReadCharacterReference(pair);
        units[n++] = pair[0];
        if (k == 2) {
          if (n < max) {
            units[n++] = pair[1];
          } else {
            UngetChar(pair[1]);
          }
        }
        break;
      }
      UngetChar(d);
      ReadEntityName(m_scratch);
      CEntity* e = m_parser.FindGeneralEntity(m_scratch);
      if (e && e->unparsed) m_parser.ThrowError(ErrorUnparsedReference);
      // General entities are expanded where the value is used, not here.
      m_pendingText.assign(1, u'&');
      m_pendingText += m_scratch;
      m_pendingText += u';';
      break;
    }
    default:
      units[n++] = static_cast<char16_t>(c);
    }
  }
}

int32_t CTokenizer::ReadCommentText(char16_t* units, int32_t max) {
  if (!m_inComment) return 0;
  int32_t n = 0;
  while (n < max) {
    n += CopyRun<false>(m_top, units + n, max - n, kCommentStop);
    if (n >= max) break;
    int32_t c = GetChar();
    if (c == 0) m_parser.ThrowError(ErrorIllegalChar);
    if (c == u'-') {
      int32_t d = GetChar();
      if (d == u'-') {
        if (GetChar() != u'>') m_parser.ThrowError(ErrorBadComment);
        m_inComment = false;
        break;
      }
      UngetChar(d);
    }
    units[n++] = static_cast<char16_t>(c);
  }
  return n;
}

int32_t CTokenizer::ReadCdataText(char16_t* units, int32_t max) {
  if (!m_inCdata) return 0;
  int32_t n = 0;
  while (n < max) {
    n += CopyRun<false>(m_top, units + n, max - n, kCdataStop);
    if (n >= max) break;
    int32_t c = GetChar();
    if (c == 0) m_parser.ThrowError(ErrorIllegalChar);
    if (c == u']') {
      int32_t d = GetChar();
      if (d == u']') {
        int32_t e = GetChar();
        if (e == u'>') {
          m_inCdata = false;
          break;
        }
        UngetChar(e);
      }
      UngetChar(d);
    }
    units[n++] = static_cast<char16_t>(c);
  }
  return n;
}

void CTokenizer::ReadSystemLiteral(Core::String& out) {
  out.clear();
  for (;;) {
    int32_t c = GetChar();
    if (c == m_quote) break;
    if (c == 0) m_parser.ThrowError(ErrorIllegalChar);
    out.push_back(static_cast<char16_t>(c));
  }
  m_literalDepth = -1;
}

void CTokenizer::ReadPublicIdLiteral(Core::String& out) {
  out.clear();
  bool space = false;
  for (;;) {
    int32_t c = GetChar();
    if (c == m_quote) break;
    if (c == u' ' || c == u'\r' || c == u'\n') {
      space = !out.empty();
      continue;
    }
    if (!IsPublicIdChar(c)) m_parser.ThrowError(ErrorBadPublicId);
    if (space) out.push_back(u' ');
    space = false;
    out.push_back(static_cast<char16_t>(c));
  }
  m_literalDepth = -1;
}

void CTokenizer::ReadPiData(Core::String& out) {
  out.clear();
  int32_t c;
  do {
    c = GetChar();
  } while (IsSpaceUnit(c));
  for (;;) {
    if (c == 0) m_parser.ThrowError(ErrorIllegalChar);
    if (c == u'?') {
      int32_t d = GetChar();
      if (d == u'>') return;
      UngetChar(d);
    }
    out.push_back(static_cast<char16_t>(c));
    c = GetChar();
  }
}

} // namespace XmlParserPrivate
