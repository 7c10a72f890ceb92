// Definitions of AuthorizeViewModelT: lifecycle, subscriptions, event handlers, the flow
// machine and the routes to the login guide. Included only where the template is
// instantiated (authorize_viewmodel.cpp); the failure reactions are in
// authorize_viewmodel_failures_impl.h.
#pragma once

#include <memory>
#include <utility>

#include "framework/module/navigator.h"
#include "module_api/log.h"
#include "module_api/account/login_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"
#include "module_api/runtime.h"
#include "module_api/statemachine/auth_state.h"
#include "module_api/statemachine/check_auth_state.h"
#include "module_api/viewmodel/authorize_viewmodel.h"
#include "viewmodel/authorize_support.h"

namespace velto {

namespace authorize {
inline constexpr char kSwitchLoginPage[] = "velto://page/login/switch_login";
}  // namespace authorize

template <typename Base>
AuthorizeViewModelT<Base>::AuthorizeViewModelT(unsigned auth_failed_event_priority)
    : auth_failed_event_priority_(auth_failed_event_priority) {}

template <typename Base>
AuthorizeViewModelT<Base>::~AuthorizeViewModelT() {
  util::applifecycle::RemoveAppLifecycleListener(this);
}

template <typename Base>
int64_t AuthorizeViewModelT<Base>::observer_id() const {
  return model::ObserverId(this);
}

template <typename Base>
bool AuthorizeViewModelT<Base>::IsViewVisible() const {
  return this->is_view_visible();
}

template <typename Base>
void AuthorizeViewModelT<Base>::OnViewAttached(const Variant* params) {
  Base::OnViewAttached(params);
  using namespace authorize;
  const int64_t id = observer_id();
  const int auth = model_id::kAuthorizationModel;
  Subscribe(*this, id, auth, event::kNotifyLogout, [this](const Variant* e) { OnNotifyLogout(e); });
  Subscribe(*this, id, auth, event::kReconnecting, [this](const Variant* e) { OnEventReconnecting(e); });
  Subscribe(*this, id, auth, event::kNetworkBreakup, [this](const Variant* e) { OnEventNetworkBreakup(e); });
  Subscribe(*this, id, auth, event::kReconnectSuccess, [this](const Variant* e) { OnEventReconnectSuccess(e); });
  Subscribe(*this, id, auth, event::kAuthorizeStateUpdate,
            [this](const Variant* e) { OnEventAuthorizeStateUpdate(e); });
  Subscribe(*this, id, auth, event::kReconnectStop, [this](const Variant* e) { OnEventReconnectStop(e); });
  Subscribe(*this, id, auth, event::kCloseCorpRealNameVerifyAlert,
            [this](const Variant* e) { OnEventCloseCorpRealNameVerifyAlert(e); });

  // These run before ordinary subscribers, so that a screen can settle a logout or a failure
  // before the rest of the client reacts to it.
  const unsigned priority = AuthFailedEventPriority();
  SubscribePriority(*this, id, auth, event::kNotifyLogout, priority,
                    [this](const Variant* e, bool& next) { OnPriorityEventNotifyLogout(e, next); });
  SubscribePriority(*this, id, auth, event::kReconnectFailed, priority,
                    [this](const Variant* e, bool& next) { OnEventReconnectFailed(e, next); });
  SubscribePriority(*this, id, auth, event::kAuthFailed, priority,
                    [this](const Variant* e, bool& next) { OnEventAuthFailed(e, next); });
  SubscribePriority(*this, id, auth, event::kCorpRealNameVerifyNotify, priority,
                    [this](const Variant* e, bool& next) { OnEventCorpRealNameVerifyNotify(e, next); });
  SubscribePriority(*this, id, model_id::kProfileModel, event::kProfileViolation, priority,
                    [this](const Variant* e, bool& next) { OnPriorityEventProfileViolation(e, next); });
  util::applifecycle::AddAppLifecycleListener(this);
}

template <typename Base>
void AuthorizeViewModelT<Base>::OnViewDetached() {
  authorize::ClearSubscriptions(*this, observer_id(), model_id::kAuthorizationModel);
  authorize::ClearSubscriptions(*this, observer_id(), model_id::kProfileModel);
  util::applifecycle::RemoveAppLifecycleListener(this);
  Base::OnViewDetached();
}

template <typename Base>
void AuthorizeViewModelT<Base>::HandleAction(int /*action_id*/, const Variant* /*params*/) {
  VELTO_LOG(log::kFailure) << authorize::kLogPrefix << "false";
}

template <typename Base>
bool AuthorizeViewModelT<Base>::CheckAuthorizeBeforeAction() {
  if (CheckAuthorizeBeforeActionNoToast()) return true;
  this->ShowToast(this->GetLocalizedString(login_error_string::kCheckAuthorizeToast), 0, 2000);
  return false;
}

template <typename Base>
bool AuthorizeViewModelT<Base>::CheckAuthorizeBeforeActionNoToast() {
  return model::Ask(model_id::kAuthorizationModel, authorize::cmd::kMayActNow);
}

template <typename Base>
void AuthorizeViewModelT<Base>::SetupAuthStateMachine(ExtraStates& extra, StateMachine::Delegate* delegate) {
  if (state_machine_) {
    VELTO_LOG(log::kRejected) << authorize::kLogPrefix << "state machine can only setup once!";
    return;
  }
  constexpr int kCheck = StateMachineCheckAuthState::kId;
  constexpr int kAuth = StateMachineAuthState::kId;
  auto machine = base::statemachine::CreateStateMachine(kAuthStateMachineName, delegate, false);
  machine->AddState(std::make_shared<StateMachineCheckAuthState>());
  machine->AddState(std::make_shared<StateMachineAuthState>());
  machine->AddState(std::make_shared<StateMachine::State>(kAuthFailedStateId, kAuthFailedStateName));
  machine->AddState(std::make_shared<StateMachine::State>(kAuthCancelledStateId, kAuthCancelledStateName));
  machine->SetInitialState(kCheck);
  machine->AddTransition(kCheck, StateMachineCheckAuthState::kResultNeedAuth, kAuth);
  machine->AddTransition(kCheck, StateMachineCheckAuthState::kResultCancelled, kAuthCancelledStateId);
  machine->SetFailureState(kCheck, kAuthFailedStateId);
  machine->SetFailureState(kAuth, kAuthFailedStateId);
  for (auto& [result, state] : extra) {
    if (!state) {
      VELTO_LOG(log::kRejected) << authorize::kLogPrefix << "no end state for result " << result;
      continue;
    }
    // One end state may serve several results.
    if (machine->GetState(state->id()) != state.get() && !machine->AddState(state)) continue;
    machine->AddTransition(kCheck, result, state->id());
    machine->AddTransition(kAuth, result, state->id());
  }
  state_machine_ = std::move(machine);
}

template <typename Base>
void AuthorizeViewModelT<Base>::HandleActionWithAuthStateMachine(int auth_type, unsigned end_event,
                                                                  const Variant* end_params) {
  if (!state_machine_) {
    VELTO_LOG(log::kFailure) << authorize::kLogPrefix << "state machine must be initialized first!";
    return;
  }
  if (state_machine_->IsRunning()) {
    VELTO_LOG(log::kTrace) << authorize::kLogPrefix << "state machine is running, abort it";
    state_machine_->Stop();
  }
  state_machine_->Start(authorize::MakeStartParams(auth_type, end_event, end_params));
}

template <typename Base>
void AuthorizeViewModelT<Base>::ReleaseAuthStateMachine() {
  VELTO_LOG(log::kTrace) << authorize::kLogPrefix << "release auth statemachine";
  state_machine_.reset();
}

template <typename Base>
void AuthorizeViewModelT<Base>::RouterToGuideView(const Variant* params, bool quick_auth) {
  using framework::PageStack;
  namespace login = velto_common::utils::login;
  this->Navigate(PageStack::kMain).PopUntil(login::kHomePage);
  Variant arguments = params && params->IsMap() ? *params : Variant::Map();
  if (!quick_auth) arguments["need_quick_auth"] = false;
  arguments["type"] = "router_to_show_guide";
  if (OnLoginFinishNotify(arguments)) return;
  this->Navigate(PageStack::kRoot).PushWithClosingOthers(login::kGuidePage, arguments);
  framework::module::Navigator window = this->Navigate(PageStack::kWindow);
  window.PopAll();
  window.Push(login::kGuideDesktopPage, arguments);
}

template <typename Base>
void AuthorizeViewModelT<Base>::UnAuthorizeAndRouterToGuide() {
  using framework::PageStack;
  namespace login = velto_common::utils::login;
  VELTO_LOG(log::kTrace) << authorize::kLogPrefix << "unauthorize and router to guide";
  model::Call(model_id::kAuthorizationModel, authorize::cmd::kLogout, nullptr, nullptr);
  Variant info = Variant::Map();
  info["type"] = "router_to_show_guide";
  if (OnLoginFinishNotify(info)) return;
  this->Navigate(PageStack::kWindow).PopUntil(authorize::kSwitchLoginPage);
  this->Navigate(PageStack::kMain).PopUntil(login::kHomePage);
  this->Navigate(PageStack::kRoot).PushWithClosingOthers(login::kGuidePage, Variant());
}

template <typename Base>
bool AuthorizeViewModelT<Base>::OnLoginFinishNotify(const Variant& info) {
  VELTO_LOG(log::kTrace) << authorize::kLogPrefix << "login finish notify: " << info;
  return false;
}

template <typename Base>
void AuthorizeViewModelT<Base>::OnPriorityEventNotifyLogout(const Variant* event, bool& call_next) {
  const int64_t router_action = event ? event->GetInteger("router_action", -1) : -1;
  VELTO_LOG(log::kTrace) << authorize::kLogPrefix << "notify logout, router_action:" << router_action;
  if (router_action == 7) {
    if (OnNotifyViolationLogout(event) || HandleInMeetingAuthViolation(event)) call_next = false;
    return;
  }
  if (router_action == 0 && HandleDeviceConflictAlert(event)) call_next = false;
}

template <typename Base>
void AuthorizeViewModelT<Base>::OnEventReconnectFailed(const Variant* event, bool& /*call_next*/) {
  OnReconnectFailed(event);
}

template <typename Base>
void AuthorizeViewModelT<Base>::OnEventReconnecting(const Variant* event) {
  OnReconnecting(event);
}

template <typename Base>
void AuthorizeViewModelT<Base>::OnEventNetworkBreakup(const Variant* event) {
  OnNetworkBreakup(event);
}

template <typename Base>
void AuthorizeViewModelT<Base>::OnEventReconnectSuccess(const Variant* event) {
  OnReconnectSuccess(event);
}

template <typename Base>
void AuthorizeViewModelT<Base>::OnEventReconnectStop(const Variant* event) {
  OnReconnectStop(event);
}

template <typename Base>
void AuthorizeViewModelT<Base>::OnEventAuthorizeStateUpdate(const Variant* event) {
  const int64_t auth_state = event ? event->GetInteger("auth_state") : 0;
  VELTO_LOG(log::kTrace) << authorize::kLogPrefix << "authorize state update:" << auth_state;
  if (auth_state == authorize::kStateAuthorized) {
    this->DisposeLoading();
    if (alert_id_ > 0) {
      this->DisposeAlert(alert_id_);
      alert_id_ = -1;
    }
  }
  const Variant update = authorize::BuildAuthorizeUpdate(auth_state);
  OnAuthorizeStateUpdate(&update);
}

template <typename Base>
void AuthorizeViewModelT<Base>::OnEventCloseCorpRealNameVerifyAlert(const Variant* /*event*/) {
  if (alert_id_ <= 0) return;
  this->DisposeAlert(alert_id_);
  alert_id_ = -1;
}

template <typename Base>
void AuthorizeViewModelT<Base>::OnEventCorpRealNameVerifyNotify(const Variant* event, bool& call_next) {
  if (!IsViewVisible()) return;
  const std::string url = event ? event->GetString("verify_url") : std::string();
  std::string content = event ? event->GetString("tips") : std::string();
  if (content.empty()) content = this->GetLocalizedString(login_error_string::kRealNameContent);
  ShowFlowAlert(this->GetLocalizedString(login_error_string::kRealNameTitle), content,
                this->GetLocalizedString(login_error_string::kVerifyNow),
                this->GetLocalizedString(login_error_string::kLater), [this, url](int button) {
                  if (button == framework::AlertButton::kPositive && !url.empty()) HandleFailedOpenWebView(url, false);
                });
  // One screen asking is enough.
  call_next = false;
}

template <typename Base>
void AuthorizeViewModelT<Base>::OnPriorityEventProfileViolation(const Variant* event, bool& call_next) {
  if (HandleInMeetingAuthViolation(event)) call_next = false;
}

template <typename Base>
void AuthorizeViewModelT<Base>::OnResume(uint64_t /*background_ms*/) {}

template <typename Base>
void AuthorizeViewModelT<Base>::OnPause() {}

template <typename Base>
LoginErrorHandleManager& AuthorizeViewModelT<Base>::login_error_handle_manager() {
  if (!login_error_handle_manager_) login_error_handle_manager_ = std::make_shared<LoginErrorHandleManager>(this);
  return *login_error_handle_manager_;
}

}  // namespace velto
