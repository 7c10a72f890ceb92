// The media engine stand-in: answers from the state hostkit scripts and records every action.
#include "vlp/av/media_engine.h"

#include <utility>

#include "host_internal.h"
#include "vlp/media_engine_state.h"

namespace host_internal::media {

EngineState& State() {
  static auto* state = new EngineState;  // the engine outlives every caller
  return *state;
}

namespace {

using base::variant::Variant;

int32_t Record(std::string_view operation, Variant arguments = {}) {
  EngineState& state = State();
  state.calls.push_back({std::string(operation), std::move(arguments)});
  auto it = state.results.find(operation);
  return it == state.results.end() ? 0 : it->second;
}

Variant Args(std::initializer_list<std::pair<const char*, Variant>> entries) {
  Variant map = Variant::Map();
  for (const auto& [key, value] : entries) map[key] = value;
  return map;
}

class AudioDevice : public vlp::av::IAudioDevice {
 public:
  int32_t GetVolume(vlp::av::AudioVolume which) override {
    auto it = State().volumes.find(which);
    return it == State().volumes.end() ? -1 : it->second;
  }
  int32_t SetVolume(vlp::av::AudioVolume which, int32_t volume) override {
    const int32_t code = Record("SetVolume", Args({{"which", static_cast<int>(which)}, {"volume", volume}}));
    if (code == 0) State().volumes[which] = volume;
    return code;
  }
  bool IsMuted(vlp::av::AudioMute which) override {
    auto it = State().mutes.find(which);
    return it != State().mutes.end() && it->second;
  }
  int32_t SetMuted(vlp::av::AudioMute which, bool muted) override {
    const int32_t code = Record("SetMuted", Args({{"which", static_cast<int>(which)}, {"muted", muted}}));
    if (code == 0) State().mutes[which] = muted;
    return code;
  }
  std::string GetSystemDefaultDevice(vlp::av::AudioDeviceKind kind) override {
    auto it = State().default_devices.find(kind);
    return it == State().default_devices.end() ? std::string() : it->second;
  }
  std::string GetEndpointId(vlp::av::AudioDeviceKind kind, const std::string& device_id) override {
    auto it = State().endpoints.find({kind, device_id});
    return it == State().endpoints.end() ? std::string() : it->second;
  }
  std::vector<std::string> GetDeviceList(vlp::av::AudioDeviceKind kind) override {
    auto it = State().devices.find(kind);
    return it == State().devices.end() ? std::vector<std::string>() : it->second;
  }
  int32_t PreviewMic(const std::string& device_id, bool on) override {
    return Record("PreviewMic", Args({{"device_id", device_id}, {"on", on}}));
  }
  int32_t PreviewSpeaker(const std::string& device_id, bool on, const std::string& file_path,
                         int32_t loop_count) override {
    return Record("PreviewSpeaker", Args({{"device_id", device_id},
                                          {"on", on},
                                          {"file_path", file_path},
                                          {"loop_count", loop_count}}));
  }
  int32_t RecordMic(const std::string& device_id, bool start, const std::string& file_path) override {
    return Record("RecordMic", Args({{"device_id", device_id}, {"start", start}, {"file_path", file_path}}));
  }
  int32_t SetSpeakerMode(int32_t mode) override {
    const int32_t code = Record("SetSpeakerMode", Args({{"mode", mode}}));
    if (code == 0) State().speaker_mode = mode;
    return code;
  }
  bool IsSpeakerModeEarphoneEnable() override { return State().earphone_enable; }
  int32_t RebootDriver() override { return Record("RebootDriver"); }
  int32_t SetNoiseSuppressionLevel(int32_t level) override {
    const int32_t code = Record("SetNoiseSuppressionLevel", Args({{"level", level}}));
    if (code == 0) State().noise_suppression_level = level;
    return code;
  }
  int32_t GetNoiseSuppressionLevel() override { return State().noise_suppression_level; }
  int32_t EnableSpeakerEnhance(bool enable) override {
    const int32_t code = Record("EnableSpeakerEnhance", Args({{"enable", enable}}));
    if (code == 0) State().speaker_enhance = enable;
    return code;
  }
  bool IsFeatureSupported(vlp::av::AudioFeature feature) override {
    auto it = State().features.find(feature);
    return it != State().features.end() && it->second;
  }
};

class AudioPlayer : public vlp::av::IAudioPlayer {
 public:
  int32_t SpeakerStart(const std::string& device_id) override {
    return Record("SpeakerStart", Args({{"device_id", device_id}}));
  }
  int32_t Play(const std::string& device_id, const std::string& file_path, int32_t loop_count) override {
    return Record("Play", Args({{"device_id", device_id}, {"file_path", file_path}, {"loop_count", loop_count}}));
  }
  int32_t Stop() override { return Record("Stop"); }
};

class MediaEngine : public vlp::av::IMediaEngine {
 public:
  bool GetStreamInfo(const std::string& stream_id, vlp::av::StreamInfo* out) override {
    auto it = State().streams.find(stream_id);
    if (it == State().streams.end()) return false;
    if (out) *out = it->second;
    return true;
  }
  vlp::av::IAudioDevice* GetAudioDevice() override {
    static auto* device = new AudioDevice;
    return State().audio_device_available ? device : nullptr;
  }
  vlp::av::IAudioPlayer* GetAudioPlayer() override {
    static auto* player = new AudioPlayer;
    return State().audio_player_available ? player : nullptr;
  }
};

void ResetMediaEngine() { State() = EngineState{}; }

const bool kRegistered = host_internal::RegisterReset(&ResetMediaEngine);

}  // namespace
}  // namespace host_internal::media

namespace vlp::av {

IMediaEngine* GetMediaEngine() {
  static auto* engine = new host_internal::media::MediaEngine;
  return host_internal::media::State().engine_available ? engine : nullptr;
}

}  // namespace vlp::av
