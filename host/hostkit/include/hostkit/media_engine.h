// hostkit: the platform media engine (vlp::av::GetMediaEngine): which streams it knows, the
// audio devices' volumes, mutes and defaults, and every operation the library asked of it.
//
//   hostkit::SetStreamInfo("screen-7", vlp::av::kStreamTypeScreen, vlp::av::kStreamDirectionIn);
//   hostkit::SetAudioVolume(vlp::av::AudioVolume::kMic, 80);
//   hostkit::SetMediaEngineResult("SpeakerStart", -3);     // the player fails to open
//   ...
//   EXPECT_EQ(hostkit::CountMediaEngineCalls("PreviewMic"), 1u);
//   EXPECT_EQ(hostkit::MediaEngineCalls().back().arguments.GetString("device_id"), "mic-1");
//
// Operations are recorded by their interface name (GetVolume is not recorded; setters and
// actions are) with their arguments as a map. A successful setter also changes what the
// matching getter answers. hostkit::Reset() forgets streams, volumes (unknown, -1), mutes,
// devices, results and calls, and makes the engine, its audio device and its player available.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/variant/variant.h"
#include "vlp/av/media_engine.h"
#include "vlp/av/media_engine_call_record.h"

namespace hostkit {

using MediaEngineCall = vlp::av::MediaEngineCallRecord;

// With false, GetMediaEngine() (or the engine's GetAudioDevice / GetAudioPlayer) answers null.
void SetMediaEngineAvailable(bool available);
void SetAudioDeviceAvailable(bool available);
void SetAudioPlayerAvailable(bool available);

void SetStreamInfo(const std::string& stream_id, int32_t type, int32_t direction);
void RemoveStreamInfo(const std::string& stream_id);
void ClearStreamInfo();

void SetAudioVolume(vlp::av::AudioVolume which, int32_t volume);
void SetAudioMuted(vlp::av::AudioMute which, bool muted);
void SetDefaultAudioDevice(vlp::av::AudioDeviceKind kind, const std::string& device_id);
void SetAudioDevices(vlp::av::AudioDeviceKind kind, std::vector<std::string> device_ids);
void SetAudioEndpointId(vlp::av::AudioDeviceKind kind, const std::string& device_id, const std::string& endpoint);
void SetAudioFeatureSupported(vlp::av::AudioFeature feature, bool supported);
void SetSpeakerModeEarphoneEnable(bool enable);
void SetNoiseSuppressionLevel(int32_t level);

// The code an operation returns from now on (0 is success), by its recorded name.
void SetMediaEngineResult(const std::string& operation, int32_t code);

const std::vector<MediaEngineCall>& MediaEngineCalls();
size_t CountMediaEngineCalls(std::string_view operation);
// The arguments of the last call of that operation; null when never called.
base::variant::Variant LastMediaEngineArguments(std::string_view operation);
void ClearMediaEngineCalls();

}  // namespace hostkit
