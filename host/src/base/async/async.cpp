#include "base/async/async.h"

#include <utility>

namespace base::async {

bool Async::PostTask(threading::Closure work, threading::Closure done, const Location& from) {
  if (!work) return false;
  threading::Looper* reply_to = threading::LooperThread::CurrentLooper();
  threading::LooperThread::WorkerLooper()->PostTask(
      [work = std::move(work), done = std::move(done), reply_to, from]() mutable {
        work();
        if (done) reply_to->PostTask(std::move(done), from);
      },
      from);
  return true;
}

}  // namespace base::async
