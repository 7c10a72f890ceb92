// The in-meeting audio exception alert (velto_common::utils::audio_exception): when it shows,
// what it says and what its buttons do.
//
//   namespace audio_exception = velto_common::utils::audio_exception;
//   audio_exception::RegisterAudioExceptionAlertHost(context);     // the meeting window, once
//   audio_exception::SetJoinMeetingAudioSelectComplete(true);      // after the join audio choice
//   ...                                                            // the audio model reports
//   audio_exception::HandleAudioException(context, action);        // a button of the alert
//
// While a host is registered the alert follows the audio model's exception events (510, event
// 57). It shows in a meeting only, after the join audio selection, outside event-bus
// interruptions and outside telephone audio: as a notification-centre entry when the centre is
// on, else as the page "velto://page/inmeeting/audio_exception_alert" on the host's navigator.
// UI thread, except CheckAudioException and TryNextAudioException, which post their work there.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/variant/variant.h"
#include "framework/context.h"
#include "module_api/export.h"
#include "module_api/model_commands.h"

namespace framework {
class UIViewModel;
}

namespace velto_common::utils::audio_exception {

inline constexpr char kAudioExceptionAlertPage[] = "velto://page/inmeeting/audio_exception_alert";
inline constexpr int kAudioExceptionEvent = velto::model_event::audio::kAudioException;

// What a button (or link) of the alert asks for.
enum ActionType : int32_t {
  kActionNone = 0,
  kActionCancel = 1,
  kActionUnderstood = 2,
  kActionClose = 3,
  kActionAudioTest = 4,            // the audio test, else the audio settings
  kActionOpenAudioSettings = 5,
  kActionUseComputerAudio = 6,     // reconnects with computer audio
  kActionIgnoreDevice = 8,         // no more alerts for this device
  kActionTroubleshooting = 10,     // the troubleshooting guide in a web view
  kActionRestartAudioService = 11,
};

// Which analytics family a report belongs to.
enum ReportType : int32_t {
  kReportDeviceAbnormal = 0,
  kReportMicNoAuthorization = 1,
};

// At most one host; another registration logs "another vm context was registered, please check!"
// and replaces it.
VELTO_API void RegisterAudioExceptionAlertHost(std::shared_ptr<const framework::Context> context);
// Only the registered host unregisters ("try to unregister vm context by others, please check!").
VELTO_API void UnregisterAudioExceptionAlertHost(std::shared_ptr<const framework::Context> context);
VELTO_API void SetJoinMeetingAudioSelectComplete(bool done);
// Post the show check to the main looper, as an exception event would.
VELTO_API void CheckAudioException();
VELTO_API void TryNextAudioException();
VELTO_API bool HasAudioException();
// Fills `out` (a map) with the current exception's texts and button actions for `view_model`.
// `in` may carry "device_name" for a device the audio model does not name.
VELTO_API bool GetAudioExceptionUIInfo(framework::UIViewModel* view_model, int32_t scene, base::variant::Variant& out,
                                       const base::variant::Variant& in);
// Carries out a button's action; a final action also closes the alert.
VELTO_API void HandleAudioException(std::shared_ptr<const framework::Context> context, int32_t action);
// False for the actions that keep the alert open (0, 4, 5 and 10).
VELTO_API bool IsFinalAction(int32_t action);
VELTO_API void MarkAudioExceptionExposure(const std::string& device_id, bool user_trigger);
// The click event of `action` in the `report_type` family, with the device type and error type.
VELTO_API void ReportAudioException(int32_t action, int32_t report_type, bool flag);
// Removes the alert (entry or page) if one is shown.
VELTO_API void CloseAudioExceptionAlert();

}  // namespace velto_common::utils::audio_exception
