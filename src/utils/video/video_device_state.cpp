#include "module_api/video/video_device_state.h"

namespace velto_common::utils::video {

VideoDeviceState::VideoDeviceState(std::string device_id, DeviceState device_state)
    : device_id_(std::move(device_id)), device_state_(device_state) {}

}  // namespace velto_common::utils::video
