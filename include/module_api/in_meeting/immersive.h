// Requests to the meeting window posted on the event bus (model 502, command 1): immersive
// mode and the meeting-information bar.
//
//   base::variant::Variant params = base::variant::Variant::Map();
//   params["type"] = 1u;
//   inmeeting::HandleEventBusForMeetingRequestEnterImmersiveMode(true, params);
#pragma once

#include <string>

#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto_common::utils::inmeeting {

// Event 12 with "delay" and, when `params` has it, "type".
VELTO_API void HandleEventBusForMeetingRequestEnterImmersiveMode(bool delay, const base::variant::Variant& params);
VELTO_API void HandleEventBusForMeetingRequestLeaveImmersiveMode(bool request_with_no_timer, bool request_with_delay);
VELTO_API void HandleEventBusForMeetingRequestHideMeetingInfoTopBar();
VELTO_API void HandleEventBusForMeetingRequestShowMeetingInfoTopBar();
// The meeting-room forms log why they ask.
VELTO_API void HandleEventBusForMeetingRoomsRequestEnterImmersiveMode(const std::string& reason, bool delay);
VELTO_API void HandleEventBusForMeetingRoomsRequestLeaveImmersiveMode(const std::string& reason,
                                                                     bool request_with_no_timer,
                                                                     bool request_with_delay);

}  // namespace velto_common::utils::inmeeting
