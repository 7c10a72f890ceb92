// Worker and file loopers on threads of their own (real-time mode), the host's looper timers
// and Async. Threads are waited for through futures, never by sleeping.
#include <chrono>
#include <future>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "base/async/async.h"
#include "base/threading/looper.h"
#include "base/threading/timer.h"
#include "hostkit/hostkit.h"

namespace {

using base::threading::LooperThread;
using namespace std::chrono_literals;

TEST(ThreadedLoopers, WorkerAndFileRunOnTheirOwnThreadsInRealTime) {
  hostkit::UseRealTime(true);
  std::promise<std::thread::id> worker_thread;
  std::promise<std::thread::id> file_thread;
  std::promise<bool> belongs;
  LooperThread::WorkerLooper()->PostTask([&] {
    worker_thread.set_value(std::this_thread::get_id());
    belongs.set_value(LooperThread::WorkerLooper()->BelongsToCurrentThread() &&
                      LooperThread::CurrentLooper() == LooperThread::WorkerLooper());
  });
  LooperThread::FileLooper()->PostTask([&] { file_thread.set_value(std::this_thread::get_id()); });
  auto worker = worker_thread.get_future();
  auto file = file_thread.get_future();
  ASSERT_EQ(worker.wait_for(10s), std::future_status::ready);
  ASSERT_EQ(file.wait_for(10s), std::future_status::ready);
  EXPECT_NE(worker.get(), std::this_thread::get_id());
  EXPECT_NE(file.get(), std::this_thread::get_id());
  EXPECT_TRUE(belongs.get_future().get());
  EXPECT_FALSE(LooperThread::FileLooper()->BelongsToCurrentThread());
}

TEST(ThreadedLoopers, DelayedTasksKeepTheirOrderOnTheThread) {
  hostkit::UseRealTime(true);
  std::vector<int> order;  // written by the file thread only
  std::promise<void> done;
  auto* file = LooperThread::FileLooper();
  file->PostDelayedTask([&] { order.push_back(3); done.set_value(); }, 30);
  file->PostDelayedTask([&] { order.push_back(2); }, 20);
  file->PostTask([&] { order.push_back(1); });
  const auto cancelled = file->PostDelayedTask([&] { order.push_back(99); }, 10);
  EXPECT_TRUE(file->CancelTask(cancelled));
  ASSERT_EQ(done.get_future().wait_for(10s), std::future_status::ready);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST(ThreadedLoopers, ResetGoesBackToHandDrivenLoopers) {
  hostkit::UseRealTime(true);
  hostkit::Reset();
  int runs = 0;
  LooperThread::WorkerLooper()->PostTask([&] { ++runs; });
  EXPECT_EQ(runs, 0);  // no thread would run it
  EXPECT_EQ(hostkit::RunUntilIdle(), 1u);
  EXPECT_EQ(runs, 1);
}

TEST(ThreadedLoopers, TimerDestroyedFromAnotherThreadWaitsForItsRunningClosure) {
  hostkit::UseRealTime(true);
  std::promise<void> entered;
  std::promise<void> release;
  auto release_future = release.get_future().share();
  bool finished = false;
  auto timer = base::threading::CreateTimer(LooperThread::FileLooper(), [&] {
    entered.set_value();
    release_future.wait();
    finished = true;
  }, FROM_HERE);
  timer->Start(0);
  ASSERT_EQ(entered.get_future().wait_for(10s), std::future_status::ready);
  // Released from a third thread: a destructor that did not wait would mostly see `finished` false.
  std::thread releaser([&] { release.set_value(); });
  timer.reset();
  EXPECT_TRUE(finished);
  releaser.join();
}

TEST(LooperTimer, OneShotRepeatRestartAndStop) {
  std::vector<int64_t> runs;
  auto timer = base::threading::CreateTimer(LooperThread::MainLooper(), [&] { runs.push_back(hostkit::NowMs()); });
  ASSERT_TRUE(timer);
  EXPECT_FALSE(timer->IsRunning());
  timer->Start(100);
  EXPECT_TRUE(timer->IsRunning());
  hostkit::AdvanceClock(50);
  timer->Start(100);  // restarting drops the pending run
  hostkit::AdvanceClock(200);
  EXPECT_EQ(runs, std::vector<int64_t>{150});
  EXPECT_FALSE(timer->IsRunning());
  timer->Start(10, true);
  hostkit::AdvanceClock(35);
  EXPECT_EQ(runs, (std::vector<int64_t>{150, 260, 270, 280}));
  timer->Stop();
  hostkit::AdvanceClock(100);
  EXPECT_EQ(runs.size(), 4u);
  EXPECT_EQ(base::threading::CreateTimer(nullptr, [] {}), nullptr);
  EXPECT_EQ(base::threading::CreateTimer(LooperThread::MainLooper(), nullptr), nullptr);
}

TEST(LooperTimer, DestroyedTimerNeverRuns) {
  int runs = 0;
  auto timer = base::threading::CreateTimer(LooperThread::WorkerLooper(), [&] { ++runs; });
  timer->Start(10);
  timer.reset();
  hostkit::AdvanceClock(100);
  EXPECT_EQ(runs, 0);
}

TEST(Async, WorkRunsOnTheWorkerAndDoneBackOnTheCaller) {
  std::vector<std::string> seen;
  EXPECT_TRUE(base::async::Async::PostTask(
      [&] { seen.push_back(LooperThread::CurrentLooper()->name()); },
      [&] { seen.push_back(LooperThread::CurrentLooper()->name()); }, FROM_HERE));
  EXPECT_TRUE(seen.empty());
  hostkit::RunUntilIdle();
  EXPECT_EQ(seen, (std::vector<std::string>{"worker", "main"}));

  // From a file-looper task the answer comes back to the file looper.
  seen.clear();
  LooperThread::FileLooper()->PostTask([&] {
    base::async::Async::PostTask([] {}, [&] { seen.push_back(LooperThread::CurrentLooper()->name()); });
  });
  hostkit::RunUntilIdle();
  EXPECT_EQ(seen, std::vector<std::string>{"file"});
  EXPECT_FALSE(base::async::Async::PostTask(nullptr, [] {}));
}

}  // namespace
