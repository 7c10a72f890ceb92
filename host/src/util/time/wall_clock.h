// Lets hostkit pin the wall clock to the looper clock. Not installed; not for modules.
#pragma once

#include <cstdint>

namespace host_internal {

// From now on GetTimestampMsec() is `epoch_ms` plus the looper-clock time elapsed since this call.
void PinWallClock(int64_t epoch_ms);
void UnpinWallClock();

}  // namespace host_internal
