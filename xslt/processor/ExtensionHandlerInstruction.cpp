#include "xslt/processor/PrivateExtensionHandler.h"
#include "xslt/processor/XsltException.h"

namespace XsltPrivate {

// The package is that of the namespace of the element being compiled, which
// the compiler's extension static context gives. Until that context exists,
// no extension element can be compiled.
Core::XInterface<Xslt::CExtensionElement> CPrivateExtensionHandler::CreateInstruction(
    Xslt::CExtensionStaticContext*) {
  throw Xslt::CXsltException(Xslt::CXsltException::ExtensionStaticError);
}

} // namespace XsltPrivate
