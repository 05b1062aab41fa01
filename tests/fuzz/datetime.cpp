// Fuzz target: date-time records. Seven fields (raw, or folded into their
// ranges), then a picture and a text to parse (see Fuzz::CByteReader::Text).
// Formatting with any picture, the locale formats, the UTC/local
// conversions and the parse must not crash or hang; the parse agrees with the
// C library's formatted input, and what the standard picture writes parses
// back to the same fields.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "FuzzText.h"
#include "core/DateTime.h"

namespace {

using Core::CDateTime;
using Core::String;

bool IsValid(const CDateTime& dt) {
  static constexpr int32_t kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int32_t y = dt.GetYear(), m = dt.GetMonth(), d = dt.GetDay();
  if (y < 1601 || y > 30827 || m < 1 || m > 12 || d < 1 || d > kDays[m - 1]) return false;
  bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  if (m == 2 && d == 29 && !leap) return false;
  return dt.GetHour() >= 0 && dt.GetHour() <= 23 && dt.GetMinute() >= 0 && dt.GetMinute() <= 59 &&
         dt.GetSecond() >= 0 && dt.GetSecond() <= 59 && dt.GetMillisecond() >= 0 && dt.GetMillisecond() <= 999;
}

bool SameFields(const CDateTime& a, const CDateTime& b) {
  return a.GetYear() == b.GetYear() && a.GetMonth() == b.GetMonth() && a.GetDay() == b.GetDay() &&
         a.GetHour() == b.GetHour() && a.GetMinute() == b.GetMinute() && a.GetSecond() == b.GetSecond() &&
         a.GetMillisecond() == b.GetMillisecond();
}

int32_t Fold(uint32_t raw, int32_t low, int32_t high) {
  return low + static_cast<int32_t>(raw % static_cast<uint32_t>(high - low + 1));
}

void CheckParse(const String& text) {
  CDateTime dt;
  dt.Set(1, 2, 3, 4, 5, 6, 7);
  CDateTime before = dt;
  bool ok = dt.Parse(text, u"dd/MM/yyyy HH:mm:ss");
  if (!ok) KELTO_FUZZ_CHECK(SameFields(dt, before));
  // The C library is the reference where its %d is defined: units up to
  // 0xFF and values that fit.
  if (text.size() > 1024) {
    KELTO_FUZZ_CHECK(!ok);
    return;
  }
  std::string narrow;
  for (char16_t c : text) {
    if (c > 0xFF) {
      KELTO_FUZZ_CHECK(!ok);
      return;
    }
    narrow += static_cast<char>(c);
  }
  // Values that fit in 9 digits: the C library's %d is then defined.
  std::string digits;
  for (char c : narrow) {
    if (c >= '0' && c <= '9') {
      if (!digits.empty() || c != '0') digits += c;
      if (digits.size() > 9) return;
    } else {
      digits.clear();
    }
  }
  int d, mo, y, h, mi, s;
  int read = std::sscanf(narrow.c_str(), "%d/%d/%d %d:%d:%d", &d, &mo, &y, &h, &mi, &s);
  KELTO_FUZZ_CHECK(ok == (read == 6));
  if (ok) {
    KELTO_FUZZ_CHECK(dt.GetDay() == d && dt.GetMonth() == mo && dt.GetYear() == y && dt.GetHour() == h &&
                     dt.GetMinute() == mi && dt.GetSecond() == s && dt.GetMillisecond() == 0);
  }
}

// Every picture letter of a valid record against the C library's own
// formatting of the same fields in the "C" locale.
void CheckPictureLetters(const CDateTime& dt) {
  struct tm t {};
  t.tm_year = dt.GetYear() - 1900;
  t.tm_mon = dt.GetMonth() - 1;
  t.tm_mday = dt.GetDay();
  t.tm_hour = dt.GetHour();
  t.tm_min = dt.GetMinute();
  t.tm_sec = dt.GetSecond();
  struct tm probe = t;
  timegm(&probe);
  t.tm_wday = probe.tm_wday;
  t.tm_yday = probe.tm_yday;
  char date[256], time[256];
  size_t dn = strftime(date, sizeof date, "%a %A %b %B %Y %y %-m %m %-d %d", &t);
  size_t tn = strftime(time, sizeof time, "%-I %I %-H %H %-M %M %-S %S %p", &t);
  KELTO_FUZZ_CHECK(dn > 0 && tn > 0);
  String expected = String(date, date + dn) + u" A.D. " + String(time, time + tn) + u' ' + char16_t(time[tn - 2]);
  // The date picture ends before the first time letter; one blank joins.
  String formatted = dt.FormatPicture(u"ddd dddd MMM MMMM yyyy yy M MM d dd gg h hh H HH m mm s ss tt t");
  KELTO_FUZZ_CHECK(formatted == expected);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The "C" locale's names, which the picture check expects.
  setenv("LC_ALL", "C", 1);
  // A zone with summer time, so the conversions cross its changes.
  setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  Fuzz::CByteReader in(data, size);
  uint8_t mode = in.Byte();
  uint32_t raw[7];
  for (uint32_t& r : raw) r = in.Word32();
  CDateTime dt;
  if (mode & 1) {
    dt.Set(Fold(raw[0], 1590, 30840), Fold(raw[1], 0, 13), Fold(raw[2], 0, 32), Fold(raw[3], -1, 24),
           Fold(raw[4], -1, 60), Fold(raw[5], -1, 60), Fold(raw[6], -1, 1000));
  } else {
    dt.Set(static_cast<int32_t>(raw[0]), static_cast<int32_t>(raw[1]), static_cast<int32_t>(raw[2]),
           static_cast<int32_t>(raw[3]), static_cast<int32_t>(raw[4]), static_cast<int32_t>(raw[5]),
           static_cast<int32_t>(raw[6]));
  }
  String picture = in.Text();
  String text = in.Text();

  String formatted = dt.FormatPicture(picture);
  KELTO_FUZZ_CHECK(formatted.size() <= 64 * picture.size() + 64);
  String locale = dt.FormatLocale();
  KELTO_FUZZ_CHECK(locale.size() <= 4096);

  // The standard picture writes what Parse reads.
  String standard = dt.FormatPicture(u"dd/MM/yyyy HH:mm:ss");
  if (IsValid(dt)) {
    CDateTime back;
    KELTO_FUZZ_CHECK(back.Parse(standard, u"dd/MM/yyyy HH:mm:ss"));
    CDateTime expected = dt;
    expected.Set(dt.GetYear(), dt.GetMonth(), dt.GetDay(), dt.GetHour(), dt.GetMinute(), dt.GetSecond(), 0);
    KELTO_FUZZ_CHECK(SameFields(back, expected));
    CheckPictureLetters(dt);
  }

  // The conversions fail on invalid records and leave them as they were.
  CDateTime converted = dt;
  bool toLocal = converted.UtcToLocal();
  if (!IsValid(dt)) KELTO_FUZZ_CHECK(!toLocal);
  if (!toLocal) {
    KELTO_FUZZ_CHECK(SameFields(converted, dt));
  } else {
    KELTO_FUZZ_CHECK(converted.GetMillisecond() == dt.GetMillisecond());
    KELTO_FUZZ_CHECK(converted.GetYear() >= 1601 && converted.GetYear() <= 30827);
    // Back again: the same instant, except where the local time is one of
    // the two an hour of the autumn change repeats.
    CDateTime again = converted;
    if (again.LocalToUtc() && !SameFields(again, dt)) {
      int32_t minutes = (again.GetHour() - dt.GetHour()) * 60 + again.GetMinute() - dt.GetMinute();
      KELTO_FUZZ_CHECK(again.GetYear() == dt.GetYear() && again.GetMonth() == dt.GetMonth() &&
                       (minutes == 60 || minutes == -60 || again.GetDay() != dt.GetDay()));
    }
  }
  CDateTime utc = dt;
  if (!utc.LocalToUtc()) KELTO_FUZZ_CHECK(SameFields(utc, dt));
  else KELTO_FUZZ_CHECK(IsValid(dt) && utc.GetMillisecond() == dt.GetMillisecond());

  CheckParse(text);
  return 0;
}
