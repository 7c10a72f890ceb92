// VideoDeviceState: one camera's failure, as the video model reports it (command 45).
//
//   velto_common::utils::video::VideoDeviceState state;
//   if (velto_common::utils::video::GetDeviceExceptionInfo(state) &&
//       state.GetErrorType() == velto_common::utils::video::kVideoDeviceFailedNoPermission) ...
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "module_api/export.h"

namespace velto_common::utils::video {

enum DeviceState : int32_t {
  kDeviceStateNormal = 0,
  kDeviceStateAbnormal = 1,
  kDeviceStateUnplugged = 2,
};

// The error types the camera exception alert tells apart.
enum VideoDeviceFailedType : int32_t {
  kVideoDeviceFailedNone = 0,
  kVideoDeviceFailedNoPermission = -201,  // the system refuses the camera to the client
  kVideoDeviceFailedStart = -130,         // the camera did not start; often gone on the next try
  kVideoDeviceFailedOccupied = -121,      // another application holds the camera
};

class VELTO_API VideoDeviceState {
 public:
  VideoDeviceState() = default;
  VideoDeviceState(std::string device_id, DeviceState device_state);
  VideoDeviceState(const VideoDeviceState&) = default;
  VideoDeviceState(VideoDeviceState&&) noexcept = default;
  VideoDeviceState& operator=(const VideoDeviceState&) = default;
  VideoDeviceState& operator=(VideoDeviceState&&) noexcept = default;
  ~VideoDeviceState() = default;

  const std::string& GetDeviceId() const { return device_id_; }
  void SetDeviceId(std::string device_id) { device_id_ = std::move(device_id); }
  DeviceState GetDeviceState() const { return device_state_; }
  void SetDeviceState(DeviceState device_state) { device_state_ = device_state; }
  VideoDeviceFailedType GetErrorType() const { return error_type_; }
  void SetErrorType(VideoDeviceFailedType error_type) { error_type_ = error_type; }

  bool operator==(const VideoDeviceState&) const = default;

 private:
  std::string device_id_;
  DeviceState device_state_ = kDeviceStateNormal;
  VideoDeviceFailedType error_type_ = kVideoDeviceFailedNone;
};

}  // namespace velto_common::utils::video
