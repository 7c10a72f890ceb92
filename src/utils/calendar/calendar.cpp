#include "module_api/calendar/calendar.h"

#include "module_api/calendar/lunar_date.h"
#include "module_api/calendar/solar_date.h"
#include "module_api/log.h"

namespace velto_common::utils::calendar {
namespace {

// The calendar of a date type, null (logged) for any other value. Asking for the lunar calendar
// also loads its missing name lists.
const DateInterface* CalendarOf(DateType type, const char* function) {
  switch (type) {
    case DateType::kSolar:
      return SolarDate::GetInstance();
    case DateType::kLunar:
      return LunarDate::GetInstance();
  }
  VELTO_LOG(velto::log::kRejected) << function << ": unknown date type " << static_cast<int>(type);
  return nullptr;
}

}  // namespace

bool IsLeapYear(int year, DateType type) {
  const DateInterface* calendar = CalendarOf(type, __func__);
  return calendar && calendar->IsLeapYear(year);
}

bool IsDateValid(const Date& date, DateType type) {
  const DateInterface* calendar = CalendarOf(type, __func__);
  return calendar && calendar->IsDateValid(date);
}

int GetDaysInMonth(int year, int month, DateType type) {
  const DateInterface* calendar = CalendarOf(type, __func__);
  return calendar ? calendar->GetDaysInMonth(year, month) : 0;
}

int GetDayOfWeek(int year, int month, int day, DateType type) {
  const DateInterface* calendar = CalendarOf(type, __func__);
  return calendar ? calendar->GetDayOfWeek(year, month, day) : 0;
}

ChineseDate GetLunar(Date date) { return LunarDate::GetInstance()->GetLunar(date); }

}  // namespace velto_common::utils::calendar
