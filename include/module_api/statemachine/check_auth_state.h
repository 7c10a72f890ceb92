// The first state of the authorization machine ("auth_base_sm"): is the user already
// authorized the way the flow wants?
//
// Start parameters (a map): "auth_type" (the authorization kind wanted),
// "end_state_transition_event" (the result with which a satisfied check leaves),
// "end_state_params" (handed on to the end state); optionally "scheme_param", "user_code" and
// "quick_auth_param", at the top level or inside "end_state_params".
#pragma once

#include <cstdint>

#include "base/statemachine/state_machine.h"
#include "module_api/export.h"

namespace velto {

class VELTO_API StateMachineCheckAuthState : public base::statemachine::StateMachine::State {
 public:
  static constexpr int kId = 1;
  static constexpr char kName[] = "check_auth_state";
  // Results besides the end event.
  static constexpr uint32_t kResultNeedAuth = 1;
  static constexpr uint32_t kResultCancelled = 2;
  static constexpr uint32_t kResultUserCode = 0xFFFFFF;  // a user code was given, not yet authorized

  StateMachineCheckAuthState();

  // Finishes at once: the end event with {"scheme_param", "end_state_params"} when already
  // authorized with the wanted kind; kResultCancelled when the authorization was cancelled;
  // kResultNeedAuth without a user code; otherwise kResultUserCode with
  // {"user_code", "quick_auth_param"}. Authorization data that cannot be read counts as
  // neither authorized nor cancelled.
  void StartWork(const base::variant::Variant& params) override;
};

}  // namespace velto
