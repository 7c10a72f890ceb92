#include "util/system/system.h"

#include "base/threading/looper.h"
#include "platform_state.h"

namespace util::system {

bool Open(const std::string& target, OpenCallback done) {
  host_internal::platform::RecordOpen(target);
  if (done) {
    base::threading::LooperThread::MainLooper()->PostTask([done = std::move(done)] { done(true); }, FROM_HERE);
  }
  return true;
}

}  // namespace util::system
