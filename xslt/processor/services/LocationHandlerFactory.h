#pragma once
// Makes location handlers: one per stylesheet loaded and one per run.
#include "core/Interface.h"
#include "xml/xslt/LocationHandler.h"

namespace Xslt {

class CLocationHandlerFactory : public Core::CInterface {
public:
  // A new empty handler.
  virtual Core::XInterface<CLocationHandler> CreateLocationHandler() = 0;
};

class CBasicLocationHandlerFactory : public CLocationHandlerFactory {
public:
  Core::XInterface<CLocationHandler> CreateLocationHandler() override;
};

} // namespace Xslt
