// hostkit's side of the ability configuration and dynamic resource services.
#include "hostkit/remote_config.h"

#include "veltosdk/remote_config_services.h"

namespace hostkit {

void SetAbilityValue(const std::string& group, const std::string& key, const base::variant::Variant& value) {
  host_internal::sdk::SetAbilityValue(group, key, value);
}

size_t NotifyAbilityConfigChanged() { return host_internal::sdk::NotifyAbilityConfigChanged(); }

size_t AbilityConfigListenerCount() { return host_internal::sdk::AbilityConfigListenerCount(); }

void SetAbilityConfigServiceAvailable(bool available) {
  host_internal::sdk::SetAbilityConfigServiceAvailable(available);
}

size_t DynamicResUpdateStart(const std::string& res_name) { return host_internal::sdk::DynamicResUpdateStart(res_name); }

size_t DynamicResUpdateProgress(const std::string& res_name, double progress) {
  return host_internal::sdk::DynamicResUpdateProgress(res_name, progress);
}

size_t DynamicResUpdateComplete(const std::string& res_name, const std::string& path, int state) {
  return host_internal::sdk::DynamicResUpdateComplete(res_name, path, state);
}

size_t DeliverDynamicRes(const std::string& res_name, const std::string& path, int state) {
  DynamicResUpdateStart(res_name);
  for (double progress : {0.0, 0.5, 1.0}) DynamicResUpdateProgress(res_name, progress);
  return DynamicResUpdateComplete(res_name, path, state);
}

size_t DynamicResListenerCount(const std::string& res_name) {
  return host_internal::sdk::DynamicResListenerCount(res_name);
}

void SetDynamicResServiceAvailable(bool available) { host_internal::sdk::SetDynamicResServiceAvailable(available); }

}  // namespace hostkit
