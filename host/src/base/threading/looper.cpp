#include "base/threading/looper_impl.h"

#include <atomic>
#include <chrono>
#include <algorithm>
#include <climits>
#include <limits>
#include <thread>

#include "base/threading/clock_math.h"
#include "host_internal.h"

namespace host_internal {
namespace {

std::atomic<int64_t> g_manual_now{0};
std::atomic<bool> g_real_time{false};
std::chrono::steady_clock::time_point g_real_origin = std::chrono::steady_clock::now();
int64_t g_real_offset = 0;  // manual time at the switch, so the clock never goes back
std::atomic<uint64_t> g_next_task_id{1};
thread_local TaskLooper* t_current = nullptr;
std::thread::id g_ui_thread = std::this_thread::get_id();
constexpr int64_t kLongestWaitMs = 60 * 60 * 1000;

TaskLooper& Main() {
  static TaskLooper* looper = new TaskLooper("main");
  return *looper;
}
TaskLooper& Worker() {
  static TaskLooper* looper = new TaskLooper("worker");
  return *looper;
}
TaskLooper& File() {
  static TaskLooper* looper = new TaskLooper("file");
  return *looper;
}

}  // namespace

std::vector<TaskLooper*> AllLoopers() { return {&Main(), &Worker(), &File()}; }

void SetManualNow(int64_t now_ms) {
  int64_t current = g_manual_now.load();
  while (now_ms > current && !g_manual_now.compare_exchange_weak(current, now_ms)) {
  }
}
bool IsRealTime() { return g_real_time; }
void SetRealTime(bool real_time) {
  if (real_time == g_real_time) return;
  if (real_time) {
    g_real_offset = g_manual_now;
    g_real_origin = std::chrono::steady_clock::now();
    g_real_time = true;
    // Threads start after the clock switched: they read it from their first wait on.
    Worker().StartThread();
    File().StartThread();
  } else {
    Worker().StopThread();
    File().StopThread();
    g_manual_now = base::threading::NowTicksMs();
    g_real_time = false;
  }
}

base::threading::TaskId TaskLooper::PostTask(base::threading::Closure task, const base::Location& from) {
  return PostDelayedTask(std::move(task), 0, from);
}

base::threading::TaskId TaskLooper::PostDelayedTask(base::threading::Closure task, int64_t delay_ms,
                                                    const base::Location& from) {
  if (!task) return 0;
  const int64_t now = base::threading::NowTicksMs();
  const int64_t delay = delay_ms > 0 ? delay_ms : 0;
  const bool beyond_end = delay > std::numeric_limits<int64_t>::max() - now;
  const int64_t due = SaturatingAdd(now, delay);
  const base::threading::TaskId id = g_next_task_id++;
  {
    std::lock_guard lock(mutex_);
    queue_.push(Task{due, next_seq_++, id, std::move(task), from, beyond_end});
    pending_ids_.insert(id);
  }
  if (has_thread_) wake_.notify_one();
  return id;
}

bool TaskLooper::CancelTask(base::threading::TaskId id) {
  std::lock_guard lock(mutex_);
  if (pending_ids_.erase(id) == 0) return false;
  cancelled_.insert(id);
  return true;
}

bool TaskLooper::BelongsToCurrentThread() const {
  if (t_current) return t_current == this;
  return this == &Main() && std::this_thread::get_id() == g_ui_thread;
}

void TaskLooper::DropCancelledHead() {
  while (!queue_.empty() && cancelled_.count(queue_.top().id)) {
    cancelled_.erase(queue_.top().id);
    queue_.pop();
  }
}

bool TaskLooper::RunOneDue(int64_t now) {
  Task task;
  {
    std::lock_guard lock(mutex_);
    DropCancelledHead();
    if (queue_.empty() || queue_.top().beyond_end || queue_.top().due > now) return false;
    // priority_queue::top is const; the closure is moved out through a copy of the node.
    task = std::move(const_cast<Task&>(queue_.top()));
    queue_.pop();
    pending_ids_.erase(task.id);
  }
  TaskLooper* previous = t_current;
  t_current = this;
  task.closure();
  t_current = previous;
  return true;
}

std::optional<int64_t> TaskLooper::NextDue() {
  std::lock_guard lock(mutex_);
  DropCancelledHead();
  if (queue_.empty() || queue_.top().beyond_end) return std::nullopt;
  return queue_.top().due;
}

size_t TaskLooper::PendingCount() {
  std::lock_guard lock(mutex_);
  return pending_ids_.size();
}

void TaskLooper::Clear() {
  std::lock_guard lock(mutex_);
  queue_ = {};
  cancelled_.clear();
  pending_ids_.clear();
}

void TaskLooper::StartThread() {
  if (has_thread_) return;
  {
    std::lock_guard lock(mutex_);
    stop_ = false;
  }
  has_thread_ = true;
  thread_ = std::thread([this] { ThreadMain(); });
}

void TaskLooper::StopThread() {
  if (!has_thread_) return;
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
  has_thread_ = false;
}

void TaskLooper::ThreadMain() {
  t_current = this;
  std::unique_lock lock(mutex_);
  while (!stop_) {
    DropCancelledHead();
    if (queue_.empty() || queue_.top().beyond_end) {
      wake_.wait(lock);
      continue;
    }
    const int64_t wait = queue_.top().due - base::threading::NowTicksMs();
    if (wait > 0) {
      // A far due time would overflow the condition variable's deadline; waking early only
      // means looking again.
      wake_.wait_for(lock, std::chrono::milliseconds(std::min<int64_t>(wait, kLongestWaitMs)));
      continue;
    }
    Task task = std::move(const_cast<Task&>(queue_.top()));
    queue_.pop();
    pending_ids_.erase(task.id);
    lock.unlock();
    task.closure();
    task.closure = nullptr;  // captured state dies on this thread, before the lock is taken again
    lock.lock();
  }
  t_current = nullptr;
}

void ResetLoopers() {
  SetRealTime(false);
  for (TaskLooper* looper : AllLoopers()) looper->Clear();
  g_manual_now = 0;
}

}  // namespace host_internal

namespace base::threading {

int64_t NowTicksMs() {
  if (!host_internal::g_real_time) return host_internal::g_manual_now;
  auto elapsed = std::chrono::steady_clock::now() - host_internal::g_real_origin;
  return host_internal::SaturatingAdd(host_internal::g_real_offset,
                                      std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

Looper* LooperThread::MainLooper() { return &host_internal::Main(); }
Looper* LooperThread::WorkerLooper() { return &host_internal::Worker(); }
Looper* LooperThread::FileLooper() { return &host_internal::File(); }
Looper* LooperThread::CurrentLooper() {
  return host_internal::t_current ? host_internal::t_current : &host_internal::Main();
}

}  // namespace base::threading
