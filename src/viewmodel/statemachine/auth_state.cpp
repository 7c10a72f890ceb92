#include "module_api/statemachine/auth_state.h"

#include "framework/model.h"
#include "framework/module/module.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"
#include "module_api/runtime.h"
#include "viewmodel/authorize_support.h"

namespace velto {

using authorize::kLogPrefix;
using base::variant::Variant;

namespace {

framework::Model* AuthorizationModel() {
  framework::module::IModuleRuntime* runtime = velto_common::utils::GetAppModuleRuntime();
  return runtime ? runtime->GetModel(model_id::kAuthorizationModel) : nullptr;
}

}  // namespace

StateMachineAuthState::StateMachineAuthState() : State(kId, kName) {}

StateMachineAuthState::~StateMachineAuthState() { Unsubscribe(); }

void StateMachineAuthState::OnInit() {
  framework::Model* model = AuthorizationModel();
  if (!model) {
    VELTO_LOG(log::kFailure) << kLogPrefix << "auth state cannot wait: no authorization model";
    return;
  }
  subscribed_ = model->SubscribeWithLocation(
      authorize::event::kAuthResult, model::ObserverId(this),
      [this](const Variant* event) { OnAuthResult(event); }, base::Location::Current());
}

void StateMachineAuthState::StartWork(const Variant& params) {
  VELTO_LOG(log::kTrace) << kLogPrefix << "auth state do work";
  const authorize::FlowParams flow = authorize::ReadFlowParams(params);
  wanted_type_ = flow.auth_type;
  end_event_ = flow.end_event;
  end_params_ = flow.end_params;
  VELTO_LOG(log::kTrace) << kLogPrefix << "auth type param:" << wanted_type_ << ", end state id:" << end_event_
                         << ", end state param:" << end_params_;

  Variant mission = Variant::Map();
  mission["auth_type"] = wanted_type_;
  mission["scheme_param"] = flow.scheme_param;
  model::Call(model_id::kAuthorizationModel, authorize::cmd::kSchemeMission, &mission, nullptr);

  // Unreadable data (logged there) is no known state: the work waits for event 1 like for any
  // other state it cannot act on.
  authorize::AuthData auth;
  authorize::QueryAuthState(&auth);
  if (auth.state == authorize::kStateAuthorized && auth.type == wanted_type_) {
    FinishWork(end_event_, end_params_);
    return;
  }
  Variant request = Variant::Map();
  request["auth_type"] = wanted_type_;
  switch (auth.state) {
    case authorize::kStateUnauthorized:
    case authorize::kStateAuthorized:
      VELTO_LOG(log::kTrace) << kLogPrefix << "auth state:" << auth.state << " auth type:" << auth.type
                             << ", start auth type:" << wanted_type_;
      request["user_code"] = flow.user_code;
      request["quick_auth_param"] = flow.quick_auth_param;
      request["scheme_param"] = flow.scheme_param;
      model::Call(model_id::kAuthorizationModel, authorize::cmd::kStartAuthorize, &request, nullptr);
      break;
    case authorize::kStateReconnecting:
    case authorize::kStateReconnectFailed:
      VELTO_LOG(log::kTrace) << kLogPrefix << "auth state:" << auth.state << ", reconnect and auth again";
      request["is_reconnect"] = true;
      model::Call(model_id::kAuthorizationModel, authorize::cmd::kRetryAuthorize, &request, nullptr);
      break;
    case authorize::kStateCancelled:
      VELTO_LOG(log::kFailure) << kLogPrefix << "should not come here, let's assert";
      break;
    default:
      if (!subscribed_) {
        // No authorization model to subscribe to: no event can ever end the wait.
        VELTO_LOG(log::kFailure) << kLogPrefix << "cannot wait for auth result without an authorization model";
        FinishWork(kResultFailed);
        break;
      }
      VELTO_LOG(log::kTrace) << kLogPrefix << "do nothing but waiting for auth result";
      break;
  }
}

void StateMachineAuthState::OnCleanUp(bool is_cancel) {
  VELTO_LOG(log::kTrace) << kLogPrefix << "is cancel:" << is_cancel;
  Unsubscribe();
}

// The result event ends the work when it settles the authorization either way; progress
// events (another kind authorized, a reconnect under way) keep it waiting.
void StateMachineAuthState::OnAuthResult(const Variant* event) {
  if (!is_working()) return;
  authorize::AuthData auth;
  const bool from_event = event && event->IsMap() && event->Has("auth_state");
  if (from_event) {
    auth.state = event->GetInteger("auth_state");
    auth.type = event->GetInteger("auth_type", wanted_type_);
  } else if (!authorize::QueryAuthState(&auth)) {
    return;
  }
  const int64_t result = from_event ? event->GetInteger("auth_result") : 0;
  VELTO_LOG(log::kTrace) << kLogPrefix << "auth result:" << result << " auth state:" << auth.state
                         << " auth type:" << auth.type;
  if (result != 0 || auth.state == authorize::kStateCancelled) {
    FinishWork(kResultFailed);
  } else if (auth.state == authorize::kStateAuthorized && auth.type == wanted_type_) {
    FinishWork(end_event_, end_params_);
  }
}

void StateMachineAuthState::Unsubscribe() {
  if (!subscribed_) return;
  subscribed_ = false;
  if (framework::Model* model = AuthorizationModel()) {
    model->Unsubscribe(authorize::event::kAuthResult, model::ObserverId(this));
  }
}

}  // namespace velto
