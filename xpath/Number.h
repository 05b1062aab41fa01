#pragma once
// The XPath number: an IEEE double with the XPath rounding and the XPath text
// forms (fixed notation with at most six fraction digits, never an exponent).
#include <cstdint>

#include "core/String.h"

namespace Xpath {

class CNumber {
public:
  // Leaves the value unset in the sense of the language; it is zero here so
  // that nothing ever reads an indeterminate double.
  CNumber() = default;
  CNumber(double value) : m_value(value) {}
  CNumber(int32_t value) : m_value(static_cast<double>(value)) {}

  CNumber operator=(double value) {
    m_value = value;
    return *this;
  }

  double GetValue() const { return m_value; }
  // Truncated toward zero; NaN gives 0 and values beyond the 32-bit range
  // saturate at its ends.
  int32_t ToInt() const;

  static CNumber NaN();
  static CNumber NegativeZero();

  friend CNumber operator+(CNumber a, CNumber b) { return a.m_value + b.m_value; }
  friend CNumber operator-(CNumber a, CNumber b) { return a.m_value - b.m_value; }
  friend CNumber operator*(CNumber a, CNumber b) { return a.m_value * b.m_value; }
  friend CNumber operator/(CNumber a, CNumber b) { return a.m_value / b.m_value; }
  // XPath mod: the remainder of the truncating division, signed like the dividend.
  friend CNumber operator%(CNumber a, CNumber b);
  CNumber operator-() const { return -m_value; }

  bool IsNaN() const;
  bool IsPositiveZero() const;
  bool IsNegativeZero() const;
  bool IsPositiveInfinity() const;
  bool IsNegativeInfinity() const;

  // IEEE comparisons: false whenever NaN takes part, except !=.
  friend bool operator==(CNumber a, CNumber b) { return a.m_value == b.m_value; }
  friend bool operator!=(CNumber a, CNumber b) { return !(a.m_value == b.m_value); }
  friend bool operator<(CNumber a, CNumber b) { return a.m_value < b.m_value; }
  friend bool operator<=(CNumber a, CNumber b) { return a.m_value <= b.m_value; }
  friend bool operator>(CNumber a, CNumber b) { return a.m_value > b.m_value; }
  friend bool operator>=(CNumber a, CNumber b) { return a.m_value >= b.m_value; }

  CNumber Floor() const;
  CNumber Ceiling() const;
  CNumber Round() const;

  Core::String ToString() const;
  // Appends the text to out; the hot path of string() and of result output.
  void AppendTo(Core::String& out) const;

  // Only an optional "-", digits and one "." between blanks (space, tab, CR,
  // LF). On false the out number is left as it was.
  static bool FromString(Core::StringView text, CNumber& out);

private:
  double m_value = 0.0;
};

} // namespace Xpath
