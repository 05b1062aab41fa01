#include "xslt/compiler/RunTimeStub.h"
#include "xslt/compiler/instructions/Sort.h"

namespace XsltPrivate {

Core::String CSort::EvaluateKey(CContext&) const { ThrowNotRunnable(u"xsl:sort"); }

Core::XInterface<Xpath::CIterator> SortNodes(const CSortList& sorts, CContext&,
                                             const Core::XInterface<Xpath::CIterator>& iterator) {
  if (sorts.GetSize() == 0) return iterator;
  ThrowNotRunnable(u"xsl:sort");
}

} // namespace XsltPrivate
