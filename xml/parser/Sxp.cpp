#include "xml/parser/Sxp.h"

namespace Sxp {

Core::String CParseException::GetMessage() const {
  if (!m_message.empty()) return m_message;
  if (m_nested) return m_nested->GetMessage();
  return {};
}

} // namespace Sxp
