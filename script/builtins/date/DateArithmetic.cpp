#include "script/builtins/date/DateArithmetic.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace EcmaScript {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Years whose first day counts exactly in 64-bit integers and in doubles
// (day numbers stay well below 2^53). Valid time values span about
// 275,000 years either way; years beyond this limit only come from absurd
// arguments, and they give NaN instead of rounded nonsense.
constexpr double kMaxYear = 1e13;
constexpr double kMaxDay = kMaxYear * 366.0;

int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

bool IsLeap(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int64_t FirstDayOfYear(int64_t y) {
  return 365 * (y - 1970) + FloorDiv(y - 1969, 4) - FloorDiv(y - 1901, 100) + FloorDiv(y - 1601, 400);
}

// The year holding day d, by estimate and correction: the estimate is off by
// at most one year, so each loop runs at most twice.
int64_t YearOfDay(int64_t d) {
  int64_t y = 1970 + static_cast<int64_t>(std::floor(static_cast<double>(d) / 365.2425));
  while (FirstDayOfYear(y) > d) --y;
  while (FirstDayOfYear(y + 1) <= d) ++y;
  return y;
}

// Days before the first of each month in a common year.
constexpr int32_t kMonthStart[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

// The calendar position of a time value, found once for all its fields.
struct CYearDay {
  int64_t year;
  int32_t dayInYear;  // 0-based
  bool leap;
};

bool Locate(double t, CYearDay& out) {
  if (!std::isfinite(t)) return false;
  double day = std::floor(t / msPerDay);
  if (std::fabs(day) > kMaxDay) return false;
  int64_t d = static_cast<int64_t>(day);
  out.year = YearOfDay(d);
  out.dayInYear = static_cast<int32_t>(d - FirstDayOfYear(out.year));
  out.leap = IsLeap(out.year);
  return true;
}

int32_t MonthOf(const CYearDay& yd) {
  int32_t leap = yd.leap ? 1 : 0;
  if (yd.dayInYear < 31) return 0;
  int32_t m = 1;
  while (m < 11 && yd.dayInYear >= kMonthStart[m + 1] + leap) ++m;
  return m;
}

// Finite results only: an intermediate that overflowed is no date.
double Finite(double x) { return std::isfinite(x) ? x : kNaN; }

} // namespace

double Modulo(double x, double y) {
  double r = std::fmod(x, y);
  if (r < 0) r += y;
  return r + 0.0;  // -0 is +0 here, as for integers
}

double Day(double t) { return Finite(std::floor(t / msPerDay) + 0.0); }

double TimeWithinDay(double t) { return Modulo(t, msPerDay); }

double DaysInYear(double year) {
  if (std::isnan(year)) return kNaN;
  if (std::fmod(year, 4) != 0) return 365;
  if (std::fmod(year, 100) != 0) return 366;
  if (std::fmod(year, 400) != 0) return 365;
  return 366;
}

double DayFromYear(double year) {
  if (std::isnan(year)) return kNaN;
  if (std::fabs(year) <= kMaxYear && year == std::trunc(year))
    return static_cast<double>(FirstDayOfYear(static_cast<int64_t>(year)));
  return Finite(365 * (year - 1970) + std::floor((year - 1969) / 4) - std::floor((year - 1901) / 100) +
                std::floor((year - 1601) / 400));
}

double YearFromTime(double t) {
  CYearDay yd;
  return Locate(t, yd) ? static_cast<double>(yd.year) : kNaN;
}

double InLeapYear(double t) {
  CYearDay yd;
  return Locate(t, yd) ? (yd.leap ? 1 : 0) : kNaN;
}

double DayWithinYear(double t) {
  CYearDay yd;
  return Locate(t, yd) ? yd.dayInYear : kNaN;
}

double MonthFromTime(double t) {
  CYearDay yd;
  return Locate(t, yd) ? MonthOf(yd) : kNaN;
}

double DateFromTime(double t) {
  CYearDay yd;
  if (!Locate(t, yd)) return kNaN;
  int32_t m = MonthOf(yd);
  int32_t before = kMonthStart[m] + (m >= 2 && yd.leap ? 1 : 0);
  return yd.dayInYear - before + 1;
}

double WeekDay(double t) { return Modulo(Day(t) + 4, 7); }

double HourFromTime(double t) { return Modulo(std::floor(t / msPerHour), HoursPerDay); }

double MinFromTime(double t) { return Modulo(std::floor(t / msPerMinute), MinutesPerHour); }

double SecFromTime(double t) { return Modulo(std::floor(t / msPerSecond), MinutesPerHour); }

double msFromTime(double t) { return Modulo(t, msPerSecond); }

double MakeTime(double hour, double minute, double second, double millisecond) {
  if (!std::isfinite(hour) || !std::isfinite(minute) || !std::isfinite(second) || !std::isfinite(millisecond))
    return kNaN;
  return Finite(std::trunc(hour) * msPerHour + std::trunc(minute) * msPerMinute +
                std::trunc(second) * msPerSecond + std::trunc(millisecond) + 0.0);
}

double MakeDay(double year, double month, double date) {
  if (!std::isfinite(year) || !std::isfinite(month) || !std::isfinite(date)) return kNaN;
  double y = std::trunc(year), m = std::trunc(month), dt = std::trunc(date);
  double ym = y + std::floor(m / 12);
  if (!(std::fabs(ym) <= kMaxYear)) return kNaN;
  int64_t fullYear = static_cast<int64_t>(ym);
  int32_t mn = static_cast<int32_t>(Modulo(m, 12));
  int64_t first = FirstDayOfYear(fullYear) + kMonthStart[mn] + (mn >= 2 && IsLeap(fullYear) ? 1 : 0);
  return Finite(static_cast<double>(first) + dt - 1 + 0.0);
}

double MakeDate(double day, double time) {
  if (!std::isfinite(day) || !std::isfinite(time)) return kNaN;
  return Finite(day * msPerDay + time);
}

double TimeClip(double t) {
  if (!std::isfinite(t) || std::fabs(t) > MaxTimeValue) return kNaN;
  return std::trunc(t) + 0.0;
}

} // namespace EcmaScript
