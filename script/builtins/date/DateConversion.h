#pragma once
// Time values against the operating system: local time, the clock, and the
// texts of dates. Everything goes through Core::CDateTime.
#include "core/String.h"

namespace EcmaScript {

// UTC to local time and back, each instant with its own offset from UTC
// (daylight saving included); a local time in the gap or overlap of a change
// resolves as the C library's mktime resolves it. NaN for NaN, and for a
// date the system cannot convert (outside the years 1601 to 30827).
// The results are not clipped.
double LocalTime(double t);
double UTC(double t);

// The current UTC time value, to the millisecond.
double CurrentTime();

// "dd/MM/yyyy HH:mm:ss" of the fields of t itself (no local conversion, no
// milliseconds); "NaN" for NaN or an infinity. A date the system's calendar
// refuses gives the text CDateTime gives for it.
Core::String FormatDateString(double t);
// As FormatDateString, in the locale's default date and time formats.
Core::String FormatLocaleDateString(double t);

// Reads six numbers "day/month/year hour:minute:second" as UTC, ignoring
// what follows; the fields are not limited to their ranges and the result
// is not clipped. NaN when the text does not hold them.
double ParseDateString(Core::StringView text);

} // namespace EcmaScript
