#include "module_api/calendar/solar_date.h"

#include <cstdint>

namespace velto_common::utils::calendar {
namespace {

constexpr int kDaysBeforeMonth[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
constexpr int kDaysInMonth[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

}  // namespace

SolarDate* SolarDate::GetInstance() {
  static SolarDate instance;
  return &instance;
}

bool SolarDate::IsLeapYear(int year) const {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool SolarDate::IsDateValid(const Date& date) const {
  return date.day >= 1 && date.month >= 1 && date.month <= 12 &&
         date.day <= GetDaysInMonth(date.year, date.month);
}

int SolarDate::GetLeapMonth(int year) const { return IsLeapYear(year) ? 2 : 0; }

int SolarDate::GetDaysInYear(int year) const { return IsLeapYear(year) ? 366 : 365; }

int SolarDate::GetDaysInMonth(int year, int month) const {
  if (month < 1 || month > 12) return 0;
  if (month == 2 && IsLeapYear(year)) return 29;
  return kDaysInMonth[month];
}

int SolarDate::GetDayOfWeek(int year, int month, int day) const {
  // 64-bit throughout: the congruence must not overflow for any int input.
  int64_t y = year;
  int64_t m = month;
  if (month == 1 || month == 2) {
    y -= 1;
    m += 12;
  }
  const int64_t c = y / 100;
  const int64_t k = y % 100;
  int64_t w = (k / 4 + (13 * (m + 1)) / 5 + c / 4 - 2 * c + k + (static_cast<int64_t>(day) - 1)) % 7;
  if (w < 0) w += 7;
  return static_cast<int>(w);
}

int SolarDate::GetDayOfYear(int year, int month, int day) const {
  if (month < 1 || month > 12) return 0;
  return kDaysBeforeMonth[month] + day - 1 + ((IsLeapYear(year) && month > 2) ? 1 : 0);
}

}  // namespace velto_common::utils::calendar
