#pragma once
// The base of every compiled piece of a stylesheet: which stylesheet node it
// came from, the namespaces in scope there and the extension and excluded
// namespaces in force. Also the content list (the compiled children of an
// element) and its compilation.
#include <cstdint>

#include "core/Array.h"
#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"

namespace XsltPrivate {

class CInstruction;
class CNamespaceMap;
class CNamespaceUriArray;
class CStaticContext;

// Compiled children of an element, in document order.
using CContentList = Core::XArray<Core::XInterface<CInstruction>>;

void AppendInstruction(CContentList& content, const Core::XInterface<CInstruction>& instruction);
inline bool IsContentEmpty(const CContentList& content) { return content.GetSize() == 0; }

class CStylesheetElement : public Core::CInterface {
public:
  CStylesheetElement();
  ~CStylesheetElement() override;

  // The common first step of every Compile: name, node identity, namespace
  // map and the two namespace lists of the context's element.
  void Compile(CStaticContext& context);

  // The qualified name of the stylesheet node; names it in error reports.
  const Core::String& GetNodeName() const { return m_nodeName; }
  Dom::CNodeIdentity GetNodeId() const { return m_nodeId; }
  CNamespaceMap* GetNamespaceMap() const { return m_namespaceMap.Get(); }
  CNamespaceUriArray* GetExtensionNamespaces() const { return m_extensionNamespaces.Get(); }
  CNamespaceUriArray* GetExcludedNamespaces() const { return m_excludedNamespaces.Get(); }

  // Compiles every child of the context's element into content: text,
  // instructions, extension elements and literal result elements.
  static void CompileContent(CContentList& content, CStaticContext& context);
  // One child, given its own static context.
  static void CompileChild(CContentList& content, CStaticContext& childContext);

private:
  Core::String m_nodeName;
  Dom::CNodeIdentity m_nodeId{0, 0};
  Core::XInterface<CNamespaceMap> m_namespaceMap;
  Core::XInterface<CNamespaceUriArray> m_extensionNamespaces;
  Core::XInterface<CNamespaceUriArray> m_excludedNamespaces;
};

} // namespace XsltPrivate
