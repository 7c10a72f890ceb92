// The ability configuration and dynamic resource services of the SDK stand-in, as hostkit drives
// them. Not installed; not for modules.
#pragma once

#include <cstddef>
#include <string>

#include "base/variant/variant.h"

namespace host_internal::sdk {

void SetAbilityConfigServiceAvailable(bool available);
// A null value removes the key.
void SetAbilityValue(const std::string& group, const std::string& key, const base::variant::Variant& value);
// Tells every listener, in the order they were added; returns how many heard it.
size_t NotifyAbilityConfigChanged();
size_t AbilityConfigListenerCount();

void SetDynamicResServiceAvailable(bool available);
// Each hands the notice to every listener of the resource, in registration order, and returns
// how many heard it.
size_t DynamicResUpdateStart(const std::string& res_name);
size_t DynamicResUpdateProgress(const std::string& res_name, double progress);
size_t DynamicResUpdateComplete(const std::string& res_name, const std::string& path, int state);
size_t DynamicResListenerCount(const std::string& res_name);

}  // namespace host_internal::sdk
