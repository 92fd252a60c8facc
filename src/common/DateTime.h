// Date-times as the class library keeps them: days since 1899-12-30 in the whole part, the
// time of day as the fraction (6:00 is .25).
#pragma once

#include <windows.h>

#include <string>

namespace quolin {

using TDateTime = double;

// Before 1899-12-30 the fraction still counts forwards from midnight, so it is taken off the
// negative day number: 1899-12-29 18:00 is -1.75.
TDateTime SystemTimeToDateTime(const SYSTEMTIME& time);
// The inverse, to the millisecond; 0 is 1899-12-30 0:00.
SYSTEMTIME DateTimeToSystemTime(TDateTime time);

// The date-time in the user's locale by a format of the class library's words: "ddddd" the
// short date, "t" the short time (no seconds); any other character stands as it is.
std::string DateTimeToString(const std::string& format, TDateTime time);

} // namespace quolin
