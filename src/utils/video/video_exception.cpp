// When the in-meeting camera exception alert shows, and how it is raised and closed.
#include "module_api/video/video_exception.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "framework/model.h"
#include "framework/module/module.h"
#include "framework/module/navigator.h"
#include "frame/scope_singleton.h"
#include "module_api/analytics.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/video/video_utils.h"
#include "module_api/web/web_util.h"
#include "module_api/web/web_view.h"
#include "utils/video/video_exception_internal.h"

namespace velto_common::utils::video_exception {

using base::variant::Variant;

namespace {

constexpr char kSettingPage[] = "velto://page/setting";
constexpr char kInMeetingPage[] = "velto://page/inmeeting";
constexpr char kTroubleshootingPath[] = "/support/topic/1474/";

// Process-wide state of the alert: its host, the last exception shown and whether a start
// failure has been seen once.
class AlertState {
 public:
  ~AlertState() { Unsubscribe(); }

  void Register(std::shared_ptr<const framework::Context> context, const std::string& name) {
    if (host_) VELTO_LOG(velto::log::kFailure) << "another vm context was registered, please check!";
    host_ = std::move(context);
    host_name_ = name;
    Subscribe();
  }

  void Unregister(const std::shared_ptr<const framework::Context>& context) {
    if (!host_ || host_ != context) {
      VELTO_LOG(velto::log::kFailure) << "try to unregister vm context by others, please check!";
      return;
    }
    host_.reset();
    host_name_.clear();
  }

  const std::shared_ptr<const framework::Context>& host() const { return host_; }
  const std::string& host_name() const { return host_name_; }
  const Variant& last_data() const { return last_data_; }

  void OnException(const Variant* data);

 private:
  int64_t observer_id() const { return velto::model::ObserverId(this); }
  // Events keep coming after the host goes: a close request must still reach the video model.
  void Subscribe();
  void Unsubscribe();
  void Close(const Variant& data);
  void Show(const Variant& data);

  std::shared_ptr<const framework::Context> host_;
  std::string host_name_;
  Variant last_data_;
  bool start_failure_seen_ = false;
  framework::Model* subscribed_ = nullptr;
};

ScopeSingleton<AlertState> g_state;

AlertState& State() { return *g_state.Get(); }

void TellVideoModel(int command, const Variant& data) {
  velto::model::Call(velto::model_id::kVideoModel, command, &data, nullptr);
}

void AlertState::Subscribe() {
  framework::Model* video = framework::module::GetAppModuleModel(velto::model_id::kVideoModel);
  if (!video) return;
  Unsubscribe();
  // A replaced model may live at the old one's address: subscribing anew is the only sure way
  // to be subscribed once, to the model the host has now.
  video->Unsubscribe(velto::model_event::video::kDeviceException, observer_id());
  video->SubscribeWithLocation(
      velto::model_event::video::kDeviceException, observer_id(), [this](const Variant* data) { OnException(data); },
      FROM_HERE);
  subscribed_ = video;
}

void AlertState::Unsubscribe() {
  if (!subscribed_) return;
  // The host may have replaced the model meanwhile; only a live one is told.
  if (framework::module::GetAppModuleModel(velto::model_id::kVideoModel) == subscribed_) {
    subscribed_->Unsubscribe(velto::model_event::video::kDeviceException, observer_id());
  }
  subscribed_ = nullptr;
}

void AlertState::Close(const Variant& data) {
  start_failure_seen_ = false;
  TellVideoModel(velto::model_command::video::kHandleException, data);
  TellVideoModel(velto::model_command::video::kResetException, data);
}

void AlertState::OnException(const Variant* data) {
  if (!data || data->IsNull()) {
    VELTO_LOG(velto::log::kFailure) << "no exception but received an event.";
    return;
  }
  if (data->GetBoolean("close_alert", false)) {
    VELTO_LOG(velto::log::kTrace) << "close video exception alert";
    Close(*data);
    return;
  }
  if (!host_) {
    VELTO_LOG(velto::log::kNotable) << "no vm context to show video exception alert.";
    return;
  }
  const std::string device_id = data->GetString("device_id");
  const int32_t device_state = data->GetInt32("device_state");
  const int32_t error_type = data->GetInt32("error_type");
  VELTO_LOG(velto::log::kTrace) << "show video exception alert. device id: " << device_id << ", stat: " << device_state
                                << ", err: " << error_type;
  const bool user_trigger = data->GetBoolean("user_trigger", false);
  switch (error_type) {
    case video::kVideoDeviceFailedNoPermission:
      TellVideoModel(velto::model_command::video::kHandleException, *data);
      Show(*data);
      ReportVideoException(kActionNone, kReportNoPermission, user_trigger);
      return;
    case video::kVideoDeviceFailedStart:
      if (!start_failure_seen_) {
        // A camera that fails to start once usually starts on the next try: only a repeat counts.
        start_failure_seen_ = true;
        TellVideoModel(velto::model_command::video::kResetException, *data);
        return;
      }
      TellVideoModel(velto::model_command::video::kHandleException, *data);
      Show(*data);
      break;
    case video::kVideoDeviceFailedOccupied:
      Show(*data);
      break;
    case video::kVideoDeviceFailedNone:
      Close(*data);
      break;
    default:
      break;
  }
  ReportVideoException(kActionNone, kReportDeviceAbnormal, user_trigger);
}

void AlertState::Show(const Variant& data) {
  last_data_ = data;
  auto navigator = framework::module::Navigator::Of(host_, framework::PageStack::kWindow);
  navigator.PopOther(kVideoExceptionAlertPage);
  Variant arguments = data;
  arguments["user_trigger"] = data.GetBoolean("user_trigger", false);
  if (host_name_ == kSettingPage) arguments["modal_show_mask"] = false;
  navigator.PushModal(kVideoExceptionAlertPage, std::string(), arguments);
}

const char* EventName(int32_t action, int32_t report_type) {
  if (report_type == kReportDeviceAbnormal) {
    switch (action) {
      case kActionNone:
        return "e#camera_device_abnormal#expose";
      case kActionCancel:
        return "e#camera_device_abnormal#cancel#click";
      case kActionUnderstood:
        return "e#camera_device_abnormal#understood#click";
      case kActionClose:
        return "e#camera_device_abnormal#close#click";
      case kActionTroubleshooting:
        return "e#camera_device_abnormal#troubleshooting_guide#click";
      default:
        return "";
    }
  }
  if (report_type == kReportNoPermission) {
    switch (action) {
      case kActionNone:
        return "e#camera_no_authorization#expose";
      case kActionUnderstood:
        return "e#camera_no_authorization#understood#click";
      case kActionClose:
        return "e#camera_no_authorization#close#click";
      case kActionTroubleshooting:
        return "e#camera_no_authorization#troubleshooting_guide#click";
      default:
        return "";
    }
  }
  return "";
}

}  // namespace

namespace internal {

bool CurrentException(video::VideoDeviceState& state) {
  const Variant& last = State().last_data();
  if (last.IsMap() && last.Get("error_type").IsInteger()) {
    state.SetDeviceId(last.GetString("device_id"));
    state.SetDeviceState(static_cast<video::DeviceState>(last.GetInt32("device_state")));
    state.SetErrorType(static_cast<video::VideoDeviceFailedType>(last.GetInt32("error_type")));
    return true;
  }
  return video::GetDeviceExceptionInfo(state);
}

}  // namespace internal

void RegisterVideoExceptionAlertHost(std::shared_ptr<const framework::Context> context, const std::string& name) {
  State().Register(std::move(context), name);
}

void UnregisterVideoExceptionAlertHost(std::shared_ptr<const framework::Context> context) {
  State().Unregister(context);
}

void RaiseVideoException(int32_t error_type) {
  const std::string camera = velto::model::QueryValue<std::string>(
      velto::model_id::kCameraModel, velto::model_command::camera::kCurrentCamera, nullptr, {"device_id"}, std::string());
  Variant data = Variant::Map();
  data["device_id"] = camera;
  data["device_state"] = static_cast<int32_t>(video::kDeviceStateAbnormal);
  data["error_type"] = error_type;
  data["user_trigger"] = false;
  TellVideoModel(velto::model_command::video::kRaiseException, data);
  State().OnException(&data);
}

void HandleCloseVideoException() {
  AlertState& state = State();
  if (!state.host() || state.host_name() != kInMeetingPage) {
    VELTO_LOG(velto::log::kTrace) << "no in-meeting page hosts the video exception alert";
    return;
  }
  framework::module::Navigator::Of(state.host(), framework::PageStack::kWindow).PopOther(kVideoExceptionAlertPage);
}

void HandleVideoException(std::shared_ptr<const framework::Context> context, int32_t action) {
  VELTO_LOG(velto::log::kTrace) << "handle video exception with action: " << action;
  if (action != kActionTroubleshooting) return;
  velto::OpenWebPage(web::GetWebHost() + kTroubleshootingPath, context ? std::move(context) : State().host(), true,
                     std::nullopt, velto::NavigateParams());
}

bool IsFinalAction(int32_t action) { return action != kActionNone && action != kActionTroubleshooting; }

void ReportVideoException(int32_t action, int32_t report_type, bool flag) {
  video::VideoDeviceState state;
  if (!video::GetDeviceExceptionInfo(state)) {
    VELTO_LOG(velto::log::kFailure) << "get video exception info fail";
    return;
  }
  const std::string event = EventName(action, report_type);
  if (event.empty()) {
    VELTO_LOG(velto::log::kRejected) << "event code empty";
    return;
  }
  analytics::Properties properties;
  properties["device_id"] = state.GetDeviceId();
  properties["error_type"] = std::to_string(static_cast<int>(state.GetErrorType()));
  properties["user_trigger"] = std::to_string(flag ? 1 : 0);
  analytics::LogEventWithProperties(event, std::move(properties));
}

}  // namespace velto_common::utils::video_exception
