#include "xslt/processor/services/MessageHandler.h"

namespace Xslt {

CBasicMessageHandler::CBasicMessageHandler(Core::IUnicodeStream* messageStream) : m_messageStream(messageStream) {}

CBasicMessageHandler::~CBasicMessageHandler() = default;

void CBasicMessageHandler::Characters(const char16_t* units, int32_t count, bool) {
  if (!m_messageStream || count <= 0) return;
  m_messageStream->Write(units, count);
  m_lineOpen = units[count - 1] != u'\n';
}

void CBasicMessageHandler::EndDocument() {
  if (m_messageStream && m_lineOpen) m_messageStream->Write(u"\n", 1);
  m_lineOpen = false;
}

} // namespace Xslt
