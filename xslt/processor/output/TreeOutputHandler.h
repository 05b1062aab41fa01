#pragma once
// An output handler that builds the result as nodes under a given node of a
// document tree that can be modified. The tree's failures (a read-only tree
// refuses every creation) pass out of the event that caused them.
#include "xml/tree/Dom.h"
#include "xml/writer/OutputHandler.h"

namespace XsltPrivate {

class CXdmOutputHandler : public Xslt::COutputHandler {
public:
  CXdmOutputHandler() = default;
  ~CXdmOutputHandler() override;

  // The node the result is built under.
  void SetNode(const Dom::XNode& node) { m_target = node; }

  void SetEncodingHandler(Unicode::CEncodingMap*) override {}
  void SetOutputStream(Core::IStream*) override {}
  void SetOutputTarget(Core::IUnicodeStream*) override {}
  void SetOutputOptions(Xslt::COutputOptions*) override {}

  void StartDocument() override;
  void EndDocument() override;
  void StartElement(Core::StringView name, bool noIndent, bool cdata) override;
  void EndElement() override;
  void NamespaceDeclaration(Core::StringView prefix, Core::StringView uri) override;
  void Attribute(Core::StringView name, Core::StringView value) override;
  // Consecutive character data fills one text node.
  void Characters(const char16_t* units, int32_t count, bool disableEscaping) override;
  void Comment(Core::StringView text) override;
  void ProcessingInstruction(Core::StringView target, Core::StringView data) override;

private:
  void EndText() { m_pendingText = nullptr; }
  void SetAttribute(Core::StringView name, Core::StringView value);

  Dom::XNode m_target;
  Dom::XNode m_document;
  Dom::XNode m_current;
  Dom::XNode m_pendingText;
};

} // namespace XsltPrivate
