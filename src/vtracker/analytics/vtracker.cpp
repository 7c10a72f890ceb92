#include "module_api/vtracker/vtracker.h"

#include <memory>
#include <set>
#include <string>

#include "framework/module/module_interceptor.h"
#include "frame/scope_singleton.h"
#include "module_api/log.h"
#include "module_api/model/config_reader.h"
#include "module_api/vtracker/vtracker_analytics.h"
#include "module_api/vtracker/vtracker_interceptor.h"
#include "util/crypto/md5.h"
#include "vtracker/analytics/vtracker_log.h"

namespace vtracker {
namespace {

// The registration and the ignore lists; torn down with the library, which also takes the
// interceptor back from the host.
struct TrackerState {
  ~TrackerState() {
    if (!interceptor) return;
    if (auto* service = framework::module::GetModuleInterceptorService()) {
      service->UnregisterViewModelInterceptor(interceptor);
    }
  }
  std::shared_ptr<VTrackerViewModelInterceptor> interceptor;
  std::set<std::string> ignored_modules;
  std::set<int> ignored_vm_types;
  std::set<int> ignored_actions;
};

velto_common::utils::ScopeSingleton<TrackerState> g_state;

}  // namespace

void InitInterceptor() {
  TrackerState* state = g_state.Get();
  if (state->interceptor) {
    VELTO_LOG(velto::log::kNotable) << kLogPrefix << "already initialized";
    return;
  }
  InitVTrackerConfig();
  framework::module::IModuleInterceptorService* service = framework::module::GetModuleInterceptorService();
  if (!service) {
    VELTO_LOG(velto::log::kFailure) << kLogPrefix << "module interceptor service not found";
    return;
  }
  auto interceptor = std::make_shared<VTrackerViewModelInterceptor>();
  service->RegisterViewModelInterceptor(interceptor);
  state->interceptor = std::move(interceptor);
  VELTO_LOG(velto::log::kTrace) << kLogPrefix << "interceptor registered";
  VTrackerAnalytics::GetInstance()->Init();
}

void UninitInterceptor() {
  TrackerState* state = g_state.Peek();
  if (!state || !state->interceptor) {
    VELTO_LOG(velto::log::kNotable) << kLogPrefix << "not initialized";
    return;
  }
  if (auto* service = framework::module::GetModuleInterceptorService()) {
    service->UnregisterViewModelInterceptor(state->interceptor);
  }
  state->interceptor.reset();
  VELTO_LOG(velto::log::kTrace) << kLogPrefix << "interceptor unregistered";
}

void InitVTrackerConfig() {
  TrackerState* state = g_state.Get();
  // Test and diagnostic modules, and the shared web pages, whose actions are not the user's.
  state->ignored_modules = {"atg_test", "debug_assistant", "crash_prompt", "web_share"};
  state->ignored_vm_types.clear();
  state->ignored_actions.clear();
}

bool IsEnableVTracker() { return velto::model::ReadClientSetting(kEnableAbilityKey, false); }

bool CheckVTrackerIgnored(int vm_type, int action, framework::module::IModuleRuntime* runtime) {
  const TrackerState* state = g_state.Peek();
  if (!state) return true;
  const std::string module_name = GetVTrackerModuleName(runtime);
  if (state->ignored_modules.count(module_name)) {
    VELTO_LOG(velto::log::kTrace) << kLogPrefix << "vtracker" << module_name << " module can not visual tracking";
    return false;
  }
  if (state->ignored_vm_types.count(vm_type)) {
    VELTO_LOG(velto::log::kTrace) << kLogPrefix << "vtracker" << vm_type << " vm_type can not visual tracking";
    return false;
  }
  if (state->ignored_actions.count(action)) {
    VELTO_LOG(velto::log::kTrace) << kLogPrefix << "vtracker" << action << " action can not visual tracking";
    return false;
  }
  return true;
}

std::string GetVTrackerModuleName(framework::module::IModuleRuntime* runtime) {
  return runtime ? runtime->name() : std::string();
}

std::string GetVTrackerPageHash(const std::string& module_name, int vm_type) {
  return util::crypto::Md5(module_name + "/" + std::to_string(vm_type));
}

std::string GetVTrackerElementHash(int action) { return util::crypto::Md5("action/" + std::to_string(action)); }

std::string MakeVTrackerMapKey(const std::string& page_hash, const std::string& element_hash) {
  return page_hash + "_" + element_hash;
}

}  // namespace vtracker
