// Gregorian date arithmetic and conversion of Gregorian dates to the Chinese lunar calendar,
// with localized names.
//
//   namespace calendar = velto_common::utils::calendar;
//   calendar::ChineseDate lunar = calendar::GetLunar({2023, 3, 22});
//   // lunar.year == 2023, lunar.month == 2, lunar.day == 1, in the leap second month:
//   // month_name is the leap prefix followed by the name of month 2.
//   int days = calendar::GetDaysInMonth(2023, 13, calendar::DateType::kLunar);  // 29 or 30
//
// The lunar side covers the lunar years 1901 to 2099. Outside them, and for a `DateType` other
// than solar or lunar, every function gives its neutral result (0, false, an empty date).
#pragma once

#include <cstdint>
#include <string>

#include "module_api/export.h"

namespace velto_common::utils::calendar {

enum class DateType : int32_t {
  kSolar = 0,  // Gregorian
  kLunar = 1,
};

struct Date {
  int32_t year = 0;
  int32_t month = 0;  // 1 to 12; for lunar dates the month sequence number 1 to 13
  int32_t day = 0;
  int32_t extra = 0;  // carried along for the caller, never interpreted
};

struct ChineseDate {
  int32_t year = 0;
  int32_t month = 0;  // display number 1 to 12; a leap month repeats the month before it
  int32_t day = 0;    // 1 to 30
  int32_t extra1 = 0;
  int32_t extra2 = 0;
  std::string year_name;   // stem and branch of the sixty-year cycle
  std::string month_name;  // with the leap prefix in a leap month
  std::string day_name;
  std::string extra_name;  // left empty
};

// Solar: the Gregorian rule. Lunar: always false (lunar years are not "leap" in this sense).
VELTO_API bool IsLeapYear(int year, DateType type);
// Solar: month 1 to 12 and day within the month (the year is not checked). Lunar: month sequence
// number 1 to 13 and day within that month's length from the table.
VELTO_API bool IsDateValid(const Date& date, DateType type);
// 0 for a month outside 1 to 12 (solar) or 1 to 13 (lunar).
VELTO_API int GetDaysInMonth(int year, int month, DateType type);
// Solar: 0 = Sunday to 6 = Saturday, for any input (no validation). Lunar: 0.
VELTO_API int GetDayOfWeek(int year, int month, int day, DateType type);
// The lunar date of a Gregorian date, names in the language of the string resources loaded on
// first use. An invalid Gregorian date or one outside the table gives an empty ChineseDate.
VELTO_API ChineseDate GetLunar(Date date);

}  // namespace velto_common::utils::calendar
