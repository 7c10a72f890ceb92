// The client's audio: connect mode, microphone and speaker devices and volumes, the
// professional music and noise settings, device exceptions and microphone permission
// (velto_common::utils::audio).
//
//   namespace audio = velto_common::utils::audio;
//   if (audio::GetAudioConnectMode() == veltosdk::kAudioConnectModeComputer) audio::SetMicVolume(80);
//   audio::EnableSuppreNoiseMode(true);                 // client setting "pro_suppre_nosie_mode.enable"
//
// Sources: the audio model (510) for audio state, the configuration model (517, commands 3 and 4)
// for the settings, the platform media engine (vlp::av::GetMediaEngine) for devices, volumes and
// previews. Failures give false, -1, "" or an empty list and a log record ("no audio model!",
// "params is invalid, please check!").
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/variant/variant.h"
#include "framework/context.h"
#include "module_api/audio/audio_device_state.h"
#include "module_api/export.h"
#include "veltosdk/audio_types.h"

namespace framework {
class UIViewModel;
}

namespace velto_common::utils::audio {

using base::variant::Variant;

// Values of the client setting "pro_enhance_voice.INT32".
enum EnhanceVoiceMode : int32_t {
  kEnhanceVoiceOff = 0,
  kEnhanceVoiceVocal = 1,         // voice enhancement
  kEnhanceVoiceProfessional = 2,  // professional music mode
};

// Connect mode and push.
VELTO_API veltosdk::AudioConnectMode GetAudioConnectMode();  // kAudioConnectModeUnknown on failure
// `params` {"from_join", "default_mic_on", ...} must be a map.
VELTO_API bool SetAudioConnectMode(const Variant& params);
// Telephone audio (dialled in or called).
VELTO_API bool IsAudioConnectModePstn();
// `params` {"is_grant", "from_user", "type"} must be a map ("invalid params.").
VELTO_API bool PushAudio(const Variant& params);
VELTO_API bool IsAudioPushed();
VELTO_API int32_t GetAudioPushedType();  // -1 when unknown
VELTO_API bool EnableShareAudio(bool on);
VELTO_API bool IsMicOnLoading();
VELTO_API bool TryShowAudioDetectWindow();
VELTO_API bool IsShowAudioDetectPageEntrance();

// Device exceptions.
VELTO_API bool HasAudioDeviceException();
// False, leaving `state` alone, when there is no exception to read.
VELTO_API bool GetDeviceExceptionInfo(AudioDeviceState& state);
VELTO_API bool TryShowDeviceExceptionAlert();
VELTO_API bool IsNewAudioDeviceExceptionOpen();

// Microphone permission. Fills "mic_accessible" and "mic_state" (1 granted, 0 undecided, other
// values refused) for the caller named by `in`'s "from" ("unknown" when absent).
VELTO_API bool GetMicAccessibility(const Variant& in, Variant& out);
VELTO_API bool RaiseMicNotAccessAlert();
// The texts of the "no microphone permission" guide, and the system page it opens.
VELTO_API void MakeMicNotAccessData(Variant& out);

// Audio flags of a user record: its own device's entry of "device_list" when the record has one
// for this client instance, else the record's own keys. A non-map logs "user_info is not map".
VELTO_API bool IsDeviceAudioOn(const Variant& record);
VELTO_API bool IsDeviceShareAudioOn(const Variant& record);
VELTO_API bool IsDeviceAudioDeviceConnect(const Variant& record);
// Copies the own device's "audio_on" and "audio_connect" onto the record's "audio" and
// "audio_connect".
VELTO_API void UpdateDeviceLocalAudio(Variant& record);

// Professional audio settings (client settings; readers default to false).
VELTO_API bool GetProfessionalMusicModeEnable();
VELTO_API bool EnableProfessionalMusicMode(bool enable);
VELTO_API bool GetProfessionalMusicModeEnableForAllDevices();
VELTO_API bool EnableProfessionalMusicModeForAllDevices(bool enable);
VELTO_API bool GetProfessionalMusicModeEnableForDevice(const std::string& device_id);
VELTO_API bool EnableProfessionalMusicModeForDevice(const std::string& device_id, bool enable);
VELTO_API bool GetProfessionalAudioModeAGCEnable();
VELTO_API bool EnableProfessionalAudioModeAGC(bool enable);
VELTO_API bool GetEchoCancellationModeEnable();
VELTO_API bool EnableEchoCancellationMode(bool enable);
VELTO_API bool GetHighFidelityModeEnable();
VELTO_API bool EnableHighFidelityMode(bool enable);
VELTO_API bool GetStereoModeEnable();
VELTO_API bool EnableStereoMode(bool enable);
VELTO_API bool GetHistoryCompatibleState();
VELTO_API bool ChangeHistoryCompatibleState(bool compatible);
VELTO_API bool GetSuppreNoiseModeEnable();
VELTO_API bool EnableSuppreNoiseMode(bool enable);
VELTO_API bool GetSuppreNoiseRadioMode();  // true: automatic
VELTO_API bool ChangeSuppreNoiseRadioMode(bool automatic);
VELTO_API EnhanceVoiceMode GetEnhanceVoiceMode();
VELTO_API bool ChangeEnhanceVoiceMode(EnhanceVoiceMode mode);
VELTO_API bool GetProfessionalMusicModeEnableNew();  // the enhance mode is professional music
VELTO_API bool GetVoiceEnhancementModeEnable();      // the enhance mode is voice enhancement
VELTO_API bool GetEnhanceVoicePrintStatus();
VELTO_API bool ChangeEnhanceVoicePrintStatus(bool recorded);
VELTO_API bool IsFirstTimeUseEnhanceVoice();
VELTO_API bool UsedEnhanceVoice();
// AI audio switches: written as client settings, read back as the effective value.
VELTO_API bool IsEnableAudioBWE();
VELTO_API bool EnableAudioBWE(bool enable);
VELTO_API bool IsEnableAudioSmart();
VELTO_API bool EnableAudioSmart(bool enable);
VELTO_API bool IsEnableAutoMicVolume();
VELTO_API bool EnableAutoMicVolume(bool enable);
VELTO_API int32_t GetAudioSystemEffectMode();  // -1 when unknown
VELTO_API bool SetAudioSystemEffectMode(int32_t level);
VELTO_API bool IsEnableInMeetingVoicePrintStatus();

// Devices and volumes (volumes 0 to 100; -1 when unknown).
VELTO_API int32_t GetMicVolume();
VELTO_API bool SetMicVolume(int32_t volume);
VELTO_API int32_t GetMicDynamicVolume();
VELTO_API int32_t GetSpeakerVolume();
VELTO_API bool SetSpeakerVolume(int32_t volume);
VELTO_API int32_t GetSpeakerSystemVolume();
VELTO_API bool SetSpeakerSystemVolume(int32_t volume);
VELTO_API int32_t GetSystemSpeakerVolume();
VELTO_API bool IsSystemSpeakerMute();
VELTO_API bool SetSystemSpeakerMute(bool mute);
VELTO_API bool SetVirtualSystemSpeakerMute(bool mute);
VELTO_API bool MuteAudioOutput(bool mute);
VELTO_API int32_t GetAccompanyVolume();
VELTO_API std::string GetMicSystemDefaultDevice();
VELTO_API std::string GetSpeakerSystemDefaultDevice();
VELTO_API std::string GetMicEndPointId(const std::string& device_id);
VELTO_API std::string GetSpeakerEndPointId(const std::string& device_id);
// {"device_id", "on"}.
VELTO_API bool PreviewMic(const Variant& params);
// {"device_id", "on", "file_path", "loop_count"}.
VELTO_API bool PreviewSpeaker(const Variant& params);
// {"device_id", "start", "file_path"}: records the microphone for the audio test.
VELTO_API bool AudioDetectMicRecord(const Variant& params);
// Plays a file on the system's default speaker ("preview speaker failed, device_id = " on failure).
VELTO_API bool PlayAudioOnDefaultSpeaker(const std::string& file_path, int32_t loop_count);
// Opens the system's default speaker for the player ahead of playing.
VELTO_API bool PrepareAudioPlayerOnDefaultSpeaker();
VELTO_API bool SetSpeakerMode(int32_t mode);
VELTO_API bool IsSpeakerModeEarphoneEnable();
VELTO_API bool RebootAudioDriver();
// Noise suppression level; `reason` (may be null) is logged.
VELTO_API bool SetAudioNsLevel(int32_t level, const char* reason);
VELTO_API int32_t GetAudioNsLevel();
VELTO_API bool EnableSpeakerEnhance(bool enable);
VELTO_API bool IsSupportAudioBWE();
VELTO_API bool IsSupportAudioSmart();
VELTO_API bool IsSupportAudioDenoise();

// Microphone state of the audio model.
VELTO_API bool GetLastMicOnState();
// Fills "default_mic_on" and "default_mic_off_reason".
VELTO_API bool GetDefaultMicState(Variant& out);
VELTO_API bool GetForceMicOnWhenJoined();
VELTO_API bool EnableAudioStartMic(bool enable);
VELTO_API bool EnableOccupyMic(bool enable);
VELTO_API bool EnableDriveMode(bool enable);
VELTO_API bool IsEnableDriveMode();
VELTO_API bool EnableMusicMode(bool enable);
VELTO_API bool IsEnableMusicMode();
VELTO_API bool NotifyMusicModeChanged(const std::string& reason);
VELTO_API bool ResetVocalEnhancement();
// The users whose voices are heard now; an empty list when unknown.
VELTO_API Variant GetCurrentSpeakerList();
// The user whose audio this client carries (a paired room device, for example).
VELTO_API bool GetAssociateUserInfo(Variant& out);
VELTO_API bool UpdateMicState(const Variant& params);

// Device pickers. The desktop picker is the connect-mode selector page; its choice is applied,
// marks the join audio selection complete and is reported.
VELTO_API void ShowDesktopSelectVideoDevice(std::shared_ptr<const framework::Context> context, const Variant& params);
// The mobile picker does not exist on this platform: the callback hears false.
VELTO_API void ShowMobileSelectVideoDevice(framework::UIViewModel* view_model, std::function<void(bool)> callback,
                                           bool flag);

}  // namespace velto_common::utils::audio
