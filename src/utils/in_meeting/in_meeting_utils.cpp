// Meeting state: whether there is a meeting, its kind and state, and the server's switches.
#include "module_api/in_meeting/in_meeting_utils.h"

#include <algorithm>

#include "module_api/audio/audio_utils.h"
#include "module_api/log.h"
#include "module_api/model/config_reader.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/runtime.h"
#include "utils/in_meeting/in_meeting_internal.h"
#include "util/crypto/base64.h"
#include "veltosdk/utils/environment.h"

namespace velto_common::utils::inmeeting {

using velto::model::Variant;
using velto::model_id::kMeetingModel;

namespace cmd {
using velto::model_command::meeting::kInMeeting;
using velto::model_command::meeting::kMeetingInfo;
using velto::model_command::meeting::kCastMeetingInfo;
using velto::model_command::meeting::kWaitingRoom;
using velto::model_command::meeting::kMediaRoomJoined;
using velto::model_command::meeting::kAudioMode;
using velto::model_command::meeting::kCastMeetingMode;
using velto::model_command::meeting::kJoiningStage1;
using velto::model_command::meeting::kJoiningStage2;
using velto::model_command::meeting::kUsageState;
using velto::model_command::meeting_mode::kMeetingMode;
using velto::model_command::cast::kCastState;
using velto::model_command::record::kCloudRecording;
using velto::model_command::screen_share::kScreenCaptureSettings;
constexpr int kVoicePrintVisible = velto::model_command::voice_print::kVocalEnhancementVisible;
using velto::model_command::open_app_policy::kWideSidebarGray;
constexpr int kOpenAppBlockList = velto::model_command::open_app_policy::kAppInBlockList;
}  // namespace cmd

namespace {

constexpr int64_t kCastMeetingTypeBit = int64_t{1} << 4;
constexpr uint32_t kHighUsageState = 1;
constexpr int32_t kStreamLimitTipsId = static_cast<int32_t>(0xd13b7fb1);

bool IsHighUsageAnswer() {
  return velto::model::QueryValue<uint32_t>(kMeetingModel, cmd::kUsageState, nullptr, {}, 0) == kHighUsageState;
}

}  // namespace

int64_t GetCurrentMeetingType() {
  return velto::model::QueryValue<int64_t>(kMeetingModel, cmd::kMeetingInfo, nullptr,
                                           {"meeting_item", "meeting_type"}, -1);
}

bool IsInMeeting(bool include_joining) {
  if (velto::model::Ask(kMeetingModel, cmd::kInMeeting)) return true;
  return include_joining && IsJoiningMeeting();
}

bool IsJoiningMeeting() {
  return velto::model::Ask(kMeetingModel, cmd::kJoiningStage1) ||
         velto::model::Ask(kMeetingModel, cmd::kJoiningStage2);
}

bool IsInWaitingRoom() { return velto::model::QueryValue<bool>(kMeetingModel, cmd::kWaitingRoom, nullptr, {}, false); }

bool IsMediaRoomJoined() { return velto::model::Ask(kMeetingModel, cmd::kMediaRoomJoined); }

bool IsCurrentMeeting(const std::string& meeting_id) {
  const std::string current = velto::model::QueryValue<std::string>(kMeetingModel, cmd::kMeetingInfo, nullptr,
                                                                     {"meeting_item", "meeting_id"}, "");
  return !current.empty() && current == meeting_id;
}

velto::InMeeting::MeetingMode GetMeetingMode() {
  return static_cast<velto::InMeeting::MeetingMode>(velto::model::QueryValue<int32_t>(
      velto::model_id::kMeetingModeModel, cmd::kMeetingMode, nullptr, {}, velto::InMeeting::kMeetingModeUnknown));
}

bool IsInScreenShareMode() { return GetMeetingMode() == velto::InMeeting::kMeetingModeScreenShare; }

bool IsAudioMode() {
  if (!IsInMeeting()) return false;
  return velto::model::QueryValue<bool>(kMeetingModel, cmd::kAudioMode, nullptr, {"enable"}, false);
}

bool IsAudioConnectModeNone() { return audio::GetAudioConnectMode() <= veltosdk::kAudioConnectModeNone; }

bool IsMultipleDevicesJoinedInMeeting() {
  if (!IsInMeeting()) return false;
  auto self = internal::PlatformSelfInfo();
  if (!self || !self->IsValid()) {
    VELTO_LOG(velto::log::kFailure) << "self_info is nil or wrong";
    return false;
  }
  return self->devices.size() > 1;
}

bool IsAudioConnectedByOtherInstance() {
  if (!IsMultipleDevicesJoinedInMeeting()) return false;
  auto self = internal::PlatformSelfInfo();
  const std::string current = veltosdk::utils::context::GetCurrentInstanceId();
  return std::any_of(self->devices.begin(), self->devices.end(), [&](const veltosdk::MeetingDevice& device) {
    return device.audio_connected && device.instance_id != current;
  });
}

bool IsInHighUsageState() { return IsHighUsageAnswer(); }

bool IsInStreamLimitState() {
  // The host answers both states on one command; the limit is asked for after confirming the
  // model is in a usage state at all.
  if (!IsHighUsageAnswer()) return false;
  return IsHighUsageAnswer();
}

std::string GetStreamLimitTips() {
  return velto::model::ReadConfigurationItem("inmeeting", "video_stream_limit_tips",
                                             GetLocalizedString(kStreamLimitTipsId));
}

bool IsCastMeeting() {
  const int64_t type = velto::model::QueryValue<int64_t>(kMeetingModel, cmd::kCastMeetingInfo, nullptr,
                                                         {"meeting_item", "meeting_type"}, 0);
  if (type & kCastMeetingTypeBit) return true;
  const int64_t cast = velto::model::QueryValue<int64_t>(velto::model_id::kCastModel, cmd::kCastState, nullptr, {}, 0);
  return cast == 2 || cast == 3;
}

bool IsCastMeetingMode() {
  return velto::model::QueryValue<bool>(kMeetingModel, cmd::kCastMeetingMode, nullptr, {}, false);
}

bool IsCloudRecording() {
  const Variant answer = velto::model::QueryAnswer(velto::model_id::kRecordModel, cmd::kCloudRecording);
  VELTO_LOG(velto::log::kTrace) << "cloud record type: " << answer.GetInteger("record_type", -1)
                                << ", state: " << answer.GetInteger("record_state", -1);
  // The platform offers no cloud recording to this client, whatever the model reports.
  return false;
}

bool IsSupportScreenCaptureSettings() {
  return velto::model::QueryValue<bool>(velto::model_id::kScreenShareModel, cmd::kScreenCaptureSettings, nullptr,
                                        {}, false);
}

bool IsSupportRoomsP2PCastMode() {
  const bool p2p = velto::model::ReadConfigurationItem("meeting-ability", "p2p_screen_share_cast_ability", false);
  const bool capture = IsSupportScreenCaptureSettings();
  VELTO_LOG(velto::log::kTrace) << "is support p2p: " << p2p << ", is_support_screen_capture_setting:" << capture;
  return p2p && capture;
}

bool GetSettingsModelSwitchState(int32_t func) {
  return velto::model::QueryValue<bool>(velto::model_id::kMeetingSettingsModel, func, nullptr, {}, false);
}

bool GetVocalEnhancementFeatureVisible() {
  return velto::model::Ask(velto::model_id::kVoicePrintModel, cmd::kVoicePrintVisible);
}

bool GetInmeetingTabUISwitch() {
  return internal::ReadOnce(internal::OnceFlag::kInmeetingTabSwitch, [] {
    const bool on = velto::model::ReadConfigurationItem("inmeeting", "inmeeting_tab_switch", false);
    VELTO_LOG(velto::log::kNotable) << "GetInmeetingTabUISwitch, inmeeting_tab_switch: " << on;
    return on;
  });
}

bool SupportWideSidebarGraySwitch() {
  return velto::model::Ask(velto::model_id::kOpenAppPolicyModel, cmd::kWideSidebarGray);
}

bool IsOpenAppInBlockListByAppId(const std::string& app_id) {
  const Variant argument(app_id);
  return velto::model::Ask(velto::model_id::kOpenAppPolicyModel, cmd::kOpenAppBlockList, &argument);
}

bool IsValidCustomerData(const std::string& text) {
  const std::string decoded = util::crypto::Decode64(text);
  VELTO_LOG(velto::log::kTrace) << "check customer data:" << decoded;
  return decoded.empty();
}

}  // namespace velto_common::utils::inmeeting
