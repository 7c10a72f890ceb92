// The platform and timeline services of the SDK stand-in, as hostkit sees them. Not installed;
// not for modules.
#pragma once

#include <cstdint>
#include <vector>

#include "hostkit/timers.h"

namespace host_internal::sdk {

void SetPlatformServiceAvailable(bool available);
std::vector<hostkit::PlatformTimer> RunningPlatformTimers();
uint64_t PlatformTimersStarted();

void SetTimeLineServiceAvailable(bool available);
std::vector<hostkit::TimelineEvent> TimelineEvents();
void ClearTimelineEvents();

}  // namespace host_internal::sdk
