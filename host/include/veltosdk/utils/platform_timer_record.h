// veltosdk::PlatformTimerRecord: a timer the platform service (veltosdk/utils/platform_service.h)
// is running, as the stand-in reports it.
//
//   for (const veltosdk::PlatformTimerRecord& timer : running) if (timer.repeat) ...
#pragma once

#include <cstdint>

namespace veltosdk {

struct PlatformTimerRecord {
  int64_t id;
  int64_t delay_ms;
  bool repeat;
};

}  // namespace veltosdk
