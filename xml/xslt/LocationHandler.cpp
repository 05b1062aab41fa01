#include "xml/xslt/LocationHandler.h"

namespace Xslt {

void CLocationHandler::SetDocumentLocator(Sxp::ILocator* locator) { m_locator = locator; }

void CLocationHandler::NodeCreated(const Dom::CNode* node) {
  if (!m_locator) return;
  RecordLocation(node->GetIdentity(), m_locator->GetPublicId(), m_locator->GetSystemId(), m_locator->GetLineNumber(),
                 m_locator->GetColumnNumber());
}

} // namespace Xslt
