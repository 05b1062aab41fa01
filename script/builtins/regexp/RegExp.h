#pragma once
// A compiled regular expression with its pattern text, its flags global,
// ignoreCase and multiline, and its lastIndex, with the searches that the
// script's RegExp objects and String methods are built on.
//
// Every search may throw CTooComplexException: the matcher steps of one
// search (all the start positions it tries) share a budget, and the
// backtrack stack has a cap. Exec, ExecForward and Search are each one
// search; a caller that tries positions itself with MatchAt calls
// BeginSearch first, so that its positions share one budget too.
// The searches of one object must not overlap; nothing in them runs script
// code, so a search always ends before the next begins.
#include <cstdint>
#include <memory>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "script/builtins/regexp/CaptureList.h"
#include "script/builtins/regexp/Matcher.h"

namespace RegExp {

class CRegExp : public Core::CInterface {
public:
  CRegExp();
  ~CRegExp() override;

  // Compiles the pattern (only ignoreCase matters to the compiler) and sets
  // lastIndex to 0. Called once, right after construction. Throws
  // RegExpPrivate::CParserException on a syntax error (the object then has
  // no program and must be dropped) and CTooComplexException when memory
  // runs out.
  void Compile(Core::StringView pattern, bool global, bool ignoreCase, bool multiline);

  // The pattern text exactly as Compile received it.
  Core::String GetSource() const { return m_pattern; }
  bool GetGlobal() const { return m_global; }
  bool GetIgnoreCase() const { return m_ignoreCase; }
  bool GetMultiline() const { return m_multiline; }
  int32_t GetLastIndex() const { return m_lastIndex; }
  void SetLastIndex(int32_t value) { m_lastIndex = value; }

  // Searches from lastIndex (global) or 0, trying each start position up to
  // the input's length. On a match: lastIndex becomes the match's end when
  // global (else it stays), and the captures, when given, are replaced by
  // the match's. No match (also when lastIndex lies outside the input):
  // lastIndex 0, the captures untouched.
  bool Exec(Core::StringView input, CCaptureList* captures);
  // The same search, the entry of the String methods.
  bool ExecForward(Core::StringView input, CCaptureList* captures);
  // One attempt at one position (false outside 0 to the input's length);
  // neither lastIndex nor the global flag plays a part. Its steps count
  // against the search begun last.
  bool MatchAt(Core::StringView input, int32_t position, CCaptureList& captures);
  // Starts a search made of MatchAt calls with a full step budget.
  void BeginSearch();
  // The first start position that matches, or -1; lastIndex is not used.
  int32_t Search(Core::StringView input);

  // For tests and tools: other limits than the engine's own.
  void SetLimits(const RegExpPrivate::CMatchLimits& limits);

private:
  RegExpPrivate::CMatcher& Matcher(Core::StringView input);
  // Runs from each start position in turn; the first that matches, or -1.
  int32_t Find(Core::StringView input, int64_t start);
  void TakeCaptures(int32_t start, CCaptureList& captures) const;

  Core::String m_pattern;
  bool m_global = false;
  bool m_ignoreCase = false;
  bool m_multiline = false;
  std::vector<int32_t> m_program;
  int32_t m_lastIndex = 0;
  RegExpPrivate::CMatchLimits m_limits;
  std::unique_ptr<RegExpPrivate::CMatcher> m_matcher;
};

} // namespace RegExp
