#pragma once
// Shared pieces of the fuzz targets: a byte stream over the fuzzer's input
// and a parse into a fresh tree.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/Stream.h"
#include "core/String.h"
#include "xml/parser/Sxp.h"
#include "xml/tree/DocumentFactory.h"
#include "xml/tree/Dom.h"
#include "xml/xslt/SpaceHandler.h"

namespace Fuzz {

// A fuzz target found a broken invariant: abort so the fuzzer keeps the input.
#define KELTO_FUZZ_CHECK(condition) \
  do {                              \
    if (!(condition)) abort();      \
  } while (0)

// Reads the bytes in pieces of at most chunk bytes, so buffer refills land
// anywhere in the document.
class CMemoryStream : public Core::IStream {
public:
  CMemoryStream(const uint8_t* data, size_t size, int32_t chunk) : m_data(data), m_size(size), m_chunk(chunk) {}
  int32_t Read(uint8_t* buffer, int32_t count) override {
    size_t n = std::min<size_t>({static_cast<size_t>(count), m_size - m_pos, static_cast<size_t>(m_chunk)});
    if (n) std::memcpy(buffer, m_data + m_pos, n);
    m_pos += n;
    return static_cast<int32_t>(n);
  }
  int32_t Write(const uint8_t*, int32_t) override { return 0; }
  int32_t Seek(int32_t, int32_t) override { return -1; }
  int32_t Tell() override { return static_cast<int32_t>(m_pos); }

private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 0;
  int32_t m_chunk;
};

// Keeps a copy of every declaration it hears, as a real client must.
class CDtdCollector : public Sxp::IDtdHandler {
public:
  void AttributeDeclaration(Core::StringView element, Core::StringView attribute, int32_t type, int32_t kind,
                            Core::StringView value) override {
    KELTO_FUZZ_CHECK(type >= Sxp::AttributeTypeCdata && type <= Sxp::AttributeTypeEnumeration);
    KELTO_FUZZ_CHECK(kind >= Sxp::DefaultRequired && kind <= Sxp::DefaultValue);
    Keep(element, attribute, value);
  }
  void UnparsedEntityDeclaration(Core::StringView name, Core::StringView publicId, Core::StringView systemId,
                                 Core::StringView notation) override {
    Keep(name, publicId, systemId);
    Keep(notation, {}, {});
  }
  void NotationDeclaration(Core::StringView name, Core::StringView publicId, Core::StringView systemId) override {
    Keep(name, publicId, systemId);
  }

private:
  void Keep(Core::StringView a, Core::StringView b, Core::StringView c) {
    m_text.append(a).append(b).append(c);
    if (m_text.size() > (1 << 16)) m_text.clear();
  }
  Core::String m_text;
};

// Parses the bytes into a new document of the factory. False when the parser
// or the builder raised an error (the half-built tree is then dropped); the
// error's message and place then go to error when it is given.
// The encoding, when not empty, is the one the caller names.
inline bool ParseDocument(BasicXdm::CDocumentFactory& factory, const uint8_t* data, size_t size, int32_t chunk,
                          bool stripSpace, Dom::XNode& document, Core::String* error = nullptr,
                          Core::StringView encoding = {}) {
  document = factory.CreateDocument();
  Core::XInterface<Xslt::CSpaceHandler> space;
  if (stripSpace) {
    space = Core::Make<Xslt::CSpaceHandler>();
    space->AddRule(std::nullopt, std::nullopt, 0, false);
    space->AddRule(Core::StringView(u""), Core::StringView(u"keep"), 0, true);
  }
  Core::XInterface<Sxp::IParser> parser = Core::Make<XmlParserPrivate::CParserFactory>()->CreateParser();
  parser->SetDocumentHandler(factory.CreateDocumentHandler(document, space.Get(), nullptr));
  parser->SetDtdHandler(Core::Make<CDtdCollector>());
  Core::XInterface<XmlParserPrivate::CInputSource> source = Core::Make<XmlParserPrivate::CInputSource>();
  source->SetByteStream(Core::Make<CMemoryStream>(data, size, chunk));
  source->SetSystemId(u"fuzz.xml");
  source->SetEncoding(Core::String(encoding));
  try {
    parser->ParseInputSource(source.Get());
  } catch (const Sxp::CParseException& e) {
    KELTO_FUZZ_CHECK(!e.GetMessage().empty());
    if (error) {
      *error = e.GetMessage() + u" @" + Core::FromUtf8(std::to_string(e.GetLineNumber())) + u":" +
                Core::FromUtf8(std::to_string(e.GetColumnNumber()));
    }
    document = nullptr;
    return false;
  } catch (const Core::IException& e) {
    KELTO_FUZZ_CHECK(!e.GetMessage().empty());
    if (error) *error = e.GetMessage();
    document = nullptr;
    return false;
  }
  return true;
}

} // namespace Fuzz
