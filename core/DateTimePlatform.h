#pragma once
// The operating-system side of CDateTime: clock, time zone and the names and
// default formats of the locale's date and time category.
#include "core/DateTime.h"

namespace Core::DateTimePlatform {

void CurrentUtc(CDateTime& dt);
// The fields are valid when these are called; false when the system cannot
// convert them.
bool UtcToLocal(CDateTime& dt);
bool LocalToUtc(CDateTime& dt);

// The date and time category of the environment's locale, read without
// touching the process-wide locale.
class CTimeLocale {
public:
  CTimeLocale();
  ~CTimeLocale();
  CTimeLocale(const CTimeLocale&) = delete;
  CTimeLocale& operator=(const CTimeLocale&) = delete;

  // The default date or time text; false when the system gives none.
  bool DefaultDate(const CDateTime& dt, String& out) const;
  bool DefaultTime(const CDateTime& dt, String& out) const;
  // weekday 0 = Sunday; month 1 to 12.
  String DayName(int32_t weekday, bool abbreviated) const;
  String MonthName(int32_t month, bool abbreviated) const;
  String TimeMarker(bool pm) const;

private:
  bool Format(const char* format, const CDateTime& dt, String& out) const;
  String Item(int item) const;

  void* m_locale;  // locale_t
  bool m_utf8;
};

} // namespace Core::DateTimePlatform
