// The platform SDK's platform service: timers that call back on the UI thread.
//
//   int64_t id = service->StartTimer(&OnTimer, 3000, /*repeat=*/false, this);
//   service->StopTimer(id);
//
// Ids are positive and never reused in a process. A one-shot timer is forgotten once it fired;
// stopping an unknown or already stopped id is harmless.
#pragma once

#include <cstdint>

namespace veltosdk {

using PlatformTimerCallback = void (*)(void* context);

class IPlatformService {
 public:
  virtual ~IPlatformService() = default;
  // Calls `callback(context)` on the UI thread after `delay_ms` (and every `delay_ms` after
  // that when `repeat`). Returns 0, starting nothing, for a null callback.
  virtual int64_t StartTimer(PlatformTimerCallback callback, int64_t delay_ms, bool repeat, void* context) = 0;
  virtual void StopTimer(int64_t timer_id) = 0;
};

namespace utils::service {
// Null when the service is not loaded.
IPlatformService* GetPlatformService();
}  // namespace utils::service

}  // namespace veltosdk
