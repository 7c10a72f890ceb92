#include "util/time/server_time.h"

#include "base/threading/clock_math.h"
#include "base/threading/looper.h"
#include "platform_state.h"

namespace util::time {

// The stand-in keeps one wall clock for both clock types: the manual tick plus an offset, so
// that tests advancing the manual clock see server time advance with it.
uint64_t GetServerTimestampMsec(int /*clock_type*/) {
  const int64_t now =
      host_internal::SaturatingAdd(base::threading::NowTicksMs(), host_internal::platform::ServerClockOffsetMs());
  return now < 0 ? 0 : static_cast<uint64_t>(now);
}

int64_t GetServerTimestamp(int clock_type) {
  return static_cast<int64_t>(GetServerTimestampMsec(clock_type) / 1000);
}

}  // namespace util::time
