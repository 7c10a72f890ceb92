// The working state of the authorization machine ("do_auth_state"): starts the authorization
// the flow wants and waits for its result (event 1 of the authorization model).
//
// It reads the same start parameters as StateMachineCheckAuthState. While it works it holds a
// subscription to the authorization model under its own address; clean-up drops it.
#pragma once

#include <cstdint>

#include "base/statemachine/state_machine.h"
#include "module_api/export.h"

namespace velto {

class VELTO_API StateMachineAuthState : public base::statemachine::StateMachine::State {
 public:
  static constexpr int kId = 2;
  static constexpr char kName[] = "do_auth_state";
  // The authorization failed or was cancelled (the machine's failure target takes over).
  static constexpr uint32_t kResultFailed = 0;

  StateMachineAuthState();
  ~StateMachineAuthState() override;

  void OnInit() override;
  // Finishes with the end event and "end_state_params" once the wanted authorization holds:
  // at once when it already does, otherwise when event 1 says so.
  void StartWork(const base::variant::Variant& params) override;
  void OnCleanUp(bool is_cancel) override;

 private:
  void OnAuthResult(const base::variant::Variant* event);
  void Unsubscribe();

  int64_t wanted_type_ = 0;
  uint32_t end_event_ = 0;
  base::variant::Variant end_params_;
  bool subscribed_ = false;
};

}  // namespace velto
