#pragma once
// An output handler that keeps only the character data it receives, for
// instructions that turn their content into text.
#include "core/String.h"
#include "xml/writer/OutputHandler.h"

namespace XsltPrivate {

class CStringOutputHandler : public Xslt::COutputHandler {
public:
  void SetEncodingHandler(Unicode::CEncodingMap*) override {}
  void SetOutputStream(Core::IStream*) override {}
  void SetOutputTarget(Core::IUnicodeStream*) override {}
  void SetOutputOptions(Xslt::COutputOptions*) override {}

  // Starts a new text.
  void StartDocument() override { m_text.clear(); }
  void EndDocument() override {}
  void StartElement(Core::StringView, bool, bool) override {}
  void EndElement() override {}
  void NamespaceDeclaration(Core::StringView, Core::StringView) override {}
  void Attribute(Core::StringView, Core::StringView) override {}
  void Characters(const char16_t* units, int32_t count, bool) override {
    if (count > 0) m_text.append(units, static_cast<size_t>(count));
  }
  void Comment(Core::StringView) override {}
  void ProcessingInstruction(Core::StringView, Core::StringView) override {}

  const Core::String& GetText() const { return m_text; }
  Core::String TakeText() { return std::move(m_text); }

private:
  Core::String m_text;
};

} // namespace XsltPrivate
