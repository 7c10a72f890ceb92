// The stand-in's platform timers run as tasks on the main looper, so under hostkit they fire
// when the test advances the clock, and in the simulator when the UI thread runs.
#include "veltosdk/utils/platform_service.h"

#include <atomic>
#include <map>
#include <mutex>

#include "base/threading/looper.h"
#include "host_internal.h"
#include "veltosdk/sdk_services.h"

namespace {

struct TimerEntry {
  veltosdk::PlatformTimerCallback callback;
  void* context;
  int64_t delay_ms;
  bool repeat;
  base::threading::TaskId task;
};

class PlatformService : public veltosdk::IPlatformService {
 public:
  int64_t StartTimer(veltosdk::PlatformTimerCallback callback, int64_t delay_ms, bool repeat,
                     void* context) override {
    if (!callback) return 0;
    if (delay_ms < 0) delay_ms = 0;
    if (repeat && delay_ms == 0) delay_ms = 1;  // a zero-period repeat would starve the UI thread
    std::lock_guard lock(mutex_);
    const int64_t id = next_id_++;
    timers_[id] = TimerEntry{callback, context, delay_ms, repeat, PostLocked(id, delay_ms)};
    ++started_;
    return id;
  }

  void StopTimer(int64_t timer_id) override {
    std::lock_guard lock(mutex_);
    auto it = timers_.find(timer_id);
    if (it == timers_.end()) return;
    base::threading::LooperThread::MainLooper()->CancelTask(it->second.task);
    timers_.erase(it);
  }

  std::vector<veltosdk::PlatformTimerRecord> Running() {
    std::lock_guard lock(mutex_);
    std::vector<veltosdk::PlatformTimerRecord> result;
    for (const auto& [id, entry] : timers_) result.push_back({id, entry.delay_ms, entry.repeat});
    return result;
  }

  uint64_t started() {
    std::lock_guard lock(mutex_);
    return started_;
  }

  // Ids keep counting across resets: a timer object that outlived a reset must not stop a
  // timer of the next test.
  void Reset() {
    std::lock_guard lock(mutex_);
    timers_.clear();
    started_ = 0;
  }

 private:
  base::threading::TaskId PostLocked(int64_t id, int64_t delay_ms) {
    return base::threading::LooperThread::MainLooper()->PostDelayedTask([this, id] { Fire(id); }, delay_ms,
                                                                        FROM_HERE);
  }

  void Fire(int64_t id) {
    veltosdk::PlatformTimerCallback callback;
    void* context;
    {
      std::lock_guard lock(mutex_);
      auto it = timers_.find(id);
      if (it == timers_.end()) return;
      callback = it->second.callback;
      context = it->second.context;
      if (it->second.repeat) {
        it->second.task = PostLocked(id, it->second.delay_ms);
      } else {
        timers_.erase(it);
      }
    }
    callback(context);
  }

  std::mutex mutex_;
  int64_t next_id_ = 1;
  uint64_t started_ = 0;
  std::map<int64_t, TimerEntry> timers_;
};

PlatformService& Service() {
  static auto* service = new PlatformService;  // timers may be stopped by destructors at exit
  return *service;
}

std::atomic<bool> g_available{true};

void ResetPlatformService() {
  Service().Reset();
  g_available = true;
}

const bool kRegistered = host_internal::RegisterReset(&ResetPlatformService);

}  // namespace

namespace veltosdk::utils::service {
IPlatformService* GetPlatformService() { return g_available ? &Service() : nullptr; }
}  // namespace veltosdk::utils::service

namespace host_internal::sdk {
void SetPlatformServiceAvailable(bool available) { g_available = available; }
std::vector<veltosdk::PlatformTimerRecord> RunningPlatformTimers() { return Service().Running(); }
uint64_t PlatformTimersStarted() { return Service().started(); }
}  // namespace host_internal::sdk
