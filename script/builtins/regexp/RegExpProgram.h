#pragma once
// The program a pattern compiles to: 32-bit words forming nodes. The first
// words of a node are its opcodes, each a place the matcher can resume at;
// every reference between nodes is a word index. The header node sits at 0.
//
// Node layouts (word: meaning); "next" is the continuation after the node:
//   header          0-2: 0 1 2; 3: next (-1); 4: body; 5: capturing groups;
//                   6: run-time slots
//   choice          0-1: 3 4; 2: next; 3: first branch; 4: second branch
//   empty           0: 5; 1: next
//   sequence        0-1: 6 7; 2: next; 3: left part; 4: right part
//   ^ $ \b \B       0: 8 9 10 11; 1: next
//   quantifier      0-6: 12..18; 7: next; 8: atom; 9: minimum; 10: maximum
//                   (-1 unbounded); 11: greedy; 12: first group inside;
//                   13: groups inside; 14: slot
//   character       0: 19; 1: next; 2: code unit
//   string          0: 20; 1: next; 2: n; 3..: n code units, two per word,
//                   the first in the low half
//   .               0: 21; 1: next
//   bitmap class    0: 22 (23 negated); 1: next; 2: lowest code; 3: size;
//                   4..: one byte per code, four per word, low byte first
//   list class      0: 24 (25 negated); 1: next; 2: members; 3..: 16-bit
//                   units, two per word: kind, then the character (kind 0)
//                   or low and high (kind 1)
//   [] and [^]      0: 26 27; 1: next
//   group           0-3: 28..31; 4: next; 5: body; 6: group index; 7: slot
//   lookahead       0-2: 32..34; 3: next; 4: body; 5: slot
//   negative l.a.   0-2: 35..37; 3: next; 4: body; 5: first group inside;
//                   6: groups inside; 7: slot
//   back-reference  0: 38; 1: next; 2: group number from 1
//   \d \D \s \S \w \W  0: 39..44; 1: next
//   repeat          0-1: 45 46; 2: next; 3: atom; 4: minimum; 5: maximum
//                   (-1 unbounded); 6: greedy. A quantifier over an atom
//                   that always takes exactly one code unit and holds no
//                   group: it runs over the text directly and backtracks
//                   one unit at a time, with one stack frame in all.
//
// A slot is the number of the matcher's run-time word where a node keeps
// the stack place of its innermost active record; the program itself is
// never written while it runs, so one program serves any number of matchers.
#include <cstdint>

namespace RegExpPrivate {

enum Opcode : int32_t {
  OpStart = 0,
  OpFailure = 1,
  OpSuccess = 2,
  OpChoice = 3,
  OpChoiceSecond = 4,
  OpEmpty = 5,
  OpSequence = 6,
  OpSequenceRight = 7,
  OpLineStart = 8,
  OpLineEnd = 9,
  OpWordBoundary = 10,
  OpNotWordBoundary = 11,
  OpQuantifier = 12,
  OpQuantifierIterate = 13,
  OpQuantifierOptionalFailed = 14,
  OpQuantifierIterationFailed = 15,
  OpQuantifierExit = 16,
  OpQuantifierAtomMatched = 17,
  OpQuantifierUndoIteration = 18,
  OpCharacter = 19,
  OpString = 20,
  OpAnyButLineTerminator = 21,
  OpClassBitmap = 22,
  OpNegatedClassBitmap = 23,
  OpClassList = 24,
  OpNegatedClassList = 25,
  OpEmptyClass = 26,
  OpAnyCharacter = 27,
  OpGroup = 28,
  OpGroupFailed = 29,
  OpGroupEnd = 30,
  OpGroupEndUndo = 31,
  OpLookahead = 32,
  OpLookaheadFailed = 33,
  OpLookaheadMatched = 34,
  OpNegativeLookahead = 35,
  OpNegativeLookaheadFailed = 36,
  OpNegativeLookaheadMatched = 37,
  OpBackReference = 38,
  OpDigit = 39,
  OpNotDigit = 40,
  OpSpace = 41,
  OpNotSpace = 42,
  OpWord = 43,
  OpNotWord = 44,
  OpRepeat = 45,
  OpRepeatBacktrack = 46,
};

// Nodes that match exactly one code unit or fail, with no other effect.
inline bool IsSingleUnitNode(int32_t opcode) {
  return opcode == OpCharacter || (opcode >= OpAnyButLineTerminator && opcode <= OpAnyCharacter) ||
         (opcode >= OpDigit && opcode <= OpNotWord);
}

// Words of the header node.
inline constexpr int32_t HeaderNext = 3;
inline constexpr int32_t HeaderBody = 4;
inline constexpr int32_t HeaderGroupCount = 5;
inline constexpr int32_t HeaderSlotCount = 6;
inline constexpr int32_t HeaderSize = 7;

// Kinds of class members.
enum ClassMemberKind : uint16_t {
  MemberCharacter = 0,
  MemberRange = 1,
  MemberDigit = 2,
  MemberNotDigit = 3,
  MemberSpace = 4,
  MemberNotSpace = 5,
  MemberWord = 6,
  MemberNotWord = 7,
};

} // namespace RegExpPrivate
