#include "extensions/textinput/TextInputElements.h"

#include <cstdint>
#include <limits>

#include "extensions/textinput/TextInputException.h"
#include "extensions/textinput/TextInputPackage.h"
#include "xpath/ValueConverter.h"
#include "xslt/compiler/ExtensionContentType.h"

namespace XsltTextInput {

using Exception = CXsltTextInputException;

void CFormatElement::Compile(Xslt::CExtensionStaticContext* context) {
  m_name = context->GetAttributeOrDefault(u"name", u"", true);

  Core::String value;
  if (!context->GetAttribute(value, u"separator", false)) {
    m_separator = 0;
  } else if (value == u"#tab") {
    m_separator = u'\t';
  } else if (value.size() == 1 && value[0] != u'"') {
    m_separator = value[0];
  } else {
    context->ReportError(Exception(Exception::InvalidAttributeValue, u"separator", value));
  }

  if (!context->GetAttribute(value, u"header", false) || value == u"no") {
    m_header = false;
  } else if (value == u"yes") {
    m_header = true;
  } else {
    context->ReportError(Exception(Exception::InvalidAttributeValue, u"header", value));
  }

  // A fixed-width file has no separator to split a name header at.
  if (m_separator == 0 && m_header)
    context->ReportError(Exception(Exception::InvalidAttributeCombination, u"separator", u"header"));

  if (m_header) {
    context->CompileContent(nullptr);
  } else {
    Core::XInterface<Xslt::CExtensionContentType> model(new Xslt::CExtensionContentType(true));
    model->AddType(kTextInputUri, u"field", 0, false, false);
    context->CompileContent(model.Get());
  }
}

void CFormatElement::Execute(Xslt::CExtensionContext* context) {
  CTextInputPackageContext& run = GetTextInputContext(context);
  run.DefineFormat(m_name, m_separator, m_header);
  if (!m_header) {
    try {
      context->ExecuteContent(0);
    } catch (...) {
      run.EndFormat();
      throw;
    }
  }
  run.EndFormat();
}

void CFieldElement::Compile(Xslt::CExtensionStaticContext* context) {
  m_name = context->CompileAvtAttribute(u"name", nullptr, true);
  m_width = context->CompileExpressionAttribute(u"width", nullptr, false);
  context->CompileContent(nullptr);
}

void CFieldElement::Execute(Xslt::CExtensionContext* context) {
  CTextInputPackageContext& run = GetTextInputContext(context);
  Core::String name = context->EvaluateAvt(m_name.Get());
  int32_t width = -1;
  if (m_width) {
    Core::XInterface<Xpath::CContext> xpath = context->GetXpathContext();
    Core::XInterface<Xpath::CValue> value = m_width->Evaluate(xpath.Get());
    Xpath::CNumber number = Xpath::CValueConverter(xpath.Get()).ToNumber(*value).Round();
    double rounded = number.GetValue();
    // Also false for NaN.
    if (!(rounded >= 1 && rounded <= std::numeric_limits<int32_t>::max()))
      context->ReportError(Exception(Exception::InvalidComputedValue, u"width", number.ToString()));
    width = number.ToInt();
  }
  run.AddField(std::move(name), width);
}

void CReadElement::Compile(Xslt::CExtensionStaticContext* context) {
  m_sourceId = context->GetAttributeOrDefault(u"source-id", u"", false);
  m_href = context->CompileAvtAttribute(u"href", nullptr, true);
  m_encoding = context->GetAttributeOrDefault(u"encoding", u"", false);
  m_format = context->GetAttributeOrDefault(u"format", u"", true);
  Core::XInterface<Xslt::CExtensionContentType> model(new Xslt::CExtensionContentType(true));
  model->AddType(u"*", u"*", 0, false, false);
  context->CompileContent(model.Get());
}

void CReadElement::Execute(Xslt::CExtensionContext* context) {
  CTextInputPackageContext& run = GetTextInputContext(context);
  Core::String href = context->EvaluateAvt(m_href.Get());
  Core::String uri;
  if (!context->ResolveUri(href, uri)) context->ReportError(Exception(Exception::CannotResolveUri, href));
  run.OpenSource(m_sourceId, uri, m_encoding, m_format);
  // The source stays open and visible to the following siblings; its
  // content list closes it.
  while (run.ReadRecord(m_sourceId)) {
    Core::XInterface<Xslt::CExtensionContext> record = context->CreateContextForNode();
    record->ExecuteContent(0);
  }
}

} // namespace XsltTextInput
