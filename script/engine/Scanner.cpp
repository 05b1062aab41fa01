#include "script/engine/Scanner.h"

#include <array>

#include "script/engine/ScannerException.h"

namespace EcmaScriptPrivate {

namespace {

using EcmaScript::CScriptNumber;

// Character classes of the units below 128; every unit from 128 up is
// illegal outside literals and comments, and so is U+0000.
enum : int8_t {
  ClassIllegal = 0,
  ClassEnd = 1,
  ClassSpace = 2,
  ClassLineTerminator = 3,
  ClassIdentifierStart = 4,
  ClassDigit = 5,
  // 6 to 31: one class per punctuator character, in this order.
  ClassFirstPunctuator = 6,
};

constexpr char kPunctuators[] = "=><,!~?:.+-*/&|^%(){}[];\"'";

constexpr std::array<int8_t, 128> MakeClasses() {
  std::array<int8_t, 128> t{};
  t[9] = t[11] = t[12] = t[32] = ClassSpace;
  t[10] = t[13] = ClassLineTerminator;
  for (int c = 'A'; c <= 'Z'; ++c) t[c] = ClassIdentifierStart;
  for (int c = 'a'; c <= 'z'; ++c) t[c] = ClassIdentifierStart;
  t['$'] = t['_'] = ClassIdentifierStart;
  for (int c = '0'; c <= '9'; ++c) t[c] = ClassDigit;
  for (int i = 0; kPunctuators[i]; ++i) t[static_cast<unsigned char>(kPunctuators[i])] = int8_t(ClassFirstPunctuator + i);
  return t;
}

constexpr std::array<int8_t, 128> kClasses = MakeClasses();

inline int Class(int32_t unit) {
  if (unit < 0) return ClassEnd;
  return unit < 128 ? int(kClasses[static_cast<size_t>(unit)]) : int(ClassIllegal);
}

inline bool IsDigit(int32_t unit) { return unit >= '0' && unit <= '9'; }
inline bool IsOctalDigit(int32_t unit) { return unit >= '0' && unit <= '7'; }
inline int HexValue(int32_t unit) {
  if (unit >= '0' && unit <= '9') return unit - '0';
  if (unit >= 'a' && unit <= 'f') return unit - 'a' + 10;
  if (unit >= 'A' && unit <= 'F') return unit - 'A' + 10;
  return -1;
}

struct CKeyword {
  const char16_t* word;
  int32_t kind;
};

constexpr CKeyword kKeywords[] = {
    {u"break", TokenBreak},      {u"continue", TokenContinue},   {u"delete", TokenDelete},
    {u"else", TokenElse},        {u"for", TokenFor},             {u"function", TokenFunction},
    {u"if", TokenIf},            {u"in", TokenIn},               {u"new", TokenNew},
    {u"return", TokenReturn},    {u"this", TokenThis},           {u"typeof", TokenTypeof},
    {u"var", TokenVar},          {u"void", TokenVoid},           {u"while", TokenWhile},
    {u"with", TokenWith},        {u"abstract", TokenReserved},   {u"boolean", TokenReserved},
    {u"byte", TokenReserved},    {u"case", TokenReserved},       {u"catch", TokenReserved},
    {u"char", TokenReserved},    {u"class", TokenReserved},      {u"const", TokenReserved},
    {u"debugger", TokenReserved}, {u"default", TokenReserved},   {u"do", TokenReserved},
    {u"double", TokenReserved},  {u"enum", TokenReserved},       {u"export", TokenReserved},
    {u"extends", TokenReserved}, {u"final", TokenReserved},      {u"finally", TokenReserved},
    {u"float", TokenReserved},   {u"goto", TokenReserved},       {u"implements", TokenReserved},
    {u"import", TokenReserved},  {u"instanceof", TokenReserved}, {u"int", TokenReserved},
    {u"interface", TokenReserved}, {u"long", TokenReserved},     {u"native", TokenReserved},
    {u"package", TokenReserved}, {u"private", TokenReserved},    {u"protected", TokenReserved},
    {u"public", TokenReserved},  {u"short", TokenReserved},      {u"static", TokenReserved},
    {u"super", TokenReserved},   {u"switch", TokenReserved},     {u"synchronized", TokenReserved},
    {u"throw", TokenReserved},   {u"throws", TokenReserved},     {u"transient", TokenReserved},
    {u"try", TokenReserved},     {u"volatile", TokenReserved},   {u"null", TokenNull},
    {u"true", TokenTrue},        {u"false", TokenFalse},
};
static_assert(sizeof kKeywords / sizeof kKeywords[0] == 59);

// The keywords by the low bits of their name hash (the hash every
// identifier gets anyway), with linear probing: one probe for most words.
class CKeywordIndex {
public:
  static constexpr int32_t kSize = 256;

  CKeywordIndex() {
    for (auto& s : m_slots) s = -1;
    for (int32_t k = 0; k < static_cast<int32_t>(std::size(kKeywords)); ++k) {
      int32_t i = EcmaScript::HashText(kKeywords[k].word) & (kSize - 1);
      while (m_slots[i] >= 0) i = (i + 1) & (kSize - 1);
      m_slots[i] = static_cast<int16_t>(k);
    }
  }

  int32_t Lookup(Core::StringView word, int32_t hash) const {
    for (int32_t i = hash & (kSize - 1); m_slots[i] >= 0; i = (i + 1) & (kSize - 1)) {
      const CKeyword& k = kKeywords[m_slots[i]];
      if (word == k.word) return k.kind;
    }
    return TokenIdentifier;
  }

private:
  int16_t m_slots[kSize];
};

const CKeywordIndex& Keywords() {
  static const CKeywordIndex index;
  return index;
}

Core::String HexUnit(int32_t unit) {
  static const char16_t digits[] = u"0123456789abcdef";
  Core::String s(4, u'0');
  for (int i = 3; i >= 0; --i, unit >>= 4) s[static_cast<size_t>(i)] = digits[unit & 0xF];
  return s;
}

} // namespace

CScanner::CScanner() { Keywords(); }

CScanner::~CScanner() = default;

void CScanner::SetInput(Core::IUnicodeStream* input) {
  m_input = input;
  m_hadError = false;
  m_newlineSeen = false;
  m_end = m_position = kFront;
}

void CScanner::SetErrorHandler(EcmaScript::IParseErrorHandler* handler) { m_handler = handler; }

int32_t CScanner::LookupKeyword(Core::StringView word, int32_t hash) { return Keywords().Lookup(word, hash); }

int32_t CScanner::Refill() {
  // Nothing more changes the state at the end: every later read asks the
  // input again.
  if (!m_input) return kEnd;
  int32_t n = m_input->Read(m_buffer + kFront, kBlock);
  if (n < 1) return kEnd;
  m_end = kFront + n;
  m_position = kFront + 1;
  return m_buffer[kFront];
}

void CScanner::Error(int32_t code, Core::String argument) {
  CScannerException error(code, std::move(argument));
  m_hadError = true;
  if (m_handler && !m_handler->Report(m_line, error.GetMessage())) {
    throw CScannerException(CScannerException::ErrorLimitExceeded);
  }
}

void CScanner::LineTerminator(int32_t unit) {
  if (unit == '\r') {
    int32_t next = Read();
    if (next != '\n') PushBack(next);
  }
  ++m_line;
  m_newlineSeen = true;
}

void CScanner::NextToken(CToken& token) {
  for (;;) {
    int32_t c = Read();
    int cls = Class(c);
    switch (cls) {
    case ClassEnd:
      token.kind = TokenEnd;
      break;
    case ClassSpace:
      continue;
    case ClassLineTerminator:
      LineTerminator(c);
      continue;
    case ClassIllegal:
      Error(CScannerException::IllegalCharacter, HexUnit(c));
      continue;
    case ClassIdentifierStart:
      ScanIdentifier(c, token);
      break;
    case ClassDigit:
      ScanNumber(c, token);
      break;
    default:
      if (c == '.') {
        int32_t next = Read();
        PushBack(next);
        if (IsDigit(next)) {
          Core::String text(1, u'.');
          ScanDecimal(text, token);
        } else {
          token.kind = TokenDot;
        }
      } else if (c == '"' || c == '\'') {
        ScanString(c, token);
      } else if (c == '/') {
        int32_t next = Read();
        if (next == '*') {
          if (SkipComment()) m_newlineSeen = true;
          continue;
        }
        if (next == '/') {
          SkipLineComment();
          continue;
        }
        if (next == '=') {
          token.kind = TokenSlashAssign;
        } else {
          PushBack(next);
          token.kind = TokenSlash;
        }
      } else {
        token.kind = ScanPunctuator(c);
      }
      break;
    }
    token.newlineBefore = m_newlineSeen;
    m_newlineSeen = false;
    return;
  }
}

int32_t CScanner::ScanPunctuator(int32_t first) {
  // Takes the next unit when it equals the expected one.
  auto take = [this](int32_t expected) {
    int32_t next = Read();
    if (next == expected) return true;
    PushBack(next);
    return false;
  };
  switch (first) {
  case '=':
    return take('=') ? TokenEqual : TokenAssign;
  case '>':
    if (take('=')) return TokenGreaterEqual;
    if (take('>')) {
      if (take('=')) return TokenShiftRightAssign;
      if (take('>')) return take('=') ? TokenUnsignedShiftRightAssign : TokenUnsignedShiftRight;
      return TokenShiftRight;
    }
    return TokenGreater;
  case '<':
    if (take('=')) return TokenLessEqual;
    if (take('<')) return take('=') ? TokenShiftLeftAssign : TokenShiftLeft;
    return TokenLess;
  case '!':
    return take('=') ? TokenNotEqual : TokenNot;
  case '+':
    if (take('+')) return TokenPlusPlus;
    return take('=') ? TokenPlusAssign : TokenPlus;
  case '-':
    if (take('-')) return TokenMinusMinus;
    return take('=') ? TokenMinusAssign : TokenMinus;
  case '*':
    return take('=') ? TokenStarAssign : TokenStar;
  case '&':
    if (take('&')) return TokenAndAnd;
    return take('=') ? TokenAndAssign : TokenAnd;
  case '|':
    if (take('|')) return TokenOrOr;
    return take('=') ? TokenOrAssign : TokenOr;
  case '^':
    return take('=') ? TokenXorAssign : TokenXor;
  case '%':
    return take('=') ? TokenPercentAssign : TokenPercent;
  case ',':
    return TokenComma;
  case '~':
    return TokenTilde;
  case '?':
    return TokenQuestion;
  case ':':
    return TokenColon;
  case '(':
    return TokenLeftParen;
  case ')':
    return TokenRightParen;
  case '{':
    return TokenLeftBrace;
  case '}':
    return TokenRightBrace;
  case '[':
    return TokenLeftBracket;
  case ']':
    return TokenRightBracket;
  default:  // ';'
    return TokenSemicolon;
  }
}

void CScanner::ScanIdentifier(int32_t first, CToken& token) {
  m_word.clear();
  uint32_t h = 0;
  int32_t c = first;
  do {
    m_word += static_cast<char16_t>(c);
    h = h * 9 + static_cast<uint32_t>(c);
    c = Read();
  } while (Class(c) == ClassIdentifierStart || Class(c) == ClassDigit);
  PushBack(c);
  int32_t hash = static_cast<int32_t>(h & 0x7FFFFFFF);
  int32_t kind = Keywords().Lookup(m_word, hash);
  token.kind = kind;
  if (kind == TokenIdentifier) {
    // One text per name: a property stored under a declared name is then
    // found by the other uses of that name by pointer.
    Core::XInterface<EcmaScript::CNameText>& text = m_names[m_word];
    if (!text) text = new EcmaScript::CNameText(m_word);
    token.name = EcmaScript::CPropertyName(text.Get(), hash);
  }
}

void CScanner::ScanNumber(int32_t first, CToken& token) {
  if (first != '0') {
    Core::String text(1, static_cast<char16_t>(first));
    ScanDecimal(text, token);
    return;
  }
  int32_t next = Read();
  if (next == '.' || next == 'e' || next == 'E') {
    PushBack(next);
    Core::String text(1, u'0');
    ScanDecimal(text, token);
  } else if (next == 'x' || next == 'X') {
    ScanHex(token);
  } else if (IsOctalDigit(next)) {
    ScanOctal(next, token);
  } else {
    // "08" is the literal 0 followed by the literal 8.
    PushBack(next);
    token.kind = TokenNumber;
    token.number = CScriptNumber(0);
  }
}

void CScanner::ScanDecimal(Core::String& text, CToken& token) {
  // text holds the first digit, or "." when a digit is known to follow.
  int32_t c = Read();
  while (IsDigit(c)) {
    text += static_cast<char16_t>(c);
    c = Read();
  }
  if (c == '.' && text[0] != u'.') {
    text += u'.';
    c = Read();
    while (IsDigit(c)) {
      text += static_cast<char16_t>(c);
      c = Read();
    }
  }
  if (c == 'e' || c == 'E') {
    text += static_cast<char16_t>(c);
    c = Read();
    if (c == '+' || c == '-') {
      text += static_cast<char16_t>(c);
      c = Read();
    }
    if (!IsDigit(c)) {
      if (c != kEnd) text += static_cast<char16_t>(c);
      PushBack(c);
      Error(CScannerException::InvalidDecimalLiteral, text);
      token.kind = TokenNumber;
      token.number = CScriptNumber(0);
      return;
    }
    while (IsDigit(c)) {
      text += static_cast<char16_t>(c);
      c = Read();
    }
  }
  PushBack(c);
  FinishNumber(text, CScannerException::InvalidDecimalLiteral, token);
}

void CScanner::ScanHex(CToken& token) {
  Core::String text = u"0x";
  int32_t c = Read();
  if (HexValue(c) < 0) {
    if (c != kEnd) text += static_cast<char16_t>(c);
    PushBack(c);
    Error(CScannerException::InvalidHexLiteral, text);
    token.kind = TokenNumber;
    token.number = CScriptNumber(0);
    return;
  }
  while (HexValue(c) >= 0) {
    text += static_cast<char16_t>(c);
    c = Read();
  }
  PushBack(c);
  FinishNumber(text, CScannerException::InvalidHexLiteral, token);
}

void CScanner::ScanOctal(int32_t first, CToken& token) {
  Core::String text = u"0";
  int32_t c = first;
  while (IsOctalDigit(c)) {
    text += static_cast<char16_t>(c);
    c = Read();
  }
  PushBack(c);
  FinishNumber(text, CScannerException::InvalidOctalLiteral, token);
}

void CScanner::FinishNumber(const Core::String& text, int32_t errorCode, CToken& token) {
  token.kind = TokenNumber;
  if (!EcmaScript::LiteralToNumber(text, token.number)) {
    Error(errorCode, text);
    token.number = CScriptNumber(0);
  }
}

void CScanner::ScanString(int32_t quote, CToken& token) {
  Core::String& value = token.text;
  value.clear();
  token.kind = TokenString;
  for (;;) {
    int32_t c = Read();
    if (c == quote) return;
    int cls = Class(c);
    if (cls == ClassEnd || cls == ClassLineTerminator) {
      PushBack(c);
      Error(cls == ClassEnd ? CScannerException::EndInString : CScannerException::LineTerminatorInString);
      return;
    }
    if (c != '\\') {
      value += static_cast<char16_t>(c);
      continue;
    }
    int32_t e = Read();
    int ecls = Class(e);
    if (ecls == ClassEnd || ecls == ClassLineTerminator) {
      PushBack(e);
      Error(ecls == ClassEnd ? CScannerException::EndInString : CScannerException::LineTerminatorInString);
      return;
    }
    PushBack(e);
    ScanEscape(value);
  }
}

void CScanner::ScanEscape(Core::String& value) {
  int32_t e = Read();
  switch (e) {
  case 'b':
    value += u'\b';
    return;
  case 'f':
    value += u'\f';
    return;
  case 'n':
    value += u'\n';
    return;
  case 'r':
    value += u'\r';
    return;
  case 't':
    value += u'\t';
    return;
  case 'v':
    value += u'\v';
    return;
  case 'x':
  case 'u': {
    int count = e == 'x' ? 2 : 4;
    int32_t read[4];
    int32_t unit = 0;
    for (int i = 0; i < count; ++i) {
      int32_t d = Read();
      if (HexValue(d) < 0) {
        // Too few digits: the letter itself, and the units read are read
        // again as ordinary units.
        PushBack(d);
        for (int k = i - 1; k >= 0; --k) PushBack(read[k]);
        value += static_cast<char16_t>(e);
        return;
      }
      read[i] = d;
      unit = unit * 16 + HexValue(d);
    }
    value += static_cast<char16_t>(unit);
    return;
  }
  default:
    break;
  }
  if (IsOctalDigit(e)) {
    Core::String digits(1, static_cast<char16_t>(e));
    int32_t unit = e - '0';
    for (int i = 0; i < 2; ++i) {
      int32_t d = Read();
      if (!IsOctalDigit(d)) {
        PushBack(d);
        break;
      }
      digits += static_cast<char16_t>(d);
      unit = unit * 8 + (d - '0');
    }
    if (unit > 255) Error(CScannerException::InvalidEscape, u"\\" + digits);
    value += static_cast<char16_t>(unit);
    return;
  }
  // Quotes, the backslash and every other unit stand for themselves.
  value += static_cast<char16_t>(e);
}

bool CScanner::SkipComment() {
  bool newline = false;
  for (;;) {
    int32_t c = Read();
    int cls = Class(c);
    if (cls == ClassEnd) {
      Error(CScannerException::EndInComment);
      return newline;
    }
    if (cls == ClassLineTerminator) {
      if (c == '\r') {
        int32_t next = Read();
        if (next != '\n') PushBack(next);
      }
      ++m_line;
      newline = true;
    } else if (c == '*') {
      int32_t next = Read();
      if (next == '/') return newline;
      PushBack(next);
    } else if (c == '/') {
      int32_t next = Read();
      // The star stays to be read: it may close the comment.
      PushBack(next);
      if (next == '*') Error(CScannerException::NestedComment);
    }
  }
}

void CScanner::SkipLineComment() {
  for (;;) {
    int32_t c = Read();
    int cls = Class(c);
    if (cls == ClassEnd || cls == ClassLineTerminator) {
      PushBack(c);
      return;
    }
  }
}

} // namespace EcmaScriptPrivate
