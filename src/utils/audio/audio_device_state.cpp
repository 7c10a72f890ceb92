#include "module_api/audio/audio_device_state.h"

namespace velto_common::utils::audio {

AudioDeviceState::AudioDeviceState(std::string device_id, DeviceType device_type)
    : device_id_(std::move(device_id)), device_type_(device_type) {}

}  // namespace velto_common::utils::audio
