#pragma once
// The HTML serialiser: the XML writer's mechanics with HTML's empty elements,
// raw script and style text, boolean and URI attributes and the META element.
#include "xml/writer/XmlOutputHandler.h"

namespace XsltPrivate {

class CHtmlOutputHandler : public CXmlOutputHandler {
public:
  CHtmlOutputHandler();
  ~CHtmlOutputHandler() override;

  void StartDocument() override;
  void StartElement(Core::StringView name, bool noIndent, bool cdata) override;
  void EndElement() override;
  void Attribute(Core::StringView name, Core::StringView value) override;
  void Characters(const char16_t* units, int32_t count, bool disableEscaping) override;
  void ProcessingInstruction(Core::StringView target, Core::StringView data) override;

protected:
  void CloseStartTag() override;

private:
  void WriteMeta();
  void WriteDoctype();
  Core::String m_uriScratch;
};

} // namespace XsltPrivate
