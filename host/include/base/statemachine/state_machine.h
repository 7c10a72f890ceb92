// base::statemachine: a run through states whose work ends with a result; the result picks the
// next state.
//
//   auto machine = base::statemachine::CreateStateMachine("login_sm", &delegate, false);
//   machine->AddState(std::make_shared<CheckState>());                 // id 1, finishes 1 or 2
//   machine->AddState(std::make_shared<StateMachine::State>(2, "done"));  // plain state
//   machine->AddState(std::make_shared<StateMachine::State>(3, "failed"));
//   machine->SetInitialState(1);
//   machine->AddTransition(1, 1, 2);
//   machine->SetFailureState(1, 3);   // any other result of state 1
//   machine->Start(params);
//
// Entering a state: delegate WillEnterState, then the state's OnInit and StartWork(params).
// The work ends with FinishWork(result, data), now or later: delegate WillExitState, the
// state's OnCleanUp(false), then the state the transition (or else the failure target) names
// is entered with `data` as its params, or with the start params when `data` is null. With
// neither transition nor failure target the run ends. A plain state (no work) finishes at once
// with result 0. Stop() while a state works calls its Cancel and OnCleanUp(true).
// Everything runs on the UI thread. Delegates are not owned.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <optional>

#include "base/variant/variant.h"

namespace base::statemachine {

using base::variant::Variant;

class StateMachine : public std::enable_shared_from_this<StateMachine> {
 public:
  class State {
   public:
    using Work = std::function<void(State& state, const Variant& params)>;

    State(int id, std::string name, Work work = {}) : id_(id), name_(std::move(name)), work_(std::move(work)) {}
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    virtual ~State() = default;

    // Set up what the work waits for (subscriptions, listeners), each time the state is entered.
    virtual void OnInit();
    // Runs the work given to the constructor, or finishes at once with result 0 without one.
    virtual void StartWork(const Variant& params);
    // Undo OnInit. `is_cancel` is true when the run was stopped while this state worked.
    virtual void OnCleanUp(bool is_cancel);
    // The run is being stopped while this state works: abandon what is pending.
    virtual void Cancel();

    // Ends the work. Ignored (logged) unless this state is the one working.
    void FinishWork(uint32_t result, const Variant& data = Variant());

    int id() const { return id_; }
    const std::string& name() const { return name_; }
    bool is_working() const { return working_; }
    StateMachine* machine() const { return machine_; }

   private:
    friend class StateMachine;
    int id_;
    std::string name_;
    Work work_;
    StateMachine* machine_ = nullptr;
    bool working_ = false;
  };

  class Delegate {
   public:
    virtual void WillEnterState(State* state);
    // `data` is null when the state finished without data.
    virtual void WillExitState(State* state, uint32_t result, const Variant& data);
    virtual void OnTransition(State* from, uint32_t result, State* to);
    virtual ~Delegate() = default;
  };

  // Use CreateStateMachine.
  StateMachine(std::string name, Delegate* delegate, bool async_transitions);
  StateMachine(const StateMachine&) = delete;
  StateMachine& operator=(const StateMachine&) = delete;
  ~StateMachine();  // stops a run first

  // False (logged) for a null state, a taken id, or a state that belongs to another machine.
  bool AddState(std::shared_ptr<State> state);
  State* GetState(int state_id) const;
  // False (logged) when the id is unknown.
  bool SetInitialState(int state_id);
  // A later transition of the same state and result replaces the earlier one.
  bool AddTransition(int from_state_id, uint32_t result, int to_state_id);
  bool SetFailureState(int from_state_id, int to_state_id);

  // False (logged) while running or without an initial state.
  bool Start(const Variant& params);
  void Stop();  // nothing when not running
  bool IsRunning() const { return running_; }
  State* CurrentState() const { return current_; }
  const std::string& name() const { return name_; }
  const Variant& start_params() const { return start_params_; }

 private:
  struct Entry {
    State* state;
    Variant params;
  };
  void Finished(State* state, uint32_t result, const Variant& data);
  State* NextState(int from_state_id, uint32_t result) const;
  void Schedule(Entry entry);
  void Pump();
  void Log(int level, const std::string& text) const;

  std::string name_;
  Delegate* delegate_;
  bool async_transitions_;
  std::map<int, std::shared_ptr<State>> states_;
  std::map<std::pair<int, uint32_t>, int> transitions_;
  std::map<int, int> failure_states_;
  int initial_state_id_ = 0;
  bool has_initial_state_ = false;
  bool running_ = false;
  uint64_t run_ = 0;
  Variant start_params_;
  State* current_ = nullptr;
  std::optional<Entry> pending_;  // the state to enter next
  bool pumping_ = false;
};

// `async_transitions`: the next state is entered from a main-looper task instead of inside
// FinishWork.
std::shared_ptr<StateMachine> CreateStateMachine(const std::string& name, StateMachine::Delegate* delegate,
                                                 bool async_transitions);

}  // namespace base::statemachine
