// base::async::Async runs work off the UI thread and hands the result back.
//
//   base::async::Async::PostTask([] { Compress(); }, [] { ShowDone(); }, FROM_HERE);
//
// `work` runs on the worker looper; `done` (optional) then runs on the looper that called
// PostTask (the main looper when called outside any looper task).
#pragma once

#include "base/location.h"
#include "base/threading/looper.h"

namespace base::async {

class Async {
 public:
  // False when `work` is empty (nothing is posted).
  static bool PostTask(threading::Closure work, threading::Closure done = nullptr,
                       const Location& from = Location::Current());
};

}  // namespace base::async
