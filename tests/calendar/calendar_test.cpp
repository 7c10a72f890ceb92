// Gregorian arithmetic, lunar conversion edge cases and the loading of the lunar names.
#include <chrono>
#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "hostkit/hostkit.h"
#include "module_api/calendar/calendar.h"
#include "module_api/calendar/lunar_date.h"
#include "module_api/calendar/solar_date.h"

namespace {

namespace calendar = velto_common::utils::calendar;
using calendar::Date;
using calendar::DateType;

constexpr DateType kSolar = DateType::kSolar;
constexpr DateType kLunar = DateType::kLunar;
const DateType kBogus = static_cast<DateType>(7);

constexpr int kMonthNames = 0x0D43AEA8;
constexpr int kDayNames = 0x0C703F17;
constexpr int kZodiacNames = static_cast<int>(0xB15F5AE1u);
constexpr int kStemNames = static_cast<int>(0xE149898Fu);
constexpr int kBranchNames = static_cast<int>(0xECBD6F26u);
constexpr int kSolarTermNames = static_cast<int>(0xBC24FCFCu);
constexpr int kLeapPrefix = static_cast<int>(0xB582EA76u);

// Installs short, recognisable names in a language of their own and switches to it.
void UseTestNames(const std::string& language = "test") {
  hostkit::SetLanguage(language);
  hostkit::SetLocalizedString(kMonthNames, "M1,M2,M3,M4,M5,M6,M7,M8,M9,M10,M11,M12");
  std::string days;
  for (int d = 1; d <= 30; ++d) days += (d > 1 ? ",D" : "D") + std::to_string(d);
  hostkit::SetLocalizedString(kDayNames, days);
  hostkit::SetLocalizedString(kZodiacNames, "Z");
  hostkit::SetLocalizedString(kStemNames, "S0,S1,S2,S3,S4,S5,S6,S7,S8,S9");
  hostkit::SetLocalizedString(kBranchNames, "b0,b1,b2,b3,b4,b5,b6,b7,b8,b9,b10,b11");
  hostkit::SetLocalizedString(kSolarTermNames, "T");
  hostkit::SetLocalizedString(kLeapPrefix, "L:");
}

struct Lunar {
  int year, month, day;
};

void ExpectLunar(Date solar, Lunar lunar, const std::string& month_name) {
  const calendar::ChineseDate result = calendar::GetLunar(solar);
  EXPECT_EQ(result.year, lunar.year) << solar.year << "-" << solar.month << "-" << solar.day;
  EXPECT_EQ(result.month, lunar.month) << solar.year << "-" << solar.month << "-" << solar.day;
  EXPECT_EQ(result.day, lunar.day) << solar.year << "-" << solar.month << "-" << solar.day;
  EXPECT_EQ(result.month_name, month_name) << solar.year << "-" << solar.month << "-" << solar.day;
}

TEST(SolarCalendar, DayOfWeekMatchesTheCivilCalendarAcrossCenturies) {
  EXPECT_EQ(calendar::GetDayOfWeek(2024, 1, 1, kSolar), 1);
  EXPECT_EQ(calendar::GetDayOfWeek(2000, 2, 29, kSolar), 2);
  using namespace std::chrono;
  for (sys_days day = sys_days(year(1583) / January / 1); day < sys_days(year(2401) / January / 1); day += days(1)) {
    const year_month_day ymd(day);
    const int expected = static_cast<int>(weekday(day).c_encoding());
    const int actual = calendar::GetDayOfWeek(static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                                              static_cast<unsigned>(ymd.day()), kSolar);
    ASSERT_EQ(actual, expected) << static_cast<int>(ymd.year()) << "-" << static_cast<unsigned>(ymd.month()) << "-"
                                << static_cast<unsigned>(ymd.day());
  }
}

TEST(SolarCalendar, DayOfWeekStaysInRangeForAnyInput) {
  for (int year : {INT_MIN, -1, 0, INT_MAX}) {
    for (int month : {INT_MIN, 0, 1, 2, 13, INT_MAX}) {
      for (int day : {INT_MIN, 0, 1, INT_MAX}) {
        const int weekday = calendar::GetDayOfWeek(year, month, day, kSolar);
        EXPECT_GE(weekday, 0);
        EXPECT_LE(weekday, 6);
      }
    }
  }
  EXPECT_EQ(calendar::GetDayOfWeek(2024, 1, 1, kLunar), 0);
  EXPECT_EQ(calendar::GetDayOfWeek(2024, 1, 2, kBogus), 0);
}

TEST(SolarCalendar, MonthLengthsAndLeapYears) {
  EXPECT_EQ(calendar::GetDaysInMonth(1900, 2, kSolar), 28);
  EXPECT_EQ(calendar::GetDaysInMonth(2000, 2, kSolar), 29);
  EXPECT_EQ(calendar::GetDaysInMonth(2024, 2, kSolar), 29);
  EXPECT_EQ(calendar::GetDaysInMonth(2023, 4, kSolar), 30);
  EXPECT_EQ(calendar::GetDaysInMonth(2023, 12, kSolar), 31);
  EXPECT_EQ(calendar::GetDaysInMonth(2023, 13, kSolar), 0);
  EXPECT_EQ(calendar::GetDaysInMonth(2023, 0, kSolar), 0);
  EXPECT_EQ(calendar::GetDaysInMonth(2023, -1, kSolar), 0);
  EXPECT_GE(calendar::GetDaysInMonth(2023, 13, kLunar), 29);

  EXPECT_FALSE(calendar::IsLeapYear(1900, kSolar));
  EXPECT_TRUE(calendar::IsLeapYear(2000, kSolar));
  EXPECT_TRUE(calendar::IsLeapYear(2024, kSolar));
  EXPECT_FALSE(calendar::IsLeapYear(2023, kSolar));
  EXPECT_FALSE(calendar::IsLeapYear(2023, kLunar));  // even with its leap month
  EXPECT_FALSE(calendar::IsLeapYear(2024, kBogus));
  EXPECT_EQ(calendar::GetDaysInMonth(2024, 2, kBogus), 0);

  const auto* solar = calendar::SolarDate::GetInstance();
  EXPECT_EQ(solar, calendar::SolarDate::GetInstance());
  EXPECT_EQ(solar->GetLeapMonth(2024), 2);
  EXPECT_EQ(solar->GetLeapMonth(2100), 0);
  EXPECT_EQ(solar->GetDaysInYear(2000), 366);
  EXPECT_EQ(solar->GetDaysInYear(1900), 365);
}

TEST(SolarCalendar, DateValidity) {
  EXPECT_FALSE(calendar::IsDateValid({2023, 2, 29}, kSolar));
  EXPECT_TRUE(calendar::IsDateValid({2024, 2, 29}, kSolar));
  EXPECT_TRUE(calendar::IsDateValid({-5, 12, 31}, kSolar));  // the year is not checked
  EXPECT_FALSE(calendar::IsDateValid({2024, 4, 31}, kSolar));
  EXPECT_FALSE(calendar::IsDateValid({2024, 1, 0}, kSolar));
  EXPECT_FALSE(calendar::IsDateValid({2024, 13, 1}, kSolar));
  EXPECT_FALSE(calendar::IsDateValid({2024, 1, 1}, kBogus));
  EXPECT_TRUE(hostkit::HasLog(3, "unknown date type 7"));
}

TEST(LunarCalendar, ValidityLooksOnlyAtTheMonthLengthBits) {
  const auto* lunar = calendar::LunarDate::GetInstance();
  for (int year = 1901; year <= 2099; ++year) {
    EXPECT_TRUE(calendar::IsDateValid({year, 13, 1}, kLunar)) << year;
    EXPECT_FALSE(calendar::IsDateValid({year, 14, 1}, kLunar)) << year;
    EXPECT_FALSE(calendar::IsDateValid({year, 0, 1}, kLunar)) << year;
    for (int month = 1; month <= 13; ++month) {
      const int length = calendar::GetDaysInMonth(year, month, kLunar);
      ASSERT_TRUE(length == 29 || length == 30) << year << "/" << month;
      EXPECT_TRUE(calendar::IsDateValid({year, month, length}, kLunar));
      EXPECT_FALSE(calendar::IsDateValid({year, month, length + 1}, kLunar));
      EXPECT_FALSE(calendar::IsDateValid({year, month, 0}, kLunar));
    }
  }
  EXPECT_EQ(lunar->GetLeapMonth(2023), 2);
  EXPECT_EQ(lunar->GetLeapMonth(2024), 0);
  EXPECT_EQ(lunar->GetLeapMonth(1903), 5);
  EXPECT_EQ(lunar->GetDaysInYear(2023), 0);
  EXPECT_EQ(lunar->GetDayOfWeek(2023, 1, 1), 0);
  EXPECT_FALSE(lunar->IsLeapYear(2023));
}

TEST(LunarCalendar, YearsOutsideTheTableAreNeutral) {
  const auto* lunar = calendar::LunarDate::GetInstance();
  for (int year : {INT_MIN, 0, 1900, 2100, INT_MAX}) {
    EXPECT_EQ(lunar->GetLeapMonth(year), 0) << year;
    EXPECT_EQ(calendar::GetDaysInMonth(year, 1, kLunar), 0) << year;
    EXPECT_FALSE(calendar::IsDateValid({year, 1, 1}, kLunar)) << year;
  }
  // The first days of 1901 belong to lunar 1900, and 2100 has no entry: both are empty dates.
  for (Date solar : {Date{1901, 1, 1}, Date{1901, 2, 18}, Date{1900, 6, 1}, Date{2100, 1, 1}, Date{INT_MAX, 1, 1}}) {
    const calendar::ChineseDate result = calendar::GetLunar(solar);
    EXPECT_EQ(result.year, 0);
    EXPECT_EQ(result.month, 0);
    EXPECT_EQ(result.day, 0);
    EXPECT_TRUE(result.year_name.empty() && result.month_name.empty() && result.day_name.empty());
  }
  EXPECT_TRUE(hostkit::HasLog(3, "no lunar date for 1901-2-18"));
  ExpectLunar({1901, 2, 19}, {1901, 1, 1}, calendar::GetLunar({1901, 2, 19}).month_name);
}

TEST(LunarCalendar, InvalidGregorianDatesAreNeutral) {
  for (Date solar : {Date{2023, 2, 29}, Date{2023, 0, 1}, Date{2023, 13, 1}, Date{2023, 4, 31}, Date{2023, 1, 0},
                     Date{2023, INT_MIN, INT_MIN}}) {
    const calendar::ChineseDate result = calendar::GetLunar(solar);
    EXPECT_EQ(result.year, 0) << solar.month << "/" << solar.day;
    EXPECT_TRUE(result.month_name.empty());
  }
}

TEST(LunarCalendar, NewYearBoundaries) {
  UseTestNames();
  ExpectLunar({2023, 1, 22}, {2023, 1, 1}, "M1");
  ExpectLunar({2023, 1, 21}, {2022, 12, 30}, "M12");
  ExpectLunar({2024, 2, 9}, {2023, 12, 30}, "M12");
  ExpectLunar({2024, 2, 10}, {2024, 1, 1}, "M1");
  // 1903 begins on 29 January, the earliest a January new year gets in the table's first years.
  ExpectLunar({1903, 1, 29}, {1903, 1, 1}, "M1");
  ExpectLunar({1903, 1, 28}, {1902, 12, 30}, "M12");
}

TEST(LunarCalendar, LeapMonthOf2023) {
  UseTestNames();
  ExpectLunar({2023, 3, 21}, {2023, 2, 30}, "M2");
  ExpectLunar({2023, 3, 22}, {2023, 2, 1}, "L:M2");
  ExpectLunar({2023, 4, 19}, {2023, 2, 29}, "L:M2");
  ExpectLunar({2023, 4, 20}, {2023, 3, 1}, "M3");
  ExpectLunar({2023, 2, 20}, {2023, 2, 1}, "M2");
}

TEST(LunarCalendar, LeapMonthAcrossTheGregorianNewYear) {
  UseTestNames();
  // 2033 has its leap month after the eleventh, from 22 December 2033 to 19 January 2034: the
  // days before the 2034 new year count back through it from the end of lunar 2033.
  ASSERT_EQ(calendar::LunarDate::GetInstance()->GetLeapMonth(2033), 11);
  ExpectLunar({2033, 12, 21}, {2033, 11, 30}, "M11");
  ExpectLunar({2033, 12, 22}, {2033, 11, 1}, "L:M11");
  ExpectLunar({2034, 1, 1}, {2033, 11, 11}, "L:M11");
  ExpectLunar({2034, 1, 19}, {2033, 11, 29}, "L:M11");
  ExpectLunar({2034, 1, 20}, {2033, 12, 1}, "M12");
  ExpectLunar({2034, 2, 18}, {2033, 12, 30}, "M12");
  ExpectLunar({2034, 2, 19}, {2034, 1, 1}, "M1");
}

TEST(LunarCalendar, CarriesNoMeaningInTheExtraFields) {
  UseTestNames();
  const calendar::ChineseDate result = calendar::GetLunar({2023, 1, 22, 99});
  EXPECT_EQ(result.extra1, 0);
  EXPECT_EQ(result.extra2, 0);
  EXPECT_TRUE(result.extra_name.empty());
  EXPECT_EQ(result.year_name, "S9b3");  // 2023 - 1864 = 159: stem 9, branch 3
  EXPECT_EQ(result.day_name, "D1");
}

TEST(LunarNames, ShippedNamesInBothLanguages) {
  hostkit::SetLanguage("zh-cn");
  calendar::ChineseDate result = calendar::GetLunar({2023, 3, 22});
  EXPECT_EQ(result.year_name, "癸卯");
  EXPECT_EQ(result.month_name, "闰二月");
  EXPECT_EQ(result.day_name, "初一");
  result = calendar::GetLunar({2024, 2, 9});
  EXPECT_EQ(result.year_name + result.month_name + result.day_name, "癸卯腊月三十");
  EXPECT_EQ(calendar::GetLunar({2024, 2, 10}).year_name + calendar::GetLunar({2024, 2, 10}).month_name,
            "甲辰正月");
  EXPECT_FALSE(hostkit::HasLog(4, "lunar date need config aagin"));

  hostkit::Reset();  // a client started in English
  hostkit::SetLanguage("en-us");
  result = calendar::GetLunar({2023, 3, 22});
  EXPECT_EQ(result.year_name, "Guimao");
  EXPECT_EQ(result.month_name, "Leap Second Month");
  EXPECT_EQ(result.day_name, "1st");
  EXPECT_EQ(calendar::GetLunar({2023, 1, 23}).day_name, "2nd");
  EXPECT_EQ(calendar::GetLunar({2023, 2, 11}).day_name, "21st");
  EXPECT_FALSE(hostkit::HasLog(4, "lunar date need config aagin"));
}

TEST(LunarNames, LoadedWhenTheTextsArriveAndKeptAfterwards) {
  hostkit::SetLanguage("no-texts-yet");
  calendar::ChineseDate result = calendar::GetLunar({2023, 3, 22});
  EXPECT_EQ(result.month, 2);  // numbers do not need names
  EXPECT_TRUE(result.year_name.empty() && result.month_name.empty() && result.day_name.empty());
  ASSERT_EQ(hostkit::CountLogs(4, "lunar date need config aagin"), 1u);
  for (const auto& record : hostkit::Logs()) {
    if (record.text != "lunar date need config aagin") continue;
    EXPECT_EQ(record.file, "lunar_date");
    EXPECT_EQ(record.function, "configDatas");
  }
  // Every lunar entry point tries again; solar ones do not touch the lunar names.
  calendar::IsLeapYear(2023, kLunar);
  EXPECT_EQ(hostkit::CountLogs(4, "lunar date need config aagin"), 2u);
  calendar::GetDaysInMonth(2023, 1, kSolar);
  EXPECT_EQ(hostkit::CountLogs(4, "lunar date need config aagin"), 2u);

  UseTestNames("no-texts-yet");
  EXPECT_EQ(calendar::GetLunar({2023, 3, 22}).month_name, "L:M2");
  EXPECT_EQ(hostkit::CountLogs(4, "lunar date need config aagin"), 2u);

  // Loaded lists stay as they are: a language switch needs a restart.
  UseTestNames("other");
  hostkit::SetLocalizedString(kMonthNames, "X1,X2,X3,X4,X5,X6,X7,X8,X9,X10,X11,X12");
  EXPECT_EQ(calendar::GetLunar({2023, 3, 21}).month_name, "M2");
}

TEST(LunarNames, EveryListIsRequiredEvenThoseGetLunarDoesNotShow) {
  UseTestNames("partial");
  hostkit::SetLocalizedString(kSolarTermNames, "");
  EXPECT_EQ(calendar::GetLunar({2023, 1, 22}).month_name, "M1");
  calendar::GetLunar({2023, 1, 23});
  EXPECT_EQ(hostkit::CountLogs(4, "lunar date need config aagin"), 2u);
  hostkit::SetLocalizedString(kSolarTermNames, "T1,T2");
  calendar::GetLunar({2023, 1, 24});
  EXPECT_EQ(hostkit::CountLogs(4, "lunar date need config aagin"), 2u);
}

TEST(LunarNames, ShortListsLeaveTheMissingNamesEmpty) {
  UseTestNames("short");
  hostkit::SetLocalizedString(kMonthNames, "M1,,M3");
  hostkit::SetLocalizedString(kDayNames, "D1,D2");
  hostkit::SetLocalizedString(kStemNames, "S0");
  calendar::ChineseDate result = calendar::GetLunar({2023, 3, 22});  // leap 2/1
  EXPECT_EQ(result.month_name, "L:");                                 // an empty entry still has a place
  EXPECT_EQ(result.day_name, "D1");
  EXPECT_EQ(result.year_name, "b3");  // stem 9 is missing
  result = calendar::GetLunar({2023, 4, 20});  // 3/1
  EXPECT_EQ(result.month_name, "M3");
  result = calendar::GetLunar({2023, 6, 30});  // 5/13
  EXPECT_TRUE(result.month_name.empty());
  EXPECT_TRUE(result.day_name.empty());
  EXPECT_EQ(result.month, 5);
  EXPECT_EQ(result.day, 13);
}

}  // namespace
