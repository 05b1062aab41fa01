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
#include "app/ParseErrorReporter.h"
#include "app/StandardError.h"
#include "core/EncodingMap.h"
#include "core/Uri.h"
#include "extensions/Packages.h"
#include "script/builtins/ScriptEngine.h"
#include "xslt/processor/extensions/ExtensionHandler.h"
#include "xslt/processor/services/BasicXsltImplementation.h"
#include "xslt/processor/services/Processor.h"

namespace {

// The file name as a URL; false after printing the message of its role.
bool ToUrl(const Kelto::CFileName& file, const char16_t* role, Core::String& url) {
  if (file.isUtf8 && Uri::FileNameToUrl(file.name, url)) return true;
  Kelto::WriteStandardError(Core::String(u"Invalid ") + role + u" file name: " + file.name + u"\n");
  return false;
}

// Builds the long-lived services, registers the packages and runs one
// transformation. The engine is handed out so that main shuts it down
// whatever happens here.
void Transform(const Core::String& document, const Core::String& stylesheet, const Core::String& output,
               const Xslt::CExternalParamList& parameters, Core::XInterface<EcmaScript::CScriptEngine>& engine) {
  Core::XInterface<Unicode::CEncodingMap> encodings(new Unicode::CEncodingMap());
  Core::XInterface<Kelto::CParseErrorReporter> reporter(new Kelto::CParseErrorReporter(100));
  engine = new EcmaScript::CScriptEngine();
  engine->SetErrorHandler(reporter.Get());
  Core::XInterface<Xslt::CBasicXsltImplementation> implementation(new Xslt::CBasicXsltImplementation());
  Core::XInterface<Kelto::CStderrStream> stream(new Kelto::CStderrStream());
  implementation->SetMessageStream(stream.Get());
  implementation->SetErrorStream(stream.Get());
  Core::XInterface<Xslt::CExtensionHandler> extensions(implementation->GetExtensionHandler());
  // The order fixes the order in which the packages' run contexts start
  // and finish, and which package wins a namespace that two claim.
  Core::XInterface<Xslt::CExtensionPackage> reports = KeltoExtensions::CreateReportsPackage();
  if (reports) extensions->AddPackage(reports.Get());
  Core::XInterface<Xslt::CExtensionPackage> script =
      KeltoExtensions::CreateScriptPackage(engine.Get(), encodings.Get());
  if (script) extensions->AddPackage(script.Get());
  Core::XInterface<Xslt::CExtensionPackage> textInput = KeltoExtensions::CreateTextInputPackage();
  if (textInput) extensions->AddPackage(textInput.Get());
  Core::XInterface<Xslt::CProcessor> processor(new Xslt::CProcessor(implementation.Get()));
  processor->SetSourceUri(document);
  processor->SetStylesheetUri(stylesheet);
  processor->SetOutputUri(output);
  processor->SetParameters(parameters);
  processor->Process();
  // Released in reverse order of creation on leaving, also after a failure.
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
  Core::XInterface<EcmaScript::CScriptEngine> engine;
  int status = 1;
  try {
    Transform(document, stylesheet, output, parsed.parameters, engine);
    status = 0;
  } catch (const Core::IException& failure) {
    Kelto::WriteStandardError(failure.GetMessage() + u"\n");
  } catch (const std::exception& failure) {
    // Not the system's own: out of memory, a length error of the library.
    Kelto::WriteStandardError(std::string(failure.what()) + "\n");
  }
  if (status != 0) Kelto::WriteStandardError(std::string_view("Processing terminated.\n"));
  // Breaks the cycles between the engine and its objects.
  if (engine) engine->Shutdown();
  return status;
}
