#include "extensions/Packages.h"
#include "extensions/textinput/TextInputPackage.h"

namespace KeltoExtensions {

Core::XInterface<Xslt::CExtensionPackage> CreateTextInputPackage() { return new XsltTextInput::CTextInputPackage(); }

} // namespace KeltoExtensions
