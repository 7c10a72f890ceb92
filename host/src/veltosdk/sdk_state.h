// State of the platform SDK stand-in that hostkit sets. Not installed; not for modules.
#pragma once

#include <string>

#include "veltosdk/sdk_environment.h"
#include "veltosdk/utils/settings.h"

namespace host_internal::sdk {

void SetSwitch(const std::string& name, bool on);
void ClearSwitches();

// A null instance removes the interface.
void SetPlugin(const std::string& plugin, const std::string& interface_name, void* instance);
void ClearPlugins();

// What the environment getters answer; edited in place, valid for the life of the process.
veltosdk::SdkEnvironment& Environment();
// What default_settings() answers; edited in place, valid for the life of the process.
veltosdk::utils::settings::Settings& MutableSettings();

}  // namespace host_internal::sdk
