#include "common/DateTime.h"

#include <cmath>

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

// The inverse of DaysFromCivil (Howard Hinnant's civil_from_days).
void CivilFromDays(long days, SYSTEMTIME& date) {
  days += 719468;
  const long era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned shifted = (5 * dayOfYear + 2) / 153;
  const unsigned month = shifted < 10 ? shifted + 3 : shifted - 9;
  date.wYear = static_cast<WORD>(static_cast<long>(yearOfEra) + era * 400 + (month <= 2));
  date.wMonth = static_cast<WORD>(month);
  date.wDay = static_cast<WORD>(dayOfYear - (153 * shifted + 2) / 5 + 1);
}

std::string LocaleText(const SYSTEMTIME& time, bool date) {
  char text[128] = {};
  int length =
      date ? GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, sizeof text)
           : GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, text, sizeof text);
  return length > 0 ? std::string(text) : std::string();
}

} // namespace

TDateTime SystemTimeToDateTime(const SYSTEMTIME& time) {
  const double days = DaysFromCivil(time.wYear, time.wMonth, time.wDay) + kUnixEpochDay;
  const double fraction =
      (((time.wHour * 60.0 + time.wMinute) * 60.0 + time.wSecond) * 1000.0 + time.wMilliseconds) /
      kMillisecondsPerDay;
  return days < 0 ? days - fraction : days + fraction;
}

SYSTEMTIME DateTimeToSystemTime(TDateTime time) {
  // The fraction of a negative date-time counts forwards from its day's midnight too.
  const double whole = std::trunc(time);
  long long milliseconds = std::llround(std::fabs(time - whole) * kMillisecondsPerDay);
  long days = static_cast<long>(whole);
  if (milliseconds >= static_cast<long long>(kMillisecondsPerDay)) {
    milliseconds = 0;
    ++days; // rounded up to the next midnight
  }
  SYSTEMTIME result = {};
  CivilFromDays(days - kUnixEpochDay, result);
  result.wMilliseconds = static_cast<WORD>(milliseconds % 1000);
  result.wSecond = static_cast<WORD>(milliseconds / 1000 % 60);
  result.wMinute = static_cast<WORD>(milliseconds / 60000 % 60);
  result.wHour = static_cast<WORD>(milliseconds / 3600000);
  return result;
}

std::string DateTimeToString(const std::string& format, TDateTime time) {
  const SYSTEMTIME system = DateTimeToSystemTime(time);
  std::string text;
  for (size_t at = 0; at < format.size();) {
    if (format.compare(at, 5, "ddddd") == 0) {
      text += LocaleText(system, true);
      at += 5;
    } else if (format[at] == 't') {
      text += LocaleText(system, false);
      ++at;
    } else {
      text += format[at++];
    }
  }
  return text;
}

} // namespace quolin
