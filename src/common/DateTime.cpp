#include "common/DateTime.h"

namespace quolin {

namespace {

constexpr double kMillisecondsPerDay = 24.0 * 60 * 60 * 1000;
// Day 0 of the days-from-civil count below (1970-01-01) is day 25569 of a TDateTime.
constexpr long kUnixEpochDay = 25569;

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar (Howard Hinnant's
// days_from_civil).
long DaysFromCivil(long year, unsigned month, unsigned day) {
  year -= month <= 2;
  const long era = (year >= 0 ? year : year - 399) / 400;
  const auto yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<long>(dayOfEra) - 719468;
}

} // namespace

TDateTime SystemTimeToDateTime(const SYSTEMTIME& time) {
  const double days = DaysFromCivil(time.wYear, time.wMonth, time.wDay) + kUnixEpochDay;
  const double fraction =
      (((time.wHour * 60.0 + time.wMinute) * 60.0 + time.wSecond) * 1000.0 + time.wMilliseconds) /
      kMillisecondsPerDay;
  return days < 0 ? days - fraction : days + fraction;
}

} // namespace quolin
