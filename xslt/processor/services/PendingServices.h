#pragma once
// Makers of the services of the basic implementation whose classes belong
// with the run's output and its run-time (XPath implementation of a run,
// sorted arrays, data sets, output handlers). Each maker is defined beside
// the class it makes; the implementation keeps what it makes without seeing
// the class, through a slot holding both the use and the typed pointer.
#include "core/Interface.h"

namespace Xpath {
class CXpathImplementation;
}

namespace Xslt {
class CXsltImplementation;
class CSortedArrayFactory;
class CDataSetFactory;
class CBasicOutputHandlerFactory;
} // namespace Xslt

namespace XsltPrivate {

template <class T>
struct CServiceSlot {
  Core::XInterface<Core::CInterface> use;
  T* service = nullptr;
};

// Over the implementation's node-array factory.
void MakeXpathImplementation(CServiceSlot<Xpath::CXpathImplementation>& slot,
                             Xslt::CXsltImplementation& implementation);
void MakeSortedArrayFactory(CServiceSlot<Xslt::CSortedArrayFactory>& slot);
void MakeDataSetFactory(CServiceSlot<Xslt::CDataSetFactory>& slot);
void MakeOutputHandlerFactory(CServiceSlot<Xslt::CBasicOutputHandlerFactory>& slot);

} // namespace XsltPrivate
