#include "module_api/media_trace/audio_state_machine.h"

#include <memory>

#include "frame/scope_singleton.h"
#include "module_api/log.h"
#include "utils/media_trace/media_trace.h"
#include "utils/media_trace/audio_trace_states.h"

namespace velto_common::utils {

namespace {

ScopeSingleton<AudioStateMachineUtil> g_util;
// Numbers the runs in the trace's records, over the whole process.
int g_run = 0;

}  // namespace

AudioStateMachineUtil::AudioStateMachineUtil() { Setup(); }

AudioStateMachineUtil::~AudioStateMachineUtil() {
  properties_.clear();
  // Stops a waiting run: its stage lets go of the controller or the model it listened to.
  state_machine_.reset();
}

void AudioStateMachineUtil::Setup() {
  using namespace media_trace;
  media_trace::Setup(
      kAudioTrace, this,
      {std::make_shared<StateMachineCheckMicAccessState>(), std::make_shared<StateMachineAudioXmppSendedState>(),
       std::make_shared<StateMachineAudioXmppReceivedState>(), std::make_shared<StateMachineAudioZoltHandleState>(),
       std::make_shared<StateMachineAudioFileCaseState>()},
      state_machine_);
}

void AudioStateMachineUtil::WillEnterState(State* state) {
  media_trace::OnEnter(media_trace::kAudioTrace, *state, enter_time_, g_run);
}

void AudioStateMachineUtil::WillExitState(State* state, uint32_t, const base::variant::Variant& data) {
  media_trace::OnExit(media_trace::kAudioTrace, *state, data, start_time_, enter_time_, g_run, properties_);
}

void AudioStateMachineUtil::OnTransition(State*, uint32_t, State*) {}

AudioStateMachineUtil* AudioStateMachineUtil::GetInstance() { return g_util.Get(); }

bool AudioStateMachineUtil::Start() {
  if (!media_trace::Start(media_trace::kAudioTrace, state_machine_.get(), start_time_, properties_)) return false;
  VELTO_LOG(velto::log::kTrace) << "[audio_trace] state machine start timestamp: " << start_time_ << " , id: " << g_run;
  return true;
}

int AudioStateMachineUtil::CurrentStateId() const {
  const State* state = state_machine_ ? state_machine_->CurrentState() : nullptr;
  return state ? state->id() : -1;
}

bool StartAudioStateMachine(bool) { return AudioStateMachineUtil::GetInstance()->Start(); }

}  // namespace velto_common::utils
