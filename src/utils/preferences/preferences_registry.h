// The process-wide state of the preferences service: the directory, the signed-in identity,
// the default and user slots and the registry of live stores by name, plus the scheduler that
// every store's background synchronisation shares. Both are scope singletons.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "module_api/preferences/preferences.h"
#include "module_api/preferences/preferences_scheduler.h"

namespace velto_common::utils::preferences_internal {

// Fixed identifier of this application, hashed into the default and user store names.
inline constexpr const char* kAppId = "7305618842";
inline constexpr const char* kDefaultStoreBaseName = "default_prefs";
// Background synchronisation delay, in milliseconds, after a store's first unwritten change.
inline constexpr int64_t kAutoSyncIntervalMs = 30000;

struct Registry {
  std::string preferences_dir;  // empty: not initialised
  std::string user_unique_id;   // empty: nobody signed in
  std::shared_ptr<Preferences> default_slot;
  std::shared_ptr<Preferences> user_slot;
  std::map<std::string, std::weak_ptr<Preferences>> stores;
  // Recursive: GetDefault holds it while Open takes it again.
  std::recursive_mutex lock;
};

Registry& GetRegistry();
std::shared_ptr<Scheduler> GetScheduler();

}  // namespace velto_common::utils::preferences_internal
