#include "extensions/Packages.h"

namespace KeltoExtensions {

Core::XInterface<Xslt::CExtensionPackage> CreateReportsPackage() { return nullptr; }

} // namespace KeltoExtensions
