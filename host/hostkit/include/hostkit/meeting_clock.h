// hostkit: a meeting's clock, its time limit and its alarms, ready-made for the time label and
// the alarm banner. Install() puts four consistent scripted models in place: the meeting time
// model (516), the time type model (10056), the meeting limit model (714) and the meeting alarm
// model (712).
//
//   hostkit::MeetingClock clock;
//   clock.Install();
//   clock.StartMeeting();                    // elapsed seconds count from now, event 3 each second
//   clock.SetLimit(40 * 60, 1);              // a 40-minute limit from now, grade 1 (event 1)
//   clock.AddAlarm(hostkit::Json(R"({"id": 7, "title": "10 minutes left", "animation_type": 1})"));
//   hostkit::AdvanceClock(60 * 1000);        // a minute: 60 ticks
//   clock.ChooseTimeType(1);                 // the user picks the elapsed time in the time menu
//
// Alarms: the alarm model answers the queued alarm of highest "priority" (0 when absent; the
// earlier among equals), an empty map when none is queued. An alarm told "shown" with a
// positive "stay_duration" (seconds) leaves the queue that long afterwards. Every change of
// the queue fires the alarm model's update event.
// Time cards: using one answers with the result set by AnswerPromotionCards; a success extends
// the limit and fires the limit update.
//
// The fixture shares its state with the models' handlers and timers: it may go away before the
// models do (its timers stop with it). hostkit::Reset() removes the models.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "hostkit/hostkit.h"

namespace hostkit {

class MeetingClock {
 public:
  MeetingClock();
  ~MeetingClock();
  MeetingClock(const MeetingClock&) = delete;
  MeetingClock& operator=(const MeetingClock&) = delete;

  // Installs (or reinstalls) the four models; no meeting, type 1, no limit, no alarm.
  MeetingClock& Install();
  ScriptedModel& meeting_time() const;
  ScriptedModel& time_type() const;
  ScriptedModel& meeting_limit() const;
  ScriptedModel& meeting_alarm() const;

  // The meeting began `elapsed_s` seconds ago; the time model fires the elapsed seconds every
  // second of the manual clock until StopMeeting.
  void StartMeeting(uint64_t elapsed_s = 0);
  void StopMeeting();
  uint64_t ElapsedSeconds() const;

  int64_t CurrentTimeType() const;
  // The user's choice in the time menu: stores the type and fires the type change.
  void ChooseTimeType(int64_t type);
  void CloseTimeMenu();

  // A limit of `duration_s` that began `started_s_ago` seconds ago on the server clock; fires
  // the limit update. ClearLimit fires an end time of 0.
  void SetLimit(uint64_t duration_s, uint64_t grade, uint32_t used_cards = 0, uint64_t started_s_ago = 0);
  void ClearLimit();
  Variant LimitInfo() const;
  // How the next time cards are answered; a success adds `extension_s` to the limit.
  void AnswerPromotionCards(bool success, const std::string& err_msg = {}, uint64_t extension_s = 0);

  // An alarm whose "id" is queued already replaces it in place (an update of that alarm).
  void AddAlarm(const Variant& alarm);
  void RemoveAlarm(int64_t id);
  size_t QueuedAlarmCount() const;
  // What the alarm model answers for "a countdown alarm is showing"; fires the update event.
  void SetCountdownShowing(bool showing);
  // Alarm ids as the alarm model was told of them, in order.
  std::vector<int64_t> PresentingAlarms() const;
  std::vector<int64_t> ShownAlarms() const;

  struct State;

 private:
  std::shared_ptr<State> state_;
};

}  // namespace hostkit
