#pragma once
// Translates a regular-expression pattern into the program of words that
// CMatcher runs (layout in RegExpProgram.h). One pass over the pattern; the
// program grows linearly with it, whatever the quantifier bounds.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "core/String.h"
#include "script/builtins/regexp/ClassMemberList.h"

namespace RegExpPrivate {

class CCompiler {
public:
  // Groups and lookaheads nested deeper than this are refused (code 7), so
  // that no pattern can exhaust the machine stack.
  static constexpr int32_t MaxNesting = 256;

  // The program of the pattern; only the ignore-case flag matters here.
  // Throws CParserException on a syntax error, RegExp::CTooComplexException
  // when memory runs out.
  std::vector<int32_t> Compile(Core::StringView pattern, bool ignoreCase);

private:
  int32_t ParsePattern();
  int32_t ParseDisjunction();
  int32_t ParseAlternative();
  int32_t ParseTerm();
  int32_t ParseAtom();
  int32_t ParseAtomEscape();
  int32_t ParseLiteralRun();
  int32_t ParseBackReference();
  int32_t EmitClassEscape(char16_t escape);
  int32_t ParseClass();
  int32_t EmitClass(const CClassMemberList& members, bool negated);
  int32_t EmitClassBitmap(const CClassMemberList& members, bool negated);
  int32_t EmitClassList(const CClassMemberList& members, bool negated);
  char16_t ParseCharacterEscape(char16_t escape);
  char16_t ParseControlEscape();
  char16_t ParseHexEscape(int digits);
  char16_t ParseClassAtomEscape();
  static uint16_t ParseClassEscapeKind(char16_t escape);
  bool ParseQuantifier(int32_t& minimum, int32_t& maximum, bool& greedy);
  int32_t ParseBound();

  bool HasMoreTerms() const;
  bool AtEnd() const { return m_position >= m_pattern.size(); }
  bool Peek(char16_t c) const { return !AtEnd() && m_pattern[m_position] == c; }
  bool Consume(char16_t c);
  bool ConsumePair(char16_t first, char16_t second);
  void Expect(char16_t c);
  int32_t Emit(std::initializer_list<int32_t> words);
  int32_t Reserve(size_t words);
  void Link();

  class CNestingGuard {
  public:
    explicit CNestingGuard(CCompiler& compiler);
    ~CNestingGuard() { --m_compiler.m_depth; }
    CNestingGuard(const CNestingGuard&) = delete;
    CNestingGuard& operator=(const CNestingGuard&) = delete;

  private:
    CCompiler& m_compiler;
  };

  Core::StringView m_pattern;
  size_t m_position = 0;
  std::vector<int32_t> m_program;
  int32_t m_groupCount = 0;
  int32_t m_highestBackReference = 0;
  int32_t m_slotCount = 0;
  int32_t m_depth = 0;
  bool m_ignoreCase = false;
};

} // namespace RegExpPrivate
