// Wall-clock time of the host. Under hostkit a test may pin the wall clock
// (hostkit::SetWallClockMs); it then advances with the host's looper clock.
#pragma once

#include <cstdint>

namespace util::time {

// Milliseconds since the Unix epoch.
int64_t GetTimestampMsec();

}  // namespace util::time
