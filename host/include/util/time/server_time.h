// The server-corrected wall clock. Clock type 1 is the server's clock (the local clock plus the
// offset learnt at the last server sync); clock type 0 is the local wall clock.
#pragma once

#include <cstdint>

namespace util::time {

// Seconds since the Unix epoch.
int64_t GetServerTimestamp(int clock_type = 1);
// Milliseconds since the Unix epoch.
uint64_t GetServerTimestampMsec(int clock_type = 1);

}  // namespace util::time
