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

// Parses the bytes into a new document of the factory. False when the parser
// or the builder raised an error (the half-built tree is then dropped); the
// error's message and place then go to error when it is given.
inline bool ParseDocument(BasicXdm::CDocumentFactory& factory, const uint8_t* data, size_t size, int32_t chunk,
                          bool stripSpace, Dom::XNode& document, Core::String* error = nullptr) {
  document = factory.CreateDocument();
  Core::XInterface<Xslt::CSpaceHandler> space;
  if (stripSpace) {
    space = Core::Make<Xslt::CSpaceHandler>();
    space->AddRule(std::nullopt, std::nullopt, 0, false);
    space->AddRule(Core::StringView(u""), Core::StringView(u"keep"), 0, true);
  }
  Core::XInterface<Sxp::IParser> parser = Core::Make<XmlParserPrivate::CParserFactory>()->CreateParser();
  parser->SetDocumentHandler(factory.CreateDocumentHandler(document, space.Get(), nullptr));
  Core::XInterface<XmlParserPrivate::CInputSource> source = Core::Make<XmlParserPrivate::CInputSource>();
  source->SetByteStream(Core::Make<CMemoryStream>(data, size, chunk));
  source->SetSystemId(u"fuzz.xml");
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
