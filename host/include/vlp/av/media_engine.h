// The platform SDK's media engine: what it knows about media streams, and the local audio
// devices and player.
//
//   vlp::av::IMediaEngine* engine = vlp::av::GetMediaEngine();
//   vlp::av::StreamInfo info;
//   if (engine && engine->GetStreamInfo(stream_id, &info) && info.type == vlp::av::kStreamTypeScreen) ...
//   vlp::av::IAudioDevice* audio = engine ? engine->GetAudioDevice() : nullptr;
//   int32_t volume = audio ? audio->GetVolume(vlp::av::AudioVolume::kMic) : -1;
//
// The engine, its audio device and its player belong to the SDK; every getter may answer null
// (not loaded). Results of type int32_t are 0 on success and an engine error code otherwise.
// UI thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vlp::av {

inline constexpr int32_t kStreamTypeUnknown = 0;
inline constexpr int32_t kStreamTypeVideo = 1;
inline constexpr int32_t kStreamTypeScreen = 2;
inline constexpr int32_t kStreamDirectionOut = 0;
inline constexpr int32_t kStreamDirectionIn = 1;

struct StreamInfo {
  int32_t type = kStreamTypeUnknown;
  int32_t direction = kStreamDirectionOut;
};

// Volumes are 0 to 100.
enum class AudioVolume : int32_t {
  kMic = 0,
  kMicDynamic = 1,     // the level the microphone is capturing right now
  kSpeaker = 2,        // the client's own output volume
  kSpeakerSystem = 3,  // the output device's volume in the system mixer
  kSystemSpeaker = 4,  // the system's master volume
  kAccompany = 5,      // the accompaniment of the music mode
};

enum class AudioMute : int32_t {
  kSystemSpeaker = 0,
  kVirtualSystemSpeaker = 1,  // the client's own stand-in for the system mute
  kAudioOutput = 2,           // everything the client plays
};

enum class AudioDeviceKind : int32_t {
  kMic = 1,
  kSpeaker = 2,
};

enum class AudioFeature : int32_t {
  kBandwidthExtension = 0,
  kSmartAudio = 1,
  kDenoise = 2,
};

class IAudioDevice {
 public:
  virtual ~IAudioDevice() = default;
  virtual int32_t GetVolume(AudioVolume which) = 0;  // -1 when unknown
  virtual int32_t SetVolume(AudioVolume which, int32_t volume) = 0;
  virtual bool IsMuted(AudioMute which) = 0;
  virtual int32_t SetMuted(AudioMute which, bool muted) = 0;
  // The system's default device id of that kind; "" when there is none.
  virtual std::string GetSystemDefaultDevice(AudioDeviceKind kind) = 0;
  // The system endpoint id behind a device id; "" when unknown.
  virtual std::string GetEndpointId(AudioDeviceKind kind, const std::string& device_id) = 0;
  virtual std::vector<std::string> GetDeviceList(AudioDeviceKind kind) = 0;
  virtual int32_t PreviewMic(const std::string& device_id, bool on) = 0;
  virtual int32_t PreviewSpeaker(const std::string& device_id, bool on, const std::string& file_path,
                                 int32_t loop_count) = 0;
  // Records the microphone into `file_path` between start and stop (the audio test).
  virtual int32_t RecordMic(const std::string& device_id, bool start, const std::string& file_path) = 0;
  virtual int32_t SetSpeakerMode(int32_t mode) = 0;
  virtual bool IsSpeakerModeEarphoneEnable() = 0;
  virtual int32_t RebootDriver() = 0;
  virtual int32_t SetNoiseSuppressionLevel(int32_t level) = 0;
  virtual int32_t GetNoiseSuppressionLevel() = 0;  // -1 when unknown
  virtual int32_t EnableSpeakerEnhance(bool enable) = 0;
  virtual bool IsFeatureSupported(AudioFeature feature) = 0;
};

// Plays a sound file on an output device.
class IAudioPlayer {
 public:
  virtual ~IAudioPlayer() = default;
  // Opens the device for playback ("" is the system default).
  virtual int32_t SpeakerStart(const std::string& device_id) = 0;
  virtual int32_t Play(const std::string& device_id, const std::string& file_path, int32_t loop_count) = 0;
  virtual int32_t Stop() = 0;
};

class IMediaEngine {
 public:
  virtual ~IMediaEngine() = default;
  // False when the engine does not know the stream.
  virtual bool GetStreamInfo(const std::string& stream_id, StreamInfo* out) = 0;
  virtual IAudioDevice* GetAudioDevice() = 0;
  virtual IAudioPlayer* GetAudioPlayer() = 0;
};

// Null when the media engine is not loaded.
IMediaEngine* GetMediaEngine();

}  // namespace vlp::av
