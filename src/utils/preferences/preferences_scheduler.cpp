#include "module_api/preferences/preferences_scheduler.h"

#include <utility>

#include "base/threading/looper.h"

namespace velto_common::utils {

uint64_t Scheduler::GenerateTaskId() { return next_task_id_.fetch_add(1); }

void Scheduler::Schedule(uint64_t task_id, std::function<void()> task, int64_t delay) {
  auto timer = base::threading::CreateTimer(
      base::threading::LooperThread::FileLooper(),
      [this, task_id, task = std::move(task)] {
        if (task) task();
        Cancel(task_id);
      },
      FROM_HERE);
  std::unique_ptr<base::threading::Timer> replaced;  // destroyed after the lock is released
  std::lock_guard lock(lock_);
  // Started under the lock: a task that fires at once cancels itself only after it is stored.
  timer->Start(delay);
  replaced = std::exchange(timers_[task_id], std::move(timer));
}

bool Scheduler::Cancel(uint64_t task_id) {
  std::unique_ptr<base::threading::Timer> timer;
  {
    std::lock_guard lock(lock_);
    auto it = timers_.find(task_id);
    if (it == timers_.end()) return false;
    timer = std::move(it->second);
    timers_.erase(it);
  }
  // Destroyed unlocked: destroying waits for a running task, which may itself be cancelling.
  return true;
}

Scheduler::~Scheduler() {
  std::unordered_map<uint64_t, std::unique_ptr<base::threading::Timer>> timers;
  {
    std::lock_guard lock(lock_);
    timers.swap(timers_);
  }
  timers.clear();
}

size_t Scheduler::PendingCount() const {
  std::lock_guard lock(lock_);
  return timers_.size();
}

}  // namespace velto_common::utils
