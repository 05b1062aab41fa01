#pragma once
// The XML serialiser.
#include <vector>

#include "xml/writer/OutputWriter.h"

namespace XsltPrivate {

class CXmlOutputHandler : public XmlWriter::COutputWriter {
public:
  CXmlOutputHandler();
  ~CXmlOutputHandler() override;

  void StartDocument() override;
  void EndDocument() override;
  void StartElement(Core::StringView name, bool noIndent, bool cdata) override;
  void EndElement() override;
  void NamespaceDeclaration(Core::StringView prefix, Core::StringView uri) override;
  void Attribute(Core::StringView name, Core::StringView value) override;
  void Characters(const char16_t* units, int32_t count, bool disableEscaping) override;
  void Comment(Core::StringView text) override;
  void ProcessingInstruction(Core::StringView target, Core::StringView data) override;

protected:
  struct CItem {
    Core::String name;
    bool noIndent = false;
    bool cdata = false;
    // Used by the HTML writer only.
    bool html = false;
    bool empty = false;
    bool rawText = false;
  };

  // Reads the version, encoding and indent options with the given defaults
  // and checks the syntax of what the stylesheet gave.
  void SettleOptions(const char16_t* defaultVersion, bool defaultIndent);
  // Encoder, buffer, empty stack, byte-order mark.
  void Prepare();

  virtual void CloseStartTag();
  void CloseCdata();
  void Indent();
  CItem& Push(Core::StringView name, bool noIndent, bool cdata);
  CItem& Top() { return m_stack[m_top]; }
  void Pop() { --m_top; }
  void PutQuoted(Core::StringView text) {
    Put(u"\"");
    PutVerbatim(text);
    Put(u"\"");
  }

  Core::String m_version;
  Core::String m_encodingName;
  bool m_indent = false;
  bool m_startTagOpen = false;
  bool m_cdataOpen = false;
  bool m_doctypePending = false;
  // Item 0 stands for the document level; items above m_top are kept for reuse.
  std::vector<CItem> m_stack;
  size_t m_top = 0;
  static constexpr int32_t kIndentStep = 2;
  int32_t m_indentLevel = 0;
  bool m_mayIndent = false;

private:
  void WriteDeclaration();
  void WriteDoctype(Core::StringView name);
};

} // namespace XsltPrivate
