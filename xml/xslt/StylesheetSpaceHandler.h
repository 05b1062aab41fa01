#pragma once
// The whitespace rules for reading a stylesheet: whitespace-only text is
// dropped everywhere except inside xsl:text.
#include "xml/xslt/SpaceHandler.h"

namespace XsltPrivate {

class CStylesheetSpaceHandler : public Xslt::CSpaceHandler {
public:
  CStylesheetSpaceHandler();
};

} // namespace XsltPrivate
