// Wall-clock time of the host. Under hostkit a test may pin the wall clock
// (hostkit::SetWallClockMs); it then advances with the host's looper clock.
#pragma once

#include <cstdint>

namespace util::time {

// Milliseconds since the Unix epoch.
int64_t GetTimestampMsec();
// Milliseconds of a monotonic clock with an arbitrary start, for measuring durations; under
// hostkit it is the manual clock.
int64_t GetTickTimestampMsec();

}  // namespace util::time
