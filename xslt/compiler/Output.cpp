#include "xslt/compiler/Output.h"

#include "xslt/compiler/StaticContext.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

namespace {

const CEnumItem kYesNo[] = {{u"yes", COutput::Yes}, {u"no", COutput::No}, {nullptr, 0}};

template <class T>
bool GetIf(uint32_t presence, uint32_t bit, const T& value, T& out) {
  if (!(presence & bit)) return false;
  out = value;
  return true;
}

} // namespace

void COutput::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);

  Core::String method;
  if (context.GetAttribute(u"method", method, false)) {
    if (method.find(u':') != Core::String::npos) {
      m_methodName = context.ResolveQName(method, false);
    } else {
      m_presence |= HasMethod;
      if (method == u"xml") m_method = MethodXml;
      else if (method == u"html") m_method = MethodHtml;
      else if (method == u"text") m_method = MethodText;
      else context.ThrowError(Xslt::CXsltException::InvalidAttributeValue, u"method", method);
    }
  }

  struct CTextSetting {
    const char16_t* name;
    uint32_t bit;
    Core::String* value;
  } texts[] = {
      {u"version", HasVersion, &m_version},
      {u"encoding", HasEncoding, &m_encoding},
      {u"doctype-public", HasDoctypePublic, &m_doctypePublic},
      {u"doctype-system", HasDoctypeSystem, &m_doctypeSystem},
      {u"media-type", HasMediaType, &m_mediaType},
  };
  for (const CTextSetting& setting : texts)
    if (context.GetAttribute(setting.name, *setting.value, false)) m_presence |= setting.bit;

  struct CYesNoSetting {
    const char16_t* name;
    uint32_t bit;
    int32_t* code;
  } flags[] = {
      {u"omit-xml-declaration", HasOmitXmlDeclaration, &m_omitXmlDeclaration},
      {u"standalone", HasStandalone, &m_standalone},
      {u"indent", HasIndent, &m_indent},
  };
  for (const CYesNoSetting& setting : flags) {
    *setting.code = context.GetEnumAttribute(setting.name, kYesNo, Absent, false);
    if (*setting.code != Absent) m_presence |= setting.bit;
  }

  context.GetQNameListAttribute(u"cdata-section-elements", m_cdataSectionElements, true, false);
}

bool COutput::GetMethod(int32_t& kind) const { return GetIf(m_presence, HasMethod, m_method, kind); }
bool COutput::GetVersion(Core::String& out) const { return GetIf(m_presence, HasVersion, m_version, out); }
bool COutput::GetEncoding(Core::String& out) const { return GetIf(m_presence, HasEncoding, m_encoding, out); }
bool COutput::GetOmitXmlDeclaration(int32_t& code) const {
  return GetIf(m_presence, HasOmitXmlDeclaration, m_omitXmlDeclaration, code);
}
bool COutput::GetStandalone(int32_t& code) const { return GetIf(m_presence, HasStandalone, m_standalone, code); }
bool COutput::GetDoctypePublic(Core::String& out) const {
  return GetIf(m_presence, HasDoctypePublic, m_doctypePublic, out);
}
bool COutput::GetDoctypeSystem(Core::String& out) const {
  return GetIf(m_presence, HasDoctypeSystem, m_doctypeSystem, out);
}
bool COutput::GetIndent(int32_t& code) const { return GetIf(m_presence, HasIndent, m_indent, code); }
bool COutput::GetMediaType(Core::String& out) const { return GetIf(m_presence, HasMediaType, m_mediaType, out); }

} // namespace XsltPrivate
