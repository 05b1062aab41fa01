#pragma once
// A compiled XPath expression: an immutable tree of counted nodes, parsed
// once and evaluated any number of times in any context.
#include "core/Interface.h"

namespace Xpath {

class CContext;
class CValue;

class CExpr : public Core::CInterface {
public:
  // Errors are thrown as Xpath::CXpathException or whatever a host
  // interface throws.
  virtual Core::XInterface<CValue> Evaluate(CContext* context) const = 0;
};

} // namespace Xpath

namespace XpathPrivate {

// Releases an expression without recursing through the tree: deeply chained
// operator expressions would otherwise unwind one stack frame per link.
void ReleaseExpr(Core::XInterface<Xpath::CExpr>& expr);

} // namespace XpathPrivate
