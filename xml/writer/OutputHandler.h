#pragma once
// The stream of result events: implemented by the processor's own handlers
// and by the three serialisers that turn the events into bytes.
#include <cstdint>

#include "core/Interface.h"
#include "core/String.h"

namespace Core {
class IStream;
class IUnicodeStream;
} // namespace Core
namespace Unicode {
class CEncodingMap;
}

namespace Xslt {

class COutputOptions;

// Events come in document order; namespace declarations and attributes follow
// their StartElement directly.
class COutputHandler : public Core::CInterface {
public:
  ~COutputHandler() override = default;

  // Set before StartDocument; each keeps a use of its argument. A handler
  // writes either to a byte stream or to a UTF-16 target: setting one drops
  // the other.
  virtual void SetEncodingHandler(Unicode::CEncodingMap* map) = 0;
  virtual void SetOutputStream(Core::IStream* stream) = 0;
  virtual void SetOutputTarget(Core::IUnicodeStream* target) = 0;
  virtual void SetOutputOptions(COutputOptions* options) = 0;

  virtual void StartDocument() = 0;
  virtual void EndDocument() = 0;
  // noIndent: insert no line breaks inside the element; cdata: its character
  // data goes into CDATA sections.
  virtual void StartElement(Core::StringView name, bool noIndent, bool cdata) = 0;
  virtual void EndElement() = 0;
  // An empty prefix declares the default namespace.
  virtual void NamespaceDeclaration(Core::StringView prefix, Core::StringView uri) = 0;
  virtual void Attribute(Core::StringView name, Core::StringView value) = 0;
  // A count of 0 or less carries no text.
  virtual void Characters(const char16_t* units, int32_t count, bool disableEscaping) = 0;
  virtual void Comment(Core::StringView text) = 0;
  virtual void ProcessingInstruction(Core::StringView target, Core::StringView data) = 0;
};

} // namespace Xslt
