// AudioDeviceState: one audio device's failure, as the audio model reports it (command 94).
//
//   velto_common::utils::audio::AudioDeviceState state;
//   if (velto_common::utils::audio::GetDeviceExceptionInfo(state) &&
//       state.GetErrorType() == velto_common::utils::audio::kAudioDeviceFailedNoPermission) ...
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "module_api/export.h"

namespace velto_common::utils::audio {

enum DeviceType : int32_t {
  kDeviceTypeUnknown = 0,
  kDeviceTypeMic = 1,
  kDeviceTypeSpeaker = 2,
};

enum AudioDeviceFailedType : int32_t {
  kAudioDeviceFailedNone = 0,
  kAudioDeviceFailedOpen = 1,          // the device would not start (often held by another app)
  kAudioDeviceFailedNoPermission = 2,  // the system refuses the microphone to the client
  kAudioDeviceFailedNoSound = 3,       // the device runs but captures or plays nothing
  kAudioDeviceFailedDriver = 4,        // the system's audio service misbehaves
};

class VELTO_API AudioDeviceState {
 public:
  AudioDeviceState() = default;
  AudioDeviceState(std::string device_id, DeviceType device_type);
  AudioDeviceState(const AudioDeviceState&) = default;
  AudioDeviceState(AudioDeviceState&&) noexcept = default;
  AudioDeviceState& operator=(const AudioDeviceState&) = default;
  AudioDeviceState& operator=(AudioDeviceState&&) noexcept = default;
  ~AudioDeviceState() = default;

  const std::string& GetDeviceId() const { return device_id_; }
  void SetDeviceId(std::string device_id) { device_id_ = std::move(device_id); }
  DeviceType GetDeviceType() const { return device_type_; }
  void SetDeviceType(DeviceType device_type) { device_type_ = device_type; }
  AudioDeviceFailedType GetErrorType() const { return error_type_; }
  void SetErrorType(AudioDeviceFailedType error_type) { error_type_ = error_type; }

  bool operator==(const AudioDeviceState&) const = default;

 private:
  std::string device_id_;
  DeviceType device_type_ = kDeviceTypeUnknown;
  AudioDeviceFailedType error_type_ = kAudioDeviceFailedNone;
};

}  // namespace velto_common::utils::audio
