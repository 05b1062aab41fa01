#include "core/DateTime.h"

#include <limits>

#include "core/DateTimePlatform.h"
#include "core/StringHelpers.h"

namespace Core {

namespace {

constexpr int32_t kFirstYear = 1601;
constexpr int32_t kLastYear = 30827;

bool IsLeapYear(int32_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int32_t DaysInMonth(int32_t y, int32_t m) {
  static constexpr int32_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

bool HasValidDate(const CDateTime& dt) {
  return dt.GetYear() >= kFirstYear && dt.GetYear() <= kLastYear && dt.GetMonth() >= 1 && dt.GetMonth() <= 12 &&
         dt.GetDay() >= 1 && dt.GetDay() <= DaysInMonth(dt.GetYear(), dt.GetMonth());
}

bool HasValidTime(const CDateTime& dt) {
  return dt.GetHour() >= 0 && dt.GetHour() <= 23 && dt.GetMinute() >= 0 && dt.GetMinute() <= 59 &&
         dt.GetSecond() >= 0 && dt.GetSecond() <= 59 && dt.GetMillisecond() >= 0 && dt.GetMillisecond() <= 999;
}

// 0 = Sunday. Days since 1970-01-01 (a Thursday) by the civil-from-days method.
int32_t Weekday(int32_t y, int32_t m, int32_t d) {
  int64_t yy = m <= 2 ? y - 1 : y;
  int64_t era = (yy >= 0 ? yy : yy - 399) / 400;
  int64_t yoe = yy - era * 400;
  int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  int64_t days = era * 146097 + doe - 719468;
  int64_t w = (days + 4) % 7;
  return static_cast<int32_t>(w < 0 ? w + 7 : w);
}

StringView Trimmed(StringView s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

void AppendNumber(String& out, int64_t value, int minDigits) {
  bool negative = value < 0;
  uint64_t v = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  char16_t digits[24];
  int n = 0;
  do {
    digits[n++] = static_cast<char16_t>(u'0' + v % 10);
    v /= 10;
  } while (v != 0);
  while (n < minDigits) digits[n++] = u'0';
  if (negative) out += u'-';
  while (n > 0) out += digits[--n];
}

// Runs of one picture letter; quoted text is copied without its quotes, and
// two quotes give one. letters lists the letters of this picture's kind.
template <class Field>
String FormatPictureText(StringView picture, StringView letters, Field field) {
  String out;
  for (size_t i = 0; i < picture.size();) {
    char16_t c = picture[i];
    if (c == u'\'') {
      ++i;
      if (i < picture.size() && picture[i] == u'\'') {
        out += u'\'';
        ++i;
        continue;
      }
      while (i < picture.size()) {
        if (picture[i] == u'\'') {
          if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
            out += u'\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        out += picture[i++];
      }
      continue;
    }
    if (letters.find(c) == StringView::npos) {
      out += c;
      ++i;
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    field(out, c, run);
    i += run;
  }
  return out;
}

// "%d/%d/%d %d:%d:%d" as the C library's formatted input reads it, without
// its undefined overflow: a value out of range is clamped.
class CFieldScanner {
public:
  explicit CFieldScanner(StringView text) : m_text(text.substr(0, text.find(char16_t(0)))) {}

  bool Number(int32_t& value) {
    SkipBlanks();
    bool negative = false;
    if (m_pos < m_text.size() && (m_text[m_pos] == u'+' || m_text[m_pos] == u'-')) {
      negative = m_text[m_pos] == u'-';
      ++m_pos;
    }
    size_t start = m_pos;
    int64_t v = 0;
    while (m_pos < m_text.size() && m_text[m_pos] >= u'0' && m_text[m_pos] <= u'9') {
      if (v <= std::numeric_limits<int32_t>::max()) v = v * 10 + (m_text[m_pos] - u'0');
      ++m_pos;
    }
    if (m_pos == start) return false;
    if (negative) v = -v;
    if (v > std::numeric_limits<int32_t>::max()) v = std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) v = std::numeric_limits<int32_t>::min();
    value = static_cast<int32_t>(v);
    return true;
  }
  bool Literal(char16_t c) {
    if (m_pos >= m_text.size() || m_text[m_pos] != c) return false;
    ++m_pos;
    return true;
  }
  void SkipBlanks() {
    while (m_pos < m_text.size() && IsSpace(m_text[m_pos])) ++m_pos;
  }

private:
  StringView m_text;
  size_t m_pos = 0;
};

} // namespace

void CDateTime::Set(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute, int32_t second,
                    int32_t millisecond) {
  m_year = year;
  m_month = month;
  m_day = day;
  m_hour = hour;
  m_minute = minute;
  m_second = second;
  m_millisecond = millisecond;
}

void CDateTime::Now() { DateTimePlatform::CurrentUtc(*this); }

// The C library would quietly normalise month 13 or 31 April, so the fields
// are checked first; the work happens on a copy so failure changes nothing.
bool CDateTime::UtcToLocal() {
  if (!HasValidDate(*this) || !HasValidTime(*this)) return false;
  CDateTime result = *this;
  if (!DateTimePlatform::UtcToLocal(result) || !HasValidDate(result)) return false;
  *this = result;
  return true;
}

bool CDateTime::LocalToUtc() {
  if (!HasValidDate(*this) || !HasValidTime(*this)) return false;
  CDateTime result = *this;
  if (!DateTimePlatform::LocalToUtc(result) || !HasValidDate(result)) return false;
  *this = result;
  return true;
}

String CDateTime::FormatLocale() const {
  DateTimePlatform::CTimeLocale locale;
  String out, part;
  if (!HasValidDate(*this) || !locale.DefaultDate(*this, part)) return out;
  out += part;
  out += u' ';
  if (HasValidTime(*this) && locale.DefaultTime(*this, part)) out += part;
  return out;
}

String CDateTime::FormatPicture(StringView picture) const {
  size_t split = picture.find_first_of(u"hHmst");
  if (split == StringView::npos) return String();
  StringView datePicture = Trimmed(picture.substr(0, split));
  StringView timePicture = Trimmed(picture.substr(split));

  String out;
  if (!HasValidDate(*this)) return out;
  DateTimePlatform::CTimeLocale locale;
  out = FormatPictureText(datePicture, u"dMyg", [&](String& s, char16_t c, size_t run) {
    switch (c) {
      case u'd':
        if (run <= 2) AppendNumber(s, m_day, static_cast<int>(run));
        else s += locale.DayName(Weekday(m_year, m_month, m_day), run == 3);
        break;
      case u'M':
        if (run <= 2) AppendNumber(s, m_month, static_cast<int>(run));
        else s += locale.MonthName(m_month, run == 3);
        break;
      case u'y':
        if (run <= 2) AppendNumber(s, m_year % 100, static_cast<int>(run));
        else AppendNumber(s, m_year, 1);
        break;
      default:  // g: the era
        s += u"A.D.";
        break;
    }
  });
  out += u' ';
  if (!HasValidTime(*this)) return out;
  out += FormatPictureText(timePicture, u"hHmst", [&](String& s, char16_t c, size_t run) {
    int minDigits = run >= 2 ? 2 : 1;
    switch (c) {
      case u'h':
        AppendNumber(s, m_hour % 12 == 0 ? 12 : m_hour % 12, minDigits);
        break;
      case u'H':
        AppendNumber(s, m_hour, minDigits);
        break;
      case u'm':
        AppendNumber(s, m_minute, minDigits);
        break;
      case u's':
        AppendNumber(s, m_second, minDigits);
        break;
      default: {  // t: the first unit of the marker, tt: all of it
        String marker = locale.TimeMarker(m_hour >= 12);
        s += run >= 2 ? marker : marker.substr(0, 1);
        break;
      }
    }
  });
  return out;
}

bool CDateTime::Parse(StringView text, StringView /*picture*/) {
  if (text.size() > 1024) return false;
  for (char16_t c : text) {
    if (c > 0xFF) return false;
  }
  CFieldScanner scan(text);
  int32_t day, month, year, hour, minute, second;
  if (!scan.Number(day) || !scan.Literal(u'/') || !scan.Number(month) || !scan.Literal(u'/') ||
      !scan.Number(year))
    return false;
  scan.SkipBlanks();
  if (!scan.Number(hour) || !scan.Literal(u':') || !scan.Number(minute) || !scan.Literal(u':') ||
      !scan.Number(second))
    return false;
  Set(year, month, day, hour, minute, second, 0);
  return true;
}

} // namespace Core
