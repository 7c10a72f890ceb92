// Timers on the platform service and the timeline front.
#include <memory>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "hostkit/hostkit.h"
#include "hostkit/timers.h"
#include "module_api/preferences/timeline.h"
#include "module_api/preferences/timer.h"

namespace {

namespace timer = velto_common::utils::timer;
namespace timeline = velto_common::utils::timeline;

TEST(Timer, PostRunsOnceAfterTheDelayAndNeverWithinTheCall) {
  std::vector<int64_t> runs;
  auto now = timer::Post([&] { runs.push_back(hostkit::NowMs()); }, 0);
  EXPECT_TRUE(runs.empty());
  hostkit::RunUntilIdle();
  EXPECT_EQ(runs, std::vector<int64_t>{0});

  auto later = timer::Post([&] { runs.push_back(hostkit::NowMs()); }, 3000);
  hostkit::AdvanceClock(2999);
  EXPECT_EQ(runs.size(), 1u);
  hostkit::AdvanceClock(10000);
  EXPECT_EQ(runs, (std::vector<int64_t>{0, 3000}));
  // A fired one-shot keeps its id until stopped; stopping is harmless.
  later->Stop();
  later->Stop();
}

TEST(Timer, DroppedTimerNeverRunsAndLeavesNoPlatformTimer) {
  int runs = 0;
  auto pending = timer::Post([&] { ++runs; }, 100);
  EXPECT_EQ(hostkit::RunningPlatformTimers().size(), 1u);
  pending.reset();
  EXPECT_TRUE(hostkit::RunningPlatformTimers().empty());
  hostkit::AdvanceClock(1000);
  EXPECT_EQ(runs, 0);
}

TEST(Timer, StartingTwiceLeavesOnlyTheSecondPlatformTimer) {
  std::vector<int64_t> runs;
  auto t = timer::CreateTimer([&] { runs.push_back(hostkit::NowMs()); });
  EXPECT_TRUE(hostkit::RunningPlatformTimers().empty());  // created, not running
  t->Start(100, false);
  t->Start(250, false);
  const auto running = hostkit::RunningPlatformTimers();
  ASSERT_EQ(running.size(), 1u);
  EXPECT_EQ(running[0].delay_ms, 250);
  EXPECT_EQ(hostkit::PlatformTimersStarted(), 2u);
  hostkit::AdvanceClock(1000);
  EXPECT_EQ(runs, std::vector<int64_t>{250});
}

TEST(Timer, StopBeforeStartOrTwiceIsHarmless) {
  int runs = 0;
  auto t = timer::CreateTimer([&] { ++runs; });
  t->Stop();
  t->Start(10, true);
  t->Stop();
  t->Stop();
  hostkit::AdvanceClock(100);
  EXPECT_EQ(runs, 0);
  EXPECT_TRUE(hostkit::RunningPlatformTimers().empty());
}

TEST(Timer, WithoutPlatformServiceNothingStartsOrRuns) {
  hostkit::SetPlatformServiceAvailable(false);
  int runs = 0;
  auto t = timer::Post([&] { ++runs; }, 10);
  t->Stop();
  t->Start(10, true);
  hostkit::AdvanceClock(1000);
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(hostkit::PlatformTimersStarted(), 0u);
  EXPECT_TRUE(hostkit::HasLog(4, "no platform service: timer not started"));
  EXPECT_NE(hostkit::Logs().back().file.find("timer_test.cpp"), std::string::npos);  // the creator's line
}

TEST(Timer, RepeatingTimerRunsEveryPeriodUntilStopped) {
  std::vector<int64_t> runs;
  auto t = timer::CreateTimer([&] { runs.push_back(hostkit::NowMs()); });
  t->Start(100, true);
  hostkit::AdvanceClock(350);
  EXPECT_EQ(runs, (std::vector<int64_t>{100, 200, 300}));
  t->Stop();
  hostkit::AdvanceClock(1000);
  EXPECT_EQ(runs.size(), 3u);
}

TEST(Timer, CallbackMayDropItsOwnTimer) {
  std::unique_ptr<timer::VLTimer> t;
  int runs = 0;
  t = timer::CreateTimer([&] {
    ++runs;
    t.reset();  // the running callback keeps what it needs alive
  });
  t->Start(10, true);
  hostkit::AdvanceClock(100);
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(hostkit::RunningPlatformTimers().empty());
}

TEST(Timer, CallbackMayRestartItself) {
  std::vector<int64_t> runs;
  std::unique_ptr<timer::VLTimer> t;
  t = timer::CreateTimer([&] {
    runs.push_back(hostkit::NowMs());
    if (runs.size() < 3) t->Start(50, false);
  });
  t->Start(50, false);
  hostkit::AdvanceClock(1000);
  EXPECT_EQ(runs, (std::vector<int64_t>{50, 100, 150}));
  EXPECT_TRUE(hostkit::RunningPlatformTimers().empty());
}

TEST(Timer, ThrowingCallbackIsLoggedAndTheTimerKeepsWorking) {
  int runs = 0;
  auto t = timer::CreateTimer([&] {
    ++runs;
    throw std::runtime_error("boom");
  });
  t->Start(10, true);
  hostkit::AdvanceClock(20);
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(hostkit::CountLogs(1, "timer callback threw: boom"), 2u);
}

TEST(Timeline, EachFunctionReachesItsServiceOperation) {
  timeline::LogEvent("join", "ui", "click");
  timeline::LogEvent("app_start");
  timeline::LogEventWithProperty("join", "ui", "open", "from", "home");
  timeline::LogEventWithProperties("join", "net", "done", {{"ms", "120"}});
  timeline::LogEventWithPropertiesImmediately("crash_guard", {{"a", "1"}});
  timeline::LogEventWithPropertiesImmediatelyWithRetry("exit", {{"b", "2"}}, 3);
  const auto events = hostkit::TimelineEvents();
  ASSERT_EQ(events.size(), 6u);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(events[i].operation, i + 1);
  EXPECT_EQ(events[0].module, "join");
  EXPECT_EQ(events[0].category, "ui");
  EXPECT_EQ(events[0].name, "click");
  EXPECT_EQ(events[1].name, "app_start");
  EXPECT_EQ(events[2].properties, (std::map<std::string, std::string>{{"from", "home"}}));
  EXPECT_EQ(events[3].category, "net");
  EXPECT_EQ(events[3].properties.at("ms"), "120");
  EXPECT_EQ(events[4].name, "crash_guard");
  EXPECT_EQ(events[5].properties.at("b"), "2");
  EXPECT_EQ(events[5].retry_count, 3);
}

TEST(Timeline, NothingHappensWithoutTheService) {
  hostkit::SetTimeLineServiceAvailable(false);
  timeline::LogEvent("join", "ui", "click");
  timeline::LogEvent("app_start");
  timeline::LogEventWithProperty("a", "b", "c", "d", "e");
  timeline::LogEventWithProperties("a", "b", "c", {});
  timeline::LogEventWithPropertiesImmediately("a", {});
  timeline::LogEventWithPropertiesImmediatelyWithRetry("a", {}, 1);
  hostkit::SetTimeLineServiceAvailable(true);
  EXPECT_TRUE(hostkit::TimelineEvents().empty());
}

}  // namespace
