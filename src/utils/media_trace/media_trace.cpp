#include "utils/media_trace/media_trace.h"

#include <utility>

#include "framework/module/module.h"
#include "module_api/analytics.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "util/time/time_util.h"

namespace velto_common::utils::media_trace {

namespace {

constexpr std::array<int, 6> kStateIds = {kCheckAccessState, kXmppSendedState, kXmppReceivedState,
                                          kZoltHandleState,  kEndState,        kFailCaseState};

}  // namespace

const char* StateName(const TraceProfile& profile, int state_id) {
  for (size_t i = 0; i < kStateIds.size(); ++i) {
    if (kStateIds[i] == state_id) return profile.state_names[i];
  }
  return "unknown state";
}

void Setup(const TraceProfile& profile, StateMachine::Delegate* delegate, Stages stages,
           std::shared_ptr<StateMachine>& machine) {
  if (machine) {
    VELTO_LOG(velto::log::kFailure) << "state machine can only setup once!";
    return;
  }
  VELTO_LOG(velto::log::kTrace) << profile.prefix << "create sync data state machine";
  machine = base::statemachine::CreateStateMachine(profile.machine_name, delegate, false);
  machine->AddState(std::move(stages.check_access));
  machine->AddState(std::move(stages.xmpp_sended));
  machine->AddState(std::move(stages.xmpp_received));
  machine->AddState(std::move(stages.zolt_handle));
  machine->AddState(std::make_shared<StateMachine::State>(kEndState, StateName(profile, kEndState)));
  machine->AddState(std::move(stages.fail_case));
  machine->SetInitialState(kCheckAccessState);
  const std::array<std::pair<int, int>, 4> steps = {{{kCheckAccessState, kXmppSendedState},
                                                     {kXmppSendedState, kXmppReceivedState},
                                                     {kXmppReceivedState, kZoltHandleState},
                                                     {kZoltHandleState, kEndState}}};
  for (const auto& [from, to] : steps) {
    machine->AddTransition(from, kResultNext, to);
    machine->AddTransition(from, kResultFail, kFailCaseState);
  }
}

bool Start(const TraceProfile& profile, StateMachine* machine, uint64_t& start_time, Properties& properties) {
  if (!machine) {
    VELTO_LOG(velto::log::kFailure) << profile.prefix << " should init state machine first";
    return false;
  }
  if (machine->IsRunning()) {
    VELTO_LOG(velto::log::kTrace) << profile.prefix << " state machine is running, abort it";
    machine->Stop();
  }
  // Each report describes one run: durations of an earlier, failed run must not ride along.
  properties.clear();
  Variant params = Variant::Map();
  params["end_state_transition_event"] = StateName(profile, kFailCaseState);
  machine->Start(params);
  start_time = util::time::GetTickTimestampMsec();
  return true;
}

void OnEnter(const TraceProfile& profile, const StateMachine::State& state, uint64_t& enter_time, int& run) {
  enter_time = util::time::GetTickTimestampMsec();
  if (state.id() == kCheckAccessState) ++run;
  VELTO_LOG(velto::log::kTrace) << profile.prefix << " id: " << run << " , will enter state: " << state.id()
                                << " , name: " << StateName(profile, state.id());
}

void OnExit(const TraceProfile& profile, const StateMachine::State& state, const Variant& data, uint64_t start_time,
            uint64_t enter_time, int run, Properties& properties) {
  const uint64_t now = util::time::GetTickTimestampMsec();
  const uint64_t duration = now - enter_time;
  const char* name = StateName(profile, state.id());
  VELTO_LOG(velto::log::kTrace) << profile.prefix << " id: " << run << " , will exit state: " << state.id()
                                << " , name: " << name << " , duration: " << duration;
  properties[name] = std::to_string(duration);
  if (state.id() == kEndState) {
    const uint64_t total = now - start_time;
    VELTO_LOG(velto::log::kTrace) << profile.prefix << " id: " << run << " , total duration: " << total;
    properties[profile.total_key] = std::to_string(total);
    analytics::LogEventWithProperties(profile.event, properties);
  }
  if (state.id() == kCheckAccessState && data.IsMap()) properties[profile.source_key] = data.GetString("from");
}

void LogCleanUp(const TraceProfile& profile, const StateMachine::State& state, bool is_cancel) {
  VELTO_LOG(velto::log::kTrace) << profile.prefix << "[" << state.name() << "] is cancel: " << is_cancel;
}

ModelEventStage::ModelEventStage(int id, std::string name, const TraceProfile& profile, int model_id, int event_id)
    : State(id, std::move(name)), profile_(profile), model_id_(model_id), event_id_(event_id) {}

int64_t ModelEventStage::observer_id() const { return velto::model::ObserverId(this); }

void ModelEventStage::OnInit() {
  framework::Model* model = framework::module::GetAppModuleModel(model_id_);
  if (!model) {
    VELTO_LOG(velto::log::kFailure) << profile_.prefix << " model " << model_id_ << " not found, " << name()
                                    << " waits without it";
    return;
  }
  model->SubscribeWithLocation(
      event_id_, observer_id(), [this](const Variant* payload) { OnEvent(payload); }, FROM_HERE);
  subscribed_ = model;
}

void ModelEventStage::StartWork(const Variant&) {}

void ModelEventStage::OnCleanUp(bool is_cancel) {
  LogCleanUp(profile_, *this, is_cancel);
  if (!subscribed_) return;
  // The host may have replaced the model meanwhile; only a live one is told.
  if (framework::module::GetAppModuleModel(model_id_) == subscribed_)
    subscribed_->Unsubscribe(event_id_, observer_id());
  subscribed_ = nullptr;
}

void CallbackStage::StartWork(const Variant&) {}

void FailCaseStage::StartWork(const Variant&) { FinishWork(kResultNext); }

}  // namespace velto_common::utils::media_trace
