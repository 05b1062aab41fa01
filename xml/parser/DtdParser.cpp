// The document type declaration and the markup declarations of its internal
// subset.
#include "xml/parser/Parser.h"

namespace XmlParserPrivate {

using T = CTokenizer;

void CParser::ParseDoctype() {
  if (Kind() != T::TokDecl || m_tokenizer.Text() != u"DOCTYPE") return;
  m_tokenizer.SetDeclarationMode(true);
  Next();
  ExpectSpace();
  auto dtd = std::make_unique<CDtd>();
  ExpectName(dtd->name);
  Accept(T::TokSpace);
  if (Kind() != T::TokLBracket && Kind() != T::TokDeclClose) {
    ParseExternalId(dtd->publicId, dtd->hasPublicId, dtd->systemId, dtd->hasSystemId);
    if (!dtd->hasSystemId) ThrowError(ErrorBadExternalId);
    Accept(T::TokSpace);
  }
  m_dtd = std::move(dtd);
  if (Accept(T::TokLBracket)) {
    for (bool more = true; more;) {
      switch (Kind()) {
      case T::TokSpace:
      case T::TokPeRef:
        Next();
        break;
      case T::TokDecl: {
        const Core::String& keyword = m_tokenizer.Text();
        if (keyword == u"ELEMENT") {
          ParseElementDecl();
        } else if (keyword == u"ATTLIST") {
          ParseAttlistDecl();
        } else if (keyword == u"ENTITY") {
          ParseEntityDecl();
        } else if (keyword == u"NOTATION") {
          ParseNotationDecl();
        } else {
          ThrowError(ErrorBadMarkupDecl);
        }
        break;
      }
      case T::TokComment:
        ParseComment();
        break;
      case T::TokPi:
        ParseProcessingInstruction();
        break;
      default:
        more = false;
      }
    }
    Expect(T::TokRBracket, ErrorMissingDeclClose);
    Accept(T::TokSpace);
  }
  Expect(T::TokDeclClose, ErrorMissingDeclClose);
  m_tokenizer.SetDeclarationMode(false);
}

void CParser::ParseExternalId(Core::String& publicId, bool& hasPublicId, Core::String& systemId,
                              bool& hasSystemId) {
  Core::String keyword;
  ExpectText(T::TokName, keyword, ErrorBadExternalId);
  if (keyword == u"SYSTEM") {
    ExpectSpace();
    if (Kind() != T::TokQuote) ThrowError(ErrorBadExternalId);
    m_tokenizer.ReadSystemLiteral(systemId);
    hasSystemId = true;
    Next();
  } else if (keyword == u"PUBLIC") {
    ExpectSpace();
    if (Kind() != T::TokQuote) ThrowError(ErrorBadExternalId);
    m_tokenizer.ReadPublicIdLiteral(publicId);
    hasPublicId = true;
    Next();
    Accept(T::TokSpace);
    if (Kind() == T::TokQuote) {
      m_tokenizer.ReadSystemLiteral(systemId);
      hasSystemId = true;
      Next();
    }
  } else {
    ThrowError(ErrorBadExternalId);
  }
}

void CParser::ParseElementDecl() {
  Next();
  ExpectSpace();
  auto element = std::make_unique<CElement>();
  ExpectName(element->name);
  m_dtd->elements.push_back(std::move(element));
  ExpectSpace();
  ParseContentSpec();
  Accept(T::TokSpace);
  Expect(T::TokDeclClose, ErrorMissingDeclClose);
}

void CParser::ParseContentSpec() {
  if (Kind() == T::TokName) {
    const Core::String& word = m_tokenizer.Text();
    if (word != u"EMPTY" && word != u"ANY") ThrowError(ErrorBadContentSpec);
    Next();
    return;
  }
  Expect(T::TokLParen, ErrorBadContentSpec);
  Accept(T::TokSpace);
  if (Kind() == T::TokHashName) {
    if (m_tokenizer.Text() != u"PCDATA") ThrowError(ErrorBadContentSpec);
    Next();
    Accept(T::TokSpace);
    int32_t names = 0;
    while (Accept(T::TokBar)) {
      Accept(T::TokSpace);
      ExpectName(m_name);
      Accept(T::TokSpace);
      ++names;
    }
    if (names > 0) {
      Expect(T::TokRParenStar, ErrorBadContentSpec);
    } else if (!Accept(T::TokRParen) && !Accept(T::TokRParenStar)) {
      ThrowError(ErrorBadContentSpec);
    }
    return;
  }
  ParseChildrenGroup(1);
}

// After "(" and optional white space: particles with one kind of separator,
// then the closing parenthesis.
void CParser::ParseChildrenGroup(int32_t depth) {
  if (depth > kMaxGroupDepth) ThrowError(ErrorBadContentSpec);
  int32_t separator = 0;
  for (;;) {
    switch (Kind()) {
    case T::TokName:
    case T::TokNameOpt:
    case T::TokNameStar:
    case T::TokNamePlus:
      Next();
      break;
    case T::TokLParen:
      Next();
      Accept(T::TokSpace);
      ParseChildrenGroup(depth + 1);
      break;
    default:
      ThrowError(ErrorBadContentSpec);
    }
    Accept(T::TokSpace);
    int32_t k = Kind();
    if (k != T::TokBar && k != T::TokComma) break;
    if (separator != 0 && separator != k) ThrowError(ErrorBadContentSpec);
    separator = k;
    Next();
    Accept(T::TokSpace);
  }
  switch (Kind()) {
  case T::TokRParen:
  case T::TokRParenOpt:
  case T::TokRParenStar:
  case T::TokRParenPlus:
    Next();
    return;
  default:
    ThrowError(ErrorBadContentSpec);
  }
}

void CParser::ParseAttlistDecl() {
  Next();
  ExpectSpace();
  Core::String element;
  ExpectName(element);
  CAttlist* list = m_dtd->AddAttlist(element);
  Accept(T::TokSpace);
  Core::String name;
  while (AcceptText(T::TokName, name)) {
    list->attributes.push_back(std::make_unique<CAttribute>());
    CAttribute& a = *list->attributes.back();
    a.name = name;
    ExpectSpace();
    ParseAttributeType(a);
    ExpectSpace();
    ParseDefaultDecl(a);
    m_dtd->BindAttribute(element, a);
    if (m_dtdHandler) m_dtdHandler->AttributeDeclaration(element, a.name, a.type, a.defaultKind, a.defaultValue);
    Accept(T::TokSpace);
  }
  Expect(T::TokDeclClose, ErrorMissingDeclClose);
}

void CParser::ParseAttributeType(CAttribute& a) {
  if (Kind() == T::TokName) {
    static const char16_t* const kTypes[] = {u"CDATA",  u"ID",       u"IDREF",   u"IDREFS",
                                             u"ENTITY", u"ENTITIES", u"NMTOKEN", u"NMTOKENS"};
    const Core::String& word = m_tokenizer.Text();
    for (int32_t i = 0; i < 8; ++i) {
      if (word == kTypes[i]) {
        a.type = i;
        Next();
        return;
      }
    }
    if (word != u"NOTATION") ThrowError(ErrorBadAttributeType);
    a.type = Sxp::AttributeTypeNotation;
    Next();
    ExpectSpace();
    Expect(T::TokLParen, ErrorBadAttributeType);
    Accept(T::TokSpace);
    do {
      Accept(T::TokSpace);
      a.values.emplace_back();
      ExpectName(a.values.back());
      Accept(T::TokSpace);
    } while (Accept(T::TokBar));
    Expect(T::TokRParen, ErrorBadAttributeType);
    return;
  }
  a.type = Sxp::AttributeTypeEnumeration;
  Expect(T::TokLParen, ErrorBadAttributeType);
  Accept(T::TokSpace);
  do {
    Accept(T::TokSpace);
    a.values.emplace_back();
    ExpectNameToken(a.values.back());
    Accept(T::TokSpace);
  } while (Accept(T::TokBar));
  Expect(T::TokRParen, ErrorBadAttributeType);
}

void CParser::ParseDefaultDecl(CAttribute& a) {
  if (Kind() == T::TokHashName) {
    const Core::String& word = m_tokenizer.Text();
    if (word == u"REQUIRED" || word == u"IMPLIED") {
      a.defaultKind = word == u"REQUIRED" ? Sxp::DefaultRequired : Sxp::DefaultImplied;
      Next();
      return;
    }
    if (word != u"FIXED") ThrowError(ErrorBadDefaultDecl);
    a.defaultKind = Sxp::DefaultFixed;
    Next();
    ExpectSpace();
  } else {
    a.defaultKind = Sxp::DefaultValue;
  }
  if (Kind() != T::TokQuote) ThrowError(ErrorBadDefaultDecl);
  int32_t n;
  while ((n = m_tokenizer.ReadAttributeValue(m_buffer, 1024)) > 0) a.defaultValue.append(m_buffer, static_cast<size_t>(n));
  Next();
}

void CParser::ParseEntityDecl() {
  Next();
  ExpectSpace();
  bool parameter = false;
  if (Accept(T::TokRefStart)) {
    parameter = true;
    ExpectSpace();
  }
  auto entity = std::make_unique<CEntity>();
  ExpectName(entity->name);
  ExpectSpace();
  CEntity* e = nullptr;
  if (Kind() == T::TokQuote) {
    e = m_dtd->AddEntity(std::move(entity), parameter);
    // A reference to the entity inside its own value is a recursion.
    ++e->openCount;
    int32_t n;
    while ((n = m_tokenizer.ReadEntityValue(m_buffer, 1024)) > 0) {
      e->replacementText.append(m_buffer, static_cast<size_t>(n));
    }
    --e->openCount;
    Next();
  } else {
    ParseExternalId(entity->publicId, entity->hasPublicId, entity->systemId, entity->hasSystemId);
    if (!entity->hasSystemId) ThrowError(ErrorBadExternalId);
    Accept(T::TokSpace);
    if (!parameter && Kind() == T::TokName) {
      if (m_tokenizer.Text() != u"NDATA") ThrowError(ErrorBadEntityDecl);
      Next();
      ExpectSpace();
      ExpectName(entity->notationName);
    }
    entity->external = entity->hasSystemId;
    entity->unparsed = !entity->notationName.empty();
    e = m_dtd->AddEntity(std::move(entity), parameter);
  }
  Accept(T::TokSpace);
  Expect(T::TokDeclClose, ErrorMissingDeclClose);
  if (!parameter && e->unparsed && m_dtdHandler) {
    m_dtdHandler->UnparsedEntityDeclaration(e->name, e->publicId, e->systemId, e->notationName);
  }
}

void CParser::ParseNotationDecl() {
  Next();
  ExpectSpace();
  auto notation = std::make_unique<CNotation>();
  ExpectName(notation->name);
  ExpectSpace();
  ParseExternalId(notation->publicId, notation->hasPublicId, notation->systemId, notation->hasSystemId);
  CNotation* n = notation.get();
  m_dtd->notations.push_back(std::move(notation));
  Accept(T::TokSpace);
  Expect(T::TokDeclClose, ErrorMissingDeclClose);
  if (m_dtdHandler) m_dtdHandler->NotationDeclaration(n->name, n->publicId, n->systemId);
}

} // namespace XmlParserPrivate
