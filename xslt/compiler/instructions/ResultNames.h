#pragma once
// Names computed at run time for result nodes (xsl:element, xsl:attribute,
// xsl:processing-instruction) are checked before a node is made, so that a
// bad name can never reach the serialiser and come out as malformed markup.
// Also the shortcut for templates without expressions (the names and values
// of literal result elements), which need no XPath context.
#include "core/String.h"
#include "xslt/compiler/Avt.h"

namespace XsltPrivate {

class CContext;

// NCName, or NCName ':' NCName.
bool IsQName(Core::StringView name);
// An NCName other than "xml" in any case.
bool IsProcessingInstructionTarget(Core::StringView name);
// The template's value in the context.
Core::String EvaluateText(CContext& context, const Xslt::CAvt* avt);

} // namespace XsltPrivate
