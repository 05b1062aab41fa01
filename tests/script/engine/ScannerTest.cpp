#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/StringStream.h"
#include "script/engine/Scanner.h"
#include "script/engine/ScannerException.h"

namespace {

using namespace EcmaScriptPrivate;

// Hands out its text in pieces of a fixed size, so block refills fall
// inside tokens.
class CChunkStream : public Core::IUnicodeStream {
public:
  CChunkStream(Core::StringView text, int32_t chunk) : m_text(text), m_chunk(chunk) {}
  int32_t Read(char16_t* buffer, int32_t count) override {
    size_t n = std::min({static_cast<size_t>(count), static_cast<size_t>(m_chunk), m_text.size() - m_pos});
    std::copy_n(m_text.data() + m_pos, n, buffer);
    m_pos += n;
    return static_cast<int32_t>(n);
  }
  int32_t Write(const char16_t*, int32_t) override { return 0; }
  int32_t Seek(int32_t, int32_t) override { return -1; }
  int32_t Tell() override { return static_cast<int32_t>(m_pos); }

private:
  Core::String m_text;
  int32_t m_chunk;
  size_t m_pos = 0;
};

class CRecordingHandler : public EcmaScript::IParseErrorHandler {
public:
  explicit CRecordingHandler(int limit = 1000) : m_limit(limit) {}
  bool Report(int32_t line, const Core::String& message) override {
    errors.push_back(std::to_string(line) + ": " + Core::ToUtf8(message));
    return static_cast<int>(errors.size()) < m_limit;
  }
  std::vector<std::string> errors;

private:
  int m_limit;
};

const char* const kFixedTexts[] = {
    "break", "continue", "delete", "else", "for", "function", "if", "in", "new", "return", "this", "typeof", "var",
    "void", "while", "with", "reserved", nullptr, "=", ">", "<", "==", "<=", ">=", "!=", ",", "!", "~", "?", ":",
    ".", "&&", "||", "++", "--", "+", "-", "*", "/", "&", "|", "^", "%", "<<", ">>", ">>>", "+=", "-=", "*=", "/=",
    "&=", "|=", "^=", "%=", "<<=", ">>=", ">>>=", "(", ")", "{", "}", "[", "]", ";", "null", "true", "false"};

std::string Describe(const CToken& t) {
  std::string s = t.newlineBefore ? "|" : "";
  switch (t.kind) {
  case TokenIdentifier:
    return s + "id:" + Core::ToUtf8(t.name.GetText());
  case TokenNumber:
    return s + (t.number.IsInteger() ? "i" : "d") + Core::ToUtf8(t.number.ToString());
  case TokenString:
    return s + "'" + Core::ToUtf8(t.text) + "'";
  case TokenEnd:
    return s + "end";
  default:
    return s + kFixedTexts[t.kind];
  }
}

struct CScanResult {
  std::string tokens;
  std::vector<std::string> errors;
  int32_t line;
};

CScanResult Scan(Core::StringView source, int32_t chunk = 1024) {
  CScanner scanner;
  Core::XInterface<CRecordingHandler> handler(new CRecordingHandler);
  scanner.SetErrorHandler(handler.Get());
  scanner.SetInput(new CChunkStream(source, chunk));
  CScanResult result;
  CToken token;
  for (int guard = 0; guard < 10000; ++guard) {
    scanner.NextToken(token);
    if (token.kind == TokenEnd) break;
    if (!result.tokens.empty()) result.tokens += ' ';
    result.tokens += Describe(token);
  }
  EXPECT_EQ(token.kind, TokenEnd);
  result.errors = handler->errors;
  result.line = scanner.GetLine();
  EXPECT_EQ(scanner.HadErrors(), !result.errors.empty());
  return result;
}

TEST(Scanner, Tokens) {
  struct Case {
    const char16_t* source;
    const char* tokens;
  } cases[] = {
      {u"", ""},
      {u" \t\v\f /* c */ // x", ""},
      {u"If NULL goto class null true false", "id:If id:NULL reserved reserved null true false"},
      {u"$a _b1 a$_9", "id:$a id:_b1 id:a$_9"},
      {u">>>>", ">>> >"},
      {u"a+++b", "id:a ++ + id:b"},
      {u">>>= >>= <<= >= <= == != && || &= |= ^= %= *= /= += -= --", ">>>= >>= <<= >= <= == != && || &= |= ^= %= *= /= += -= --"},
      {u"=<>,!~?:.&|^%(){}[];", "= < > , ! ~ ? : . & | ^ % ( ) { } [ ] ;"},
      {u"a/b/=c", "id:a / id:b /= id:c"},
      // Numeric literals.
      {u"08", "i0 i8"},
      {u"017 018", "i15 i1 i8"},
      {u"0x1F 0XaB", "i31 i171"},
      {u"0 0.5 .5 5. 1.5e3 1E-2 0e5", "i0 d0.5 d0.5 d5 d1500 d0.01 d0"},
      {u"1.2.3", "d1.2 d0.3"},
      {u"3in", "i3 in"},
      {u"a.b", "id:a . id:b"},
      {u"123456789 1234567890", "i123456789 d1234567890"},
      {u"0xFFFFFFFF", "d4294967295"},
      // String literals.
      {u"'a\"b' \"c'd\"", "'a\"b' 'c'd'"},
      {u"'\\u00e9'", "'\u00e9'"},
      {u"'\\u00g'", "'u00g'"},
      {u"'\\x41' '\\101' '\\x4' '\\x'", "'A' 'A' 'x4' 'x'"},
      {u"'\\8' '\\q' '\\\\' '\\''", "'8' 'q' '\\' '''"},
      {u"'\\07x' '\\1234'", "'\u0007x' 'S4'"},
      {u"'\\b\\f\\n\\r\\t\\v'", "'\b\f\n\r\t\v'"},
      {u"'\\u004'", "'u004'"},
      {u"'\\x4'+1", "'x4' + i1"},
  };
  for (const auto& c : cases) {
    for (int32_t chunk : {1024, 1, 3}) {
      CScanResult r = Scan(c.source, chunk);
      EXPECT_EQ(r.tokens, c.tokens) << Core::ToUtf8(c.source) << " (chunks of " << chunk << ")";
      EXPECT_TRUE(r.errors.empty()) << Core::ToUtf8(c.source);
    }
  }
}

TEST(Scanner, LinesAndNewlines) {
  struct Case {
    const char16_t* source;
    const char* tokens;
    int32_t line;
  } cases[] = {
      {u"a\r\nb", "id:a |id:b", 2},
      {u"a\r\rb", "id:a |id:b", 3},
      {u"a\n\rb", "id:a |id:b", 3},
      {u"a /* x\n y */ b", "id:a |id:b", 2},
      {u"a /* x */ b", "id:a id:b", 1},
      {u"a // x\nb", "id:a |id:b", 2},
      {u"a /* \r\n */ b", "id:a |id:b", 2},
  };
  for (const auto& c : cases) {
    CScanResult r = Scan(c.source);
    EXPECT_EQ(r.tokens, c.tokens) << Core::ToUtf8(c.source);
    EXPECT_EQ(r.line, c.line) << Core::ToUtf8(c.source);
  }
}

TEST(Scanner, EndOfInputRepeats) {
  CScanner scanner;
  scanner.SetInput(new Core::CStringStream(u"  /* only a comment */  "));
  CToken token;
  for (int i = 0; i < 3; ++i) {
    scanner.NextToken(token);
    EXPECT_EQ(token.kind, TokenEnd);
  }
  EXPECT_FALSE(scanner.HadErrors());
}

TEST(Scanner, LexicalErrorsAreReportedAndSkipped) {
  struct Case {
    const char16_t* source;
    const char* tokens;
    const char* errors;
  } cases[] = {
      {u"a \u00e9 b", "id:a id:b", "1: Illegal character: hex code 00e9"},
      {u"#", "", "1: Illegal character: hex code 0023"},
      {u"a\n@\\`", "id:a",
       "2: Illegal character: hex code 0040|2: Illegal character: hex code 005c|"
       "2: Illegal character: hex code 0060"},
      {u"0x g", "i0 id:g", "1: Invalid hex integer literal: 0x ..."},
      {u"0x", "i0", "1: Invalid hex integer literal: 0x..."},
      {u"1e+ x", "i0 id:x", "1: Invalid decimal literal: 1e+ ..."},
      {u"1ex", "i0 id:x", "1: Invalid decimal literal: 1ex..."},
      {u"'\\400'", "'\u0100'", "1: Invalid escape sequence: \\400..."},
      {u"'abc\nd'", "'abc' |id:d ''", "1: Line terminator in string literal|2: Unexpected end of stream in string literal"},
      {u"'abc", "'abc'", "1: Unexpected end of stream in string literal"},
      {u"'ab\\\ncd'", "'ab' |id:cd ''",
       "1: Line terminator in string literal|2: Unexpected end of stream in string literal"},
      {u"/* a /* b */ c", "id:c", "1: Nested multi-line comments"},
      {u"a /* open\n", "id:a", "2: Unexpected end of stream in multi-line comment"},
  };
  for (const auto& c : cases) {
    CScanResult r = Scan(c.source);
    EXPECT_EQ(r.tokens, c.tokens) << Core::ToUtf8(c.source);
    std::string joined;
    for (auto& e : r.errors) joined += (joined.empty() ? "" : "|") + e;
    EXPECT_EQ(joined, c.errors) << Core::ToUtf8(c.source);
  }
}

// U+0000 is data: illegal outside literals and comments, an ordinary unit
// inside them, and never the end of the script.
TEST(Scanner, NulUnitIsDataNotTheEnd) {
  const char16_t text[] = u"a\0b '\0' '\\0' /*\0*/ c";
  CScanResult r = Scan(Core::StringView(text, sizeof text / sizeof text[0] - 1));
  EXPECT_EQ(r.tokens, std::string("id:a id:b '") + '\0' + "' '" + '\0' + "' id:c");
  ASSERT_EQ(r.errors.size(), 1u);
  EXPECT_EQ(r.errors[0], "1: Illegal character: hex code 0000");
}

TEST(Scanner, HandlerThatStopsMakesTheErrorFatal) {
  CScanner scanner;
  Core::XInterface<CRecordingHandler> handler(new CRecordingHandler(1));
  scanner.SetErrorHandler(handler.Get());
  scanner.SetInput(new Core::CStringStream(u"a # b"));
  CToken token;
  scanner.NextToken(token);
  EXPECT_EQ(token.kind, TokenIdentifier);
  try {
    scanner.NextToken(token);
    FAIL();
  } catch (const CScannerException& e) {
    EXPECT_EQ(e.GetCode(), CScannerException::ErrorLimitExceeded);
    EXPECT_TRUE(e.IsFatal());
    EXPECT_EQ(e.GetMessage(), u"Error limit exceeded");
  }
  EXPECT_EQ(handler->errors.size(), 1u);
  EXPECT_TRUE(scanner.HadErrors());
  EXPECT_EQ(CScannerException(42).GetMessage(), u"Unclassified scanner exception");
}

TEST(Scanner, WithoutHandlerErrorsOnlySetTheFlag) {
  CScanner scanner;
  scanner.SetLine(10);
  scanner.SetInput(new Core::CStringStream(u"#\nx"));
  CToken token;
  scanner.NextToken(token);
  EXPECT_EQ(token.kind, TokenIdentifier);
  EXPECT_TRUE(token.newlineBefore);
  EXPECT_EQ(scanner.GetLine(), 11);
  EXPECT_TRUE(scanner.HadErrors());
  // A new input clears the flag and keeps the line.
  scanner.SetInput(new Core::CStringStream(u"y"));
  EXPECT_FALSE(scanner.HadErrors());
  scanner.NextToken(token);
  EXPECT_EQ(scanner.GetLine(), 11);
}

TEST(Scanner, KeywordsAndIdentifierHashes) {
  CScanResult r = Scan(
      u"break continue delete else for function if in new return this typeof var void while with "
      u"abstract boolean byte case catch char class const debugger default do double enum export extends final "
      u"finally float goto implements import instanceof int interface long native package private protected "
      u"public short static super switch synchronized throw throws transient try volatile null true false "
      u"breaks Break tru");
  EXPECT_EQ(r.tokens,
            "break continue delete else for function if in new return this typeof var void while with " +
                [] {
                  std::string s;
                  for (int i = 0; i < 40; ++i) s += "reserved ";
                  return s;
                }() +
                "null true false id:breaks id:Break id:tru");
  CScanner scanner;
  scanner.SetInput(new Core::CStringStream(u"someName"));
  CToken token;
  scanner.NextToken(token);
  EXPECT_EQ(token.name.GetCachedHash(), EcmaScript::HashText(u"someName"));
  EXPECT_EQ(token.name.GetIntegerForm(), -1);
}

TEST(Scanner, LongSourceAcrossBlocks) {
  // Tokens, escapes and their push-backs straddle the 1024-unit blocks.
  Core::String source;
  std::string expected;
  for (int i = 0; i < 700; ++i) {
    source += u"ab '\\u00g' '\\u0041' 0x1f ";
    expected += std::string(expected.empty() ? "" : " ") + "id:ab 'u00g' 'A' i31";
  }
  for (int32_t chunk : {1024, 1000, 7}) {
    CScanResult r = Scan(source, chunk);
    EXPECT_EQ(r.tokens, expected) << chunk;
    EXPECT_TRUE(r.errors.empty());
  }
}

} // namespace
