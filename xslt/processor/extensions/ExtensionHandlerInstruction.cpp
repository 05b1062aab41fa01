#include "xml/tree/Dom.h"
#include "xslt/compiler/ExtensionStaticContext.h"
#include "xslt/processor/extensions/PrivateExtensionHandler.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

// The package is that of the namespace of the element being compiled. The
// compiler asks only after IsElementAvailable said yes.
Core::XInterface<Xslt::CExtensionElement> CPrivateExtensionHandler::CreateInstruction(
    Xslt::CExtensionStaticContext* staticContext) {
  Dom::XNode element = staticContext->GetNode();
  Xslt::CExtensionPackage* package = FindPackage(element->NamespaceUriView());
  if (!package) throw Xslt::CXsltException(Xslt::CXsltException::ExtensionStaticError);
  return package->CreateInstruction(staticContext);
}

} // namespace XsltPrivate
