// Questions about the meeting itself: whether there is one, of what kind, in which state, and
// what the server's switches allow in it.
//
//   namespace inmeeting = velto_common::utils::inmeeting;
//   if (inmeeting::IsInMeeting() && !inmeeting::IsAudioMode()) ...
//
// Each call asks the models afresh; failures give false, -1, 0 or "" and a level-1 record.
#pragma once

#include <cstdint>
#include <string>

#include "module_api/export.h"
#include "module_api/in_meeting/in_meeting_types.h"

namespace framework {
class UIViewModel;
}

namespace velto_common::utils::inmeeting {

// The meeting type of the current meeting; -1 when unknown.
VELTO_API int64_t GetCurrentMeetingType();
// True in a meeting; with `include_joining`, also while joining one.
VELTO_API bool IsInMeeting(bool include_joining = false);
// True while either joining stage (commands 43, 44) is under way.
VELTO_API bool IsJoiningMeeting();
VELTO_API bool IsInWaitingRoom();
VELTO_API bool IsMediaRoomJoined();
// Whether `meeting_id` is the current meeting's "meeting_id".
VELTO_API bool IsCurrentMeeting(const std::string& meeting_id);
VELTO_API velto::InMeeting::MeetingMode GetMeetingMode();
VELTO_API bool IsInScreenShareMode();
// The meeting runs audio only; false outside a meeting.
VELTO_API bool IsAudioMode();
// No audio connected (connect mode 0 or unknown).
VELTO_API bool IsAudioConnectModeNone();
// Another device of the local account carries the audio.
VELTO_API bool IsAudioConnectedByOtherInstance();
// In a meeting from more than one device ("self_info is nil or wrong" without self information).
VELTO_API bool IsMultipleDevicesJoinedInMeeting();
VELTO_API bool IsInHighUsageState();
VELTO_API bool IsInStreamLimitState();
// Configuration item "video_stream_limit_tips", else the built-in text.
VELTO_API std::string GetStreamLimitTips();
// A cast meeting: bit 4 of the meeting type, or the cast model's state 2 or 3.
VELTO_API bool IsCastMeeting();
VELTO_API bool IsCastMeetingMode();
// Cloud recording is not offered on this platform: always false.
VELTO_API bool IsCloudRecording();
VELTO_API bool IsSupportRoomsP2PCastMode();
VELTO_API bool IsSupportScreenCaptureSettings();
// The meeting settings model's answer to command `func`.
VELTO_API bool GetSettingsModelSwitchState(int32_t func);
VELTO_API bool GetVocalEnhancementFeatureVisible();
// Configuration item "inmeeting_tab_switch", read once per process.
VELTO_API bool GetInmeetingTabUISwitch();
VELTO_API bool SupportWideSidebarGraySwitch();
VELTO_API bool IsOpenAppInBlockListByAppId(const std::string& app_id);
// Decodes the base64 text and answers whether nothing came out of it.
VELTO_API bool IsValidCustomerData(const std::string& text);
// Reports the AI assistant's stop confirmation (or cancel); nothing outside a meeting.
VELTO_API void ReportAiAssistantStopEventLog(bool confirmed);
// The toast for a change of the join-limit type (0 to 3) in `view_model`'s window.
VELTO_API void ShowJoinLimitTypeChangeToast(framework::UIViewModel* view_model, int32_t type);

}  // namespace velto_common::utils::inmeeting
