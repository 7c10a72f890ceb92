#include "hostkit/meeting_clock.h"

#include <algorithm>
#include <map>
#include <utility>

#include "base/threading/looper.h"
#include "base/threading/timer.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "util/time/server_time.h"

namespace hostkit {

namespace {

namespace model_id = velto::model_id;
namespace cmd = velto::model_command;
namespace event = velto::model_event;

constexpr int64_t kTickMs = 1000;

}  // namespace

struct MeetingClock::State {
  ScriptedModel* time_model = nullptr;
  ScriptedModel* type_model = nullptr;
  ScriptedModel* limit_model = nullptr;
  ScriptedModel* alarm_model = nullptr;

  bool running = false;
  int64_t start_ms = 0;
  std::unique_ptr<base::threading::Timer> tick;

  int64_t type = 1;

  Variant limit;
  bool card_success = true;
  std::string card_error;
  uint64_t card_extension_s = 0;

  std::vector<Variant> alarms;  // in the order they came
  bool countdown = false;
  std::vector<int64_t> presenting;
  std::vector<int64_t> shown;
  std::map<int64_t, std::unique_ptr<base::threading::Timer>> stay_timers;

  // The model is still the one installed (hostkit::Reset or another Install replaces it).
  static bool Live(ScriptedModel* model, int model_id) { return model && FindModel(model_id) == model; }

  uint64_t Elapsed() const {
    if (!running) return 0;
    const int64_t ms = NowMs() - start_ms;
    return ms > 0 ? static_cast<uint64_t>(ms / 1000) : 0;
  }

  const Variant* PickAlarm() const {
    const Variant* best = nullptr;
    for (const Variant& alarm : alarms) {
      if (!best || alarm.GetInteger("priority") > best->GetInteger("priority")) best = &alarm;
    }
    return best;
  }

  void FireAlarmUpdated() {
    if (Live(alarm_model, model_id::kMeetingAlarmModel)) {
      alarm_model->Fire(event::meeting_alarm::kAlarmUpdated, Variant::Map());
    }
  }

  void FireLimit() {
    if (Live(limit_model, model_id::kMeetingLimitModel)) {
      limit_model->Fire(event::meeting_limit::kLimitInfoUpdated, limit);
    }
  }

  void RemoveAlarm(int64_t id) {
    const auto gone = std::remove_if(alarms.begin(), alarms.end(),
                                     [id](const Variant& alarm) { return alarm.GetInteger("id") == id; });
    if (gone == alarms.end()) return;
    alarms.erase(gone, alarms.end());
    FireAlarmUpdated();
  }
};

MeetingClock::MeetingClock() : state_(std::make_shared<State>()) {}

MeetingClock::~MeetingClock() {
  state_->tick.reset();
  state_->stay_timers.clear();
}

MeetingClock& MeetingClock::Install() {
  const std::weak_ptr<State> weak = state_;
  State& s = *state_;
  s.running = false;
  s.tick.reset();
  s.type = 1;
  s.limit = Variant::Map();
  s.limit["limit_end_time"] = 0;
  s.alarms.clear();
  s.stay_timers.clear();
  s.presenting.clear();
  s.shown.clear();
  s.countdown = false;

  s.time_model = &InstallModel(model_id::kMeetingTimeModel);
  s.time_model->Handle(cmd::meeting_time::kElapsedTime, [weak](const Variant&, Variant* answer) {
    auto state = weak.lock();
    if (!state) return false;
    if (answer) *answer = Variant(state->Elapsed());
    return true;
  });

  s.type_model = &InstallModel(model_id::kTimeTypeModel);
  s.type_model->Handle(cmd::time_type::kCurrentTimeType, [weak](const Variant&, Variant* answer) {
    auto state = weak.lock();
    if (!state) return false;
    if (answer) {
      *answer = Variant::Map();
      (*answer)["current_time_type"] = state->type;
    }
    return true;
  });
  s.type_model->Handle(cmd::time_type::kSetCurrentTimeType, [weak](const Variant& argument, Variant*) {
    auto state = weak.lock();
    if (!state || !argument.IsMap() || !argument.Has("current_time_type")) return false;
    state->type = argument.GetInteger("current_time_type");
    return true;
  });

  s.limit_model = &InstallModel(model_id::kMeetingLimitModel);
  s.limit_model->Handle(cmd::meeting_limit::kLimitInfo, [weak](const Variant&, Variant* answer) {
    auto state = weak.lock();
    if (!state) return false;
    if (answer) *answer = state->limit;
    return true;
  });
  s.limit_model->Handle(cmd::meeting_limit::kUsePromotionCard, [weak](const Variant&, Variant*) {
    // The server answers later, on the UI thread.
    base::threading::LooperThread::MainLooper()->PostTask([weak] {
      auto state = weak.lock();
      if (!state || !State::Live(state->limit_model, model_id::kMeetingLimitModel)) return;
      Variant result = Variant::Map();
      result["success"] = state->card_success;
      if (!state->card_error.empty()) result["err_msg"] = state->card_error;
      if (state->card_success && state->card_extension_s > 0 && state->limit.GetUint64("limit_end_time") > 0) {
        state->limit["limit_end_time"] = state->limit.GetUint64("limit_end_time") + state->card_extension_s;
        state->limit["used_promotion_card_num"] = state->limit.GetUint32("used_promotion_card_num") + 1;
      }
      state->limit_model->Fire(event::meeting_limit::kUsePromotionCardResult, result);
      if (state->card_success && state->card_extension_s > 0) state->FireLimit();
    });
    return true;
  });

  s.alarm_model = &InstallModel(model_id::kMeetingAlarmModel);
  s.alarm_model->Handle(cmd::meeting_alarm::kCurrentAlarm, [weak](const Variant&, Variant* answer) {
    auto state = weak.lock();
    if (!state) return false;
    const Variant* alarm = state->PickAlarm();
    if (answer) *answer = alarm ? *alarm : Variant::Map();
    return true;
  });
  s.alarm_model->Handle(cmd::meeting_alarm::kAlarmPresenting, [weak](const Variant& argument, Variant*) {
    auto state = weak.lock();
    if (!state) return false;
    state->presenting.push_back(argument.AsInteger());
    return true;
  });
  s.alarm_model->Handle(cmd::meeting_alarm::kAlarmShown, [weak](const Variant& argument, Variant*) {
    auto state = weak.lock();
    if (!state) return false;
    const int64_t id = argument.AsInteger();
    state->shown.push_back(id);
    for (const Variant& alarm : state->alarms) {
      const int64_t stay_s = alarm.GetInteger("stay_duration");
      if (alarm.GetInteger("id") != id || stay_s <= 0) continue;
      auto timer = base::threading::CreateTimer(base::threading::LooperThread::MainLooper(), [weak, id] {
        if (auto alive = weak.lock()) alive->RemoveAlarm(id);
      });
      timer->Start(stay_s * 1000);
      state->stay_timers[id] = std::move(timer);
    }
    return true;
  });
  s.alarm_model->Handle(cmd::meeting_alarm::kCountdownAlarmShowing, [weak](const Variant&, Variant* answer) {
    auto state = weak.lock();
    if (!state) return false;
    if (answer) *answer = Variant(state->countdown);
    return true;
  });
  return *this;
}

ScriptedModel& MeetingClock::meeting_time() const { return *state_->time_model; }
ScriptedModel& MeetingClock::time_type() const { return *state_->type_model; }
ScriptedModel& MeetingClock::meeting_limit() const { return *state_->limit_model; }
ScriptedModel& MeetingClock::meeting_alarm() const { return *state_->alarm_model; }

void MeetingClock::StartMeeting(uint64_t elapsed_s) {
  State& s = *state_;
  s.running = true;
  s.start_ms = NowMs() - static_cast<int64_t>(elapsed_s) * 1000;
  const std::weak_ptr<State> weak = state_;
  s.tick = base::threading::CreateTimer(base::threading::LooperThread::MainLooper(), [weak] {
    auto state = weak.lock();
    if (!state || !State::Live(state->time_model, model_id::kMeetingTimeModel)) return;
    state->time_model->Fire(event::meeting_time::kElapsedTime, Variant(state->Elapsed()));
  });
  s.tick->Start(kTickMs, /*repeat=*/true);
}

void MeetingClock::StopMeeting() {
  state_->tick.reset();
  state_->running = false;
}

uint64_t MeetingClock::ElapsedSeconds() const { return state_->Elapsed(); }

int64_t MeetingClock::CurrentTimeType() const { return state_->type; }

void MeetingClock::ChooseTimeType(int64_t type) {
  state_->type = type;
  Variant payload = Variant::Map();
  payload["current_time_type"] = type;
  if (State::Live(state_->type_model, model_id::kTimeTypeModel)) {
    state_->type_model->Fire(event::time_type::kTimeTypeChanged, payload);
  }
}

void MeetingClock::CloseTimeMenu() {
  if (State::Live(state_->type_model, model_id::kTimeTypeModel)) {
    state_->type_model->Fire(event::time_type::kTimeMenuClosed, Variant::Map());
  }
}

void MeetingClock::SetLimit(uint64_t duration_s, uint64_t grade, uint32_t used_cards, uint64_t started_s_ago) {
  const uint64_t now_s = static_cast<uint64_t>(util::time::GetServerTimestamp(1));
  const uint64_t start = now_s - started_s_ago;
  Variant limit = Variant::Map();
  limit["limit_start_time"] = start;
  limit["limit_end_time"] = start + duration_s;
  limit["meeting_limit_grade"] = grade;
  limit["used_promotion_card_num"] = used_cards;
  state_->limit = std::move(limit);
  state_->FireLimit();
}

void MeetingClock::ClearLimit() {
  state_->limit = Variant::Map();
  state_->limit["limit_end_time"] = 0;
  state_->FireLimit();
}

Variant MeetingClock::LimitInfo() const { return state_->limit; }

void MeetingClock::AnswerPromotionCards(bool success, const std::string& err_msg, uint64_t extension_s) {
  state_->card_success = success;
  state_->card_error = err_msg;
  state_->card_extension_s = extension_s;
}

void MeetingClock::AddAlarm(const Variant& alarm) {
  const int64_t id = alarm.GetInteger("id");
  auto same = std::find_if(state_->alarms.begin(), state_->alarms.end(),
                           [id](const Variant& queued) { return queued.GetInteger("id") == id; });
  if (same != state_->alarms.end()) {
    *same = alarm;
  } else {
    state_->alarms.push_back(alarm);
  }
  state_->FireAlarmUpdated();
}

void MeetingClock::RemoveAlarm(int64_t id) {
  state_->stay_timers.erase(id);
  state_->RemoveAlarm(id);
}

size_t MeetingClock::QueuedAlarmCount() const { return state_->alarms.size(); }

void MeetingClock::SetCountdownShowing(bool showing) {
  state_->countdown = showing;
  state_->FireAlarmUpdated();
}

std::vector<int64_t> MeetingClock::PresentingAlarms() const { return state_->presenting; }

std::vector<int64_t> MeetingClock::ShownAlarms() const { return state_->shown; }

}  // namespace hostkit
