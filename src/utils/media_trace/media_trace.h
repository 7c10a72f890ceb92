// What the camera and microphone open traces share: the stage ids, the texts that tell the two
// apart, the machine's shape, the timing rules and the access-check stage. Not installed.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "base/statemachine/state_machine.h"
#include "base/variant/variant.h"
#include "framework/model.h"

namespace velto_common::utils::media_trace {

using base::statemachine::StateMachine;
using base::variant::Variant;
using Properties = std::map<std::string, std::string>;

inline constexpr int kCheckAccessState = 100;
inline constexpr int kXmppSendedState = 101;
inline constexpr int kXmppReceivedState = 102;
inline constexpr int kZoltHandleState = 103;
inline constexpr int kEndState = 104;
inline constexpr int kFailCaseState = 110;

// Each stage finishes with one of these; any other result has no transition.
inline constexpr uint32_t kResultNext = 0;
inline constexpr uint32_t kResultFail = 1;

struct TraceProfile {
  const char* prefix;        // "[video_trace]"
  const char* machine_name;  // "video_trance_info_sm"
  // By stage: 100, 101, 102, 103, 104, 110.
  std::array<const char*, 6> state_names;
  const char* total_key;
  const char* source_key;
  const char* event;
};

// The stage's name, "unknown state" for an id that is none of the six.
const char* StateName(const TraceProfile& profile, int state_id);

// The five stages with work of one medium, made by its util.
struct Stages {
  std::shared_ptr<StateMachine::State> check_access;
  std::shared_ptr<StateMachine::State> xmpp_sended;
  std::shared_ptr<StateMachine::State> xmpp_received;
  std::shared_ptr<StateMachine::State> zolt_handle;
  std::shared_ptr<StateMachine::State> fail_case;
};

// Creates the machine with the six stages and eight transitions; logs and leaves `machine` as it
// is when it exists already.
void Setup(const TraceProfile& profile, StateMachine::Delegate* delegate, Stages stages,
           std::shared_ptr<StateMachine>& machine);
// Stops a waiting run and starts a new one; false without a machine.
bool Start(const TraceProfile& profile, StateMachine* machine, uint64_t& start_time, Properties& properties);

// The delegate's timing: the enter time, the run count on entering the access check, and on
// leaving a stage its duration (the report when the end is left, the source when the access
// check is left with data).
void OnEnter(const TraceProfile& profile, const StateMachine::State& state, uint64_t& enter_time, int& run);
void OnExit(const TraceProfile& profile, const StateMachine::State& state, const Variant& data, uint64_t start_time,
            uint64_t enter_time, int run, Properties& properties);

// Logs "<prefix>[<name>] is cancel: <flag>" as a stage cleans up.
void LogCleanUp(const TraceProfile& profile, const StateMachine::State& state, bool is_cancel);

// A stage that waits for a model event, subscribed while the stage works.
class ModelEventStage : public StateMachine::State {
 public:
  ModelEventStage(int id, std::string name, const TraceProfile& profile, int model_id, int event_id);
  void OnInit() override;
  void StartWork(const Variant& params) override;  // waits for the event
  void OnCleanUp(bool is_cancel) override;

 protected:
  virtual void OnEvent(const Variant* payload) = 0;
  const TraceProfile& profile() const { return profile_; }

 private:
  int64_t observer_id() const;
  const TraceProfile& profile_;
  int model_id_;
  int event_id_;
  framework::Model* subscribed_ = nullptr;
};

// A stage that waits for a callback; it finishes from the callback only.
class CallbackStage : public StateMachine::State {
 public:
  CallbackStage(int id, std::string name, const TraceProfile& profile)
      : State(id, std::move(name)), profile_(profile) {}
  void StartWork(const Variant& params) override;  // waits for the callback

 protected:
  const TraceProfile& profile() const { return profile_; }

 private:
  const TraceProfile& profile_;
};

// The fail case: finishes at once, with nowhere to go.
class FailCaseStage : public StateMachine::State {
 public:
  FailCaseStage(int id, std::string name) : State(id, std::move(name)) {}
  void StartWork(const Variant& params) override;
};

}  // namespace velto_common::utils::media_trace
