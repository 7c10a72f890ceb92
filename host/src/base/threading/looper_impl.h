// The stand-in's loopers: a time-ordered task queue per looper, driven either by hand against a
// manual clock (tests), or in real time: the main looper by whoever plays the UI thread
// (hostkit::RunFor), the worker and file loopers each by a thread of their own.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <queue>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "base/threading/looper.h"

namespace host_internal {

class TaskLooper : public base::threading::Looper {
 public:
  explicit TaskLooper(std::string name) : name_(std::move(name)) {}
  const char* name() const override { return name_.c_str(); }
  base::threading::TaskId PostTask(base::threading::Closure task, const base::Location& from) override;
  base::threading::TaskId PostDelayedTask(base::threading::Closure task, int64_t delay_ms,
                                          const base::Location& from) override;
  bool CancelTask(base::threading::TaskId id) override;
  bool BelongsToCurrentThread() const override;

  // Runs one task due at or before `now`; false when none is due.
  bool RunOneDue(int64_t now);
  // Due time of the earliest task that will ever be due; none when nothing is pending or every
  // pending task lies beyond the end of the clock.
  std::optional<int64_t> NextDue();
  size_t PendingCount();
  void Clear();

  // Runs the queue on a thread of its own against the real clock until StopThread; pending
  // tasks stay queued across both. Neither may be called from the looper's own thread.
  void StartThread();
  void StopThread();
  bool HasThread() const { return has_thread_; }

 private:
  struct Task {
    int64_t due;
    uint64_t seq;
    base::threading::TaskId id;
    base::threading::Closure closure;
    base::Location from;
    // Posted with a delay that reaches past INT64_MAX: the clock never gets there, so the task
    // stays pending (and cancellable) but never runs. Such tasks sort after all others.
    bool beyond_end = false;
    bool operator>(const Task& other) const {
      if (beyond_end != other.beyond_end) return beyond_end;
      return due != other.due ? due > other.due : seq > other.seq;
    }
  };
  void DropCancelledHead();  // with mutex_ held
  void ThreadMain();

  std::string name_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::thread thread_;
  std::atomic<bool> has_thread_{false};
  bool stop_ = false;
  std::priority_queue<Task, std::vector<Task>, std::greater<Task>> queue_;
  std::unordered_set<base::threading::TaskId> cancelled_;
  std::unordered_set<base::threading::TaskId> pending_ids_;
  uint64_t next_seq_ = 1;
};

// Loopers in the order RunUntilIdle visits them.
std::vector<TaskLooper*> AllLoopers();
// The clock: manual (advanced by hand) or real (steady clock since the switch). The manual
// clock only moves forward: an earlier `now_ms` leaves it where it is.
void SetManualNow(int64_t now_ms);
bool IsRealTime();
void SetRealTime(bool real_time);

}  // namespace host_internal
