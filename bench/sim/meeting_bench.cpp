// The built-in meeting at its default size (300 people, 60 simulated minutes), played in-process
// as velto-sim plays it, against a baseline measured in the same iteration: a meeting fixture that
// takes the same 300 people in one batch with no library piece listening (the host's share of the
// work, which no simulator can avoid). "vs_fixture_load" is the ratio; "budget_share" is the
// meeting's wall time over its 5 s budget. BM_MeetingAt is the same meeting at 1,000 and 3,000
// people, for how the cost grows.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "meeting/player.h"
#include "record.h"
#include "sim.h"

namespace {

using namespace std::chrono;

double PlayMs(size_t users) {
  hostkit::Reset();
  hostkit::SetLogLevel(3);
  sim::Recorder recorder;
  sim::Context context;
  context.quiet = true;
  context.state_dir = (std::filesystem::temp_directory_path() / "velto-sim-bench-state").string();
  sim::meeting::Plan plan;
  plan.users = users;
  const auto start = steady_clock::now();
  sim::meeting::PlayMeeting(plan, context, recorder);
  const double ms = duration<double, std::milli>(steady_clock::now() - start).count();
  hostkit::Reset();
  return ms;
}

double FixtureLoadMs(size_t users) {
  hostkit::Reset();
  const auto start = steady_clock::now();
  {
    hostkit::MeetingFixture::Options options;
    options.other_users = 0;
    hostkit::MeetingFixture fixture(options);
    fixture.Install();
    std::vector<base::variant::Variant> records;
    for (size_t i = 0; i < users; ++i) {
      records.push_back(hostkit::MeetingFixture::MakeUser("p-" + std::to_string(i), "Person " + std::to_string(i)));
    }
    fixture.AddUsers(std::move(records));
  }
  const double ms = duration<double, std::milli>(steady_clock::now() - start).count();
  hostkit::Reset();
  return ms;
}

void BM_BuiltInMeetingVsFixtureLoad(benchmark::State& state) {
  double meeting_ms = 0;
  double baseline_ms = 0;
  for (auto _ : state) {
    meeting_ms += PlayMs(300);
    baseline_ms += FixtureLoadMs(300);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["meeting_ms"] = meeting_ms / n;
  state.counters["fixture_load_ms"] = baseline_ms / n;
  state.counters["vs_fixture_load"] = meeting_ms / baseline_ms;
  state.counters["budget_share"] = meeting_ms / n / 5000.0;
}
BENCHMARK(BM_BuiltInMeetingVsFixtureLoad)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MeetingAt(benchmark::State& state) {
  const size_t users = static_cast<size_t>(state.range(0));
  double meeting_ms = 0;
  double baseline_ms = 0;
  for (auto _ : state) {
    meeting_ms += PlayMs(users);
    baseline_ms += FixtureLoadMs(users);
  }
  state.counters["meeting_ms"] = meeting_ms / static_cast<double>(state.iterations());
  state.counters["vs_fixture_load"] = meeting_ms / baseline_ms;
}
BENCHMARK(BM_MeetingAt)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
