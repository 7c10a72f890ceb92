// The alarm's extra button: a time card spent through the meeting limit model, or the upgrade
// page; and the exposure report of a shown alarm.
#include <optional>
#include <string>
#include <utility>

#include "module_api/analytics.h"
#include "module_api/app_context.h"
#include "module_api/log.h"
#include "module_api/members/webinar_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/web/web_view.h"
#include "utils/web/address_log.h"
#include "viewmodel/meeting_alarm_support.h"

namespace velto {
namespace {

using namespace meeting_alarm;
using namespace meeting_alarm::internal;
namespace analytics = velto_common::utils::analytics;

constexpr int32_t kNoPermissionToastText = static_cast<int32_t>(0xdf5b367f);
constexpr int32_t kUpgradePageTitleText = static_cast<int32_t>(0xdd70591e);
constexpr int kToastDurationMs = 2000;
constexpr char kWebinarMid[] = "win.p.djs.sjbt";
constexpr char kMeetingMid[] = "win.n.time.wbn_10min_i";
constexpr char kUpgradeInstanceId[] = "default_instance_id";

std::string ValueText(const Variant& value) {
  if (value.IsString()) return value.AsStr();
  if (value.IsInteger()) return value.IsUnsigned() ? std::to_string(value.AsUint64()) : std::to_string(value.AsInteger());
  if (value.IsBool()) return value.AsBoolean() ? "1" : "0";
  return {};
}

}  // namespace

namespace meeting_alarm::internal {

analytics::Properties DashboardParams() {
  const Variant meeting = model::QueryAnswer(model_id::kMeetingModel, model_command::meeting::kMeetingInfo);
  const Variant& item = meeting.Get("meeting_item");
  return {{"meeting_id", ValueText(item.Get("meeting_id"))}, {"meeting_type", ValueText(item.Get("meeting_type"))}};
}

std::string ParamText(const Variant* params, const char* key) {
  return params && params->IsMap() ? ValueText(params->Get(key)) : std::string();
}

}  // namespace meeting_alarm::internal

std::string MeetingAlarmViewModel::GetCurrentMid() {
  return velto_common::utils::webinar::IsMeetingWebinar() ? kWebinarMid : kMeetingMid;
}

std::string MeetingAlarmViewModel::GetUrlWithMid(const std::string& url) {
  if (url.find("mid=") != std::string::npos) return url;
  return url + (url.find('?') != std::string::npos ? "&mid=" : "?mid=") + GetCurrentMid();
}

void MeetingAlarmViewModel::NotifyAlarmShown() {
  const int64_t id = AlarmId(current_alarm_);
  const Variant alarm_id(id);
  model::Call(model_id::kMeetingAlarmModel, alarm_cmd::kAlarmShown, &alarm_id, nullptr);
  analytics::Properties properties = DashboardParams();
  properties["category"] = ValueText(current_alarm_.Get("category"));
  properties["alarm_type"] = ValueText(current_alarm_.Get(kFieldMeetingInfoType));
  properties["from_entrance"] = GetCurrentMid();
  analytics::LogEventWithProperties("e#meeting#i_tips#exposure", properties);
  switch (current_alarm_.GetInteger(kFieldBtnType)) {
    case kBtnTypeTimeCard:
      analytics::LogEventWithProperties("e#i_time_tips#time_card#exposure", properties);
      break;
    case kBtnTypeUpgrade:
      analytics::LogEventWithProperties("e#i_time_tips#go_upgrade#exposure", properties);
      break;
    default:
      break;
  }
}

void MeetingAlarmViewModel::HandleExtraBtnAction(const Variant* params) {
  if (IsHitActionThreshold(kActionClickExtraBtn, kClickThresholdMs)) return;
  RecordLastAction4Threshold(kActionClickExtraBtn);
  if (!model::Ask(model_id::kAuthorizationModel, model_command::authorization::kMayActNow)) {
    ShowToast(GetLocalizedString(kNoPermissionToastText), 0, kToastDurationMs);
    return;
  }
  HandleClickExtraBtn(params);
}

void MeetingAlarmViewModel::HandleClickExtraBtn(const Variant* params) {
  const int64_t id = AlarmId(current_alarm_);
  if (id == 0) {
    VELTO_LOG(log::kNotable) << "cur_alarm is null";
    return;
  }
  analytics::Properties properties = DashboardParams();
  properties["from_entrance"] = GetCurrentMid();
  properties["stay_duration"] = ParamText(params, "stay_duration");
  properties["tic_toc"] = ParamText(params, "tic_toc");
  const int64_t btn_type = current_alarm_.GetInteger(kFieldBtnType);
  switch (btn_type) {
    case kBtnTypeTimeCard:
      UsePromotionCard();
      analytics::LogEventWithProperties("e#i_time_tips#time_card#click", std::move(properties));
      break;
    case kBtnTypeUpgrade:
      Upgrade();
      properties["mid"] = GetCurrentMid();
      analytics::LogEventWithProperties("e#i_time_tips#go_upgrade#click", std::move(properties));
      break;
    default:
      VELTO_LOG(log::kNotable) << "alarm_id[" << id << "] unknown btn_type:" << btn_type;
      break;
  }
}

void MeetingAlarmViewModel::UsePromotionCard() {
  VELTO_LOG(log::kTrace) << "alarm_id[" << AlarmId(current_alarm_) << "]";
  Variant request = Variant::Map();
  request["from_entrance"] = GetCurrentMid();
  model::Call(model_id::kMeetingLimitModel, limit_cmd::kUsePromotionCard, &request, nullptr);
}

void MeetingAlarmViewModel::OnEventUsePromotionCardResult(const Variant* result) {
  const Variant* success = result && result->IsMap() ? result->Find("success") : nullptr;
  if (!success || !success->IsBool()) {
    VELTO_LOG(log::kFailure) << "result is invalid ," << (result ? *result : Variant());
    return;
  }
  if (success->AsBoolean()) return;
  const std::string message = result->GetString("err_msg");
  if (message.empty()) {
    VELTO_LOG(log::kNotable) << "no error msg";
    return;
  }
  ShowToast(message, 0, kToastDurationMs);
}

void MeetingAlarmViewModel::Upgrade() {
  const std::string url = GetUrlWithMid(current_alarm_.GetString("btn_data"));
  VELTO_LOG(log::kTrace) << "alarm_id[" << AlarmId(current_alarm_)
                         << "] do upgrade:" << velto_common::utils::web::internal::AddressForLog(url);
  Variant page = Variant::Map();
  page["url"] = url;
  page["web_view_title"] =
      FormatString(kUpgradePageTitleText).Arg("app_name", velto_common::utils::context::GetAppName()).Str();
  page["wnd_size_width"] = 680;
  page["wnd_size_height"] = 627;
  page["show_max_btn"] = false;
  page["show_min_btn"] = false;
  page["fix_size"] = true;
  page["hide_toolbar"] = true;
  NavigateParams navigate;
  // One instance: a second upgrade brings the same page forward.
  navigate.instance_id = kUpgradeInstanceId;
  OpenWebPage(url, context(), /*use_inner_webview=*/true, std::move(page), std::move(navigate));
}

}  // namespace velto
