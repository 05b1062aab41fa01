#pragma once
// The compile-time view an extension package gets of the element it
// compiles: the element, its attributes read with the stylesheet's own
// readers and static errors, and the compilation of its children against a
// content model. Valid only while the package compiles the element.
#include <cstdint>

#include "core/Exception.h"
#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"
#include "xpath/Expr.h"
#include "xslt/compiler/Avt.h"
#include "xslt/compiler/ExtensionContentType.h"

namespace Xslt {

class CExtensionStaticContext : public Core::CInterface {
public:
  virtual Dom::XNode GetNode() = 0;
  // Compiles the element's children into its content blocks; null: the
  // element must have no child at all.
  virtual void CompileContent(CExtensionContentType* contentType) = 0;
  virtual bool GetAttribute(Core::String& value, Core::StringView name, bool required) = 0;
  virtual Core::String GetAttributeOrDefault(Core::StringView name, Core::StringView defaultValue, bool required) = 0;
  // Resolved against the element's base URI.
  virtual bool GetUriAttribute(Core::String& uri, Core::StringView name, bool required) = 0;
  // Absent: the default text compiled, or null without one.
  virtual Core::XInterface<Xpath::CExpr> CompileExpressionAttribute(Core::StringView name, const char16_t* defaultText,
                                                                    bool required) = 0;
  virtual Core::XInterface<CAvt> CompileAvtAttribute(Core::StringView name, const char16_t* defaultText,
                                                     bool required) = 0;
  virtual bool GetNumberAttribute(double& number, Core::StringView name, bool required) = 0;
  virtual Core::XInterface<Xpath::CExpr> CompileExpression(Core::StringView text) = 0;
  virtual Core::XInterface<CAvt> CompileAvt(Core::StringView text) = 0;
  // A failure of the package: its message is reported as error 55, then
  // static error 19 is raised at the element.
  [[noreturn]] virtual void ReportError(const Core::IException& error) = 0;
};

} // namespace Xslt

namespace XsltPrivate {

class CExtensionInstruction;
class CStaticContext;

class CPrivateExtensionStaticContext : public Xslt::CExtensionStaticContext {
public:
  CPrivateExtensionStaticContext(CStaticContext* context, CExtensionInstruction* instruction);
  ~CPrivateExtensionStaticContext() override;

  Dom::XNode GetNode() override;
  void CompileContent(Xslt::CExtensionContentType* contentType) override;
  bool GetAttribute(Core::String& value, Core::StringView name, bool required) override;
  Core::String GetAttributeOrDefault(Core::StringView name, Core::StringView defaultValue, bool required) override;
  bool GetUriAttribute(Core::String& uri, Core::StringView name, bool required) override;
  Core::XInterface<Xpath::CExpr> CompileExpressionAttribute(Core::StringView name, const char16_t* defaultText,
                                                            bool required) override;
  Core::XInterface<Xslt::CAvt> CompileAvtAttribute(Core::StringView name, const char16_t* defaultText,
                                                   bool required) override;
  bool GetNumberAttribute(double& number, Core::StringView name, bool required) override;
  Core::XInterface<Xpath::CExpr> CompileExpression(Core::StringView text) override;
  Core::XInterface<Xslt::CAvt> CompileAvt(Core::StringView text) override;
  [[noreturn]] void ReportError(const Core::IException& error) override;

  // The package compiled the element: a static context it kept is of no use
  // any more, and must not keep the stylesheet alive.
  void Detach();

private:
  CStaticContext& Live() const;

  Core::XInterface<CStaticContext> m_context;
  Core::XInterface<CExtensionInstruction> m_instruction;
};

} // namespace XsltPrivate
