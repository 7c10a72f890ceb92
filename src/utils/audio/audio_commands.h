// Command and event ids of the audio model (510) used by the audio family. Not installed.
#pragma once

namespace velto_common::utils::audio::cmd {

inline constexpr int kShareAudio = 23;
inline constexpr int kConnectMode = 68;
inline constexpr int kSetConnectMode = 69;
inline constexpr int kPushAudio = 90;
inline constexpr int kPushState = 91;
inline constexpr int kHasDeviceException = 93;
inline constexpr int kDeviceException = 94;
inline constexpr int kMarkExceptionExposure = 95;
inline constexpr int kIgnoreDeviceException = 96;
inline constexpr int kShowDeviceExceptionAlert = 97;
inline constexpr int kRestartAudio = 98;
inline constexpr int kMicAccessibility = 111;
inline constexpr int kRaiseMicNotAccessAlert = 112;
inline constexpr int kMicOnLoading = 118;
inline constexpr int kShowAudioDetectWindow = 128;
inline constexpr int kLastMicOnState = 130;
inline constexpr int kDefaultMicState = 131;
inline constexpr int kForceMicOnWhenJoined = 132;
inline constexpr int kEnableAudioStartMic = 133;
inline constexpr int kEnableOccupyMic = 134;
inline constexpr int kEnableDriveMode = 135;
inline constexpr int kDriveMode = 136;
inline constexpr int kEnableMusicMode = 137;
inline constexpr int kMusicMode = 138;
inline constexpr int kMusicModeChanged = 139;
inline constexpr int kResetVocalEnhancement = 140;
inline constexpr int kCurrentSpeakers = 141;
inline constexpr int kAssociateUser = 142;
inline constexpr int kUpdateMicState = 143;

}  // namespace velto_common::utils::audio::cmd
