// velto::ShowCollectLimitAlertManager: adds (collects) a meeting to the user's meeting list from
// a history entry or a meeting card, and answers what the collect meeting model says: collected,
// a password to enter (a dialog the delegate renders from a state map), a webinar that needs
// enrolment (the join-limit enrolment alert), or an error (a toast).
//
//   collect_.SetViewModel(this);                 // loading indicator, toasts, alerts
//   collect_.SetDelegate(this);                  // renders the password dialog
//   collect_.SetViewAttached();                  // with the view: hears the answers
//   collect_.CheckAndCollectMeetingForMeetingCard(card);
//   ...the dialog's actions:
//   collect_.HandlePasswordDidChanged(&input); collect_.HandleConfirmPasswordDialog(&input);
//   collect_.SetViewDetached();                  // with the view's end
//
// One collect at a time: an answer for any other meeting than the last one asked is ignored.
// UI thread only; the view model and delegate are not owned and must outlive the manager or be
// unset first.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/variant/variant.h"
#include "framework/stateful_viewmodel.h"
#include "module_api/export.h"

namespace velto {

namespace collect_limit {
// "ret_code" of a collect answer.
inline constexpr int kCollected = 0;
inline constexpr int kPasswordRequired = 23104;
inline constexpr int kEnrollRequired = 14808;
// An error after which the password dialog closes.
inline constexpr int kErrorClosesPasswordDialog = 23601;
}  // namespace collect_limit

class IShowCollectLimitAlertManangerDelegate {
 public:
  // The guest agreed, or declined, to enrol in the webinar (the guest's enrolment alert).
  virtual void ConfirmEnrollAlert() {}
  virtual void CancelEnrollAlert() {}
  virtual void NeedAuthed() {}
  // The collect answered that the webinar needs enrolment; its alert follows.
  virtual void NeedEnroll() {}
  // The collect answered that the meeting needs its password; the dialog follows.
  virtual void ShouldFillPwdIfNeed() {}
  // The meeting is in the user's list now.
  virtual void OnMeetingCollected(const uint64_t& /*meeting_id*/) {}
  virtual void ShowEnrollLimitToast(const std::string& /*message*/) {}
  // The whole password dialog state, on every change: "dialog_visible", "btn_active", the
  // texts, "dialog_err_pwd_visible", "dialog_positive_enable", "dialog_negative_enable",
  // "dialog_loading_visible", "is_password_error" and the password input rules.
  virtual void OnPasswordDialogStateChanged(base::variant::Variant& /*state*/) {}

 protected:
  ~IShowCollectLimitAlertManangerDelegate() = default;  // not owned through this interface
};

class VELTO_API ShowCollectLimitAlertManager {
 public:
  using Variant = base::variant::Variant;

  ShowCollectLimitAlertManager();
  ~ShowCollectLimitAlertManager();  // detaches
  ShowCollectLimitAlertManager(const ShowCollectLimitAlertManager&) = delete;
  ShowCollectLimitAlertManager& operator=(const ShowCollectLimitAlertManager&) = delete;

  // {"basic_info": {"binary_meeting_type", "meeting_id" (decimal text), "access_url"}}.
  void CheckAndCollectMeetingForHistoryMeeting(const Variant& history_item);
  // {"meeting_type_flags", "meeting_id", "meeting_url", "customer_data", "webinar_token"}.
  void CheckAndCollectMeetingForMeetingCard(const Variant& card);
  // {"password"} when the dialog hands the typed text; else the one SetPasswordForCollect kept.
  // Without network a toast shows and the dialog stays.
  void HandleConfirmPasswordDialog(const Variant* value);
  void HandleCancelPasswordDialog(const Variant* value);
  // Hides the wrong-password line once the user types again.
  void HandlePasswordDidChanged(const Variant* value);
  // {"password"}: the text the next collect sends.
  void SetPasswordForCollect(const Variant* value);
  void SetDelegate(IShowCollectLimitAlertManangerDelegate* delegate);
  void SetViewModel(framework::StatefulViewModel* view_model);
  // Hears the collect answers (collect meeting model) and added meetings (schedule model).
  void SetViewAttached();
  void SetViewDetached();

  uint64_t collect_meeting_id() const { return collect_meeting_id_; }
  const Variant& password_dialog_state() const { return password_dialog_state_; }

 private:
  struct Enrolment;

  void DoCollectMeeting();
  void OnEventCollectMeetingItemComplete(const Variant* result);
  void OnAddMeetingPush(const Variant* value);
  void ShowPasswordDialogForCollect(bool error, bool loading);
  void DismissPasswordDialogForCollect();
  void HandlePasswordChangedForCollect();
  void ShowNotEnrolledAlert();
  void ShowToast(const std::string& text);
  bool PasswordDialogVisible() const;
  void SendState(Variant state);

  framework::StatefulViewModel* view_model_ = nullptr;
  IShowCollectLimitAlertManangerDelegate* delegate_ = nullptr;
  Variant password_dialog_state_ = Variant::Map();
  uint64_t collect_meeting_id_ = 0;
  std::string password_;
  std::string customer_data_;
  std::string webinar_token_;
  // What the enrolment alert needs of the pending meeting.
  uint64_t meeting_type_flags_ = 0;
  std::string meeting_url_;
  std::unique_ptr<Enrolment> enrolment_;
  bool attached_ = false;
};

}  // namespace velto
