#pragma once
// Runs a pattern over a text and writes the outcome as one line, so that
// tables of cases compare strings: "null" for no match, "error N" for a
// syntax error, else "@start" and the whole match and each group in angle
// brackets, "_" for a group that took no part.
#include <string>

#include "core/String.h"
#include "script/builtins/regexp/CaptureList.h"
#include "script/builtins/regexp/ParserException.h"
#include "script/builtins/regexp/RegExp.h"

namespace RegExpTest {

inline std::string Render(const RegExp::CCaptureList& captures, Core::StringView input) {
  std::string out;
  for (int32_t i = 0; i < captures.GetCount(); ++i) {
    int32_t start, length;
    captures.Get(i, start, length);
    if (i == 0) out += "@" + std::to_string(start);
    if (start < 0) out += " _";
    else out += " <" + Core::ToUtf8(input.substr(start, length)) + ">";
  }
  return out;
}

inline std::string Run(Core::StringView pattern, const char* flags, Core::StringView input) {
  std::string f(flags);
  Core::XInterface<RegExp::CRegExp> r = Core::Make<RegExp::CRegExp>();
  try {
    r->Compile(pattern, f.find('g') != std::string::npos, f.find('i') != std::string::npos,
               f.find('m') != std::string::npos);
  } catch (const RegExpPrivate::CParserException& e) {
    return "error " + std::to_string(e.GetCode());
  }
  RegExp::CCaptureList captures;
  if (!r->Exec(input, &captures)) return "null";
  return Render(captures, input);
}

} // namespace RegExpTest
