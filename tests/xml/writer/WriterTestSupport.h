#pragma once
// In-memory streams and a small driver for the serialiser tests.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/EncodingMap.h"
#include "core/Stream.h"
#include "xml/writer/OutputHandler.h"
#include "xml/writer/OutputOptions.h"
#include "xml/writer/WriterException.h"

namespace WriterTest {

// Collects the bytes written; accepts at most `limit` bytes in all, so a
// full disk can be simulated.
class CMemoryStream : public Core::IStream {
public:
  explicit CMemoryStream(size_t limit = SIZE_MAX) : m_limit(limit) {}
  int32_t Read(uint8_t*, int32_t) override { return 0; }
  int32_t Write(const uint8_t* buffer, int32_t count) override {
    ++writes;
    size_t room = m_limit - bytes.size();
    size_t n = static_cast<size_t>(count) < room ? static_cast<size_t>(count) : room;
    bytes.append(reinterpret_cast<const char*>(buffer), n);
    return static_cast<int32_t>(n);
  }
  int32_t Seek(int32_t, int32_t) override { return 0; }
  int32_t Tell() override { return static_cast<int32_t>(bytes.size()); }

  std::string bytes;
  int writes = 0;

private:
  size_t m_limit;
};

class CUnicodeSink : public Core::IUnicodeStream {
public:
  int32_t Read(char16_t*, int32_t) override { return 0; }
  int32_t Write(const char16_t* buffer, int32_t count) override {
    text.append(buffer, count);
    return count;
  }
  int32_t Seek(int32_t, int32_t) override { return 0; }
  int32_t Tell() override { return static_cast<int32_t>(text.size()); }
  Core::String text;
};

using Events = std::function<void(Xslt::COutputHandler&)>;

// Runs a whole document through a new serialiser of type T and returns the bytes.
template <class T>
std::string Serialise(const Events& events, Xslt::COutputOptions* options = nullptr) {
  Core::XInterface<T> writer = Core::Make<T>();
  Core::XInterface<CMemoryStream> stream = Core::Make<CMemoryStream>();
  writer->SetEncodingHandler(Core::Make<Unicode::CEncodingMap>().Get());
  writer->SetOutputStream(stream.Get());
  if (options) writer->SetOutputOptions(options);
  writer->StartDocument();
  events(*writer);
  writer->EndDocument();
  return stream->bytes;
}

// The code and message of the writer exception the document raises, or -1.
template <class T>
std::pair<int32_t, Core::String> SerialiseError(const Events& events, Xslt::COutputOptions* options = nullptr) {
  try {
    Serialise<T>(events, options);
  } catch (const XmlWriter::CWriterException& e) {
    return {e.GetCode(), e.GetMessage()};
  }
  return {-1, u""};
}

inline Core::XInterface<Xslt::COutputOptions> Encoding(Core::StringView name) {
  auto options = Core::Make<Xslt::COutputOptions>();
  options->SetEncoding(name);
  return options;
}

inline void Text(Xslt::COutputHandler& h, Core::StringView text) {
  h.Characters(text.data(), static_cast<int32_t>(text.size()), false);
}

// One element with text content.
inline Events TextIn(Core::StringView name, Core::StringView text) {
  return [=](Xslt::COutputHandler& h) {
    h.StartElement(name, false, false);
    Text(h, text);
    h.EndElement();
  };
}

inline std::string Utf8(Core::StringView text) { return Core::ToUtf8(text); }

} // namespace WriterTest
