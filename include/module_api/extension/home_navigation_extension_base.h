// velto::HomeNavigationExtensionBase: a navigation item of the home page that changes with the
// meeting (for example "back to the meeting"). After SubscribeRoomEvent it hears joins, leaves,
// dismissals and the meeting view going away, and calls UpdateItemStatusByRoomStatus; leaving
// while the client only switches rooms is not a leave.
//
//   class BackToMeetingItem : public velto::HomeNavigationExtensionBase {
//     void OnInit(const Variant*) override { SubscribeRoomEvent(); UpdateItemStatus(InmeetingState()); }
//     void UpdateItemStatusByRoomStatus(bool in_room) override { UpdateItemStatus(in_room); }
//   };
#pragma once

#include "module_api/export.h"
#include "module_api/extension/module_extension.h"

namespace velto {

class VELTO_API HomeNavigationExtensionBase : public ModuleExtension {
 public:
  using ModuleExtension::ModuleExtension;

  // Meeting model events 1 (join complete), 2 (leave complete) and 23 (dismissed), event bus
  // event 96 (meeting view dismissed). Recorded with the view model when this is also one.
  void SubscribeRoomEvent();
  // In a meeting now (meeting model, command 0).
  bool InmeetingState();

 protected:
  // Drops the room subscriptions.
  void OnUninit() override;
  virtual void UpdateItemStatusByRoomStatus(bool in_room);

  void OnEventJoinComplete(const Variant* event);
  void OnEventLeaveComplete(const Variant* event);
  void OnEventDismissComplete(const Variant* event);
  void OnEventDismissMeetingView(const Variant* event);
  void UpdateItemStatusWhenLeaveMeetingIfNeeded();

  bool room_event_subscribed_ = false;
};

}  // namespace velto
