// kelto [/Pparameter=value ...] document stylesheet output
//
// Prints the banner, reads the command line, turns the three file names
// into URLs and runs one transformation. Exit status 0 after a completed
// run, 1 after any failure (usage, an invalid parameter or file name, a
// stylesheet or document that cannot be read, a fatal XSLT error, a
// terminating message, a failed write).
#include <exception>
#include <string>
#include <vector>

#include "app/Arguments.h"
#include "app/StandardError.h"
#include "core/Uri.h"
#include "xslt/processor/BasicXsltImplementation.h"
#include "xslt/processor/ExtensionHandler.h"
#include "xslt/processor/Processor.h"

namespace {

// The file name as a URL; false after printing the message of its role.
bool ToUrl(const Kelto::CFileName& file, const char16_t* role, Core::String& url) {
  if (file.isUtf8 && Uri::FileNameToUrl(file.name, url)) return true;
  Kelto::WriteStandardError(Core::String(u"Invalid ") + role + u" file name: " + file.name + u"\n");
  return false;
}

void Transform(const Core::String& document, const Core::String& stylesheet, const Core::String& output,
               const Xslt::CExternalParamList& parameters) {
  Core::XInterface<Xslt::CBasicXsltImplementation> implementation(new Xslt::CBasicXsltImplementation());
  Core::XInterface<Kelto::CStderrStream> stream(new Kelto::CStderrStream());
  implementation->SetMessageStream(stream.Get());
  implementation->SetErrorStream(stream.Get());
  // The extension packages are registered here, in the order report,
  // script, text input, as they become available.
  Core::XInterface<Xslt::CExtensionHandler> extensions(implementation->GetExtensionHandler());
  Core::XInterface<Xslt::CProcessor> processor(new Xslt::CProcessor(implementation.Get()));
  processor->SetSourceUri(document);
  processor->SetStylesheetUri(stylesheet);
  processor->SetOutputUri(output);
  processor->SetParameters(parameters);
  processor->Process();
}

} // namespace

int main(int argc, char** argv) {
  Kelto::PrintBanner();
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
  Kelto::CArguments parsed;
  if (!Kelto::ParseArguments(arguments, parsed)) return 1;
  Core::String document, stylesheet, output;
  if (!ToUrl(parsed.document, u"document", document) || !ToUrl(parsed.stylesheet, u"stylesheet", stylesheet) ||
      !ToUrl(parsed.output, u"output", output))
    return 1;
  try {
    Transform(document, stylesheet, output, parsed.parameters);
    return 0;
  } catch (const Core::IException& failure) {
    Kelto::WriteStandardError(failure.GetMessage() + u"\n");
  } catch (const std::exception& failure) {
    // Not the system's own: out of memory, a length error of the library.
    Kelto::WriteStandardError(std::string(failure.what()) + "\n");
  }
  Kelto::WriteStandardError(std::string_view("Processing terminated.\n"));
  return 1;
}
