// hostkit's hand-driven clock at its far end: targets up to INT64_MAX return, the clock stops
// at INT64_MAX instead of wrapping round, tasks posted past the end never run, and the clocks
// read from it (wall clock, server time) stop at the end too.
#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "base/threading/looper.h"
#include "base/threading/timer.h"
#include "hostkit/hostkit.h"
#include "hostkit/timers.h"
#include "util/time/server_time.h"
#include "util/time/time_util.h"

namespace {

using base::threading::LooperThread;
constexpr int64_t kEnd = std::numeric_limits<int64_t>::max();

// Before the clock ended at INT64_MAX, a far target with nothing pending never returned.
TEST(ManualClock, AFarTargetWithNothingPendingReturnsAtTheEnd) {
  EXPECT_EQ(hostkit::AdvanceClock(kEnd), 0u);
  EXPECT_EQ(hostkit::NowMs(), kEnd);
  EXPECT_EQ(hostkit::AdvanceClock(kEnd), 0u);  // from the end itself
  EXPECT_EQ(hostkit::NowMs(), kEnd);
}

TEST(ManualClock, NeverGoesBackwards) {
  std::vector<int64_t> runs;
  LooperThread::MainLooper()->PostDelayedTask([&] { runs.push_back(hostkit::NowMs()); }, 100);
  hostkit::AdvanceClock(50);
  ASSERT_EQ(hostkit::NowMs(), 50);
  // now + ms overflows: the target is the end of the clock, not a time in the past.
  hostkit::AdvanceClock(kEnd - 10);
  EXPECT_EQ(runs, std::vector<int64_t>{100});
  EXPECT_EQ(hostkit::NowMs(), kEnd);
  hostkit::AdvanceClock(1);
  EXPECT_EQ(hostkit::NowMs(), kEnd);
  hostkit::AdvanceClock(-1000);
  EXPECT_EQ(hostkit::NowMs(), kEnd);
  hostkit::RunUntilIdle();
  EXPECT_EQ(hostkit::NowMs(), kEnd);
}

TEST(ManualClock, TasksDueAtTheEndRunAndTasksPastItNeverDo) {
  hostkit::AdvanceClock(kEnd - 10);
  std::vector<int64_t> runs;
  auto record = [&] { runs.push_back(hostkit::NowMs()); };
  LooperThread::MainLooper()->PostDelayedTask(record, 5);
  LooperThread::MainLooper()->PostDelayedTask(record, 10);  // exactly at the end
  // A delay reaching past the end: due "never". Had it wrapped round, it would be due at once.
  const auto never = LooperThread::MainLooper()->PostDelayedTask([&] { runs.push_back(-1); }, 20);
  LooperThread::FileLooper()->PostDelayedTask([&] { runs.push_back(-2); }, kEnd);
  hostkit::RunUntilIdle();
  EXPECT_TRUE(runs.empty());
  EXPECT_EQ(hostkit::AdvanceClock(kEnd), 2u);
  EXPECT_EQ(runs, (std::vector<int64_t>{kEnd - 5, kEnd}));
  // Still pending, so still cancellable.
  EXPECT_TRUE(LooperThread::MainLooper()->CancelTask(never));

  // Work posted at the end without delay still runs.
  LooperThread::MainLooper()->PostTask(record);
  EXPECT_EQ(hostkit::RunUntilIdle(), 1u);
  EXPECT_EQ(runs.back(), kEnd);
}

TEST(ManualClock, ARepeatingTimerStopsRepeatingAtTheEnd) {
  hostkit::AdvanceClock(kEnd - 10);
  std::vector<int64_t> runs;
  auto timer = base::threading::CreateTimer(LooperThread::MainLooper(), [&] { runs.push_back(hostkit::NowMs()); });
  timer->Start(4, true);
  hostkit::AdvanceClock(kEnd);
  EXPECT_EQ(runs, (std::vector<int64_t>{kEnd - 6, kEnd - 2}));
  EXPECT_EQ(hostkit::RunUntilIdle(), 0u);
}

TEST(ManualClock, WallAndServerClocksStopAtTheEnd) {
  hostkit::SetWallClockMs(1700000000000);
  hostkit::AdvanceClock(1000);
  EXPECT_EQ(util::time::GetTimestampMsec(), 1700000001000);
  const uint64_t server_before = util::time::GetServerTimestampMsec(1);
  hostkit::AdvanceClock(kEnd);
  EXPECT_EQ(util::time::GetTimestampMsec(), kEnd);
  EXPECT_GE(util::time::GetServerTimestampMsec(1), server_before);
  EXPECT_EQ(util::time::GetServerTimestampMsec(1), static_cast<uint64_t>(kEnd));
}

}  // namespace
