#pragma once
// The members of one character class while it is parsed, with the lowest
// and highest code they cover.
#include <cstdint>
#include <vector>

#include "script/builtins/regexp/RegExpProgram.h"

namespace RegExpPrivate {

class CClassMemberList {
public:
  struct CMember {
    uint16_t kind;  // ClassMemberKind
    uint16_t low;
    uint16_t high;
  };

  // Ignores a range whose low is above its high. A class escape widens the
  // covered codes to all of 0 to 65535.
  void Add(uint16_t kind, uint16_t low, uint16_t high);
  // For each character or range that reaches into 'a' to 'z', adds the
  // upper-case forms of that part.
  void AddUpperCaseForms();

  const std::vector<CMember>& GetMembers() const { return m_members; }
  bool IsEmpty() const { return m_members.empty(); }
  uint16_t GetLowest() const { return m_lowest; }
  uint16_t GetHighest() const { return m_highest; }

private:
  std::vector<CMember> m_members;
  uint16_t m_lowest = 0;
  uint16_t m_highest = 0;
};

} // namespace RegExpPrivate
