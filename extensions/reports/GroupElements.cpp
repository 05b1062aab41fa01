#include <initializer_list>

#include "extensions/reports/ReportsException.h"
#include "extensions/reports/ReportsPackage.h"
#include "extensions/reports/ReportsPackageContext.h"
#include "xslt/compiler/ExtensionContentType.h"

namespace XsltReports {

namespace {

struct CChoice {
  const char16_t* text;
  int32_t value;
};

// The template's value among the choices, compared exactly; absent gives 0.
int32_t EvaluateChoice(Xslt::CExtensionContext* context, const Xslt::CAvt* avt, const char16_t* attribute,
                       std::initializer_list<CChoice> choices) {
  if (!avt) return 0;
  Core::String text = context->EvaluateAvt(avt);
  for (const CChoice& choice : choices)
    if (text == choice.text) return choice.value;
  context->ReportError(
      CXsltReportsException(CXsltReportsException::InvalidComputedAttributeValue, attribute, std::move(text)));
  __builtin_unreachable();  // ReportError throws
}

} // namespace

// ---- sort --------------------------------------------------------------------

void CSortElement::Compile(Xslt::CExtensionStaticContext* context) {
  m_select = context->CompileExpressionAttribute(u"select", u".", false);
  m_lang = context->CompileAvtAttribute(u"lang", nullptr, false);
  m_dataType = context->CompileAvtAttribute(u"data-type", u"text", false);
  m_order = context->CompileAvtAttribute(u"order", u"ascending", false);
  m_caseOrder = context->CompileAvtAttribute(u"case-order", nullptr, false);
}

// The templates see the group element's current node; select is evaluated
// later, once per node to sort.
void CSortElement::Execute(Xslt::CExtensionContext* context) {
  CReportsPackageContext* reports = GetReportsContext(context);
  Xslt::CSortAttributes attributes;
  attributes.lang = m_lang ? context->EvaluateAvt(m_lang.Get()) : Core::String(u"en");
  attributes.dataType = EvaluateChoice(context, m_dataType.Get(), u"data-type",
                                       {{u"text", Xslt::CSortAttributes::Text}, {u"number", Xslt::CSortAttributes::Number}});
  attributes.order = EvaluateChoice(
      context, m_order.Get(), u"order",
      {{u"ascending", Xslt::CSortAttributes::Ascending}, {u"descending", Xslt::CSortAttributes::Descending}});
  attributes.caseOrder = EvaluateChoice(
      context, m_caseOrder.Get(), u"case-order",
      {{u"upper-first", Xslt::CSortAttributes::UpperFirst}, {u"lower-first", Xslt::CSortAttributes::LowerFirst}});
  reports->AddSortKey(attributes, m_select.Get());
}

// ---- group -------------------------------------------------------------------

namespace {

enum : int32_t { kContentBlock = 0, kSortBlock = 1 };

} // namespace

void CGroupElement::Compile(Xslt::CExtensionStaticContext* context) {
  m_select = context->CompileExpressionAttribute(u"select", nullptr, false);
  m_key = context->CompileExpressionAttribute(u"key", nullptr, false);
  // Sort children must come before everything else.
  Core::XInterface<Xslt::CExtensionContentType> content(new Xslt::CExtensionContentType(true));
  content->AddType(kReportsNamespaceUri, u"sort", kSortBlock, false, false);
  content->AddType(u"*", u"*", kContentBlock, false, false);
  context->CompileContent(content.Get());
}

void CGroupElement::Execute(Xslt::CExtensionContext* context) {
  CReportsPackageContext* reports = GetReportsContext(context);
  reports->ClearSortKeys();
  context->ExecuteContent(kSortBlock);
  Core::XInterface<Xpath::CIterator> groups = reports->MakeGroups(context, m_select.Get(), m_key.Get());
  if (!groups) return;
  try {
    // position() is the group's number, last() the number of groups.
    Core::XInterface<Xslt::CExtensionContext> list = context->CreateContextForNodeList(groups.Get());
    for (; groups->GetNode(); groups->Next()) {
      Core::XInterface<Xslt::CExtensionContext> group = list->CreateContextForNode();
      group->ExecuteContent(kContentBlock);
    }
  } catch (...) {
    reports->PopGroup();
    throw;
  }
  reports->PopGroup();
}

} // namespace XsltReports
