#include "util/time/time_util.h"

#include <atomic>
#include <chrono>

#include "base/threading/clock_math.h"
#include "base/threading/looper.h"
#include "host_internal.h"
#include "util/time/wall_clock.h"

namespace {

std::atomic<bool> g_pinned{false};
std::atomic<int64_t> g_pinned_epoch{0};
std::atomic<int64_t> g_pinned_ticks{0};

const bool kRegistered = host_internal::RegisterReset(&host_internal::UnpinWallClock);

}  // namespace

namespace host_internal {

void PinWallClock(int64_t epoch_ms) {
  g_pinned_ticks = base::threading::NowTicksMs();
  g_pinned_epoch = epoch_ms;
  g_pinned = true;
}

void UnpinWallClock() { g_pinned = false; }

}  // namespace host_internal

namespace util::time {

int64_t GetTimestampMsec() {
  if (g_pinned) {
    // The looper clock may run to its end; the wall clock then stops at the end as well.
    return host_internal::SaturatingAdd(g_pinned_epoch, base::threading::NowTicksMs() - g_pinned_ticks);
  }
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

uint64_t GetTickTimestampMsec() { return static_cast<uint64_t>(base::threading::NowTicksMs()); }

}  // namespace util::time
