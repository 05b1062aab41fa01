#pragma once
// The output events of a result tree fragment, recorded as they were issued:
// a flat stream of 16-bit units in blocks of 4096, so that building a
// fragment costs one allocation per block and nothing per node, and replaying
// it needs no tree.
//
// An event is an opcode unit and its operands. A string is its length (32
// bits as two units, high half first) and its units; a flag is 32 bits like a
// length. Units of one event may lie in two blocks.
#include <cstdint>
#include <memory>
#include <vector>

#include "core/String.h"
#include "xpath/Number.h"

namespace XsltPrivate {

class COutputElementStack;

class CEventRecording {
public:
  static constexpr int32_t kChunkSize = 4096;

  // Opcodes; only the low 8 bits of an opcode unit are read.
  enum : char16_t {
    kStartDocument = 1,
    kEndDocument = 2,
    kStartElement = 3,         // qualified name, namespace URI
    kEndElement = 4,           //
    kStartAttribute = 5,       // qualified name, namespace URI
    kEndAttribute = 6,         //
    kStartNamespace = 7,       // prefix
    kEndNamespace = 8,         //
    kCharacters = 9,           // flag (bit 0: output escaping disabled), text
    kStartComment = 10,        //
    kEndComment = 11,          //
    kProcessingInstruction = 12, // target, data
  };

  CEventRecording() = default;
  ~CEventRecording();
  CEventRecording(const CEventRecording&) = delete;
  CEventRecording& operator=(const CEventRecording&) = delete;

  // Writing: Begin, the events, End. Begin drops anything recorded before.
  void Begin();
  void End();
  void StartElement(Core::StringView qualifiedName, Core::StringView namespaceUri);
  void EndElement() { Put(kEndElement); }
  void StartAttribute(Core::StringView qualifiedName, Core::StringView namespaceUri);
  void EndAttribute() { Put(kEndAttribute); }
  void StartNamespace(Core::StringView prefix);
  void EndNamespace() { Put(kEndNamespace); }
  void Characters(const char16_t* units, int32_t count, bool disableEscaping);
  void StartComment() { Put(kStartComment); }
  void EndComment() { Put(kEndComment); }
  void ProcessingInstruction(Core::StringView target, Core::StringView data);

  // Reading, after End. Replay sends the events between the start and the
  // end of the document to the stack, which places them where it stands.
  void Replay(COutputElementStack& stack) const;
  // The same without the attributes and namespace nodes that come before
  // every other node: the content of an element that could not be made.
  void ReplayContent(COutputElementStack& stack) const;
  // The text outside attributes, namespace nodes, comments and processing
  // instructions, in order.
  Core::String GetStringValue() const;
  // The string value read as an XPath number; NaN when it is not one.
  Xpath::CNumber GetNumber() const;

  // The finished blocks: every one but the last holds kChunkSize units.
  size_t GetChunkCount() const { return m_chunks.size(); }
  int64_t GetUnitCount() const {
    return m_chunks.empty() ? 0 : static_cast<int64_t>(m_chunks.size() - 1) * kChunkSize + m_lastSize;
  }

private:
  class CReader;

  void Replay(COutputElementStack& stack, bool skipLeadingAttributes) const;

  void Put(char16_t unit) {
    if (m_used == kChunkSize || !m_current) NextChunk();
    m_current[m_used++] = unit;
  }
  void Put(const char16_t* units, size_t count);
  void PutNumber(uint32_t value) {
    Put(static_cast<char16_t>(value >> 16));
    Put(static_cast<char16_t>(value & 0xFFFF));
  }
  void PutString(Core::StringView text);
  // Files the full current block and starts a new one.
  void NextChunk();

  std::vector<std::unique_ptr<char16_t[]>> m_chunks;
  std::unique_ptr<char16_t[]> m_current;
  int32_t m_used = 0;
  // Units in the last finished block.
  int32_t m_lastSize = 0;
};

} // namespace XsltPrivate
