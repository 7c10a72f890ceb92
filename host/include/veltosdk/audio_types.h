// Audio enumerations of the platform SDK.
#pragma once

#include <cstdint>

namespace veltosdk {

// How the local user's audio reaches the meeting. Values of 0 and below mean no audio.
enum AudioConnectMode : int32_t {
  kAudioConnectModeUnknown = -1,
  kAudioConnectModeNone = 0,
  kAudioConnectModeComputer = 1,  // the computer's microphone and speaker
  kAudioConnectModePstn = 2,      // a telephone call
  kAudioConnectModeCallMe = 3,    // the meeting calls a telephone (also PSTN)
};

}  // namespace veltosdk
