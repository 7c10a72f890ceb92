// base::threading loopers: the UI (main) thread and the worker and file threads of the host.
// Tasks posted to a looper run in order of due time, then of posting. Under hostkit the loopers
// are driven by hand (hostkit::RunUntilIdle, hostkit::AdvanceClock) against a manual clock; the
// simulator runs them in real time or fast-forward. In real time the worker and file loopers
// run on threads of their own, and the main looper on whichever thread plays the UI thread.
#pragma once

#include <cstdint>
#include <functional>

#include "base/location.h"

namespace base::threading {

using Closure = std::function<void()>;
using TaskId = uint64_t;

class Looper {
 public:
  virtual ~Looper() = default;
  virtual const char* name() const = 0;
  // Returns an id for CancelTask; never 0.
  virtual TaskId PostTask(Closure task, const Location& from = Location::Current()) = 0;
  virtual TaskId PostDelayedTask(Closure task, int64_t delay_ms,
                                 const Location& from = Location::Current()) = 0;
  // False when the task already ran, is running or was cancelled.
  virtual bool CancelTask(TaskId id) = 0;
  virtual bool BelongsToCurrentThread() const = 0;
};

// Milliseconds on the host's monotonic clock (manual under hostkit).
int64_t NowTicksMs();

class LooperThread {
 public:
  static Looper* MainLooper();
  static Looper* WorkerLooper();
  static Looper* FileLooper();
  // The looper whose task is running on this thread; the main looper outside any task.
  static Looper* CurrentLooper();
};

}  // namespace base::threading
