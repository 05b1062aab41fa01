#pragma once
// The tree builder: turns the parser's events into a document tree, the only
// code that creates nodes. One builder fills one document, from StartDocument
// to EndDocument; the tree is complete only after EndDocument.
#include <cstdint>
#include <utility>
#include <vector>

#include "core/Interface.h"
#include "xml/parser/Sxp.h"
#include "xml/tree/DocumentFactory.h"
#include "xml/tree/DocumentStore.h"
#include "xml/tree/Dom.h"
#include "xml/xslt/LocationHandler.h"
#include "xml/xslt/SpaceHandler.h"

namespace SxpXdm {

class CXdmDocumentHandler : public Sxp::IDocumentHandler {
public:
  // The document is not counted: its creator keeps it alive.
  CXdmDocumentHandler(Dom::CDocumentNode* document, Xslt::CSpaceHandler* spaceHandler,
                      Xslt::CLocationHandler* locationHandler);
  ~CXdmDocumentHandler() override;
  // Told what the document holds when it is complete. Not counted: a
  // factory may live on its user's stack, and it outlives every parse into
  // the documents it made.
  void SetSizeNote(BasicXdm::CDocumentFactory* factory) { m_sizeNote = factory; }

  void SetDocumentLocator(Sxp::ILocator* locator) override;
  void StartDocument() override;
  void EndDocument() override;
  void StartElement(Core::StringView qualifiedName) override;
  void EndElement() override;
  void StartAttribute(Core::StringView qualifiedName) override;
  void EndAttribute() override;
  void Characters(const char16_t* units, int32_t count) override;
  void StartComment() override;
  void EndComment() override;
  void StartCdata() override {}
  void EndCdata() override {}
  void SkippedEntity(Core::StringView) override {}
  void ProcessingInstruction(Core::StringView target, Core::StringView data) override;

private:
  template <class T>
  T* AllocateRecord(Dom::EKindSlot kind);
  template <class T>
  void LinkChild(T* record);
  void SetNextSibling(Dom::CNode* node, Dom::CNode* next);
  void CloseStartTag();
  void FlushText();
  void MoveOpenElement();
  Dom::CNamespaceNode* DeclarePrefix(Core::StringView prefix);
  const Dom::CName* ResolveName(Core::StringView qualifiedName, bool element, bool forbidUndeclared);
  void ReserveText(size_t count);
  void OpenRun();
  const char16_t* CopyText(Core::StringView text);
  void Report(const Dom::CNode* node);

  Dom::CDocumentNode* m_document;
  Core::XInterface<Xslt::CSpaceHandler> m_spaceHandler;
  Core::XInterface<Xslt::CLocationHandler> m_locationHandler;
  Core::XInterface<Sxp::ILocator> m_locator;  // where errors of the builder are placed
  Dom::CDocumentStore* m_store = nullptr;
  BasicXdm::CDocumentFactory* m_sizeNote = nullptr;
  size_t m_nodeBytes = 0;  // records made
  size_t m_textUnits = 0;  // units kept in text blocks

  char* m_nodeFill = nullptr;
  char* m_nodeEnd = nullptr;
  char16_t* m_textFill = nullptr;
  char16_t* m_textEnd = nullptr;
  int32_t m_nextNodeIndex = 1;

  Dom::CNode* m_parent = nullptr;
  Dom::CNode* m_firstChild = nullptr;
  Dom::CNode* m_lastChild = nullptr;
  Dom::CNode* m_previousSibling = nullptr;
  Dom::CElementNode* m_openElement = nullptr;
  Dom::CAttributeNode* m_attribute = nullptr;
  Dom::CNamespaceNode* m_namespaceNode = nullptr;
  Dom::CCommentNode* m_comment = nullptr;
  bool m_textPending = false;
  char16_t* m_runStart = nullptr;
  bool m_runAllSpace = true;
  Dom::CNamespaceScope* m_scope = nullptr;

  bool m_ownScope = false;
  bool m_unresolvedPrefix = false;
  bool m_startTagOpen = false;
  bool m_elementMoved = false;

  bool m_stripEnabled = false;
  bool m_preserveInEffect = true;
  bool m_keepWhitespace = true;
  std::vector<std::pair<bool, bool>> m_whitespaceStack;
};

} // namespace SxpXdm
