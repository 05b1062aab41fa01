// kelto_ext [/Pname=value ...] document stylesheet output
//
// One transformation as kelto runs it, with the test extension package of
// tests/support registered (and a second package claiming its namespace, to
// show that the first registered answers). Reports and messages go to
// standard error; a failure prints its message and "Processing terminated."
// and exits with status 1.
#include <cstdio>
#include <string>

#include "core/String.h"
#include "core/Uri.h"
#include "tests/support/TestExtensionPackage.h"
#include "xpath/Value.h"
#include "xslt/processor/extensions/ExtensionHandler.h"
#include "xslt/processor/services/BasicXsltImplementation.h"
#include "xslt/processor/services/Processor.h"

namespace {

void WriteError(Core::StringView text) {
  std::string utf8 = Core::ToUtf8(text);
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

class CStandardError : public Core::IUnicodeStream {
public:
  int32_t Read(char16_t*, int32_t) override { return 0; }
  int32_t Write(const char16_t* buffer, int32_t count) override {
    if (buffer && count > 0) WriteError(Core::StringView(buffer, size_t(count)));
    return count;
  }
  int32_t Seek(int32_t, int32_t) override { return 0; }
  int32_t Tell() override { return 0; }
};

} // namespace

int main(int argc, char** argv) {
  Xslt::CExternalParamList parameters;
  Core::String files[3];
  int count = 0;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    size_t equals = argument.find('=');
    if ((argument.rfind("/P", 0) == 0 || argument.rfind("-P", 0) == 0) && equals != std::string::npos) {
      parameters.Add(Core::FromUtf8(argument.substr(2, equals - 2)),
                     Core::XInterface<Xpath::CValue>(new Xpath::CStringValue(Core::FromUtf8(argument.substr(equals + 1)))).Get());
    } else if (count < 3 && Uri::FileNameToUrl(Core::FromUtf8(argument), files[count])) {
      ++count;
    } else {
      count = 4;
    }
  }
  if (count != 3) {
    std::fputs("Usage: kelto_ext [/Pname=value ...] document stylesheet output\n", stderr);
    return 1;
  }
  try {
    Core::XInterface<Xslt::CBasicXsltImplementation> implementation(new Xslt::CBasicXsltImplementation());
    Core::XInterface<CStandardError> errors(new CStandardError());
    implementation->SetMessageStream(errors.Get());
    implementation->SetErrorStream(errors.Get());
    implementation->GetExtensionHandler()->AddPackage(Core::XInterface<KeltoTest::CTestPackage>(new KeltoTest::CTestPackage).Get());
    implementation->GetExtensionHandler()->AddPackage(Core::XInterface<KeltoTest::CShadowPackage>(new KeltoTest::CShadowPackage).Get());
    Core::XInterface<Xslt::CProcessor> processor(new Xslt::CProcessor(implementation.Get()));
    processor->SetSourceUri(files[0]);
    processor->SetStylesheetUri(files[1]);
    processor->SetOutputUri(files[2]);
    processor->SetParameters(parameters);
    processor->Process();
    return 0;
  } catch (const Core::IException& failure) {
    WriteError(failure.GetMessage() + u"\n");
  }
  std::fputs("Processing terminated.\n", stderr);
  return 1;
}
