#pragma once
// Helpers for the parser tests: a byte stream over memory, a handler that
// records every event as text, and parse shortcuts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/Stream.h"
#include "core/String.h"
#include "xml/parser/Sxp.h"
#include "xml/parser/XmlException.h"

namespace ParserTest {

class CMemoryStream : public Core::IStream {
public:
  explicit CMemoryStream(std::string bytes, int32_t chunk = 1 << 30) : m_bytes(std::move(bytes)), m_chunk(chunk) {}
  int32_t Read(uint8_t* buffer, int32_t count) override {
    size_t n = std::min<size_t>({static_cast<size_t>(count), m_bytes.size() - m_pos, static_cast<size_t>(m_chunk)});
    std::memcpy(buffer, m_bytes.data() + m_pos, n);
    m_pos += n;
    return static_cast<int32_t>(n);
  }
  int32_t Write(const uint8_t*, int32_t) override { return 0; }
  int32_t Seek(int32_t, int32_t) override { return -1; }
  int32_t Tell() override { return static_cast<int32_t>(m_pos); }

private:
  std::string m_bytes;
  size_t m_pos = 0;
  int32_t m_chunk;
};

// Events as space-separated words: L (locator set), L0 (locator cleared),
// SD, ED, S:name, E, A:name, EA, C:text, SC, EC, SX, EX (CDATA),
// K:name (skipped entity), P:target:data.
class CRecorder : public Sxp::IDocumentHandler {
public:
  std::string log;
  std::vector<int32_t> counts;  // of every Characters call
  bool keepText = true;
  int32_t elements = 0;

  void SetDocumentLocator(Sxp::ILocator* locator) override { Add(locator ? "L" : "L0"); }
  void StartDocument() override { Add("SD"); }
  void EndDocument() override { Add("ED"); }
  void StartElement(Core::StringView name) override {
    ++elements;
    Add("S:" + Core::ToUtf8(name));
  }
  void EndElement() override { Add("E"); }
  void StartAttribute(Core::StringView name) override { Add("A:" + Core::ToUtf8(name)); }
  void EndAttribute() override { Add("EA"); }
  void Characters(const char16_t* units, int32_t count) override {
    counts.push_back(count);
    if (keepText) Add("C:" + Core::ToUtf8(Core::StringView(units, static_cast<size_t>(count))));
  }
  void StartComment() override { Add("SC"); }
  void EndComment() override { Add("EC"); }
  void StartCdata() override { Add("SX"); }
  void EndCdata() override { Add("EX"); }
  void SkippedEntity(Core::StringView name) override { Add("K:" + Core::ToUtf8(name)); }
  void ProcessingInstruction(Core::StringView target, Core::StringView data) override {
    Add("P:" + Core::ToUtf8(target) + ":" + Core::ToUtf8(data));
  }

private:
  void Add(const std::string& word) {
    if (!log.empty()) log += ' ';
    log += word;
  }
};

// DTD declarations as lines: AD elem attr type kind 'value', UE name pub sys
// notation, ND name pub sys.
class CDtdRecorder : public Sxp::IDtdHandler {
public:
  std::vector<std::string> lines;
  void AttributeDeclaration(Core::StringView element, Core::StringView attribute, int32_t type, int32_t kind,
                            Core::StringView value) override {
    lines.push_back("AD " + Core::ToUtf8(element) + " " + Core::ToUtf8(attribute) + " " + std::to_string(type) +
                    " " + std::to_string(kind) + " '" + Core::ToUtf8(value) + "'");
  }
  void UnparsedEntityDeclaration(Core::StringView name, Core::StringView pub, Core::StringView sys,
                                 Core::StringView notation) override {
    lines.push_back("UE " + Core::ToUtf8(name) + " '" + Core::ToUtf8(pub) + "' '" + Core::ToUtf8(sys) + "' " +
                    Core::ToUtf8(notation));
  }
  void NotationDeclaration(Core::StringView name, Core::StringView pub, Core::StringView sys) override {
    lines.push_back("ND " + Core::ToUtf8(name) + " '" + Core::ToUtf8(pub) + "' '" + Core::ToUtf8(sys) + "'");
  }
};

struct CResult {
  bool ok = true;
  std::string message;
  int32_t line = -1;
  int32_t column = -1;
  std::string systemId;
  std::string log;
};

// Parses bytes from memory; the system id is only a name here.
CResult ParseBytes(const std::string& bytes, const std::string& encoding = "", Sxp::IDocumentHandler* handler = nullptr,
                   Sxp::IDtdHandler* dtd = nullptr, int32_t chunk = 1 << 30);

// The events of a well-formed document, or "ERROR <message> <line>:<column>".
std::string Events(const std::string& bytes, const std::string& encoding = "");

// The message of the error a document raises (empty when it parses) with
// its position, as "message @line:column".
std::string Error(const std::string& bytes, const std::string& encoding = "");

} // namespace ParserTest
