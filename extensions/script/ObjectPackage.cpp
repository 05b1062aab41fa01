#include "extensions/script/ObjectPackage.h"

#include "extensions/script/ObjectElements.h"
#include "extensions/script/ObjectFunctions.h"
#include "xml/tree/Dom.h"
#include "xpath/ValueConverter.h"
#include "xslt/compiler/ExtensionStaticContext.h"
#include "xslt/processor/extensions/ExtensionHandler.h"

namespace XsltObject {

// ---- exception ------------------------------------------------------------

namespace {

const Core::CMessageItem kMessages[] = {
    {0, u"Invalid number of arguments, function '%s'"},
    {-1, u"Unclassified XSLT-Object exception"},
};

} // namespace

CXsltObjectException::CXsltObjectException(int32_t code, Core::String text)
    : Core::CCodedException(kMessages, code, 2, std::move(text), Core::String()) {}

// ---- package context --------------------------------------------------------

CObjectPackageContext::CObjectPackageContext(CScriptBinding* binding) : m_binding(binding) {}

CObjectPackageContext::~CObjectPackageContext() { ClearArguments(); }

void CObjectPackageContext::ImportScript(Core::StringView uri, Core::StringView encoding) {
  Guarded([&] { m_binding->ImportScript(uri, encoding); });
}

Core::XInterface<CObjectHandle> CObjectPackageContext::GetObjectHandle(const Xpath::CExpr* object,
                                                                      Xslt::CExtensionContext* context) {
  if (!object) return m_binding->CreateObjectHandle(u"");
  Core::XInterface<Xpath::CContext> xpathContext = context->GetXpathContext();
  Core::XInterface<Xpath::CValue> value = object->Evaluate(xpathContext.Get());
  return GetObjectHandleFromValue(value.Get(), xpathContext.Get());
}

Core::XInterface<CObjectHandle> CObjectPackageContext::GetObjectHandleFromValue(const Xpath::CValue* value,
                                                                               Xpath::CContext* context) {
  if (value && value->GetType() == Xpath::CValue::ScriptObjectType) {
    // A value of that type made by someone else names nothing of ours.
    if (auto* object = dynamic_cast<const CObjectValue*>(value)) return object->GetHandle();
  }
  Core::String name = value ? Xpath::CValueConverter(context).ToString(*value) : Core::String();
  return m_binding->CreateObjectHandle(name);
}

void CObjectPackageContext::AddArgument(Xpath::CValue* value) { m_arguments.emplace_back(value); }

void CObjectPackageContext::ClearArguments() {
  while (!m_arguments.empty()) m_arguments.pop_back();
}

Core::XInterface<Xpath::CValue> CObjectPackageContext::Call(CObjectHandle* handle, Core::StringView method) {
  Core::XInterface<Xpath::CValue> result = Guarded([&] { return handle->Call(method, m_arguments); });
  ClearArguments();
  return result;
}

Core::XInterface<CObjectCall> CObjectPackageContext::PrepareCall(CObjectHandle* handle, Core::StringView method) {
  Core::XInterface<CObjectCall> call = Guarded([&] { return handle->PrepareCall(method, m_arguments); });
  ClearArguments();
  return call;
}

void CObjectPackageContext::SetError(Core::StringView message) {
  m_error = true;
  m_message = message;
  ++m_failureCount;
}

bool CObjectPackageContext::GetError(Core::String& message) const {
  message = m_message;
  return m_error;
}

void CObjectPackageContext::ClearError() {
  m_error = false;
  m_message.clear();
}

bool CObjectPackageContext::HandleFailureSince(uint64_t mark) {
  if (!m_error || m_failureCount <= mark || m_failureCount <= m_handledCount) return false;
  m_handledCount = m_failureCount;
  return true;
}

CObjectPackageContext& FindObjectPackageContext(Xslt::CExtensionContext* context, Core::StringView namespaceUri) {
  auto* found = dynamic_cast<CObjectPackageContext*>(
      context->GetTopLevelExtensionContext()->FindPackageContext(namespaceUri));
  // Only when another package claimed the namespace first; its elements
  // would then be the ones compiled, so this is not reached in a run.
  if (!found) throw CXsltObjectException(-1);
  return *found;
}

// ---- package ------------------------------------------------------------------

namespace {

const char16_t* const kElementNames[] = {u"import", u"get",        u"put",  u"delete", u"call",
                                         u"while",  u"try",        u"with-param", u"catch"};

template <class TElement>
Core::XInterface<Xslt::CExtensionElement> Compiled(Xslt::CExtensionStaticContext* context) {
  Core::XInterface<TElement> element(new TElement());
  element->Compile(context);
  return element;
}

} // namespace

CObjectPackage::CObjectPackage(Core::StringView namespaceUri, CScriptBinding* binding)
    : m_namespaceUri(namespaceUri),
      m_binding(binding),
      m_get(new CGetFunction(namespaceUri)),
      m_call(new CCallFunction(namespaceUri)),
      m_error(new CErrorFunction(namespaceUri)) {}

CObjectPackage::~CObjectPackage() {
  m_error = nullptr;
  m_call = nullptr;
  m_get = nullptr;
  m_binding = nullptr;
}

Core::XInterface<Xslt::CExtensionPackageContext> CObjectPackage::CreateContext() {
  return new CObjectPackageContext(m_binding.Get());
}

bool CObjectPackage::IsElementAvailable(Core::StringView localName) {
  for (const char16_t* name : kElementNames)
    if (localName == name) return true;
  return false;
}

Core::XInterface<Xslt::CExtensionElement> CObjectPackage::CreateInstruction(
    Xslt::CExtensionStaticContext* staticContext) {
  Core::String name = staticContext->GetNode()->GetLocalName();
  if (name == u"import") return Compiled<CImportElement>(staticContext);
  if (name == u"get") return Compiled<CGetElement>(staticContext);
  if (name == u"put") return Compiled<CPutElement>(staticContext);
  if (name == u"delete") return Compiled<CDeleteElement>(staticContext);
  if (name == u"call") return Compiled<CCallElement>(staticContext);
  if (name == u"while") return Compiled<CWhileElement>(staticContext);
  if (name == u"try") return Compiled<CTryElement>(staticContext);
  if (name == u"with-param") return Compiled<CWithParamElement>(staticContext);
  if (name == u"catch") return Compiled<CCatchElement>(staticContext);
  return nullptr;
}

bool CObjectPackage::IsFunctionAvailable(Core::StringView localName) {
  return localName == u"get" || localName == u"call" || localName == u"error";
}

Core::XInterface<Xslt::CExtensionFunction> CObjectPackage::GetFunction(Core::StringView localName) {
  if (localName == u"get") return m_get;
  if (localName == u"call") return m_call;
  if (localName == u"error") return m_error;
  return nullptr;
}

} // namespace XsltObject
