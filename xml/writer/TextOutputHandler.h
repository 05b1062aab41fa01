#pragma once
// The text serialiser: the character data of the result and nothing else.
#include "xml/writer/OutputWriter.h"

namespace XsltPrivate {

class CTextOutputHandler : public XmlWriter::COutputWriter {
public:
  CTextOutputHandler();
  ~CTextOutputHandler() override;

  void StartDocument() override;
  void EndDocument() override;
  void StartElement(Core::StringView, bool, bool) override {}
  void EndElement() override {}
  void NamespaceDeclaration(Core::StringView, Core::StringView) override {}
  void Attribute(Core::StringView, Core::StringView) override {}
  void Characters(const char16_t* units, int32_t count, bool disableEscaping) override;
  void Comment(Core::StringView) override {}
  void ProcessingInstruction(Core::StringView, Core::StringView) override {}

private:
  Core::String m_encodingName;
};

} // namespace XsltPrivate
