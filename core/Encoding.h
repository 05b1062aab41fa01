#pragma once
// Character encodings between bytes and UTF-16 units, converting piece by
// piece through buffers the caller supplies. The objects hold no state, so
// one may serve any number of streams at once.
#include <cstdint>

#include "core/Interface.h"
#include "core/String.h"

namespace Unicode {

class CEncoding : public Core::CInterface {
public:
  virtual Core::String GetName() const = 0;

  // Decodes bytes into at most unitCapacity units; returns the units written
  // and sets consumed to the bytes they came from. It stops
  //  - when the units are full (a character needing a surrogate pair is not
  //    started with one unit of room left);
  //  - before a sequence cut off by the end of the bytes: incomplete is set,
  //    and the caller decodes again with more bytes or, at the end of its
  //    input, reports the truncation;
  //  - before a malformed sequence: malformed is set to its length in bytes
  //    (at least 1), starting at bytes[consumed]. Units decoded before it are
  //    written, so a caller that drains them and calls again gets 0 units
  //    and the malformed sequence at the start.
  virtual int32_t Decode(const uint8_t* bytes, int32_t byteCount, int32_t& consumed, char16_t* units,
                         int32_t unitCapacity, bool& incomplete, int32_t& malformed) const = 0;

  // Decode that writes U+FFFD for each malformed sequence and goes on, for
  // readers that tolerate bad input. Truncation is still reported through
  // incomplete.
  int32_t DecodeReplacing(const uint8_t* bytes, int32_t byteCount, int32_t& consumed, char16_t* units,
                          int32_t unitCapacity, bool& incomplete) const;

  // Encodes units into at most byteCapacity bytes; returns the units
  // consumed and sets written to the bytes written. It stops before a
  // character that does not fit, which may leave free bytes behind (the
  // caller flushes its buffer and encodes again), and before a character the
  // encoding cannot represent, setting unencodable. An unpaired surrogate is
  // never representable.
  virtual int32_t Encode(const char16_t* units, int32_t unitCount, uint8_t* bytes, int32_t byteCapacity,
                         int32_t& written, bool& unencodable) const = 0;

  // The number of units at the start of the text that cannot be represented
  // (0 when the first character can).
  virtual int32_t CountUnencodable(const char16_t* units, int32_t count) const = 0;

  // The byte-order mark as UTF-16 units to be written through Encode;
  // length 0 when the encoding has none.
  virtual const char16_t* GetByteOrderMark(int32_t& length) const = 0;
};

class CUtf8Encoding : public CEncoding {
public:
  Core::String GetName() const override { return u"UTF-8"; }
  int32_t Decode(const uint8_t* bytes, int32_t byteCount, int32_t& consumed, char16_t* units,
                 int32_t unitCapacity, bool& incomplete, int32_t& malformed) const override;
  int32_t Encode(const char16_t* units, int32_t unitCount, uint8_t* bytes, int32_t byteCapacity,
                 int32_t& written, bool& unencodable) const override;
  int32_t CountUnencodable(const char16_t* units, int32_t count) const override;
  const char16_t* GetByteOrderMark(int32_t& length) const override;
};

class CUtf16Encoding : public CEncoding {
public:
  explicit CUtf16Encoding(bool bigEndian) : m_bigEndian(bigEndian) {}
  bool IsBigEndian() const { return m_bigEndian; }
  Core::String GetName() const override { return u"UTF-16"; }
  int32_t Decode(const uint8_t* bytes, int32_t byteCount, int32_t& consumed, char16_t* units,
                 int32_t unitCapacity, bool& incomplete, int32_t& malformed) const override;
  int32_t Encode(const char16_t* units, int32_t unitCount, uint8_t* bytes, int32_t byteCapacity,
                 int32_t& written, bool& unencodable) const override;
  int32_t CountUnencodable(const char16_t* units, int32_t count) const override;
  const char16_t* GetByteOrderMark(int32_t& length) const override;

private:
  bool m_bigEndian;
};

class CIso88591Encoding : public CEncoding {
public:
  Core::String GetName() const override { return u"ISO-8859-1"; }
  int32_t Decode(const uint8_t* bytes, int32_t byteCount, int32_t& consumed, char16_t* units,
                 int32_t unitCapacity, bool& incomplete, int32_t& malformed) const override;
  int32_t Encode(const char16_t* units, int32_t unitCount, uint8_t* bytes, int32_t byteCapacity,
                 int32_t& written, bool& unencodable) const override;
  int32_t CountUnencodable(const char16_t* units, int32_t count) const override;
  const char16_t* GetByteOrderMark(int32_t& length) const override;
};

} // namespace Unicode
