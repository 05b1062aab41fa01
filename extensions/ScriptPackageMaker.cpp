#include "extensions/Packages.h"

namespace KeltoExtensions {

Core::XInterface<Xslt::CExtensionPackage> CreateScriptPackage(EcmaScript::CScriptEngine*, Unicode::CEncodingMap*) {
  return nullptr;
}

} // namespace KeltoExtensions
