// GetLunar over every day of 2000 to 2030 against ICU's Chinese calendar converting the same days.
// BM_LunarVsIcu runs both in one benchmark, so that the ratio compares one machine state; the
// target is icu_vs_velto >= 100. The single benchmarks give each side's throughput.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include "hostkit/hostkit.h"
#include "module_api/calendar/calendar.h"

namespace {

namespace calendar = velto_common::utils::calendar;
using namespace std::chrono;

struct Day {
  calendar::Date date;
  UDate noon_utc;
};

const std::vector<Day>& Days() {
  static const std::vector<Day> days = [] {
    std::vector<Day> result;
    for (sys_days day = sys_days(year(2000) / January / 1); day <= sys_days(year(2030) / December / 31);
         day += std::chrono::days(1)) {
      const year_month_day ymd(day);
      result.push_back({{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                         static_cast<int>(static_cast<unsigned>(ymd.day()))},
                        static_cast<UDate>(day.time_since_epoch().count()) * U_MILLIS_PER_DAY + 12 * 3600 * 1000.0});
    }
    return result;
  }();
  return days;
}

std::unique_ptr<icu::Calendar> MakeIcuChinese() {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Calendar> chinese(icu::Calendar::createInstance(
      icu::TimeZone::createTimeZone("Etc/GMT"), icu::Locale("zh_CN@calendar=chinese"), status));
  return U_SUCCESS(status) ? std::move(chinese) : nullptr;
}

// Loads the shipped zh-cn names, as a client would have them.
void PrepareVelto() {
  hostkit::SetLanguage("zh-cn");
  calendar::GetLunar({2024, 1, 1});
}

int64_t ConvertAllVelto() {
  int64_t sum = 0;
  for (const Day& day : Days()) {
    calendar::ChineseDate lunar = calendar::GetLunar(day.date);
    sum += lunar.year + lunar.month + lunar.day + static_cast<int64_t>(lunar.month_name.size());
    benchmark::DoNotOptimize(lunar);
  }
  return sum;
}

int64_t ConvertAllIcu(icu::Calendar& chinese) {
  int64_t sum = 0;
  for (const Day& day : Days()) {
    UErrorCode status = U_ZERO_ERROR;
    chinese.setTime(day.noon_utc, status);
    sum += chinese.get(UCAL_EXTENDED_YEAR, status) + chinese.get(UCAL_MONTH, status) +
           chinese.get(UCAL_IS_LEAP_MONTH, status) + chinese.get(UCAL_DATE, status);
  }
  return sum;
}

void BM_GetLunar(benchmark::State& state) {
  PrepareVelto();
  for (auto _ : state) benchmark::DoNotOptimize(ConvertAllVelto());
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * Days().size()));
}
BENCHMARK(BM_GetLunar)->Unit(benchmark::kMicrosecond);

void BM_IcuChinese(benchmark::State& state) {
  std::unique_ptr<icu::Calendar> chinese = MakeIcuChinese();
  if (!chinese) return state.SkipWithError("ICU Chinese calendar unavailable");
  for (auto _ : state) benchmark::DoNotOptimize(ConvertAllIcu(*chinese));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * Days().size()));
}
BENCHMARK(BM_IcuChinese)->Unit(benchmark::kMillisecond);

void BM_LunarVsIcu(benchmark::State& state) {
  PrepareVelto();
  std::unique_ptr<icu::Calendar> chinese = MakeIcuChinese();
  if (!chinese) return state.SkipWithError("ICU Chinese calendar unavailable");
  constexpr int kVeltoRepeats = 20;  // one ICU pass takes as long as many of ours
  duration<double> velto{0}, icu{0};
  for (auto _ : state) {
    auto start = steady_clock::now();
    for (int i = 0; i < kVeltoRepeats; ++i) benchmark::DoNotOptimize(ConvertAllVelto());
    velto += (steady_clock::now() - start) / kVeltoRepeats;
    start = steady_clock::now();
    benchmark::DoNotOptimize(ConvertAllIcu(*chinese));
    icu += steady_clock::now() - start;
  }
  const double per_day = static_cast<double>(state.iterations()) * static_cast<double>(Days().size());
  state.counters["velto_ns_per_day"] = velto.count() / per_day * 1e9;
  state.counters["icu_ns_per_day"] = icu.count() / per_day * 1e9;
  state.counters["icu_vs_velto"] = icu.count() / velto.count();
}
BENCHMARK(BM_LunarVsIcu)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
