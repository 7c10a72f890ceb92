// Traces the opening of the local microphone stage by stage and reports how long each stage took
// as the analytics event "e#open_audio_stream_info".
//
//   velto_common::utils::StartAudioStateMachine(true);   // when the user turns the microphone on
//
// Stages (state ids): the microphone access check (100, the audio model's event 34), the request to
// send audio (101), the server's answer (102), the media channel's result (103), then the end
// (104, reported) or the fail case (110, not reported). Each stage waits for its callback from
// the platform meeting service's audio controller; there is no timeout: a callback that never
// comes leaves the run in its stage until the next start or library teardown. Starting while a
// run waits stops that run. The machine only observes: it changes nothing in the media flow.
// UI thread only.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "base/statemachine/state_machine.h"
#include "module_api/export.h"

namespace velto_common::utils {

class VELTO_API AudioStateMachineUtil : public base::statemachine::StateMachine::Delegate {
 public:
  using State = base::statemachine::StateMachine::State;

  // Sets the machine up; use GetInstance.
  AudioStateMachineUtil();

  void WillEnterState(State* state) override;
  void WillExitState(State* state, uint32_t result, const base::variant::Variant& data) override;
  void OnTransition(State* from, uint32_t result, State* to) override;
  ~AudioStateMachineUtil() override;

  // The process-wide util, made on first use and destroyed at library teardown.
  static AudioStateMachineUtil* GetInstance();
  // Stops a run that waits, then starts a new one at the access check. False without a machine.
  bool Start();
  // The state the run waits in; -1 between runs.
  int CurrentStateId() const;

 private:
  void Setup();

  std::shared_ptr<base::statemachine::StateMachine> state_machine_;
  uint64_t start_time_ = 0;
  uint64_t enter_time_ = 0;
  std::map<std::string, std::string> properties_;
};

// Starts a run of the single audio util. The flag is accepted and not used.
VELTO_API bool StartAudioStateMachine(bool flag);

}  // namespace velto_common::utils
