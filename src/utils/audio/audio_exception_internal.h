// Pieces of the audio exception alert shared by its files. Not installed.
#pragma once

#include <cstdint>
#include <string>

#include "base/variant/variant.h"
#include "module_api/audio/audio_device_state.h"

namespace velto_common::utils::audio_exception::internal {

// The alert's texts and button actions for `state`, shown for `device_name`; false (logged)
// for a device type or error type the alert does not cover.
bool FillUIInfo(const audio::AudioDeviceState& state, const std::string& device_name, base::variant::Variant& out);

// The device name the audio model gives for the current exception, else `fallback`, else the id.
std::string DeviceName(const audio::AudioDeviceState& state, const std::string& fallback);

}  // namespace velto_common::utils::audio_exception::internal
