#include "script/builtins/regexp/RegExp.h"

#include <limits>
#include <new>

#include "script/builtins/regexp/Compiler.h"
#include "script/builtins/regexp/TooComplexException.h"

namespace RegExp {

namespace {

[[noreturn]] void OutOfMemory() { throw CTooComplexException(CTooComplexException::Memory); }

} // namespace

CRegExp::CRegExp() = default;
CRegExp::~CRegExp() = default;

void CRegExp::Compile(Core::StringView pattern, bool global, bool ignoreCase, bool multiline) {
  try {
    m_pattern.assign(pattern);
  } catch (const std::bad_alloc&) {
    OutOfMemory();
  }
  m_global = global;
  m_ignoreCase = ignoreCase;
  m_multiline = multiline;
  m_matcher.reset();  // it points into the program
  m_program.clear();
  m_program = RegExpPrivate::CCompiler().Compile(pattern, ignoreCase);
  m_lastIndex = 0;
}

void CRegExp::SetLimits(const RegExpPrivate::CMatchLimits& limits) {
  m_limits = limits;
  if (m_matcher) m_matcher->SetLimits(limits);
}

// The matcher lives as long as the object: its stack and capture array
// serve every later search.
RegExpPrivate::CMatcher& CRegExp::Matcher(Core::StringView input) {
  if (input.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) OutOfMemory();
  if (!m_matcher) {
    try {
      m_matcher = std::make_unique<RegExpPrivate::CMatcher>();
    } catch (const std::bad_alloc&) {
      OutOfMemory();
    }
    m_matcher->SetLimits(m_limits);
    m_matcher->SetProgram(m_program.data(), m_ignoreCase, m_multiline);
  }
  return *m_matcher;
}

void CRegExp::BeginSearch() {
  if (m_matcher) m_matcher->ResetBudget();
}

int32_t CRegExp::Find(Core::StringView input, int64_t start) {
  if (m_program.empty()) return -1;  // a failed Compile
  RegExpPrivate::CMatcher& matcher = Matcher(input);
  matcher.ResetBudget();
  int64_t length = static_cast<int64_t>(input.size());
  for (int64_t s = start; s >= 0 && s <= length; ++s) {
    matcher.SetInput(input.data(), static_cast<int32_t>(length), static_cast<int32_t>(s));
    if (matcher.Run()) return static_cast<int32_t>(s);
  }
  return -1;
}

void CRegExp::TakeCaptures(int32_t start, CCaptureList& captures) const {
  const int32_t* pairs;
  int32_t groups;
  m_matcher->GetResult(pairs, groups);
  try {
    captures.Clear();
    captures.Add(start, m_matcher->GetPosition() - start);
    for (int32_t g = 0; g < groups; ++g) captures.Add(pairs[2 * g], pairs[2 * g + 1]);
  } catch (const std::bad_alloc&) {
    OutOfMemory();
  }
}

bool CRegExp::Exec(Core::StringView input, CCaptureList* captures) {
  int32_t s = Find(input, m_global ? m_lastIndex : 0);
  if (s < 0) {
    m_lastIndex = 0;
    return false;
  }
  if (m_global) m_lastIndex = m_matcher->GetPosition();
  if (captures) TakeCaptures(s, *captures);
  return true;
}

bool CRegExp::ExecForward(Core::StringView input, CCaptureList* captures) { return Exec(input, captures); }

bool CRegExp::MatchAt(Core::StringView input, int32_t position, CCaptureList& captures) {
  if (m_program.empty()) return false;
  RegExpPrivate::CMatcher& matcher = Matcher(input);
  if (position < 0 || static_cast<size_t>(position) > input.size()) return false;
  matcher.SetInput(input.data(), static_cast<int32_t>(input.size()), position);
  if (!matcher.Run()) return false;
  TakeCaptures(position, captures);
  return true;
}

int32_t CRegExp::Search(Core::StringView input) { return Find(input, 0); }

} // namespace RegExp
