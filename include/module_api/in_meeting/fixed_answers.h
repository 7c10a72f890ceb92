// Questions whose features this platform does not have: each always answers false.
#pragma once

#include "module_api/export.h"

namespace velto_common::utils::inmeeting {

VELTO_API bool IsAirplaySharing();
VELTO_API bool IsAudioInterrupted();
VELTO_API bool IsInQuickAirplayMeeting();
VELTO_API bool IsInQuickPstnMeeting();
VELTO_API bool IsPhoneCalling();
VELTO_API bool IsPreviewCastSharing();
VELTO_API bool IsSpotlightVideoMode();
VELTO_API bool IsSupportAudioInterruptAndResume();
VELTO_API bool IsSupportShowOtherMemberAudioInterruptUI();
VELTO_API bool IsThirdPartAppVisible();
VELTO_API bool IsWebShareCloudRecordEnable();
VELTO_API bool ShouldRestartAudioWhenInterrupted();

}  // namespace velto_common::utils::inmeeting
