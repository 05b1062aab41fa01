#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "core/DateTime.h"
#include "support/ScopedEnv.h"

namespace {

using Core::CDateTime;
using Core::String;

struct Fields {
  int32_t year, month, day, hour, minute, second, millisecond;
  bool operator==(const Fields&) const = default;
};

Fields Get(const CDateTime& dt) {
  return {dt.GetYear(), dt.GetMonth(), dt.GetDay(), dt.GetHour(), dt.GetMinute(), dt.GetSecond(),
          dt.GetMillisecond()};
}

CDateTime Make(const Fields& f) {
  CDateTime dt;
  dt.Set(f.year, f.month, f.day, f.hour, f.minute, f.second, f.millisecond);
  return dt;
}

std::ostream& operator<<(std::ostream& os, const Fields& f) {
  return os << f.year << "-" << f.month << "-" << f.day << " " << f.hour << ":" << f.minute << ":" << f.second
            << "." << f.millisecond;
}

using TestSupport::CScopedEnv;

// Central Europe: UTC+1, and UTC+2 from the last Sunday of March to the last of October.
constexpr const char* kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";
constexpr const char* kEasternUs = "EST5EDT,M3.2.0,M11.1.0";

TEST(DateTime, NewRecordAndSet) {
  EXPECT_EQ(Get(CDateTime()), (Fields{1970, 1, 1, 0, 0, 0, 0}));
  EXPECT_EQ(Get(Make({-5, 13, 99, -1, 70, 61, 5000})), (Fields{-5, 13, 99, -1, 70, 61, 5000}));
}

TEST(DateTime, NowIsTheSystemClockInUtc) {
  CScopedEnv tz("TZ", kEasternUs);
  // time() may read a coarser clock than the one Now uses, so bracket with the same clock.
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  std::time_t before = ts.tv_sec;
  CDateTime now;
  now.Now();
  clock_gettime(CLOCK_REALTIME, &ts);
  std::time_t after = ts.tv_sec;
  Fields f = Get(now);
  std::tm t{};
  t.tm_year = f.year - 1900;
  t.tm_mon = f.month - 1;
  t.tm_mday = f.day;
  t.tm_hour = f.hour;
  t.tm_min = f.minute;
  t.tm_sec = f.second;
  std::time_t seen = timegm(&t);
  EXPECT_GE(seen, before);
  EXPECT_LE(seen, after);
  EXPECT_GE(f.millisecond, 0);
  EXPECT_LE(f.millisecond, 999);
}

TEST(DateTime, UtcToLocalAndBack) {
  struct Case {
    const char* tz;
    Fields utc;
    Fields local;
  } cases[] = {
      {kCentralEurope, {2026, 1, 15, 12, 0, 0, 250}, {2026, 1, 15, 13, 0, 0, 250}},
      {kCentralEurope, {2026, 7, 15, 12, 0, 0, 0}, {2026, 7, 15, 14, 0, 0, 0}},
      {kCentralEurope, {2026, 12, 31, 23, 30, 0, 999}, {2027, 1, 1, 0, 30, 0, 999}},
      {kCentralEurope, {2024, 2, 28, 23, 0, 0, 0}, {2024, 2, 29, 0, 0, 0, 0}},
      {kEasternUs, {2026, 3, 1, 3, 0, 0, 0}, {2026, 2, 28, 22, 0, 0, 0}},
      {kEasternUs, {2026, 7, 4, 16, 5, 3, 7}, {2026, 7, 4, 12, 5, 3, 7}},
      {kEasternUs, {1601, 1, 1, 5, 0, 0, 0}, {1601, 1, 1, 0, 0, 0, 0}},
      {kCentralEurope, {30827, 12, 31, 22, 59, 59, 999}, {30827, 12, 31, 23, 59, 59, 999}},
      {"UTC0", {1970, 1, 1, 0, 0, 0, 0}, {1970, 1, 1, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.tz << " " << c.utc);
    CScopedEnv tz("TZ", c.tz);
    CDateTime dt = Make(c.utc);
    ASSERT_TRUE(dt.UtcToLocal());
    EXPECT_EQ(Get(dt), c.local);
    ASSERT_TRUE(dt.LocalToUtc());
    EXPECT_EQ(Get(dt), c.utc);
  }
}

TEST(DateTime, ConversionRejectsInvalidRecords) {
  CScopedEnv tz("TZ", kCentralEurope);
  const Fields bad[] = {
      {2026, 13, 1, 0, 0, 0, 0},  {2026, 0, 1, 0, 0, 0, 0},     {2026, 4, 31, 0, 0, 0, 0},
      {2023, 2, 29, 0, 0, 0, 0},  {1900, 2, 29, 0, 0, 0, 0},    {2026, 1, 0, 0, 0, 0, 0},
      {2026, 1, 1, 24, 0, 0, 0},  {2026, 1, 1, 0, 60, 0, 0},    {2026, 1, 1, 0, 0, 60, 0},
      {2026, 1, 1, 0, 0, 0, 1000}, {2026, 1, 1, -1, 0, 0, 0},   {1600, 12, 31, 23, 0, 0, 0},
      {30828, 1, 1, 0, 0, 0, 0},  {-2026, 1, 1, 0, 0, 0, 0},
  };
  for (const Fields& f : bad) {
    SCOPED_TRACE(testing::Message() << f);
    CDateTime dt = Make(f);
    EXPECT_FALSE(dt.UtcToLocal());
    EXPECT_EQ(Get(dt), f);
    EXPECT_FALSE(dt.LocalToUtc());
    EXPECT_EQ(Get(dt), f);
  }
  // Valid fields whose converted form leaves the supported years.
  CDateTime last = Make({30827, 12, 31, 23, 30, 0, 0});
  EXPECT_FALSE(last.UtcToLocal());
  EXPECT_EQ(Get(last), (Fields{30827, 12, 31, 23, 30, 0, 0}));
  CDateTime first = Make({1601, 1, 1, 0, 30, 0, 0});
  EXPECT_FALSE(first.LocalToUtc());
  EXPECT_EQ(Get(first), (Fields{1601, 1, 1, 0, 30, 0, 0}));
  EXPECT_TRUE(Make({2024, 2, 29, 0, 0, 0, 0}).UtcToLocal() && Make({2000, 2, 29, 0, 0, 0, 0}).UtcToLocal());
}

TEST(DateTime, FormatPicture) {
  CScopedEnv lc("LC_ALL", "C");
  struct Case {
    Fields at;
    const char16_t* picture;
    const char16_t* expected;
  } cases[] = {
      {{2026, 12, 8, 18, 5, 3, 0}, u"dd/MM/yyyy HH:mm:ss", u"08/12/2026 18:05:03"},
      {{1970, 1, 1, 0, 0, 0, 0}, u"dd/MM/yyyy HH:mm:ss", u"01/01/1970 00:00:00"},
      {{2026, 12, 8, 18, 5, 3, 0}, u"d/M/y h:m:s t", u"8/12/26 6:5:3 P"},
      {{2026, 12, 8, 0, 5, 3, 0}, u"  yy-MM-dd   hh:mm tt  ", u"26-12-08 12:05 AM"},
      {{2026, 12, 8, 12, 0, 0, 0}, u"yyyy hh tt", u"2026 12 PM"},
      {{2026, 12, 8, 18, 5, 3, 0}, u"ddd, d MMM yyyy HH:mm", u"Tue, 8 Dec 2026 18:05"},
      {{2026, 12, 8, 18, 5, 3, 0}, u"dddd d MMMM yyyy H 'h' '' HH", u"Tuesday 8 December 2026 18 h ' 18"},
      {{2007, 2, 3, 4, 5, 6, 0}, u"'d''M' d.M.y HH", u"d'M 3.2.7 04"},
      {{2026, 12, 8, 18, 5, 3, 0}, u"HH:mm", u" 18:05"},
      {{2026, 12, 8, 18, 5, 3, 0}, u"dd/MM/yyyy", u""},
      {{2026, 13, 8, 18, 5, 3, 0}, u"dd/MM/yyyy HH:mm:ss", u""},
      {{1600, 12, 8, 18, 5, 3, 0}, u"dd/MM/yyyy HH:mm:ss", u""},
      {{2026, 12, 8, 25, 5, 3, 0}, u"dd/MM/yyyy HH:mm:ss", u"08/12/2026 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Core::ToUtf8(c.picture));
    EXPECT_EQ(Core::ToUtf8(Make(c.at).FormatPicture(c.picture)), Core::ToUtf8(c.expected));
  }
}

TEST(DateTime, FormatLocaleUsesTheTimeCategoryOnly) {
  CScopedEnv lc("LC_ALL", "C");
  EXPECT_EQ(Make({2026, 12, 8, 18, 5, 3, 0}).FormatLocale(), u"12/08/26 18:05:03");
  EXPECT_EQ(Make({2026, 12, 8, 24, 5, 3, 0}).FormatLocale(), u"12/08/26 ");
  EXPECT_EQ(Make({2026, 2, 30, 18, 5, 3, 0}).FormatLocale(), u"");
  {
    // A locale that is not installed falls back to the C formats.
    CScopedEnv missing("LC_ALL", "xx_XX.UTF-8");
    EXPECT_EQ(Make({2026, 12, 8, 18, 5, 3, 0}).FormatLocale(), u"12/08/26 18:05:03");
  }
  // The process-wide locale is never changed.
  EXPECT_EQ(std::string(setlocale(LC_ALL, nullptr)), "C");
}

TEST(DateTime, Parse) {
  struct Case {
    const char16_t* text;
    std::optional<Fields> fields;
  } cases[] = {
      {u"8/12/2026 18:05:03", Fields{2026, 12, 8, 18, 5, 3, 0}},
      {u"31/13/2026 0:0:0", Fields{2026, 13, 31, 0, 0, 0, 0}},
      {u" +8/-1/2026\t\n18: 5:3 trailing", Fields{2026, -1, 8, 18, 5, 3, 0}},
      {u"08/12/2026 18:05:03.750", Fields{2026, 12, 8, 18, 5, 3, 0}},
      {u"1/2/3 4:5:99999999999", Fields{3, 2, 1, 4, 5, 2147483647, 0}},
      {u"1/2/3 4:5:-99999999999", Fields{3, 2, 1, 4, 5, -2147483647 - 1, 0}},
      {u"8/12/2026", std::nullopt},
      {u"8/12/2026 18:05", std::nullopt},
      {u"8 /12/2026 18:05:03", std::nullopt},
      {u"8/12/2026 18-05-03", std::nullopt},
      {u"8/12/2026 caf\u00e9", std::nullopt},
      {u"8/12/2026 18:05:03 \u00e9", Fields{2026, 12, 8, 18, 5, 3, 0}},  // only units above 0xFF are refused
      {u"8/12/2026 18:05:03 \u20ac", std::nullopt},
      {u"-/12/2026 18:05:03", std::nullopt},
      {u"", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Core::ToUtf8(c.text));
    CDateTime dt = Make({1, 2, 3, 4, 5, 6, 7});
    EXPECT_EQ(dt.Parse(c.text, u"dd/MM/yyyy HH:mm:ss"), c.fields.has_value());
    EXPECT_EQ(Get(dt), c.fields.value_or(Fields{1, 2, 3, 4, 5, 6, 7}));
  }
  CDateTime dt;
  // The text is read as the C library sees it: a NUL ends it.
  EXPECT_FALSE(dt.Parse(String(u"8/12/2026 18:05\0:03", 19), u""));
  String longText = u"8/12/2026 18:05:03" + String(1024, u' ');
  EXPECT_FALSE(dt.Parse(longText, u""));
  EXPECT_TRUE(dt.Parse(longText.substr(0, 1024), u""));
}

} // namespace
