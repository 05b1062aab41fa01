#include "extensions/Packages.h"

namespace KeltoExtensions {

Core::XInterface<Xslt::CExtensionPackage> CreateTextInputPackage() { return nullptr; }

} // namespace KeltoExtensions
