#pragma once
// Where print() writes: standard output by default; tools and tests put
// their own sink in its place.
#include "core/Interface.h"
#include "core/String.h"

namespace EcmaScript {

class IPrintSink : public Core::CInterface {
public:
  // One line of text, without its line feed.
  virtual void PrintLine(Core::StringView text) = 0;
};

// Writes each line as UTF-8 with a line feed to standard output and flushes
// it. Unpaired surrogates become U+FFFD; U+0000 is written as a zero byte.
class CStandardOutputSink : public IPrintSink {
public:
  void PrintLine(Core::StringView text) override;
};

} // namespace EcmaScript
