#pragma once
// What XSLT needs of each document's DTD, collected while the document is
// parsed: which attribute of an element type is its ID (id(), the ID index)
// and the URI of each unparsed entity (unparsed-entity-uri()). One doctype
// set per run is the DTD handler of every document the run parses; each
// document is registered just before it is parsed. Declarations only ever
// add, and every search takes the first match, so a repeated declaration
// never replaces an earlier one. Names compare as exact strings.
#include <unordered_map>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/parser/Sxp.h"
#include "xml/tree/Dom.h"
#include "xslt/processor/data/IdHandler.h"

namespace XsltPrivate {

class CDoctype : public Core::CInterface {
public:
  explicit CDoctype(const Dom::XNode& document);
  ~CDoctype() override;

  // Only attributes of the ID type are kept.
  void AddIdAttribute(Core::StringView elementName, Core::StringView attributeName, int32_t type,
                      int32_t defaultKind, Core::StringView defaultValue);
  void AddUnparsedEntity(Core::StringView name, Core::StringView publicId, Core::StringView systemId,
                         Core::StringView notationName);
  bool FindIdAttribute(Core::StringView elementName, Core::String& attributeName) const;
  // The system identifier of the entity.
  bool FindUnparsedEntity(Core::StringView name, Core::String& uri) const;

  const Dom::XNode& GetDocument() const { return m_document; }

private:
  struct CElementDecl {
    Core::String elementName;
    Core::String attributeName;
  };
  struct CEntityDecl {
    Core::String entityName;
    Core::String uri;
  };

  Dom::XNode m_document;
  std::vector<CElementDecl> m_elements;
  std::vector<CEntityDecl> m_entities;
};

class CDoctypeSet : public Sxp::IDtdHandler {
public:
  CDoctypeSet();
  ~CDoctypeSet() override;

  // The parser's declarations go to the doctype of the document registered last.
  void AttributeDeclaration(Core::StringView elementName, Core::StringView attributeName, int32_t type,
                            int32_t defaultKind, Core::StringView defaultValue) override;
  void UnparsedEntityDeclaration(Core::StringView name, Core::StringView publicId, Core::StringView systemId,
                                 Core::StringView notationName) override;
  void NotationDeclaration(Core::StringView, Core::StringView, Core::StringView) override {}

  // Makes the document's doctype (created when new) the one that receives
  // declarations. Called before the document is parsed.
  void SetCurrentDocument(const Dom::XNode& document);
  // Forgets the document's doctype, releasing the document.
  void RemoveDocument(const Dom::CNode* document);
  // False for a document without a doctype.
  bool FindIdAttribute(const Dom::CNode* document, Core::StringView elementName, Core::String& attributeName);
  bool FindUnparsedEntity(const Dom::CNode* document, Core::StringView name, Core::String& uri);

private:
  CDoctype* Find(const Dom::CNode* document);

  std::vector<Core::XInterface<CDoctype>> m_doctypes;  // in order of registration
  // The doctype of each registered document: a run may keep thousands.
  std::unordered_map<const Dom::CNode*, CDoctype*> m_byDocument;
  CDoctype* m_current = nullptr;
  // One-entry cache of the last document looked up.
  const Dom::CNode* m_lastDocument = nullptr;
  CDoctype* m_lastDoctype = nullptr;
};

// The run's ID handler over its doctype set.
class CPrivateIdHandler : public Xslt::CIdHandler {
public:
  explicit CPrivateIdHandler(CDoctypeSet* doctypes);
  ~CPrivateIdHandler() override;

  // The value of the element's attribute declared of type ID for its name
  // (the qualified name as written) in its document; false when none is
  // declared or the element lacks it.
  bool GetId(const Dom::CNode* node, Core::String& id) override;

private:
  Core::XInterface<CDoctypeSet> m_doctypes;
};

} // namespace XsltPrivate
