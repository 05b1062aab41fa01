#include <gtest/gtest.h>

#include "xml/parser/CharacterClasses.h"

namespace {

using XmlParserPrivate::CCharacterClasses;

TEST(CharacterClasses, ClassesOfSelectedUnits) {
  struct {
    char16_t unit;
    int cls;
  } cases[] = {
      {0x0000, 0}, {0x0008, 0}, {0x0009, 1}, {0x000A, 1}, {0x000D, 1}, {0x0020, 1}, {0x001F, 0},
      {0x0085, 25}, {0x00A0, 25}, {0x007F, 25}, {0x00B7, 3}, {0x00D7, 25}, {0x00F7, 25},
      {u'A', 2}, {u'z', 2}, {u'_', 2}, {u':', 2}, {0x00C0, 2}, {0x00FF, 2}, {u'0', 3}, {u'.', 3},
      {u'!', 4}, {u'"', 5}, {u'#', 6}, {u'%', 7}, {u'&', 8}, {u'\'', 9}, {u'(', 10}, {u')', 11},
      {u'*', 12}, {u'+', 13}, {u',', 14}, {u'-', 15}, {u'/', 16}, {u';', 17}, {u'<', 18}, {u'=', 19},
      {u'>', 20}, {u'?', 21}, {u'[', 22}, {u']', 23}, {u'|', 24}, {u'$', 25}, {u'@', 25}, {u'\\', 25},
      {u'^', 25}, {u'`', 25}, {u'{', 25}, {u'}', 25}, {u'~', 25},
      {0x0100, 2}, {0x0101, 2}, {0x0131, 2}, {0x0132, 25}, {0x0134, 2},
      {0x4E00, 2}, {0x7000, 2}, {0x9FA5, 2}, {0x9FA6, 25}, {0x3007, 2}, {0x3021, 2},
      {0x0300, 3}, {0x0345, 3}, {0x0346, 25}, {0x0660, 3}, {0x0E46, 3}, {0x3005, 3}, {0x309A, 3},
      {0xAC00, 2}, {0xD7A3, 2}, {0xD7A4, 25}, {0xD800, 25}, {0xDFFF, 25}, {0xE000, 25},
      {0xFFFD, 25}, {0xFFFE, 0}, {0xFFFF, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(CCharacterClasses::ClassOf(c.unit), c.cls) << std::hex << int(c.unit);
}

TEST(CharacterClasses, RangeTableIsSortedAndComplete) {
  const CCharacterClasses::CRange* r = CCharacterClasses::GetRanges();
  int rows = 0;
  for (; r[rows].first != 0; ++rows) {
    if (rows > 0) {
      EXPECT_GT(r[rows].first, r[rows - 1].last);
    }
  }
  EXPECT_EQ(rows, 327);  // Appendix B's 326 rows and the non-character row
  // Every unit of a row classifies as the row says, also at block edges.
  for (int i = 0; i < rows; ++i) {
    if (r[i].last < 0x100) continue;
    for (uint32_t u = std::max<uint32_t>(r[i].first, 0x100); u <= r[i].last; ++u) {
      ASSERT_EQ(CCharacterClasses::ClassOf(static_cast<char16_t>(u)), r[i].cls) << std::hex << u;
    }
  }
  EXPECT_TRUE(CCharacterClasses::IsNameChar(u'-'));
  EXPECT_FALSE(CCharacterClasses::IsNameStart(u'-'));
  EXPECT_FALSE(CCharacterClasses::IsChar(0xFFFE));
}

} // namespace
