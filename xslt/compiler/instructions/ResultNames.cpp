#include "xslt/compiler/instructions/ResultNames.h"

#include "xml/parser/CharacterClasses.h"
#include "xslt/processor/context/Context.h"

namespace XsltPrivate {

namespace {

using XmlParserPrivate::CCharacterClasses;

bool IsNCName(Core::StringView name) {
  if (name.empty() || name[0] == u':' || !CCharacterClasses::IsNameStart(name[0])) return false;
  for (char16_t c : name.substr(1))
    if (c == u':' || !CCharacterClasses::IsNameChar(c)) return false;
  return true;
}

// The text of a template made only of literal text, else null.
const Core::String* ConstantText(const Xslt::CAvt* avt) {
  static const Core::String empty;
  const auto* parsed = dynamic_cast<const CPrivateAvt*>(avt);
  if (!parsed) return nullptr;
  int32_t parts = parsed->GetPartCount();
  if (parts == 0) return &empty;
  if (parts == 1 && !parsed->GetExpressionPart(0)) return &parsed->GetLiteralPart(0);
  return nullptr;
}

} // namespace

bool IsQName(Core::StringView name) {
  size_t colon = name.find(u':');
  if (colon == Core::StringView::npos) return IsNCName(name);
  return IsNCName(name.substr(0, colon)) && IsNCName(name.substr(colon + 1));
}

bool IsProcessingInstructionTarget(Core::StringView name) {
  if (!IsNCName(name)) return false;
  if (name.size() != 3) return true;
  return !((name[0] | 0x20) == u'x' && (name[1] | 0x20) == u'm' && (name[2] | 0x20) == u'l');
}

Core::String EvaluateText(CContext& context, const Xslt::CAvt* avt) {
  if (const Core::String* text = ConstantText(avt)) return *text;
  return context.EvaluateAvt(avt);
}

} // namespace XsltPrivate
