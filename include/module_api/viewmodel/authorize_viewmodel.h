// velto::AuthorizeViewModelT<Base>: the base of every screen that needs a signed-in, authorized
// user. While its view is attached it follows the authorization model (504): authorization
// results, logouts, reconnects and real-name checks. It turns authorization failures into the
// dialog, toast or page change each result code calls for, gates user actions on the
// authorization, and can run the authorization flow as the state machine "auth_base_sm".
//
//   class HomeViewModel : public velto::AuthorizeViewModel {
//    public:
//     HomeViewModel() : velto::AuthorizeViewModel(/*auth_failed_event_priority=*/100) {}
//     void HandleAction(int action, const Variant* params) override {
//       if (action == kJoin && !CheckAuthorizeBeforeAction()) return;   // toast shown
//       ...
//     }
//    protected:
//     void OnAuthorizeStateUpdate(const Variant* update) override { ... update->GetInteger("auth_state") ... }
//   };
//
// Flow machine: SetupAuthStateMachine once with the subclass's end states, then
// HandleActionWithAuthStateMachine(auth_type, end_event, &params) per user action; the machine
// checks the authorization (check_auth_state), authorizes when needed (do_auth_state) and
// leaves to the end state on `end_event`.
//
// The template is compiled into the library for framework::StatefulViewModel, and for the area
// and item view models (velto::AuthorizeContributesViewModel in viewmodel/contributes_viewmodel.h,
// velto::AuthorizeExtensionViewModel in viewmodel/extension_viewmodel.h); a further base needs
// one extern line beside that base and one instantiation line in the library.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "base/statemachine/state_machine.h"
#include "base/variant/variant.h"
#include "framework/stateful_viewmodel.h"
#include "module_api/export.h"
#include "module_api/account/login_error_handle_manager.h"
#include "util/applifecycle/app_lifecycle.h"

namespace velto {

inline constexpr char kAuthStateMachineName[] = "auth_base_sm";
inline constexpr int kAuthFailedStateId = 3;
inline constexpr int kAuthCancelledStateId = 8;
inline constexpr char kAuthFailedStateName[] = "auth_failed_state";
inline constexpr char kAuthCancelledStateName[] = "auth_cancelled_state";

template <typename Base>
class VELTO_API AuthorizeViewModelT : public Base,
                                      public ILoginErrorHandleManagerDelegate,
                                      public util::applifecycle::IAppLifecycleListener {
 public:
  using Variant = base::variant::Variant;
  using StateMachine = base::statemachine::StateMachine;
  using ExtraStates = std::map<unsigned, std::shared_ptr<StateMachine::State>>;

  explicit AuthorizeViewModelT(unsigned auth_failed_event_priority);
  // Hands `base_args` on to Base (an area's contributes id and mode, for example).
  template <typename... BaseArgs>
  explicit AuthorizeViewModelT(unsigned auth_failed_event_priority, BaseArgs&&... base_args)
      : Base(std::forward<BaseArgs>(base_args)...), auth_failed_event_priority_(auth_failed_event_priority) {}
  ~AuthorizeViewModelT() override;

  // Subscribes to the authorization and profile models and listens for the app lifecycle;
  // detaching undoes both.
  void OnViewAttached(const Variant* params) override;
  void OnViewDetached() override;
  // Subclasses handle their own actions; this one only logs.
  void HandleAction(int action_id, const Variant* params) override;

  // Whether the user may act now (authorization model, command 9); false also shows a toast.
  bool CheckAuthorizeBeforeAction();
  bool CheckAuthorizeBeforeActionNoToast();

  // Builds "auth_base_sm"; both the check and the authorization state go to extra[result] on
  // `result`. A second call keeps the first machine. The delegate is not owned.
  void SetupAuthStateMachine(ExtraStates& extra, StateMachine::Delegate* delegate);
  // (Re)starts the machine: a running flow is stopped first.
  void HandleActionWithAuthStateMachine(int auth_type, unsigned end_event, const Variant* end_params);
  void ReleaseAuthStateMachine();
  StateMachine* auth_state_machine() const { return state_machine_.get(); }

  // Leaves for the login guide: the main stack back to the home page, then the guide on the
  // root stack and the desktop guide on the window stack, unless OnLoginFinishNotify takes
  // over. `quick_auth` false asks the guide not to authorize by itself.
  void RouterToGuideView(const Variant* params, bool quick_auth);
  // Signs out, then leaves for the guide.
  void UnAuthorizeAndRouterToGuide();

  // The reaction of one authorization failure; `quiet` suppresses the common error dialog.
  void HandleAuthFailedErrCode(int code, int auth_type, const Variant& data, bool quiet);

  // The id of the dialog the authorization flow is showing; -1 when none.
  int64_t auth_alert_id() const { return alert_id_; }

  // ILoginErrorHandleManagerDelegate.
  void HandleFailedDialogAndGuideToPay(const std::string& title, const std::string& content,
                                       const std::string& positive_text, const std::string& negative_text,
                                       int64_t code, const std::string& extra) override;
  void HandleFailedRouterToHome() override;
  void HandleFailedOpenWebView(const std::string& url, bool leave_flow) override;
  void HandleCloseLogicView(const std::string& text, int64_t code) override;

  // util::applifecycle::IAppLifecycleListener.
  void OnResume(uint64_t background_ms) override;
  void OnPause() override;

 protected:
  // Notifications for subclasses.
  virtual void OnAuthorizeStateUpdate(const Variant* /*update*/) {}
  virtual void OnReconnectSuccess(const Variant* /*event*/) {}
  virtual void OnReconnectFailed(const Variant* /*event*/) {}
  virtual void OnNotifyLogout(const Variant* /*event*/) {}
  virtual void OnAuthFailed(const Variant* /*event*/) {}
  virtual void OnReconnecting(const Variant* /*event*/) {}
  virtual void OnNetworkBreakup(const Variant* /*event*/) {}
  virtual void OnReconnectStop(const Variant* /*event*/) {}
  // A logout for a violation ("router_action" 7); true when the subclass dealt with it.
  virtual bool OnNotifyViolationLogout(const Variant* /*event*/) { return false; }
  // Offered what the flow is about to do ({"type": ...}); true stops the flow's own step.
  virtual bool OnLoginFinishNotify(const Variant& info);
  // An authorization failure before the code table; true when the subclass dealt with it.
  virtual bool HandleAuthFailed(const Variant* /*event*/, bool& /*call_next*/) { return false; }
  // A logout because another device signed in ("router_action" 0).
  virtual bool HandleDeviceConflictAlert(const Variant* /*event*/) { return false; }
  // A violation while in a meeting ("router_action" 7, and the profile's violation notice).
  virtual bool HandleInMeetingAuthViolation(const Variant* /*event*/) { return false; }
  // True when the view lives in the legacy shell: web pages then open in the browser.
  virtual bool IsViewContextFromQt() { return false; }
  virtual unsigned AuthFailedEventPriority() { return auth_failed_event_priority_; }
  virtual void OnPriorityEventNotifyLogout(const Variant* event, bool& call_next);
  virtual void OnEventReconnectFailed(const Variant* event, bool& call_next);
  // Asks the user to confirm before the device is signed out; `confirmed` runs on any answer.
  virtual void HandleKickoutPreconfirm(const std::string& text, std::function<void()> confirmed);
  // After a failure the user acknowledged: sign out and go to the guide.
  virtual void HandleFailedAndRouter();
  // Tells OnLoginFinishNotify that the flow failed with `code`.
  virtual void NotifyAuthFailed(int code);

  // Event handlers.
  void OnEventReconnecting(const Variant* event);
  void OnEventNetworkBreakup(const Variant* event);
  void OnEventReconnectSuccess(const Variant* event);
  void OnEventAuthorizeStateUpdate(const Variant* event);
  void OnEventReconnectStop(const Variant* event);
  void OnEventCloseCorpRealNameVerifyAlert(const Variant* event);
  void OnEventAuthFailed(const Variant* event, bool& call_next);
  void OnEventCorpRealNameVerifyNotify(const Variant* event, bool& call_next);
  void OnPriorityEventProfileViolation(const Variant* event, bool& call_next);

  // The dialogs of the code table. `auth_type` picks the visitor's wording.
  void ShowDialogForAuthFailedTokenError();
  void ShowDialogForAuthFailedAppAuthFailed(const Variant& data);
  void ShowDialogForAuthFailedTokenParamIllegal(int auth_type);
  void ShowDialogForAuthFailedSecurityTips(int auth_type);
  void ShowDialogForDeletedFromDeviceListOffline(const Variant& data, int auth_type);
  void ShowDialogForAuthFailedPasswordChange(int auth_type);
  void ShowDialogForAuthFailedCommonErr(const Variant& data, int auth_type);
  void ShowFailedDialog(const std::string& title, const std::string& content, int64_t code);
  // Opens the safety verification page of `verify_result`; false when it names none.
  bool HandleAccountSafeVerify(const Variant& verify_result);

  LoginErrorHandleManager& login_error_handle_manager();

 private:
  // The flow's dialog (one at a time); `done` runs with the button that answered it. An empty
  // negative text shows the positive button alone.
  void ShowFlowAlert(const std::string& title, const std::string& content, const std::string& positive_text,
                     const std::string& negative_text, std::function<void(int button)> done);
  void ForgetAlert(int64_t alert_id);
  bool IsViewVisible() const;
  int64_t observer_id() const;

  int64_t alert_id_ = -1;
  unsigned auth_failed_event_priority_;
  std::shared_ptr<StateMachine> state_machine_;
  std::shared_ptr<LoginErrorHandleManager> login_error_handle_manager_;
};

extern template class VELTO_API AuthorizeViewModelT<framework::StatefulViewModel>;

using AuthorizeViewModel = AuthorizeViewModelT<framework::StatefulViewModel>;

}  // namespace velto
