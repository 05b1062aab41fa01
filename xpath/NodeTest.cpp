#include "xpath/NodeTest.h"

#include "xml/tree/Names.h"
#include "xpath/Context.h"
#include "xpath/XpathException.h"

namespace XpathPrivate {

namespace {

bool IsPrincipalType(const Dom::CNode* node) {
  int32_t type = node->GetNodeType();
  return type == Dom::ELEMENT_NODE || type == Dom::ATTRIBUTE_NODE || type == Dom::NAMESPACE_NODE;
}

} // namespace

Core::String ResolvePrefix(Xpath::CContext* context, const Core::String& prefix) {
  Core::String uri;
  Xpath::CNamespaceDeclarationSet* namespaces = context ? context->GetNamespaceDeclarationSet() : nullptr;
  if (!namespaces || !namespaces->GetNamespaceUri(prefix, uri)) {
    throw Xpath::CXpathException(Xpath::CXpathException::PrefixNotFound, prefix);
  }
  return uri;
}

bool CWildcardNodeTest::Match(Xpath::CContext*, const Dom::CNode* node) const { return IsPrincipalType(node); }

bool CNamespaceNodeTest::Match(Xpath::CContext* context, const Dom::CNode* node) const {
  if (!IsPrincipalType(node)) return false;
  return node->NamespaceUriView() == ResolvePrefix(context, m_prefix);
}

// Elements and attributes, nearly every node a name test meets, are read
// straight from their name record.
bool CNameNodeTest::Match(Xpath::CContext* context, const Dom::CNode* node) const {
  Core::StringView localName, namespaceUri;
  if (const Dom::CName* name = node->Name()) {
    localName = name->localName;
    namespaceUri = name->namespaceUri;
  } else if (node->GetNodeType() == Dom::NAMESPACE_NODE) {
    localName = node->LocalNameView();
  } else {
    return false;
  }
  if (localName != m_localName) return false;
  if (m_prefix.empty()) return namespaceUri.empty();
  return namespaceUri == ResolvePrefix(context, m_prefix);
}

bool CCommentNodeTest::Match(Xpath::CContext*, const Dom::CNode* node) const {
  return node->GetNodeType() == Dom::COMMENT_NODE;
}

bool CTextNodeTest::Match(Xpath::CContext*, const Dom::CNode* node) const {
  int32_t type = node->GetNodeType();
  return type == Dom::TEXT_NODE || type == Dom::CDATA_SECTION_NODE;
}

bool CProcessingInstructionNodeTest::Match(Xpath::CContext*, const Dom::CNode* node) const {
  if (node->GetNodeType() != Dom::PROCESSING_INSTRUCTION_NODE) return false;
  return !m_hasLiteral || node->NodeNameView() == m_literal;
}

bool CNodeNodeTest::Match(Xpath::CContext*, const Dom::CNode*) const { return true; }

} // namespace XpathPrivate
