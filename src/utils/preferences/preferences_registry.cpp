#include "utils/preferences/preferences_registry.h"

#include "module_api/log.h"
#include "util/crypto/md5.h"
#include "util/file/dir_util.h"
#include "frame/scope_singleton.h"
#include "utils/preferences/tkv_fatal_error_listener.h"

namespace velto_common::utils {
namespace preferences_internal {
namespace {

// Stores share the scheduler: each keeps it alive until it has cancelled its pending sync.
struct SchedulerHolder {
  std::shared_ptr<Scheduler> scheduler = std::make_shared<Scheduler>();
};

ScopeSingleton<Registry> g_registry;
ScopeSingleton<SchedulerHolder> g_scheduler;

}  // namespace

Registry& GetRegistry() { return *g_registry.Get(); }
std::shared_ptr<Scheduler> GetScheduler() { return g_scheduler.Get()->scheduler; }

}  // namespace preferences_internal

using preferences_internal::GetRegistry;
using preferences_internal::Registry;

void InitializePreferences(const std::string& directory) {
  Registry& registry = GetRegistry();
  if (!registry.preferences_dir.empty()) {
    VELTO_LOG(velto::log::kFailure) << "preferences_dir has been set: " << registry.preferences_dir;
    return;
  }
  if (directory.empty()) {
    VELTO_LOG(velto::log::kFailure) << "empty preferences_dir";
    return;
  }
  registry.preferences_dir = util::file::EnsureDirPathWithSlash(directory);
  if (!util::file::EnsureDirExist(registry.preferences_dir)) {
    // Kept all the same: opening a store then reports through the fatal-error listener.
    VELTO_LOG(velto::log::kFailure) << "cannot create preferences_dir: " << registry.preferences_dir;
  }
  base::tkv::TKV::SetTKVFatalErrorListener(std::make_shared<TKVFatalErrorListener>());
}

void UnInitializePreferences() {
  Registry& registry = GetRegistry();
  std::shared_ptr<Preferences> default_store;
  std::shared_ptr<Preferences> user_store;
  {
    std::lock_guard lock(registry.lock);
    default_store = std::move(registry.default_slot);
  }
  user_store = std::move(registry.user_slot);
  registry.preferences_dir.clear();
  // The stores close (and write) here, unless a caller still holds them.
}

std::shared_ptr<Preferences> Preferences::Open(const std::string& name) {
  Registry& registry = GetRegistry();
  std::lock_guard lock(registry.lock);
  std::weak_ptr<Preferences>& entry = registry.stores[name];
  if (auto live = entry.lock()) return live;
  auto store = std::make_shared<Preferences>(name);
  entry = store;
  return store;
}

std::shared_ptr<Preferences> Preferences::GetDefault() {
  Registry& registry = GetRegistry();
  if (!registry.default_slot) {
    std::lock_guard lock(registry.lock);
    if (!registry.default_slot) {
      registry.default_slot = Open(std::string(preferences_internal::kDefaultStoreBaseName) + "__" +
                                   util::crypto::Md5(preferences_internal::kAppId));
    }
  }
  return registry.default_slot;
}

std::shared_ptr<Preferences> Preferences::GetUser() {
  Registry& registry = GetRegistry();
  if (registry.user_slot) return registry.user_slot;
  if (registry.user_unique_id.empty()) return nullptr;
  registry.user_slot =
      Open("pref__" + util::crypto::Md5(registry.user_unique_id + "_" + preferences_internal::kAppId));
  return registry.user_slot;
}

void Preferences::SetUserUniqueId(const std::string& user_unique_id) {
  Registry& registry = GetRegistry();
  if (user_unique_id == registry.user_unique_id) return;
  registry.user_unique_id = user_unique_id;
  registry.user_slot.reset();
}

}  // namespace velto_common::utils
