// hostkit: the SDK's platform timers and timeline service, and the wall clock.
//
//   hostkit::SetPlatformServiceAvailable(false);      // GetPlatformService() answers null
//   auto timer = velto_common::utils::timer::Post(cb, 100);
//   EXPECT_EQ(hostkit::RunningPlatformTimers().size(), 1u);
//   hostkit::AdvanceClock(100);                       // platform timers fire on the main looper
//   EXPECT_EQ(hostkit::TimelineEvents().back().name, "join_start");
//
// Reset(): both services present, no timers, no timeline events, the wall clock unpinned.
#pragma once

#include <cstdint>
#include <vector>

#include "veltosdk/utils/platform_timer_record.h"
#include "veltosdk/utils/timeline_event_record.h"

namespace hostkit {

// Platform service timers. Making the service unavailable keeps running timers running.
void SetPlatformServiceAvailable(bool available);
using PlatformTimer = veltosdk::PlatformTimerRecord;
// Started and neither stopped nor (one-shot) fired, by id.
std::vector<PlatformTimer> RunningPlatformTimers();
// How many StartTimer calls succeeded since Reset.
uint64_t PlatformTimersStarted();

// Timeline service events, in the order they were logged.
void SetTimeLineServiceAvailable(bool available);
using TimelineEvent = veltosdk::TimelineEventRecord;
std::vector<TimelineEvent> TimelineEvents();
void ClearTimelineEvents();

// util::time::GetTimestampMsec() reads `epoch_ms` now and moves on with the looper clock.
void SetWallClockMs(int64_t epoch_ms);

}  // namespace hostkit
