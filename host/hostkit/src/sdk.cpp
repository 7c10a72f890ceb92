#include <string>

#include "host_internal.h"
#include "hostkit/hostkit.h"
#include "veltosdk/sdk_state.h"
#include "veltosdk/user_id_manager.h"

namespace hostkit {

SdkEnvironment& Environment() { return host_internal::sdk::Environment(); }

void SetFeatureSwitch(const std::string& name, bool on) { host_internal::sdk::SetSwitch(name, on); }

void SetSelfId(const std::string& id) { veltosdk::UserIdManager::SharedInstance()->SetSelfId(id); }

void InstallPlugin(const std::string& plugin, const std::string& interface_name, void* instance) {
  host_internal::sdk::SetPlugin(plugin, interface_name, instance);
}

}  // namespace hostkit

namespace host_internal {

void ResetSdk() {
  sdk::Environment() = veltosdk::SdkEnvironment{};
  sdk::ClearSwitches();
  sdk::ClearPlugins();
  veltosdk::UserIdManager::SharedInstance()->SetSelfId("");
}

}  // namespace host_internal
