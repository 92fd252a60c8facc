// Date-times as the class library keeps them: days since 1899-12-30 in the whole part, the
// time of day as the fraction (6:00 is .25).
#pragma once

#include <windows.h>

namespace quolin {

using TDateTime = double;

// Before 1899-12-30 the fraction still counts forwards from midnight, so it is taken off the
// negative day number: 1899-12-29 18:00 is -1.75.
TDateTime SystemTimeToDateTime(const SYSTEMTIME& time);

} // namespace quolin
