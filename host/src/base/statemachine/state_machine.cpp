#include "base/statemachine/state_machine.h"

#include "base/log/log.h"
#include "base/threading/looper.h"

namespace base::statemachine {
namespace {

// A run that keeps finishing states at once without end is a cycle; it is stopped rather than
// left to spin the UI thread.
constexpr int kMaxEntriesPerPump = 10000;

// Only the machine's own keep-alive reference is left: its owner let go during a callback, so
// the run is not carried on.
bool Released(const std::shared_ptr<StateMachine>& keep_alive) { return keep_alive && keep_alive.use_count() == 1; }

}  // namespace

void StateMachine::State::OnInit() {}

void StateMachine::State::StartWork(const Variant& params) {
  if (work_) {
    Work work = work_;  // the work may replace itself
    work(*this, params);
  } else {
    FinishWork(0);
  }
}

void StateMachine::State::OnCleanUp(bool) {}

void StateMachine::State::Cancel() {}

void StateMachine::State::FinishWork(uint32_t result, const Variant& data) {
  if (!machine_ || !working_ || machine_->current_ != this) {
    if (base::log::GetLogLevel() >= 3) {
      base::log::PrintLog("StateMachine", "state_machine.cpp", __LINE__, __func__, 3,
                          "[sm] state " + name_ + " finished with " + std::to_string(result) +
                              " while not working, ignored");
    }
    return;
  }
  machine_->Finished(this, result, data);
}

void StateMachine::Delegate::WillEnterState(State*) {}
void StateMachine::Delegate::WillExitState(State*, uint32_t, const Variant&) {}
void StateMachine::Delegate::OnTransition(State*, uint32_t, State*) {}

StateMachine::StateMachine(std::string name, Delegate* delegate, bool async_transitions)
    : name_(std::move(name)), delegate_(delegate), async_transitions_(async_transitions) {}

StateMachine::~StateMachine() {
  Stop();
  for (auto& [id, state] : states_) state->machine_ = nullptr;
}

void StateMachine::Log(int level, const std::string& text) const {
  if (base::log::GetLogLevel() >= level) {
    base::log::PrintLog("StateMachine", "state_machine.cpp", 0, name_.c_str(), level, "[sm] " + name_ + ": " + text);
  }
}

bool StateMachine::AddState(std::shared_ptr<State> state) {
  if (!state) {
    Log(3, "null state refused");
    return false;
  }
  if (state->machine_ && state->machine_ != this) {
    Log(3, "state " + state->name() + " belongs to another machine");
    return false;
  }
  if (states_.count(state->id())) {
    Log(3, "state id " + std::to_string(state->id()) + " is taken");
    return false;
  }
  state->machine_ = this;
  states_.emplace(state->id(), std::move(state));
  return true;
}

StateMachine::State* StateMachine::GetState(int state_id) const {
  auto it = states_.find(state_id);
  return it == states_.end() ? nullptr : it->second.get();
}

bool StateMachine::SetInitialState(int state_id) {
  if (!GetState(state_id)) {
    Log(3, "unknown initial state " + std::to_string(state_id));
    return false;
  }
  initial_state_id_ = state_id;
  has_initial_state_ = true;
  return true;
}

bool StateMachine::AddTransition(int from_state_id, uint32_t result, int to_state_id) {
  transitions_[{from_state_id, result}] = to_state_id;
  return true;
}

bool StateMachine::SetFailureState(int from_state_id, int to_state_id) {
  failure_states_[from_state_id] = to_state_id;
  return true;
}

bool StateMachine::Start(const Variant& params) {
  if (running_) {
    Log(3, "start refused: already running");
    return false;
  }
  State* initial = has_initial_state_ ? GetState(initial_state_id_) : nullptr;
  if (!initial) {
    Log(1, "start refused: no initial state");
    return false;
  }
  running_ = true;
  ++run_;
  start_params_ = params;
  Log(6, "start");
  pending_ = Entry{initial, params};
  Pump();
  return true;
}

void StateMachine::Stop() {
  if (!running_) return;
  auto keep_alive = weak_from_this().lock();  // the state's hooks may drop the owner's reference
  running_ = false;
  ++run_;
  pending_.reset();
  State* state = current_;
  current_ = nullptr;
  Log(6, state ? "stop in state " + state->name() : std::string("stop"));
  if (state && state->working_) {
    state->working_ = false;
    state->Cancel();
    state->OnCleanUp(true);
  }
}

StateMachine::State* StateMachine::NextState(int from_state_id, uint32_t result) const {
  auto it = transitions_.find({from_state_id, result});
  if (it != transitions_.end()) return GetState(it->second);
  auto failure = failure_states_.find(from_state_id);
  return failure == failure_states_.end() ? nullptr : GetState(failure->second);
}

void StateMachine::Finished(State* state, uint32_t result, const Variant& data) {
  auto keep_alive = weak_from_this().lock();  // a callback may drop the owner's reference
  const uint64_t run = run_;
  state->working_ = false;
  Log(6, "state " + state->name() + " finished with " + std::to_string(result));
  // Each callback may stop or restart the machine; what follows belongs to this run only.
  if (delegate_) delegate_->WillExitState(state, result, data);
  if (run != run_) return;
  state->OnCleanUp(false);
  if (run != run_) return;
  if (Released(keep_alive)) {
    Stop();
    return;
  }
  current_ = nullptr;
  State* next = NextState(state->id(), result);
  if (!next) {
    running_ = false;
    Log(6, "end in state " + state->name());
    return;
  }
  if (delegate_) delegate_->OnTransition(state, result, next);
  if (run != run_) return;
  if (Released(keep_alive)) {
    Stop();
    return;
  }
  Schedule(Entry{next, data.IsNull() ? start_params_ : data});
}

void StateMachine::Schedule(Entry entry) {
  std::weak_ptr<StateMachine> weak = weak_from_this();
  if (!async_transitions_ || weak.expired()) {
    pending_ = std::move(entry);
    Pump();
    return;
  }
  const uint64_t run = run_;
  base::threading::LooperThread::MainLooper()->PostTask([weak, run, entry = std::move(entry)] {
    auto machine = weak.lock();
    if (!machine || machine->run_ != run) return;  // stopped or restarted meanwhile
    machine->pending_ = entry;
    machine->Pump();
  }, FROM_HERE);
}

void StateMachine::Pump() {
  // A state finishing inside its own StartWork lands here again: the outer loop takes over.
  if (pumping_) return;
  pumping_ = true;
  auto keep_alive = weak_from_this().lock();  // a callback may drop the owner's reference
  int entries = 0;
  while (pending_ && running_ && !Released(keep_alive)) {
    if (++entries > kMaxEntriesPerPump) {
      Log(1, "states keep finishing at once, stopping the run");
      pumping_ = false;
      Stop();
      return;
    }
    Entry entry = std::move(*pending_);
    pending_.reset();
    State* state = entry.state;
    const uint64_t run = run_;
    current_ = state;
    state->working_ = true;
    Log(6, "enter state " + state->name());
    if (delegate_) delegate_->WillEnterState(state);
    if (run != run_ || current_ != state) continue;
    state->OnInit();
    if (run != run_ || current_ != state) continue;
    state->StartWork(entry.params);
  }
  pumping_ = false;
}

std::shared_ptr<StateMachine> CreateStateMachine(const std::string& name, StateMachine::Delegate* delegate,
                                                 bool async_transitions) {
  return std::make_shared<StateMachine>(name, delegate, async_transitions);
}

}  // namespace base::statemachine
