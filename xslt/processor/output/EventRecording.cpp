#include "xslt/processor/output/EventRecording.h"

#include <algorithm>
#include <cstring>

#include "xpath/ValueConverter.h"
#include "xslt/processor/output/OutputElementStack.h"

namespace XsltPrivate {

CEventRecording::~CEventRecording() = default;

void CEventRecording::NextChunk() {
  if (m_current) {
    m_chunks.push_back(std::move(m_current));
    m_lastSize = kChunkSize;
  }
  m_current = std::make_unique_for_overwrite<char16_t[]>(kChunkSize);
  m_used = 0;
}

void CEventRecording::Put(const char16_t* units, size_t count) {
  while (count > 0) {
    if (m_used == kChunkSize || !m_current) NextChunk();
    size_t n = std::min(count, static_cast<size_t>(kChunkSize - m_used));
    std::memcpy(m_current.get() + m_used, units, n * sizeof(char16_t));
    m_used += static_cast<int32_t>(n);
    units += n;
    count -= n;
  }
}

void CEventRecording::PutString(Core::StringView text) {
  PutNumber(static_cast<uint32_t>(text.size()));
  Put(text.data(), text.size());
}

void CEventRecording::Begin() {
  m_chunks.clear();
  m_current.reset();
  m_lastSize = 0;
  NextChunk();
  Put(kStartDocument);
}

void CEventRecording::End() {
  Put(kEndDocument);
  // The last block is kept at its exact size: a fragment is read many times
  // and most fragments are small.
  auto last = std::make_unique_for_overwrite<char16_t[]>(static_cast<size_t>(m_used));
  std::memcpy(last.get(), m_current.get(), static_cast<size_t>(m_used) * sizeof(char16_t));
  m_chunks.push_back(std::move(last));
  m_lastSize = m_used;
  m_current.reset();
  m_used = 0;
}

void CEventRecording::StartElement(Core::StringView qualifiedName, Core::StringView namespaceUri) {
  Put(kStartElement);
  PutString(qualifiedName);
  PutString(namespaceUri);
}

void CEventRecording::StartAttribute(Core::StringView qualifiedName, Core::StringView namespaceUri) {
  Put(kStartAttribute);
  PutString(qualifiedName);
  PutString(namespaceUri);
}

void CEventRecording::StartNamespace(Core::StringView prefix) {
  Put(kStartNamespace);
  PutString(prefix);
}

void CEventRecording::Characters(const char16_t* units, int32_t count, bool disableEscaping) {
  Put(kCharacters);
  PutNumber(disableEscaping ? 1 : 0);
  PutString(Core::StringView(units, count > 0 ? static_cast<size_t>(count) : 0));
}

void CEventRecording::ProcessingInstruction(Core::StringView target, Core::StringView data) {
  Put(kProcessingInstruction);
  PutString(target);
  PutString(data);
}

// Walks the finished blocks. A stream cut short (never the case for a
// recording that was ended) reads as its end.
class CEventRecording::CReader {
public:
  explicit CReader(const CEventRecording& recording) : m_recording(recording) {}

  bool Next(char16_t& unit) {
    if (!Settle()) return false;
    unit = m_recording.m_chunks[m_chunk][m_pos++];
    return true;
  }

  bool ReadNumber(uint32_t& value) {
    char16_t high, low;
    if (!Next(high) || !Next(low)) return false;
    value = (static_cast<uint32_t>(high) << 16) | low;
    return true;
  }

  // A string that lies in one block is given in place; one that spans
  // blocks is gathered into scratch.
  bool ReadString(Core::StringView& out, Core::String& scratch) {
    uint32_t length;
    if (!ReadNumber(length)) return false;
    if (length == 0) {
      out = Core::StringView();
      return true;
    }
    if (!Settle()) return false;
    if (static_cast<uint32_t>(m_end - m_pos) >= length) {
      out = Core::StringView(m_recording.m_chunks[m_chunk].get() + m_pos, length);
      m_pos += static_cast<int32_t>(length);
      return true;
    }
    scratch.clear();
    if (!Append(length, &scratch)) return false;
    out = scratch;
    return true;
  }

  // Appends the next length units to out, or skips them when out is null.
  bool Append(uint32_t length, Core::String* out) {
    while (length > 0) {
      if (!Settle()) return false;
      uint32_t n = std::min(length, static_cast<uint32_t>(m_end - m_pos));
      if (out) out->append(m_recording.m_chunks[m_chunk].get() + m_pos, n);
      m_pos += static_cast<int32_t>(n);
      length -= n;
    }
    return true;
  }

  bool SkipString() {
    uint32_t length;
    return ReadNumber(length) && Append(length, nullptr);
  }

private:
  // Moves to the next block when this one is used up; false at the end.
  bool Settle() {
    while (m_pos >= m_end) {
      if (m_started) ++m_chunk;
      m_started = true;
      if (m_chunk >= m_recording.m_chunks.size()) return false;
      m_pos = 0;
      m_end = m_chunk + 1 == m_recording.m_chunks.size() ? m_recording.m_lastSize : kChunkSize;
    }
    return true;
  }

  const CEventRecording& m_recording;
  size_t m_chunk = 0;
  int32_t m_pos = 0;
  int32_t m_end = 0;
  bool m_started = false;
};

void CEventRecording::Replay(COutputElementStack& stack) const { Replay(stack, false); }

void CEventRecording::ReplayContent(COutputElementStack& stack) const { Replay(stack, true); }

void CEventRecording::Replay(COutputElementStack& stack, bool skipLeadingAttributes) const {
  CReader reader(*this);
  Core::String scratch0, scratch1;
  Core::StringView s0, s1;
  char16_t unit;
  // While skipping: how many skipped attributes or namespace nodes are open.
  int32_t skipped = 0;
  while (reader.Next(unit)) {
    if (skipLeadingAttributes) {
      switch (unit & 0xFF) {
      case kStartDocument:
        continue;
      case kStartAttribute:
        if (!reader.SkipString() || !reader.SkipString()) return;
        ++skipped;
        continue;
      case kStartNamespace:
        if (!reader.SkipString()) return;
        ++skipped;
        continue;
      case kEndAttribute:
      case kEndNamespace:
        if (skipped > 0) {
          --skipped;
          continue;
        }
        break;
      case kCharacters:
        if (skipped > 0) {
          uint32_t flag;
          if (!reader.ReadNumber(flag) || !reader.SkipString()) return;
          continue;
        }
        break;
      default:
        break;
      }
      skipLeadingAttributes = false;
    }
    switch (unit & 0xFF) {
    case kEndDocument:
      return;
    case kStartElement:
      if (!reader.ReadString(s0, scratch0) || !reader.ReadString(s1, scratch1)) return;
      stack.StartElement(s0, s1);
      break;
    case kEndElement:
      stack.EndElement();
      break;
    case kStartAttribute:
      if (!reader.ReadString(s0, scratch0) || !reader.ReadString(s1, scratch1)) return;
      stack.StartAttribute(s0, s1);
      break;
    case kEndAttribute:
      stack.EndAttribute();
      break;
    case kStartNamespace:
      if (!reader.ReadString(s0, scratch0)) return;
      stack.StartNamespace(s0);
      break;
    case kEndNamespace:
      stack.EndNamespace();
      break;
    case kCharacters: {
      uint32_t flag;
      if (!reader.ReadNumber(flag) || !reader.ReadString(s0, scratch0)) return;
      stack.Characters(s0.data(), static_cast<int32_t>(s0.size()), (flag & 1) != 0);
      break;
    }
    case kStartComment:
      stack.StartComment();
      break;
    case kEndComment:
      stack.EndComment();
      break;
    case kProcessingInstruction:
      if (!reader.ReadString(s0, scratch0) || !reader.ReadString(s1, scratch1)) return;
      stack.ProcessingInstruction(s0, s1);
      break;
    default:
      // The start of the document, and anything unknown, carries no operands.
      break;
    }
  }
}

Core::String CEventRecording::GetStringValue() const {
  CReader reader(*this);
  Core::String text;
  // Nodes whose text is not content: attributes, namespace nodes, comments.
  int32_t inside = 0;
  char16_t unit;
  while (reader.Next(unit)) {
    switch (unit & 0xFF) {
    case kEndDocument:
      return text;
    case kStartElement:
    case kProcessingInstruction:
      if (!reader.SkipString() || !reader.SkipString()) return text;
      break;
    case kStartAttribute:
      if (!reader.SkipString() || !reader.SkipString()) return text;
      ++inside;
      break;
    case kStartNamespace:
      if (!reader.SkipString()) return text;
      ++inside;
      break;
    case kStartComment:
      ++inside;
      break;
    case kEndAttribute:
    case kEndNamespace:
    case kEndComment:
      if (inside > 0) --inside;
      break;
    case kCharacters: {
      uint32_t flag, length;
      if (!reader.ReadNumber(flag) || !reader.ReadNumber(length)) return text;
      if (!reader.Append(length, inside == 0 ? &text : nullptr)) return text;
      break;
    }
    default:
      break;
    }
  }
  return text;
}

Xpath::CNumber CEventRecording::GetNumber() const {
  return Xpath::CValueConverter::StringToNumber(GetStringValue());
}

} // namespace XsltPrivate
