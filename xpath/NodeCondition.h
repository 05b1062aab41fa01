#pragma once
// Predicates that read nothing of the context but its node: a name of the
// node compared with a string (local-name() = 'x', name(.) != $n), a node
// test on the self axis (self::x), and not, and, or over these. They are
// tested on the node in place, where the general evaluation would build a
// value for every call, name and literal of every node tested.
#include <memory>

#include "xml/tree/Dom.h"
#include "xpath/Context.h"
#include "xpath/Expr.h"

namespace XpathPrivate {

class CNodeCondition {
public:
  virtual ~CNodeCondition() = default;

  // The condition expr states, or null when it has another shape. It
  // refers into expr, which must outlive it.
  static std::unique_ptr<CNodeCondition> Of(const Xpath::CExpr* expr);

  // What the predicate's value converts to as a boolean, with node the
  // context node of context; errors as the general evaluation raises them.
  virtual bool Test(Xpath::CContext* context, const Dom::CNode* node) const = 0;
};

} // namespace XpathPrivate
