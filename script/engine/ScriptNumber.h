#pragma once
// The script number: a signed 32-bit integer or an IEEE double. Arithmetic on
// two integers stays an integer while the exact result lies strictly inside
// the 32-bit range (both ends, -2147483648 and 2147483647, become doubles);
// division always gives a double. The integer form never holds -0, NaN or an
// infinity, and no operation turns a double back into an integer: only the
// text conversions choose the form, by the text.
#include <cstdint>

#include "core/String.h"

namespace EcmaScript {

class CScriptNumber {
public:
  CScriptNumber() : m_isInteger(true), m_integer(0) {}
  CScriptNumber(int32_t value) : m_isInteger(true), m_integer(value) {}
  CScriptNumber(double value) : m_isInteger(false), m_double(value) {}

  bool IsInteger() const { return m_isInteger; }
  // Only meaningful in the integer form.
  int32_t GetInteger() const { return m_integer; }
  double ToDouble() const { return m_isInteger ? static_cast<double>(m_integer) : m_double; }

  static const CScriptNumber MaxValue;
  static const CScriptNumber MinValue;
  static const CScriptNumber NaN;
  static const CScriptNumber NegativeZero;
  static const CScriptNumber PositiveInfinity;
  static const CScriptNumber NegativeInfinity;

  bool IsNaN() const;
  bool IsPositiveZero() const;
  bool IsNegativeZero() const;
  bool IsPositiveInfinity() const;
  bool IsNegativeInfinity() const;

  // The machine integers of the language: NaN, infinities and zeros give 0,
  // otherwise the integer part modulo 2^32 (2^16).
  int32_t ToInt32() const;
  uint32_t ToUint32() const;
  uint16_t ToUint16() const;

  // The same as records. ToInteger keeps the integer form, gives integer 0
  // for NaN, keeps infinities and zeros, and truncates the rest as a double.
  CScriptNumber ToInteger() const;
  CScriptNumber ToInt32Number() const;
  // A non-negative integer stays; anything else becomes a double.
  CScriptNumber ToUint32Number() const;
  CScriptNumber ToUint16Number() const;

  // Text as the language writes numbers: integers in decimal; doubles with
  // the shortest digits that read back to the same double, in plain notation
  // for decimal exponents from -6 to 20 and in exponent notation otherwise.
  Core::String ToString() const;
  void AppendTo(Core::String& out) const;

  friend CScriptNumber operator-(CScriptNumber a);
  friend CScriptNumber operator~(CScriptNumber a);
  friend CScriptNumber operator+(CScriptNumber a, CScriptNumber b);
  friend CScriptNumber operator-(CScriptNumber a, CScriptNumber b);
  friend CScriptNumber operator*(CScriptNumber a, CScriptNumber b);
  friend CScriptNumber operator/(CScriptNumber a, CScriptNumber b);
  friend CScriptNumber operator%(CScriptNumber a, CScriptNumber b);
  friend CScriptNumber operator<<(CScriptNumber a, CScriptNumber b);
  friend CScriptNumber operator>>(CScriptNumber a, CScriptNumber b);
  friend CScriptNumber operator&(CScriptNumber a, CScriptNumber b);
  friend CScriptNumber operator|(CScriptNumber a, CScriptNumber b);
  friend CScriptNumber operator^(CScriptNumber a, CScriptNumber b);

  // Callers test IsNaN first; with NaN the answers are those of the doubles.
  friend bool operator<(CScriptNumber a, CScriptNumber b);
  friend bool operator>(CScriptNumber a, CScriptNumber b);
  friend bool operator<=(CScriptNumber a, CScriptNumber b);
  friend bool operator>=(CScriptNumber a, CScriptNumber b);
  friend bool operator==(CScriptNumber a, CScriptNumber b);
  friend bool operator!=(CScriptNumber a, CScriptNumber b);

private:
  bool m_isInteger;
  union {
    int32_t m_integer;
    double m_double;
  };
};

// The zero-fill right shift (>>>); always a double.
CScriptNumber UnsignedShiftRight(CScriptNumber a, CScriptNumber b);

// ToNumber of a string: white space (TAB, LF, VT, FF, CR, space) around it
// is ignored; empty text is 0; "Infinity" with an optional sign; "0x" and
// hexadecimal digits; or a decimal number with an optional sign. False when
// the text is none of these (ToNumber then gives NaN).
bool StringToNumber(Core::StringView text, CScriptNumber& out);

// The text of a numeric literal as the scanner read it: "0x" and
// hexadecimal digits, "0" and octal digits, or an unsigned decimal number.
bool LiteralToNumber(Core::StringView text, CScriptNumber& out);

// Digits in a radix from 2 to 36 (letters in either case): the exact value
// while it fits 32 unsigned bits (an integer below 2^31), otherwise the
// double accumulated digit by digit. Reading stops at the first unit that is
// not a digit of the radix; false when there is none.
bool StringToNumberInRadix(Core::StringView digits, int32_t radix, CScriptNumber& out);

// Decimal digits of an unsigned 32-bit number (array indices).
Core::String UnsignedToString(uint32_t value);

} // namespace EcmaScript
