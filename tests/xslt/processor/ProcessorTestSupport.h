#pragma once
// Shared fixtures of the processor tests: a stream that collects what is
// written to it, documents parsed from text in the test, and files in a
// temporary folder.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "core/Stream.h"
#include "core/String.h"
#include "core/StringStream.h"
#include "xml/parser/Sxp.h"
#include "xml/tree/DocumentFactory.h"
#include "xml/tree/Dom.h"
#include "xml/xslt/LocationHandler.h"

namespace ProcessorTest {

// Collects every Write; also counts the calls.
class CStringWriter : public Core::IUnicodeStream {
public:
  int32_t Read(char16_t*, int32_t) override { return 0; }
  int32_t Write(const char16_t* buffer, int32_t count) override {
    text.append(buffer, size_t(count));
    ++writes;
    return count;
  }
  int32_t Seek(int32_t, int32_t) override { return 0; }
  int32_t Tell() override { return int32_t(text.size()); }

  Core::String text;
  int writes = 0;
};

inline std::string Utf8(Core::StringView text) { return Core::ToUtf8(text); }

// Parses markup under a system id into a new document of the factory.
inline Dom::XNode ParseText(BasicXdm::CDocumentFactory& factory, Core::StringView markup,
                            Core::StringView systemId = u"file:///test.xml",
                            Xslt::CLocationHandler* location = nullptr, Sxp::IDtdHandler* dtd = nullptr) {
  Dom::XNode document = factory.CreateDocument();
  Core::XInterface<Sxp::IParser> parser = XmlParserPrivate::CParserFactory().CreateParser();
  parser->SetDocumentHandler(factory.CreateDocumentHandler(document, nullptr, location));
  parser->SetDtdHandler(Core::XInterface<Sxp::IDtdHandler>(dtd));
  Core::XInterface<XmlParserPrivate::CInputSource> source(new XmlParserPrivate::CInputSource());
  source->SetCharacterStream(Core::XInterface<Core::IUnicodeStream>(new Core::CStringStream(markup)));
  source->SetSystemId(Core::String(systemId));
  parser->ParseInputSource(source.Get());
  return document;
}

// The first element of that qualified name in document order, or none.
inline Dom::XNode FindElement(const Dom::XNode& root, Core::StringView name) {
  for (Dom::CNode* child = root->FirstChild(); child; child = child->NextSibling()) {
    if (child->GetNodeType() != Dom::ELEMENT_NODE) continue;
    if (child->NodeNameView() == name) return Dom::XNode(child);
    if (Dom::XNode found = FindElement(Dom::XNode(child), name)) return found;
  }
  return {};
}

// A folder of its own under the system's temporary folder, removed with the object.
class CTempFolder {
public:
  CTempFolder() {
    static int serial = 0;
    m_path = std::filesystem::temp_directory_path() /
             ("kelto-processor-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
    std::filesystem::create_directories(m_path);
  }
  ~CTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }

  // Writes the bytes to a file of the folder and returns its file URL.
  Core::String Write(const std::string& name, const std::string& bytes) {
    std::ofstream(m_path / name, std::ios::binary) << bytes;
    return Url(name);
  }
  Core::String Url(const std::string& name) const { return Core::FromUtf8("file://" + (m_path / name).string()); }

private:
  std::filesystem::path m_path;
};

} // namespace ProcessorTest
