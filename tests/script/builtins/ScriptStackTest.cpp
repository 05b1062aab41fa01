// Endless recursion under small stacks: the depth guard follows the real
// stack limit, so every shape of runaway recursion ends in the script's own
// runtime error, never in a crash, however little stack the process or the
// thread was given.
#include <gtest/gtest.h>

#include <pthread.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/StringStream.h"
#include "script/builtins/ScriptEngine.h"
#include "script/engine/ScriptExceptions.h"
#include "support/RunProgram.h"

namespace {

namespace fs = std::filesystem;

const std::string kTool = std::string(KELTO_TOOLS_DIR) + "/scriptrun";
const char kDepthError[] = "ECMAScript runtime error: Maximum call depth exceeded\n";

std::string Repeat(int count, const std::string& text) {
  std::string all;
  for (int i = 0; i < count; ++i) all += text;
  return all;
}

// Recursions that take the stack in different ways: plain calls; calls
// whose every level sits under statements and expressions nested as deep as
// the parser allows; conversions that call themselves; eval and the
// Function constructor parsing deeply nested texts at every level; a
// built-in that reaches itself.
struct CShape {
  const char* name;
  std::string source;
  // The error that ends it; the parse of a function body may be the step
  // that finds too little stack left, and fail as a syntax error.
  const char* error = kDepthError;
};

std::vector<CShape> Shapes() {
  return {
      {"calls", "function f(n) { return f(n + 1) + 1; }\nf(0);\n"},
      {"nested blocks", "function f(n) { " + Repeat(390, "{ ") + "return f(n + 1); " + Repeat(390, "} ") + "}\nf(0);\n"},
      {"nested expressions", "function f(n) { return " + Repeat(190, "1 + (") + "f(n + 1)" + Repeat(190, ")") +
                                 "; }\nf(0);\n"},
      {"conversions", "function s() { return '' + this; }\nvar o = new Object();\no.toString = s;\n"
                      "o.valueOf = s;\n'' + o;\n"},
      {"eval", "var x;\nfunction f(n) { return eval(\"" + Repeat(390, "{") + "x = f(n + 1);" + Repeat(390, "}") +
                   "\"); }\nf(0);\n"},
      {"built-in", "var a = new Array();\na[0] = a;\na.join();\n"},
      {"Function constructor",
       "function f(n) { var g = new Function('n', 'return " + Repeat(390, "(") + "f(n + 1)" + Repeat(390, ")") +
           ";'); return g(n); }\nf(0);\n",
       "ECMAScript runtime error: "},
  };
}

class ScriptStack : public testing::Test {
protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("kelto-script-stack-" + std::to_string(getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  fs::path folder;
};

TEST_F(ScriptStack, EndlessRecursionEndsInTheScriptsError) {
  for (const CShape& shape : Shapes()) {
    std::ofstream((folder / "case.js").string()) << "print('start');\n" << shape.source;
    // 0 keeps the usual limit.
    for (size_t kilobytes : {0, 4096, 2048, 1024}) {
      SCOPED_TRACE(std::string(shape.name) + ", stack " + std::to_string(kilobytes) + " KB");
      TestSupport::CRunOptions options;
      options.directory = folder.string();
      options.stackLimit = kilobytes * 1024;
      TestSupport::CProgramRun run = TestSupport::RunProgram(kTool, {"case.js"}, options);
      EXPECT_EQ(run.status, 1);
      EXPECT_EQ(run.out, "start\n");
      EXPECT_EQ(run.err.substr(0, std::strlen(shape.error)), shape.error) << run.err.substr(0, 500);
    }
  }
}

struct CThreadRun {
  std::string source;
  std::u16string message;
};

void* RunScript(void* data) {
  auto* run = static_cast<CThreadRun*>(data);
  Core::XInterface<EcmaScript::CScriptEngine> engine(new EcmaScript::CScriptEngine);
  try {
    Core::XInterface<Core::CStringStream> stream(new Core::CStringStream(Core::FromUtf8(run->source)));
    engine->Execute(stream.Get());
  } catch (const Core::IException& failure) {
    run->message = failure.GetMessage();
  }
  engine->Shutdown();
  return nullptr;
}

// A thread's own small stack counts, not the process's limit.
TEST(ScriptStackThread, RecursionInAThreadWithASmallStack) {
  for (const CShape& shape : Shapes()) {
    SCOPED_TRACE(shape.name);
    pthread_attr_t attributes;
    ASSERT_EQ(pthread_attr_init(&attributes), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, 1024 * 1024), 0);
    CThreadRun run{shape.source, u""};
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attributes, RunScript, &run), 0);
    ASSERT_EQ(pthread_join(thread, nullptr), 0);
    pthread_attr_destroy(&attributes);
    std::string message = Core::ToUtf8(run.message) + "\n";
    EXPECT_EQ(message.substr(0, std::strlen(shape.error)), shape.error) << message;
  }
}

} // namespace
