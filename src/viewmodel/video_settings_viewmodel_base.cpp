#include "module_api/viewmodel/video_settings_viewmodel_base.h"

#include <string>

#include "frame/model_subscription.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto {
namespace {

namespace bus = model_event::event_bus;
using base::variant::Variant;

// The poster's own map: the event bus hands every subscriber the request it was given, and the
// poster reads the refusals from it once the post returns.
Variant& PostersRequest(const Variant* request) { return *const_cast<Variant*>(request); }

}  // namespace

VideoSettingsViewModelBase::VideoSettingsViewModelBase() = default;

VideoSettingsViewModelBase::~VideoSettingsViewModelBase() = default;

void VideoSettingsViewModelBase::OnViewAttached(const Variant* params) {
  MeetingSettingBaseViewModel::OnViewAttached(params);
  const int64_t id = model::ObserverId(this);
  model::SubscribeModelEvent(this, id, model_id::kEventBusModel, bus::kRequestCloseCamera,
                             [this](const Variant* request) { OnEventRequestCloseCamera(request); });
  model::SubscribeModelEvent(this, id, model_id::kEventBusModel, bus::kRequestCloseCameraPreview,
                             [this](const Variant* request) { OnEventRequestCloseCameraPreview(request); });
}

void VideoSettingsViewModelBase::OnViewDetached() {
  model::UnsubscribeModel(this, model::ObserverId(this), model_id::kEventBusModel);
  MeetingSettingBaseViewModel::OnViewDetached();
}

void VideoSettingsViewModelBase::OnEventRequestCloseCamera(const Variant* request) {
  if (!request) {
    VELTO_LOG(log::kFailure) << "params is nullptr";
    return;
  }
  Variant& refusal = PostersRequest(request);
  refusal["can_close"] = false;
  refusal["reason"] = kVideoSettingAttachedReason;
}

void VideoSettingsViewModelBase::OnEventRequestCloseCameraPreview(const Variant* request) {
  if (!request) {
    VELTO_LOG(log::kFailure) << "params is nullptr";
    return;
  }
  Variant& refusal = PostersRequest(request);
  refusal["can_close_camera_preview"] = false;
  refusal["reason"] = kVideoSettingAttachedReason;
}

void VideoSettingsViewModelBase::DisablePreviewIfNeeded() {
  Variant video_on;
  if (model::Call(model_id::kVideoModel, model_command::video::kLocalVideoOn, nullptr, &video_on) &&
      video_on.AsBoolean()) {
    return;
  }
  Variant request = Variant::Map();
  request["event_id"] = bus::kRequestCloseCamera;
  request["can_close"] = true;
  model::Call(model_id::kEventBusModel, model_command::event_bus::kPostEvent, &request, nullptr);
  if (!request.GetBoolean("can_close")) {
    const Variant* reason = request.Find("reason");
    VELTO_LOG(log::kTrace) << "can not close camera because of "
                           << (reason ? reason->AsStr() : std::string("nullptr"));
    return;
  }
  framework::Model* camera = model::Find(model_id::kCameraModel);
  if (!camera) return;
  Variant current;
  camera->Call(model_command::camera::kCurrentCamera, nullptr, &current);
  Variant off = Variant::Map();
  off["device_id"] = current.GetString("device_id");
  off["on"] = false;
  camera->Call(model_command::camera::kSwitchCamera, &off, nullptr);
}

}  // namespace velto
