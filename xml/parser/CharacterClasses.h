#pragma once
// The class of each UTF-16 unit for the XML tokenizer: control, white space,
// name start, name character, one class per markup punctuation character,
// and other. Below U+0100 one array lookup; above, the name-character ranges
// of XML 1.0 Appendix B.
#include <cstdint>

namespace XmlParserPrivate {

enum ECharClass : uint8_t {
  ClassControl = 0,
  ClassSpace = 1,
  ClassNameStart = 2,
  ClassNameChar = 3,
  ClassBang = 4,
  ClassQuote = 5,
  ClassHash = 6,
  ClassPercent = 7,
  ClassAmp = 8,
  ClassApos = 9,
  ClassLParen = 10,
  ClassRParen = 11,
  ClassStar = 12,
  ClassPlus = 13,
  ClassComma = 14,
  ClassMinus = 15,
  ClassSlash = 16,
  ClassSemicolon = 17,
  ClassLt = 18,
  ClassEq = 19,
  ClassGt = 20,
  ClassQuestion = 21,
  ClassLBracket = 22,
  ClassRBracket = 23,
  ClassBar = 24,
  ClassOther = 25,
};

class CCharacterClasses {
public:
  struct CRange {
    uint16_t first;
    uint16_t last;
    uint16_t cls;
  };

  static int ClassOf(char16_t c) {
    if (c < 0x100) return s_bytes[c];
    return ClassOfWide(c);
  }
  static bool IsChar(char16_t c) { return ClassOf(c) != ClassControl; }
  static bool IsSpace(char16_t c) { return c < 0x100 && s_bytes[c] == ClassSpace; }
  static bool IsNameStart(char16_t c) { return ClassOf(c) == ClassNameStart; }
  static bool IsNameChar(char16_t c) {
    int k = ClassOf(c);
    return k == ClassNameStart || k == ClassNameChar || k == ClassMinus;
  }
  // Name characters below U+0080, for the loops that scan ASCII names in bulk.
  static bool IsAsciiNameChar(char16_t c) { return c < 0x80 && s_asciiName[c]; }

  // The range table, ended by a row whose first is 0.
  static const CRange* GetRanges();

private:
  static int ClassOfWide(char16_t c);

  static uint8_t s_bytes[256];
  static bool s_asciiName[128];
  static int32_t s_blockIndex[256];
  friend struct CCharacterClassesInit;
};

} // namespace XmlParserPrivate
