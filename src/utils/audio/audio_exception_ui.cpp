// What the audio exception alert says and which action each of its buttons carries.
#include <string>

#include "framework/string_formatter.h"
#include "model/ui_data_target.h"
#include "module_api/app_context.h"
#include "module_api/audio/audio_exception.h"
#include "module_api/audio/audio_utils.h"
#include "module_api/log.h"
#include "module_api/runtime.h"
#include "utils/audio/audio_commands.h"
#include "utils/audio/audio_exception_internal.h"
#include "utils/audio/audio_internal.h"

namespace velto_common::utils::audio_exception {

using base::variant::Variant;

namespace {

constexpr int kTitleMicOpenFailed = 0x56A00020;
constexpr int kTitleSpeakerOpenFailed = 0x56A00021;
constexpr int kContentOpenFailed = 0x56A00022;
constexpr int kTitleNoPermission = 0x56A00023;
constexpr int kContentNoPermission = 0x56A00024;
constexpr int kTitleMicNoSound = 0x56A00025;
constexpr int kTitleSpeakerNoSound = 0x56A00026;
constexpr int kContentNoSound = 0x56A00027;
constexpr int kTitleDriver = 0x56A00028;
constexpr int kContentDriver = 0x56A00029;
constexpr int kSuffix = 0x56A0002A;
constexpr int kGuide = 0x56A0002B;

constexpr int32_t kIconWarning = 1;
constexpr int32_t kIconPermission = 2;

struct Layout {
  int title_mic;
  int title_speaker;  // 0: the error does not occur on speakers
  int content;
  ActionType main;
  ActionType sub;
  ActionType third;
  int32_t icon;
};

const Layout* LayoutFor(audio::AudioDeviceFailedType error) {
  static const Layout kOpenFailed{kTitleMicOpenFailed, kTitleSpeakerOpenFailed, kContentOpenFailed,
                                  kActionUnderstood, kActionAudioTest, kActionTroubleshooting, kIconWarning};
  static const Layout kNoPermission{kTitleNoPermission, 0, kContentNoPermission,
                                    kActionOpenAudioSettings, kActionCancel, kActionNone, kIconPermission};
  static const Layout kNoSound{kTitleMicNoSound, kTitleSpeakerNoSound, kContentNoSound,
                               kActionAudioTest, kActionIgnoreDevice, kActionUnderstood, kIconWarning};
  static const Layout kDriver{kTitleDriver, kTitleDriver, kContentDriver,
                              kActionRestartAudioService, kActionCancel, kActionNone, kIconWarning};
  switch (error) {
    case audio::kAudioDeviceFailedOpen:
      return &kOpenFailed;
    case audio::kAudioDeviceFailedNoPermission:
      return &kNoPermission;
    case audio::kAudioDeviceFailedNoSound:
      return &kNoSound;
    case audio::kAudioDeviceFailedDriver:
      return &kDriver;
    case audio::kAudioDeviceFailedNone:
      break;
  }
  return nullptr;
}

int ActionNameId(ActionType action) {
  switch (action) {
    case kActionCancel:
      return 0x56A00030;
    case kActionUnderstood:
      return 0x56A00031;
    case kActionAudioTest:
      return 0x56A00032;
    case kActionOpenAudioSettings:
      return 0x56A00033;
    case kActionUseComputerAudio:
      return 0x56A00034;
    case kActionIgnoreDevice:
      return 0x56A00035;
    case kActionTroubleshooting:
      return 0x56A00036;
    case kActionRestartAudioService:
      return 0x56A00037;
    case kActionNone:
    case kActionClose:
      break;
  }
  return 0;
}

}  // namespace

namespace internal {

std::string DeviceName(const audio::AudioDeviceState& state, const std::string& fallback) {
  Variant answer;
  if (audio::internal::AudioCall(audio::cmd::kDeviceException, nullptr, &answer)) {
    const std::string name = answer.GetString("device_name");
    if (!name.empty()) return name;
  }
  return fallback.empty() ? state.GetDeviceId() : fallback;
}

bool FillUIInfo(const audio::AudioDeviceState& state, const std::string& device_name, Variant& out) {
  const audio::DeviceType device_type = state.GetDeviceType();
  if (device_type != audio::kDeviceTypeMic && device_type != audio::kDeviceTypeSpeaker) {
    VELTO_LOG(velto::log::kFailure) << "unsupport audio exception for device type: " << static_cast<int>(device_type);
    return false;
  }
  const Layout* layout = LayoutFor(state.GetErrorType());
  const int title = layout ? (device_type == audio::kDeviceTypeMic ? layout->title_mic : layout->title_speaker) : 0;
  if (!title) {
    VELTO_LOG(velto::log::kFailure) << "error type invalid";
    return false;
  }
  const std::string app_name = context::GetAppName();
  auto text = [&](int id) {
    if (!id) return std::string();
    return framework::StringFormatter(GetLocalizedString(id))
        .Arg("device_name", device_name)
        .Arg("app_name", app_name)
        .Str();
  };
  out["device_type"] = static_cast<int32_t>(device_type);
  out["device_name"] = device_name;
  out["device_id"] = state.GetDeviceId();
  out["error_type"] = static_cast<int32_t>(state.GetErrorType());
  out["title"] = text(title);
  out["content"] = text(layout->content);
  out["suffix"] = text(kSuffix);
  out["guide"] = text(kGuide);
  out["app_name"] = app_name;
  out["key_word"] = text(kGuide);
  out["key_word_action_type"] = static_cast<int32_t>(kActionTroubleshooting);
  out["main_action_name"] = text(ActionNameId(layout->main));
  out["main_action_type"] = static_cast<int32_t>(layout->main);
  out["sub_action_name"] = text(ActionNameId(layout->sub));
  out["sub_action_type"] = static_cast<int32_t>(layout->sub);
  out["third_action_name"] = text(ActionNameId(layout->third));
  out["third_action_type"] = static_cast<int32_t>(layout->third);
  out["icon_type"] = layout->icon;
  out["close_action_type"] = static_cast<int32_t>(kActionClose);
  return true;
}

}  // namespace internal

bool GetAudioExceptionUIInfo(framework::UIViewModel* view_model, int32_t /*scene*/, Variant& out, const Variant& in) {
  if (!velto_common::utils::internal::CheckUIDataTarget(view_model, out)) return false;
  audio::AudioDeviceState state;
  if (!audio::GetDeviceExceptionInfo(state)) {
    VELTO_LOG(velto::log::kFailure) << "cannot get audio exception";
    return false;
  }
  return internal::FillUIInfo(state, internal::DeviceName(state, in.GetString("device_name")), out);
}

}  // namespace velto_common::utils::audio_exception
