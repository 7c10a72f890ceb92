#include "module_api/viewmodel/inmeeting_time_info_viewmodel.h"

#include <string>

#include "frame/model_subscription.h"
#include "module_api/analytics.h"
#include "module_api/log.h"
#include "module_api/members/member_utils.h"
#include "module_api/model/model_call.h"
#include "viewmodel/action_report.h"
#include "viewmodel/time_info_support.h"

namespace velto {
namespace {

using namespace time_info;
using namespace time_info::internal;
namespace event = velto::model_event;
namespace analytics = velto_common::utils::analytics;

// The models the label listens to; detaching leaves each of them.
constexpr int kSubscribedModels[] = {model_id::kMeetingLimitModel,    model_id::kMeetingTimeModel,
                                     model_id::kTimeTypeModel,        model_id::kMeetingSettingsModel,
                                     model_id::kMeetingAlarmModel,    model_id::kEventBusModel,
                                     model_id::kMeetingModel};

bool IsElapsedTimeEnabled() {
  return model::QueryValue<bool>(model_id::kMeetingSettingsModel,
                                 model_command::meeting_settings::kElapsedTimeEnabled, nullptr,
                                 {"is_elapsed_time_enabled"}, false);
}

bool IsCountdownAlarmShowing() {
  return model::QueryValue<bool>(model_id::kMeetingAlarmModel,
                                 model_command::meeting_alarm::kCountdownAlarmShowing, nullptr, {}, false);
}

}  // namespace

InmeetingTimeInfoViewModel::InmeetingTimeInfoViewModel() = default;

InmeetingTimeInfoViewModel::~InmeetingTimeInfoViewModel() = default;

void InmeetingTimeInfoViewModel::HandleAction(int action_id, const Variant* params) {
  StatefulViewModel::HandleAction(action_id, params);
  viewmodel::ReportStatisticsId(params);
  switch (action_id) {
    case kActionTimeClick:
      HandleActionOnTimeClick(params);
      break;
    case kActionTimeHover:
      HandleActionOnTimeHover(params);
      break;
    case kActionMiniModeChange:
      HandleActionOnMiniModeChange(params);
      break;
    default:
      break;
  }
}

void InmeetingTimeInfoViewModel::OnViewAttached(const Variant* params) {
  StatefulViewModel::OnViewAttached(params);
  SubscribeModels();
  CheckMeetingLimitInfoWhenAttached();
}

void InmeetingTimeInfoViewModel::OnViewDetached() {
  const int64_t me = model::ObserverId(this);
  for (int id : kSubscribedModels) model::UnsubscribeModel(this, me, id);
  StopLimitTimer();
  StatefulViewModel::OnViewDetached();
}

void InmeetingTimeInfoViewModel::SubscribeModels() {
  const int64_t me = model::ObserverId(this);
  model::SubscribeEvent(this, me, model_id::kMeetingLimitModel, event::meeting_limit::kLimitInfoUpdated,
                        [this](const Variant* v) { OnEventMeetingLimitInfoUpdate(v); });
  model::SubscribeEvent(this, me, model_id::kMeetingTimeModel, event::meeting_time::kElapsedTime,
                        [this](const Variant* v) { OnEventElapsedTime(v); });
  model::SubscribeEvent(this, me, model_id::kTimeTypeModel, event::time_type::kTimeTypeChanged,
                        [this](const Variant* v) { OnTimeTypeDidChange(v); });
  model::SubscribeEvent(this, me, model_id::kTimeTypeModel, event::time_type::kTimeMenuClosed,
                        [this](const Variant* v) { OnTimeMenuClose(v); });
  model::SubscribeEvent(this, me, model_id::kMeetingSettingsModel,
                        event::meeting_settings::kElapsedTimeVisibilityChanged,
                        [this](const Variant*) { UpdateElapsedTimeVisibility(false); });
  model::SubscribeEvent(this, me, model_id::kMeetingAlarmModel, event::meeting_alarm::kAlarmUpdated,
                        [this](const Variant*) { UpdateElapsedTimeVisibility(false); });
  model::SubscribeEvent(this, me, model_id::kEventBusModel, event::event_bus::kDidEnterImmersiveMode,
                        [this](const Variant* v) { OnEventDidEnterImmersiveMode(v); });
  model::SubscribeEvent(this, me, model_id::kEventBusModel, event::event_bus::kDidLeaveImmersiveMode,
                        [this](const Variant* v) { OnEventDidLeaveImmersiveMode(v); });
  model::SubscribeEvent(this, me, model_id::kMeetingModel, event::meeting::kJoinComplete,
                        [this](const Variant* v) { OnEventJoinComplete(v); });
}

void InmeetingTimeInfoViewModel::CheckMeetingLimitInfoWhenAttached() {
  UpdateElapsedTimeVisibility(false);
  if (!model::Ask(model_id::kMeetingModel, model_command::meeting::kInMeeting)) return;
  if (GetCurrentTimeType() == kTypeNormal) GetNormalMeetingTimeAndShow();
  CheckMeetingLimitInfo(false);
}

void InmeetingTimeInfoViewModel::GetNormalMeetingTimeAndShow() { ProcessTimeInfo(GetMeetingElapsedSeconds()); }

void InmeetingTimeInfoViewModel::OnEventElapsedTime(const Variant* seconds) {
  if (GetCurrentTimeType() != kTypeNormal) return;
  ProcessTimeInfo(seconds ? seconds->AsUint64() : 0);
}

void InmeetingTimeInfoViewModel::OnEventJoinComplete(const Variant* /*params*/) {
  SetCurrentTimeType(kTypeNormal);
  if (GetCurrentTimeType() == kTypeNormal) ReportMeetingTimeInfoWithVisibilityCheck();
}

void InmeetingTimeInfoViewModel::OnTimeMenuClose(const Variant* /*params*/) {
  VELTO_LOG(log::kTrace) << "time menu did close, button style should change.";
  SetTimeInfoField(kFieldSelected, false);
}

void InmeetingTimeInfoViewModel::OnEventDidEnterImmersiveMode(const Variant* /*params*/) {
  immersive_ = true;
  UpdateElapsedTimeVisibility(false);
}

void InmeetingTimeInfoViewModel::OnEventDidLeaveImmersiveMode(const Variant* /*params*/) {
  immersive_ = false;
  UpdateElapsedTimeVisibility(false);
}

void InmeetingTimeInfoViewModel::HandleActionOnMiniModeChange(const Variant* params) {
  const Variant* mini = params && params->IsMap() ? params->Find("mini_ui") : nullptr;
  if (!mini || !mini->IsBool()) {
    VELTO_LOG(log::kRejected) << "params error, need mini_ui";
    return;
  }
  mini_ui_ = mini->AsBoolean();
  // The setting did not change, the window did: the label is written all the same.
  UpdateElapsedTimeVisibility(true);
}

void InmeetingTimeInfoViewModel::UpdateElapsedTimeVisibility(bool force) {
  bool visible = IsElapsedTimeEnabled();
  if (visible && NeedResponseCountdownAlarm() && IsCountdownAlarmShowing()) {
    visible = false;
  } else if (NeedResponseImmersiveMode()) {
    // Immersive mode hides the label; it never shows one the user turned off.
    visible = visible && !immersive_;
  }
  if (visible == elapsed_time_visible_ && !force) return;
  elapsed_time_visible_ = visible;
  VELTO_LOG(log::kTrace) << "visibility changed to" << visible;
  Variant info = GetPropValue(kTimeInfoProp);
  if (!info.IsMap()) info = Variant::Map();
  info[kFieldVisibility] = visible && !mini_ui_;
  info[kFieldSettingVisibility] = visible;
  SetPropValue(kTimeInfoProp, info);
  ReportMeetingTimeInfoWithVisibilityCheck();
}

void InmeetingTimeInfoViewModel::SetTimeInfoField(const char* field, bool value) {
  Variant info = GetPropValue(kTimeInfoProp);
  if (!info.IsMap()) info = Variant::Map();
  info[field] = value;
  SetPropValue(kTimeInfoProp, info);
}

void InmeetingTimeInfoViewModel::HandleActionOnTimeClick(const Variant* params) {
  if (!in_limit_meeting_) {
    VELTO_LOG(log::kNotable) << "not in limt meeting, can't shift time.";
    return;
  }
  const Variant* x = params && params->IsMap() ? params->Find("menu_x") : nullptr;
  const Variant* y = params && params->IsMap() ? params->Find("menu_y") : nullptr;
  if (!x || !y || !x->IsNumber() || !y->IsNumber()) {
    VELTO_LOG(log::kRejected) << "need x,y for menu.";
    return;
  }
  const int32_t menu_x = x->IsInteger() ? x->AsInt32() : static_cast<int32_t>(x->AsDouble());
  const int32_t menu_y = y->IsInteger() ? y->AsInt32() : static_cast<int32_t>(y->AsDouble());
  SetTimeInfoField(kFieldSelected, true);
  VELTO_LOG(log::kTrace) << "time menu should open, button style should change.";
  const int32_t popup_align = GetPopupAlign(menu_x, menu_y);
  VELTO_LOG(log::kTrace) << "Push to SCHEME_MEETING_ELAPSEDTIME, x:" << menu_x << ", y:" << menu_y
                         << ", popup_align:" << popup_align;
  Variant arguments = Variant::Map();
  arguments["menu_x"] = menu_x;
  arguments["menu_y"] = menu_y;
  arguments["popup_align"] = popup_align;
  arguments["is_top_most"] = true;
  arguments["from_entrance"] = "inmeeting_status_bar";
  Navigate(kElapsedTimeMenuPage, arguments);
  SetPropValue(kMenuAnchorProp, nullptr);
}

void InmeetingTimeInfoViewModel::HandleActionOnTimeHover(const Variant* /*params*/) {
  analytics::LogEvent("e#meeting#meeting_duration_hover#exposure");
}

void InmeetingTimeInfoViewModel::ReportMeetingTimeInfo(const std::string& event_name) {
  const Variant meeting = model::QueryAnswer(model_id::kMeetingModel, model_command::meeting::kMeetingInfo);
  const std::string creator_uid = meeting.Get("meeting_item").GetString("creator_uid");
  const bool is_creator = !creator_uid.empty() && creator_uid == velto_common::utils::member::GetSelfAppUid();
  analytics::Properties properties;
  properties["is_limit"] = in_limit_meeting_ ? "1" : "0";
  properties["is_creator"] = is_creator ? "1" : "0";
  properties["attend_time"] = std::to_string(GetMeetingElapsedSeconds());
  if (event_name == "e#meeting#time_bar#click") {
    properties["change_tiem"] = GetCurrentTimeType() == kTypeLimit ? "meeting_time" : "attend_time";
  }
  properties["scene"] = GetReportScene();
  analytics::LogEventWithProperties(event_name, std::move(properties));
}

void InmeetingTimeInfoViewModel::ReportMeetingTimeInfoWithVisibilityCheck() {
  if (!elapsed_time_visible_ || mini_ui_) return;
  switch (GetCurrentTimeType()) {
    case kTypeNormal:
      ReportMeetingTimeInfo("e#meeting#attend_time#exposure");
      break;
    case kTypeLimit:
      ReportMeetingTimeInfo("e#meeting#meeting_time#exposure");
      break;
    default:
      VELTO_LOG(log::kNotable) << "unkonwn report event, check it.";
      break;
  }
}

}  // namespace velto
