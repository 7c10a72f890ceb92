#include "base/scope_singleton.h"

#include <algorithm>
#include <cstddef>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "base/log/log.h"

namespace base {
namespace {

// Destroying a singleton may create and register another; each teardown pass takes those too.
// A pair of singletons that keep re-creating each other would never end, hence the bound.
constexpr size_t kMaxDestroyedPerTeardown = 100000;

struct Entry {
  void* holder;
  SingletonDestroyer destroy;
};

struct Registry {
  std::mutex mutex;
  std::vector<Entry> entries;
};

// Never destroyed: the exit-time teardown below and late registrations must still find it.
Registry& TheRegistry() {
  static auto* registry = new Registry;
  return *registry;
}

void Log(int level, int line, const char* function, const std::string& text) {
  if (log::GetLogLevel() >= level) log::PrintLog("ScopeSingleton", __FILE__, line, function, level, text);
}

// Made at the first registration, so its destructor runs at exit before those of every static
// object that existed by then: the singletons still find the objects they were built on.
struct ExitTeardown {
  ~ExitTeardown() { TeardownScopeSingletons(); }
};

}  // namespace

void RegisterScopeSingleton(void* holder, SingletonDestroyer destroy) {
  if (!destroy) {
    Log(3, __LINE__, __func__, "scope singleton registered without a destroyer, ignored");
    return;
  }
  static ExitTeardown exit_teardown;
  Registry& registry = TheRegistry();
  {
    std::lock_guard<std::mutex> lock(registry.mutex);
    const bool known = std::any_of(registry.entries.begin(), registry.entries.end(), [&](const Entry& entry) {
      return entry.holder == holder && entry.destroy == destroy;
    });
    if (!known) {
      registry.entries.push_back({holder, destroy});
      return;
    }
  }
  // Destroying the same holder twice would free it twice.
  Log(4, __LINE__, __func__, "scope singleton registered twice, kept once");
}

void TeardownScopeSingletons() {
  Registry& registry = TheRegistry();
  for (size_t destroyed = 0;; ++destroyed) {
    Entry entry;
    {
      std::lock_guard<std::mutex> lock(registry.mutex);
      if (registry.entries.empty()) return;
      if (destroyed == kMaxDestroyedPerTeardown) break;
      entry = registry.entries.back();
      registry.entries.pop_back();
    }
    // Unlocked: a destroyer may register, tear down or use other singletons.
    try {
      entry.destroy(entry.holder);
    } catch (...) {
      // This often runs from a destructor at exit, where an escaping exception terminates.
      Log(1, __LINE__, __func__, "scope singleton destroyer threw; the others still go");
    }
  }
  Log(1, __LINE__, __func__,
      "scope singleton teardown stopped: singletons keep registering while being destroyed");
}

}  // namespace base
