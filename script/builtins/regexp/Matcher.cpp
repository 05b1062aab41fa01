#include "script/builtins/regexp/Matcher.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "core/WorkBudget.h"
#include "script/builtins/regexp/RegExpCharacters.h"
#include "script/builtins/regexp/RegExpProgram.h"
#include "script/builtins/regexp/TooComplexException.h"

namespace RegExpPrivate {

namespace {

constexpr int32_t kFirstStackWords = 4096;

// Unit k of a run of 16-bit units packed two per word, the first low.
inline char16_t Unit(const int32_t* words, int32_t k) {
  return static_cast<char16_t>(static_cast<uint32_t>(words[k >> 1]) >> ((k & 1) * 16));
}

bool MatchesKind(int32_t kind, char16_t c) {
  switch (kind) {
    case MemberDigit: return IsDigit(c);
    case MemberNotDigit: return !IsDigit(c);
    case MemberSpace: return IsWhiteSpace(c);
    case MemberNotSpace: return !IsWhiteSpace(c);
    case MemberWord: return IsWordCharacter(c);
    case MemberNotWord: return !IsWordCharacter(c);
    default: return false;
  }
}

// Whether c is a member of a class given as a list (node words 2 onward).
bool InClassList(const int32_t* node, char16_t c) {
  int32_t count = node[2];
  const int32_t* units = node + 3;
  int32_t k = 0;
  for (int32_t i = 0; i < count; ++i) {
    int32_t kind = Unit(units, k++);
    if (kind == MemberCharacter) {
      if (c == Unit(units, k++)) return true;
    } else if (kind == MemberRange) {
      char16_t low = Unit(units, k++), high = Unit(units, k++);
      if (low <= c && c <= high) return true;
    } else if (MatchesKind(kind, c)) {
      return true;
    }
  }
  return false;
}

// Whether c is a member of a class given as a bitmap; false outside it.
bool InClassBitmap(const int32_t* node, char16_t c) {
  int32_t k = static_cast<int32_t>(c) - node[2];
  if (k < 0 || k >= node[3]) return false;
  return (static_cast<uint32_t>(node[4 + (k >> 2)]) >> ((k & 3) * 8)) & 0xFF;
}

// Whether a single-unit node matches the code unit c. Folding leaves
// digits, white space and word characters as they are, so only characters
// and classes compare folded units.
inline bool MatchesUnit(const int32_t* node, char16_t c, bool ignoreCase) {
  switch (node[0]) {
    case OpCharacter: return (ignoreCase ? ToUpperCase(c) : c) == node[2];
    case OpAnyButLineTerminator: return !IsLineTerminator(c);
    case OpClassBitmap: return InClassBitmap(node, ignoreCase ? ToUpperCase(c) : c);
    case OpNegatedClassBitmap: return !InClassBitmap(node, ignoreCase ? ToUpperCase(c) : c);
    case OpClassList: return InClassList(node, ignoreCase ? ToUpperCase(c) : c);
    case OpNegatedClassList: return !InClassList(node, ignoreCase ? ToUpperCase(c) : c);
    case OpEmptyClass: return false;
    case OpAnyCharacter: return true;
    case OpDigit: return IsDigit(c);
    case OpNotDigit: return !IsDigit(c);
    case OpSpace: return IsWhiteSpace(c);
    case OpNotSpace: return !IsWhiteSpace(c);
    case OpWord: return IsWordCharacter(c);
    default: return !IsWordCharacter(c);
  }
}

} // namespace

void CMatcher::SetProgram(const int32_t* program, bool ignoreCase, bool multiline) {
  m_program = program;
  m_ignoreCase = ignoreCase;
  m_multiline = multiline;
  try {
    m_slots.assign(program[HeaderSlotCount], 0);
  } catch (const std::bad_alloc&) {
    throw RegExp::CTooComplexException(RegExp::CTooComplexException::Memory);
  }
}

void CMatcher::SetLimits(const CMatchLimits& limits) {
  m_limits = limits;
  m_stepsLeft = limits.steps;
}

void CMatcher::SetInput(const char16_t* text, int32_t length, int32_t start) {
  m_text = text;
  m_length = length;
  m_position = start;
}

bool CMatcher::GetResult(const int32_t*& captures, int32_t& groupCount) const {
  if (m_failed) {
    captures = nullptr;
    groupCount = 0;
    return false;
  }
  captures = m_captures.data();
  groupCount = static_cast<int32_t>(m_captures.size() / 2);
  return true;
}

void CMatcher::CFree::operator()(int32_t* p) const { std::free(p); }

// Geometric growth keeps the copying linear in the final size, and realloc
// moves a large block by remapping its pages instead of copying them.
void CMatcher::GrowStack(int32_t top, int64_t needed) {
  int64_t want = static_cast<int64_t>(top) + needed;
  if (want > m_limits.stackWords) throw RegExp::CTooComplexException(RegExp::CTooComplexException::Stack);
  int64_t capacity = std::max<int64_t>({want, static_cast<int64_t>(m_stackCapacity) * 2, kFirstStackWords});
  capacity = std::min<int64_t>(capacity, m_limits.stackWords);
  void* grown = std::realloc(m_stack.get(), static_cast<size_t>(capacity) * sizeof(int32_t));
  if (!grown) throw RegExp::CTooComplexException(RegExp::CTooComplexException::Memory);
  m_stack.release();
  m_stack.reset(static_cast<int32_t*>(grown));
  m_stackCapacity = static_cast<int32_t>(capacity);
}

bool CMatcher::Run() {
  const int32_t* const P = m_program;
  const char16_t* const text = m_text;
  const int32_t length = m_length;
  const bool ignoreCase = m_ignoreCase;
  const bool multiline = m_multiline;
  int32_t* slots = m_slots.data();
  int32_t* cap = m_captures.data();
  int32_t* S = m_stack.get();
  int32_t top = 0;
  int32_t pos = m_position;
  int32_t w = 0;
  int64_t steps = m_stepsLeft;

  auto fold = [ignoreCase](char16_t c) { return ignoreCase ? ToUpperCase(c) : c; };
  // Room for n more words; the stack may move.
  auto room = [&](int64_t n) {
    if (top + n > m_stackCapacity) {
      GrowStack(top, n);
      S = m_stack.get();
    }
  };
  // The capture pairs of the groups inside a quantifier's atom: pushed and
  // cleared before an iteration, put back when it is undone.
  auto saveGroups = [&](const int32_t* q) {
    int32_t first = q[12], count = q[13];
    for (int32_t g = first; g < first + count; ++g) {
      S[top++] = cap[2 * g];
      S[top++] = cap[2 * g + 1];
      cap[2 * g] = cap[2 * g + 1] = -1;
    }
  };
  auto restoreGroups = [&](const int32_t* q) {
    int32_t first = q[12], count = q[13];
    for (int32_t g = first + count; g-- > first;) {
      cap[2 * g + 1] = S[--top];
      cap[2 * g] = S[--top];
    }
  };
  // The next iteration of quantifier q, or its continuation when no more
  // iterations are allowed.
  auto iterate = [&](int32_t q) {
    const int32_t* n = P + q;
    int32_t r = slots[n[14]];
    if (S[r + 2] == 0) {
      w = n[7];
      return;
    }
    room(3 + 2 * static_cast<int64_t>(n[13]));
    S[top++] = S[r + 3];
    S[r + 3] = pos;
    if (S[r + 1] > 0) {
      saveGroups(n);
      S[top++] = q + 3;
      w = n[8];
    } else {
      S[top++] = pos;
      if (n[11]) {
        saveGroups(n);
        S[top++] = q + 2;
        w = n[8];
      } else {
        S[top++] = q + 2;
        w = n[7];
      }
    }
  };

  try {
    for (;;) {
      if (--steps < 0) {
        steps = 0;
        throw RegExp::CTooComplexException(RegExp::CTooComplexException::Steps);
      }
      // Backtracking is work the pattern asked for: a quarter unit a step.
      if ((steps & 0x3F) == 0) Core::SpendWork(16);
      const int32_t* n = P + w;
      bool fail = false;
      switch (n[0]) {
        case OpStart: {
          size_t pairs = static_cast<size_t>(n[HeaderGroupCount]) * 2;
          if (m_captures.size() != pairs) {
            m_captures.assign(pairs, -1);
            cap = m_captures.data();
          } else {
            std::fill(m_captures.begin(), m_captures.end(), -1);
          }
          room(1);
          S[top++] = w + 1;
          w = n[HeaderBody];
          break;
        }
        case OpFailure:
          m_position = pos;
          m_failed = true;
          m_stepsLeft = steps;
          return false;
        case OpSuccess:
          m_position = pos;
          m_failed = false;
          m_stepsLeft = steps;
          return true;

        case OpChoice:
          room(2);
          S[top++] = pos;
          S[top++] = w + 1;
          w = n[3];
          break;
        case OpChoiceSecond:  // word 1
          pos = S[--top];
          w = n[3];
          break;
        case OpEmpty:
          w = n[1];
          break;
        case OpSequence:
          w = n[3];
          break;
        case OpSequenceRight:  // word 1
          w = n[3];
          break;

        case OpLineStart:
          fail = !(pos == 0 || (multiline && IsLineTerminator(text[pos - 1])));
          w = n[1];
          break;
        case OpLineEnd:
          fail = !(pos == length || (multiline && IsLineTerminator(text[pos])));
          w = n[1];
          break;
        case OpWordBoundary:
        case OpNotWordBoundary: {
          bool before = pos > 0 && IsWordCharacter(text[pos - 1]);
          bool after = pos < length && IsWordCharacter(text[pos]);
          fail = (before != after) != (n[0] == OpWordBoundary);
          w = n[1];
          break;
        }

        case OpQuantifier: {
          room(5);
          int32_t s = n[14];
          S[top] = slots[s];
          S[top + 1] = n[9];
          S[top + 2] = n[10];
          S[top + 3] = 0;
          slots[s] = top;
          top += 4;
          S[top++] = w + 4;
          iterate(w);
          break;
        }
        case OpQuantifierIterate:  // word 1
          iterate(w - 1);
          break;
        case OpQuantifierAtomMatched: {  // word 5
          const int32_t* q = n - 5;
          int32_t r = slots[q[14]];
          // An optional iteration that matched nothing would loop forever.
          if (S[r + 1] <= 0 && pos == S[r + 3]) {
            fail = true;
            break;
          }
          // Which counts moved, so that undoing the iteration moves them
          // back; neither count ever passes below zero.
          int32_t moved = 0;
          if (S[r + 1] > 0) {
            --S[r + 1];
            moved |= 1;
          }
          if (S[r + 2] > 0) {
            --S[r + 2];
            moved |= 2;
          }
          room(2);
          S[top++] = moved;
          S[top++] = w + 1;
          w = w - 4;
          break;
        }
        case OpQuantifierUndoIteration: {  // word 6
          const int32_t* q = n - 6;
          int32_t r = slots[q[14]];
          int32_t moved = S[--top];
          if (moved & 1) ++S[r + 1];
          if (moved & 2) ++S[r + 2];
          fail = true;
          break;
        }
        case OpQuantifierOptionalFailed: {  // word 2
          const int32_t* q = n - 2;
          if (q[11]) {
            restoreGroups(q);
            pos = S[--top];
            S[top++] = w + 1;
            w = q[7];
          } else {
            pos = S[--top];
            room(1 + 2 * static_cast<int64_t>(q[13]));
            saveGroups(q);
            S[top++] = w + 1;
            w = q[8];
          }
          break;
        }
        case OpQuantifierIterationFailed: {  // word 3
          const int32_t* q = n - 3;
          int32_t r = slots[q[14]];
          if (!(q[11] && S[r + 1] <= 0)) restoreGroups(q);
          S[r + 3] = S[--top];
          fail = true;
          break;
        }
        case OpQuantifierExit: {  // word 4
          const int32_t* q = n - 4;
          top -= 4;
          slots[q[14]] = S[top];
          fail = true;
          break;
        }

        case OpString: {
          int32_t count = n[2];
          if (count > length - pos) {
            fail = true;
            break;
          }
          for (int32_t k = 0; k < count; ++k) {
            if (fold(text[pos + k]) != Unit(n + 3, k)) {
              fail = true;
              break;
            }
          }
          if (!fail) {
            pos += count;
            w = n[1];
          }
          break;
        }
        case OpGroup: {
          room(3);
          int32_t s = n[7];
          S[top] = slots[s];
          S[top + 1] = pos;
          slots[s] = top;
          top += 2;
          S[top++] = w + 1;
          w = n[5];
          break;
        }
        case OpGroupFailed: {  // word 1
          const int32_t* g = n - 1;
          top -= 2;
          slots[g[7]] = S[top];
          fail = true;
          break;
        }
        case OpGroupEnd: {  // word 2
          const int32_t* g = n - 2;
          int32_t index = g[6];
          room(3);
          S[top++] = cap[2 * index];
          S[top++] = cap[2 * index + 1];
          int32_t start = S[slots[g[7]] + 1];
          cap[2 * index] = start;
          cap[2 * index + 1] = pos - start;
          S[top++] = w + 1;
          w = g[4];
          break;
        }
        case OpGroupEndUndo: {  // word 3
          const int32_t* g = n - 3;
          int32_t index = g[6];
          cap[2 * index + 1] = S[--top];
          cap[2 * index] = S[--top];
          fail = true;
          break;
        }

        case OpLookahead:
        case OpNegativeLookahead: {
          room(3);
          int32_t s = n[0] == OpLookahead ? n[5] : n[7];
          S[top] = slots[s];
          S[top + 1] = pos;
          slots[s] = top;
          top += 2;
          S[top++] = w + 1;
          w = n[4];
          break;
        }
        case OpLookaheadFailed:           // word 1
        case OpNegativeLookaheadFailed: {  // word 1
          const int32_t* a = n - 1;
          int32_t s = n[0] == OpLookaheadFailed ? a[5] : a[7];
          top -= 2;
          pos = S[top + 1];
          slots[s] = S[top];
          // A negative lookahead holds when its body fails.
          if (n[0] == OpLookaheadFailed) fail = true;
          else w = a[3];
          break;
        }
        case OpLookaheadMatched: {  // word 2
          // Dropping everything the body left makes the lookahead atomic.
          const int32_t* a = n - 2;
          int32_t r = slots[a[5]];
          pos = S[r + 1];
          slots[a[5]] = S[r];
          top = r;
          w = a[3];
          break;
        }
        case OpNegativeLookaheadMatched: {  // word 2
          const int32_t* a = n - 2;
          int32_t r = slots[a[7]];
          pos = S[r + 1];
          slots[a[7]] = S[r];
          top = r;
          for (int32_t g = a[5]; g < a[5] + a[6]; ++g) cap[2 * g] = cap[2 * g + 1] = -1;
          fail = true;
          break;
        }

        case OpBackReference: {
          int32_t index = n[2] - 1;
          int32_t start = cap[2 * index], count = cap[2 * index + 1];
          if (start >= 0) {
            if (count > length - pos) {
              fail = true;
              break;
            }
            for (int32_t k = 0; k < count; ++k) {
              if (fold(text[start + k]) != fold(text[pos + k])) {
                fail = true;
                break;
              }
            }
            if (fail) break;
            pos += count;
          }
          w = n[1];
          break;
        }

        case OpRepeat: {
          const int32_t* atom = P + n[3];
          int32_t minimum = n[4], maximum = n[5];
          int32_t limit = length - pos;
          if (maximum >= 0 && maximum < limit) limit = maximum;
          int32_t count = 0;
          if (n[6]) {
            // Greedy: as many as there are, then fewer on backtracking.
            while (count < limit && MatchesUnit(atom, text[pos + count], ignoreCase)) ++count;
            steps -= count;
          } else {
            // Lazy: the minimum, then more on backtracking.
            while (count < minimum && count < limit && MatchesUnit(atom, text[pos + count], ignoreCase)) ++count;
            steps -= count;
          }
          if (count < minimum) {
            fail = true;
            break;
          }
          if (n[6] ? count > minimum : count < limit) {
            room(3);
            S[top++] = pos;
            S[top++] = count;
            S[top++] = w + 1;
          }
          pos += count;
          w = n[2];
          break;
        }
        case OpRepeatBacktrack: {  // word 1
          const int32_t* r = n - 1;
          int32_t start = S[top - 2], count = S[top - 1];
          int32_t limit = length - start;
          if (r[5] >= 0 && r[5] < limit) limit = r[5];
          bool more;
          if (r[6]) {
            more = --count > r[4];
          } else {
            --steps;
            if (!MatchesUnit(P + r[3], text[start + count], ignoreCase)) {
              top -= 2;
              fail = true;
              break;
            }
            more = ++count < limit;
          }
          // The frame stays while another choice is left.
          if (more) {
            S[top - 1] = count;
            S[top++] = w;
          } else {
            top -= 2;
          }
          pos = start + count;
          w = r[2];
          break;
        }

        default:  // the nodes that take one code unit
          fail = pos >= length || !MatchesUnit(n, text[pos], ignoreCase);
          pos += !fail;
          w = n[1];
          break;
      }
      if (steps < 0) {
        steps = 0;
        throw RegExp::CTooComplexException(RegExp::CTooComplexException::Steps);
      }
      if (fail) w = S[--top];
    }
  } catch (const Core::IException&) {  // too complex, or the run's work budget spent
    m_stepsLeft = steps;
    m_failed = true;
    throw;
  } catch (const std::bad_alloc&) {
    m_stepsLeft = steps;
    m_failed = true;
    throw RegExp::CTooComplexException(RegExp::CTooComplexException::Memory);
  }
}

} // namespace RegExpPrivate
