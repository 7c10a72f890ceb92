// The alert for a user who has been alone in a meeting too long: leave now (a 10-second
// countdown on the button) or stay. The overtime alert model asks for it and withdraws it.
//
//   overtime_ = std::make_unique<velto::ShowOnePersonOvertimeAlertManager>();
//   overtime_->SetViewModel(this);         // its alert builder shows the alert
//   overtime_->SetDelegate(this);          // leaves the meeting, refreshes the button text
//   overtime_->SetViewAttached();          // with the view; SetViewDetached() with its end
//
// At the end of the countdown the user leaves if still alone; if others joined meanwhile the
// alert just closes. UI thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "base/variant/variant.h"
#include "framework/stateful_viewmodel.h"
#include "module_api/export.h"
#include "module_api/preferences/timer.h"

namespace velto {

class IShowOnePersonOvertimeAlertManagerDelegate {
 public:
  virtual void OnePersonOvertimeQuitMeeting() {}
  // `changes` holds the texts to replace, e.g. {"positive": "Leave (9s)"}.
  virtual void OnePersonOvertimeUpdateAlertUI(int64_t alert_id, base::variant::Variant* changes) {
    (void)alert_id;
    (void)changes;
  }
  // Called with false before the alert shows: the bottom bar's own leave dialog must not open
  // over it.
  virtual void OnePersonOvertimeNeedShowBottomExitMeetingDialog(bool need_show) { (void)need_show; }

 protected:
  ~IShowOnePersonOvertimeAlertManagerDelegate() = default;  // not owned through this interface
};

class VELTO_API ShowOnePersonOvertimeAlertManager {
 public:
  static constexpr int kCountdownSeconds = 10;
  static constexpr int64_t kTickMs = 1000;

  ShowOnePersonOvertimeAlertManager();
  ~ShowOnePersonOvertimeAlertManager();  // detaches; the countdown stops
  ShowOnePersonOvertimeAlertManager(const ShowOnePersonOvertimeAlertManager&) = delete;
  ShowOnePersonOvertimeAlertManager& operator=(const ShowOnePersonOvertimeAlertManager&) = delete;

  void SetDelegate(IShowOnePersonOvertimeAlertManagerDelegate* delegate);
  void SetViewModel(framework::StatefulViewModel* view_model);
  // Subscribes to the overtime alert model's show and dismiss events.
  void SetViewAttached();
  void SetViewDetached();

  // Shows the alert from {"alert_title", "alert_content_raw"} and starts the countdown (an
  // alert still open is closed first); `on_timeout` runs when the countdown ends, before the
  // user is led out, and must not destroy the manager. Nothing
  // without a view model. "{time_minutes}" in the content is the client setting
  // "one-person-overtime-duration" (seconds) in whole minutes.
  void ShowOnePersonOvertimeAlert(const base::variant::Variant* info, std::function<void()> on_timeout);
  // Closes the alert and stops the countdown.
  void DisposeOnePersonOvertimeAlert();

  int64_t alert_id() const { return alert_id_; }
  bool IsCountingDown() const { return kick_out_timer_ != nullptr; }

 private:
  void OnShowOnePersonTimeDissolveAlert(const base::variant::Variant* value);
  void OnDismissOnePersonTimeDissolveAlert(const base::variant::Variant* value);
  void OnKickOutTick();
  void OnAlertAnswer(int button, const base::variant::Variant& data);
  void UpdateAlertUI(base::variant::Variant changes);
  void LeaveMeeting();
  void StopOnePersonOvertimeKickOutTimer();
  std::string LeaveButtonText(int seconds_left) const;

  int64_t alert_id_ = -1;
  framework::StatefulViewModel* view_model_ = nullptr;
  IShowOnePersonOvertimeAlertManagerDelegate* delegate_ = nullptr;
  std::unique_ptr<velto_common::utils::timer::VLTimer> kick_out_timer_;
  int countdown_ticks_ = 0;
  std::function<void()> on_timeout_;
  bool attached_ = false;
};

}  // namespace velto
