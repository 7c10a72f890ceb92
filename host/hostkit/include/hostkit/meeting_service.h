// hostkit: the platform meeting service (veltosdk::utils::service::GetMeetingService): the local
// user's self information and devices, the meeting's windows, the meeting state and what the
// video controller was told.
//
//   veltosdk::MeetingSelfInfo self;
//   self.valid = true;
//   self.devices = {{"default", 0, true}, {"pad", 3, false}};
//   hostkit::SetSelfInfo(self);
//   EXPECT_TRUE(velto_common::utils::inmeeting::IsMultipleDevicesJoinedInMeeting());
//
// hostkit::Reset() makes the service available with no self information, no windows, the
// meeting mode off and no batch switches recorded.
#pragma once

#include <optional>
#include <vector>

#include "veltosdk/utils/meeting_service.h"

namespace hostkit {

void SetMeetingServiceAvailable(bool available);
// nullopt: GetSelfInfo() answers null.
void SetSelfInfo(std::optional<veltosdk::MeetingSelfInfo> self);
void SetMeetingWindows(std::vector<veltosdk::MeetingWindowInfo> windows);
void SetMeetingState(veltosdk::MeetingState state);
// Every SetBatchOperation argument, in order.
const std::vector<bool>& VideoBatchOperations();

}  // namespace hostkit
