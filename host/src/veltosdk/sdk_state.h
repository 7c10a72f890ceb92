// State of the platform SDK stand-in that hostkit sets. Not installed; not for modules.
#pragma once

#include <string>

namespace host_internal::sdk {

void SetSwitch(const std::string& name, bool on);
void ClearSwitches();

// A null instance removes the interface.
void SetPlugin(const std::string& plugin, const std::string& interface_name, void* instance);
void ClearPlugins();

}  // namespace host_internal::sdk
