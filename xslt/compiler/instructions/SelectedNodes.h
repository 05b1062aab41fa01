#pragma once
// The node list an instruction selects (xsl:apply-templates, xsl:for-each,
// xsl:copy-of). Node sets are lazy: an XPath error may surface only while
// the set yields its nodes, and it is then reported like one raised by the
// evaluation itself, as fatal error 43 at the instruction.
#include "core/Interface.h"
#include "xml/tree/Dom.h"
#include "xpath/Expr.h"
#include "xpath/NodeSet.h"
#include "xpath/Value.h"
#include "xslt/compiler/instructions/Sort.h"

namespace XsltPrivate {

class CContext;

// The select value as a node list, sorted by the keys when there are any; a
// value that is not a node set is fatal error 46.
Core::XInterface<Xpath::CIterator> SelectNodes(CContext& context, const Xpath::CExpr* select, const CSortList& sorts);
// A new iterator over the node set.
Core::XInterface<Xpath::CIterator> IterateNodes(CContext& context, Xpath::CNodeSet& nodes);
// Advances the iterator and answers its new node (null at the end).
Dom::XNode NextNode(CContext& context, Xpath::CIterator& iterator);

} // namespace XsltPrivate
