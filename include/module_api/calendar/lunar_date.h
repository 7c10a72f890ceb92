// The Chinese lunar calendar of the lunar years 1901 to 2099, from the official calendar data.
#pragma once

#include <string>
#include <vector>

#include "module_api/calendar/date_interface.h"
#include "module_api/export.h"

namespace velto_common::utils::calendar {

class VELTO_API LunarDate final : public DateInterface {
 public:
  // The process-wide instance, created on first use. Every call first loads each name list that
  // is still empty, so names missing at start-up appear once the string resources do.
  static LunarDate* GetInstance();

  LunarDate(const LunarDate&) = delete;
  LunarDate& operator=(const LunarDate&) = delete;

  bool IsLeapYear(int year) const override;  // false
  bool IsDateValid(const Date& date) const override;
  int GetLeapMonth(int year) const override;
  int GetDaysInYear(int year) const override;  // 0
  // `month` is the sequence number 1 to 13; 0 outside it or outside the table.
  int GetDaysInMonth(int year, int month) const override;
  int GetDayOfWeek(int year, int month, int day) const override;  // 0

  // The lunar date and names of a Gregorian date.
  ChineseDate GetLunar(const Date& solar) const;

 private:
  LunarDate() = default;
  ~LunarDate() = default;
  static void Destroy(void* holder);
  void LoadNames();

  std::vector<std::string> month_names_;
  std::vector<std::string> day_names_;
  std::vector<std::string> zodiac_names_;
  std::vector<std::string> stem_names_;
  std::vector<std::string> branch_names_;
  std::vector<std::string> solar_term_names_;
};

}  // namespace velto_common::utils::calendar
