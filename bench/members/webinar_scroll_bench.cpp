// A webinar attendee list scrolled through 10,000 visible-range steps, three ways: smooth
// scrolling, jumps anywhere, and back and forth. Each iteration runs the same pattern over a
// webinar of 100,000 attendees and one of 1,000, through the model's command 0 with the
// arguments a list view would send (built beforehand), against a hostkit::PagingAttendeeProvider
// that records every window it is handed.
//
// Counters:
//  - "ns_per_command_100k", "ns_per_command_1k": one visible-range command;
//  - "ns_per_copy": the baseline, copying the visible range's row indexes into a new vector;
//  - "100k_vs_1k" (target <= 1.5: the cost does not grow with the list) and "command_vs_copy"
//    (target <= 2);
//  - "windows_per_1000_steps": windows handed to the provider, for the 100,000 list; the run
//    fails unless that count, and the 1,000 list's, equal a reference model of the window rule;
//  - "ns_per_command_traced": the same command while the trace record of each command is written
//    (log level 6, as the client logs by default), for scale.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <numeric>
#include <optional>
#include <random>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/webinar_attendees.h"
#include "module_api/members/webinar_attendee_model.h"

namespace {

using base::variant::Variant;
using veltosdk::Range;
using namespace std::chrono;

// The machine is shared: time is this thread's CPU time, so that other processes taking the CPU
// between two steps do not count against either side of a ratio.
struct ThreadCpuClock {
  using duration = std::chrono::nanoseconds;
  using time_point = std::chrono::time_point<ThreadCpuClock>;
  static time_point now() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return time_point(duration(int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec));
  }
};

constexpr int kSteps = 10000;
constexpr uint32_t kVisibleRows = 15;

enum Pattern { kSmooth = 0, kJumps = 1, kBackAndForth = 2 };

// The visible ranges a list of `total` rows shows under the pattern.
std::vector<Range> Walk(Pattern pattern, uint32_t total) {
  std::vector<Range> steps;
  const int64_t last = total - kVisibleRows;
  std::mt19937 random(1234);
  int64_t position = 0;
  int64_t direction = 1;
  for (int i = 0; i < kSteps; ++i) {
    if (pattern == kSmooth) {
      position += direction;  // one row per step, turning at either end
    } else if (pattern == kJumps) {
      position = static_cast<int64_t>(random() % static_cast<uint64_t>(last + 1));
    } else {
      position += (i % 14 < 8) ? 5 * direction : -5 * direction;  // eight steps on, six back
    }
    if (position > last || position < 0) {
      direction = -direction;
      position = std::clamp<int64_t>(position, 0, last);
    }
    steps.emplace_back(static_cast<uint32_t>(position), kVisibleRows);
  }
  return steps;
}

// The window rule on plain numbers: how many windows the provider must be handed.
size_t ReferenceWindows(const std::vector<Range>& steps, uint64_t per_page) {
  std::optional<Range> main;
  size_t windows = 0;
  for (const Range& v : steps) {
    const uint64_t half = (per_page - v.count) / 2;
    const Range next(v.start > half ? static_cast<uint32_t>(v.start - half) : v.start, static_cast<uint32_t>(per_page));
    bool send = !main || next.count != main->count ||
                (v.start >= main->start && v.start + v.count <= main->start + main->count);
    if (!send) {
      const uint32_t threshold = std::max<uint32_t>(20, static_cast<uint32_t>(static_cast<float>(per_page) * 0.2f));
      send = (next.start > main->start ? next.start - main->start : main->start - next.start) > threshold;
    }
    if (send) {
      main = next;
      ++windows;
    }
  }
  return windows;
}

class Model : public velto::WebinarAttendeeModelBase {
 public:
  using WebinarAttendeeModelBase::WebinarAttendeeModelBase;
  using WebinarAttendeeModelBase::ResetMainRange;
};

struct Webinar {
  explicit Webinar(uint32_t total, Pattern pattern)
      : provider({.total = total, .per_page = 50, .name = "bench", .fetch_latency_ms = -1}),
        model([this] { return &provider; }),
        steps(Walk(pattern, total)) {
    model.Init();
    for (const Range& r : steps) {
      Variant in = Variant::Map();
      in["start"] = r.start;
      in["size"] = r.count;
      arguments.push_back(in);
    }
  }
  ~Webinar() { model.UnInit(); }

  // Runs the walk from a fresh window; returns the time it took.
  duration<double> Run() {
    model.ResetMainRange();
    provider.ClearRangeRequests();
    const auto start = ThreadCpuClock::now();
    for (const Variant& in : arguments) benchmark::DoNotOptimize(model.Call(0, &in, nullptr));
    return ThreadCpuClock::now() - start;
  }

  hostkit::PagingAttendeeProvider provider;
  Model model;
  std::vector<Range> steps;
  std::vector<Variant> arguments;
};

// What the view does at the least for each step: the rows it shows, as indexes.
duration<double> CopyIndexes(const std::vector<Range>& steps) {
  const auto start = ThreadCpuClock::now();
  for (const Range& r : steps) {
    std::vector<uint32_t> rows(r.count);
    std::iota(rows.begin(), rows.end(), r.start);
    benchmark::DoNotOptimize(rows.data());
  }
  return ThreadCpuClock::now() - start;
}

void BM_VisibleRangeScroll(benchmark::State& state) {
  const auto pattern = static_cast<Pattern>(state.range(0));
  hostkit::Reset();
  hostkit::InstallModel(514);
  hostkit::InstallModel(609);
  hostkit::SetLogLevel(4);
  Webinar big(100000, pattern);
  Webinar small(1000, pattern);
  duration<double> big_time{0}, small_time{0}, copy_time{0}, traced_time{0};
  size_t big_windows = 0, small_windows = 0;
  for (auto _ : state) {
    big_time += big.Run();
    big_windows = big.provider.RangeRequests().size();
    small_time += small.Run();
    small_windows = small.provider.RangeRequests().size();
    copy_time += CopyIndexes(big.steps);
    state.PauseTiming();
    hostkit::SetLogLevel(6);
    state.ResumeTiming();
    traced_time += big.Run();
    state.PauseTiming();
    hostkit::ClearLogs();
    hostkit::SetLogLevel(4);
    state.ResumeTiming();
  }
  const size_t expected_big = ReferenceWindows(big.steps, 50);
  const size_t expected_small = ReferenceWindows(small.steps, 50);
  const double commands = static_cast<double>(state.iterations()) * kSteps;
  state.counters["ns_per_command_100k"] = big_time.count() / commands * 1e9;
  state.counters["ns_per_command_1k"] = small_time.count() / commands * 1e9;
  state.counters["ns_per_copy"] = copy_time.count() / commands * 1e9;
  state.counters["ns_per_command_traced"] = traced_time.count() / commands * 1e9;
  state.counters["100k_vs_1k"] = big_time.count() / small_time.count();
  state.counters["command_vs_copy"] = big_time.count() / copy_time.count();
  state.counters["windows_per_1000_steps"] = static_cast<double>(big_windows) * 1000.0 / kSteps;
  state.counters["windows_per_1000_steps_1k"] = static_cast<double>(small_windows) * 1000.0 / kSteps;
  state.counters["reference_per_1000_steps"] = static_cast<double>(expected_big) * 1000.0 / kSteps;
  if (big_windows != expected_big || small_windows != expected_small) {
    state.SkipWithError("the provider was handed other windows than the rule gives");
  }
}
BENCHMARK(BM_VisibleRangeScroll)
    ->ArgName("pattern")
    ->Arg(kSmooth)
    ->Arg(kJumps)
    ->Arg(kBackAndForth)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

}  // namespace
