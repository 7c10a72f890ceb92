// The preference stores' scheduler: ids, one-shot tasks on the file looper that remove
// themselves, replacement, cancellation from inside a task, and teardown.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "base/threading/looper.h"
#include "hostkit/hostkit.h"
#include "module_api/preferences/preferences_scheduler.h"

namespace {

using base::threading::LooperThread;
using velto_common::utils::Scheduler;

TEST(PreferencesScheduler, TaskIdsCountUpFromOne) {
  Scheduler scheduler;
  EXPECT_EQ(scheduler.GenerateTaskId(), 1u);
  EXPECT_EQ(scheduler.GenerateTaskId(), 2u);
  EXPECT_EQ(scheduler.GenerateTaskId(), 3u);
  EXPECT_EQ(Scheduler().GenerateTaskId(), 1u);  // per scheduler
}

TEST(PreferencesScheduler, TaskRunsOnceOnTheFileLooperThenItsIdIsGone) {
  Scheduler scheduler;
  const uint64_t id = scheduler.GenerateTaskId();
  std::vector<base::threading::Looper*> ran_on;
  scheduler.Schedule(id, [&] { ran_on.push_back(LooperThread::CurrentLooper()); }, 500);
  EXPECT_EQ(scheduler.PendingCount(), 1u);
  hostkit::AdvanceClock(499);
  EXPECT_TRUE(ran_on.empty());
  hostkit::AdvanceClock(1);
  ASSERT_EQ(ran_on.size(), 1u);
  EXPECT_EQ(ran_on[0], LooperThread::FileLooper());
  EXPECT_EQ(scheduler.PendingCount(), 0u);
  EXPECT_FALSE(scheduler.Cancel(id));
  hostkit::AdvanceClock(10000);
  EXPECT_EQ(ran_on.size(), 1u);
}

TEST(PreferencesScheduler, CancelledTaskNeverRuns) {
  Scheduler scheduler;
  const uint64_t id = scheduler.GenerateTaskId();
  int runs = 0;
  scheduler.Schedule(id, [&] { ++runs; }, 100);
  EXPECT_TRUE(scheduler.Cancel(id));
  EXPECT_FALSE(scheduler.Cancel(id));
  hostkit::AdvanceClock(1000);
  EXPECT_EQ(runs, 0);
}

TEST(PreferencesScheduler, SchedulingAnIdAgainReplacesTheEarlierTask) {
  Scheduler scheduler;
  const uint64_t id = scheduler.GenerateTaskId();
  std::vector<int> runs;
  scheduler.Schedule(id, [&] { runs.push_back(1); }, 100);
  scheduler.Schedule(id, [&] { runs.push_back(2); }, 200);
  EXPECT_EQ(scheduler.PendingCount(), 1u);
  hostkit::AdvanceClock(1000);
  EXPECT_EQ(runs, std::vector<int>{2});
}

TEST(PreferencesScheduler, TaskMayCancelItselfAndOthers) {
  Scheduler scheduler;
  const uint64_t first = scheduler.GenerateTaskId();
  const uint64_t second = scheduler.GenerateTaskId();
  std::vector<bool> cancelled;
  int second_runs = 0;
  scheduler.Schedule(first, [&] {
    cancelled.push_back(scheduler.Cancel(first));   // its own timer: destroyed while running
    cancelled.push_back(scheduler.Cancel(second));  // a pending one
  }, 10);
  scheduler.Schedule(second, [&] { ++second_runs; }, 20);
  hostkit::AdvanceClock(100);
  EXPECT_EQ(cancelled, (std::vector<bool>{true, true}));
  EXPECT_EQ(second_runs, 0);
  EXPECT_EQ(scheduler.PendingCount(), 0u);
}

TEST(PreferencesScheduler, TaskMayScheduleTheNextOne) {
  Scheduler scheduler;
  std::vector<int64_t> times;
  std::function<void()> again = [&] {
    times.push_back(hostkit::NowMs());
    if (times.size() < 3) scheduler.Schedule(scheduler.GenerateTaskId(), again, 100);
  };
  scheduler.Schedule(scheduler.GenerateTaskId(), again, 100);
  hostkit::AdvanceClock(1000);
  EXPECT_EQ(times, (std::vector<int64_t>{100, 200, 300}));
  EXPECT_EQ(scheduler.PendingCount(), 0u);
}

TEST(PreferencesScheduler, DestroyingTheSchedulerDropsPendingTasks) {
  int runs = 0;
  {
    Scheduler scheduler;
    scheduler.Schedule(scheduler.GenerateTaskId(), [&] { ++runs; }, 100);
    scheduler.Schedule(scheduler.GenerateTaskId(), [&] { ++runs; }, 0);
  }
  hostkit::AdvanceClock(1000);
  EXPECT_EQ(runs, 0);
}

}  // namespace
