#include "utils/calendar/lunar_conversion.h"

#include "module_api/calendar/solar_date.h"
#include "utils/calendar/lunar_year_table.h"

namespace velto_common::utils::calendar::internal {
namespace {

int MonthLength(uint32_t entry, int sequence) { return IsLongMonth(entry, sequence) ? 30 : 29; }

LunarDay Make(int year, uint32_t entry, int sequence, int day) {
  const int leap = LeapMonthOf(entry);
  return {year, sequence, DisplayMonth(sequence, leap), leap > 0 && sequence == leap + 1, day};
}

}  // namespace

std::optional<LunarDay> SolarToLunar(int year, int month, int day) {
  const SolarDate* solar = SolarDate::GetInstance();
  if (!solar->IsDateValid({year, month, day})) return std::nullopt;
  const std::optional<uint32_t> entry = LunarYearEntry(year);
  if (!entry) return std::nullopt;

  // Both days are zero-based days of the Gregorian year `year`.
  const int new_year = NewYearMonth(*entry) == 1 ? NewYearDay(*entry) - 1 : NewYearDay(*entry) + 30;
  const int today = solar->GetDayOfYear(year, month, day);

  if (today >= new_year) {
    const int months = LeapMonthOf(*entry) ? 13 : 12;
    int rest = today - new_year;
    int sequence = 1;
    while (sequence <= months && MonthLength(*entry, sequence) <= rest) rest -= MonthLength(*entry, sequence++);
    // A Gregorian year ends before a lunar year that began in it; kept as a guard on the data.
    if (sequence > months) return std::nullopt;
    return Make(year, *entry, sequence, rest + 1);
  }

  // Before the new year: count back from the end of the previous lunar year.
  const std::optional<uint32_t> previous = LunarYearEntry(year - 1);
  if (!previous) return std::nullopt;
  int rest = new_year - today;
  int sequence = LeapMonthOf(*previous) ? 13 : 12;
  while (sequence >= 1 && rest > MonthLength(*previous, sequence)) rest -= MonthLength(*previous, sequence--);
  if (sequence < 1) return std::nullopt;
  return Make(year - 1, *previous, sequence, MonthLength(*previous, sequence) - rest + 1);
}

}  // namespace velto_common::utils::calendar::internal
