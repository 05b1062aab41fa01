#pragma once
// The receiver of xsl:message content. It has the shape of an output handler:
// xsl:message runs its content into it as result events.
#include "core/Stream.h"
#include "xml/writer/OutputHandler.h"

namespace Xslt {

using CMessageHandler = COutputHandler;

// Writes the character data of a message to the message stream, exactly as
// it comes, and ends a message that did not end its own line with a line
// feed, so messages and the reports after them never run together. Every
// other event is ignored. Without a message stream the text is dropped.
class CBasicMessageHandler : public CMessageHandler {
public:
  explicit CBasicMessageHandler(Core::IUnicodeStream* messageStream);
  ~CBasicMessageHandler() override;

  void SetEncodingHandler(Unicode::CEncodingMap*) override {}
  void SetOutputStream(Core::IStream*) override {}
  void SetOutputTarget(Core::IUnicodeStream*) override {}
  void SetOutputOptions(COutputOptions*) override {}
  void StartDocument() override { m_lineOpen = false; }
  void EndDocument() override;
  void StartElement(Core::StringView, bool, bool) override {}
  void EndElement() override {}
  void NamespaceDeclaration(Core::StringView, Core::StringView) override {}
  void Attribute(Core::StringView, Core::StringView) override {}
  void Characters(const char16_t* units, int32_t count, bool disableEscaping) override;
  void Comment(Core::StringView) override {}
  void ProcessingInstruction(Core::StringView, Core::StringView) override {}

private:
  Core::XInterface<Core::IUnicodeStream> m_messageStream;
  bool m_lineOpen = false;  // text written since the last line feed
};

} // namespace Xslt
