#pragma once
// The elements of the text-input package: format declares a record format
// with its field children, read walks a file record by record.
#include <cstdint>

#include "core/Interface.h"
#include "core/String.h"
#include "xpath/Expr.h"
#include "xslt/compiler/Avt.h"
#include "xslt/compiler/ExtensionStaticContext.h"
#include "xslt/processor/extensions/ExtensionContext.h"
#include "xslt/processor/extensions/ExtensionPackage.h"

namespace XsltTextInput {

class CFormatElement : public Xslt::CExtensionElement {
public:
  void Compile(Xslt::CExtensionStaticContext* context);
  void Execute(Xslt::CExtensionContext* context) override;

private:
  Core::String m_name;
  char16_t m_separator = 0;  // 0: fixed widths
  bool m_header = false;
};

class CFieldElement : public Xslt::CExtensionElement {
public:
  void Compile(Xslt::CExtensionStaticContext* context);
  void Execute(Xslt::CExtensionContext* context) override;

private:
  Core::XInterface<Xslt::CAvt> m_name;
  Core::XInterface<Xpath::CExpr> m_width;  // null when absent
};

class CReadElement : public Xslt::CExtensionElement {
public:
  void Compile(Xslt::CExtensionStaticContext* context);
  void Execute(Xslt::CExtensionContext* context) override;

private:
  Core::String m_sourceId;
  Core::XInterface<Xslt::CAvt> m_href;
  Core::String m_encoding;  // empty: none named
  Core::String m_format;
};

} // namespace XsltTextInput
