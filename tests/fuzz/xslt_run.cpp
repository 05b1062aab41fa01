// Fuzz target: a stylesheet, compiled and run over a small fixed document as
// the kelto program runs it (the three extension packages registered, a
// fresh script engine per run), its result serialised into memory. A crash,
// a hang or a broken invariant is a finding; an XSLT, script or parse error
// is not.
//
// Everything the run reads comes from a scratch folder: the stylesheet is
// written there, so relative references (imports, document(), script
// imports, text input) resolve inside it, and the folder holds the files
// the end-to-end cases read beside their stylesheets. While a run is on,
// opening a file for reading outside the folder fails as a missing file
// would: the target is linked with open and fopen wrapped (see
// CMakeLists.txt). Writing is left alone: the run writes no file (its
// result goes to memory), and the fuzzer writes its findings while a run is
// on, from a timeout or a crash.
//
// A run that would never end because the stylesheet asks for it (a script
// while whose method keeps returning true, a script loop whose condition
// never turns false, a recursion that doubles its work at every level, a
// pattern that backtracks without end) fails with an ordinary error: each
// run gets a work budget (core/WorkBudget.h, compiled in for the fuzz build
// only) that script loop iterations and calls, template instantiations,
// instructions, node-list iterations and matcher steps spend from. It is
// large enough for any stylesheet that ends and small enough that a run
// ends well within the fuzzer's timeout. Loops of the engine that the
// stylesheet did not ask for spend nothing, so a hang of the engine still
// ends in a timeout.
#include <fcntl.h>
#include <stdarg.h>
#include <sys/types.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzText.h"
#include "core/Interface.h"
#include "core/Stream.h"
#include "core/String.h"
#include "core/StringStream.h"
#include "core/Uri.h"
#include "core/WorkBudget.h"
#include "extensions/Packages.h"
#include "script/builtins/ScriptEngine.h"
#include "xml/writer/OutputHandler.h"
#include "xslt/processor/extensions/ExtensionHandler.h"
#include "xslt/processor/output/BasicOutputHandler.h"
#include "xslt/processor/services/BasicXsltImplementation.h"
#include "xslt/processor/services/Processor.h"

namespace {

namespace fs = std::filesystem;

constexpr char kDocument[] =
    "<?xml version='1.0'?>\n"
    "<!DOCTYPE doc [<!ATTLIST item id ID #IMPLIED><!NOTATION gif SYSTEM 'viewer'>"
    "<!ENTITY pic SYSTEM 'pic.gif' NDATA gif>]>\n"
    "<?top t?><doc xmlns:p='urn:p' xml:lang='en-GB' n='3'>\n"
    "  <item id='a1' x='1' y='2.5' name='b'><b>t1</b><c/><b><d>-3</d></b></item>\n"
    "  <!--note--><item id='a2' name='a'><b> t2 </b><?pi data?></item>\n"
    "  <p:e xmlns='urn:d'><f p:z='3'/>x<![CDATA[<y>]]></p:e>\n"
    "  <ref>other.xml</ref><row><cell>1</cell><cell>2</cell></row><row><cell>10</cell></row>\n"
    "</doc>\n";

// Files of the end-to-end cases that are none of the case's own files.
bool IsCaseFile(const std::string& name) {
  static const char* const kNames[] = {"style.xsl", "expected", "stderr", "status",
                                       "program",   "args",     "params", "no-output"};
  return std::any_of(std::begin(kNames), std::end(kNames), [&](const char* n) { return name == n; });
}

std::string g_folder;        // the scratch folder, no trailing slash
std::string g_stylePath;     // where each input is written
Core::String g_styleUrl, g_documentUrl;
bool g_confined = false;     // true while a run is on

// A path the run may open for reading: inside the folder, with no step up.
bool Allowed(const char* path, bool write) {
  if (!g_confined || write) return true;
  std::string_view p(path ? path : "");
  if (p.size() <= g_folder.size() || p.compare(0, g_folder.size(), g_folder) != 0 || p[g_folder.size()] != '/')
    return false;
  for (size_t at = g_folder.size(); at != std::string_view::npos; at = p.find('/', at + 1)) {
    std::string_view step = p.substr(at + 1, p.find('/', at + 1) - at - 1);
    if (step == "..") return false;
  }
  return true;
}

void Populate() {
  std::error_code ignored;
  fs::path cases = fs::path(KELTO_SOURCE_DIR) / "tests" / "e2e";
  std::vector<fs::path> folders;
  for (const fs::directory_entry& entry : fs::directory_iterator(cases, ignored))
    if (entry.is_directory()) folders.push_back(entry.path());
  std::sort(folders.begin(), folders.end());
  // The first case (by name) that has a file of some name gives it.
  for (const fs::path& folder : folders) {
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ignored)) {
      std::string name = entry.path().filename().string();
      if (IsCaseFile(name) || name == "input.xml") continue;
      fs::path target = fs::path(g_folder) / name;
      if (fs::exists(target)) continue;
      fs::copy(entry.path(), target, fs::copy_options::recursive, ignored);
    }
  }
  std::FILE* file = std::fopen((g_folder + "/input.xml").c_str(), "wb");
  KELTO_FUZZ_CHECK(file);
  KELTO_FUZZ_CHECK(std::fwrite(kDocument, 1, sizeof(kDocument) - 1, file) == sizeof(kDocument) - 1);
  std::fclose(file);
}

// Messages, error reports and script syntax errors go nowhere.
class CNullText : public Core::IUnicodeStream {
public:
  int32_t Read(char16_t*, int32_t) override { return 0; }
  int32_t Write(const char16_t*, int32_t count) override { return count; }
  int32_t Seek(int32_t, int32_t) override { return 0; }
  int32_t Tell() override { return 0; }
};

class CQuietReporter : public EcmaScript::IParseErrorHandler {
public:
  bool Report(int32_t, const Core::String& message) override {
    KELTO_FUZZ_CHECK(message.size() < (1u << 20));
    return ++m_count < 100;
  }

private:
  int32_t m_count = 0;
};

// The serialised result: its size is counted, the bytes dropped.
class CCountingStream : public Core::IStream {
public:
  int32_t Read(uint8_t*, int32_t) override { return 0; }
  int32_t Write(const uint8_t* buffer, int32_t count) override {
    KELTO_FUZZ_CHECK(count >= 0 && (count == 0 || buffer));
    m_size += count;
    return count;
  }
  int32_t Seek(int32_t, int32_t) override { return -1; }
  int32_t Tell() override { return static_cast<int32_t>(m_size); }

private:
  int64_t m_size = 0;
};

// Steps of one run; see the top of the file.
constexpr int64_t kWorkBudget = 1'000'000;

// Code the fuzzer could hand to the script engine as text and that never
// ends is a long computation, not a fault: the run's engine has no eval
// and no Function constructor.
constexpr char16_t kPrelude[] = u"eval = void 0; Function.prototype.constructor = void 0; Function = void 0;";

void Run() {
  Core::XInterface<Unicode::CEncodingMap> encodings(new Unicode::CEncodingMap());
  Core::XInterface<EcmaScript::CScriptEngine> engine(new EcmaScript::CScriptEngine());
  engine->SetErrorHandler(Core::XInterface<CQuietReporter>(new CQuietReporter()).Get());
  try {
    engine->Execute(Core::XInterface<Core::CStringStream>(new Core::CStringStream(kPrelude)).Get());
  } catch (const Core::IException&) {
    abort();  // a fixed program in a fresh engine
  }
  try {
    Core::XInterface<Xslt::CBasicXsltImplementation> implementation(new Xslt::CBasicXsltImplementation());
    Core::XInterface<CNullText> text(new CNullText());
    implementation->SetMessageStream(text.Get());
    implementation->SetErrorStream(text.Get());
    Xslt::CExtensionHandler* extensions = implementation->GetExtensionHandler();
    // The kelto program's order.
    extensions->AddPackage(KeltoExtensions::CreateReportsPackage().Get());
    extensions->AddPackage(KeltoExtensions::CreateScriptPackage(engine.Get(), encodings.Get()).Get());
    extensions->AddPackage(KeltoExtensions::CreateTextInputPackage().Get());
    Core::XInterface<CCountingStream> sink(new CCountingStream());
    Core::XInterface<Xslt::COutputHandler> output = implementation->GetOutputHandlerFactory()->CreateOutputHandler();
    output->SetOutputStream(sink.Get());
    output->SetEncodingHandler(implementation->GetEncodingHandler());
    Core::XInterface<Xslt::CProcessor> processor(new Xslt::CProcessor(implementation.Get()));
    processor->SetSourceUri(g_documentUrl);
    processor->SetStylesheetUri(g_styleUrl);
    processor->SetResultOutputHandler(output.Get());
    processor->Process();
  } catch (const Core::IException& failure) {
    KELTO_FUZZ_CHECK(!failure.GetMessage().empty());
  }
  engine->Shutdown();
}

} // namespace

extern "C" {

int __real_open(const char* path, int flags, ...);
std::FILE* __real_fopen(const char* path, const char* mode);

int __wrap_open(const char* path, int flags, ...) {
  mode_t mode = 0;
  if ((flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE) {
    va_list rest;
    va_start(rest, flags);
    mode = static_cast<mode_t>(va_arg(rest, int));
    va_end(rest);
  }
  if (!Allowed(path, (flags & O_ACCMODE) != O_RDONLY || (flags & O_CREAT))) {
    errno = EACCES;
    return -1;
  }
  return __real_open(path, flags, mode);
}

std::FILE* __wrap_fopen(const char* path, const char* mode) {
  if (!Allowed(path, mode && (mode[0] != 'r' || std::strchr(mode, '+')))) {
    errno = EACCES;
    return nullptr;
  }
  return __real_fopen(path, mode);
}

int LLVMFuzzerInitialize(int*, char***) {
  g_folder = Fuzz::MakeScratchFolder("/tmp/kelto-fuzz-xslt-XXXXXX");
  Populate();
  g_stylePath = g_folder + "/style.xsl";
  KELTO_FUZZ_CHECK(Uri::FileNameToUrl(Core::FromUtf8(g_stylePath), g_styleUrl));
  KELTO_FUZZ_CHECK(Uri::FileNameToUrl(Core::FromUtf8(g_folder + "/input.xml"), g_documentUrl));
  return 0;
}

int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(g_stylePath.c_str(), "wb");
  KELTO_FUZZ_CHECK(file);
  KELTO_FUZZ_CHECK(std::fwrite(data, 1, size, file) == size);
  std::fclose(file);
  g_confined = true;
  Core::SetWorkBudget(kWorkBudget);
  Run();
  g_confined = false;
  return 0;
}

} // extern "C"
