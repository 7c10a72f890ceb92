#include "module_api/statemachine/check_auth_state.h"

#include "module_api/log.h"
#include "viewmodel/authorize_support.h"

namespace velto {

using authorize::kLogPrefix;
using base::variant::Variant;

StateMachineCheckAuthState::StateMachineCheckAuthState() : State(kId, kName) {}

void StateMachineCheckAuthState::StartWork(const Variant& params) {
  VELTO_LOG(log::kTrace) << kLogPrefix << "do check auth state";
  const authorize::FlowParams flow = authorize::ReadFlowParams(params);

  // Unreadable data is logged there and reads as neither authorized nor cancelled: the check
  // then asks for an authorization like for any other user.
  authorize::AuthData auth;
  authorize::QueryAuthState(&auth);
  if (auth.state == authorize::kStateAuthorized && auth.type == flow.auth_type) {
    VELTO_LOG(log::kTrace) << kLogPrefix << "already login";
    Variant data = Variant::Map();
    data["scheme_param"] = flow.scheme_param;
    data["end_state_params"] = flow.end_params;
    FinishWork(flow.end_event, data);
    return;
  }
  if (auth.state == authorize::kStateCancelled) {
    FinishWork(kResultCancelled);
    return;
  }
  if (flow.user_code.empty()) {
    FinishWork(kResultNeedAuth);
    return;
  }
  VELTO_LOG(log::kTrace) << kLogPrefix << "check auth, current not authed";
  Variant data = Variant::Map();
  data["user_code"] = flow.user_code;
  data["quick_auth_param"] = flow.quick_auth_param;
  FinishWork(kResultUserCode, data);
}

}  // namespace velto
