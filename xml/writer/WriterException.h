#pragma once
// Failures of the XML, HTML and text serialisers (and of choosing one).
#include "core/Exception.h"

namespace XmlWriter {

extern const Core::CMessageItem g_writerMessages[];

class CWriterException : public Core::CCodedException {
public:
  enum : int32_t {
    kUnsupportedMethod = 0,
    kUnsupportedEncoding = 1,
    kInvalidVersion = 2,
    kInvalidEncodingName = 3,
    kInvalidSurrogatePair = 4,
    kUnsupportedCharacter = 5,
    kWriteFailed = 7, // 6 stays unassigned: it has always fallen back to the default text
  };

  explicit CWriterException(int32_t code, Core::String arg1 = {}, Core::String arg2 = {})
      : Core::CCodedException(g_writerMessages, code, 2, std::move(arg1), std::move(arg2)) {}

protected:
  // For derived families that read their codes from a table of their own.
  CWriterException(const Core::CMessageItem* table, int32_t code, Core::String arg1, Core::String arg2)
      : Core::CCodedException(table, code, 2, std::move(arg1), std::move(arg2)) {}
};

} // namespace XmlWriter
