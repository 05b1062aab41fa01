#include "extensions/Packages.h"
#include "extensions/reports/ReportsPackage.h"

namespace KeltoExtensions {

Core::XInterface<Xslt::CExtensionPackage> CreateReportsPackage() { return new XsltReports::CReportsPackage; }

} // namespace KeltoExtensions
