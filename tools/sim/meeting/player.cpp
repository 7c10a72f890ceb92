#include "meeting/player.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "hostkit/hostkit.h"
#include "meeting/world.h"
#include "record.h"
#include "sim.h"

namespace sim::meeting {
namespace {

using Clock = std::chrono::steady_clock;

// Progress on a terminal's stderr, once a run has taken a second.
class Progress {
 public:
  explicit Progress(int64_t end_ms) : end_ms_(end_ms), on_(isatty(STDERR_FILENO) == 1) {}
  ~Progress() {
    if (shown_) std::fprintf(stderr, "\r\033[K");
  }
  void Update(int64_t at_ms, size_t played, size_t total) {
    if (!on_) return;
    const auto now = Clock::now();
    if (now - start_ < std::chrono::seconds(1) || now - last_ < std::chrono::milliseconds(200)) return;
    last_ = now;
    shown_ = true;
    std::fprintf(stderr, "\rvelto-sim: %lld:%02lld of %lld:00 simulated, %zu of %zu events",
                 static_cast<long long>(at_ms / 60000), static_cast<long long>(at_ms / 1000 % 60),
                 static_cast<long long>(end_ms_ / 60000), played, total);
  }

 private:
  int64_t end_ms_;
  bool on_;
  bool shown_ = false;
  Clock::time_point start_ = Clock::now();
  Clock::time_point last_{};
};

void MinuteLine(World& world, int64_t minute) {
  std::string line = world.TakeTallies();
  const Variant* users = world.list().GetUserList();
  char state[160];
  std::snprintf(state, sizeof state, "%zu in the meeting, %zu hands up, %zu tiles, %zu streams pulled",
                users ? users->size() : 0, world.hands().raise_hand_list_sorted_by_time().size(), world.tiles(),
                world.pulls().Pulled().size());
  world.Note("minute " + std::to_string(minute + 1) + ": " + (line.empty() ? std::string("no routine changes") : line) +
             "; " + state);
}

void PrintSummary(const Recorder& recorder, const Plan& plan, size_t played, size_t scheduled) {
  std::printf("\n== Summary ==\n");
  std::printf("  %-34s %lld of %lld min, %zu of %zu events played%s\n", "simulated",
              static_cast<long long>(recorder.end_ms() / 60000), static_cast<long long>(plan.minutes), played,
              scheduled, recorder.interrupted() ? " (stopped by a signal)" : "");
  for (const auto& [name, value] : recorder.figures()) {
    std::printf("  %-34s %lld\n", name.c_str(), static_cast<long long>(value));
  }
  std::printf("\nTime per event kind (measured on this machine):\n%s", recorder.TimingTable().c_str());
}

}  // namespace

int PlayMeeting(const Plan& plan, Context& context, Recorder& recorder) {
  const Schedule schedule = Generate(plan);
  const std::vector<Event> events = schedule.Sorted();
  char title[160];
  std::snprintf(title, sizeof title, "a meeting of %zu people over %lld minutes (seed %llu)", plan.users,
                static_cast<long long>(plan.minutes), static_cast<unsigned long long>(plan.seed));
  recorder.SetTitle(title);
  if (!context.quiet) std::printf("== %s: %zu events scheduled ==\n", title, events.size());

  World world(plan, context, recorder);
  world.Open();
  world.AfterEvent();
  Progress progress(plan.end_ms());
  const int64_t start = hostkit::NowMs();
  int64_t minute = 0;
  size_t played = 0;
  // Moves the clock to a time of the meeting, running the timers that fall due on the way.
  auto advance_to = [&](int64_t at_ms) {
    const int64_t wait = start + at_ms - hostkit::NowMs();
    if (wait > 0) context.realtime ? hostkit::RunFor(wait) : hostkit::AdvanceClock(wait);
  };
  for (const Event& event : events) {
    if (InterruptSignal()) break;
    // A minute's line comes when its last moment has passed; an event on the minute belongs to
    // the next one.
    while (event.at_ms >= (minute + 1) * 60000) {
      advance_to((minute + 1) * 60000);
      MinuteLine(world, minute);
      ++minute;
    }
    advance_to(event.at_ms);
    auto kind = EventKinds().find(event.kind);
    if (kind == EventKinds().end()) {
      std::fprintf(stderr, "velto-sim: no feature plays the scheduled event kind \"%s\"\n", event.kind.c_str());
      continue;
    }
    const auto begin = Clock::now();
    kind->second.player(event, world);
    hostkit::RunUntilIdle();
    const double cost = std::chrono::duration<double, std::micro>(Clock::now() - begin).count();
    recorder.Event(hostkit::NowMs() - start, event.kind, kind->second.track, cost);
    world.AfterEvent();
    if (!context.quiet) PrintNewLogs(context);
    ++played;
    progress.Update(event.at_ms, played, events.size());
  }
  while (!InterruptSignal() && minute * 60000 < plan.end_ms()) {
    advance_to(std::min((minute + 1) * 60000, plan.end_ms()));
    MinuteLine(world, minute);
    ++minute;
  }
  recorder.SetEnd(hostkit::NowMs() - start);
  recorder.SetInterrupted(InterruptSignal());
  world.Note("the meeting window closes");
  world.Close();
  hostkit::RunUntilIdle();
  if (!context.quiet) PrintSummary(recorder, plan, played, events.size());
  return context.state_lost ? 1 : 0;
}

}  // namespace sim::meeting
