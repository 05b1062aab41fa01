// Fuzz target: the script scanner and the script number texts. The first
// byte picks the mode.
//   Even: the rest is script text (bytes below 0xF0 are units of their own
//   value, U+0000 included; 0xF0 to 0xFF take two more bytes as one unit),
//   scanned twice with different block sizes. Both scans must give the same
//   tokens, errors and lines; every call consumes input, so the token count
//   is bounded; numeric literals write text that reads back to them.
//   Odd: eight bytes as a double whose text must read back to it, and the
//   rest as text read by ToNumber's rules.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzText.h"
#include "script/engine/Scanner.h"
#include "script/engine/ScannerException.h"
#include "script/engine/ScriptNumber.h"

namespace {

using Core::String;
using EcmaScript::CScriptNumber;
using namespace EcmaScriptPrivate;

class CChunkStream : public Core::IUnicodeStream {
public:
  CChunkStream(const String& text, int32_t chunk) : m_text(text), m_chunk(chunk) {}
  int32_t Read(char16_t* buffer, int32_t count) override {
    size_t n = m_text.size() - m_pos;
    if (n > static_cast<size_t>(count)) n = static_cast<size_t>(count);
    if (n > static_cast<size_t>(m_chunk)) n = static_cast<size_t>(m_chunk);
    std::memcpy(buffer, m_text.data() + m_pos, n * sizeof(char16_t));
    m_pos += n;
    return static_cast<int32_t>(n);
  }
  int32_t Write(const char16_t*, int32_t) override { return 0; }
  int32_t Seek(int32_t, int32_t) override { return -1; }
  int32_t Tell() override { return static_cast<int32_t>(m_pos); }

private:
  const String& m_text;
  int32_t m_chunk;
  size_t m_pos = 0;
};

// Answers false at the limit, so the fatal error is reached too.
class CHandler : public EcmaScript::IParseErrorHandler {
public:
  explicit CHandler(size_t limit) : m_limit(limit) {}
  bool Report(int32_t line, const String& message) override {
    log += std::to_string(line) + Core::ToUtf8(message) + "\n";
    return ++m_count < m_limit;
  }
  std::string log;

private:
  size_t m_count = 0;
  size_t m_limit;
};

// Integer or double form is an internal choice: only the value counts (a
// zero keeps its sign).
bool SameNumber(CScriptNumber a, CScriptNumber b) {
  return std::bit_cast<uint64_t>(a.ToDouble()) == std::bit_cast<uint64_t>(b.ToDouble()) ||
         (a.IsNaN() && b.IsNaN());
}

// The number written as text reads back to the same value.
void CheckNumberText(CScriptNumber n) {
  String text = n.ToString();
  CScriptNumber back;
  bool read = EcmaScript::StringToNumber(text, back);
  // "NaN" is no number text: ToNumber gives NaN for it by failing.
  KELTO_FUZZ_CHECK(read != n.IsNaN());
  if (n.IsNaN()) {
    KELTO_FUZZ_CHECK(text == u"NaN");
  } else if (n.ToDouble() == 0) {
    KELTO_FUZZ_CHECK(text == u"0");
  } else {
    KELTO_FUZZ_CHECK(back.ToDouble() == n.ToDouble());
  }
}

std::string Scan(const String& source, int32_t chunk, size_t errorLimit) {
  CScanner scanner;
  Core::XInterface<CHandler> handler(new CHandler(errorLimit));
  scanner.SetErrorHandler(handler.Get());
  scanner.SetInput(new CChunkStream(source, chunk));
  std::string trace;
  CToken token;
  for (size_t calls = 0;; ++calls) {
    KELTO_FUZZ_CHECK(calls <= source.size() + 1);
    try {
      scanner.NextToken(token);
    } catch (const CScannerException& e) {
      KELTO_FUZZ_CHECK(e.IsFatal());
      trace += "fatal\n";
      break;
    }
    trace += std::to_string(token.kind) + (token.newlineBefore ? "|" : " ");
    if (token.kind == TokenIdentifier) {
      trace += Core::ToUtf8(token.name.GetText());
      KELTO_FUZZ_CHECK(token.name.GetCachedHash() == EcmaScript::HashText(token.name.GetText()));
    } else if (token.kind == TokenString) {
      trace += Core::ToUtf8(token.text);
    } else if (token.kind == TokenNumber) {
      trace += Core::ToUtf8(token.number.ToString());
      CheckNumberText(token.number);
    }
    trace += "\n";
    if (token.kind == TokenEnd) break;
  }
  KELTO_FUZZ_CHECK(scanner.GetLine() >= 1);
  return trace + "line " + std::to_string(scanner.GetLine()) + "\n" + handler->log;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fuzz::CByteReader reader(data, size);
  uint8_t mode = reader.Byte();
  if (mode % 2 == 0) {
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
    size_t limit = mode < 128 ? 1000 : 1 + mode % 8;
    std::string whole = Scan(source, 1024, limit);
    std::string pieces = Scan(source, 1 + mode % 13, limit);
    KELTO_FUZZ_CHECK(whole == pieces);
    return 0;
  }
  uint64_t bits = 0;
  for (int k = 0; k < 8; ++k) bits = bits << 8 | reader.Byte();
  CheckNumberText(CScriptNumber(std::bit_cast<double>(bits)));
  CheckNumberText(CScriptNumber(static_cast<int32_t>(bits)));
  String text = reader.Text();
  CScriptNumber n;
  if (EcmaScript::StringToNumber(text, n)) CheckNumberText(n);
  if (EcmaScript::LiteralToNumber(text, n)) CheckNumberText(n);
  for (int32_t radix = 2; radix <= 36; radix += 17) {
    if (EcmaScript::StringToNumberInRadix(text, radix, n)) CheckNumberText(n);
  }
  // A round trip of an integer through its text keeps its value.
  CScriptNumber first;
  if (EcmaScript::StringToNumber(text, first)) {
    CScriptNumber again;
    KELTO_FUZZ_CHECK(EcmaScript::StringToNumber(first.ToString(), again));
    KELTO_FUZZ_CHECK(!first.IsInteger() || SameNumber(first, again));
  }
  return 0;
}
