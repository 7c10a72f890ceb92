// Which operation alerts are queued with the operation alert model, and when their modules'
// callbacks run.
#include "utils/operation/operation_dispatcher_manager.h"

#include <string_view>

#include "framework/module/module.h"
#include "module_api/analytics.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "veltosdk/utils/safety.h"

namespace velto_common::utils::operation_dispatcher {

using base::variant::Variant;

namespace {

constexpr std::string_view kInMeetingPage = "velto://page/inmeeting";
constexpr char kCheckAlertEvent[] = "operation_dispatcher_check_alert";
constexpr char kIgnoreAlertEvent[] = "operation_dispatcher_ignore_alert";
constexpr char kShowAlertEvent[] = "operation_dispatcher_show_alert";

// The in-meeting page itself, not a page whose scheme merely starts the same way.
bool LeadsIntoMeeting(std::string_view scheme) {
  if (scheme.substr(0, kInMeetingPage.size()) != kInMeetingPage) return false;
  if (scheme.size() == kInMeetingPage.size()) return true;
  const char next = scheme[kInMeetingPage.size()];
  return next == '?' || next == '/' || next == '#';
}

// Scheme addresses may carry tickets in their query: logs get the page only.
std::string_view PageOf(std::string_view scheme) { return scheme.substr(0, scheme.find_first_of("?#")); }

}  // namespace

OperationDispatcherManager::~OperationDispatcherManager() {
  for (const Subscription& subscription : subscriptions_) {
    // The host may have replaced a model meanwhile; only a live one is told.
    if (subscription.model && framework::module::GetAppModuleModel(subscription.model_id) == subscription.model) {
      subscription.model->Unsubscribe(subscription.event_id, observer_id());
    }
  }
}

int64_t OperationDispatcherManager::observer_id() const { return velto::model::ObserverId(this); }

void OperationDispatcherManager::Init() {
  if (subscriptions_.empty()) {
    VELTO_LOG(velto::log::kTrace) << "init";
    subscriptions_ = {
        {velto::model_id::kAuthorizationModel, velto::model_event::authorization::kAuthorizeStateUpdate,
         &OperationDispatcherManager::OnAuthorizeStateUpdate, nullptr},
        {velto::model_id::kMeetingModel, velto::model_event::meeting::kLeaveComplete,
         &OperationDispatcherManager::OnLeaveRoomComplete, nullptr},
        {velto::model_id::kOperationAlertModel, velto::model_event::operation_alert::kIgnoreList,
         &OperationDispatcherManager::OnIgnoreList, nullptr},
        {velto::model_id::kOperationAlertModel, velto::model_event::operation_alert::kShow,
         &OperationDispatcherManager::OnShowAlert, nullptr},
    };
  }
  for (Subscription& subscription : subscriptions_) {
    framework::Model* model = velto::model::Find(subscription.model_id);
    if (!model) continue;
    // A replaced model may live at the old one's address: subscribing anew is the only sure way
    // to be subscribed once, to the model the host has now.
    model->Unsubscribe(subscription.event_id, observer_id());
    const Handler handler = subscription.handler;
    model->SubscribeWithLocation(
        subscription.event_id, observer_id(), [this, handler](const Variant* params) { (this->*handler)(params); },
        FROM_HERE);
    subscription.model = model;
  }
}

void OperationDispatcherManager::CheckAndAddOperationAlert(int32_t type, const std::string& scheme_path,
                                                           ShowCallback show) {
  VELTO_LOG(velto::log::kTrace) << "operation_type:" << type << ",scheme_path:" << PageOf(scheme_path)
                                << ",is_startup_by_scheme:" << is_pull_up_start_
                                << ",is_meeting_complete:" << meeting_is_complete_;
  analytics::LogEventWithProperty(kCheckAlertEvent, "alert_id", std::to_string(type));
  if (!meeting_is_complete_) {
    if (IsInMeetingPath()) {
      VELTO_LOG(velto::log::kTrace) << "is inmeeting path,ignore operation alert";
      return;
    }
    if (is_pull_up_start_ && IsAdvertisingPriorityExperience()) {
      VELTO_LOG(velto::log::kTrace) << "is kAdPriorityTypeExperience ,ignore operation alert";
      return;
    }
  }
  if (ignore_alerts_.count(type)) {
    VELTO_LOG(velto::log::kTrace) << "check alert:" << type << "is igore alert";
    VELTO_LOG(velto::log::kTrace) << "check ignore, igore alerts:" << IgnoredText();
    ReportIgnored(type);
    return;
  }
  VELTO_LOG(velto::log::kTrace) << "operation_type:" << type << "can insert operation dispatcher";
  // Kept before the model hears of it: the model may decide to show it from inside the call.
  alert_ops_[type] = std::move(show);
  VELTO_LOG(velto::log::kTrace) << "save alert:" << type;
  Variant argument = Variant::Map();
  argument["operation_type"] = type;
  argument["scheme_path"] = scheme_path;
  velto::model::Call(velto::model_id::kOperationAlertModel, velto::model_command::operation_alert::kAddAlert, &argument,
                     nullptr);
}

void OperationDispatcherManager::SaveParseSchemeParams(const Variant& params) {
  VELTO_LOG(velto::log::kTrace) << "save scheme params:" << veltosdk::utils::safety::VariantToSafeString(params);
  scheme_url_ = params.GetString("scheme_url");
  if (scheme_url_.empty()) return;
  is_pull_up_start_ = true;
  in_meeting_path_type_ = LeadsIntoMeeting(scheme_url_) ? kInMeetingPathInMeeting : kInMeetingPathOther;
}

void OperationDispatcherManager::SavePushType(int32_t type) {
  VELTO_LOG(velto::log::kTrace) << "save push type:" << type;
  push_type_ = type;
  is_pull_up_start_ = true;
}

bool OperationDispatcherManager::IsStartUpByScheme() const {
  VELTO_LOG(velto::log::kTrace) << "is_start_up_by_scheme:" << is_pull_up_start_;
  return is_pull_up_start_;
}

bool OperationDispatcherManager::IsInMeetingPath() const {
  VELTO_LOG(velto::log::kTrace) << "in_meeting_path_type_:" << in_meeting_path_type_;
  bool in_scheme = in_meeting_path_type_ == kInMeetingPathInMeeting;
  if (!in_scheme) {
    // The scheme may still wait to be parsed: the app state model holds it as a mission.
    constexpr int kCommand = velto::model_command::app_state::kCallFuncGetParseSchemeMission;
    Variant mission;
    const bool result = velto::model::Call(velto::model_id::kAppStateModel, kCommand, nullptr, &mission);
    VELTO_LOG(velto::log::kTrace) << "kCallFuncGetParseSchemeMission result:" << result;
    // A mission is a map; one without "scheme_url" is an ordinary start. Anything else is a
    // broken answer, read as no scheme but recorded.
    if (result && !mission.IsMap()) {
      velto::model::LogWrongKind(velto::model_id::kAppStateModel, kCommand, {}, base::Location::Current());
    }
    in_scheme = result && LeadsIntoMeeting(mission.GetString("scheme_url"));
  }
  VELTO_LOG(velto::log::kTrace) << "in_scheme:" << in_scheme;
  VELTO_LOG(velto::log::kTrace) << "is_start_up_by_inmeeting_scheme:" << in_scheme;
  return in_scheme;
}

void OperationDispatcherManager::OnAuthorizeStateUpdate(const Variant*) {
  VELTO_LOG(velto::log::kTrace) << "authorize state update";
  // Another account may see other alerts: the rules are the model's to give again.
  PullOperationAlertShowRules(kPullRuleAuthorizeStateUpdate);
}

void OperationDispatcherManager::OnLeaveRoomComplete(const Variant*) {
  VELTO_LOG(velto::log::kTrace) << "leave room complete";
  meeting_is_complete_ = true;
}

void OperationDispatcherManager::OnIgnoreList(const Variant* params) {
  if (!params) {
    VELTO_LOG(velto::log::kRejected) << "params is nullptr";
    return;
  }
  if (!params->IsArray()) {
    VELTO_LOG(velto::log::kRejected) << "params not array, params:" << *params;
    return;
  }
  VELTO_LOG(velto::log::kTrace) << "last list " << IgnoredText();
  for (const Variant& type : params->Elements()) {
    if (type.IsInteger()) ignore_alerts_.insert(type.AsInt32());
  }
  VELTO_LOG(velto::log::kTrace) << "newest list " << IgnoredText();
  for (auto it = alert_ops_.begin(); it != alert_ops_.end();) {
    if (!ignore_alerts_.count(it->first)) {
      ++it;
      continue;
    }
    const int32_t type = it->first;
    VELTO_LOG(velto::log::kTrace) << "delete exist alert,id:" << type;
    it = alert_ops_.erase(it);
    ReportIgnored(type);
  }
}

void OperationDispatcherManager::OnShowAlert(const Variant* params) {
  if (!params) {
    VELTO_LOG(velto::log::kRejected) << "params is nullptr";
    return;
  }
  const int32_t type = params->GetInt32("operation_type", kOperationAlertNone);
  auto it = alert_ops_.find(type);
  if (it == alert_ops_.end()) {
    VELTO_LOG(velto::log::kTrace) << "alert_type:" << type << ",not exists";
    return;
  }
  VELTO_LOG(velto::log::kTrace) << "set alert_type:" << type << ",to dispatcher";
  // Taken out first: the callback may queue a new alert of its own type.
  ShowCallback show = std::move(it->second);
  alert_ops_.erase(it);
  VELTO_LOG(velto::log::kTrace) << "clear alert_ops_,alert_type:" << type;
  if (show) show();
  analytics::LogEventWithProperty(kShowAlertEvent, "alert_id", std::to_string(type));
}

void OperationDispatcherManager::ReportIgnored(int32_t type) const {
  const std::string ignore_type = std::string("ignore_list") + ",operation_type:" + std::to_string(type) +
                                  ",is_pull_up_start:" + (is_pull_up_start_ ? "1" : "0") +
                                  ",in_meeting_path_type: " + std::to_string(in_meeting_path_type_);
  analytics::LogEventWith2Properties(kIgnoreAlertEvent, "alert_id", std::to_string(type), "ignore_type", ignore_type);
}

std::string OperationDispatcherManager::IgnoredText() const {
  std::string text = "[";
  for (int32_t type : ignore_alerts_) {
    if (text.size() > 1) text += ',';
    text += std::to_string(type);
  }
  return text + "]";
}

}  // namespace velto_common::utils::operation_dispatcher
