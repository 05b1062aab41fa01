#include "xml/writer/XmlOutputHandler.h"

#include "xml/writer/WriterException.h"

namespace XsltPrivate {

using XmlWriter::CWriterException;

namespace {

inline bool IsAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
inline bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool IsVersionSyntax(Core::StringView v) {
  if (v.empty()) return false;
  for (char16_t c : v)
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != u'_' && c != u'.' && c != u':' && c != u'-') return false;
  return true;
}

bool IsEncodingSyntax(Core::StringView e) {
  if (e.empty() || !IsAsciiLetter(e[0])) return false;
  for (char16_t c : e.substr(1))
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != u'.' && c != u'_' && c != u'-') return false;
  return true;
}

} // namespace

CXmlOutputHandler::CXmlOutputHandler() = default;
CXmlOutputHandler::~CXmlOutputHandler() = default;

void CXmlOutputHandler::SettleOptions(const char16_t* defaultVersion, bool defaultIndent) {
  Xslt::COutputOptions& options = Options();
  m_version = defaultVersion;
  if (options.GetVersion(m_version) && !IsVersionSyntax(m_version))
    throw CWriterException(CWriterException::kInvalidVersion, m_version);
  m_encodingName = u"UTF-8";
  if (options.GetEncoding(m_encodingName) && !IsEncodingSyntax(m_encodingName))
    throw CWriterException(CWriterException::kInvalidEncodingName, m_encodingName);
  m_indent = defaultIndent;
  options.GetIndent(m_indent);
}

void CXmlOutputHandler::Prepare() {
  PrepareOutput(m_encodingName);
  m_startTagOpen = false;
  m_cdataOpen = false;
  m_doctypePending = true;
  if (m_stack.empty()) m_stack.emplace_back();
  m_stack[0].name.clear();
  m_stack[0].noIndent = true;
  m_stack[0].cdata = false;
  m_top = 0;
  m_indentLevel = 0;
  m_mayIndent = false;
}

void CXmlOutputHandler::StartDocument() {
  SettleOptions(u"1.0", false);
  Prepare();
  WriteDeclaration();
}

void CXmlOutputHandler::WriteDeclaration() {
  bool omit = false;
  if (Options().GetOmitXmlDeclaration(omit) && omit) return;
  Put(u"<?xml version=");
  PutQuoted(m_version);
  Put(u" encoding=");
  PutQuoted(m_encodingName);
  bool standalone = false;
  if (Options().GetStandalone(standalone)) {
    Put(u" standalone=");
    Put(standalone ? u"\"yes\"" : u"\"no\"");
  }
  Put(u"?>");
  PutLineEnd();
}

void CXmlOutputHandler::WriteDoctype(Core::StringView name) {
  Core::String system;
  if (!Options().GetDoctypeSystem(system)) return;
  Put(u"<!DOCTYPE ");
  PutVerbatim(name);
  Put(u" ");
  Core::String publicId;
  if (Options().GetDoctypePublic(publicId)) {
    Put(u"PUBLIC ");
    PutQuoted(publicId);
    Put(u" ");
  } else {
    Put(u"SYSTEM ");
  }
  PutQuoted(system);
  Put(u">");
  PutLineEnd();
}

void CXmlOutputHandler::EndDocument() { Flush(); }

void CXmlOutputHandler::CloseStartTag() {
  if (!m_startTagOpen) return;
  Put(u">");
  m_startTagOpen = false;
}

void CXmlOutputHandler::CloseCdata() {
  if (!m_cdataOpen) return;
  Put(u"]]>");
  m_cdataOpen = false;
}

void CXmlOutputHandler::Indent() {
  if (!m_indent || !m_mayIndent || Top().noIndent) return;
  PutLineEnd();
  PutSpaces(m_indentLevel);
}

CXmlOutputHandler::CItem& CXmlOutputHandler::Push(Core::StringView name, bool noIndent, bool cdata) {
  ++m_top;
  if (m_top == m_stack.size()) m_stack.emplace_back();
  CItem& item = m_stack[m_top];
  item.name.assign(name);
  item.noIndent = noIndent;
  item.cdata = cdata;
  item.html = item.empty = item.rawText = false;
  return item;
}

void CXmlOutputHandler::StartElement(Core::StringView name, bool noIndent, bool cdata) {
  CloseStartTag();
  CloseCdata();
  Indent();
  Push(name, noIndent, cdata);
  m_startTagOpen = true;
  m_mayIndent = true;
  m_indentLevel += kIndentStep;
  if (m_doctypePending) {
    WriteDoctype(name);
    m_doctypePending = false;
  }
  Put(u"<");
  PutVerbatim(name);
}

void CXmlOutputHandler::EndElement() {
  if (m_top == 0) return; // nothing open to end
  CloseCdata();
  m_indentLevel -= kIndentStep;
  if (m_startTagOpen) {
    Put(u"/>");
    m_startTagOpen = false;
  } else {
    Indent();
    Put(u"</");
    PutVerbatim(Top().name);
    Put(u">");
  }
  m_mayIndent = true;
  Pop();
}

void CXmlOutputHandler::NamespaceDeclaration(Core::StringView prefix, Core::StringView uri) {
  if (prefix.empty()) {
    Put(u" xmlns=\"");
  } else {
    Put(u" xmlns:");
    PutVerbatim(prefix);
    Put(u"=\"");
  }
  PutEscaped(uri, EEscape::kAttribute);
  Put(u"\"");
}

void CXmlOutputHandler::Attribute(Core::StringView name, Core::StringView value) {
  Put(u" ");
  PutVerbatim(name);
  Put(u"=\"");
  PutEscaped(value, EEscape::kAttribute);
  Put(u"\"");
}

void CXmlOutputHandler::Characters(const char16_t* units, int32_t count, bool) {
  CloseStartTag();
  if (count <= 0) return;
  m_mayIndent = false;
  if (!m_cdataOpen) {
    if (!Top().cdata) {
      PutEscaped(units, count, EEscape::kText);
      return;
    }
    Put(u"<![CDATA[");
    ResetCdataBrackets();
    m_cdataOpen = true;
  }
  m_cdataOpen = PutCdata(units, count);
}

void CXmlOutputHandler::Comment(Core::StringView text) {
  CloseStartTag();
  CloseCdata();
  Indent();
  Put(u"<!--");
  PutCommentText(text);
  Put(u"-->");
  m_mayIndent = true;
}

void CXmlOutputHandler::ProcessingInstruction(Core::StringView target, Core::StringView data) {
  CloseStartTag();
  CloseCdata();
  Indent();
  Put(u"<?");
  PutVerbatim(target);
  if (!data.empty()) {
    Put(u" ");
    PutProcessingInstructionData(data);
  }
  Put(u"?>");
  m_mayIndent = true;
}

} // namespace XsltPrivate
