// base::threading::Timer runs a closure on a looper after a delay, once or repeatedly.
//
//   auto timer = base::threading::CreateTimer(LooperThread::FileLooper(), [] { Flush(); }, FROM_HERE);
//   timer->Start(30000);          // once, in 30 s; Start again to restart
//   timer.reset();                // stops it: the closure never runs after this returns
//
// A timer may be started, stopped and destroyed from any thread, including from inside its
// own closure. Destroying it from another thread while the closure runs waits for the closure
// to return, so whatever the closure uses may be freed right after the timer.
#pragma once

#include <cstdint>
#include <memory>

#include "base/location.h"
#include "base/threading/looper.h"

namespace base::threading {

class Timer {
 public:
  Timer(Looper* looper, Closure closure, const Location& from);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  // (Re)starts the timer: a pending run is dropped. A repeating timer runs every `delay_ms`
  // (at least 1 ms apart).
  void Start(int64_t delay_ms, bool repeat = false);
  void Stop();
  // True from Start until a one-shot run begins or Stop.
  bool IsRunning() const;
  const Location& from() const;

  struct State;

 private:
  std::shared_ptr<State> state_;
};

// A stopped timer for `closure` on `looper`; null when either is missing.
std::unique_ptr<Timer> CreateTimer(Looper* looper, Closure closure, const Location& from = Location::Current());

}  // namespace base::threading
