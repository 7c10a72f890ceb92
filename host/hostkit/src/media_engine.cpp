#include "hostkit/media_engine.h"

#include <utility>

#include "vlp/media_engine_state.h"

namespace hostkit {

using host_internal::media::State;

void SetMediaEngineAvailable(bool available) { State().engine_available = available; }
void SetAudioDeviceAvailable(bool available) { State().audio_device_available = available; }
void SetAudioPlayerAvailable(bool available) { State().audio_player_available = available; }

void SetStreamInfo(const std::string& stream_id, int32_t type, int32_t direction) {
  State().streams[stream_id] = {type, direction};
}
void RemoveStreamInfo(const std::string& stream_id) { State().streams.erase(stream_id); }
void ClearStreamInfo() { State().streams.clear(); }

void SetAudioVolume(vlp::av::AudioVolume which, int32_t volume) { State().volumes[which] = volume; }
void SetAudioMuted(vlp::av::AudioMute which, bool muted) { State().mutes[which] = muted; }
void SetDefaultAudioDevice(vlp::av::AudioDeviceKind kind, const std::string& device_id) {
  State().default_devices[kind] = device_id;
}
void SetAudioDevices(vlp::av::AudioDeviceKind kind, std::vector<std::string> device_ids) {
  State().devices[kind] = std::move(device_ids);
}
void SetAudioEndpointId(vlp::av::AudioDeviceKind kind, const std::string& device_id, const std::string& endpoint) {
  State().endpoints[{kind, device_id}] = endpoint;
}
void SetAudioFeatureSupported(vlp::av::AudioFeature feature, bool supported) { State().features[feature] = supported; }
void SetSpeakerModeEarphoneEnable(bool enable) { State().earphone_enable = enable; }
void SetNoiseSuppressionLevel(int32_t level) { State().noise_suppression_level = level; }

void SetMediaEngineResult(const std::string& operation, int32_t code) { State().results[operation] = code; }

const std::vector<MediaEngineCall>& MediaEngineCalls() { return State().calls; }

size_t CountMediaEngineCalls(std::string_view operation) {
  size_t count = 0;
  for (const auto& call : State().calls) count += call.operation == operation;
  return count;
}

base::variant::Variant LastMediaEngineArguments(std::string_view operation) {
  const auto& calls = State().calls;
  for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
    if (it->operation == operation) return it->arguments;
  }
  return {};
}

void ClearMediaEngineCalls() { State().calls.clear(); }

}  // namespace hostkit
