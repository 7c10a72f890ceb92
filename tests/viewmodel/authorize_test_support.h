// A screen on the authorization base that writes down what the base tells it, and texts that
// name their own string ids, for the authorization tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hostkit/hostkit.h"
#include "module_api/account/login_error_handle_manager.h"
#include "module_api/viewmodel/authorize_viewmodel.h"

namespace authorize_test {

using base::variant::Variant;

class ScreenViewModel : public velto::AuthorizeViewModel {
 public:
  ScreenViewModel() : velto::AuthorizeViewModel(100) {}

  std::vector<std::string> journal;     // hooks in the order they ran
  std::vector<Variant> updates;         // what OnAuthorizeStateUpdate received
  std::vector<Variant> finish_notices;  // what OnLoginFinishNotify was offered
  bool take_over_finish = false;
  bool take_over_auth_failed = false;
  bool violation_logout = false;
  bool device_conflict = false;
  bool in_meeting_violation = false;

 protected:
  void OnAuthorizeStateUpdate(const Variant* update) override {
    journal.push_back("update");
    updates.push_back(update ? *update : Variant());
  }
  void OnReconnectSuccess(const Variant* e) override { Note("reconnect_success", e); }
  void OnReconnectFailed(const Variant* e) override { Note("reconnect_failed", e); }
  void OnNotifyLogout(const Variant* e) override { Note("logout", e); }
  void OnAuthFailed(const Variant* e) override { Note("auth_failed", e); }
  void OnReconnecting(const Variant* e) override { Note("reconnecting", e); }
  void OnNetworkBreakup(const Variant* e) override { Note("network_breakup", e); }
  void OnReconnectStop(const Variant* e) override { Note("reconnect_stop", e); }
  bool OnNotifyViolationLogout(const Variant*) override {
    journal.push_back("violation_logout?");
    return violation_logout;
  }
  bool OnLoginFinishNotify(const Variant& info) override {
    finish_notices.push_back(info);
    return take_over_finish;
  }
  bool HandleAuthFailed(const Variant*, bool&) override { return take_over_auth_failed; }
  bool HandleDeviceConflictAlert(const Variant*) override {
    journal.push_back("device_conflict?");
    return device_conflict;
  }
  bool HandleInMeetingAuthViolation(const Variant*) override {
    journal.push_back("in_meeting_violation?");
    return in_meeting_violation;
  }

 private:
  void Note(const std::string& hook, const Variant* e) {
    journal.push_back(hook + (e ? ":" + e->GetString("tag", "-") : ":null"));
  }
};

// Texts that name their ids ("#<id>"), so that a test sees which string a reaction chose.
inline std::string Marker(int32_t id) { return "#" + std::to_string(id); }

inline void UseMarkerTexts() {
  namespace s = velto::login_error_string;
  for (int32_t id : {s::kCheckAuthorizeToast, s::kTooFrequentToast, s::kFailedTitle, s::kServiceUnavailableContent,
                     s::kAccountRestrictedContent, s::kAppealTitle, s::kOk, s::kCancel, s::kUpgrade, s::kVerifyNow,
                     s::kLater, s::kSignedOutTitle, s::kTokenExpiredContent, s::kAppAuthFailedTitle,
                     s::kAppAuthFailedContent, s::kTokenIllegalContent, s::kSecurityTitle, s::kSecurityContent,
                     s::kDeviceRemovedContent, s::kPasswordChangedTitle, s::kPasswordChangedContent,
                     s::kVisitorEndedContent, s::kCommonErrTitle, s::kRealNameTitle, s::kRealNameContent}) {
    hostkit::SetLocalizedString(id, Marker(id));
  }
  hostkit::SetLocalizedString(s::kCommonErrContent, Marker(s::kCommonErrContent) + " {code}");
}

}  // namespace authorize_test
