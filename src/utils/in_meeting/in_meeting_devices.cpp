// Camera and microphone access, opening the camera and pushing the local video.
#include <string>
#include <utility>

#include "framework/module/module.h"
#include "module_api/audio/audio_utils.h"
#include "module_api/in_meeting/in_meeting_utils.h"
#include "module_api/log.h"
#include "module_api/members/member_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::inmeeting {

using velto::model::Variant;
using velto::model_id::kCameraModel;

namespace cmd {
using velto::model_command::camera::kCameraState;
using velto::model_command::camera::kRequestMicAccess;  // peer to peer
using velto::model_command::camera::kRequestCameraAccess;  // peer to peer
using velto::model_command::video::kCameraAccessResult;
using velto::model_command::audio::kMicAccessResult;
using velto::model_command::video_push::kPrepareVideoPush;
using velto::model_command::video_push_switch::kPushVideo;  // model 10032
using velto::model_command::screen_share::kShareAsksForMicView;
}  // namespace cmd

namespace {

constexpr int kMicPermissionEvent = velto::model_event::camera::kMicPermissionResult;
constexpr int kCameraPermissionEvent = velto::model_event::camera::kCameraPermissionResult;
// Reached only through the module runtime; it carries the local video to the meeting.
using velto::model_id::kVideoPushSwitchModel;

constexpr int64_t kPermissionGranted = 1;
constexpr int64_t kPermissionUndecided = 0;

Variant FromArgument(const char* from) {
  Variant argument = Variant::Map();
  if (from) argument["from"] = from;
  return argument;
}

void Run(const PermissionCallback& callback) {
  if (callback) callback();
}

// Asks the system through the camera model; the observer runs one callback when it answers.
void RequestPermission(int event_id, int command, const Variant& argument, PermissionCallback granted,
                       PermissionCallback denied) {
  const int64_t observer_id = MediaDeviceAccessPermissionObserver::Keep(
      std::make_unique<MediaDeviceAccessPermissionObserver>(event_id, std::move(granted), std::move(denied)));
  if (framework::Model* camera = velto::model::Find(kCameraModel)) {
    camera->P2PCall(command, static_cast<uint64_t>(observer_id), &argument, nullptr);
  }
}

bool IsComputerAudio() { return audio::GetAudioConnectMode() == veltosdk::kAudioConnectModeComputer; }

}  // namespace

void AccessCamera(PermissionCallback granted, PermissionCallback denied, const char* from) {
  Variant argument = FromArgument(from);
  int64_t state = -1;
  Variant answer;
  if (velto::model::Call(kCameraModel, cmd::kCameraState, &argument, &answer)) {
    state = answer.GetInteger("camera_state", -1);
  }
  argument["is_camera_access"] = state == kPermissionGranted;
  if (from) argument["from"] = from;
  velto::model::Call(velto::model_id::kVideoModel, cmd::kCameraAccessResult, &argument, nullptr);

  if (state == kPermissionGranted) {
    Run(granted);
  } else if (state == kPermissionUndecided) {
    RequestPermission(kCameraPermissionEvent, cmd::kRequestCameraAccess, argument, std::move(granted),
                      std::move(denied));
  } else {
    Run(denied);
  }
}

void AccessMic(PermissionCallback granted, PermissionCallback denied, const char* from, bool ignore_audio_mode) {
  if (!ignore_audio_mode) {
    const bool local_audio_input = IsComputerAudio();
    if (!local_audio_input) {
      VELTO_LOG(velto::log::kTrace) << "[Audio] ignore_audio_mode[" << static_cast<int>(ignore_audio_mode) << "], "
                                    << "IsLocalAudioInput[" << static_cast<int>(local_audio_input) << "]";
      Run(granted);
      return;
    }
  }
  Variant argument = FromArgument(from);
  Variant answer = Variant::Map();
  audio::GetMicAccessibility(argument, answer);
  const int64_t state = answer.GetInteger("mic_state", -1);
  VELTO_LOG(velto::log::kTrace) << "[Audio] mic_state[" << state << "], "
                                << "from[" << (from ? from : "nullptr") << "]";
  argument["is_mic_access"] = state == kPermissionGranted;
  if (from) argument["from"] = from;
  velto::model::Call(velto::model_id::kAudioModel, cmd::kMicAccessResult, &argument, nullptr);

  if (state == kPermissionGranted) {
    Run(granted);
  } else if (state == kPermissionUndecided) {
    RequestPermission(kMicPermissionEvent, cmd::kRequestMicAccess, argument, std::move(granted), std::move(denied));
  } else {
    Run(denied);
  }
}

void OpenCamera(PermissionCallback granted, PermissionCallback /*denied*/, const char* from, int32_t scene) {
  Variant argument = FromArgument(from);
  argument["is_camera_access"] = true;
  velto::model::Call(velto::model_id::kVideoModel, cmd::kCameraAccessResult, &argument, nullptr);
  PushVideo(true, scene);
  Run(granted);
}

void PushVideo(bool push, int32_t scene) {
  if (push) {
    const bool should_push_video =
        velto::model::Call(velto::model_id::kVideoPushModel, cmd::kPrepareVideoPush, nullptr, nullptr);
    VELTO_LOG(velto::log::kTrace) << "should_push_video " << static_cast<int>(should_push_video);
  }
  Variant argument = Variant::Map();
  argument["on"] = push;
  argument["scene"] = scene;
  velto::model::Call(kVideoPushSwitchModel, cmd::kPushVideo, &argument, nullptr);
}

bool IsCameraAccessible(const char* from) {
  const Variant argument = FromArgument(from);
  return velto::model::QueryValue<bool>(kCameraModel, cmd::kCameraState, &argument, {"camera_accessible"}, false);
}

bool IsMicAccessible(const char* from, bool ignore_audio_mode) {
  if (!ignore_audio_mode && !IsComputerAudio()) return false;
  Variant answer = Variant::Map();
  if (!audio::GetMicAccessibility(FromArgument(from), answer)) return false;
  return answer.GetBoolean("mic_accessible", false);
}

bool ShouldDisplayMicView() {
  const Variant self = member::GetSelfInfo();
  const bool connected = audio::IsDeviceAudioDeviceConnect(self);
  const bool accessible = IsMicAccessible("should_display_mic_view", false);
  const bool share_asks =
      velto::model::QueryValue<bool>(velto::model_id::kScreenShareModel, cmd::kShareAsksForMicView, nullptr, {}, false);
  return (connected && accessible) || share_asks;
}

}  // namespace velto_common::utils::inmeeting
