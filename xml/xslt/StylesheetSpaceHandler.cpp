#include "xml/xslt/StylesheetSpaceHandler.h"

namespace XsltPrivate {

CStylesheetSpaceHandler::CStylesheetSpaceHandler() {
  SetEnabled(true);
  AddRule(std::nullopt, std::nullopt, 0, false);
  AddRule(Core::StringView(u"http://www.w3.org/1999/XSL/Transform"), Core::StringView(u"text"), 0, true);
}

} // namespace XsltPrivate
