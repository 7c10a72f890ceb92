// Audio devices, volumes, previews and the player, through the platform media engine.
#include <string>

#include "base/location.h"
#include "module_api/audio/audio_utils.h"
#include "module_api/log.h"
#include "vlp/av/media_engine.h"

namespace velto_common::utils::audio {

namespace {

using vlp::av::AudioDeviceKind;
using vlp::av::AudioFeature;
using vlp::av::AudioMute;
using vlp::av::AudioVolume;

vlp::av::IAudioDevice* Device(const base::Location& from = base::Location::Current()) {
  vlp::av::IMediaEngine* engine = vlp::av::GetMediaEngine();
  vlp::av::IAudioDevice* device = engine ? engine->GetAudioDevice() : nullptr;
  if (!device) VELTO_LOG_AT(velto::log::kFailure, from) << "audio device is not available";
  return device;
}

vlp::av::IAudioPlayer* Player(const base::Location& from = base::Location::Current()) {
  vlp::av::IMediaEngine* engine = vlp::av::GetMediaEngine();
  vlp::av::IAudioPlayer* player = engine ? engine->GetAudioPlayer() : nullptr;
  if (!player) VELTO_LOG_AT(velto::log::kFailure, from) << "audio player is not available";
  return player;
}

int32_t Volume(AudioVolume which, const base::Location& from = base::Location::Current()) {
  vlp::av::IAudioDevice* device = Device(from);
  return device ? device->GetVolume(which) : -1;
}

// Engine results are 0 on success; anything else is logged with the operation's name.
bool Succeeded(int32_t code, const char* operation, const base::Location& from = base::Location::Current()) {
  if (code == 0) return true;
  VELTO_LOG_AT(velto::log::kFailure, from) << operation << " failed, ret: " << code;
  return false;
}

bool SetVolume(AudioVolume which, int32_t volume, const base::Location& from = base::Location::Current()) {
  if (volume < 0 || volume > 100) {
    VELTO_LOG_AT(velto::log::kRejected, from) << "volume out of range: " << volume;
    return false;
  }
  vlp::av::IAudioDevice* device = Device(from);
  return device && Succeeded(device->SetVolume(which, volume), "set volume", from);
}

bool SetMuted(AudioMute which, bool mute, const base::Location& from = base::Location::Current()) {
  vlp::av::IAudioDevice* device = Device(from);
  return device && Succeeded(device->SetMuted(which, mute), "set mute", from);
}

bool IsSupported(AudioFeature feature, const base::Location& from = base::Location::Current()) {
  vlp::av::IAudioDevice* device = Device(from);
  return device && device->IsFeatureSupported(feature);
}

bool CheckParams(const Variant& params, const base::Location& from = base::Location::Current()) {
  if (params.IsMap()) return true;
  VELTO_LOG_AT(velto::log::kRejected, from) << "params is invalid, please check!";
  return false;
}

}  // namespace

int32_t GetMicVolume() { return Volume(AudioVolume::kMic); }
bool SetMicVolume(int32_t volume) { return SetVolume(AudioVolume::kMic, volume); }
int32_t GetMicDynamicVolume() { return Volume(AudioVolume::kMicDynamic); }
int32_t GetSpeakerVolume() { return Volume(AudioVolume::kSpeaker); }
bool SetSpeakerVolume(int32_t volume) { return SetVolume(AudioVolume::kSpeaker, volume); }
int32_t GetSpeakerSystemVolume() { return Volume(AudioVolume::kSpeakerSystem); }
bool SetSpeakerSystemVolume(int32_t volume) { return SetVolume(AudioVolume::kSpeakerSystem, volume); }
int32_t GetSystemSpeakerVolume() { return Volume(AudioVolume::kSystemSpeaker); }
int32_t GetAccompanyVolume() { return Volume(AudioVolume::kAccompany); }

bool IsSystemSpeakerMute() {
  vlp::av::IAudioDevice* device = Device();
  return device && device->IsMuted(AudioMute::kSystemSpeaker);
}
bool SetSystemSpeakerMute(bool mute) { return SetMuted(AudioMute::kSystemSpeaker, mute); }
bool SetVirtualSystemSpeakerMute(bool mute) { return SetMuted(AudioMute::kVirtualSystemSpeaker, mute); }
bool MuteAudioOutput(bool mute) { return SetMuted(AudioMute::kAudioOutput, mute); }

std::string GetMicSystemDefaultDevice() {
  vlp::av::IAudioDevice* device = Device();
  return device ? device->GetSystemDefaultDevice(AudioDeviceKind::kMic) : std::string();
}

std::string GetSpeakerSystemDefaultDevice() {
  vlp::av::IAudioDevice* device = Device();
  return device ? device->GetSystemDefaultDevice(AudioDeviceKind::kSpeaker) : std::string();
}

std::string GetMicEndPointId(const std::string& device_id) {
  vlp::av::IAudioDevice* device = Device();
  return device ? device->GetEndpointId(AudioDeviceKind::kMic, device_id) : std::string();
}

std::string GetSpeakerEndPointId(const std::string& device_id) {
  vlp::av::IAudioDevice* device = Device();
  return device ? device->GetEndpointId(AudioDeviceKind::kSpeaker, device_id) : std::string();
}

bool PreviewMic(const Variant& params) {
  if (!CheckParams(params)) return false;
  vlp::av::IAudioDevice* device = Device();
  return device && Succeeded(device->PreviewMic(params.GetString("device_id"), params.GetBoolean("on", false)),
                             "preview mic");
}

bool PreviewSpeaker(const Variant& params) {
  if (!CheckParams(params)) return false;
  vlp::av::IAudioDevice* device = Device();
  return device && Succeeded(device->PreviewSpeaker(params.GetString("device_id"), params.GetBoolean("on", false),
                                                    params.GetString("file_path"), params.GetInt32("loop_count", 1)),
                             "preview speaker");
}

bool AudioDetectMicRecord(const Variant& params) {
  if (!CheckParams(params)) return false;
  vlp::av::IAudioDevice* device = Device();
  return device && Succeeded(device->RecordMic(params.GetString("device_id"), params.GetBoolean("start", false),
                                               params.GetString("file_path")),
                             "record mic");
}

bool PlayAudioOnDefaultSpeaker(const std::string& file_path, int32_t loop_count) {
  vlp::av::IAudioPlayer* player = Player();
  if (!player) return false;
  const std::string device_id = GetSpeakerSystemDefaultDevice();
  if (player->Play(device_id, file_path, loop_count) != 0) {
    VELTO_LOG(velto::log::kFailure) << "preview speaker failed, device_id = " << device_id;
    return false;
  }
  return true;
}

bool PrepareAudioPlayerOnDefaultSpeaker() {
  vlp::av::IAudioPlayer* player = Player();
  if (!player) return false;
  const int32_t ret = player->SpeakerStart(GetSpeakerSystemDefaultDevice());
  if (ret == 0) {
    VELTO_LOG(velto::log::kTrace) << "XAudioDevice->SpeakerStart ret: " << ret;
    return true;
  }
  VELTO_LOG(velto::log::kFailure) << "XAudioDevice->SpeakerStart ret: " << ret;
  return false;
}

bool SetSpeakerMode(int32_t mode) {
  vlp::av::IAudioDevice* device = Device();
  return device && Succeeded(device->SetSpeakerMode(mode), "set speaker mode");
}

bool IsSpeakerModeEarphoneEnable() {
  vlp::av::IAudioDevice* device = Device();
  return device && device->IsSpeakerModeEarphoneEnable();
}

bool RebootAudioDriver() {
  vlp::av::IAudioDevice* device = Device();
  return device && Succeeded(device->RebootDriver(), "reboot audio driver");
}

bool SetAudioNsLevel(int32_t level, const char* reason) {
  VELTO_LOG(velto::log::kTrace) << "set audio ans mode: [" << level << "] for reason "
                                << (reason ? reason : "nullptr");
  vlp::av::IAudioDevice* device = Device();
  return device && Succeeded(device->SetNoiseSuppressionLevel(level), "set audio ans mode");
}

int32_t GetAudioNsLevel() {
  vlp::av::IAudioDevice* device = Device();
  return device ? device->GetNoiseSuppressionLevel() : -1;
}

bool EnableSpeakerEnhance(bool enable) {
  vlp::av::IAudioDevice* device = Device();
  return device && Succeeded(device->EnableSpeakerEnhance(enable), "enable speaker enhance");
}

bool IsSupportAudioBWE() { return IsSupported(AudioFeature::kBandwidthExtension); }
bool IsSupportAudioSmart() { return IsSupported(AudioFeature::kSmartAudio); }
bool IsSupportAudioDenoise() { return IsSupported(AudioFeature::kDenoise); }

}  // namespace velto_common::utils::audio
