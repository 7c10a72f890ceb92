// The badge on a module's gallery button: how many people have their camera on. It shows only
// during a meeting, follows the users as they switch their cameras, and stays hidden for a
// minute after the user dismisses it.
//
//   camera_badge::CameraBadge badge;
//   badge.Start();                  // follows the meeting's users from now on
//   button->SetBadge(badge.Text()); // "" (nothing to show) or a count such as "3"
//   badge.Dismiss();                // hidden for kSnoozeMs
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "module_api/preferences/timer.h"
#include "module_api/members/user_set.h"

namespace camera_badge {

class CameraBadge {
 public:
  static constexpr int64_t kSnoozeMs = 60'000;

  CameraBadge();

  // Start following the meeting's users; Stop when the button's view goes away.
  void Start();
  void Stop();

  // "" outside a meeting, while dismissed, or when no camera is on.
  std::string Text() const;
  // Hides the badge for kSnoozeMs; dismissing again starts the minute over.
  void Dismiss();

 private:
  // The users whose camera is on, kept current from the user model's events.
  velto_common::utils::UserIdSet cameras_;
  bool snoozed_ = false;
  // Dropping the timer cancels it, so the badge may go away while it is pending.
  std::unique_ptr<velto_common::utils::timer::VLTimer> snooze_;
};

}  // namespace camera_badge
