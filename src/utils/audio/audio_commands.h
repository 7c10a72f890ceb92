// The audio model's (510) commands, gathered under the audio family's cmd:: spelling. Not installed.
#pragma once

#include "module_api/model_commands.h"

namespace velto_common::utils::audio::cmd {

using velto::model_command::audio::kShareAudio;
using velto::model_command::audio::kConnectMode;
using velto::model_command::audio::kSetConnectMode;
using velto::model_command::audio::kPushAudio;
using velto::model_command::audio::kPushState;
using velto::model_command::audio::kHasDeviceException;
using velto::model_command::audio::kDeviceException;
using velto::model_command::audio::kMarkExceptionExposure;
using velto::model_command::audio::kIgnoreDeviceException;
using velto::model_command::audio::kShowDeviceExceptionAlert;
using velto::model_command::audio::kRestartAudio;
using velto::model_command::audio::kMicAccessibility;
using velto::model_command::audio::kRaiseMicNotAccessAlert;
using velto::model_command::audio::kMicOnLoading;
using velto::model_command::audio::kShowAudioDetectWindow;
using velto::model_command::audio::kLastMicOnState;
using velto::model_command::audio::kDefaultMicState;
using velto::model_command::audio::kForceMicOnWhenJoined;
using velto::model_command::audio::kEnableAudioStartMic;
using velto::model_command::audio::kEnableOccupyMic;
using velto::model_command::audio::kEnableDriveMode;
using velto::model_command::audio::kDriveMode;
using velto::model_command::audio::kEnableMusicMode;
using velto::model_command::audio::kMusicMode;
using velto::model_command::audio::kMusicModeChanged;
using velto::model_command::audio::kResetVocalEnhancement;
using velto::model_command::audio::kCurrentSpeakers;
using velto::model_command::audio::kAssociateUser;
using velto::model_command::audio::kUpdateMicState;

}  // namespace velto_common::utils::audio::cmd
