// The Gregorian calendar.
#pragma once

#include "module_api/calendar/date_interface.h"
#include "module_api/export.h"

namespace velto_common::utils::calendar {

class VELTO_API SolarDate final : public DateInterface {
 public:
  // The process-wide instance; it has no state.
  static SolarDate* GetInstance();

  bool IsLeapYear(int year) const override;
  bool IsDateValid(const Date& date) const override;
  int GetLeapMonth(int year) const override;
  int GetDaysInYear(int year) const override;
  int GetDaysInMonth(int year, int month) const override;
  // Zeller's congruence, 0 = Sunday; any input gives a value in 0 to 6.
  int GetDayOfWeek(int year, int month, int day) const override;

  // Zero-based day of the year of a valid date.
  int GetDayOfYear(int year, int month, int day) const;
};

}  // namespace velto_common::utils::calendar
