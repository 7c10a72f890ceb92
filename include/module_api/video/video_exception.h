// The in-meeting camera exception alert (velto_common::utils::video_exception): raising an
// exception, when the alert shows, what it says and what its buttons do.
//
//   namespace video_exception = velto_common::utils::video_exception;
//   video_exception::RegisterVideoExceptionAlertHost(context, "velto://page/inmeeting");
//   video_exception::RaiseVideoException(video::kVideoDeviceFailedOccupied);   // shows the alert
//   video_exception::HandleVideoException(context, action);                     // a button
//
// Exceptions come from RaiseVideoException and from the video model's event
// velto::model_event::video::kDeviceException. The alert is the modal page
// "velto://page/video_exception_alert" on the registered host's navigator; without a host
// nothing shows. A start failure (-130) is shown only when it happens again; no error (0) and a
// close request clear that memory. UI thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/variant/variant.h"
#include "framework/context.h"
#include "module_api/export.h"

namespace framework {
class UIViewModel;
}

namespace velto_common::utils::video_exception {

inline constexpr char kVideoExceptionAlertPage[] = "velto://page/video_exception_alert";

// What a button (or link) of the alert asks for.
enum ActionType : int32_t {
  kActionNone = 0,
  kActionCancel = 1,
  kActionUnderstood = 2,
  kActionClose = 3,
  kActionTroubleshooting = 4,  // the camera troubleshooting guide in a web view
};

// Which analytics family a report belongs to.
enum ReportType : int32_t {
  kReportDeviceAbnormal = 0,
  kReportNoPermission = 1,
};

// `name` is the host's page scheme; on the settings page ("velto://page/setting") the alert
// shows without a mask. At most one host: another registration logs "another vm context was
// registered, please check!" and replaces it.
VELTO_API void RegisterVideoExceptionAlertHost(std::shared_ptr<const framework::Context> context,
                                               const std::string& name);
// Only the registered host unregisters ("try to unregister vm context by others, please check!").
VELTO_API void UnregisterVideoExceptionAlertHost(std::shared_ptr<const framework::Context> context);
// Tells the video model (command 46) about a failure of the current camera, then handles it as
// an exception event.
VELTO_API void RaiseVideoException(int32_t error_type);
// Closes the alert when the in-meeting page ("velto://page/inmeeting") hosts it.
VELTO_API void HandleCloseVideoException();
// Fills `out` (a map) with the current exception's texts and button actions for `view_model`.
VELTO_API bool GetVideoExceptionUIInfo(framework::UIViewModel* view_model, int32_t scene, base::variant::Variant& out,
                                       const base::variant::Variant& in);
VELTO_API void HandleVideoException(std::shared_ptr<const framework::Context> context, int32_t action);
// False for the actions that keep the alert open (0 and 4).
VELTO_API bool IsFinalAction(int32_t action);
// The event of `action` in the `report_type` family, with "device_id" and "error_type"; action 0
// is the alert's exposure. `flag`: the user opened the camera himself.
VELTO_API void ReportVideoException(int32_t action, int32_t report_type, bool flag);

}  // namespace velto_common::utils::video_exception
