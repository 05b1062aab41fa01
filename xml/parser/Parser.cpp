#include "xml/parser/Parser.h"

namespace XmlParserPrivate {

namespace {

bool EqualsNoCase(Core::StringView a, Core::StringView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= u'A' && x <= u'Z') x = static_cast<char16_t>(x + 32);
    if (y >= u'A' && y <= u'Z') y = static_cast<char16_t>(y + 32);
    if (x != y) return false;
  }
  return true;
}

bool IsSpaceUnit(int32_t c) { return c == 0x20 || c == 0x09 || c == 0x0A || c == 0x0D; }
bool IsAsciiLetter(int32_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsAsciiDigit(int32_t c) { return c >= u'0' && c <= u'9'; }

} // namespace

// Factory ---------------------------------------------------------------------

Core::XInterface<Sxp::IParser> CParserFactory::CreateParser() { return Core::XInterface<Sxp::IParser>(new CParser()); }

// Parser ----------------------------------------------------------------------

CParser::CParser() : m_tokenizer(*this) {
  m_locator = Core::Make<CLocator>(*this);
  m_encodings[0] = Core::Make<Unicode::CUtf8Encoding>();
  m_encodings[1] = Core::Make<Unicode::CUtf16Encoding>(true);
  m_encodings[2] = Core::Make<Unicode::CIso88591Encoding>();
  const char16_t* names[5] = {u"lt", u"gt", u"amp", u"apos", u"quot"};
  const char16_t* texts[5] = {u"&#60;", u">", u"&#38;", u"'", u"\""};
  for (int i = 0; i < 5; ++i) {
    m_predefined[i].name = names[i];
    m_predefined[i].replacementText = texts[i];
  }
}

CParser::~CParser() { m_tokenizer.Close(); }

Unicode::CEncoding* CParser::FindEncoding(Core::StringView name) const {
  for (const auto& e : m_encodings) {
    if (EqualsNoCase(e->GetName(), name)) return e.Get();
  }
  return nullptr;
}

CEntity* CParser::FindGeneralEntity(Core::StringView name) const {
  for (const CEntity& e : m_predefined) {
    if (e.name == name) return const_cast<CEntity*>(&e);
  }
  return m_dtd ? m_dtd->FindGeneralEntity(name) : nullptr;
}

CEntity* CParser::FindParameterEntity(Core::StringView name) const {
  return m_dtd ? m_dtd->FindParameterEntity(name) : nullptr;
}

void CParser::ThrowError(int32_t code) {
  CXmlException error(*this, code);
  if (m_errorHandler) m_errorHandler->Error(error);
  throw error;
}

void CParser::WarnNotExpanded(Core::StringView name) {
  if (!m_errorHandler || !m_notExpanded.emplace(name).second) return;
  m_errorHandler->Warning(CXmlException(*this, WarningEntityNotExpanded, name));
}

void CParser::Parse(Core::StringView systemId) {
  Core::XInterface<CInputSource> source = Core::Make<CInputSource>();
  source->SetSystemId(Core::String(systemId));
  ParseInputSource(source.Get());
}

void CParser::ParseInputSource(CInputSource* source) {
  Core::XInterface<CInputSource> hold(source);
  try {
    m_currentEncoding = nullptr;
    Core::String encoding = source->GetEncoding();
    if (!encoding.empty()) {
      m_currentEncoding = FindEncoding(encoding);
      if (!m_currentEncoding) ThrowError(ErrorUnsupportedEncoding);
    }
    m_publicId = source->GetPublicId();
    m_systemId = source->GetSystemId();
    m_declarationSettled = false;
    m_notExpanded.clear();
    Core::XInterface<CInputSourceReader> reader = Core::Make<CInputSourceReader>(*this, source);
    m_documentReader = reader.Get();
    m_tokenizer.Open(reader.Get());
    m_dtd.reset();
    Next();
    ParseDocument();
    if (Kind() != CTokenizer::TokEnd) {
      m_tokenizer.Close();
      ThrowError(ErrorBadEpilog);
    }
    m_dtd.reset();
    m_tokenizer.Close();
    m_documentReader = nullptr;
  } catch (const CInputSourceException&) {
    m_tokenizer.Close();
    m_documentReader = nullptr;
    ThrowError(ErrorCannotAccess);
  } catch (...) {
    m_tokenizer.Close();
    m_documentReader = nullptr;
    throw;
  }
}

bool CParser::AcceptText(int32_t kind, Core::String& text) {
  if (m_tokenizer.Kind() != kind) return false;
  text = m_tokenizer.Text();
  m_tokenizer.NextToken();
  return true;
}

void CParser::ExpectNameToken(Core::String& text) {
  if (!AcceptText(CTokenizer::TokName, text) && !AcceptText(CTokenizer::TokNameToken, text)) {
    ThrowError(ErrorMissingNameToken);
  }
}

void CParser::ExpectEq() {
  Accept(CTokenizer::TokSpace);
  Expect(CTokenizer::TokEq, ErrorMissingEq);
  Accept(CTokenizer::TokSpace);
}

void CParser::ParseDocument() {
  if (m_doc) {
    m_doc->SetDocumentLocator(m_locator.Get());
    m_doc->StartDocument();
  }
  ParseXmlDeclaration();
  ParseMisc();
  ParseDoctype();
  ParseMisc();
  ParseRootElement();
  ParseMisc();
  if (m_doc) {
    m_doc->EndDocument();
    m_doc->SetDocumentLocator(nullptr);
  }
}

// XML declaration -------------------------------------------------------------

bool CParser::ReadPseudoAttribute(Core::String& name, Core::String& value) {
  CTokenizer& t = m_tokenizer;
  int32_t c = t.GetChar();
  if (!IsSpaceUnit(c)) {
    t.UngetChar(c);
    return false;
  }
  do {
    c = t.GetChar();
  } while (IsSpaceUnit(c));
  if (!CCharacterClasses::IsNameStart(static_cast<char16_t>(c))) {
    t.UngetChar(c);
    return false;
  }
  name.assign(1, static_cast<char16_t>(c));
  for (c = t.GetChar(); CCharacterClasses::IsNameChar(static_cast<char16_t>(c)); c = t.GetChar()) {
    name.push_back(static_cast<char16_t>(c));
  }
  while (IsSpaceUnit(c)) c = t.GetChar();
  if (c != u'=') ThrowError(ErrorBadXmlDecl);
  do {
    c = t.GetChar();
  } while (IsSpaceUnit(c));
  if (c != u'"' && c != u'\'') ThrowError(ErrorBadXmlDecl);
  int32_t quote = c;
  value.clear();
  for (c = t.GetChar(); c != quote; c = t.GetChar()) {
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != u'_' && c != u'.' && c != u':' && c != u'-') {
      ThrowError(ErrorBadXmlDecl);
    }
    value.push_back(static_cast<char16_t>(c));
  }
  return true;
}

void CParser::ParseXmlDeclaration() {
  if (Kind() != CTokenizer::TokXmlDecl) {
    m_declarationSettled = true;
    return;
  }
  Core::String name, value, encoding;
  if (!ReadPseudoAttribute(name, value) || name != u"version" || value.empty()) ThrowError(ErrorBadXmlDecl);
  auto checkStandalone = [&] {
    if (name != u"standalone" || (value != u"yes" && value != u"no")) ThrowError(ErrorBadXmlDecl);
  };
  if (ReadPseudoAttribute(name, value)) {
    if (name == u"encoding") {
      if (!value.empty()) {
        if (!IsAsciiLetter(value[0]) || value.find(u':') != Core::String::npos) ThrowError(ErrorBadXmlDecl);
      }
      encoding = value;
      if (ReadPseudoAttribute(name, value)) checkStandalone();
    } else {
      checkStandalone();
    }
  }
  int32_t c;
  do {
    c = m_tokenizer.GetChar();
  } while (IsSpaceUnit(c));
  if (c != u'?' || m_tokenizer.GetChar() != u'>') ThrowError(ErrorBadXmlDecl);
  if (!encoding.empty()) SettleEncoding(encoding);
  m_declarationSettled = true;
  Next();
}

void CParser::SettleEncoding(Core::StringView declared) {
  Unicode::CEncoding* found = FindEncoding(declared);
  if (!found) ThrowError(ErrorUnsupportedEncoding);
  if (m_currentEncoding) {
    // The caller's encoding stays; the document must agree with it.
    if (!EqualsNoCase(declared, m_currentEncoding->GetName())) ThrowError(ErrorMismatchedEncoding);
    return;
  }
  // A byte-order mark names the encoding the bytes are in, a UTF-16 one its
  // byte order too: that encoding stays, and a declaration naming another
  // would only misread the rest.
  const Unicode::CEncoding* detected = m_documentReader ? m_documentReader->GetDetectedEncoding() : nullptr;
  if (detected && m_documentReader->HasByteOrderMark()) {
    if (!EqualsNoCase(declared, detected->GetName())) ThrowError(ErrorMismatchedEncoding);
    return;
  }
  m_currentEncoding = found;
}

// Prolog, elements and content ------------------------------------------------

void CParser::ParseMisc() {
  for (;;) {
    switch (Kind()) {
    case CTokenizer::TokSpace:
      Next();
      break;
    case CTokenizer::TokComment:
      ParseComment();
      break;
    case CTokenizer::TokPi:
      ParseProcessingInstruction();
      break;
    default:
      return;
    }
  }
}

void CParser::ParseComment() {
  if (m_doc) m_doc->StartComment();
  int32_t n;
  while ((n = m_tokenizer.ReadCommentText(m_buffer, 1024)) > 0) {
    if (m_doc) m_doc->Characters(m_buffer, n);
  }
  if (m_doc) m_doc->EndComment();
  Next();
}

void CParser::ParseProcessingInstruction() {
  m_tokenizer.ReadPiData(m_data);
  if (m_doc) m_doc->ProcessingInstruction(m_tokenizer.Text(), m_data);
  Next();
}

void CParser::ParseCharacterData() {
  int32_t n;
  while ((n = m_tokenizer.ReadCharacterData(m_buffer, 1024)) > 0) {
    if (m_doc) m_doc->Characters(m_buffer, n);
  }
  Next();
}

void CParser::ParseCdata() {
  if (m_doc) m_doc->StartCdata();
  int32_t n;
  while ((n = m_tokenizer.ReadCdataText(m_buffer, 1024)) > 0) {
    if (m_doc) m_doc->Characters(m_buffer, n);
  }
  if (m_doc) m_doc->EndCdata();
  Next();
}

// Elements nest without recursion: the names of the open elements are kept
// end to end in one string.
void CParser::ParseRootElement() {
  m_openNames.clear();
  m_openStarts.clear();
  if (ParseStartTag()) {
    Next();
    return;
  }
  m_tokenizer.SetContentMode(true);
  Next();
  for (;;) {
    switch (Kind()) {
    case CTokenizer::TokEntityRef:
      WarnNotExpanded(m_tokenizer.Text());
      if (m_doc) m_doc->SkippedEntity(m_tokenizer.Text());
      Next();
      continue;
    case CTokenizer::TokStartTag:
      m_tokenizer.SetContentMode(false);
      ParseStartTag();
      m_tokenizer.SetContentMode(true);
      Next();
      continue;
    case CTokenizer::TokData:
      ParseCharacterData();
      continue;
    case CTokenizer::TokCdata:
      ParseCdata();
      continue;
    case CTokenizer::TokComment:
      ParseComment();
      continue;
    case CTokenizer::TokPi:
      ParseProcessingInstruction();
      continue;
    default:
      break;
    }
    m_tokenizer.SetContentMode(false);
    ParseEndTag();
    if (m_openStarts.empty()) {
      Next();
      return;
    }
    m_tokenizer.SetContentMode(true);
    Next();
  }
}

bool CParser::ParseStartTag() {
  Expect(CTokenizer::TokStartTag, ErrorMissingStartTag);
  if (Kind() != CTokenizer::TokName) ThrowError(ErrorMissingName);
  if (static_cast<int32_t>(m_openStarts.size()) >= kMaxElementDepth) ThrowError(ErrorElementTooDeep);
  int32_t start = static_cast<int32_t>(m_openNames.size());
  m_openStarts.push_back(start);
  m_openNames += m_tokenizer.Text();
  Next();
  m_writtenNames.clear();
  m_writtenStarts.clear();
  if (m_doc) m_doc->StartElement(Core::StringView(m_openNames).substr(static_cast<size_t>(start)));
  Accept(CTokenizer::TokSpace);
  while (Kind() != CTokenizer::TokTagClose && Kind() != CTokenizer::TokEmptyClose) {
    ParseAttribute();
    Accept(CTokenizer::TokSpace);
  }
  AddAttributeDefaults();
  if (Kind() == CTokenizer::TokEmptyClose) {
    if (m_doc) m_doc->EndElement();
    m_openNames.resize(static_cast<size_t>(start));
    m_openStarts.pop_back();
    return true;
  }
  return false;
}

void CParser::ParseAttribute() {
  if (Kind() != CTokenizer::TokName) ThrowError(ErrorMissingName);
  m_name = m_tokenizer.Text();
  Next();
  if (m_dtd) {
    m_writtenStarts.push_back(static_cast<int32_t>(m_writtenNames.size()));
    m_writtenNames += m_name;
  }
  if (m_doc) m_doc->StartAttribute(m_name);
  ExpectEq();
  if (Kind() != CTokenizer::TokQuote) ThrowError(ErrorBadAttributeValue);
  int32_t n;
  while ((n = m_tokenizer.ReadAttributeValue(m_buffer, 1024)) > 0) {
    if (m_doc) m_doc->Characters(m_buffer, n);
  }
  Next();
  if (m_doc) m_doc->EndAttribute();
}

void CParser::AddAttributeDefaults() {
  if (!m_dtd || !m_doc) return;
  Core::StringView element = Core::StringView(m_openNames).substr(static_cast<size_t>(m_openStarts.back()));
  const CBoundAttributes* bound = m_dtd->FindAttributes(element);
  if (!bound) return;
  auto writtenName = [this](size_t i) {
    size_t from = static_cast<size_t>(m_writtenStarts[i]);
    size_t to = i + 1 < m_writtenStarts.size() ? static_cast<size_t>(m_writtenStarts[i + 1]) : m_writtenNames.size();
    return Core::StringView(m_writtenNames).substr(from, to - from);
  };
  // Many written attributes against many declared ones: look up, not scan.
  constexpr size_t kScanLimit = 16;
  m_writtenSet.clear();
  if (m_writtenStarts.size() > kScanLimit) {
    for (size_t i = 0; i < m_writtenStarts.size(); ++i) m_writtenSet.insert(writtenName(i));
  }
  for (const CAttribute* a : bound->defaulted) {
    bool written = false;
    if (m_writtenStarts.size() > kScanLimit) {
      written = m_writtenSet.count(a->name) != 0;
    } else {
      for (size_t i = 0; i < m_writtenStarts.size() && !written; ++i) written = writtenName(i) == a->name;
    }
    if (written) continue;
    // Defaults repeat on every element: bound them like entity text, so a
    // small document cannot build a huge tree.
    m_tokenizer.ChargeExpansion(static_cast<int64_t>(a->name.size() + a->defaultValue.size()) + 1,
                                ErrorDefaultsTooLarge);
    m_doc->StartAttribute(a->name);
    m_doc->Characters(a->defaultValue.data(), static_cast<int32_t>(a->defaultValue.size()));
    m_doc->EndAttribute();
  }
}

void CParser::ParseEndTag() {
  Expect(CTokenizer::TokEndTag, ErrorMissingEndTag);
  ExpectName(m_name);
  if (m_doc) m_doc->EndElement();
  Accept(CTokenizer::TokSpace);
  if (Kind() != CTokenizer::TokTagClose) ThrowError(ErrorMissingTagClose);
  size_t start = static_cast<size_t>(m_openStarts.back());
  if (Core::StringView(m_openNames).substr(start) != m_name) ThrowError(ErrorMismatchedEndTag);
  m_openNames.resize(start);
  m_openStarts.pop_back();
}

} // namespace XmlParserPrivate
