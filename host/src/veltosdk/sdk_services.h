// The platform and timeline services of the SDK stand-in, as hostkit sees them. Not installed;
// not for modules.
#pragma once

#include <cstdint>
#include <vector>

#include "veltosdk/utils/platform_timer_record.h"
#include "veltosdk/utils/timeline_event_record.h"

namespace host_internal::sdk {

void SetPlatformServiceAvailable(bool available);
std::vector<veltosdk::PlatformTimerRecord> RunningPlatformTimers();
uint64_t PlatformTimersStarted();

void SetTimeLineServiceAvailable(bool available);
std::vector<veltosdk::TimelineEventRecord> TimelineEvents();
void ClearTimelineEvents();

}  // namespace host_internal::sdk
