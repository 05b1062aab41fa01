#include <langinfo.h>
#include <locale.h>
#include <time.h>

#include <cstring>

#include "core/DateTimePlatform.h"

namespace Core::DateTimePlatform {

namespace {

struct tm ToTm(const CDateTime& dt) {
  struct tm t {};
  t.tm_year = dt.GetYear() - 1900;
  t.tm_mon = dt.GetMonth() - 1;
  t.tm_mday = dt.GetDay();
  t.tm_hour = dt.GetHour();
  t.tm_min = dt.GetMinute();
  t.tm_sec = dt.GetSecond();
  t.tm_isdst = -1;
  return t;
}

void FromTm(const struct tm& t, int32_t millisecond, CDateTime& dt) {
  dt.Set(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, millisecond);
}

} // namespace

void CurrentUtc(CDateTime& dt) {
  struct timespec now {};
  clock_gettime(CLOCK_REALTIME, &now);
  struct tm t {};
  gmtime_r(&now.tv_sec, &t);
  FromTm(t, static_cast<int32_t>(now.tv_nsec / 1000000), dt);
}

bool UtcToLocal(CDateTime& dt) {
  struct tm t = ToTm(dt);
  t.tm_isdst = 0;
  time_t instant = timegm(&t);
  // localtime_r need not notice a changed TZ by itself.
  tzset();
  struct tm local {};
  if (!localtime_r(&instant, &local)) return false;
  FromTm(local, dt.GetMillisecond(), dt);
  return true;
}

bool LocalToUtc(CDateTime& dt) {
  struct tm t = ToTm(dt);
  t.tm_wday = -1;  // mktime's -1 is also a valid instant; this tells failure apart
  time_t instant = mktime(&t);
  if (t.tm_wday == -1) return false;
  struct tm utc {};
  if (!gmtime_r(&instant, &utc)) return false;
  FromTm(utc, dt.GetMillisecond(), dt);
  return true;
}

// Only the time category of the environment's locale: setlocale would change
// how every number in the process is read and written.
CTimeLocale::CTimeLocale() : m_locale(nullptr), m_utf8(true) {
  locale_t loc = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
  if (!loc) loc = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(0));
  m_locale = loc;
  if (loc) {
    // The object's LC_CTYPE is "C", so ask the time category for its codeset.
    const char* codeset = nl_langinfo_l(_NL_TIME_CODESET, loc);
    m_utf8 = !codeset || !*codeset || std::strcmp(codeset, "UTF-8") == 0 ||
             std::strcmp(codeset, "ANSI_X3.4-1968") == 0;
  }
}

CTimeLocale::~CTimeLocale() {
  if (m_locale) freelocale(static_cast<locale_t>(m_locale));
}

namespace {

// The locale's text is UTF-8, or one byte per character otherwise.
String Widen(const char* text, size_t length, bool utf8) {
  std::string_view bytes(text, length);
  String out;
  if (utf8 && Utf8ToString(bytes, out)) return out;
  out.clear();
  for (char c : bytes) out += static_cast<char16_t>(static_cast<unsigned char>(c));
  return out;
}

} // namespace

bool CTimeLocale::Format(const char* format, const CDateTime& dt, String& out) const {
  if (!m_locale) return false;
  struct tm t = ToTm(dt);
  t.tm_isdst = 0;
  // Weekday and day of the year, for formats that show them.
  struct tm probe = t;
  timegm(&probe);
  t.tm_wday = probe.tm_wday;
  t.tm_yday = probe.tm_yday;
  char buffer[1024];
  size_t n = strftime_l(buffer, sizeof buffer, format, &t, static_cast<locale_t>(m_locale));
  if (n == 0) return false;
  out = Widen(buffer, n, m_utf8);
  return true;
}

bool CTimeLocale::DefaultDate(const CDateTime& dt, String& out) const { return Format("%x", dt, out); }
bool CTimeLocale::DefaultTime(const CDateTime& dt, String& out) const { return Format("%X", dt, out); }

String CTimeLocale::Item(int item) const {
  if (!m_locale) return String();
  const char* text = nl_langinfo_l(static_cast<nl_item>(item), static_cast<locale_t>(m_locale));
  return text ? Widen(text, std::strlen(text), m_utf8) : String();
}

String CTimeLocale::DayName(int32_t weekday, bool abbreviated) const {
  return Item((abbreviated ? ABDAY_1 : DAY_1) + weekday);
}

String CTimeLocale::MonthName(int32_t month, bool abbreviated) const {
  return Item((abbreviated ? ABMON_1 : MON_1) + month - 1);
}

String CTimeLocale::TimeMarker(bool pm) const { return Item(pm ? PM_STR : AM_STR); }

} // namespace Core::DateTimePlatform
