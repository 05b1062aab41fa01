#pragma once
// Runs a compiled program over a text for one match attempt from one start
// position: a loop over the program's opcodes with an explicit backtrack
// stack, so neither the pattern's nesting nor the text's length reaches the
// machine stack. One matcher serves every start position of a search, and
// keeps its stack and capture array from run to run.
#include <cstdint>
#include <memory>
#include <vector>

namespace RegExpPrivate {

// The limits that end a runaway search with RegExp::CTooComplexException.
struct CMatchLimits {
  // Opcodes executed by all the runs of one search.
  int64_t steps = 100'000'000;
  // Words of the backtrack stack (four bytes each).
  int32_t stackWords = 1 << 25;
};

class CMatcher {
public:
  CMatcher() = default;
  CMatcher(const CMatcher&) = delete;
  CMatcher& operator=(const CMatcher&) = delete;

  // The program is not owned and must outlive the runs.
  void SetProgram(const int32_t* program, bool ignoreCase, bool multiline);
  void SetLimits(const CMatchLimits& limits);
  // Gives the next runs the full step budget: called at the start of a search.
  void ResetBudget() { m_stepsLeft = m_limits.steps; }

  // The text is not owned; 0 <= start <= length.
  void SetInput(const char16_t* text, int32_t length, int32_t start);
  // One attempt from the start position. Throws RegExp::CTooComplexException
  // when the budget runs out, the stack passes its cap or memory is exhausted.
  bool Run();

  // After a successful run: the (start, length) pair of every capturing
  // group, (-1, -1) where a group took no part; valid until the next run.
  bool GetResult(const int32_t*& captures, int32_t& groupCount) const;
  // The end of a successful match.
  int32_t GetPosition() const { return m_position; }
  bool Failed() const { return m_failed; }

private:
  void GrowStack(int32_t top, int64_t needed);

  struct CFree {
    void operator()(int32_t* p) const;
  };

  const int32_t* m_program = nullptr;
  bool m_ignoreCase = false;
  bool m_multiline = false;
  const char16_t* m_text = nullptr;
  int32_t m_length = 0;
  int32_t m_position = 0;
  bool m_failed = true;
  CMatchLimits m_limits;
  int64_t m_stepsLeft = m_limits.steps;
  std::vector<int32_t> m_captures;
  // Per node with a record: the stack index of its innermost active record.
  std::vector<int32_t> m_slots;
  std::unique_ptr<int32_t, CFree> m_stack;
  int32_t m_stackCapacity = 0;
};

} // namespace RegExpPrivate
