#include "module_api/viewmodel/meeting_alarm_viewmodel.h"

#include <string>

#include "frame/model_subscription.h"
#include "module_api/in_meeting/windows.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "viewmodel/action_report.h"
#include "viewmodel/meeting_alarm_support.h"

namespace velto {
namespace {

using namespace meeting_alarm;
using namespace meeting_alarm::internal;
namespace event = velto::model_event;

// The models this view model listens to; detaching leaves each of them.
constexpr int kSubscribedModels[] = {model_id::kMeetingModel,      model_id::kMeetingModeModel,
                                     model_id::kMainWindowModel,   model_id::kMeetingAlarmModel,
                                     model_id::kMeetingLimitModel, model_id::kEventBusModel};

bool IsImmersive() {
  return velto_common::utils::inmeeting::GetImmersiveMode(InMeetingWindow::kMainWindow);
}

// The property map of a model alarm, with the alarm's own keys carried along.
Variant BuildAlarmInfo(const Variant& alarm, bool visible) {
  Variant info = Variant::Map();
  info[kFieldVisible] = visible;
  info[kFieldAnimationType] = alarm.GetInteger("animation_type");
  info[kFieldTitle] = alarm.GetString("title");
  info[kFieldMeetingInfoType] = alarm.GetInteger("meeting_info_type");
  info[kFieldBtnType] = alarm.GetInteger("btn_type");
  info[kFieldBtnTitle] = alarm.GetString("btn_title");
  info[kFieldBtnTips] = alarm.GetString("btn_tips");
  info["id"] = AlarmId(alarm);
  for (const char* key : {"category", "stay_duration", "btn_data"}) {
    if (const Variant* value = alarm.Find(key)) info[key] = *value;
  }
  return info;
}

}  // namespace

MeetingAlarmViewModel::MeetingAlarmViewModel() = default;

MeetingAlarmViewModel::~MeetingAlarmViewModel() = default;

void MeetingAlarmViewModel::OnViewCreated(const Variant* params) {
  StatefulViewModel::OnViewCreated(params);
  Variant data;
  InitStatelessData(data);
  SetAlarmInfoProp(data);
}

void MeetingAlarmViewModel::OnViewAttached(const Variant* params) {
  StatefulViewModel::OnViewAttached(params);
  SubscribeModels();
  const bool immersive = IsImmersive();
  const bool media_room_joined = IsMediaRoomJoined();
  visible_ = IsAlarmAreaVisible();
  VELTO_LOG(log::kTrace) << "visible(" << visible_ << ") immersive(" << immersive
                         << ") is_media_room_joined =" << media_room_joined;
  UpdateAlarm();
}

void MeetingAlarmViewModel::OnViewDetached() {
  UnsubscribeModels();
  check_alarm_task_.reset();
  is_animating_ = false;
  update_waiting_ = false;
  ClearAlarm();
  visible_ = false;
  StatefulViewModel::OnViewDetached();
}

void MeetingAlarmViewModel::HandleAction(int action_id, const Variant* params) {
  StatefulViewModel::HandleAction(action_id, params);
  viewmodel::ReportStatisticsId(params);
  switch (action_id) {
    case kActionAnimationEnd:
      HandleAlarmInfoAnimationEnd(params);
      break;
    case kActionClickExtraBtn:
      HandleExtraBtnAction(params);
      break;
    default:
      break;
  }
}

void MeetingAlarmViewModel::InitStatelessData(Variant& data) { data = GenerateClearAlarmInfo(); }

void MeetingAlarmViewModel::HandleAlarmInfoAnimationEnd(const Variant* /*params*/) {
  is_animating_ = false;
  bool shown = false;
  if (AlarmId(current_alarm_) == 0) {
    VELTO_LOG(log::kNotable) << "alarm should be hidden with no animation";
  } else if (AnimationType(current_alarm_) == 0) {
    // Published without animation, so already handled then: only a hidden one is dropped.
    VELTO_LOG(log::kNotable) << "current alarm need no animation";
    shown = IsShowing(current_alarm_);
  } else {
    shown = IsShowing(current_alarm_);
    if (shown) NotifyAlarmShown();
  }
  if (!shown) current_alarm_ = Variant();
  if (!visible_) {
    ClearAlarm();
    return;
  }
  // A hidden alarm makes room for the next one; a shown one looks again only when something
  // arrived while it was animating.
  if (!shown || update_waiting_) {
    update_waiting_ = false;
    CheckAlarmAsync();
  }
}

void MeetingAlarmViewModel::OnEventImmersiveModeChanged(const Variant* /*params*/) { UpdateState(); }

Variant MeetingAlarmViewModel::GenerateNewAlarmInfo() {
  const Variant alarm = model::QueryAnswer(model_id::kMeetingAlarmModel, alarm_cmd::kCurrentAlarm);
  const int64_t id = AlarmId(alarm);
  const int64_t current_id = AlarmId(current_alarm_);
  if (current_id != 0 && id != current_id) {
    // The shown alarm went away, or another one wants the place: it leaves first.
    Variant info = current_alarm_;
    info[kFieldVisible] = false;
    VELTO_LOG(log::kTrace) << "hide current alarm[" << current_id << "]";
    return info;
  }
  if (id == 0) {
    VELTO_LOG(log::kTrace) << "no alarm need to show";
    return Variant();
  }
  const bool immersive = IsImmersive();
  Variant info = BuildAlarmInfo(alarm, !immersive);
  if (current_id != 0) {
    if (immersive) {
      VELTO_LOG(log::kTrace) << "hide current alarm[" << id << "]";
    } else {
      // Already on screen: the banner changes in place.
      info[kFieldAnimationType] = 0;
      VELTO_LOG(log::kTrace) << "update current alarm[" << id << "]";
    }
    return info;
  }
  if (immersive) return Variant();  // nothing on screen; the alarm waits for the window
  VELTO_LOG(log::kTrace) << "show new alarm[" << id << "]: " << info.GetString(kFieldTitle);
  return info;
}

Variant MeetingAlarmViewModel::GenerateClearAlarmInfo() {
  Variant info = BuildAlarmInfo(Variant::Map(), false);
  info.Remove("id");
  return info;
}

bool MeetingAlarmViewModel::IsMediaRoomJoined() {
  return model::Ask(model_id::kMeetingModel, model_command::meeting::kMediaRoomJoined);
}

void MeetingAlarmViewModel::UpdateState() {
  visible_ = IsAlarmAreaVisible();
  if (is_animating_) {
    VELTO_LOG(log::kTrace) << "is_animating_ is true";
    update_waiting_ = true;
    return;
  }
  if (visible_) {
    UpdateAlarm();
  } else {
    ClearAlarm();
  }
}

void MeetingAlarmViewModel::UpdateAlarm() {
  if (!visible_) return;
  if (is_animating_) {
    update_waiting_ = true;
    return;
  }
  const Variant info = GenerateNewAlarmInfo();
  if (!info.IsMap() || info.empty()) return;
  SetAlarmInfoProp(info);
  const int64_t id = AlarmId(info);
  if (id == 0) return;
  if (AnimationType(info) != 0) {
    current_alarm_ = info;
    is_animating_ = true;
    const Variant alarm_id(id);
    model::Call(model_id::kMeetingAlarmModel, alarm_cmd::kAlarmPresenting, &alarm_id, nullptr);
    return;
  }
  if (!IsShowing(info)) {
    VELTO_LOG(log::kTrace) << "hide current alarm[" << id << "] without animation";
    current_alarm_ = Variant();
    CheckAlarmAsync();
    return;
  }
  const int64_t previous_id = AlarmId(current_alarm_);
  current_alarm_ = info;
  if (id != previous_id) {
    VELTO_LOG(log::kTrace) << "show alarm[" << id << "] without animation";
    NotifyAlarmShown();
  } else {
    VELTO_LOG(log::kTrace) << "update alarm[" << id << "]";
  }
}

void MeetingAlarmViewModel::ClearAlarm() {
  SetAlarmInfoProp(GenerateClearAlarmInfo());
  current_alarm_ = Variant();
}

void MeetingAlarmViewModel::SubscribeModels() {
  namespace meeting = event::meeting;
  const int64_t me = model::ObserverId(this);
  const auto state_change = [this](const Variant*) { UpdateState(); };
  for (int meeting_event : {meeting::kJoinComplete, meeting::kLeaveComplete, meeting::kSelfMoveToMeetingRoom,
                            meeting::kSelfMoveToWaitingRoom}) {
    model::SubscribeEvent(this, me, model_id::kMeetingModel, meeting_event, state_change);
  }
  model::SubscribeEvent(this, me, model_id::kMeetingModeModel, event::meeting_mode::kMeetingModeChanged,
                        state_change);
  model::SubscribeEvent(this, me, model_id::kMainWindowModel, event::main_window::kWindowStateChanged,
                        state_change);
  model::SubscribeEvent(this, me, model_id::kMeetingAlarmModel, event::meeting_alarm::kAlarmUpdated,
                        [this](const Variant* v) { OnEventAlarmUpdated(v); });
  model::SubscribeEvent(this, me, model_id::kMeetingLimitModel, event::meeting_limit::kUsePromotionCardResult,
                        [this](const Variant* v) { OnEventUsePromotionCardResult(v); });
  for (int bus_event : {event::event_bus::kDidEnterImmersiveMode, event::event_bus::kDidLeaveImmersiveMode}) {
    model::SubscribeEvent(this, me, model_id::kEventBusModel, bus_event,
                          [this](const Variant* v) { OnEventImmersiveModeChanged(v); });
  }
}

void MeetingAlarmViewModel::UnsubscribeModels() {
  const int64_t me = model::ObserverId(this);
  for (int id : kSubscribedModels) model::UnsubscribeModel(this, me, id);
}

void MeetingAlarmViewModel::SetAlarmInfoProp(const Variant& info) {
  VELTO_LOG(log::kTrace) << "alarm info: " << info;
  SetPropValue(kAlarmInfoProp, info);
}

void MeetingAlarmViewModel::CheckAlarmAsync() {
  check_alarm_task_ = velto_common::utils::timer::Post([this] { UpdateAlarm(); }, 0);
}

void MeetingAlarmViewModel::OnEventAlarmUpdated(const Variant* /*params*/) { UpdateAlarm(); }

}  // namespace velto
