#include "hostkit/timers.h"

#include "util/time/wall_clock.h"
#include "veltosdk/sdk_services.h"

namespace hostkit {

void SetPlatformServiceAvailable(bool available) { host_internal::sdk::SetPlatformServiceAvailable(available); }
std::vector<PlatformTimer> RunningPlatformTimers() { return host_internal::sdk::RunningPlatformTimers(); }
uint64_t PlatformTimersStarted() { return host_internal::sdk::PlatformTimersStarted(); }

void SetTimeLineServiceAvailable(bool available) { host_internal::sdk::SetTimeLineServiceAvailable(available); }
std::vector<TimelineEvent> TimelineEvents() { return host_internal::sdk::TimelineEvents(); }
void ClearTimelineEvents() { host_internal::sdk::ClearTimelineEvents(); }

void SetWallClockMs(int64_t epoch_ms) { host_internal::PinWallClock(epoch_ms); }

}  // namespace hostkit
