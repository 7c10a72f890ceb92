// Wall-clock and tick time of the host. Under hostkit a test may pin the wall clock
// (hostkit::SetWallClockMs); it then advances with the host's looper clock.
#pragma once

#include <cstdint>

namespace util::time {

// Milliseconds since the Unix epoch.
int64_t GetTimestampMsec();

// Milliseconds of the monotonic clock the loopers run on (the hand clock under hostkit): for
// measuring durations, never for dates.
uint64_t GetTickTimestampMsec();

}  // namespace util::time
