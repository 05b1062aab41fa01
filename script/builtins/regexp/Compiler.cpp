#include "script/builtins/regexp/Compiler.h"

#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

#include "script/builtins/regexp/ParserException.h"
#include "script/builtins/regexp/RegExpCharacters.h"
#include "script/builtins/regexp/RegExpProgram.h"
#include "script/builtins/regexp/TooComplexException.h"

namespace RegExpPrivate {

namespace {

constexpr int32_t kMaxInt = std::numeric_limits<int32_t>::max();

bool IsDecimal(char16_t c) { return c >= u'0' && c <= u'9'; }

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// d D s S w W, in the order of their opcodes and member kinds.
int ClassEscapeIndex(char16_t c) {
  switch (c) {
    case u'd': return 0;
    case u'D': return 1;
    case u's': return 2;
    case u'S': return 3;
    case u'w': return 4;
    case u'W': return 5;
    default: return -1;
  }
}

bool EndsLiteralRun(char16_t c) {
  switch (c) {
    case u'$': case u'(': case u')': case u'*': case u'+': case u'.': case u'?':
    case u'[': case u']': case u'^': case u'{': case u'|': case u'}':
      return true;
    default:
      return false;
  }
}

bool IsQuantifierStart(char16_t c) { return c == u'*' || c == u'+' || c == u'?' || c == u'{'; }

// Where a node keeps its next word, by its first opcode.
int32_t NextWordOffset(int32_t opcode) {
  switch (opcode) {
    case OpStart: return HeaderNext;
    case OpChoice: case OpSequence: case OpRepeat: return 2;
    case OpQuantifier: return 7;
    case OpGroup: return 4;
    case OpLookahead: case OpNegativeLookahead: return 3;
    default: return 1;
  }
}

} // namespace

CCompiler::CNestingGuard::CNestingGuard(CCompiler& compiler) : m_compiler(compiler) {
  if (++m_compiler.m_depth > MaxNesting) {
    --m_compiler.m_depth;
    throw CParserException(CParserException::NestedTooDeeply);
  }
}

std::vector<int32_t> CCompiler::Compile(Core::StringView pattern, bool ignoreCase) {
  m_pattern = pattern;
  m_ignoreCase = ignoreCase;
  m_position = 0;
  m_program.clear();
  m_groupCount = 0;
  m_highestBackReference = 0;
  m_slotCount = 0;
  m_depth = 0;
  try {
    m_program.reserve(4096);
    ParsePattern();
    if (m_highestBackReference > m_groupCount) throw CParserException(CParserException::InvalidDecimalEscape);
    m_program.shrink_to_fit();
    return std::move(m_program);
  } catch (const std::bad_alloc&) {
    throw RegExp::CTooComplexException(RegExp::CTooComplexException::Memory);
  } catch (const std::length_error&) {
    throw RegExp::CTooComplexException(RegExp::CTooComplexException::Memory);
  }
}

int32_t CCompiler::ParsePattern() {
  Reserve(HeaderSize);
  int32_t body = ParseDisjunction();
  // The top level stops only at the end or at a ')' that closes nothing.
  if (!AtEnd()) throw CParserException(CParserException::InvalidAtom);
  int32_t header[HeaderSize] = {OpStart, OpFailure, OpSuccess, -1, body, m_groupCount, m_slotCount};
  for (int32_t i = 0; i < HeaderSize; ++i) m_program[i] = header[i];
  Link();
  return 0;
}

int32_t CCompiler::ParseDisjunction() {
  int32_t first = ParseAlternative();
  if (!Peek(u'|')) return first;
  std::vector<int32_t> alternatives{first};
  while (Consume(u'|')) alternatives.push_back(ParseAlternative());
  // A chain of choices: each tries its alternative, then the rest of the chain.
  int32_t rest = alternatives.back();
  for (size_t i = alternatives.size() - 1; i-- > 0;) rest = Emit({OpChoice, OpChoiceSecond, 0, alternatives[i], rest});
  return rest;
}

int32_t CCompiler::ParseAlternative() {
  int32_t node = Emit({OpEmpty, 0});
  while (HasMoreTerms()) {
    int32_t term = ParseTerm();
    node = Emit({OpSequence, OpSequenceRight, 0, node, term});
  }
  return node;
}

int32_t CCompiler::ParseTerm() {
  if (Consume(u'^')) return Emit({OpLineStart, 0});
  if (Consume(u'$')) return Emit({OpLineEnd, 0});
  if (ConsumePair(u'\\', u'b')) return Emit({OpWordBoundary, 0});
  if (ConsumePair(u'\\', u'B')) return Emit({OpNotWordBoundary, 0});
  int32_t groupsBefore = m_groupCount;
  int32_t atom = ParseAtom();
  int32_t minimum, maximum;
  bool greedy;
  if (!ParseQuantifier(minimum, maximum, greedy)) return atom;
  if (m_groupCount == groupsBefore && IsSingleUnitNode(m_program[atom]))
    return Emit({OpRepeat, OpRepeatBacktrack, 0, atom, minimum, maximum, greedy ? 1 : 0});
  return Emit({OpQuantifier, OpQuantifierIterate, OpQuantifierOptionalFailed, OpQuantifierIterationFailed,
               OpQuantifierExit, OpQuantifierAtomMatched, OpQuantifierUndoIteration, 0, atom, minimum, maximum,
               greedy ? 1 : 0, groupsBefore, m_groupCount - groupsBefore, m_slotCount++});
}

int32_t CCompiler::ParseAtom() {
  char16_t c = m_pattern[m_position];
  if (c == u'.') {
    ++m_position;
    return Emit({OpAnyButLineTerminator, 0});
  }
  if (c == u'\\') return ParseAtomEscape();
  if (c == u'[') {
    ++m_position;
    return ParseClass();
  }
  if (c != u'(') return ParseLiteralRun();

  ++m_position;
  CNestingGuard nesting(*this);
  if (ConsumePair(u'?', u':')) {
    int32_t body = ParseDisjunction();
    Expect(u')');
    return body;
  }
  if (ConsumePair(u'?', u'=')) {
    int32_t body = ParseDisjunction();
    int32_t node = Emit({OpLookahead, OpLookaheadFailed, OpLookaheadMatched, 0, body, m_slotCount++});
    Expect(u')');
    return node;
  }
  if (ConsumePair(u'?', u'!')) {
    int32_t groupsBefore = m_groupCount;
    int32_t body = ParseDisjunction();
    int32_t node = Emit({OpNegativeLookahead, OpNegativeLookaheadFailed, OpNegativeLookaheadMatched, 0, body,
                         groupsBefore, m_groupCount - groupsBefore, m_slotCount++});
    Expect(u')');
    return node;
  }
  // Groups are numbered in the order of their opening parentheses.
  int32_t index = m_groupCount++;
  int32_t body = ParseDisjunction();
  int32_t node = Emit({OpGroup, OpGroupFailed, OpGroupEnd, OpGroupEndUndo, 0, body, index, m_slotCount++});
  Expect(u')');
  return node;
}

int32_t CCompiler::ParseAtomEscape() {
  if (m_position + 1 >= m_pattern.size()) throw CParserException(CParserException::InvalidAtomEscape);
  char16_t escape = m_pattern[m_position + 1];
  if (escape >= u'1' && escape <= u'9') {
    ++m_position;
    return ParseBackReference();
  }
  if (ClassEscapeIndex(escape) >= 0) {
    m_position += 2;
    return EmitClassEscape(escape);
  }
  return ParseLiteralRun();
}

int32_t CCompiler::ParseLiteralRun() {
  Core::String run;
  while (!AtEnd()) {
    size_t start = m_position;
    char16_t c = m_pattern[m_position];
    if (EndsLiteralRun(c)) break;
    if (c == u'\\') {
      if (m_position + 1 >= m_pattern.size()) throw CParserException(CParserException::InvalidAtomEscape);
      char16_t escape = m_pattern[m_position + 1];
      if ((escape >= u'1' && escape <= u'9') || escape == u'b' || escape == u'B' || ClassEscapeIndex(escape) >= 0)
        break;
      m_position += 2;
      c = ParseCharacterEscape(escape);
    } else {
      ++m_position;
    }
    // A quantifier binds to the last character alone: it starts the next term.
    if (!run.empty() && !AtEnd() && IsQuantifierStart(m_pattern[m_position])) {
      m_position = start;
      break;
    }
    run += m_ignoreCase ? ToUpperCase(c) : c;
  }
  if (run.empty()) throw CParserException(CParserException::InvalidAtom);
  if (run.size() == 1) return Emit({OpCharacter, 0, run[0]});

  int32_t node = Reserve(3 + (run.size() + 1) / 2);
  m_program[node] = OpString;
  m_program[node + 2] = static_cast<int32_t>(run.size());
  for (size_t i = 0; i < run.size(); ++i)
    m_program[node + 3 + i / 2] |= static_cast<int32_t>(static_cast<uint32_t>(run[i]) << (i % 2 * 16));
  return node;
}

int32_t CCompiler::ParseBackReference() {
  int32_t number = 0;
  while (!AtEnd() && IsDecimal(m_pattern[m_position])) {
    int32_t digit = m_pattern[m_position++] - u'0';
    if (number > (kMaxInt - digit) / 10) throw CParserException(CParserException::InvalidDecimalEscape);
    number = number * 10 + digit;
  }
  if (number > m_highestBackReference) m_highestBackReference = number;
  return Emit({OpBackReference, 0, number});
}

int32_t CCompiler::EmitClassEscape(char16_t escape) { return Emit({OpDigit + ClassEscapeIndex(escape), 0}); }

int32_t CCompiler::ParseClass() {
  CClassMemberList members;
  bool negated = Consume(u'^');
  for (;;) {
    if (AtEnd()) throw CParserException(CParserException::InvalidCharacterClass);
    char16_t c = m_pattern[m_position++];
    bool classEscape = false;
    if (c == u'\\') {
      if (AtEnd()) throw CParserException(CParserException::InvalidCharacterClass);
      char16_t escape = m_pattern[m_position];
      if (ClassEscapeIndex(escape) >= 0) {
        ++m_position;
        members.Add(ParseClassEscapeKind(escape), 0, 0);
        classEscape = true;
      } else {
        c = ParseClassAtomEscape();
      }
    } else if (c == u']') {
      break;
    }
    if (!Consume(u'-')) {
      if (!classEscape) members.Add(MemberCharacter, c, c);
      continue;
    }
    if (classEscape || AtEnd()) throw CParserException(CParserException::InvalidCharacterClass);
    char16_t d = m_pattern[m_position++];
    if (d == u'\\') {
      if (AtEnd() || ClassEscapeIndex(m_pattern[m_position]) >= 0)
        throw CParserException(CParserException::InvalidCharacterClass);
      d = ParseClassAtomEscape();
    } else if (d == u']') {
      members.Add(MemberCharacter, c, c);
      members.Add(MemberCharacter, u'-', u'-');
      break;
    }
    members.Add(MemberRange, c, d);
  }
  if (m_ignoreCase) members.AddUpperCaseForms();
  return EmitClass(members, negated);
}

int32_t CCompiler::EmitClass(const CClassMemberList& members, bool negated) {
  if (members.IsEmpty()) return Emit({negated ? OpAnyCharacter : OpEmptyClass, 0});
  if (members.GetHighest() - members.GetLowest() >= 256) return EmitClassList(members, negated);
  return EmitClassBitmap(members, negated);
}

int32_t CCompiler::EmitClassBitmap(const CClassMemberList& members, bool negated) {
  int32_t lowest = members.GetLowest();
  int32_t size = members.GetHighest() - lowest + 1;
  int32_t node = Reserve(4 + (size + 3) / 4);
  m_program[node] = negated ? OpNegatedClassBitmap : OpClassBitmap;
  m_program[node + 2] = lowest;
  m_program[node + 3] = size;
  for (const CClassMemberList::CMember& m : members.GetMembers()) {
    for (int32_t code = m.low; code <= m.high; ++code) {
      int32_t k = code - lowest;
      m_program[node + 4 + k / 4] |= static_cast<int32_t>(1u << (k % 4 * 8));
    }
  }
  return node;
}

int32_t CCompiler::EmitClassList(const CClassMemberList& members, bool negated) {
  std::vector<uint16_t> units;
  for (const CClassMemberList::CMember& m : members.GetMembers()) {
    units.push_back(m.kind);
    if (m.kind == MemberCharacter) {
      units.push_back(m.low);
    } else if (m.kind == MemberRange) {
      units.push_back(m.low);
      units.push_back(m.high);
    }
  }
  int32_t node = Reserve(3 + (units.size() + 1) / 2);
  m_program[node] = negated ? OpNegatedClassList : OpClassList;
  m_program[node + 2] = static_cast<int32_t>(members.GetMembers().size());
  for (size_t i = 0; i < units.size(); ++i)
    m_program[node + 3 + i / 2] |= static_cast<int32_t>(static_cast<uint32_t>(units[i]) << (i % 2 * 16));
  return node;
}

char16_t CCompiler::ParseCharacterEscape(char16_t escape) {
  switch (escape) {
    case u'0': return 0;
    case u'f': return 12;
    case u'n': return 10;
    case u'r': return 13;
    case u't': return 9;
    case u'v': return 11;
    case u'c': return ParseControlEscape();
    case u'x': return ParseHexEscape(2);
    case u'u': return ParseHexEscape(4);
    default:
      if (IsIdentifierPart(escape)) throw CParserException(CParserException::InvalidCharacterEscape);
      return escape;
  }
}

char16_t CCompiler::ParseControlEscape() {
  if (AtEnd() || !IsAsciiLetter(m_pattern[m_position])) throw CParserException(CParserException::InvalidAtomEscape);
  return static_cast<char16_t>(m_pattern[m_position++] % 32);
}

char16_t CCompiler::ParseHexEscape(int digits) {
  if (m_pattern.size() - m_position < static_cast<size_t>(digits))
    throw CParserException(CParserException::InvalidAtomEscape);
  int32_t value = 0;
  for (int i = 0; i < digits; ++i) {
    int v = HexValue(m_pattern[m_position++]);
    if (v < 0) throw CParserException(CParserException::InvalidAtomEscape);
    value = value * 16 + v;
  }
  return static_cast<char16_t>(value);
}

char16_t CCompiler::ParseClassAtomEscape() {
  char16_t escape = m_pattern[m_position++];
  if (escape >= u'1' && escape <= u'9') {
    int32_t value = escape - u'0';
    // Every digit is read; the value stops growing once it is too large.
    while (!AtEnd() && IsDecimal(m_pattern[m_position])) {
      int32_t digit = m_pattern[m_position++] - u'0';
      if (value <= 0xFFFF) value = value * 10 + digit;
    }
    if (value > 0xFFFF) throw CParserException(CParserException::InvalidDecimalEscape);
    return static_cast<char16_t>(value);
  }
  if (escape == u'b') return 8;
  return ParseCharacterEscape(escape);
}

uint16_t CCompiler::ParseClassEscapeKind(char16_t escape) {
  return static_cast<uint16_t>(MemberDigit + ClassEscapeIndex(escape));
}

bool CCompiler::ParseQuantifier(int32_t& minimum, int32_t& maximum, bool& greedy) {
  if (AtEnd()) return false;
  switch (m_pattern[m_position]) {
    case u'*':
      minimum = 0, maximum = -1;
      ++m_position;
      break;
    case u'+':
      minimum = 1, maximum = -1;
      ++m_position;
      break;
    case u'?':
      minimum = 0, maximum = 1;
      ++m_position;
      break;
    case u'{':
      ++m_position;
      minimum = ParseBound();
      maximum = minimum;
      if (Consume(u',')) maximum = Peek(u'}') ? -1 : ParseBound();
      Expect(u'}');
      if (maximum != -1 && minimum > maximum) throw CParserException(CParserException::InvalidQuantifierPrefix);
      break;
    default:
      return false;
  }
  greedy = !Consume(u'?');
  return true;
}

// One or more digits; a bound beyond 2^31 - 1 is malformed like a missing one.
int32_t CCompiler::ParseBound() {
  if (AtEnd() || !IsDecimal(m_pattern[m_position])) throw CParserException(CParserException::InvalidQuantifierPrefix);
  int32_t value = 0;
  while (!AtEnd() && IsDecimal(m_pattern[m_position])) {
    int32_t digit = m_pattern[m_position++] - u'0';
    if (value > (kMaxInt - digit) / 10) throw CParserException(CParserException::InvalidQuantifierPrefix);
    value = value * 10 + digit;
  }
  return value;
}

bool CCompiler::HasMoreTerms() const { return !AtEnd() && !Peek(u'|') && !Peek(u')'); }

bool CCompiler::Consume(char16_t c) {
  if (!Peek(c)) return false;
  ++m_position;
  return true;
}

bool CCompiler::ConsumePair(char16_t first, char16_t second) {
  if (m_position + 1 >= m_pattern.size() || m_pattern[m_position] != first || m_pattern[m_position + 1] != second)
    return false;
  m_position += 2;
  return true;
}

void CCompiler::Expect(char16_t c) {
  if (!Consume(c)) throw CParserException(CParserException::MissingToken, Core::String(1, c));
}

int32_t CCompiler::Emit(std::initializer_list<int32_t> words) {
  int32_t node = Reserve(words.size());
  int32_t i = node;
  for (int32_t w : words) m_program[i++] = w;
  return node;
}

// Zeroed words at the end of the program. Word indexes are 32-bit, so a
// program that would outgrow them counts as memory exhausted.
int32_t CCompiler::Reserve(size_t words) {
  size_t node = m_program.size();
  if (words > static_cast<size_t>(kMaxInt) - node) throw std::bad_alloc();
  m_program.resize(node + words, 0);
  return static_cast<int32_t>(node);
}

// Fills every node's next word. An explicit work list instead of recursion:
// nesting and long chains of terms or alternatives cost no machine stack.
void CCompiler::Link() {
  std::vector<std::pair<int32_t, int32_t>> work{{0, -1}};
  while (!work.empty()) {
    auto [node, next] = work.back();
    work.pop_back();
    int32_t* n = m_program.data() + node;
    n[NextWordOffset(n[0])] = next;
    switch (n[0]) {
      case OpStart:
        work.push_back({n[HeaderBody], node + 2});
        break;
      case OpChoice:
        work.push_back({n[3], next});
        work.push_back({n[4], next});
        break;
      case OpSequence:
        work.push_back({n[3], node + 1});
        work.push_back({n[4], next});
        break;
      case OpQuantifier:
        work.push_back({n[8], node + 5});
        break;
      case OpGroup:
        work.push_back({n[5], node + 2});
        break;
      case OpLookahead:
      case OpNegativeLookahead:
        work.push_back({n[4], node + 2});
        break;
      default:
        break;
    }
  }
}

} // namespace RegExpPrivate
