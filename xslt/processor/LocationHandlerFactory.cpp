#include "xslt/processor/LocationHandlerFactory.h"

#include "xslt/processor/BasicLocationHandler.h"

namespace Xslt {

Core::XInterface<CLocationHandler> CBasicLocationHandlerFactory::CreateLocationHandler() {
  return Core::XInterface<CLocationHandler>(new XsltPrivate::CBasicLocationHandler());
}

} // namespace Xslt
