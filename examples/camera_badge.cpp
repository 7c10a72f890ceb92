#include "camera_badge.h"

#include "base/variant/variant.h"
#include "module_api/in_meeting/meeting_state.h"
#include "module_api/members/user_provider.h"

namespace camera_badge {

namespace utils = velto_common::utils;

CameraBadge::CameraBadge()
    : cameras_(utils::UserProvider::InMeetingUsers(),
               [](const base::variant::Variant& user) { return user.GetBoolean("video"); }) {}

void CameraBadge::Start() { cameras_.Start(); }

void CameraBadge::Stop() { cameras_.Stop(); }

std::string CameraBadge::Text() const {
  // Asked each time: the meeting model is the one that knows, and it may change at any moment.
  if (snoozed_ || !utils::inmeeting::IsInMeeting()) return "";
  const unsigned count = cameras_.count();
  return count == 0 ? "" : std::to_string(count);
}

void CameraBadge::Dismiss() {
  snoozed_ = true;
  snooze_ = utils::timer::Post([this] { snoozed_ = false; }, kSnoozeMs);
}

}  // namespace camera_badge
