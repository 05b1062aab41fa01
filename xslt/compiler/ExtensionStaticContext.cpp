#include "xslt/compiler/ExtensionStaticContext.h"

#include "xslt/compiler/CompiledExpression.h"
#include "xslt/compiler/ExtensionInstruction.h"
#include "xslt/compiler/StaticContext.h"
#include "xslt/processor/XsltException.h"

namespace XsltPrivate {

CPrivateExtensionStaticContext::CPrivateExtensionStaticContext(CStaticContext* context,
                                                               CExtensionInstruction* instruction)
    : m_context(context), m_instruction(instruction) {}

CPrivateExtensionStaticContext::~CPrivateExtensionStaticContext() = default;

Dom::XNode CPrivateExtensionStaticContext::GetNode() { return m_context->GetNode(); }

void CPrivateExtensionStaticContext::CompileContent(Xslt::CExtensionContentType* contentType) {
  m_instruction->CompileContent(*m_context, contentType);
}

bool CPrivateExtensionStaticContext::GetAttribute(Core::String& value, Core::StringView name, bool required) {
  return m_context->GetAttribute(name, value, required);
}

Core::String CPrivateExtensionStaticContext::GetAttributeOrDefault(Core::StringView name,
                                                                   Core::StringView defaultValue, bool required) {
  if (!required) return m_context->GetAttributeOrDefault(name, defaultValue);
  Core::String value;
  m_context->GetAttribute(name, value, true);
  return value;
}

bool CPrivateExtensionStaticContext::GetUriAttribute(Core::String& uri, Core::StringView name, bool required) {
  return m_context->GetUriAttribute(name, uri, required);
}

Core::XInterface<Xpath::CExpr> CPrivateExtensionStaticContext::CompileExpressionAttribute(Core::StringView name,
                                                                                         const char16_t* defaultText,
                                                                                         bool required) {
  return m_context->CompileExpressionAttribute(name, defaultText, required);
}

Core::XInterface<Xslt::CAvt> CPrivateExtensionStaticContext::CompileAvtAttribute(Core::StringView name,
                                                                                const char16_t* defaultText,
                                                                                bool required) {
  return m_context->CompileAvtAttribute(name, defaultText, required);
}

bool CPrivateExtensionStaticContext::GetNumberAttribute(double& number, Core::StringView name, bool required) {
  return m_context->GetNumberAttribute(name, number, required);
}

Core::XInterface<Xpath::CExpr> CPrivateExtensionStaticContext::CompileExpression(Core::StringView text) {
  return XsltPrivate::CompileExpression(*m_context, text);
}

Core::XInterface<Xslt::CAvt> CPrivateExtensionStaticContext::CompileAvt(Core::StringView text) {
  return m_context->CompileAvt(text);
}

void CPrivateExtensionStaticContext::ReportError(const Core::IException& error) {
  m_context->ReportExtensionError(error.GetMessage());
  m_context->ThrowError(Xslt::CXsltException::ExtensionStaticError);
}

} // namespace XsltPrivate
