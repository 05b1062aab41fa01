#pragma once
// What the three serialisers share: the streams, the settled encoder, the
// output buffer and the ways text is escaped and encoded on its way out.
#include <cstdint>
#include <memory>

#include "core/Interface.h"
#include "core/String.h"
#include "core/StringHelpers.h"
#include "xml/writer/OutputHandler.h"
#include "xml/writer/OutputOptions.h"

namespace Core {
class IStream;
class IUnicodeStream;
} // namespace Core
namespace Unicode {
class CEncoding;
class CEncodingMap;
} // namespace Unicode

namespace XmlWriter {

class COutputWriter : public Xslt::COutputHandler {
public:
  static constexpr int32_t kBufferSize = 0x6000;

  COutputWriter();
  ~COutputWriter() override;

  void SetEncodingHandler(Unicode::CEncodingMap* map) override;
  void SetOutputStream(Core::IStream* stream) override;
  void SetOutputTarget(Core::IUnicodeStream* target) override;
  void SetOutputOptions(Xslt::COutputOptions* options) override;

protected:
  // How character data is escaped on its way out.
  enum class EEscape : uint8_t {
    kText,          // & < >
    kAttribute,     // & < > " LF
    kHtmlAttribute, // & (not before '{') > " LF
    kNone,          // raw script and style text
  };

  // The options given, or an empty record made on first use.
  Xslt::COutputOptions& Options();

  // Finds the encoder, makes the buffer and writes the byte-order mark.
  void PrepareOutput(const Core::String& encodingName);
  // Writes the buffered bytes to the byte stream; a failed or short write throws.
  void Flush();

  // The output path: encodes as many units as the encoder can represent and
  // returns how many it took, so the caller sees where an unencodable unit stopped it.
  int32_t Put(const char16_t* units, int32_t count);
  // Markup the writer makes itself, ASCII only: copied straight into the
  // buffer when the encoding keeps ASCII as single bytes.
  void Put(Core::StringView text) {
    if (m_asciiBytes && text.size() <= size_t(kBufferSize - m_fill)) {
      int32_t n = static_cast<int32_t>(text.size());
      uint8_t* out = m_buffer.get() + m_fill;
      for (int32_t i = 0; i < n; ++i) out[i] = static_cast<uint8_t>(text[i]);
      m_fill += n;
    } else {
      Core::ForEachPiece(text, [this](const char16_t* units, int32_t count) { PutAll(units, count); });
    }
  }
  // Text that is always encodable (markup the writer makes itself).
  void PutAll(const char16_t* units, int32_t count);
  void PutLineEnd() { Put(u"\r\n"); }
  void PutSpaces(int32_t count);

  // Names, comments, processing instructions and plain text output: written
  // unchanged; a unit the encoding cannot hold throws "Unsupported character".
  void PutVerbatim(const char16_t* units, int32_t count);
  void PutVerbatim(Core::StringView text) {
    Core::ForEachPiece(text, [this](const char16_t* units, int32_t count) { PutVerbatim(units, count); });
  }

  // Character data and attribute values: escaped, and characters the encoding
  // cannot hold written as decimal character references.
  void PutEscaped(const char16_t* units, int32_t count, EEscape mode);
  void PutEscaped(Core::StringView text, EEscape mode) {
    Core::ForEachPiece(text, [this, mode](const char16_t* units, int32_t count) { PutEscaped(units, count, mode); });
  }

  // CDATA content of an open section. "]]>" in the text splits the section;
  // a character the encoding cannot hold closes it for its reference and
  // reopens it when text follows. Returns whether the section is still open.
  bool PutCdata(const char16_t* units, int32_t count);

  // Comment text and processing-instruction data, made well-formed: a space
  // follows a '-' that precedes another '-' or ends the comment, and "?>"
  // becomes "? >".
  void PutCommentText(Core::StringView text);
  void PutProcessingInstructionData(Core::StringView data);

  Core::XInterface<Xslt::COutputOptions> m_options;
  Core::XInterface<Unicode::CEncodingMap> m_encodingMap;
  Core::XInterface<Core::IStream> m_stream;
  Core::XInterface<Core::IUnicodeStream> m_target;
  Core::XInterface<Unicode::CEncoding> m_encoder;
  bool m_started = false;

private:
  // Encodes an unencodable stretch at the start of [units, end) as
  // references; returns where it ended.
  const char16_t* PutReferences(const char16_t* units, const char16_t* end);
  // Put of a run that may hold unencodable characters.
  void PutRun(const char16_t* units, const char16_t* end);
  [[noreturn]] void ThrowUnsupported(char16_t unit);

  std::unique_ptr<uint8_t[]> m_buffer;
  int32_t m_fill = 0;
  // Whether the encoding holds surrogate pairs, so that a surrogate it
  // refuses is an unpaired one.
  bool m_pairsEncodable = true;
  // Whether ASCII units encode as the bytes of the same value (and there is a buffer).
  bool m_asciiBytes = false;
  // ']' units at the end of what the open CDATA section holds (at most 2).
  int m_cdataBrackets = 0;

protected:
  void ResetCdataBrackets() { m_cdataBrackets = 0; }
};

} // namespace XmlWriter
