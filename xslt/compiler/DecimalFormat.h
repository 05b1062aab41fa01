#pragma once
// A compiled xsl:decimal-format: an optional name and the ten symbols, each
// with its default when absent.
#include "core/Interface.h"
#include "core/String.h"
#include "xslt/compiler/ExpandedName.h"
#include "xslt/compiler/TopLevel.h"

namespace XsltPrivate {

class CDecimalFormat : public CTopLevel {
public:
  enum ESymbol : int32_t {
    DecimalSeparator,
    GroupingSeparator,
    Infinity,
    MinusSign,
    NaN,
    Percent,
    PerMille,
    ZeroDigit,
    Digit,
    PatternSeparator,
    SymbolCount
  };

  CDecimalFormat();

  void Compile(CStaticContext& context);

  // Null for the unnamed (default) declaration.
  CExpandedName* GetName() const { return m_name.Get(); }
  const Core::String& GetSymbol(ESymbol symbol) const { return m_symbols[symbol]; }

  // Same name (both unnamed, or equal URI and local name) and the same ten symbols.
  bool Equals(const CDecimalFormat& other) const;

  // The attribute name and default of each symbol, in ESymbol order.
  static const char16_t* GetAttributeName(ESymbol symbol);
  static const char16_t* GetDefault(ESymbol symbol);

private:
  Core::XInterface<CExpandedName> m_name;
  Core::String m_symbols[SymbolCount];
};

} // namespace XsltPrivate
