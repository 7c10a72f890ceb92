// velto::IShowJoinLimitAlertManangerDelegate: what a join screen (usually its view model) does
// for velto::ShowJoinLimitAlertManager when the user answers a join-limit alert. Every
// operation but ViewModelContext has a body that does nothing.
//
//   class JoinViewModel : public framework::StatefulViewModel,
//                         public velto::IShowJoinLimitAlertManangerDelegate {
//     bool DissolveCurrentMeetingAndRejoin(uint64_t meeting_id) override { ... }
//     std::shared_ptr<const framework::Context> ViewModelContext() override { return context(); }
//   };
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/context.h"

namespace velto {

class IShowJoinLimitAlertManangerDelegate {
 public:
  // The join went through; true when the delegate took it over (the event then stops here).
  virtual bool JoinNewMeetingDidConfirm() { return false; }
  // The join was cancelled, or the user declined to stop a recording for it.
  virtual void JoinNewMeetingDidCancel() {}
  // The owner agreed to end the meeting that holds the room, and to join again.
  virtual bool DissolveCurrentMeetingAndRejoin(uint64_t /*in_using_meeting_id*/) { return false; }
  // The user gave up the join: close the join screen.
  virtual void CancelDissolveCurrentMeetingAndQuit() {}
  virtual void ShowBindYamu() {}
  // The guest agreed, or declined, to enrol in the webinar.
  virtual void ConfirmEnrollAlert() {}
  virtual void CancelEnrollAlert() {}
  virtual void ShowEnrollLimitToast(const std::string& /*message*/) {}
  // Where the manager's pages open.
  virtual std::shared_ptr<const framework::Context> ViewModelContext() = 0;

 protected:
  // Not deleted through this interface.
  ~IShowJoinLimitAlertManangerDelegate() = default;
};

}  // namespace velto
