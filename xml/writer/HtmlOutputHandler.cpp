#include "xml/writer/HtmlOutputHandler.h"

#include "xml/writer/WriterException.h"

namespace XsltPrivate {

using XmlWriter::CWriterException;

namespace {

enum : uint8_t { kEmpty = 1, kRawText = 2, kBoolean = 4, kUri = 8 };

struct CNameFlags {
  const char16_t* name;
  uint8_t flags;
};

constexpr CNameFlags kElements[] = {
    {u"area", kEmpty}, {u"base", kEmpty},     {u"basefont", kEmpty}, {u"br", kEmpty},    {u"col", kEmpty},
    {u"frame", kEmpty}, {u"hr", kEmpty},      {u"img", kEmpty},      {u"input", kEmpty}, {u"isindex", kEmpty},
    {u"link", kEmpty}, {u"meta", kEmpty},     {u"param", kEmpty},    {u"script", kRawText}, {u"style", kRawText},
};

constexpr CNameFlags kAttributes[] = {
    {u"checked", kBoolean},  {u"compact", kBoolean}, {u"declare", kBoolean},  {u"defer", kBoolean},
    {u"disabled", kBoolean}, {u"ismap", kBoolean},   {u"multiple", kBoolean}, {u"nohref", kBoolean},
    {u"noresize", kBoolean}, {u"noshade", kBoolean}, {u"nowrap", kBoolean},   {u"readonly", kBoolean},
    {u"selected", kBoolean}, {u"action", kUri},      {u"background", kUri},   {u"cite", kUri},
    {u"classid", kUri},      {u"codebase", kUri},    {u"data", kUri},         {u"href", kUri},
    {u"longdesc", kUri},     {u"profile", kUri},     {u"src", kUri},          {u"usemap", kUri},
};

// The flags of a name in the table, matched without regard to ASCII case.
template <size_t N>
uint8_t Lookup(const CNameFlags (&table)[N], Core::StringView name) {
  constexpr size_t kLongest = 10;
  if (name.empty() || name.size() > kLongest) return 0;
  char16_t lower[kLongest];
  for (size_t i = 0; i < name.size(); ++i) {
    char16_t c = name[i];
    lower[i] = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
  }
  // Most names are none of these: compare the first letter before the rest.
  Core::StringView key(lower, name.size());
  for (const CNameFlags& row : table)
    if (row.name[0] == key[0] && key == row.name) return row.flags;
  return 0;
}

bool EqualsNoCase(Core::StringView a, Core::StringView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= u'A' && x <= u'Z') x += 32;
    if (y >= u'A' && y <= u'Z') y += 32;
    if (x != y) return false;
  }
  return true;
}

// Characters from U+0100 up become the %XX escapes of their UTF-8 bytes.
bool NeedsUriEscape(Core::StringView value) {
  for (char16_t c : value)
    if (c >= 0x100) return true;
  return false;
}

void EscapeUri(Core::StringView value, Core::String& out) {
  static const char16_t kHex[] = u"0123456789ABCDEF";
  out.clear();
  for (size_t i = 0; i < value.size(); ++i) {
    uint32_t cp = value[i];
    if (cp < 0x100) {
      out += static_cast<char16_t>(cp);
      continue;
    }
    if (cp >= 0xD800 && cp <= 0xDFFF) {
      if (cp > 0xDBFF || i + 1 == value.size() || value[i + 1] < 0xDC00 || value[i + 1] > 0xDFFF)
        throw CWriterException(CWriterException::kInvalidSurrogatePair);
      cp = 0x10000 + ((cp - 0xD800) << 10) + (value[++i] - 0xDC00);
    }
    uint8_t bytes[4];
    int n;
    if (cp < 0x800) {
      bytes[0] = static_cast<uint8_t>(0xC0 | (cp >> 6));
      n = 2;
    } else if (cp < 0x10000) {
      bytes[0] = static_cast<uint8_t>(0xE0 | (cp >> 12));
      bytes[1] = static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F));
      n = 3;
    } else {
      bytes[0] = static_cast<uint8_t>(0xF0 | (cp >> 18));
      bytes[1] = static_cast<uint8_t>(0x80 | ((cp >> 12) & 0x3F));
      bytes[2] = static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F));
      n = 4;
    }
    bytes[n - 1] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
    for (int k = 0; k < n; ++k) {
      out += u'%';
      out += kHex[bytes[k] >> 4];
      out += kHex[bytes[k] & 0xF];
    }
  }
}

} // namespace

CHtmlOutputHandler::CHtmlOutputHandler() = default;
CHtmlOutputHandler::~CHtmlOutputHandler() = default;

void CHtmlOutputHandler::StartDocument() {
  SettleOptions(u"4.0", true);
  Prepare();
  m_stack[0].html = true;
  m_stack[0].empty = m_stack[0].rawText = false;
}

void CHtmlOutputHandler::WriteMeta() {
  Indent();
  Core::String mediaType = u"text/html";
  Options().GetMediaType(mediaType);
  Put(u"<META http-equiv=\"Content-Type\" content=\"");
  // An attribute value like any other: a quotation mark in the media type
  // must not end the attribute and lose the charset after it.
  PutEscaped(mediaType, EEscape::kHtmlAttribute);
  Put(u"; charset=");
  PutVerbatim(m_encodingName);
  Put(u"\">");
  PutLineEnd();
}

void CHtmlOutputHandler::CloseStartTag() {
  if (!m_startTagOpen) return;
  Put(u">");
  m_startTagOpen = false;
  if (EqualsNoCase(Top().name, u"head")) WriteMeta();
}

void CHtmlOutputHandler::WriteDoctype() {
  Core::String publicId, systemId;
  bool hasPublic = Options().GetDoctypePublic(publicId);
  bool hasSystem = Options().GetDoctypeSystem(systemId);
  if (!hasPublic && !hasSystem) return;
  Put(u"<!DOCTYPE HTML ");
  if (hasPublic) {
    Put(u"PUBLIC ");
    PutQuoted(publicId);
    if (hasSystem) {
      Put(u" ");
      PutQuoted(systemId);
    }
  } else {
    Put(u"SYSTEM ");
    PutQuoted(systemId);
  }
  Put(u">");
  PutLineEnd();
}

void CHtmlOutputHandler::StartElement(Core::StringView name, bool noIndent, bool cdata) {
  CloseStartTag();
  CloseCdata();
  Indent();
  CItem& item = Push(name, noIndent, cdata);
  item.html = name.find(u':') == Core::StringView::npos;
  if (item.html) {
    uint8_t flags = Lookup(kElements, name);
    item.empty = (flags & kEmpty) != 0;
    item.rawText = (flags & kRawText) != 0;
  }
  m_startTagOpen = true;
  m_mayIndent = true;
  m_indentLevel += kIndentStep;
  if (m_doctypePending) {
    WriteDoctype();
    m_doctypePending = false;
  }
  Put(u"<");
  PutVerbatim(name);
}

void CHtmlOutputHandler::EndElement() {
  if (m_top == 0) return; // nothing open to end
  CloseCdata();
  m_indentLevel -= kIndentStep;
  CItem& item = Top();
  if (m_startTagOpen) {
    if (!item.html) {
      Put(u"/>");
      m_startTagOpen = false;
    } else {
      CloseStartTag();
      if (!item.empty) {
        Put(u"</");
        PutVerbatim(item.name);
        Put(u">");
      }
    }
  } else {
    Indent();
    Put(u"</");
    PutVerbatim(item.name);
    Put(u">");
  }
  m_mayIndent = true;
  Pop();
}

void CHtmlOutputHandler::Attribute(Core::StringView name, Core::StringView value) {
  if (!Top().html) {
    CXmlOutputHandler::Attribute(name, value);
    return;
  }
  Put(u" ");
  PutVerbatim(name);
  uint8_t flags = Lookup(kAttributes, name);
  if (flags & kBoolean) return;
  Put(u"=\"");
  if ((flags & kUri) && NeedsUriEscape(value)) {
    EscapeUri(value, m_uriScratch);
    PutEscaped(m_uriScratch, EEscape::kHtmlAttribute);
  } else {
    PutEscaped(value, EEscape::kHtmlAttribute);
  }
  Put(u"\"");
}

void CHtmlOutputHandler::Characters(const char16_t* units, int32_t count, bool) {
  CloseStartTag();
  if (count <= 0) return;
  m_mayIndent = false;
  if (!m_cdataOpen) {
    const CItem& item = Top();
    if (!item.cdata) {
      PutEscaped(units, count, item.rawText ? EEscape::kNone : EEscape::kText);
      return;
    }
    Put(u"<![CDATA[");
    ResetCdataBrackets();
    m_cdataOpen = true;
  }
  m_cdataOpen = PutCdata(units, count);
}

void CHtmlOutputHandler::ProcessingInstruction(Core::StringView target, Core::StringView data) {
  CloseStartTag();
  CloseCdata();
  Indent();
  Put(u"<?");
  PutVerbatim(target);
  if (!data.empty()) {
    Put(u" ");
    PutProcessingInstructionData(data);
  }
  Put(u">");
  m_mayIndent = true;
}

} // namespace XsltPrivate
