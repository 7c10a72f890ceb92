// Delayed and repeating work on the platform SDK's timers; callbacks run on the UI thread.
//
//   std::unique_ptr<VLTimer> timeout = velto_common::utils::timer::Post([this] { OnTimeout(); }, 3000);
//   auto tick = velto_common::utils::timer::CreateTimer([this] { Refresh(); });
//   tick->Start(1000, /*repeat=*/true);
//   timeout.reset();   // dropping the owner cancels: the callback never runs afterwards
//
// Without a platform service Start and Stop do nothing, and the callback never runs.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "base/location.h"
#include "module_api/export.h"

namespace velto_common::utils::timer {

class VELTO_API VLTimer {
 public:
  // Stops the timer.
  virtual ~VLTimer();
  // (Re)starts: a running timer is replaced, so at most one platform timer runs per VLTimer.
  virtual void Start(int64_t delay_ms, bool repeat) = 0;
  // Harmless when not running.
  virtual void Stop() = 0;
};

// A timer that is not running yet.
VELTO_API std::unique_ptr<VLTimer> CreateTimer(std::function<void()> callback,
                                               base::Location where = base::Location::Current());
// Runs `callback` once after `delay_ms` (0: as soon as possible, never within this call) for
// as long as the returned timer is kept.
VELTO_API std::unique_ptr<VLTimer> Post(std::function<void()> callback, int64_t delay_ms,
                                        base::Location where = base::Location::Current());

}  // namespace velto_common::utils::timer
