#pragma once
// A calendar date and time of day as seven numbers, with the operating
// system's clock, UTC/local conversion and locale texts behind it. No time
// arithmetic of its own.
#include <cstdint>

#include "core/String.h"

namespace Core {

class CDateTime {
public:
  // 1970-01-01 00:00:00.000.
  CDateTime() = default;

  // Stores the values unchanged; nothing is checked here.
  void Set(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute, int32_t second,
           int32_t millisecond);

  int32_t GetYear() const { return m_year; }
  int32_t GetMonth() const { return m_month; }
  int32_t GetDay() const { return m_day; }
  int32_t GetHour() const { return m_hour; }
  int32_t GetMinute() const { return m_minute; }
  int32_t GetSecond() const { return m_second; }
  int32_t GetMillisecond() const { return m_millisecond; }

  // The current UTC time, to the millisecond.
  void Now();
  // Convert in place; false with the record unchanged when the fields are not
  // a valid date and time of the years 1601 to 30827, or the result is not.
  bool UtcToLocal();
  bool LocalToUtc();

  // The date in the locale's default date format, one blank, the time in its
  // default time format. An invalid date gives ""; an invalid time ends the
  // text after the blank.
  String FormatLocale() const;
  // The picture is split before its first h, H, m, s or t: the date part and
  // the time part (each trimmed) are formatted with the picture letters d, M,
  // y, g and h, H, m, s, t, joined by one blank. No such letter gives "".
  String FormatPicture(StringView picture) const;
  // Reads "day/month/year hour:minute:second" (six decimal numbers, the
  // picture is not consulted); false with the record unchanged otherwise.
  bool Parse(StringView text, StringView picture);

private:
  int32_t m_year = 1970;
  int32_t m_month = 1;
  int32_t m_day = 1;
  int32_t m_hour = 0;
  int32_t m_minute = 0;
  int32_t m_second = 0;
  int32_t m_millisecond = 0;
};

} // namespace Core
