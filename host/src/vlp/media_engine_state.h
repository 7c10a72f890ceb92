// State of the media engine stand-in that hostkit scripts. Not installed; not for modules.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "vlp/av/media_engine.h"
#include "vlp/av/media_engine_call_record.h"

namespace host_internal::media {

struct EngineState {
  bool engine_available = true;
  bool audio_device_available = true;
  bool audio_player_available = true;
  std::map<std::string, vlp::av::StreamInfo> streams;
  std::map<vlp::av::AudioVolume, int32_t> volumes;
  std::map<vlp::av::AudioMute, bool> mutes;
  std::map<vlp::av::AudioDeviceKind, std::string> default_devices;
  std::map<std::pair<vlp::av::AudioDeviceKind, std::string>, std::string> endpoints;
  std::map<vlp::av::AudioDeviceKind, std::vector<std::string>> devices;
  std::map<vlp::av::AudioFeature, bool> features;
  std::map<std::string, int32_t, std::less<>> results;  // by operation name; 0 when absent
  bool earphone_enable = false;
  int32_t speaker_mode = 0;
  int32_t noise_suppression_level = -1;
  bool speaker_enhance = false;
  std::vector<vlp::av::MediaEngineCallRecord> calls;
};

EngineState& State();

}  // namespace host_internal::media
