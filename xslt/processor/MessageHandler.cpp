#include "xslt/processor/MessageHandler.h"

namespace Xslt {

CBasicMessageHandler::CBasicMessageHandler(Core::IUnicodeStream* messageStream) : m_messageStream(messageStream) {}

CBasicMessageHandler::~CBasicMessageHandler() = default;

void CBasicMessageHandler::Characters(const char16_t* units, int32_t count, bool) {
  if (m_messageStream && count > 0) m_messageStream->Write(units, count);
}

} // namespace Xslt
