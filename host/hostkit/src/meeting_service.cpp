#include "hostkit/meeting_service.h"

#include <memory>
#include <utility>

#include "veltosdk/meeting_service_state.h"

namespace hostkit {

using host_internal::meeting::State;

void SetMeetingServiceAvailable(bool available) { State().available = available; }

void SetSelfInfo(std::optional<veltosdk::MeetingSelfInfo> self) {
  State().self = self ? std::make_shared<const veltosdk::MeetingSelfInfo>(std::move(*self)) : nullptr;
}

void SetMeetingWindows(std::vector<veltosdk::MeetingWindowInfo> windows) {
  State().windows.clear();
  for (auto& window : windows) {
    State().windows.push_back(std::make_shared<const veltosdk::MeetingWindowInfo>(std::move(window)));
  }
}

void SetMeetingState(veltosdk::MeetingState state) { State().state = state; }

const std::vector<bool>& VideoBatchOperations() { return State().batch_operations; }

}  // namespace hostkit
