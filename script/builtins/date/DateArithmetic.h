#pragma once
// Time values and their calendar fields. A time value counts milliseconds
// since 1970-01-01 00:00:00 UTC, every day 86,400,000 of them; NaN is an
// invalid date. Pure arithmetic: nothing here reads the clock or the time zone.
//
// Every function takes and returns plain numbers. A NaN argument gives NaN,
// and so does an infinite one; results that would be infinite are NaN too.
// Every function is constant time, whatever the year. Years are counted
// exactly up to about ten trillion years either side of 1970, far beyond
// every valid time value; a year beyond that gives NaN.

namespace EcmaScript {

inline constexpr double msPerDay = 86400000.0;
inline constexpr double HoursPerDay = 24.0;
// Minutes per hour, and seconds per minute.
inline constexpr double MinutesPerHour = 60.0;
inline constexpr double msPerSecond = 1000.0;
inline constexpr double msPerMinute = 60000.0;
inline constexpr double msPerHour = 3600000.0;

// The time values a Date can hold lie within this distance of 1970
// (100,000,000 days either way).
inline constexpr double MaxTimeValue = 8.64e15;

// x modulo y, never negative for a positive y.
double Modulo(double x, double y);

// Days since 1970-01-01 (negative before), and milliseconds into that day.
double Day(double t);
double TimeWithinDay(double t);

// 365 or 366.
double DaysInYear(double year);
// Day number of January 1 of the year.
double DayFromYear(double year);
// The year whose first day is at or before t and whose successor's is after it.
double YearFromTime(double t);
// 1 when the year of t has 366 days, else 0.
double InLeapYear(double t);
// 0-based day of the year.
double DayWithinYear(double t);
double MonthFromTime(double t);  // 0-11, 0 = January
double DateFromTime(double t);   // 1-31
double WeekDay(double t);        // 0-6, 0 = Sunday
double HourFromTime(double t);   // 0-23
double MinFromTime(double t);    // 0-59
double SecFromTime(double t);    // 0-59
double msFromTime(double t);     // 0-999

// Milliseconds of the given fields, each truncated toward zero; not limited
// to one day (MakeTime(25, 0, 0, 0) is 90,000,000).
double MakeTime(double hour, double minute, double second, double millisecond);
// Day number of the date, each argument truncated toward zero; the month
// carries into the year and the date is not limited to the month
// (MakeDay(2000, 0, 32) is 2000-02-01, MakeDay(2000, 12, 1) 2001-01-01).
double MakeDay(double year, double month, double date);
double MakeDate(double day, double time);
// t truncated toward zero (and +0 for -0), or NaN beyond MaxTimeValue.
double TimeClip(double t);

} // namespace EcmaScript
