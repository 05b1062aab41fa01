#include "script/builtins/date/DateConversion.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "core/DateTime.h"
#include "script/builtins/date/DateArithmetic.h"

namespace EcmaScript {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr char16_t kPicture[] = u"dd/MM/yyyy HH:mm:ss";

// The 32-bit integer of a number, modulo 2^32 (NaN and infinities give 0).
int32_t ToInt32(double x) {
  if (!std::isfinite(x)) return 0;
  double m = std::fmod(std::trunc(x), 4294967296.0);
  if (m < 0) m += 4294967296.0;
  return static_cast<int32_t>(static_cast<uint32_t>(m));
}

// The calendar record of t's own fields. A year beyond 32 bits would wrap
// into some other year, so it refuses instead.
bool ToRecord(double t, Core::CDateTime& dt) {
  double year = YearFromTime(t);
  if (!(year >= std::numeric_limits<int32_t>::min() && year <= std::numeric_limits<int32_t>::max()))
    return false;
  dt.Set(static_cast<int32_t>(year), ToInt32(MonthFromTime(t)) + 1, ToInt32(DateFromTime(t)),
         ToInt32(HourFromTime(t)), ToInt32(MinFromTime(t)), ToInt32(SecFromTime(t)), ToInt32(msFromTime(t)));
  return true;
}

double FromRecord(const Core::CDateTime& dt) {
  return MakeDate(MakeDay(dt.GetYear(), dt.GetMonth() - 1, dt.GetDay()),
                  MakeTime(dt.GetHour(), dt.GetMinute(), dt.GetSecond(), dt.GetMillisecond()));
}

} // namespace

double LocalTime(double t) {
  Core::CDateTime dt;
  if (!ToRecord(t, dt) || !dt.UtcToLocal()) return kNaN;
  return FromRecord(dt);
}

double UTC(double t) {
  Core::CDateTime dt;
  if (!ToRecord(t, dt) || !dt.LocalToUtc()) return kNaN;
  return FromRecord(dt);
}

double CurrentTime() {
  Core::CDateTime dt;
  dt.Now();
  return FromRecord(dt);
}

Core::String FormatDateString(double t) {
  Core::CDateTime dt;
  if (!std::isfinite(t)) return u"NaN";
  // A year beyond 32 bits is refused by the calendar anyway; year 0 says so.
  if (!ToRecord(t, dt)) dt.Set(0, 1, 1, 0, 0, 0, 0);
  return dt.FormatPicture(kPicture);
}

Core::String FormatLocaleDateString(double t) {
  Core::CDateTime dt;
  if (!std::isfinite(t)) return u"NaN";
  if (!ToRecord(t, dt)) dt.Set(0, 1, 1, 0, 0, 0, 0);
  return dt.FormatLocale();
}

double ParseDateString(Core::StringView text) {
  Core::CDateTime dt;
  if (!dt.Parse(text, kPicture)) return kNaN;
  return FromRecord(dt);
}

} // namespace EcmaScript
