#pragma once
// The base of the compiled top-level declarations (all but xsl:variable,
// which is also an instruction).
#include "xslt/compiler/StylesheetElement.h"

namespace XsltPrivate {

class CTopLevel : public CStylesheetElement {};

} // namespace XsltPrivate
