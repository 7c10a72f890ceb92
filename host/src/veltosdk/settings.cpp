#include "veltosdk/utils/settings.h"

#include "veltosdk/sdk_state.h"

namespace host_internal::sdk {

veltosdk::utils::settings::Settings& MutableSettings() {
  static auto* settings = new veltosdk::utils::settings::Settings;  // read by library code until the process ends
  return *settings;
}

}  // namespace host_internal::sdk

namespace veltosdk::utils::settings {

const Settings& default_settings() { return host_internal::sdk::MutableSettings(); }

}  // namespace veltosdk::utils::settings
