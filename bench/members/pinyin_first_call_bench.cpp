// The first pinyin conversion of a process, against the creation of ICU's Han-Latin
// transliterator, each in a fresh process (a warm benchmark loop would hide both): the
// benchmark binary runs itself again per measurement (bench/process_probe.h).
//
// BM_PinyinFirstConversionVsIcuCreate, per iteration one process of each:
//   first_conversion_us   ConvertChineseToPinyin("张伟", true), the process's first conversion
//   icu_create_ms         icu::Transliterator::createInstance("Han-Latin")
//   icu_vs_first          icu_create / first_conversion (target: at least 100)
// Times are thread CPU times of the measured call; *_min and *_max give the range over the
// iterations.
#include <benchmark/benchmark.h>
#include <unicode/translit.h>

#include <algorithm>
#include <memory>
#include <string>

#include "module_api/members/pinyin.h"
#include "process_probe.h"

namespace {

const bool kProbes = [] {
  bench::RegisterProbe("pinyin_first_conversion", [] {
    const double start = bench::ThreadCpuSeconds();
    const std::string pinyin = velto_common::utils::ConvertChineseToPinyin("张伟", true);
    const double seconds = bench::ThreadCpuSeconds() - start;
    return pinyin == "zhangwei" ? seconds : -1.0;
  });
  bench::RegisterProbe("icu_han_latin_create", [] {
    const double start = bench::ThreadCpuSeconds();
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> han(icu::Transliterator::createInstance("Han-Latin", UTRANS_FORWARD, status));
    const double seconds = bench::ThreadCpuSeconds() - start;
    return U_SUCCESS(status) && han ? seconds : -1.0;
  });
  return true;
}();

void BM_PinyinFirstConversionVsIcuCreate(benchmark::State& state) {
  double first_total = 0, icu_total = 0;
  double first_min = 1e9, first_max = 0, icu_min = 1e9, icu_max = 0;
  for (auto _ : state) {
    const double first = bench::RunProbeInFreshProcess("pinyin_first_conversion");
    const double icu = bench::RunProbeInFreshProcess("icu_han_latin_create");
    if (first < 0 || icu < 0) return state.SkipWithError("a probe process failed");
    first_total += first;
    icu_total += icu;
    first_min = std::min(first_min, first);
    first_max = std::max(first_max, first);
    icu_min = std::min(icu_min, icu);
    icu_max = std::max(icu_max, icu);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["first_conversion_us"] = first_total / n * 1e6;
  state.counters["first_conversion_us_min"] = first_min * 1e6;
  state.counters["first_conversion_us_max"] = first_max * 1e6;
  state.counters["icu_create_ms"] = icu_total / n * 1e3;
  state.counters["icu_create_ms_min"] = icu_min * 1e3;
  state.counters["icu_create_ms_max"] = icu_max * 1e3;
  state.counters["icu_vs_first"] = icu_total / first_total;
}
BENCHMARK(BM_PinyinFirstConversionVsIcuCreate)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
