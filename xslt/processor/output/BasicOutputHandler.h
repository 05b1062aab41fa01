#pragma once
// The output handler of a run whose result goes to a stream: it holds what
// the processor and the run give it, and when the result document starts it
// makes the serialiser the output method asks for and forwards every event to
// it unchanged.
#include "core/EncodingMap.h"
#include "core/Interface.h"
#include "core/Stream.h"
#include "xml/writer/OutputHandler.h"
#include "xml/writer/OutputOptions.h"

namespace Xslt {

class CBasicOutputHandler : public COutputHandler {
public:
  CBasicOutputHandler() = default;
  ~CBasicOutputHandler() override;

  void SetEncodingHandler(Unicode::CEncodingMap* map) override { m_encodingMap = map; }
  // A handler writes to a byte stream or to a UTF-16 target, never both.
  void SetOutputStream(Core::IStream* stream) override;
  void SetOutputTarget(Core::IUnicodeStream* target) override;
  void SetOutputOptions(COutputOptions* options) override { m_options = options; }

  // Chooses the serialiser: html and text by their method kind, xml for
  // every other kind and when no method was given. A method given only as a
  // prefixed name throws "Unsupported output method" before anything is written.
  void StartDocument() override;
  // Ends the serialiser's document and drops it; a later StartDocument makes
  // a fresh one over the same collaborators.
  void EndDocument() override;
  void StartElement(Core::StringView name, bool noIndent, bool cdata) override;
  void EndElement() override;
  void NamespaceDeclaration(Core::StringView prefix, Core::StringView uri) override;
  void Attribute(Core::StringView name, Core::StringView value) override;
  void Characters(const char16_t* units, int32_t count, bool disableEscaping) override;
  void Comment(Core::StringView text) override;
  void ProcessingInstruction(Core::StringView target, Core::StringView data) override;

  // The serialiser of the open document, null outside one.
  COutputHandler* GetSerialiser() const { return m_serialiser.Get(); }

private:
  Core::XInterface<Unicode::CEncodingMap> m_encodingMap;
  Core::XInterface<Core::IStream> m_stream;
  Core::XInterface<Core::IUnicodeStream> m_target;
  Core::XInterface<COutputOptions> m_options;
  Core::XInterface<COutputHandler> m_serialiser;
};

// The implementation's factory of result output handlers.
class CBasicOutputHandlerFactory : public Core::CInterface {
public:
  Core::XInterface<COutputHandler> CreateOutputHandler() { return Core::Make<CBasicOutputHandler>(); }
};

} // namespace Xslt
