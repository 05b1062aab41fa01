#include "xslt/compiler/ExtensionStaticContext.h"

#include "xslt/compiler/CompiledExpression.h"
#include "xslt/compiler/ExtensionInstruction.h"
#include "xslt/compiler/StaticContext.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

CPrivateExtensionStaticContext::CPrivateExtensionStaticContext(CStaticContext* context,
                                                               CExtensionInstruction* instruction)
    : m_context(context), m_instruction(instruction) {}

CPrivateExtensionStaticContext::~CPrivateExtensionStaticContext() = default;

namespace {

class CDetachedContextException final : public Core::IException {
public:
  Core::String GetMessage() const override {
    return u"Extension static context used after its element was compiled";
  }
};

} // namespace

void CPrivateExtensionStaticContext::Detach() {
  m_instruction = nullptr;
  m_context = nullptr;
}

CStaticContext& CPrivateExtensionStaticContext::Live() const {
  if (!m_context) throw CDetachedContextException();
  return *m_context;
}

Dom::XNode CPrivateExtensionStaticContext::GetNode() { return Live().GetNode(); }

void CPrivateExtensionStaticContext::CompileContent(Xslt::CExtensionContentType* contentType) {
  CStaticContext& context = Live();
  m_instruction->CompileContent(context, contentType);
}

bool CPrivateExtensionStaticContext::GetAttribute(Core::String& value, Core::StringView name, bool required) {
  return Live().GetAttribute(name, value, required);
}

Core::String CPrivateExtensionStaticContext::GetAttributeOrDefault(Core::StringView name,
                                                                   Core::StringView defaultValue, bool required) {
  if (!required) return Live().GetAttributeOrDefault(name, defaultValue);
  Core::String value;
  Live().GetAttribute(name, value, true);
  return value;
}

bool CPrivateExtensionStaticContext::GetUriAttribute(Core::String& uri, Core::StringView name, bool required) {
  return Live().GetUriAttribute(name, uri, required);
}

Core::XInterface<Xpath::CExpr> CPrivateExtensionStaticContext::CompileExpressionAttribute(Core::StringView name,
                                                                                         const char16_t* defaultText,
                                                                                         bool required) {
  return Live().CompileExpressionAttribute(name, defaultText, required);
}

Core::XInterface<Xslt::CAvt> CPrivateExtensionStaticContext::CompileAvtAttribute(Core::StringView name,
                                                                                const char16_t* defaultText,
                                                                                bool required) {
  return Live().CompileAvtAttribute(name, defaultText, required);
}

bool CPrivateExtensionStaticContext::GetNumberAttribute(double& number, Core::StringView name, bool required) {
  return Live().GetNumberAttribute(name, number, required);
}

Core::XInterface<Xpath::CExpr> CPrivateExtensionStaticContext::CompileExpression(Core::StringView text) {
  return XsltPrivate::CompileExpression(Live(), text);
}

Core::XInterface<Xslt::CAvt> CPrivateExtensionStaticContext::CompileAvt(Core::StringView text) {
  return Live().CompileAvt(text);
}

void CPrivateExtensionStaticContext::ReportError(const Core::IException& error) {
  Live().ReportExtensionError(error.GetMessage());
  Live().ThrowError(Xslt::CXsltException::ExtensionStaticError);
}

} // namespace XsltPrivate
