#pragma once
// Answers the ID of an element: the value of its attribute declared of type
// ID in its document's DTD.
#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"

namespace Xslt {

class CIdHandler : public Core::CInterface {
public:
  // False for a node that is not an element or has no ID.
  virtual bool GetId(const Dom::CNode* node, Core::String& id) = 0;
};

} // namespace Xslt
