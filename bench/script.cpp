// Times the script workloads of bench/script/*.js in kelto's script engine.
//
//   bench_script [DIR] [RUNS]
//
// Each workload runs RUNS times (3 by default), each time parsed and run
// in a fresh engine with print() going nowhere; the best time in
// milliseconds is reported. bench/script/compare_duk.sh times the same
// files with duk. Nothing asserts on time.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/StringStream.h"
#include "script/builtins/ScriptEngine.h"
#include "script/engine/ScriptExceptions.h"

namespace {

using Clock = std::chrono::steady_clock;

class CNullSink : public EcmaScript::IPrintSink {
public:
  void PrintLine(Core::StringView) override {}
};

// Milliseconds of one run, or a negative number when the script failed.
double RunOnce(const Core::String& source, const std::string& name) {
  Core::XInterface<EcmaScript::CScriptEngine> engine(new EcmaScript::CScriptEngine);
  engine->GetGlobalObject()->SetPrintSink(Core::XInterface<CNullSink>(new CNullSink).Get());
  engine->SetProgramName(Core::FromUtf8(name));
  Clock::time_point start = Clock::now();
  double ms = -1;
  try {
    Core::XInterface<Core::CStringStream> stream(new Core::CStringStream(source));
    engine->Execute(stream.Get());
    ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  } catch (const Core::IException& failure) {
    std::fprintf(stderr, "%s: %s\n", name.c_str(), Core::ToUtf8(failure.GetMessage()).c_str());
  }
  engine->Shutdown();
  return ms;
}

} // namespace

int main(int argc, char** argv) {
  std::filesystem::path dir = argc > 1 ? std::filesystem::path(argv[1])
                                       : std::filesystem::path(__FILE__).parent_path() / "script";
  int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() == ".js") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  if (files.empty()) {
    std::fprintf(stderr, "no workloads in %s\n", dir.string().c_str());
    return 1;
  }
  int status = 0;
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    Core::String source = Core::FromUtf8(bytes.str());
    std::string name = file.filename().string();
    double best = -1;
    for (int i = 0; i < runs; ++i) {
      double ms = RunOnce(source, name);
      if (ms < 0) {
        status = 1;
        break;
      }
      if (best < 0 || ms < best) best = ms;
    }
    if (best >= 0) std::printf("%-24s %10.1f ms\n", name.c_str(), best);
  }
  return status;
}
