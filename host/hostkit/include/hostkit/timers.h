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
#include <map>
#include <string>
#include <vector>

namespace hostkit {

// Platform service timers. Making the service unavailable keeps running timers running.
void SetPlatformServiceAvailable(bool available);
struct PlatformTimer {
  int64_t id;
  int64_t delay_ms;
  bool repeat;
};
// Started and neither stopped nor (one-shot) fired, by id.
std::vector<PlatformTimer> RunningPlatformTimers();
// How many StartTimer calls succeeded since Reset.
uint64_t PlatformTimersStarted();

// Timeline service events, in the order they were logged.
void SetTimeLineServiceAvailable(bool available);
struct TimelineEvent {
  int operation;  // 1..6: which service operation recorded it, in declaration order
  std::string module;
  std::string category;
  std::string name;
  std::map<std::string, std::string> properties;
  int retry_count = 0;
};
std::vector<TimelineEvent> TimelineEvents();
void ClearTimelineEvents();

// util::time::GetTimestampMsec() reads `epoch_ms` now and moves on with the looper clock.
void SetWallClockMs(int64_t epoch_ms);

}  // namespace hostkit
