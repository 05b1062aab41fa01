#include "script/builtins/regexp/ClassMemberList.h"

#include <algorithm>

namespace RegExpPrivate {

void CClassMemberList::Add(uint16_t kind, uint16_t low, uint16_t high) {
  if (low > high) return;
  bool first = m_members.empty();
  m_members.push_back({kind, low, high});
  if (kind == MemberCharacter || kind == MemberRange) {
    m_lowest = first ? low : std::min(m_lowest, low);
    m_highest = first ? high : std::max(m_highest, high);
  } else {
    m_lowest = 0;
    m_highest = 0xFFFF;
  }
}

void CClassMemberList::AddUpperCaseForms() {
  size_t count = m_members.size();
  for (size_t i = 0; i < count; ++i) {
    CMember m = m_members[i];
    if (m.low <= u'z' && m.high >= u'a') {
      Add(m.kind, static_cast<uint16_t>(std::max<uint16_t>(m.low, u'a') - 32),
          static_cast<uint16_t>(std::min<uint16_t>(m.high, u'z') - 32));
    }
  }
}

} // namespace RegExpPrivate
