// util::applifecycle: the application going to the background and coming back.
//
//   class Poller : public util::applifecycle::IAppLifecycleListener {
//     void OnPause() override { StopPolling(); }
//     void OnResume(uint64_t background_ms) override { if (background_ms > 60000) Refresh(); }
//   };
//   util::applifecycle::AddAppLifecycleListener(&poller);
//
// Listeners are not owned. A listener that is destroyed while registered removes itself.
// Notifications arrive on the UI thread in registration order.
#pragma once

#include <cstdint>

namespace util::applifecycle {

class IAppLifecycleListener {
 public:
  virtual ~IAppLifecycleListener();
  // The application came back after `background_ms` milliseconds in the background.
  virtual void OnResume(uint64_t background_ms) = 0;
  virtual void OnPause() = 0;
};

// Adding a registered listener again changes nothing.
void AddAppLifecycleListener(IAppLifecycleListener* listener);
void RemoveAppLifecycleListener(IAppLifecycleListener* listener);

}  // namespace util::applifecycle
