#include "xslt/compiler/instructions/Number.h"

#include "xslt/compiler/StaticContext.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

namespace {

const CEnumItem kLevels[] = {
    {u"single", CNumber::LevelSingle},
    {u"multiple", CNumber::LevelMultiple},
    {u"any", CNumber::LevelAny},
    {nullptr, 0},
};

} // namespace

void CNumber::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_level = context.GetEnumAttribute(u"level", kLevels, LevelSingle, false);
  m_count = context.CompilePatternAttribute(u"count", nullptr, false);
  m_from = context.CompilePatternAttribute(u"from", nullptr, false);
  m_value = context.CompileExpressionAttribute(u"value", nullptr, false);
  m_format = context.CompileAvtAttribute(u"format", u"1", false);
  m_lang = context.CompileAvtAttribute(u"lang", nullptr, false);
  m_letterValue = context.CompileAvtAttribute(u"letter-value", nullptr, false);
  m_groupingSeparator = context.CompileAvtAttribute(u"grouping-separator", nullptr, false);
  m_groupingSize = context.CompileAvtAttribute(u"grouping-size", nullptr, false);
  if (context.GetNode()->FirstChild()) context.ThrowError(Xslt::CXsltException::ContentMustBeEmpty);
}

} // namespace XsltPrivate
