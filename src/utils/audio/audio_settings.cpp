// The professional audio settings: client settings of the configuration model (read with
// command 3, written with command 4), and the AI switches whose effective value model 10000002
// knows.
#include <string>

#include "module_api/audio/audio_utils.h"
#include "module_api/log.h"
#include "module_api/model/config_reader.h"
#include "module_api/model_ids.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"

namespace velto_common::utils::audio {

namespace {

using velto::model::kClientSettingReadAlt;
using velto::model::kClientSettingWriteAlt;

// Reached through the module runtime: the audio engine's effective settings.
using velto::model_id::kAudioEffectModel;
using velto::model_command::audio_effect::kEffectiveBWE;
using velto::model_command::audio_effect::kEffectiveSmart;
using velto::model_command::audio_effect::kEffectiveAutoMicVolume;
using velto::model_command::audio_effect::kEffectiveSystemEffect;

// The keys keep the spelling the client has always stored them under.
constexpr char kMusicMode[] = "pro_music_mode.enable";
constexpr char kMusicModeAllDevices[] = "pro_music_mode.enable_for_all_devices";
constexpr char kMusicModeDevicePrefix[] = "pro_music_mode.enable_for_device.";
constexpr char kAgc[] = "pro_music_mode.enable_for_agc.";
constexpr char kEchoCancellation[] = "pro_music_mode.enable_ec";
constexpr char kHighFidelity[] = "pro_music_mode.enable_hf";
constexpr char kStereo[] = "pro_music_mode.enable_stereo";
constexpr char kHistoryCompatible[] = "pro_music_mode.histort_compatible";
constexpr char kSuppressNoise[] = "pro_suppre_nosie_mode.enable";
constexpr char kSuppressNoiseAuto[] = "pro_suppre_nosie_is_auto.enable";
constexpr char kEnhanceVoice[] = "pro_enhance_voice.INT32";
constexpr char kVoicePrintRecorded[] = "pro_ehance_voice_is_recorded.enable";
constexpr char kFirstTimeEnhanceVoice[] = "is_first_time_use_enhance_voice.enable";
constexpr char kBWE[] = "audio.ai.bwe.local";
constexpr char kSmart[] = "audio.ai.smart.local";
constexpr char kAutoMicVolume[] = "audio.ai.automicvolume.local";
constexpr char kSystemEffect[] = "audio.sytem.effect.level.local";

bool Read(std::string_view key, const base::Location& from = base::Location::Current()) {
  return velto::model::ReadClientSetting(key, false, kClientSettingReadAlt, from);
}

bool Write(std::string_view key, bool value, const base::Location& from = base::Location::Current()) {
  return velto::model::WriteClientSetting(key, value, kClientSettingWriteAlt, from);
}

}  // namespace

bool GetProfessionalMusicModeEnable() { return Read(kMusicMode); }
bool EnableProfessionalMusicMode(bool enable) { return Write(kMusicMode, enable); }
bool GetProfessionalMusicModeEnableForAllDevices() { return Read(kMusicModeAllDevices); }
bool EnableProfessionalMusicModeForAllDevices(bool enable) { return Write(kMusicModeAllDevices, enable); }
bool GetProfessionalMusicModeEnableForDevice(const std::string& device_id) {
  return Read(kMusicModeDevicePrefix + device_id);
}
bool EnableProfessionalMusicModeForDevice(const std::string& device_id, bool enable) {
  return Write(kMusicModeDevicePrefix + device_id, enable);
}
bool GetProfessionalAudioModeAGCEnable() { return Read(kAgc); }
bool EnableProfessionalAudioModeAGC(bool enable) { return Write(kAgc, enable); }
bool GetEchoCancellationModeEnable() { return Read(kEchoCancellation); }
bool EnableEchoCancellationMode(bool enable) { return Write(kEchoCancellation, enable); }
bool GetHighFidelityModeEnable() { return Read(kHighFidelity); }
bool EnableHighFidelityMode(bool enable) { return Write(kHighFidelity, enable); }
bool GetStereoModeEnable() { return Read(kStereo); }
bool EnableStereoMode(bool enable) { return Write(kStereo, enable); }
bool GetHistoryCompatibleState() { return Read(kHistoryCompatible); }
bool ChangeHistoryCompatibleState(bool compatible) { return Write(kHistoryCompatible, compatible); }
bool GetSuppreNoiseModeEnable() { return Read(kSuppressNoise); }
bool EnableSuppreNoiseMode(bool enable) { return Write(kSuppressNoise, enable); }
bool GetSuppreNoiseRadioMode() { return Read(kSuppressNoiseAuto); }
bool ChangeSuppreNoiseRadioMode(bool automatic) { return Write(kSuppressNoiseAuto, automatic); }

EnhanceVoiceMode GetEnhanceVoiceMode() {
  return static_cast<EnhanceVoiceMode>(
      velto::model::ReadClientSetting(kEnhanceVoice, int32_t{kEnhanceVoiceOff}, kClientSettingReadAlt));
}
bool ChangeEnhanceVoiceMode(EnhanceVoiceMode mode) {
  return velto::model::WriteClientSetting(kEnhanceVoice, static_cast<int32_t>(mode), kClientSettingWriteAlt);
}
bool GetProfessionalMusicModeEnableNew() { return GetEnhanceVoiceMode() == kEnhanceVoiceProfessional; }
bool GetVoiceEnhancementModeEnable() { return GetEnhanceVoiceMode() == kEnhanceVoiceVocal; }

bool GetEnhanceVoicePrintStatus() { return Read(kVoicePrintRecorded); }
bool ChangeEnhanceVoicePrintStatus(bool recorded) { return Write(kVoicePrintRecorded, recorded); }
bool IsFirstTimeUseEnhanceVoice() { return Read(kFirstTimeEnhanceVoice); }
bool UsedEnhanceVoice() { return Write(kFirstTimeEnhanceVoice, false); }

bool IsEnableAudioBWE() {
  return velto::model::QueryValue<bool>(kAudioEffectModel, kEffectiveBWE, nullptr, {}, false);
}
bool EnableAudioBWE(bool enable) { return Write(kBWE, enable); }
bool IsEnableAudioSmart() {
  return velto::model::QueryValue<bool>(kAudioEffectModel, kEffectiveSmart, nullptr, {}, false);
}
bool EnableAudioSmart(bool enable) { return Write(kSmart, enable); }
bool IsEnableAutoMicVolume() {
  return velto::model::QueryValue<bool>(kAudioEffectModel, kEffectiveAutoMicVolume, nullptr, {}, false);
}
bool EnableAutoMicVolume(bool enable) { return Write(kAutoMicVolume, enable); }

int32_t GetAudioSystemEffectMode() {
  return velto::model::QueryValue<int32_t>(kAudioEffectModel, kEffectiveSystemEffect, nullptr, {}, -1);
}
bool SetAudioSystemEffectMode(int32_t level) {
  // This one setting lives on the configuration model's first write command.
  return velto::model::WriteClientSetting(kSystemEffect, level, velto::model::kClientSettingWrite);
}

bool IsEnableInMeetingVoicePrintStatus() {
  return velto::model::ReadConfigurationItem("meeting-ability", "enable_inmeeting_voice_print_status", false);
}

}  // namespace velto_common::utils::audio
