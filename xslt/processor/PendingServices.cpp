#include "xslt/processor/PendingServices.h"

// Until their classes exist these services are not available: each maker
// leaves its slot empty and the getter answers null. Each definition moves
// next to its class when the class is written.

namespace XsltPrivate {

void MakeSortedArrayFactory(CServiceSlot<Xslt::CSortedArrayFactory>&) {}

} // namespace XsltPrivate
