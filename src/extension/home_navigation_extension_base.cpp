#include "module_api/extension/home_navigation_extension_base.h"

#include "extension/extension_support.h"
#include "framework/viewmodel.h"
#include "module_api/join/join_utils.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto {
namespace {

framework::Model* AppModel(int model_id) {
  framework::module::IModuleService* service = framework::module::GetModuleService();
  framework::module::IModuleRuntime* runtime = service ? service->GetAppModuleRuntime() : nullptr;
  return runtime ? runtime->GetModel(model_id) : nullptr;
}

}  // namespace

void HomeNavigationExtensionBase::SubscribeRoomEvent() {
  auto* view_model = dynamic_cast<framework::ViewModel*>(this);
  const int64_t id = observer_id();
  auto subscribe = [&](framework::Model* model, int event_id, void (HomeNavigationExtensionBase::*handler)(const Variant*)) {
    if (view_model) view_model->RecordSubscribe(model, id);
    model->Subscribe(event_id, id,
                     extension_support::Guarded(this, [this, handler](const Variant* v) { (this->*handler)(v); }));
  };
  if (framework::Model* meeting = AppModel(model_id::kMeetingModel)) {
    subscribe(meeting, model_event::meeting::kLeaveComplete, &HomeNavigationExtensionBase::OnEventLeaveComplete);
    subscribe(meeting, model_event::meeting::kJoinComplete, &HomeNavigationExtensionBase::OnEventJoinComplete);
    subscribe(meeting, model_event::meeting::kDismissComplete,
              &HomeNavigationExtensionBase::OnEventDismissComplete);
    // Marked here as well: with the meeting model subscribed and no event bus, OnUninit must
    // still let the meeting model go.
    room_event_subscribed_ = true;
  }
  if (framework::Model* bus = AppModel(model_id::kEventBusModel)) {
    subscribe(bus, model_event::event_bus::kDismissMeetingView, &HomeNavigationExtensionBase::OnEventDismissMeetingView);
    room_event_subscribed_ = true;
  }
}

void HomeNavigationExtensionBase::OnUninit() {
  if (!room_event_subscribed_) return;
  if (framework::Model* meeting = AppModel(model_id::kMeetingModel)) meeting->Unsubscribe(observer_id());
  if (framework::Model* bus = AppModel(model_id::kEventBusModel)) bus->Unsubscribe(observer_id());
}

bool HomeNavigationExtensionBase::InmeetingState() {
  return model::Ask(model_id::kMeetingModel, model_command::meeting::kInMeeting);
}

void HomeNavigationExtensionBase::UpdateItemStatusByRoomStatus(bool) {}

void HomeNavigationExtensionBase::OnEventJoinComplete(const Variant* event) {
  if (!event) {
    VELTO_LOG(log::kRejected) << "join complete without payload";
    return;
  }
  const int32_t result = event->GetInt32("result");
  VELTO_LOG(log::kTrace) << "result:" << result;
  if (result == 0) UpdateItemStatusByRoomStatus(true);
}

void HomeNavigationExtensionBase::OnEventLeaveComplete(const Variant*) { UpdateItemStatusWhenLeaveMeetingIfNeeded(); }

void HomeNavigationExtensionBase::OnEventDismissComplete(const Variant*) { UpdateItemStatusWhenLeaveMeetingIfNeeded(); }

void HomeNavigationExtensionBase::OnEventDismissMeetingView(const Variant*) {
  UpdateItemStatusByRoomStatus(false);
  VELTO_LOG(log::kTrace) << "meeting view dismiss";
}

void HomeNavigationExtensionBase::UpdateItemStatusWhenLeaveMeetingIfNeeded() {
  if (velto_common::utils::join::IsRoomSwitching()) {
    VELTO_LOG(log::kTrace) << "is room switch";
    return;
  }
  UpdateItemStatusByRoomStatus(false);
}

}  // namespace velto
