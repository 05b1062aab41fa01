#include "xpath/Tokenizer.h"

#include "xpath/XpathException.h"

namespace XpathPrivate {

const CKeyword OperatorNames[] = {
    {u"and", OperatorAnd}, {u"or", OperatorOr}, {u"mod", OperatorMod}, {u"div", OperatorDiv}, {nullptr, 0},
};

const CKeyword NodeTypeNames[] = {
    {u"comment", NodeTypeComment},
    {u"text", NodeTypeText},
    {u"processing-instruction", NodeTypeProcessingInstruction},
    {u"node", NodeTypeNode},
    {nullptr, 0},
};

const CKeyword AxisNames[] = {
    {u"ancestor", AxisNameAncestor},
    {u"ancestor-or-self", AxisNameAncestorOrSelf},
    {u"attribute", AxisNameAttribute},
    {u"child", AxisNameChild},
    {u"descendant", AxisNameDescendant},
    {u"descendant-or-self", AxisNameDescendantOrSelf},
    {u"following", AxisNameFollowing},
    {u"following-sibling", AxisNameFollowingSibling},
    {u"namespace", AxisNameNamespace},
    {u"parent", AxisNameParent},
    {u"preceding", AxisNamePreceding},
    {u"preceding-sibling", AxisNamePrecedingSibling},
    {u"self", AxisNameSelf},
    {nullptr, 0},
};

int32_t FindKeyword(const CKeyword* table, Core::StringView name) {
  for (const CKeyword* row = table; row->name; ++row) {
    if (name == row->name) return row->code;
  }
  return -1;
}

void CTokenizer::SetInput(Core::StringView text) {
  m_input.assign(text);
  m_length = static_cast<int32_t>(m_input.size());
  m_position = 0;
  m_previousKind = TokenNone;
}

int32_t CTokenizer::Read() {
  if (m_position < m_length) return m_input[m_position++];
  return End;
}

void CTokenizer::Unread(int32_t c) {
  if (c != End) --m_position;
}

int32_t CTokenizer::SkipAndRead() {
  int32_t c;
  do {
    c = Read();
  } while (IsXpathSpace(c));
  return c;
}

bool CTokenizer::IsOperatorExpected() const {
  switch (m_previousKind) {
  case TokenNone:
  case TokenLeftParen:
  case TokenLeftBracket:
  case TokenAt:
  case TokenComma:
  case TokenColonColon:
  case TokenOperatorName:
    return false;
  default:
    return !(m_previousKind >= TokenMultiply && m_previousKind <= TokenGreaterEqual);
  }
}

void CTokenizer::ReadNameChars(Core::String& text) {
  int32_t c = Read();
  while (IsXpathNameChar(c)) {
    text += static_cast<char16_t>(c);
    c = Read();
  }
  Unread(c);
}

void CTokenizer::ReadName(CToken& token, int32_t first) {
  Core::String name(1, static_cast<char16_t>(first));
  ReadNameChars(name);
  bool prefixed = false;
  bool wildcard = false;
  int32_t c = Read();
  if (c == u':') {
    int32_t u = Read();
    if (u == u'*') {
      name += u":*";
      prefixed = true;
      wildcard = true;
    } else if (IsXpathNameStart(u)) {
      name += u':';
      name += static_cast<char16_t>(u);
      ReadNameChars(name);
      prefixed = true;
    } else {
      Unread(u);
      Unread(c);
    }
  } else {
    Unread(c);
  }

  if (IsOperatorExpected()) {
    int32_t code = prefixed ? -1 : FindKeyword(OperatorNames, name);
    if (code < 0) throw Xpath::CXpathException(3, name);
    token.kind = TokenOperatorName;
    token.code = code;
    return;
  }

  int32_t d = SkipAndRead();
  if (d == u'(') {
    Unread(d);
    int32_t code = prefixed ? -1 : FindKeyword(NodeTypeNames, name);
    if (code >= 0) {
      token.kind = TokenNodeType;
      token.code = code;
    } else if (wildcard) {
      throw Xpath::CXpathException(4, name);
    } else {
      token.kind = TokenFunctionName;
      token.text = std::move(name);
    }
    return;
  }
  if (d == u':') {
    int32_t u = Read();
    Unread(u);
    Unread(d);
    if (u == u':') {
      int32_t code = prefixed ? -1 : FindKeyword(AxisNames, name);
      if (code < 0) throw Xpath::CXpathException(5, name);
      token.kind = TokenAxisName;
      token.code = code;
      return;
    }
  } else {
    Unread(d);
  }
  token.kind = TokenNameTest;
  token.text = std::move(name);
}

void CTokenizer::NextToken(CToken& token) {
  int32_t c = SkipAndRead();
  switch (c) {
  case End: token.kind = TokenEnd; break;
  case u'(': token.kind = TokenLeftParen; break;
  case u')': token.kind = TokenRightParen; break;
  case u'[': token.kind = TokenLeftBracket; break;
  case u']': token.kind = TokenRightBracket; break;
  case u'@': token.kind = TokenAt; break;
  case u',': token.kind = TokenComma; break;
  case u'|': token.kind = TokenBar; break;
  case u'+': token.kind = TokenPlus; break;
  case u'-': token.kind = TokenMinus; break;
  case u'=': token.kind = TokenEqual; break;
  case u'!':
    if (Read() != u'=') throw Xpath::CXpathException(0);
    token.kind = TokenNotEqual;
    break;
  case u':':
    if (Read() != u':') throw Xpath::CXpathException(0);
    token.kind = TokenColonColon;
    break;
  case u'<':
  case u'>':
  case u'/': {
    int32_t d = Read();
    bool doubled = c == u'/' ? d == u'/' : d == u'=';
    if (!doubled) Unread(d);
    if (c == u'<') token.kind = doubled ? TokenLessEqual : TokenLess;
    else if (c == u'>') token.kind = doubled ? TokenGreaterEqual : TokenGreater;
    else token.kind = doubled ? TokenSlashSlash : TokenSlash;
    break;
  }
  case u'*':
    if (IsOperatorExpected()) {
      token.kind = TokenMultiply;
    } else {
      token.kind = TokenNameTest;
      token.text = u"*";
    }
    break;
  case u'"':
  case u'\'': {
    int32_t start = m_position;
    int32_t d;
    do {
      d = Read();
      if (d == End) throw Xpath::CXpathException(1);
    } while (d != c);
    token.kind = TokenLiteral;
    token.text.assign(m_input, start, m_position - 1 - start);
    break;
  }
  case u'$': {
    int32_t d = Read();
    if (!IsXpathNameStart(d)) throw Xpath::CXpathException(2);
    Core::String name(1, static_cast<char16_t>(d));
    ReadNameChars(name);
    int32_t e = Read();
    if (e == u':') {
      name += u':';
      ReadNameChars(name);
    } else {
      Unread(e);
    }
    token.kind = TokenVariableReference;
    token.text = std::move(name);
    break;
  }
  default: {
    bool number = c >= u'0' && c <= u'9';
    if (c == u'.') {
      int32_t d = Read();
      if (d == u'.') {
        token.kind = TokenDotDot;
        break;
      }
      Unread(d);
      if (!(d >= u'0' && d <= u'9')) {
        token.kind = TokenDot;
        break;
      }
      number = true;
    }
    if (number) {
      // Digits, then a point and digits; the point may come first.
      int32_t start = m_position - 1;
      int32_t d = c == u'.' ? u'.' : 0;
      if (c != u'.') {
        do {
          d = Read();
        } while (d >= u'0' && d <= u'9');
      }
      if (d == u'.') {
        do {
          d = Read();
        } while (d >= u'0' && d <= u'9');
      }
      Unread(d);
      Core::String text(m_input, start, m_position - start);
      Xpath::CNumber value(0.0);
      Xpath::CNumber::FromString(text, value);
      token.kind = TokenNumber;
      token.number = value;
      break;
    }
    if (!IsXpathNameStart(c)) throw Xpath::CXpathException(0);
    ReadName(token, c);
    break;
  }
  }
  m_previousKind = token.kind;
}

} // namespace XpathPrivate
