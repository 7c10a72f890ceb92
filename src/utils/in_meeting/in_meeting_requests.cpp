// Requests to the meeting window posted on the event bus, and the answers this platform fixes.
#include <string>

#include "module_api/in_meeting/in_meeting_utils.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::inmeeting {

using velto::model::Variant;

namespace {

using velto::model_command::event_bus::kPostEvent;
using velto::model_event::event_bus::kEnterImmersiveMode;
using velto::model_event::event_bus::kLeaveImmersiveMode;
using velto::model_event::event_bus::kHideMeetingInfoTopBar;
using velto::model_event::event_bus::kShowMeetingInfoTopBar;

Variant Request(int event_id) {
  Variant request = Variant::Map();
  request["event_id"] = event_id;
  return request;
}

void Post(const Variant& request) {
  velto::model::Call(velto::model_id::kEventBusModel, kPostEvent, &request, nullptr);
}

Variant LeaveRequest(bool request_with_no_timer, bool request_with_delay) {
  Variant request = Request(kLeaveImmersiveMode);
  request["request_with_no_timer"] = request_with_no_timer;
  request["request_with_delay"] = request_with_delay;
  return request;
}

}  // namespace

void HandleEventBusForMeetingRequestEnterImmersiveMode(bool delay, const Variant& params) {
  Variant request = Request(kEnterImmersiveMode);
  request["delay"] = delay;
  if (params.Has("type")) request["type"] = params.GetUint32("type", 0);
  Post(request);
}

void HandleEventBusForMeetingRequestLeaveImmersiveMode(bool request_with_no_timer, bool request_with_delay) {
  Post(LeaveRequest(request_with_no_timer, request_with_delay));
}

void HandleEventBusForMeetingRequestHideMeetingInfoTopBar() { Post(Request(kHideMeetingInfoTopBar)); }

void HandleEventBusForMeetingRequestShowMeetingInfoTopBar() { Post(Request(kShowMeetingInfoTopBar)); }

void HandleEventBusForMeetingRoomsRequestEnterImmersiveMode(const std::string& reason, bool delay) {
  VELTO_LOG(velto::log::kTrace) << "reason:" << reason << " delay:" << static_cast<int>(delay);
  Variant request = Request(kEnterImmersiveMode);
  request["delay"] = delay;
  Post(request);
}

void HandleEventBusForMeetingRoomsRequestLeaveImmersiveMode(const std::string& reason, bool request_with_no_timer,
                                                             bool request_with_delay) {
  VELTO_LOG(velto::log::kTrace) << "reason:" << reason
                                << " request_with_no_timer:" << static_cast<int>(request_with_no_timer)
                                << " request_with_delay:" << static_cast<int>(request_with_delay);
  Post(LeaveRequest(request_with_no_timer, request_with_delay));
}

// Features of other platforms (AirPlay, telephone calls, audio interruptions, spotlight video,
// preview casting, third-party apps, cloud recording of web shares).
bool IsAirplaySharing() { return false; }
bool IsAudioInterrupted() { return false; }
bool IsInQuickAirplayMeeting() { return false; }
bool IsInQuickPstnMeeting() { return false; }
bool IsPhoneCalling() { return false; }
bool IsPreviewCastSharing() { return false; }
bool IsSpotlightVideoMode() { return false; }
bool IsSupportAudioInterruptAndResume() { return false; }
bool IsSupportShowOtherMemberAudioInterruptUI() { return false; }
bool IsThirdPartAppVisible() { return false; }
bool IsWebShareCloudRecordEnable() { return false; }
bool ShouldRestartAudioWhenInterrupted() { return false; }

}  // namespace velto_common::utils::inmeeting
