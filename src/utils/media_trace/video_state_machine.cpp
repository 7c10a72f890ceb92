#include "module_api/media_trace/video_state_machine.h"

#include <memory>

#include "frame/scope_singleton.h"
#include "utils/media_trace/media_trace.h"
#include "utils/media_trace/video_trace_states.h"

namespace velto_common::utils {

namespace {

ScopeSingleton<VideoStateMachineUtil> g_util;
// Numbers the runs in the trace's records, over the whole process.
int g_run = 0;

}  // namespace

VideoStateMachineUtil::VideoStateMachineUtil() { Setup(); }

VideoStateMachineUtil::~VideoStateMachineUtil() {
  properties_.clear();
  // Stops a waiting run: its stage lets go of the controller or the model it listened to.
  state_machine_.reset();
}

void VideoStateMachineUtil::Setup() {
  using namespace media_trace;
  media_trace::Setup(
      kVideoTrace, this,
      {std::make_shared<StateMachineCheckCameraAccessState>(), std::make_shared<StateMachineVideoXmppSendedState>(),
       std::make_shared<StateMachineVideoXmppReceivedState>(), std::make_shared<StateMachineVideoZoltHandleState>(),
       std::make_shared<StateMachineVideoFileCaseState>()},
      state_machine_);
}

void VideoStateMachineUtil::WillEnterState(State* state) {
  media_trace::OnEnter(media_trace::kVideoTrace, *state, enter_time_, g_run);
}

void VideoStateMachineUtil::WillExitState(State* state, uint32_t, const base::variant::Variant& data) {
  media_trace::OnExit(media_trace::kVideoTrace, *state, data, start_time_, enter_time_, g_run, properties_);
}

void VideoStateMachineUtil::OnTransition(State*, uint32_t, State*) {}

VideoStateMachineUtil* VideoStateMachineUtil::GetInstance() { return g_util.Get(); }

bool VideoStateMachineUtil::Start() {
  return media_trace::Start(media_trace::kVideoTrace, state_machine_.get(), start_time_, properties_);
}

int VideoStateMachineUtil::CurrentStateId() const {
  const State* state = state_machine_ ? state_machine_->CurrentState() : nullptr;
  return state ? state->id() : -1;
}

bool StartVideoStateMachine(bool) { return VideoStateMachineUtil::GetInstance()->Start(); }

}  // namespace velto_common::utils
