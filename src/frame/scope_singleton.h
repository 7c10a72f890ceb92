// An object made on first use, once, under a spin flag with a second check (callers may come
// from any thread), and destroyed by the host's scope teardown.
//
//   ScopeSingleton<Registry> g_registry;        // a namespace-scope global
//   Registry* registry = g_registry.Get();      // made here the first time
#pragma once

#include <atomic>
#include <thread>

#include "base/scope_singleton.h"

namespace velto_common::utils {

template <typename T>
class ScopeSingleton {
 public:
  T* Get() {
    if (T* instance = instance_.load(std::memory_order_acquire)) return instance;
    while (flag_.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
    T* instance = instance_.load(std::memory_order_relaxed);
    if (!instance) {
      instance = new T();
      instance_.store(instance, std::memory_order_release);
      base::RegisterScopeSingleton(this, &Destroy);
    }
    flag_.clear(std::memory_order_release);
    return instance;
  }
  // The object if it has been made (and not yet torn down), else null; never makes it.
  T* Peek() const { return instance_.load(std::memory_order_acquire); }

 private:
  static void Destroy(void* holder) { delete static_cast<ScopeSingleton*>(holder)->instance_.exchange(nullptr); }

  std::atomic<T*> instance_{nullptr};
  std::atomic_flag flag_ = ATOMIC_FLAG_INIT;
};

}  // namespace velto_common::utils
