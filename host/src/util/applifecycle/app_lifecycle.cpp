#include "util/applifecycle/app_lifecycle.h"

#include <algorithm>
#include <vector>

#include "host_internal.h"
#include "util/applifecycle/app_lifecycle_internal.h"

namespace util::applifecycle {
namespace {

std::vector<IAppLifecycleListener*>& Listeners() {
  static auto* listeners = new std::vector<IAppLifecycleListener*>;
  return *listeners;
}

void ResetListeners() { Listeners().clear(); }

const bool kRegistered = host_internal::RegisterReset(&ResetListeners);

bool IsRegistered(IAppLifecycleListener* listener) {
  const auto& listeners = Listeners();
  return std::find(listeners.begin(), listeners.end(), listener) != listeners.end();
}

// A snapshot, re-checked before each call: a listener may remove (or destroy) another.
template <typename Notify>
void NotifyAll(Notify notify) {
  const auto snapshot = Listeners();
  for (IAppLifecycleListener* listener : snapshot) {
    if (IsRegistered(listener)) notify(listener);
  }
}

}  // namespace

IAppLifecycleListener::~IAppLifecycleListener() { RemoveAppLifecycleListener(this); }

void AddAppLifecycleListener(IAppLifecycleListener* listener) {
  if (listener && !IsRegistered(listener)) Listeners().push_back(listener);
}

void RemoveAppLifecycleListener(IAppLifecycleListener* listener) {
  auto& listeners = Listeners();
  listeners.erase(std::remove(listeners.begin(), listeners.end(), listener), listeners.end());
}

}  // namespace util::applifecycle

namespace host_internal::applifecycle {

void NotifyPause() {
  util::applifecycle::NotifyAll([](auto* listener) { listener->OnPause(); });
}

void NotifyResume(uint64_t background_ms) {
  util::applifecycle::NotifyAll([&](auto* listener) { listener->OnResume(background_ms); });
}

size_t ListenerCount() { return util::applifecycle::Listeners().size(); }

}  // namespace host_internal::applifecycle
