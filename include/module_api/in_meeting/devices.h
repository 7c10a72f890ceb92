// Camera and microphone: permission checks with their asynchronous answers, opening the camera
// and pushing the local video.
//
//   inmeeting::AccessCamera([] { StartPreview(); }, [] { ShowNoPermissionTip(); }, "toolbar");
//
// AccessCamera and AccessMic run exactly one of the two callbacks: at once when the permission
// is decided, or when the system's answer arrives (the camera model's events 45 and 44). An
// undecided request waits as long as it takes; no timeout applies.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto_common::utils::inmeeting {

using PermissionCallback = std::function<void()>;

VELTO_API void AccessCamera(PermissionCallback granted, PermissionCallback denied, const char* from);
// Without `ignore_audio_mode`, a connect mode other than computer audio grants at once.
VELTO_API void AccessMic(PermissionCallback granted, PermissionCallback denied, const char* from,
                         bool ignore_audio_mode);
// Opens the camera without asking: marks it accessible, pushes the video and grants.
VELTO_API void OpenCamera(PermissionCallback granted, PermissionCallback denied, const char* from, int32_t scene);
VELTO_API void PushVideo(bool push, int32_t scene);
VELTO_API bool IsCameraAccessible(const char* from);
// False unless `ignore_audio_mode` or computer audio, and the microphone is accessible.
VELTO_API bool IsMicAccessible(const char* from, bool ignore_audio_mode);
// The microphone button belongs in view: own audio connected and the microphone accessible, or
// the screen share asks for it.
VELTO_API bool ShouldDisplayMicView();

// Waits for the camera model's answer to one permission request, then runs one callback and
// goes away. Live observers are kept in a process-wide map by observer id (their address).
class VELTO_API MediaDeviceAccessPermissionObserver {
 public:
  // Subscribes to `event_id` of the camera model (509); nothing when the model is missing.
  MediaDeviceAccessPermissionObserver(int event_id, PermissionCallback granted, PermissionCallback denied);
  MediaDeviceAccessPermissionObserver(const MediaDeviceAccessPermissionObserver&) = delete;
  MediaDeviceAccessPermissionObserver& operator=(const MediaDeviceAccessPermissionObserver&) = delete;
  // Unsubscribes from the camera model.
  virtual ~MediaDeviceAccessPermissionObserver();

  int64_t observer_id() const;

  // Takes ownership and returns the observer id; the observer stays until its event arrives.
  static int64_t Keep(std::unique_ptr<MediaDeviceAccessPermissionObserver> observer);
  // Observers still waiting for their answer.
  static size_t PendingCount();

 private:
  void OnPermissionResult(const base::variant::Variant* result);

  PermissionCallback granted_;
  PermissionCallback denied_;
};

}  // namespace velto_common::utils::inmeeting
