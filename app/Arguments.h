#pragma once
// The command line: "kelto [/Pparameter=value ...] document stylesheet
// output". Arguments are UTF-8; parameters may stand anywhere among the
// file names.
#include <string>
#include <vector>

#include "core/String.h"
#include "xslt/processor/context/ExternalParamList.h"

namespace Kelto {

struct CFileName {
  Core::String name;  // as typed; bytes that are not UTF-8 become U+FFFD
  bool isUtf8 = true;
};

struct CArguments {
  CFileName document;
  CFileName stylesheet;
  CFileName output;
  Xslt::CExternalParamList parameters;
};

// Fills the arguments; false after printing why the program stops: "Invalid
// parameter: ..." for a parameter without "=" or that is not UTF-8, the
// usage line for too few or too many file names (at once when a fourth
// comes).
bool ParseArguments(const std::vector<std::string>& arguments, CArguments& out);

// "/P..." is a parameter when no "/" stands between "/P" and the first "="
// (or the end), so that absolute paths such as /Projects/a.xml are file
// names; "-P..." always is.
bool IsParameterArgument(std::string_view argument);

void PrintBanner();
void PrintUsage();

} // namespace Kelto
