#include "xslt/processor/services/LocationHandlerFactory.h"

#include "xslt/processor/services/BasicLocationHandler.h"

namespace Xslt {

Core::XInterface<CLocationHandler> CBasicLocationHandlerFactory::CreateLocationHandler() {
  return Core::XInterface<CLocationHandler>(new XsltPrivate::CBasicLocationHandler());
}

} // namespace Xslt
