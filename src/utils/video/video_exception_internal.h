// Pieces of the camera exception alert shared by its files. Not installed.
#pragma once

#include "base/variant/variant.h"
#include "module_api/video/video_device_state.h"

namespace velto_common::utils::video_exception::internal {

// The exception the alert shows: the last one shown, else the video model's (command 45);
// false when there is neither.
bool CurrentException(video::VideoDeviceState& state);

}  // namespace velto_common::utils::video_exception::internal
