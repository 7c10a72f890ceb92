// When the in-meeting audio exception alert shows, and what its buttons do.
#include "module_api/audio/audio_exception.h"

#include <array>
#include <memory>
#include <string>
#include <utility>

#include "base/scope_singleton.h"
#include "base/threading/looper.h"
#include "framework/module/module.h"
#include "framework/module/navigator.h"
#include "module_api/analytics.h"
#include "module_api/audio/audio_utils.h"
#include "module_api/in_meeting/in_meeting_utils.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/notification/notification_center.h"
#include "module_api/web/web_util.h"
#include "module_api/web/web_view.h"
#include "utils/audio/audio_commands.h"
#include "utils/audio/audio_exception_internal.h"
#include "utils/audio/audio_internal.h"
#include "veltosdk/utils/environment.h"

namespace velto_common::utils::audio_exception {

using base::variant::Variant;
using inmeetingnotificationcenter::NotificationCenter;

namespace {

constexpr int kInterruptionQuery = velto::model_command::event_bus::kAlertInterruption;
constexpr int kAudioExceptionBusEvent = velto::model_event::event_bus::kAudioExceptionAlert;
constexpr char kSettingPage[] = "velto://page/setting";
constexpr char kAudioSettingTab[] = "audio";
constexpr char kTroubleshootingPath[] = "/support/topic/1473/";
constexpr char kOverseasTroubleshootingUrl[] = "https://help.velto.example/audio/troubleshooting";

// The notification centre entry of the alert.
constexpr int kNotificationType = 12;
constexpr int kNotificationStatus = 1;
// What the centre's common item reports through the interactive block.
constexpr int kEntryClose = 0;
constexpr int kEntryActionButton = 1;
constexpr int kEntryPositive = 2;
constexpr int kEntryNegative = 3;
constexpr int kEntryHyperlink = 4;

// Process-wide state of the alert: its host, the join selection flag and the shown entry.
class AlertState {
 public:
  ~AlertState() { Unsubscribe(); }

  void Register(std::shared_ptr<const framework::Context> context) {
    if (host_) VELTO_LOG(velto::log::kFailure) << "another vm context was registered, please check!";
    Unsubscribe();
    host_ = std::move(context);
    Subscribe();
  }

  void Unregister(const std::shared_ptr<const framework::Context>& context) {
    if (!host_ || host_ != context) {
      VELTO_LOG(velto::log::kFailure) << "try to unregister vm context by others, please check!";
      return;
    }
    Unsubscribe();
    host_.reset();
  }

  void set_select_complete(bool done) { select_complete_ = done; }
  const std::shared_ptr<const framework::Context>& host() const { return host_; }

  void OnException(const Variant* data);
  void Close();

 private:
  int64_t observer_id() const { return velto::model::ObserverId(this); }
  void Subscribe();
  void Unsubscribe();
  bool MayShow();
  void Show(const Variant& arguments, const audio::AudioDeviceState& state, bool user_trigger);
  void ShowEntry(const Variant& info, const audio::AudioDeviceState& state, bool user_trigger);
  void RemoveEntry();

  std::shared_ptr<const framework::Context> host_;
  bool select_complete_ = false;
  std::unique_ptr<NotificationCenter> entry_;
  framework::Model* subscribed_ = nullptr;
};

AlertState* g_state = nullptr;

void DestroyState(void*) {
  AlertState* state = g_state;
  g_state = nullptr;
  delete state;
}

AlertState& State() {
  if (!g_state) {
    g_state = new AlertState;
    base::RegisterScopeSingleton(&g_state, &DestroyState);
  }
  return *g_state;
}

void AlertState::Subscribe() {
  framework::Model* audio = framework::module::GetAppModuleModel(velto::model_id::kAudioModel);
  if (!audio) return;
  audio->SubscribeWithLocation(
      kAudioExceptionEvent, observer_id(), [this](const Variant* data) { OnException(data); }, FROM_HERE);
  subscribed_ = audio;
}

void AlertState::Unsubscribe() {
  if (!subscribed_) return;
  // The host may have replaced the model meanwhile; only a live one is told.
  if (framework::module::GetAppModuleModel(velto::model_id::kAudioModel) == subscribed_) {
    subscribed_->Unsubscribe(kAudioExceptionEvent, observer_id());
  }
  subscribed_ = nullptr;
}

void AlertState::Close() {
  if (!host_) return;
  RemoveEntry();
  framework::module::Navigator::Of(host_, framework::PageStack::kWindow).PopOther(kAudioExceptionAlertPage);
  VELTO_LOG(velto::log::kTrace) << "close audio exception alert";
}

void AlertState::RemoveEntry() {
  if (!entry_) return;
  entry_->Remove();
  // The entry's own button may be what closes it: its callback must outlive this call.
  std::shared_ptr<NotificationCenter> removed(entry_.release());
  base::threading::LooperThread::MainLooper()->PostTask([removed] {}, FROM_HERE);
}

bool AlertState::MayShow() {
  if (!audio::HasAudioDeviceException()) {
    VELTO_LOG(velto::log::kTrace) << "no audio exception";
    return false;
  }
  if (!inmeeting::IsInMeeting()) {
    VELTO_LOG(velto::log::kTrace) << "receive audio exception, but not in meeting.";
    return false;
  }
  if (!select_complete_) {
    VELTO_LOG(velto::log::kTrace) << "receive audio exception, but audio select no complete";
    return false;
  }
  Variant query = Variant::Map();
  query["event_id"] = kAudioExceptionBusEvent;
  query["should_interrupt_alert_show"] = false;
  const Variant interruption =
      velto::model::QueryAnswer(velto::model_id::kEventBusModel, kInterruptionQuery, &query);
  if (interruption.GetBoolean("should_interrupt_alert_show", false)) {
    VELTO_LOG(velto::log::kTrace) << "alert will not show util the interruption stop.";
    return false;
  }
  if (audio::IsAudioConnectModePstn()) {
    VELTO_LOG(velto::log::kTrace) << "alert will not show when in pstn mode.";
    return false;
  }
  if (!host_) {
    VELTO_LOG(velto::log::kNotable) << "no vm context to show audio exception alert.";
    return false;
  }
  return true;
}

void AlertState::OnException(const Variant* data) {
  if (!data) {
    VELTO_LOG(velto::log::kFailure) << "no exception but received an event.";
    return;
  }
  if (data->GetBoolean("close_alert", false)) {
    Close();
    return;
  }
  if (!MayShow()) return;
  audio::AudioDeviceState state;
  if (!audio::GetDeviceExceptionInfo(state)) {
    VELTO_LOG(velto::log::kFailure) << "cannot get audio exception";
    return;
  }
  VELTO_LOG(velto::log::kTrace) << "show audio exception alert. device id: " << state.GetDeviceId()
                                << ", type: " << static_cast<int>(state.GetDeviceType())
                                << ", err: " << static_cast<int>(state.GetErrorType());
  Variant arguments = Variant::Map();
  if (!internal::FillUIInfo(state, internal::DeviceName(state, {}), arguments)) return;
  const bool user_trigger = data->GetBoolean("user_trigger", false);
  arguments["user_trigger"] = user_trigger;
  Show(arguments, state, user_trigger);
}

void AlertState::Show(const Variant& arguments, const audio::AudioDeviceState& state, bool user_trigger) {
  // One alert at a time: a newer exception replaces what is shown.
  RemoveEntry();
  if (NotificationCenter::NotificationCenterEnable()) {
    ShowEntry(arguments, state, user_trigger);
    return;
  }
  framework::module::Navigator::Of(host_, framework::PageStack::kWindow).Push(kAudioExceptionAlertPage, arguments);
}

void AlertState::ShowEntry(const Variant& info, const audio::AudioDeviceState& state, bool user_trigger) {
  const int32_t report_type = state.GetErrorType() == audio::kAudioDeviceFailedNoPermission
                                  ? kReportMicNoAuthorization
                                  : kReportDeviceAbnormal;
  std::array<int32_t, kEntryHyperlink + 1> actions{};
  actions[kEntryClose] = info.GetInt32("close_action_type");
  actions[kEntryActionButton] = info.GetInt32("main_action_type");
  actions[kEntryPositive] = info.GetInt32("sub_action_type");
  actions[kEntryNegative] = info.GetInt32("third_action_type");
  actions[kEntryHyperlink] = info.GetInt32("key_word_action_type");
  auto entry = std::make_unique<NotificationCenter>(kNotificationType, kNotificationStatus);
  entry->SetBoldDescription(info.GetString("title"))
      .SetDescription(info.GetString("content"))
      .SetHyperlinkDescription(info.GetString("key_word"))
      .SetActionButtonTitle(info.GetString("main_action_name"))
      .SetPositiveText(info.GetString("sub_action_name"))
      .SetNegativeText(info.GetString("third_action_name"))
      .SetAutoHideTimeInterval(0)
      .SetCloseButtonVisible(true)
      .SetInteractiveBlock([actions, report_type](int pressed) {
        if (pressed < kEntryClose || pressed > kEntryHyperlink) return;
        const int32_t action = actions[static_cast<size_t>(pressed)];
        ReportAudioException(action, report_type, true);
        HandleAudioException(State().host(), action);
      });
  entry->Show();
  entry_ = std::move(entry);
  MarkAudioExceptionExposure(state.GetDeviceId(), user_trigger);
}

framework::module::Navigator Navigate(std::shared_ptr<const framework::Context> context) {
  if (!context) context = State().host();
  return framework::module::Navigator::Of(std::move(context), framework::PageStack::kWindow);
}

void OpenAudioSettings(const std::shared_ptr<const framework::Context>& context) {
  Variant arguments = Variant::Map();
  arguments["selected_tab_id"] = kAudioSettingTab;
  arguments["top_most"] = true;
  Navigate(context).Push(kSettingPage, arguments);
}

void OpenTroubleshootingGuide(const std::shared_ptr<const framework::Context>& context) {
  const std::string url = veltosdk::utils::version_util::IsPeluVersion()
                              ? std::string(kOverseasTroubleshootingUrl)
                              : web::GetWebHost() + kTroubleshootingPath;
  velto::OpenWebPage(url, context ? context : State().host(), true, std::nullopt, velto::NavigateParams());
}

const char* EventName(int32_t action, int32_t report_type) {
  if (report_type == kReportDeviceAbnormal) {
    switch (action) {
      case kActionCancel:
        return "e#audio_device_abnormal#cancel#click";
      case kActionUnderstood:
        return "e#audio_device_abnormal#understood#click";
      case kActionAudioTest:
        return "e#audio_device_abnormal#audio_test#click";
      case kActionTroubleshooting:
        return "e#audio_device_abnormal#troubleshooting_guide#click";
      case kActionRestartAudioService:
        return "e#audio_device_abnormal#restart_service#click";
      default:
        return nullptr;
    }
  }
  if (report_type == kReportMicNoAuthorization) {
    switch (action) {
      case kActionCancel:
        return "e#mic_no_authorization#cancel#click";
      case kActionOpenAudioSettings:
        return "e#mic_no_authorization#settings#click";
      case kActionTroubleshooting:
        return "e#mic_no_authorization#troubleshooting_guide#click";
      default:
        return nullptr;
    }
  }
  return "";
}

}  // namespace

void RegisterAudioExceptionAlertHost(std::shared_ptr<const framework::Context> context) {
  State().Register(std::move(context));
}

void UnregisterAudioExceptionAlertHost(std::shared_ptr<const framework::Context> context) {
  State().Unregister(context);
}

void SetJoinMeetingAudioSelectComplete(bool done) { State().set_select_complete(done); }

void CheckAudioException() {
  base::threading::LooperThread::MainLooper()->PostTask([] { State().OnException(&Variant::EmptyVariant()); },
                                                        FROM_HERE);
}

void TryNextAudioException() { CheckAudioException(); }

bool HasAudioException() { return audio::HasAudioDeviceException(); }

void HandleAudioException(std::shared_ptr<const framework::Context> context, int32_t action) {
  VELTO_LOG(velto::log::kTrace) << "handle audio exception with action: " << action;
  switch (action) {
    case kActionAudioTest:
      if (audio::IsShowAudioDetectPageEntrance()) {
        audio::TryShowAudioDetectWindow();
      } else {
        OpenAudioSettings(context);
      }
      break;
    case kActionOpenAudioSettings:
      OpenAudioSettings(context);
      break;
    case kActionUseComputerAudio: {
      Variant params = Variant::Map();
      params["audio_connect_mode"] = static_cast<int32_t>(veltosdk::kAudioConnectModeComputer);
      audio::SetAudioConnectMode(params);
      break;
    }
    case kActionIgnoreDevice: {
      audio::AudioDeviceState state;
      audio::GetDeviceExceptionInfo(state);
      Variant params = Variant::Map();
      params["ignore_device_id"] = state.GetDeviceId();
      audio::internal::AudioCall(audio::cmd::kIgnoreDeviceException, &params, nullptr);
      break;
    }
    case kActionTroubleshooting:
      OpenTroubleshootingGuide(context);
      break;
    case kActionRestartAudioService: {
      audio::RebootAudioDriver();
      Variant params = Variant::Map();
      params["restart_audio"] = true;
      audio::internal::AudioCall(audio::cmd::kRestartAudio, &params, nullptr);
      break;
    }
    default:
      break;
  }
  if (IsFinalAction(action)) CloseAudioExceptionAlert();
}

bool IsFinalAction(int32_t action) {
  return action != kActionNone && action != kActionAudioTest && action != kActionOpenAudioSettings &&
         action != kActionTroubleshooting;
}

void MarkAudioExceptionExposure(const std::string& device_id, bool user_trigger) {
  if (device_id.empty()) {
    VELTO_LOG(velto::log::kRejected) << "invalid device id";
    return;
  }
  Variant params = Variant::Map();
  params["device_id"] = device_id;
  params["user_trigger"] = user_trigger;
  audio::internal::AudioCall(audio::cmd::kMarkExceptionExposure, &params, nullptr);
}

void ReportAudioException(int32_t action, int32_t report_type, bool flag) {
  audio::AudioDeviceState state;
  if (!audio::GetDeviceExceptionInfo(state)) {
    VELTO_LOG(velto::log::kFailure) << "get audio exception info fail";
    return;
  }
  if (state.GetErrorType() == audio::kAudioDeviceFailedNone) {
    VELTO_LOG(velto::log::kTrace) << "has no audio exception, ignore";
    return;
  }
  const char* event = EventName(action, report_type);
  if (!event) {
    VELTO_LOG(velto::log::kRejected) << "action type invalid";
    return;
  }
  if (!*event) {
    VELTO_LOG(velto::log::kRejected) << "event code empty";
    return;
  }
  analytics::Properties properties;
  properties["input_device_type"] = std::to_string(static_cast<int>(state.GetDeviceType()));
  properties["audio_error_type"] = std::to_string(static_cast<int>(state.GetErrorType()));
  properties["user_trigger"] = std::to_string(flag ? 1 : 0);
  analytics::LogEventWithProperties(event, std::move(properties));
}

void CloseAudioExceptionAlert() { State().Close(); }

}  // namespace velto_common::utils::audio_exception
