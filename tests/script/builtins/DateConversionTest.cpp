#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <optional>
#include <string>

#include "core/String.h"
#include "script/builtins/date/DateArithmetic.h"
#include "script/builtins/date/DateConversion.h"
#include "support/ScopedEnv.h"

namespace {

using namespace EcmaScript;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// POSIX zone strings: no zone files needed.
constexpr const char* kUtc = "UTC0";
constexpr const char* kOneHourEast = "<+01>-1";
// UTC+1, and UTC+2 from the last Sunday of March to the last of October.
constexpr const char* kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";

using ScriptTest::CScopedEnv;

double Utc(double y, double m, double d, double h = 0, double mi = 0, double s = 0, double ms = 0) {
  return MakeDate(MakeDay(y, m, d), MakeTime(h, mi, s, ms));
}

// Minutes west of UTC at t, as getTimezoneOffset computes them.
double TimezoneOffset(double t) { return (t - LocalTime(t)) / msPerMinute; }

TEST(DateConversion, LocalTimeInFixedZones) {
  struct Case {
    const char* zone;
    double t;
    double local;
  } cases[] = {
      {kUtc, 0, 0},
      {kUtc, Utc(2000, 5, 15, 12, 30, 0, 250), Utc(2000, 5, 15, 12, 30, 0, 250)},
      {kOneHourEast, 0, 3600000},
      {kOneHourEast, -1, 3599999},
      {kOneHourEast, Utc(2000, 11, 31, 23, 30, 0, 999), Utc(2001, 0, 1, 0, 30, 0, 999)},
      {kOneHourEast, Utc(30827, 11, 31, 23, 59, 59, 999), kNaN},  // local time in 30828
      {kOneHourEast, Utc(1600, 11, 31, 23, 0, 0, 0), kNaN},  // the UTC side is in 1600
      {kUtc, Utc(1600, 11, 31, 23, 59, 59, 999), kNaN},
      {kUtc, kNaN, kNaN},
      {kUtc, kInf, kNaN},
  };
  for (const Case& c : cases) {
    CScopedEnv tz("TZ", c.zone);
    double local = LocalTime(c.t);
    if (std::isnan(c.local)) {
      EXPECT_TRUE(std::isnan(local)) << c.zone << " t = " << c.t;
      continue;
    }
    EXPECT_EQ(local, c.local) << c.zone << " t = " << c.t;
    EXPECT_EQ(UTC(local), c.t) << c.zone << " t = " << c.t;
  }
}

TEST(DateConversion, FieldsInOneHourEast) {
  CScopedEnv tz("TZ", kOneHourEast);
  EXPECT_EQ(HourFromTime(LocalTime(0)), 1);
  EXPECT_EQ(TimezoneOffset(0), -60);
  EXPECT_EQ(YearFromTime(LocalTime(-1)), 1970);
  EXPECT_EQ(YearFromTime(-1), 1969);
  // new Date(99, 0): local midnight, one hour before UTC midnight.
  EXPECT_EQ(TimeClip(UTC(Utc(1999, 0, 1))), Utc(1998, 11, 31, 23));
}

// Each instant converts with the offset in force at that instant, not the
// one of the moment of the call.
TEST(DateConversion, EachInstantHasItsOwnOffset) {
  CScopedEnv tz("TZ", kCentralEurope);
  double winter = Utc(2024, 0, 15, 12);
  double summer = Utc(2024, 6, 1, 12);
  EXPECT_EQ(TimezoneOffset(winter), -60);
  EXPECT_EQ(TimezoneOffset(summer), -120);
  EXPECT_EQ(HourFromTime(LocalTime(summer)), 14);
  EXPECT_EQ(UTC(Utc(2024, 6, 1, 14)), summer);
  EXPECT_EQ(UTC(Utc(2024, 0, 15, 13)), winter);
  // Either side of the spring change (01:00 UTC on 31 March 2024).
  EXPECT_EQ(LocalTime(Utc(2024, 2, 31, 0, 59, 59, 999)), Utc(2024, 2, 31, 1, 59, 59, 999));
  EXPECT_EQ(LocalTime(Utc(2024, 2, 31, 1)), Utc(2024, 2, 31, 3));
}

// A year beyond 32 bits used to wrap into some year the system accepts:
// setFullYear(4294969296) stored a date in 2000.
TEST(DateConversion, YearsBeyondTheConversionGiveNaN) {
  CScopedEnv tz("TZ", kUtc);
  for (double year : {4294969296.0, 4294967296.0 + 1970, -4294967296.0 + 2000, 1e12, 30828.0, 1600.0, 100.0}) {
    double t = Utc(year, 0, 1);
    EXPECT_TRUE(std::isnan(UTC(t))) << year;
    EXPECT_TRUE(std::isnan(LocalTime(t))) << year;
  }
  EXPECT_EQ(UTC(Utc(30827, 11, 31)), Utc(30827, 11, 31));
  EXPECT_EQ(UTC(Utc(1601, 0, 1)), Utc(1601, 0, 1));
}

TEST(DateConversion, CurrentTime) {
  double before = static_cast<double>(std::time(nullptr)) * 1000;
  double now = CurrentTime();
  double after = static_cast<double>(std::time(nullptr)) * 1000 + 1000;
  EXPECT_GE(now, before - 1000);
  EXPECT_LE(now, after);
  EXPECT_EQ(now, std::floor(now));
}

TEST(DateConversion, FormatShowsTheFieldsOfTheValueItself) {
  CScopedEnv tz("TZ", kOneHourEast);
  CScopedEnv locale("LC_ALL", "C");
  struct Case {
    double t;
    const char16_t* text;
  } cases[] = {
      {0, u"01/01/1970 00:00:00"},
      {999, u"01/01/1970 00:00:00"},
      {-1, u"31/12/1969 23:59:59"},
      {Utc(2026, 11, 8, 18, 5, 3, 500), u"08/12/2026 18:05:03"},
      {kNaN, u"NaN"},
      {kInf, u"NaN"},
      {-kInf, u"NaN"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateString(c.t), c.text) << c.t;
  EXPECT_EQ(FormatLocaleDateString(0), u"01/01/70 00:00:00");
  EXPECT_EQ(FormatLocaleDateString(kNaN), u"NaN");
  // A year the calendar refuses gives what the calendar gives for it.
  EXPECT_EQ(FormatDateString(8.64e15), u"");
}

TEST(DateConversion, ParseReadsSixNumbersAsUtc) {
  CScopedEnv tz("TZ", kOneHourEast);
  struct Case {
    const char16_t* text;
    double t;
  } cases[] = {
      {u"31/12/1999 23:59:59", 946684799000},
      {u"1/2/2000 3:4:5", 949374245000},
      {u"1/1/1970 0:0:0", 0},
      {u"1/1/1970 0:0:0 GMT+2", 0},
      {u"31/12/1999 24:00:00", 946684800000},
      {u"32/1/2000 0:0:0", 949363200000},
      {u"1/1/2000 0:0:-1", 946684799000},
      {u"  1/ 1/2000\t0: 0: 0", 946684800000},
      {u"2000-01-01", kNaN},
      {u"1/1/2000", kNaN},
      {u"undefined", kNaN},
      {u"", kNaN},
      {u"1/1/2000 0:0:0\u0100", kNaN},  // any unit above 255 refuses the text
  };
  for (const Case& c : cases) {
    double t = ParseDateString(c.text);
    if (std::isnan(c.t)) EXPECT_TRUE(std::isnan(t)) << Core::ToUtf8(c.text);
    else EXPECT_EQ(t, c.t) << Core::ToUtf8(c.text);
  }
  // Not clipped: a year far beyond the range gives its number.
  EXPECT_EQ(ParseDateString(u"1/1/2147483647 0:0:0"), Utc(2147483647, 0, 1));
  EXPECT_GT(ParseDateString(u"1/1/2147483647 0:0:0"), 8.64e15);
}

} // namespace
