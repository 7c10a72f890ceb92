// The calendar operations shared by the solar and the lunar calendar.
#pragma once

#include "module_api/calendar/calendar.h"
#include "module_api/export.h"

namespace velto_common::utils::calendar {

class VELTO_API DateInterface {
 public:
  virtual bool IsLeapYear(int year) const = 0;
  virtual bool IsDateValid(const Date& date) const = 0;
  // The month followed by a leap month (lunar), or 2 in a Gregorian leap year; 0 otherwise.
  virtual int GetLeapMonth(int year) const = 0;
  virtual int GetDaysInYear(int year) const = 0;
  virtual int GetDaysInMonth(int year, int month) const = 0;
  virtual int GetDayOfWeek(int year, int month, int day) const = 0;

 protected:
  // The calendars are process-wide instances, never deleted through this interface.
  ~DateInterface() = default;
};

}  // namespace velto_common::utils::calendar
