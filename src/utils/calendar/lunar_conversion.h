// Gregorian to lunar conversion over the lunar year table.
#pragma once

#include <optional>

namespace velto_common::utils::calendar::internal {

struct LunarDay {
  int year = 0;
  int sequence = 0;  // month sequence number 1 to 13
  int month = 0;     // display number 1 to 12
  bool leap = false;
  int day = 0;
};

// nullopt for an invalid Gregorian date and for dates whose lunar year is outside the table.
std::optional<LunarDay> SolarToLunar(int year, int month, int day);

// Month sequence number to display number: months after the leap month show the number of the
// month before them.
inline int DisplayMonth(int sequence, int leap_month) {
  return leap_month > 0 && sequence > leap_month ? sequence - 1 : sequence;
}

}  // namespace velto_common::utils::calendar::internal
