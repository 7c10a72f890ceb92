#include "base/threading/timer.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

namespace base::threading {

struct Timer::State {
  std::mutex mutex;
  std::condition_variable idle;
  Looper* looper;
  std::shared_ptr<const Closure> closure;
  Location from;
  TaskId task = 0;
  uint64_t generation = 0;  // bumped by Start and Stop: a task of an older generation is stale
  bool running = false;
  bool repeat = false;
  int64_t delay_ms = 0;
  std::thread::id firing_on;  // the thread inside the closure, if any
  std::weak_ptr<State> self;   // what posted tasks hold: a task never keeps the timer alive

  // With mutex held.
  void PostLocked() {
    const uint64_t generation_now = generation;
    task = looper->PostDelayedTask([weak = self, generation_now] {
      if (auto state = weak.lock()) state->Fire(generation_now);
    }, delay_ms, from);
  }

  void Fire(uint64_t fired_generation) {
    std::unique_lock lock(mutex);
    if (!running || fired_generation != generation) return;
    task = 0;
    if (repeat) {
      // Re-armed before the closure runs, so the closure may Stop or restart it.
      PostLocked();
    } else {
      running = false;
    }
    std::shared_ptr<const Closure> run = closure;
    firing_on = std::this_thread::get_id();
    lock.unlock();
    (*run)();
    lock.lock();
    firing_on = std::thread::id();
    idle.notify_all();
  }
};

Timer::Timer(Looper* looper, Closure closure, const Location& from) : state_(std::make_shared<State>()) {
  state_->looper = looper;
  state_->closure = std::make_shared<const Closure>(std::move(closure));
  state_->from = from;
  state_->self = state_;
}

Timer::~Timer() {
  std::unique_lock lock(state_->mutex);
  ++state_->generation;
  state_->running = false;
  if (state_->task) state_->looper->CancelTask(state_->task);
  state_->task = 0;
  const std::thread::id self = std::this_thread::get_id();
  state_->idle.wait(lock, [&] { return state_->firing_on == std::thread::id() || state_->firing_on == self; });
}

void Timer::Start(int64_t delay_ms, bool repeat) {
  std::lock_guard lock(state_->mutex);
  if (state_->task) state_->looper->CancelTask(state_->task);
  ++state_->generation;
  state_->running = true;
  state_->repeat = repeat;
  state_->delay_ms = delay_ms < 0 ? 0 : (repeat && delay_ms < 1 ? 1 : delay_ms);
  state_->PostLocked();
}

void Timer::Stop() {
  std::lock_guard lock(state_->mutex);
  if (state_->task) state_->looper->CancelTask(state_->task);
  state_->task = 0;
  ++state_->generation;
  state_->running = false;
}

bool Timer::IsRunning() const {
  std::lock_guard lock(state_->mutex);
  return state_->running;
}

const Location& Timer::from() const { return state_->from; }

std::unique_ptr<Timer> CreateTimer(Looper* looper, Closure closure, const Location& from) {
  if (!looper || !closure) return nullptr;
  return std::make_unique<Timer>(looper, std::move(closure), from);
}

}  // namespace base::threading
