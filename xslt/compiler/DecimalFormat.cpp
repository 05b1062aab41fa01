#include "xslt/compiler/DecimalFormat.h"

#include "xslt/compiler/StaticContext.h"

namespace XsltPrivate {

namespace {

struct CSymbolAttribute {
  const char16_t* name;
  const char16_t* defaultValue;
};

const CSymbolAttribute kSymbols[CDecimalFormat::SymbolCount] = {
    {u"decimal-separator", u"."}, {u"grouping-separator", u","}, {u"infinity", u"Infinity"},
    {u"minus-sign", u"-"},        {u"NaN", u"NaN"},              {u"percent", u"%"},
    {u"per-mille", u"\u2030"},    {u"zero-digit", u"0"},         {u"digit", u"#"},
    {u"pattern-separator", u";"},
};

} // namespace

CDecimalFormat::CDecimalFormat() {
  for (int32_t i = 0; i < SymbolCount; ++i) m_symbols[i] = kSymbols[i].defaultValue;
}

const char16_t* CDecimalFormat::GetAttributeName(ESymbol symbol) { return kSymbols[symbol].name; }
const char16_t* CDecimalFormat::GetDefault(ESymbol symbol) { return kSymbols[symbol].defaultValue; }

void CDecimalFormat::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_name = context.GetQNameAttribute(u"name", false, false);
  for (int32_t i = 0; i < SymbolCount; ++i)
    m_symbols[i] = context.GetAttributeOrDefault(kSymbols[i].name, kSymbols[i].defaultValue);
}

bool CDecimalFormat::Equals(const CDecimalFormat& other) const {
  if (!SameName(m_name.Get(), other.m_name.Get())) return false;
  for (int32_t i = 0; i < SymbolCount; ++i)
    if (m_symbols[i] != other.m_symbols[i]) return false;
  return true;
}

} // namespace XsltPrivate
