// velto::VideoSettingsViewModelBase: the base of the video settings page, which owns the camera
// preview. While the page is attached it refuses other modules' requests to close the camera or
// its preview (event bus model 502, events 52 and 17); it can close the preview itself when no
// other module objects.
//
// The refusal protocol: a module that wants the camera closed posts the event with a map
// ({"event_id": 52, "can_close": true}) through the event bus's command 1; every subscriber may
// write a refusal into that very map ("can_close" false, a "reason"); the poster reads it after
// the call.
//
//   class VideoSettingsViewModel : public velto::VideoSettingsViewModelBase {
//     void OnViewDetached() override {
//       DisablePreviewIfNeeded();            // leave the camera as the meeting needs it
//       VideoSettingsViewModelBase::OnViewDetached();
//     }
//   };
#pragma once

#include "module_api/export.h"
#include "module_api/viewmodel/meeting_setting_base_viewmodel.h"

namespace velto {

inline constexpr char kVideoSettingAttachedReason[] = "video setting view is attach";

class VELTO_API VideoSettingsViewModelBase : public MeetingSettingBaseViewModel {
 public:
  VideoSettingsViewModelBase();
  ~VideoSettingsViewModelBase() override;

  // Also subscribes to the close requests on the event bus; detaching removes them.
  void OnViewAttached(const Variant* params) override;
  void OnViewDetached() override;

  // Writes "can_close" false and the reason into the poster's request; a null request is logged.
  virtual void OnEventRequestCloseCamera(const Variant* request);
  // The same for the preview, with "can_close_camera_preview".
  virtual void OnEventRequestCloseCameraPreview(const Variant* request);

  // Closes the camera preview unless the local video is on or another module refuses.
  void DisablePreviewIfNeeded();
};

}  // namespace velto
