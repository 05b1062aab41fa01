#pragma once
// Remembers where in its source files each node of a document came from.
// The tree builder hands it the parser's locator and tells it of every node
// it creates; the run asks it for locations and base URIs afterwards.
#include <cstdint>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/parser/Sxp.h"
#include "xml/tree/Dom.h"

namespace Xslt {

class CLocationHandler : public Core::CInterface {
public:
  // Keeps the locator (or none) until the next call.
  virtual void SetDocumentLocator(Sxp::ILocator* locator);
  // With a locator, records where the parser is under the node's identity;
  // without one, does nothing.
  virtual void NodeCreated(const Dom::CNode* node);

  virtual void SetParent(const Core::XInterface<CLocationHandler>& parent) = 0;
  virtual void RecordLocation(Dom::CNodeIdentity position, Core::StringView publicId, Core::StringView systemId,
                              int32_t line, int32_t column) = 0;
  virtual bool GetLocation(Dom::CNodeIdentity position, Core::String& publicId, Core::String& systemId,
                           int32_t& line, int32_t& column) = 0;
  virtual bool GetBaseUri(Dom::CNodeIdentity position, Core::String& uri) = 0;
  // Drops the records of the position's document.
  virtual void ForgetDocument(Dom::CNodeIdentity position) = 0;

protected:
  Core::XInterface<Sxp::ILocator> m_locator;
};

} // namespace Xslt
