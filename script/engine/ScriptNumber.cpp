#include "script/engine/ScriptNumber.h"

#include <cmath>
#include <limits>

namespace EcmaScript {

namespace {

constexpr double kTwo32 = 4294967296.0;

// An exact integer result keeps the integer form only strictly inside the
// 32-bit range.
CScriptNumber FromWide(int64_t value) {
  if (value >= -2147483647LL && value <= 2147483646LL) return CScriptNumber(static_cast<int32_t>(value));
  return CScriptNumber(static_cast<double>(value));
}

bool BothInteger(const CScriptNumber& a, const CScriptNumber& b) { return a.IsInteger() && b.IsInteger(); }

// floor(|x|) modulo the modulus, complemented for negative x; the low 32 bits.
uint32_t Modular(double x, double modulus) {
  if (std::isnan(x) || std::isinf(x) || x == 0.0) return 0;
  double m = std::fmod(std::floor(std::fabs(x)), modulus);
  if (x < 0) m = modulus - m;
  return static_cast<uint32_t>(static_cast<uint64_t>(m));
}

} // namespace

const CScriptNumber CScriptNumber::MaxValue(std::numeric_limits<double>::max());
const CScriptNumber CScriptNumber::MinValue(std::numeric_limits<double>::denorm_min());
const CScriptNumber CScriptNumber::NaN(std::numeric_limits<double>::quiet_NaN());
const CScriptNumber CScriptNumber::NegativeZero(-0.0);
const CScriptNumber CScriptNumber::PositiveInfinity(std::numeric_limits<double>::infinity());
const CScriptNumber CScriptNumber::NegativeInfinity(-std::numeric_limits<double>::infinity());

bool CScriptNumber::IsNaN() const { return !m_isInteger && std::isnan(m_double); }
bool CScriptNumber::IsPositiveZero() const {
  return m_isInteger ? m_integer == 0 : (m_double == 0.0 && !std::signbit(m_double));
}
bool CScriptNumber::IsNegativeZero() const { return !m_isInteger && m_double == 0.0 && std::signbit(m_double); }
bool CScriptNumber::IsPositiveInfinity() const {
  return !m_isInteger && m_double == std::numeric_limits<double>::infinity();
}
bool CScriptNumber::IsNegativeInfinity() const {
  return !m_isInteger && m_double == -std::numeric_limits<double>::infinity();
}

int32_t CScriptNumber::ToInt32() const {
  return m_isInteger ? m_integer : static_cast<int32_t>(Modular(m_double, kTwo32));
}
uint32_t CScriptNumber::ToUint32() const {
  return m_isInteger ? static_cast<uint32_t>(m_integer) : Modular(m_double, kTwo32);
}
uint16_t CScriptNumber::ToUint16() const {
  return m_isInteger ? static_cast<uint16_t>(m_integer) : static_cast<uint16_t>(Modular(m_double, 65536.0));
}

CScriptNumber CScriptNumber::ToInteger() const {
  if (m_isInteger) return *this;
  if (std::isnan(m_double)) return CScriptNumber(0);
  if (std::isinf(m_double) || m_double == 0.0) return *this;
  double t = std::floor(std::fabs(m_double));
  return CScriptNumber(m_double < 0 ? -t : t);
}

CScriptNumber CScriptNumber::ToInt32Number() const {
  return m_isInteger ? *this : CScriptNumber(static_cast<double>(ToInt32()));
}

CScriptNumber CScriptNumber::ToUint32Number() const {
  if (m_isInteger && m_integer >= 0) return *this;
  return CScriptNumber(static_cast<double>(ToUint32()));
}

CScriptNumber CScriptNumber::ToUint16Number() const {
  if (m_isInteger) return CScriptNumber(static_cast<int32_t>(m_integer & 0xFFFF));
  return CScriptNumber(static_cast<double>(ToUint16()));
}

CScriptNumber operator-(CScriptNumber a) {
  if (a.m_isInteger) {
    if (a.m_integer == std::numeric_limits<int32_t>::min()) return CScriptNumber(2147483648.0);
    return CScriptNumber(-a.m_integer);  // -(0) stays integer 0
  }
  return CScriptNumber(-a.m_double);
}

CScriptNumber operator~(CScriptNumber a) {
  if (a.m_isInteger) return CScriptNumber(~a.m_integer);
  return CScriptNumber(static_cast<double>(~a.ToInt32()));
}

CScriptNumber operator+(CScriptNumber a, CScriptNumber b) {
  if (BothInteger(a, b)) return FromWide(int64_t(a.m_integer) + b.m_integer);
  return CScriptNumber(a.ToDouble() + b.ToDouble());
}

CScriptNumber operator-(CScriptNumber a, CScriptNumber b) {
  if (BothInteger(a, b)) return FromWide(int64_t(a.m_integer) - b.m_integer);
  return CScriptNumber(a.ToDouble() - b.ToDouble());
}

CScriptNumber operator*(CScriptNumber a, CScriptNumber b) {
  // An integer zero product is +0 even with a negative factor.
  if (BothInteger(a, b)) return FromWide(int64_t(a.m_integer) * b.m_integer);
  return CScriptNumber(a.ToDouble() * b.ToDouble());
}

CScriptNumber operator/(CScriptNumber a, CScriptNumber b) { return CScriptNumber(a.ToDouble() / b.ToDouble()); }

CScriptNumber operator%(CScriptNumber a, CScriptNumber b) {
  if (BothInteger(a, b) && b.m_integer != 0 &&
      !(a.m_integer == std::numeric_limits<int32_t>::min() && b.m_integer == -1)) {
    return CScriptNumber(a.m_integer % b.m_integer);
  }
  return CScriptNumber(std::fmod(a.ToDouble(), b.ToDouble()));
}

CScriptNumber operator<<(CScriptNumber a, CScriptNumber b) {
  if (BothInteger(a, b)) {
    return CScriptNumber(static_cast<int32_t>(static_cast<uint32_t>(a.m_integer) << (b.m_integer & 31)));
  }
  uint32_t shifted = static_cast<uint32_t>(a.ToInt32()) << (b.ToUint32() & 31);
  return CScriptNumber(static_cast<double>(static_cast<int32_t>(shifted)));
}

CScriptNumber operator>>(CScriptNumber a, CScriptNumber b) {
  if (BothInteger(a, b)) return CScriptNumber(a.m_integer >> (b.m_integer & 31));
  return CScriptNumber(static_cast<double>(a.ToInt32() >> (b.ToUint32() & 31)));
}

CScriptNumber UnsignedShiftRight(CScriptNumber a, CScriptNumber b) {
  return CScriptNumber(static_cast<double>(a.ToUint32() >> (b.ToUint32() & 31)));
}

CScriptNumber operator&(CScriptNumber a, CScriptNumber b) {
  if (BothInteger(a, b)) return CScriptNumber(a.m_integer & b.m_integer);
  return CScriptNumber(static_cast<double>(a.ToInt32() & b.ToInt32()));
}

CScriptNumber operator|(CScriptNumber a, CScriptNumber b) {
  if (BothInteger(a, b)) return CScriptNumber(a.m_integer | b.m_integer);
  return CScriptNumber(static_cast<double>(a.ToInt32() | b.ToInt32()));
}

CScriptNumber operator^(CScriptNumber a, CScriptNumber b) {
  if (BothInteger(a, b)) return CScriptNumber(a.m_integer ^ b.m_integer);
  return CScriptNumber(static_cast<double>(a.ToInt32() ^ b.ToInt32()));
}

bool operator<(CScriptNumber a, CScriptNumber b) {
  return BothInteger(a, b) ? a.m_integer < b.m_integer : a.ToDouble() < b.ToDouble();
}
bool operator>(CScriptNumber a, CScriptNumber b) {
  return BothInteger(a, b) ? a.m_integer > b.m_integer : a.ToDouble() > b.ToDouble();
}
bool operator<=(CScriptNumber a, CScriptNumber b) {
  return BothInteger(a, b) ? a.m_integer <= b.m_integer : a.ToDouble() <= b.ToDouble();
}
bool operator>=(CScriptNumber a, CScriptNumber b) {
  return BothInteger(a, b) ? a.m_integer >= b.m_integer : a.ToDouble() >= b.ToDouble();
}
bool operator==(CScriptNumber a, CScriptNumber b) {
  return BothInteger(a, b) ? a.m_integer == b.m_integer : a.ToDouble() == b.ToDouble();
}
bool operator!=(CScriptNumber a, CScriptNumber b) {
  return BothInteger(a, b) ? a.m_integer != b.m_integer : a.ToDouble() != b.ToDouble();
}

} // namespace EcmaScript
