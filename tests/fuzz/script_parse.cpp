// Fuzz target: the script parser with its scanner. The first byte picks the
// entry point and the error limit; the rest is script text (bytes below 0xF0
// are units of their own value, 0xF0 to 0xFF take two more bytes as one
// unit). Every input parses to the end and prints; a program that parsed
// without errors prints a text that parses without errors, as the same kind
// of code (eval code may be empty, a program may not), to a program printing
// the same text again, unless it prints an integer literal right before a
// member access.
#include <cstdint>
#include <string>

#include "FuzzText.h"
#include "core/StringStream.h"
#include "script/engine/Program.h"
#include "script/engine/ScriptParser.h"

namespace {

using Core::String;
using namespace EcmaScriptPrivate;

class CHandler : public EcmaScript::IParseErrorHandler {
public:
  explicit CHandler(int32_t limit) : m_limit(limit) {}
  bool Report(int32_t line, const String& message) override {
    KELTO_FUZZ_CHECK(!message.empty());
    KELTO_FUZZ_CHECK(line >= 1);
    KELTO_FUZZ_CHECK(++m_count <= m_limit);
    return m_count < m_limit;
  }

private:
  int32_t m_limit;
  int32_t m_count = 0;
};

String PrintProgram(const EcmaScript::CProgram& program) {
  String text;
  for (const auto& element : program.GetElements()) {
    if (!text.empty()) text += u' ';
    if (CStatement* statement = element->GetStatement()) statement->PrintTo(text);
    else text += element->GetFunction()->GetSourceText();
  }
  return text;
}

// Parses the text as a program; false when there were syntax errors.
bool ParseProgram(const String& source, int32_t limit, bool eval, String& printed) {
  CScriptParser parser;
  if (eval) {
    parser.SetEvalCode();
  } else {
    parser.SetErrorHandler(Core::XInterface<CHandler>(new CHandler(limit)).Get());
    parser.SetFirstLine(1);
  }
  Core::XInterface<Core::CStringStream> stream(new Core::CStringStream(source));
  EcmaScript::XProgram program = parser.ParseProgram(stream.Get());
  KELTO_FUZZ_CHECK(program);
  printed = PrintProgram(*program);
  return !parser.HadErrors();
}

// An integer literal as the base of a member access ("3 .f") prints as its
// digits and a dot ("3.f"), which reads back as a number: that printed form
// need not parse again, nor as the same tree.
bool HasIntegerBeforeMember(const String& printed) {
  auto identifierStart = [](char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u'$' || c >= 0x80;
  };
  for (size_t i = 0; i + 2 < printed.size(); ++i) {
    if (printed[i] >= u'0' && printed[i] <= u'9' && printed[i + 1] == u'.' && identifierStart(printed[i + 2])) {
      return true;
    }
  }
  return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz::CByteReader reader(data, size);
  uint8_t mode = reader.Byte();
  String source;
  while (!reader.AtEnd()) {
    uint8_t b = reader.Byte();
    if (b < 0xF0) {
      source += static_cast<char16_t>(b);
    } else {
      uint8_t hi = reader.Byte(), lo = reader.Byte();
      source += static_cast<char16_t>(hi << 8 | lo);
    }
  }
  if (mode % 4 == 3) {
    // The two parses of the Function constructor.
    size_t split = source.find(u'|');
    String parameters = source.substr(0, split);
    String body = split == String::npos ? String() : source.substr(split + 1);
    Core::XInterface<EcmaScript::CFunctionDefinition> definition(
        new EcmaScript::CFunctionDefinition(EcmaScript::CPropertyName(u"anonymous")));
    CScriptParser parser;
    parser.ParseFormalParameters(parameters, definition.Get());
    if (!parser.HadErrors()) {
      parser.ParseFunctionBody(body, definition.Get());
      KELTO_FUZZ_CHECK(!definition->GetSourceText().empty());
    }
    return 0;
  }
  int32_t limit = mode < 128 ? 1000 : 1 + mode % 8;
  bool eval = mode % 4 == 1;
  String printed;
  if (!ParseProgram(source, limit, eval, printed)) return 0;
  if (HasIntegerBeforeMember(printed)) return 0;
  String again;
  KELTO_FUZZ_CHECK(ParseProgram(printed, 1000, eval, again));
  KELTO_FUZZ_CHECK(again == printed);
  return 0;
}
