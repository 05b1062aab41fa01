#pragma once
// The scanner: script text, read as UTF-16 units from a stream in blocks, to
// tokens with line numbers. Identifiers and punctuators are ASCII; units
// from 128 up (and U+0000) are accepted only inside string literals and
// comments. There are no regular-expression literals: "/" is division,
// "/=" or a comment.
//
// Lexical errors are reported through the parse-error handler with the
// current line; the offending text is skipped or replaced and scanning goes
// on. When the handler answers false, NextToken throws CScannerException
// ErrorLimitExceeded.
#include <cstdint>
#include <unordered_map>

#include "core/Interface.h"
#include "core/Stream.h"
#include "core/String.h"
#include "script/engine/ParseErrorHandler.h"
#include "script/engine/Token.h"

namespace EcmaScriptPrivate {

class CScanner {
public:
  CScanner();
  ~CScanner();
  CScanner(const CScanner&) = delete;
  CScanner& operator=(const CScanner&) = delete;

  // Starts reading a stream: clears the error and newline flags and the
  // buffer; the handler and the line counter stay as set.
  void SetInput(Core::IUnicodeStream* input);
  void SetErrorHandler(EcmaScript::IParseErrorHandler* handler);
  // The line that the unit being read belongs to; 1 at construction.
  void SetLine(int32_t line) { m_line = line; }
  int32_t GetLine() const { return m_line; }
  bool HadErrors() const { return m_hadError; }

  void NextToken(CToken& token);

  // The kind of a keyword, or TokenIdentifier.
  static int32_t LookupKeyword(Core::StringView word, int32_t hash);

private:
  // What reading past the last unit yields; distinct from every unit, so a
  // U+0000 in the text is data like any other unit.
  static constexpr int32_t kEnd = -1;
  static constexpr int32_t kFront = 32;
  static constexpr int32_t kBlock = 1024;

  int32_t Read() { return m_position < m_end ? m_buffer[m_position++] : Refill(); }
  int32_t Refill();
  // At most four units in a row, each right after it was read.
  void PushBack(int32_t unit) {
    if (unit != kEnd) m_buffer[--m_position] = static_cast<char16_t>(unit);
  }

  void Error(int32_t code, Core::String argument = {});
  void LineTerminator(int32_t unit);

  void ScanIdentifier(int32_t first, CToken& token);
  void ScanNumber(int32_t first, CToken& token);
  void ScanDecimal(Core::String& text, CToken& token);
  void ScanHex(CToken& token);
  void ScanOctal(int32_t first, CToken& token);
  void FinishNumber(const Core::String& text, int32_t errorCode, CToken& token);
  void ScanString(int32_t quote, CToken& token);
  void ScanEscape(Core::String& value);
  // Return true when the comment held a line terminator.
  bool SkipComment();
  void SkipLineComment();
  // The kind of a punctuator beginning with the unit, by longest match.
  int32_t ScanPunctuator(int32_t first);

  Core::XInterface<Core::IUnicodeStream> m_input;
  Core::XInterface<EcmaScript::IParseErrorHandler> m_handler;
  bool m_hadError = false;
  int32_t m_line = 1;
  bool m_newlineSeen = false;
  char16_t m_buffer[kFront + kBlock];
  int32_t m_end = kFront;
  int32_t m_position = kFront;
  Core::String m_word;  // reused for identifiers and literal texts
  std::unordered_map<Core::String, Core::XInterface<EcmaScript::CNameText>> m_names;
};

} // namespace EcmaScriptPrivate
