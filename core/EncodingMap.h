#pragma once
// The encodings the system reads and writes, found by name.
#include "core/Array.h"
#include "core/Encoding.h"

namespace Unicode {

class CEncodingMap : public Core::CInterface {
public:
  // UTF-8, UTF-16 (big-endian) and ISO-8859-1, in that order.
  CEncodingMap();

  void Add(Core::XInterface<CEncoding> encoding);

  // The first encoding whose name equals the given one without regard to the
  // case of ASCII letters; null when none does. No use is added: hold the
  // result in an XInterface to keep it beyond the map.
  CEncoding* Find(Core::StringView name) const;

private:
  Core::XArray<Core::XInterface<CEncoding>> m_encodings;  // released last first
};

} // namespace Unicode
