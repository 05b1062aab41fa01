// scriptrun [--seed N] FILE...
//
// Runs the script files in order in one engine with one global object, so
// that what an earlier file declares a later one sees. Each file is read as
// UTF-8 (a leading byte-order mark skipped, malformed bytes as U+FFFD) and
// run with the file name as given as its program name and 1 as its first
// line. --seed N (0 to 4294967295) seeds Math.random's generator first.
//
// Standard output carries only print(). Syntax errors print the reporter's
// lines ("Parse error at line N: TEXT", at most 100 over the whole run) and
// the parse error's message; an uncaught run-time error prints its message
// with the program, function and line; any other failure one line; each on
// standard error, exit status 1, and no later file runs. A bad command line
// prints the usage and exits with 2; success exits with 0.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "core/StringStream.h"
#include "script/builtins/RandomGenerator.h"
#include "script/builtins/ScriptEngine.h"
#include "script/engine/ScriptExceptions.h"

namespace {

using Core::String;

void WriteError(const String& text) {
  std::string bytes = Core::ToUtf8(text);
  bytes += '\n';
  std::fwrite(bytes.data(), 1, bytes.size(), stderr);
  std::fflush(stderr);
}

class CParseErrorReporter : public EcmaScript::IParseErrorHandler {
public:
  explicit CParseErrorReporter(int32_t limit) : m_limit(limit) {}
  bool Report(int32_t line, const String& message) override {
    WriteError(u"Parse error at line " + Core::FromUtf8(std::to_string(line)) + u": " + message);
    return ++m_count < m_limit;
  }

private:
  int32_t m_limit;
  int32_t m_count = 0;
};

bool ReadSource(const char* path, String& source) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return false;
  std::string bytes;
  char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return false;
  std::string_view view(bytes);
  if (view.substr(0, 3) == "\xEF\xBB\xBF") view.remove_prefix(3);
  Core::Utf8ToString(view, source);
  return true;
}

int Run(EcmaScript::CScriptEngine& engine, const std::vector<const char*>& files) {
  for (const char* path : files) {
    String name = Core::FromUtf8(path);
    String source;
    if (!ReadSource(path, source)) {
      WriteError(u"Cannot read file '" + name + u"'");
      return 1;
    }
    try {
      Core::XInterface<Core::CStringStream> stream(new Core::CStringStream(source));
      source.clear();
      engine.SetProgramName(name);
      engine.SetFirstLine(1);
      engine.Execute(stream.Get());
    } catch (const EcmaScript::CEcmaScriptException& failure) {
      WriteError(failure.Describe());
      return 1;
    } catch (const Core::IException& failure) {
      WriteError(failure.GetMessage());
      return 1;
    } catch (const std::bad_alloc&) {
      WriteError(u"Out of memory");
      return 1;
    } catch (const std::exception& failure) {
      WriteError(Core::FromUtf8(failure.what()));
      return 1;
    }
  }
  return 0;
}

int Usage() {
  WriteError(u"usage: scriptrun [--seed N] FILE...");
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  std::vector<const char*> files;
  bool seeded = false;
  unsigned long seed = 0;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (options && argument == "--") {
      options = false;
    } else if (options && argument == "--seed") {
      if (++i >= argc) return Usage();
      const char* text = argv[i];
      char* end = nullptr;
      errno = 0;
      seed = std::strtoul(text, &end, 10);
      if (!*text || *end || errno || text[0] == '-' || text[0] == '+' || seed > 0xFFFFFFFFul) return Usage();
      seeded = true;
    } else if (options && argument.size() > 1 && argument[0] == '-') {
      return Usage();
    } else {
      files.push_back(argv[i]);
    }
  }
  if (files.empty()) return Usage();
  if (seeded) EcmaScript::SeedRandomGenerator(static_cast<uint32_t>(seed));

  int status;
  Core::XInterface<EcmaScript::CScriptEngine> engine;
  try {
    engine = new EcmaScript::CScriptEngine;
    engine->SetErrorHandler(Core::XInterface<CParseErrorReporter>(new CParseErrorReporter(100)).Get());
    status = Run(*engine, files);
  } catch (const std::bad_alloc&) {
    WriteError(u"Out of memory");
    status = 1;
  }
  if (engine) engine->Shutdown();
  return status;
}
