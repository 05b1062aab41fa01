#include "extensions/script/ObjectElements.h"

#include "core/WorkBudget.h"
#include "extensions/script/ObjectPackage.h"
#include "xml/tree/Dom.h"
#include "xslt/compiler/ExtensionContentType.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltObject {

namespace {

Core::String NamespaceOf(Xslt::CExtensionStaticContext* context) { return context->GetNode()->GetNamespaceURI(); }

// A script object has no text of its own worth writing.
void OutputResult(Xslt::CExtensionContext* context, const Xpath::CValue& value) {
  if (value.GetType() == Xpath::CValue::ScriptObjectType) return;
  context->OutputValue(value);
}

// A failure that left a try body without a record of the package: it goes
// on as a failure of the try itself, whatever it was before.
class CUnhandledFailure : public Core::IException {
public:
  explicit CUnhandledFailure(Core::String message) : m_message(std::move(message)) {}
  Core::String GetMessage() const override { return m_message; }

private:
  Core::String m_message;
};

} // namespace

// ---- import -----------------------------------------------------------------

void CImportElement::Compile(Xslt::CExtensionStaticContext* context) {
  m_namespaceUri = NamespaceOf(context);
  context->GetUriAttribute(m_href, u"href", true);
  m_encoding = context->GetAttributeOrDefault(u"encoding", u"", false);
}

void CImportElement::Execute(Xslt::CExtensionContext* context) {
  FindObjectPackageContext(context, m_namespaceUri).ImportScript(m_href, m_encoding);
}

// ---- elements naming an object and a property ----------------------------------

void CPropertyElement::CompileObjectAndProperty(Xslt::CExtensionStaticContext* context) {
  m_namespaceUri = NamespaceOf(context);
  m_object = context->CompileExpressionAttribute(u"object", nullptr, false);
  m_property = context->CompileAvtAttribute(u"property", nullptr, true);
}

CObjectPackageContext& CPropertyElement::Begin(Xslt::CExtensionContext* context,
                                               Core::XInterface<CObjectHandle>& handle, Core::String& name) const {
  CObjectPackageContext& package = FindObjectPackageContext(context, m_namespaceUri);
  handle = package.GetObjectHandle(m_object.Get(), context);
  name = context->EvaluateAvt(m_property.Get());
  return package;
}

void CGetElement::Compile(Xslt::CExtensionStaticContext* context) { CompileObjectAndProperty(context); }

void CGetElement::Execute(Xslt::CExtensionContext* context) {
  Core::XInterface<CObjectHandle> handle;
  Core::String name;
  CObjectPackageContext& package = Begin(context, handle, name);
  Core::XInterface<Xpath::CValue> value = package.Guarded([&] { return handle->Get(name); });
  OutputResult(context, *value);
}

void CPutElement::Compile(Xslt::CExtensionStaticContext* context) {
  CompileObjectAndProperty(context);
  m_value = context->CompileExpressionAttribute(u"value", nullptr, true);
}

void CPutElement::Execute(Xslt::CExtensionContext* context) {
  Core::XInterface<CObjectHandle> handle;
  Core::String name;
  CObjectPackageContext& package = Begin(context, handle, name);
  Core::XInterface<Xpath::CValue> value = context->Evaluate(m_value.Get());
  package.Guarded([&] { handle->Put(name, *value); });
}

void CDeleteElement::Compile(Xslt::CExtensionStaticContext* context) { CompileObjectAndProperty(context); }

void CDeleteElement::Execute(Xslt::CExtensionContext* context) {
  Core::XInterface<CObjectHandle> handle;
  Core::String name;
  CObjectPackageContext& package = Begin(context, handle, name);
  package.Guarded([&] { handle->Delete(name); });
}

void CCallElement::Compile(Xslt::CExtensionStaticContext* context) {
  CompileObjectAndProperty(context);
  Core::XInterface<Xslt::CExtensionContentType> model(new Xslt::CExtensionContentType(true));
  model->AddType(m_namespaceUri, u"with-param", 0, false, false);
  context->CompileContent(model.Get());
}

void CCallElement::Execute(Xslt::CExtensionContext* context) {
  Core::XInterface<CObjectHandle> handle;
  Core::String name;
  CObjectPackageContext& package = Begin(context, handle, name);
  package.ClearArguments();
  context->ExecuteContent(0);
  Core::XInterface<Xpath::CValue> value = package.Call(handle.Get(), name);
  OutputResult(context, *value);
}

void CWhileElement::Compile(Xslt::CExtensionStaticContext* context) {
  CompileObjectAndProperty(context);
  Core::XInterface<Xslt::CExtensionContentType> model(new Xslt::CExtensionContentType(true));
  model->AddType(m_namespaceUri, u"with-param", 1, false, false);
  model->AddType(u"*", u"*", 0, false, false);
  context->CompileContent(model.Get());
}

void CWhileElement::Execute(Xslt::CExtensionContext* context) {
  Core::XInterface<CObjectHandle> handle;
  Core::String name;
  CObjectPackageContext& package = Begin(context, handle, name);
  package.ClearArguments();
  context->ExecuteContent(1);
  Core::XInterface<CObjectCall> call = package.PrepareCall(handle.Get(), name);
  // No limit of its own: the method decides when the loop ends.
  while (call->Invoke()) {
    Core::SpendWork(Core::kCallWork);
    Core::XInterface<Xslt::CExtensionContext> pass = context->CreateContextForNode();
    pass->ExecuteContent(0);
  }
}

// ---- try, catch, with-param -------------------------------------------------------

void CTryElement::Compile(Xslt::CExtensionStaticContext* context) {
  m_namespaceUri = NamespaceOf(context);
  Core::XInterface<Xslt::CExtensionContentType> model(new Xslt::CExtensionContentType(true));
  model->AddType(m_namespaceUri, u"catch", 1, false, false);
  model->AddType(u"*", u"*", 0, false, false);
  context->CompileContent(model.Get());
}

void CTryElement::Execute(Xslt::CExtensionContext* context) {
  CObjectPackageContext& package = FindObjectPackageContext(context, m_namespaceUri);
  package.ClearError();
  // Only a failure recorded in this body, and not already handled by a try
  // inside it, is this try's to handle.
  uint64_t mark = package.GetFailureMark();
  int32_t openNodes = context->GetOpenOutputNodes();
  // The body binds its variables in a scope of its own, which ends before
  // the catch children run: they come first and must not see them.
  Core::XInterface<Xslt::CExtensionContext> body = context->CreateContextForNode();
  try {
    body->ExecuteContent(0);
    return;
  } catch (const Core::IException& failure) {
    if (!package.HandleFailureSince(mark)) {
      // The processor lets XSLT errors through its wrapper unchanged; this
      // one must be reported as the try's failure.
      if (dynamic_cast<const Xslt::CXsltException*>(&failure)) throw CUnhandledFailure(failure.GetMessage());
      throw;
    }
  }
  body = nullptr;
  // Elements and the like that the body started end where it failed.
  context->EndOutputNodes(openNodes);
  context->ExecuteContent(1);
}

void CCatchElement::Compile(Xslt::CExtensionStaticContext* context) {
  Core::XInterface<Xslt::CExtensionContentType> model(new Xslt::CExtensionContentType(true));
  model->AddType(u"*", u"*", 0, false, false);
  context->CompileContent(model.Get());
}

void CCatchElement::Execute(Xslt::CExtensionContext* context) { context->ExecuteContent(0); }

void CWithParamElement::Compile(Xslt::CExtensionStaticContext* context) {
  m_namespaceUri = NamespaceOf(context);
  m_value = context->CompileExpressionAttribute(u"value", nullptr, true);
}

void CWithParamElement::Execute(Xslt::CExtensionContext* context) {
  CObjectPackageContext& package = FindObjectPackageContext(context, m_namespaceUri);
  Core::XInterface<Xpath::CValue> value = context->Evaluate(m_value.Get());
  package.AddArgument(value.Get());
}

} // namespace XsltObject
