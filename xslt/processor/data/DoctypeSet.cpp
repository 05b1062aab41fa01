#include "xslt/processor/data/DoctypeSet.h"

#include <cstddef>

namespace XsltPrivate {

// ---- one document's declarations ----------------------------------------------

CDoctype::CDoctype(const Dom::XNode& document) : m_document(document) {}

CDoctype::~CDoctype() = default;

void CDoctype::AddIdAttribute(Core::StringView elementName, Core::StringView attributeName, int32_t type, int32_t,
                              Core::StringView) {
  if (type != Sxp::AttributeTypeId) return;
  m_elements.push_back(CElementDecl{Core::String(elementName), Core::String(attributeName)});
}

void CDoctype::AddUnparsedEntity(Core::StringView name, Core::StringView, Core::StringView systemId,
                                 Core::StringView) {
  m_entities.push_back(CEntityDecl{Core::String(name), Core::String(systemId)});
}

bool CDoctype::FindIdAttribute(Core::StringView elementName, Core::String& attributeName) const {
  for (const CElementDecl& decl : m_elements) {
    if (decl.elementName == elementName && !decl.attributeName.empty()) {
      attributeName = decl.attributeName;
      return true;
    }
  }
  return false;
}

bool CDoctype::FindUnparsedEntity(Core::StringView name, Core::String& uri) const {
  for (const CEntityDecl& decl : m_entities) {
    if (decl.entityName == name) {
      uri = decl.uri;
      return true;
    }
  }
  return false;
}

// ---- the run's doctypes -----------------------------------------------------------

CDoctypeSet::CDoctypeSet() = default;

CDoctypeSet::~CDoctypeSet() = default;

void CDoctypeSet::AttributeDeclaration(Core::StringView elementName, Core::StringView attributeName, int32_t type,
                                       int32_t defaultKind, Core::StringView defaultValue) {
  if (m_current) m_current->AddIdAttribute(elementName, attributeName, type, defaultKind, defaultValue);
}

void CDoctypeSet::UnparsedEntityDeclaration(Core::StringView name, Core::StringView publicId,
                                            Core::StringView systemId, Core::StringView notationName) {
  if (m_current) m_current->AddUnparsedEntity(name, publicId, systemId, notationName);
}

CDoctype* CDoctypeSet::Find(const Dom::CNode* document) {
  if (document && document == m_lastDocument) return m_lastDoctype;
  auto found = m_byDocument.find(document);
  if (found == m_byDocument.end()) return nullptr;
  m_lastDocument = document;
  m_lastDoctype = found->second;
  return found->second;
}

void CDoctypeSet::SetCurrentDocument(const Dom::XNode& document) {
  CDoctype* doctype = Find(document.Get());
  if (!doctype) {
    m_doctypes.emplace_back(new CDoctype(document));
    doctype = m_doctypes.back().Get();
    m_byDocument[document.Get()] = doctype;
    m_lastDocument = document.Get();
    m_lastDoctype = doctype;
  }
  m_current = doctype;
}

void CDoctypeSet::RemoveDocument(const Dom::CNode* document) {
  if (!m_byDocument.erase(document)) return;
  // Documents go newest first, so the search from the end is short.
  for (size_t i = m_doctypes.size(); i-- > 0;) {
    if (m_doctypes[i]->GetDocument().Get() != document) continue;
    if (m_current == m_doctypes[i].Get()) m_current = nullptr;
    if (m_lastDocument == document) {
      m_lastDocument = nullptr;
      m_lastDoctype = nullptr;
    }
    m_doctypes.erase(m_doctypes.begin() + std::ptrdiff_t(i));
    return;
  }
}

bool CDoctypeSet::FindIdAttribute(const Dom::CNode* document, Core::StringView elementName,
                                  Core::String& attributeName) {
  CDoctype* doctype = Find(document);
  return doctype && doctype->FindIdAttribute(elementName, attributeName);
}

bool CDoctypeSet::FindUnparsedEntity(const Dom::CNode* document, Core::StringView name, Core::String& uri) {
  CDoctype* doctype = Find(document);
  return doctype && doctype->FindUnparsedEntity(name, uri);
}

// ---- IDs ----------------------------------------------------------------------------

CPrivateIdHandler::CPrivateIdHandler(CDoctypeSet* doctypes) : m_doctypes(doctypes) {}

CPrivateIdHandler::~CPrivateIdHandler() = default;

bool CPrivateIdHandler::GetId(const Dom::CNode* node, Core::String& id) {
  if (!node || node->GetNodeType() != Dom::ELEMENT_NODE) return false;
  Core::String attributeName;
  if (!m_doctypes->FindIdAttribute(node->kind->ownerDocument, node->NodeNameView(), attributeName)) return false;
  for (int32_t i = 0; i < node->AttributeCount(); ++i) {
    const Dom::CNode* attribute = node->AttributeAt(i);
    if (attribute->NodeNameView() == attributeName) {
      id.assign(attribute->ValueView());
      return true;
    }
  }
  return false;
}

} // namespace XsltPrivate

