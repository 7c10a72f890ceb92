// hostkit: what the server configures remotely through the platform SDK: ability switches
// (veltosdk/utils/ability_config_service.h) and dynamic resources
// (veltosdk/utils/dynamic_res_service.h).
//
//   hostkit::SetAbilityValue("visual_tracker", "vtracker_limit_count", 5);
//   hostkit::NotifyAbilityConfigChanged();                        // listeners read the new values
//   hostkit::DeliverDynamicRes("visual_tracking_conf", dir);      // start, progress, complete
//
// Notices are handed to the listeners inside the call, as the SDK does on the UI thread.
// hostkit::Reset() clears values and listeners and makes both services available.
#pragma once

#include <cstddef>
#include <string>

#include "base/variant/variant.h"
#include "veltosdk/utils/dynamic_res_service.h"

namespace hostkit {

// Ability configuration. A null value removes the key.
void SetAbilityValue(const std::string& group, const std::string& key, const base::variant::Variant& value);
// Returns how many listeners heard it.
size_t NotifyAbilityConfigChanged();
size_t AbilityConfigListenerCount();
// With false, GetAbilityConfigService() answers null (values and listeners are kept).
void SetAbilityConfigServiceAvailable(bool available);

// Dynamic resources, one notice at a time; each returns how many listeners heard it.
size_t DynamicResUpdateStart(const std::string& res_name);
size_t DynamicResUpdateProgress(const std::string& res_name, double progress);
size_t DynamicResUpdateComplete(const std::string& res_name, const std::string& path,
                                int state = veltosdk::kDynamicResUpdateSucceeded);
// A whole download: the start, progress 0, 0.5 and 1, then the completion in `path`.
size_t DeliverDynamicRes(const std::string& res_name, const std::string& path,
                         int state = veltosdk::kDynamicResUpdateSucceeded);
size_t DynamicResListenerCount(const std::string& res_name);
// With false, GetDynamicResService() answers null (listeners are kept).
void SetDynamicResServiceAvailable(bool available);

}  // namespace hostkit
