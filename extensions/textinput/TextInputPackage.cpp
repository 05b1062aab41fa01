#include "extensions/textinput/TextInputPackage.h"

#include "extensions/textinput/TextInputElements.h"
#include "extensions/textinput/TextInputException.h"
#include "extensions/textinput/TextInputFunctions.h"
#include "xslt/compiler/ExtensionStaticContext.h"
#include "xslt/processor/extensions/ExtensionHandler.h"

namespace XsltTextInput {

using Exception = CXsltTextInputException;

CTextInputPackage::CTextInputPackage()
    : m_fieldCount(new CFieldCountFunction()),
      m_fieldName(new CFieldNameFunction()),
      m_fieldValue(new CFieldValueFunction()) {}

CTextInputPackage::~CTextInputPackage() = default;

Core::String CTextInputPackage::GetNamespaceUri() { return Core::String(kTextInputUri); }

Core::XInterface<Xslt::CExtensionPackageContext> CTextInputPackage::CreateContext() {
  return new CTextInputPackageContext();
}

bool CTextInputPackage::IsElementAvailable(Core::StringView localName) {
  return localName == u"format" || localName == u"read" || localName == u"field";
}

Core::XInterface<Xslt::CExtensionElement> CTextInputPackage::CreateInstruction(
    Xslt::CExtensionStaticContext* staticContext) {
  Core::String name = staticContext->GetNode()->GetLocalName();
  if (name == u"format") {
    Core::XInterface<CFormatElement> element(new CFormatElement());
    element->Compile(staticContext);
    return element;
  }
  if (name == u"read") {
    Core::XInterface<CReadElement> element(new CReadElement());
    element->Compile(staticContext);
    return element;
  }
  if (name == u"field") {
    Core::XInterface<CFieldElement> element(new CFieldElement());
    element->Compile(staticContext);
    return element;
  }
  return nullptr;
}

bool CTextInputPackage::IsFunctionAvailable(Core::StringView localName) {
  return localName == u"field-count" || localName == u"field-name" || localName == u"field-value";
}

Core::XInterface<Xslt::CExtensionFunction> CTextInputPackage::GetFunction(Core::StringView localName) {
  if (localName == u"field-count") return m_fieldCount;
  if (localName == u"field-name") return m_fieldName;
  if (localName == u"field-value") return m_fieldValue;
  return nullptr;
}

CTextInputPackageContext::CTextInputPackageContext()
    : m_formats(Exception::DuplicateFormatName), m_sources(Exception::DuplicateSourceId) {}

CTextInputPackageContext::~CTextInputPackageContext() = default;

void CTextInputPackageContext::Start(bool) {
  m_formats.BeginScope();
  m_sources.BeginScope();
}

void CTextInputPackageContext::Finish() {
  m_sources.EndScope();
  m_formats.EndScope();
}

void CTextInputPackageContext::DefineFormat(Core::String name, char16_t separator, bool header) {
  Core::XInterface<CTextFormat> format(new CTextFormat(std::move(name), separator, header));
  m_currentFormat = format;
  m_formats.Add(format.Get());
}

void CTextInputPackageContext::AddField(Core::String name, int32_t width) {
  // A field element only has a format to add to inside a format element.
  if (!m_currentFormat) throw Exception(Exception::Unclassified);
  m_currentFormat->AddField(std::move(name), width);
}

void CTextInputPackageContext::EndFormat() { m_currentFormat = nullptr; }

void CTextInputPackageContext::OpenSource(Core::StringView id, Core::StringView uri, Core::StringView encodingName,
                                          Core::StringView formatName) {
  Unicode::CEncoding* encoding = nullptr;
  if (!encodingName.empty()) {
    if (!m_encodings) m_encodings = new Unicode::CEncodingMap();
    encoding = m_encodings->Find(encodingName);
    if (!encoding) throw Exception(Exception::UnsupportedEncoding, Core::String(encodingName));
  }
  CTextFormat* format = m_formats.Find(formatName);
  if (!format) throw Exception(Exception::InvalidFormatName, Core::String(formatName));
  Core::XInterface<CTextSource> source(new CTextSource(Core::String(id), Core::String(uri), encoding, format));
  // Filed before it opens: a source that fails to open is dropped with its content list.
  m_sources.Add(source.Get());
  source->Open();
}

CTextSource& CTextInputPackageContext::FindSource(Core::StringView id) {
  CTextSource* source = m_sources.Find(id);
  if (!source) throw Exception(Exception::InvalidSourceId, Core::String(id));
  return *source;
}

bool CTextInputPackageContext::ReadRecord(Core::StringView id) { return FindSource(id).ReadRecord(); }

int32_t CTextInputPackageContext::GetFieldCount(Core::StringView id) { return FindSource(id).GetFieldCount(); }

Core::String CTextInputPackageContext::GetFieldName(Core::StringView id, int32_t index) {
  return FindSource(id).GetFieldName(index);
}

Core::String CTextInputPackageContext::GetFieldValue(Core::StringView id, int32_t index) {
  return FindSource(id).GetFieldValue(index);
}

Core::String CTextInputPackageContext::GetFieldValueByName(Core::StringView id, Core::StringView name) {
  return FindSource(id).GetFieldValueByName(name);
}

CTextInputPackageContext& GetTextInputContext(Xslt::CExtensionContext* context) {
  Xslt::CExtensionPackageContext* found = context->GetTopLevelExtensionContext()->FindPackageContext(kTextInputUri);
  // The handler asks the first package of a URI for elements and functions,
  // so the context found under it is this package's.
  if (!found) throw Exception(Exception::Unclassified);
  return *static_cast<CTextInputPackageContext*>(found);
}

} // namespace XsltTextInput
