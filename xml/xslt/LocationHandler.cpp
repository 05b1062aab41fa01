#include "xml/xslt/LocationHandler.h"

namespace Xslt {

void CLocationHandler::SetDocumentLocator(Sxp::ILocator* locator) { m_locator = locator; }

void CLocationHandler::NodeCreated(const Dom::CNode* node) {
  if (!m_locator) return;
  Core::String systemId = m_locator->GetSystemId();
  Core::String publicId = m_locator->GetPublicId();
  int32_t line = m_locator->GetLineNumber();
  int32_t column = m_locator->GetColumnNumber();
  RecordLocation(node->GetIdentity(), publicId, systemId, line, column);
}

} // namespace Xslt
