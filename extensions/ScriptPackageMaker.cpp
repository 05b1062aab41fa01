#include "extensions/Packages.h"
#include "extensions/script/EcmaScriptPackage.h"

namespace KeltoExtensions {

Core::XInterface<Xslt::CExtensionPackage> CreateScriptPackage(EcmaScript::CScriptEngine* engine,
                                                              Unicode::CEncodingMap* encodings) {
  return new XsltEcmaScript::CEcmaScriptPackage(engine, encodings);
}

} // namespace KeltoExtensions
