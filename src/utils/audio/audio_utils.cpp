// Audio state of the audio model: connect mode, push, device exceptions, microphone permission
// and microphone state, and the audio flags of user records.
#include "module_api/audio/audio_utils.h"

#include <utility>

#include "framework/module/module.h"
#include "framework/string_formatter.h"
#include "module_api/app_context.h"
#include "module_api/log.h"
#include "module_api/model/config_reader.h"
#include "module_api/model_ids.h"
#include "module_api/runtime.h"
#include "utils/audio/audio_commands.h"
#include "utils/audio/audio_internal.h"
#include "veltosdk/utils/environment.h"

namespace velto_common::utils::audio {

namespace internal {

bool AudioCall(int command, const Variant* argument, Variant* answer, const base::Location& from) {
  framework::Model* model = framework::module::GetAppModuleModel(velto::model_id::kAudioModel);
  if (!model) {
    VELTO_LOG_AT(velto::log::kFailure, from) << "no audio model!";
    return false;
  }
  if (model->Call(command, argument, answer)) return true;
  VELTO_LOG_AT(velto::log::kFailure, from) << "call " << command << " of model " << velto::model_id::kAudioModel
                                           << " failed";
  return false;
}

bool AudioSwitch(int command, bool on, const base::Location& from) {
  Variant argument = Variant::Map();
  argument["enable"] = on;
  return AudioCall(command, &argument, nullptr, from);
}

}  // namespace internal

using internal::AudioCall;
using internal::AudioQuery;
using internal::AudioSwitch;

namespace {

// Texts of the "no microphone permission" guide.
constexpr int kMicGuideTitleId = 0x56A00010;
constexpr int kMicGuideTextId = 0x56A00011;
constexpr int kMicGuideKeyWordId = 0x56A00012;
constexpr int kMicGuideConfirmId = 0x56A00013;
constexpr int kMicGuideCancelId = 0x56A00014;
constexpr int32_t kMicNotAccessGuideType = 1;

bool CheckMap(const Variant& params, const char* message, const base::Location& from = base::Location::Current()) {
  if (params.IsMap()) return true;
  VELTO_LOG_AT(velto::log::kRejected, from) << message;
  return false;
}

// This client's entry of the record's "device_list"; null when the record has none.
const Variant* OwnDevice(const Variant& record) {
  const std::string instance = veltosdk::utils::context::GetCurrentInstanceId();
  for (const Variant& device : record["device_list"].Elements()) {
    if (device.IsMap() && device.GetString("instance_id") == instance) return &device;
  }
  return nullptr;
}

bool DeviceFlag(const Variant& record, const char* device_key, const char* record_key,
                const base::Location& from = base::Location::Current()) {
  if (!record.IsMap()) {
    VELTO_LOG_AT(velto::log::kFailure, from) << "user_info is not map";
    return false;
  }
  if (const Variant* device = OwnDevice(record)) return device->GetBoolean(device_key, false);
  return record.GetBoolean(record_key, false);
}

}  // namespace

veltosdk::AudioConnectMode GetAudioConnectMode() {
  return static_cast<veltosdk::AudioConnectMode>(AudioQuery<int32_t>(
      cmd::kConnectMode, nullptr, {"audio_connect_mode"}, veltosdk::kAudioConnectModeUnknown));
}

bool SetAudioConnectMode(const Variant& params) {
  if (!CheckMap(params, "params is invalid, please check!")) return false;
  return AudioCall(cmd::kSetConnectMode, &params, nullptr);
}

bool IsAudioConnectModePstn() {
  const veltosdk::AudioConnectMode mode = GetAudioConnectMode();
  return mode == veltosdk::kAudioConnectModePstn || mode == veltosdk::kAudioConnectModeCallMe;
}

bool PushAudio(const Variant& params) {
  if (!CheckMap(params, "invalid params.")) return false;
  return AudioCall(cmd::kPushAudio, &params, nullptr);
}

bool IsAudioPushed() { return AudioQuery<bool>(cmd::kPushState, nullptr, {"is_pushed"}, false); }

int32_t GetAudioPushedType() { return AudioQuery<int32_t>(cmd::kPushState, nullptr, {"type"}, -1); }

bool EnableShareAudio(bool on) { return AudioSwitch(cmd::kShareAudio, on); }

bool IsMicOnLoading() { return AudioQuery<bool>(cmd::kMicOnLoading, nullptr, {}, false); }

bool TryShowAudioDetectWindow() { return AudioCall(cmd::kShowAudioDetectWindow, nullptr, nullptr); }

bool IsShowAudioDetectPageEntrance() {
  const bool show = velto::model::ReadConfigurationItem("meeting", "audio_detect_page_entrance", false);
  VELTO_LOG(velto::log::kTrace) << "[audio_detect] audio detect page entrance is show: " << static_cast<int>(show);
  return show;
}

bool HasAudioDeviceException() { return AudioQuery<bool>(cmd::kHasDeviceException, nullptr, {}, false); }

bool GetDeviceExceptionInfo(AudioDeviceState& state) {
  Variant answer;
  if (!AudioCall(cmd::kDeviceException, nullptr, &answer)) return false;
  const auto device_id = velto::model::Read<std::string>(answer, {"device_id"});
  const auto device_type = velto::model::Read<int32_t>(answer, {"device_type"});
  const auto error_type = velto::model::Read<int32_t>(answer, {"error_type"});
  if (!device_id || !device_type || !error_type) {
    velto::model::LogWrongKind(velto::model_id::kAudioModel, cmd::kDeviceException, {}, base::Location::Current());
    return false;
  }
  state.SetDeviceId(*device_id);
  state.SetDeviceType(static_cast<DeviceType>(*device_type));
  state.SetErrorType(static_cast<AudioDeviceFailedType>(*error_type));
  return true;
}

bool TryShowDeviceExceptionAlert() { return AudioCall(cmd::kShowDeviceExceptionAlert, nullptr, nullptr); }

bool IsNewAudioDeviceExceptionOpen() {
  return velto::model::ReadConfigurationItem("inmeeting", "audio_device_exception_open_new_style", false);
}

bool GetMicAccessibility(const Variant& in, Variant& out) {
  Variant argument = Variant::Map();
  argument["from"] = in.GetString("from", "unknown");
  Variant answer;
  if (!AudioCall(cmd::kMicAccessibility, &argument, &answer)) return false;
  const auto accessible = velto::model::Read<bool>(answer, {"mic_accessible"});
  const auto state = velto::model::Read<int64_t>(answer, {"mic_state"});
  if (!accessible || !state) {
    velto::model::LogWrongKind(velto::model_id::kAudioModel, cmd::kMicAccessibility, {}, base::Location::Current());
    return false;
  }
  out["mic_accessible"] = *accessible;
  out["mic_state"] = *state;
  return true;
}

bool RaiseMicNotAccessAlert() { return AudioCall(cmd::kRaiseMicNotAccessAlert, nullptr, nullptr); }

void MakeMicNotAccessData(Variant& out) {
  const std::string app_name = context::GetAppName();
  auto text = [&app_name](int id) {
    return framework::StringFormatter(GetLocalizedString(id)).Arg("app_name", app_name).Str();
  };
  out["app_name"] = app_name;
  out["guide_title"] = text(kMicGuideTitleId);
  out["guide_text"] = text(kMicGuideTextId);
  out["guide_text_key_word"] = text(kMicGuideKeyWordId);
  out["confirm_command"] = "ms-settings:privacy-microphone";
  out["type"] = kMicNotAccessGuideType;
  out["confirm_button_text"] = text(kMicGuideConfirmId);
  out["cancel_button_text"] = text(kMicGuideCancelId);
}

bool IsDeviceAudioOn(const Variant& record) { return DeviceFlag(record, "audio_on", "audio"); }

bool IsDeviceShareAudioOn(const Variant& record) { return DeviceFlag(record, "share_audio_on", "share_audio_on"); }

bool IsDeviceAudioDeviceConnect(const Variant& record) { return DeviceFlag(record, "audio_connect", "audio_connect"); }

void UpdateDeviceLocalAudio(Variant& record) {
  if (!record.IsMap()) {
    VELTO_LOG(velto::log::kFailure) << "user_info is not map";
    return;
  }
  const Variant* device = OwnDevice(record);
  if (!device) return;
  const bool audio_connect = device->GetBoolean("audio_connect", false);
  const bool audio_on = device->GetBoolean("audio_on", false);
  VELTO_LOG(velto::log::kTrace) << "audio_connect to: " << static_cast<int>(audio_connect);
  VELTO_LOG(velto::log::kTrace) << "audio to: " << static_cast<int>(audio_on);
  // `device` points into the record: read before writing.
  record["audio_connect"] = audio_connect;
  record["audio"] = audio_on;
}

bool GetLastMicOnState() { return AudioQuery<bool>(cmd::kLastMicOnState, nullptr, {}, false); }

bool GetDefaultMicState(Variant& out) {
  Variant answer;
  if (!AudioCall(cmd::kDefaultMicState, nullptr, &answer)) return false;
  const auto mic_on = velto::model::Read<bool>(answer, {"default_mic_on"});
  if (!mic_on) {
    velto::model::LogWrongKind(velto::model_id::kAudioModel, cmd::kDefaultMicState, {"default_mic_on"},
                               base::Location::Current());
    return false;
  }
  out["default_mic_on"] = *mic_on;
  out["default_mic_off_reason"] = answer.GetInteger("default_mic_off_reason", 0);
  return true;
}

bool GetForceMicOnWhenJoined() { return AudioQuery<bool>(cmd::kForceMicOnWhenJoined, nullptr, {}, false); }

bool EnableAudioStartMic(bool enable) { return AudioSwitch(cmd::kEnableAudioStartMic, enable); }

bool EnableOccupyMic(bool enable) { return AudioSwitch(cmd::kEnableOccupyMic, enable); }

bool EnableDriveMode(bool enable) { return AudioSwitch(cmd::kEnableDriveMode, enable); }

bool IsEnableDriveMode() { return AudioQuery<bool>(cmd::kDriveMode, nullptr, {}, false); }

bool EnableMusicMode(bool enable) { return AudioSwitch(cmd::kEnableMusicMode, enable); }

bool IsEnableMusicMode() { return AudioQuery<bool>(cmd::kMusicMode, nullptr, {}, false); }

bool NotifyMusicModeChanged(const std::string& reason) {
  Variant argument = Variant::Map();
  argument["reason"] = reason;
  return AudioCall(cmd::kMusicModeChanged, &argument, nullptr);
}

bool ResetVocalEnhancement() { return AudioCall(cmd::kResetVocalEnhancement, nullptr, nullptr); }

Variant GetCurrentSpeakerList() {
  Variant answer;
  if (!AudioCall(cmd::kCurrentSpeakers, nullptr, &answer)) return Variant::Array();
  if (!answer.IsArray()) {
    velto::model::LogWrongKind(velto::model_id::kAudioModel, cmd::kCurrentSpeakers, {}, base::Location::Current());
    return Variant::Array();
  }
  return answer;
}

bool GetAssociateUserInfo(Variant& out) {
  Variant answer;
  if (!AudioCall(cmd::kAssociateUser, nullptr, &answer)) return false;
  if (!answer.IsMap()) {
    velto::model::LogWrongKind(velto::model_id::kAudioModel, cmd::kAssociateUser, {}, base::Location::Current());
    return false;
  }
  out = std::move(answer);
  return true;
}

bool UpdateMicState(const Variant& params) {
  if (!CheckMap(params, "params is invalid, please check!")) return false;
  return AudioCall(cmd::kUpdateMicState, &params, nullptr);
}

}  // namespace velto_common::utils::audio
