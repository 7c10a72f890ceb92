#include "module_api/calendar/lunar_date.h"

#include <atomic>
#include <cstdint>
#include <string_view>
#include <thread>

#include "base/location.h"
#include "base/scope_singleton.h"
#include "module_api/log.h"
#include "module_api/runtime.h"
#include "utils/calendar/lunar_conversion.h"
#include "utils/calendar/lunar_year_table.h"

namespace velto_common::utils::calendar {
namespace {

// Resource string ids of the comma-separated name lists and of the leap-month prefix.
constexpr uint32_t kMonthNamesId = 0x0D43AEA8;
constexpr uint32_t kDayNamesId = 0x0C703F17;
constexpr uint32_t kZodiacNamesId = 0xB15F5AE1;
constexpr uint32_t kStemNamesId = 0xE149898F;
constexpr uint32_t kBranchNamesId = 0xECBD6F26;
constexpr uint32_t kSolarTermNamesId = 0xBC24FCFC;
constexpr uint32_t kLeapPrefixId = 0xB582EA76;

// 1864 began a sixty-year cycle (the year of stem 0 and branch 0).
constexpr int kCycleStartYear = 1864;

std::atomic<LunarDate*> g_instance{nullptr};
std::atomic_flag g_instance_lock = ATOMIC_FLAG_INIT;

std::string Localized(uint32_t id) { return GetLocalizedString(static_cast<int>(id)); }

// Empty entries keep their place, so that the n-th name stays the n-th entry.
std::vector<std::string> SplitNames(std::string_view text) {
  std::vector<std::string> names;
  if (text.empty()) return names;
  for (size_t start = 0;;) {
    const size_t comma = text.find(',', start);
    names.emplace_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) return names;
    start = comma + 1;
  }
}

const std::string* EntryAt(const std::vector<std::string>& names, int index) {
  return index >= 0 && static_cast<size_t>(index) < names.size() ? &names[index] : nullptr;
}

}  // namespace

LunarDate* LunarDate::GetInstance() {
  LunarDate* instance = g_instance.load(std::memory_order_acquire);
  if (!instance) {
    while (g_instance_lock.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
    instance = g_instance.load(std::memory_order_relaxed);
    if (!instance) {
      instance = new LunarDate();
      g_instance.store(instance, std::memory_order_release);
      // Lives until library teardown; the registry destroys it there.
      base::RegisterScopeSingleton(&g_instance, &LunarDate::Destroy);
    }
    g_instance_lock.clear(std::memory_order_release);
  }
  instance->LoadNames();
  return instance;
}

void LunarDate::Destroy(void* holder) {
  delete static_cast<std::atomic<LunarDate*>*>(holder)->exchange(nullptr);
}

void LunarDate::LoadNames() {
  struct List {
    std::vector<std::string>* names;
    uint32_t id;
  };
  const List lists[] = {{&month_names_, kMonthNamesId},   {&day_names_, kDayNamesId},
                        {&zodiac_names_, kZodiacNamesId}, {&stem_names_, kStemNamesId},
                        {&branch_names_, kBranchNamesId}, {&solar_term_names_, kSolarTermNamesId}};
  bool incomplete = false;
  for (const List& list : lists) {
    if (list.names->empty()) *list.names = SplitNames(Localized(list.id));
    incomplete = incomplete || list.names->empty();
  }
  // The string resources may not be there yet at start-up; the next access tries again.
  if (incomplete) {
    VELTO_LOG_AT(velto::log::kNotable, base::Location("configDatas", "lunar_date", __LINE__))
        << "lunar date need config aagin";
  }
}

bool LunarDate::IsLeapYear(int /*year*/) const { return false; }

bool LunarDate::IsDateValid(const Date& date) const {
  return date.day >= 1 && date.month >= 1 && date.month <= 13 && date.day <= GetDaysInMonth(date.year, date.month);
}

int LunarDate::GetLeapMonth(int year) const {
  const std::optional<uint32_t> entry = internal::LunarYearEntry(year);
  return entry ? internal::LeapMonthOf(*entry) : 0;
}

int LunarDate::GetDaysInYear(int /*year*/) const { return 0; }

int LunarDate::GetDaysInMonth(int year, int month) const {
  if (month < 1 || month > 13) return 0;
  const std::optional<uint32_t> entry = internal::LunarYearEntry(year);
  if (!entry) return 0;
  return internal::IsLongMonth(*entry, month) ? 30 : 29;
}

int LunarDate::GetDayOfWeek(int /*year*/, int /*month*/, int /*day*/) const { return 0; }

ChineseDate LunarDate::GetLunar(const Date& solar) const {
  ChineseDate result;
  const std::optional<internal::LunarDay> lunar = internal::SolarToLunar(solar.year, solar.month, solar.day);
  if (!lunar) {
    VELTO_LOG(velto::log::kRejected) << "no lunar date for " << solar.year << '-' << solar.month << '-' << solar.day
                              << " (invalid, or outside the lunar years " << internal::kFirstLunarYear << " to "
                              << internal::kLastLunarYear << ")";
    return result;
  }
  result.year = lunar->year;
  result.month = lunar->month;
  result.day = lunar->day;

  const int cycle = lunar->year - kCycleStartYear;  // positive: the table starts in 1901
  if (const std::string* stem = EntryAt(stem_names_, cycle % 10)) result.year_name = *stem;
  if (const std::string* branch = EntryAt(branch_names_, cycle % 12)) result.year_name += *branch;
  if (const std::string* month = EntryAt(month_names_, lunar->month - 1)) {
    result.month_name = lunar->leap ? Localized(kLeapPrefixId) + *month : *month;
  }
  if (const std::string* day = EntryAt(day_names_, lunar->day - 1)) result.day_name = *day;
  return result;
}

}  // namespace velto_common::utils::calendar
