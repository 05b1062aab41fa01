#include "extensions/script/ObjectFunctions.h"

#include "extensions/script/ObjectPackage.h"
#include "xpath/ValueConverter.h"

namespace XsltObject {

Core::XInterface<Xpath::CValue> CGetFunction::Evaluate(Xslt::CExtensionContext* context, Xpath::CContext* xpathContext,
                                                       const Xpath::CArgumentList& arguments) {
  CObjectPackageContext& package = FindObjectPackageContext(context, m_namespaceUri);
  if (arguments.size() != 2) throw CXsltObjectException(CXsltObjectException::InvalidArgumentCount, u"get");
  Core::XInterface<CObjectHandle> handle = package.GetObjectHandleFromValue(arguments[0].Get(), xpathContext);
  Core::String name = Xpath::CValueConverter(xpathContext).ToString(*arguments[1]);
  return package.Guarded([&] { return handle->Get(name); });
}

Core::XInterface<Xpath::CValue> CCallFunction::Evaluate(Xslt::CExtensionContext* context,
                                                        Xpath::CContext* xpathContext,
                                                        const Xpath::CArgumentList& arguments) {
  CObjectPackageContext& package = FindObjectPackageContext(context, m_namespaceUri);
  if (arguments.size() < 2) throw CXsltObjectException(CXsltObjectException::InvalidArgumentCount, u"call");
  Core::XInterface<CObjectHandle> handle = package.GetObjectHandleFromValue(arguments[0].Get(), xpathContext);
  Core::String method = Xpath::CValueConverter(xpathContext).ToString(*arguments[1]);
  Xpath::CArgumentList rest(arguments.begin() + 2, arguments.end());
  return package.Guarded([&] { return handle->Call(method, rest); });
}

Core::XInterface<Xpath::CValue> CErrorFunction::Evaluate(Xslt::CExtensionContext* context, Xpath::CContext*,
                                                         const Xpath::CArgumentList& arguments) {
  CObjectPackageContext& package = FindObjectPackageContext(context, m_namespaceUri);
  if (!arguments.empty()) throw CXsltObjectException(CXsltObjectException::InvalidArgumentCount, u"error");
  Core::String message;
  if (!package.GetError(message)) return new Xpath::CStringValue(u"");
  return new Xpath::CStringValue(message.empty() ? Core::String(u"???") : message);
}

} // namespace XsltObject
