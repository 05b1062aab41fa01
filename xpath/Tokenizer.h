#pragma once
// The XPath tokenizer. It applies the lexical disambiguation rules itself
// (multiply versus name test, operator names, node types, function and axis
// names), so its readers never look further than the current token. The
// expression parser and the pattern parser share the token kinds and the
// keyword tables.
#include <cstdint>

#include "core/String.h"
#include "xpath/Number.h"

namespace XpathPrivate {

enum TokenKind : int32_t {
  TokenNone = 0, // before the first token
  TokenEnd = 1,
  TokenLeftParen = 2,
  TokenRightParen = 3,
  TokenLeftBracket = 4,
  TokenRightBracket = 5,
  TokenDot = 6,
  TokenDotDot = 7,
  TokenAt = 8,
  TokenComma = 9,
  TokenColonColon = 10,
  TokenNameTest = 11,
  TokenNodeType = 12,
  TokenOperatorName = 13,
  TokenMultiply = 14,
  TokenSlash = 15,
  TokenSlashSlash = 16,
  TokenBar = 17,
  TokenPlus = 18,
  TokenMinus = 19,
  TokenEqual = 20,
  TokenNotEqual = 21,
  TokenLess = 22,
  TokenLessEqual = 23,
  TokenGreater = 24,
  TokenGreaterEqual = 25,
  TokenFunctionName = 26,
  TokenAxisName = 27,
  TokenLiteral = 28,
  TokenNumber = 29,
  TokenVariableReference = 30,
};

// Codes of the operator-name table.
enum OperatorNameCode : int32_t { OperatorAnd = 0, OperatorOr = 1, OperatorMod = 2, OperatorDiv = 3 };

// Codes of the node-type table.
enum NodeTypeCode : int32_t { NodeTypeComment = 0, NodeTypeText = 1, NodeTypeProcessingInstruction = 2, NodeTypeNode = 3 };

// Codes of the axis-name table (alphabetical; not the codes of the axis objects).
enum AxisNameCode : int32_t {
  AxisNameAncestor = 0,
  AxisNameAncestorOrSelf = 1,
  AxisNameAttribute = 2,
  AxisNameChild = 3,
  AxisNameDescendant = 4,
  AxisNameDescendantOrSelf = 5,
  AxisNameFollowing = 6,
  AxisNameFollowingSibling = 7,
  AxisNameNamespace = 8,
  AxisNameParent = 9,
  AxisNamePreceding = 10,
  AxisNamePrecedingSibling = 11,
  AxisNameSelf = 12,
};

// A keyword table is a constant array of rows ended by a row with a null name.
struct CKeyword {
  const char16_t* name;
  int32_t code;
};

extern const CKeyword OperatorNames[];
extern const CKeyword NodeTypeNames[];
extern const CKeyword AxisNames[];

// The code of the row whose name equals name exactly (case matters), or -1.
int32_t FindKeyword(const CKeyword* table, Core::StringView name);

// Only the fields of the token's kind are written by the tokenizer; the
// others keep what an earlier token left in them.
struct CToken {
  int32_t kind = TokenNone;
  int32_t code = 0;
  Xpath::CNumber number{0.0};
  Core::String text;
};

class CTokenizer {
public:
  CTokenizer() = default;

  void SetInput(Core::StringView text);

  // Reads the next token into token and remembers its kind. Raises
  // Xpath::CXpathException with codes 0 to 5.
  void NextToken(CToken& token);

  int32_t GetPosition() const { return m_position; }

private:
  // A unit of the input, or End past the last one. An embedded U+0000 is an
  // ordinary (illegal) character, not the end of the text.
  static constexpr int32_t End = -1;

  int32_t Read();
  void Unread(int32_t c);
  int32_t SkipAndRead();
  bool IsOperatorExpected() const;
  void ReadNameChars(Core::String& text);
  void ReadName(CToken& token, int32_t first);

  Core::String m_input;
  int32_t m_length = 0;
  int32_t m_position = 0;
  int32_t m_previousKind = TokenNone;
};

// Character classes of expressions, on UTF-16 units.
inline bool IsXpathSpace(int32_t c) { return c == 0x20 || c == 0x09 || c == 0x0D || c == 0x0A; }
inline bool IsXpathNameStart(int32_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_' || c > 0x80;
}
inline bool IsXpathNameChar(int32_t c) {
  return IsXpathNameStart(c) || (c >= u'0' && c <= u'9') || c == u'.' || c == u'-';
}

} // namespace XpathPrivate
