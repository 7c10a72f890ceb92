// The built-in meeting's time limit: the meeting window's time label counts the meeting from
// the start; a sixth of the way in, the free edition's limit arrives and the label switches to
// it. Before the limit ends the alarm banner warns (animated, then it goes after its stay), a
// countdown alarm with a time-card button hides the label, and the user presses the button: the
// card moves the limit past the meeting's end and the label comes back.
//
// Two tracks: "time limit" (the label and the limit) and "meeting alarm" (the banner, the
// countdown and its button).
#include <algorithm>
#include <memory>
#include <string>

#include "hostkit/hostkit.h"
#include "hostkit/meeting_clock.h"
#include "hostkit/viewmodel.h"
#include "meeting/schedule.h"
#include "meeting/world.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "record.h"
#include "time_window_views.h"

namespace {

using sim::AlarmBar;
using sim::StatusBarTime;
using sim::meeting::Event;
using sim::meeting::Random;
using sim::meeting::Schedule;
using sim::meeting::Variant;
using sim::meeting::World;
namespace alarm = velto::meeting_alarm;
namespace ti = velto::time_info;
namespace cmd = velto::model_command;

constexpr int64_t kAnimationMs = 300;  // how long the view animates the banner in or out
constexpr int64_t kWarningAlarmId = 1;
constexpr int64_t kCountdownAlarmId = 2;
constexpr char kTimeCardButton[] = "Use a time card";

std::string Duration(int64_t ms) {
  const int64_t minutes = ms / 60000;
  if (minutes >= 1) return std::to_string(minutes) + (minutes == 1 ? " minute" : " minutes");
  const int64_t seconds = std::max<int64_t>(ms / 1000, 1);
  return std::to_string(seconds) + (seconds == 1 ? " second" : " seconds");
}

// Every time is derived from the meeting's length, so a meeting of one minute keeps the order:
// limit, warning (shown, then gone after its stay), countdown, the button pressed, the limit's end.
void PlanTimeLimit(Schedule& schedule, Random& random) {
  const int64_t end = schedule.plan().end_ms();
  Variant open = Variant::Map();
  open["open"] = true;
  schedule.Add(0, "time label", open);  // the window opens with its label
  const int64_t limit_at = end / 6 / 1000 * 1000;
  const int64_t limit_end = end * 2 / 3 / 1000 * 1000;
  Variant limit = Variant::Map();
  limit["duration_s"] = (limit_end - limit_at) / 1000;
  schedule.Add(limit_at, "time limit", limit);
  // The label takes up a change on its next second: a look one second after each.
  schedule.Add(limit_at + 1000, "time label");

  const int64_t warn = std::min<int64_t>(10 * 60000, (limit_end - limit_at) / 2);
  const int64_t stay_s = std::max<int64_t>(1, std::min<int64_t>(30, warn / 3000));
  const int64_t alarm_at = limit_end - warn;
  Variant warning = Variant::Map();
  warning["title"] = "The meeting ends in " + Duration(warn);
  warning["stay_s"] = stay_s;
  schedule.Add(alarm_at, "time alarm", warning);
  schedule.Add(alarm_at + kAnimationMs, "alarm animation end");  // shown
  schedule.Add(alarm_at + kAnimationMs + stay_s * 1000 + kAnimationMs, "alarm animation end");  // gone

  const int64_t lead = std::min<int64_t>(60000, warn / 2);
  Variant countdown = Variant::Map();
  countdown["title"] = Duration(lead) + " left";
  schedule.Add(limit_end - lead, "countdown", countdown);
  Variant card = Variant::Map();
  card["extension_s"] = (end - limit_end) / 1000 + 10 * 60;  // past the meeting's end
  const int64_t pressed_at = limit_end - lead + random.Between(std::min<int64_t>(1000, lead / 4), lead * 2 / 3);
  schedule.Add(pressed_at, "time card", card);
  schedule.Add(pressed_at + 1000, "time label");
}

// The window's label and banner over the meeting's clock; the view models go before the clock.
struct TimeWindow {
  hostkit::MeetingClock clock;
  std::unique_ptr<StatusBarTime> label;
  std::unique_ptr<AlarmBar> bar;
  size_t banner_seen = 0;
  size_t notice = 0;  // the countdown's, answered by the button

  ~TimeWindow() {
    if (label) hostkit::DetachViewModel(*label);
    if (bar) hostkit::DetachViewModel(*bar);
    bar.reset();
    label.reset();
  }
};

TimeWindow& Window(World& world) { return world.Slot<TimeWindow>("time window"); }

hostkit::ScriptedModel& Ensure(int model_id) {
  if (hostkit::ScriptedModel* model = hostkit::FindModel(model_id)) return *model;
  return hostkit::InstallModel(model_id);
}

const Variant& Label(TimeWindow& window) { return window.label->GetPropValue(ti::kTimeInfoProp); }

std::string LabelLine(TimeWindow& window) {
  const Variant& info = Label(window);
  std::string line = "time label ";
  line += info.GetBoolean(ti::kFieldVisibility) ? "[" + info.GetString(ti::kFieldTimeInfo) + "]" : "(hidden)";
  if (info.GetInteger(ti::kFieldShowType) == ti::kTypeLimit) line += " limit";
  const std::string tips = info.GetString(ti::kFieldTips);
  if (!tips.empty()) line += " \"" + tips + "\"";
  return line;
}

// The banners the view was asked to show since the last look; returns how many became visible.
size_t BannersShown(TimeWindow& window, World& world) {
  size_t shown = 0;
  const auto& history = hostkit::PropHistory(*window.bar, alarm::kAlarmInfoProp);
  for (; window.banner_seen < history.size(); ++window.banner_seen) {
    const Variant& info = history[window.banner_seen];
    if (!info.Has("id")) continue;  // a cleared banner
    const bool visible = info.GetBoolean(alarm::kFieldVisible);
    if (visible && window.banner_seen > 0) {
      const Variant& before = history[window.banner_seen - 1];
      if (before.GetBoolean(alarm::kFieldVisible) && before.GetInteger("id") == info.GetInteger("id")) continue;
    }
    std::string line = "alarm banner " + std::string(visible ? "shows" : "hides") + " \"" +
                       info.GetString(alarm::kFieldTitle) + "\"";
    if (visible && !info.GetString(alarm::kFieldBtnTitle).empty()) line += " [" + info.GetString(alarm::kFieldBtnTitle) + "]";
    world.Note(line);
    if (visible) ++shown;
  }
  return shown;
}

void OpenLabel(TimeWindow& window, World& world) {
  // What the label and the banner ask of the meeting's own models.
  world.fixture().settings().Answer(cmd::meeting_settings::kElapsedTimeEnabled,
                                    hostkit::Json(R"({"is_elapsed_time_enabled": true})"));
  world.fixture().SetConfigurationItem("inmeeting", "enable_change_inmeeting_limit_time_type", true);
  Ensure(velto::model_id::kAuthorizationModel).Succeed(cmd::authorization::kMayActNow);
  window.clock.Install();
  window.clock.StartMeeting(0);
  window.label = std::make_unique<StatusBarTime>("meeting_window");
  window.bar = std::make_unique<AlarmBar>();
  hostkit::AttachViewModel(*window.label);
  hostkit::AttachViewModel(*window.bar);
  window.banner_seen = hostkit::PropHistory(*window.bar, alarm::kAlarmInfoProp).size();
  world.Note("meeting window: " + LabelLine(window));
}

// The first look opens the window; later ones read the label, counting a limit it shows.
void LookAtLabel(const Event& event, World& world) {
  TimeWindow& window = Window(world);
  if (event.args.GetBoolean("open") || !window.label) return OpenLabel(window, world);
  world.Note(LabelLine(window));
  const Variant& label = Label(window);
  if (label.GetBoolean(ti::kFieldVisibility) && label.GetInteger(ti::kFieldShowType) == ti::kTypeLimit &&
      !label.GetString(ti::kFieldTips).empty()) {
    world.Count("looks at the limit on the label");
  }
}

void Limit(const Event& event, World& world) {
  TimeWindow& window = Window(world);
  if (!window.label) return;
  const uint64_t duration_s = event.args.GetUint64("duration_s");
  window.clock.SetLimit(duration_s, duration_s / 60);  // the grade: the edition's minutes
  hostkit::RunUntilIdle();
  world.Note("meeting limit model: the free edition's limit ends in " + Duration(static_cast<int64_t>(duration_s) * 1000));
  if (window.label->in_limit_meeting()) world.Count("time limits");
}

void WarningAlarm(const Event& event, World& world) {
  TimeWindow& window = Window(world);
  if (!window.bar) return;
  Variant alarm_record = Variant::Map();
  alarm_record["id"] = kWarningAlarmId;
  alarm_record["title"] = event.args.GetString("title");
  alarm_record["animation_type"] = 1;
  alarm_record["meeting_info_type"] = 1;
  alarm_record["category"] = "time_limit";
  alarm_record["stay_duration"] = event.args.GetInteger("stay_s");
  window.clock.AddAlarm(alarm_record);
  hostkit::RunUntilIdle();
  const size_t shown = BannersShown(window, world);
  world.Count("meeting alarms shown", static_cast<int64_t>(shown));
  if (shown) world.Shown("alarm", event.args.GetString("title"));
}

void AnimationEnd(const Event&, World& world) {
  TimeWindow& window = Window(world);
  if (!window.bar) return;
  hostkit::FireAction(*window.bar, alarm::kActionAnimationEnd, Variant::Map());
  hostkit::RunUntilIdle();
  BannersShown(window, world);
}

void Countdown(const Event& event, World& world) {
  TimeWindow& window = Window(world);
  if (!window.bar) return;
  Variant alarm_record = Variant::Map();
  alarm_record["id"] = kCountdownAlarmId;
  alarm_record["title"] = event.args.GetString("title");
  alarm_record["animation_type"] = 0;
  alarm_record["meeting_info_type"] = 2;
  alarm_record["btn_type"] = alarm::kBtnTypeTimeCard;
  alarm_record["btn_title"] = kTimeCardButton;
  alarm_record["category"] = "countdown";
  window.clock.AddAlarm(alarm_record);
  window.clock.SetCountdownShowing(true);
  hostkit::RunUntilIdle();
  const size_t shown = BannersShown(window, world);
  world.Count("meeting alarms shown", static_cast<int64_t>(shown));
  if (shown) window.notice = world.Shown("alarm", event.args.GetString("title"));
  world.Note(LabelLine(window));
  // The countdown takes the label's place.
  if (shown && !Label(window).GetBoolean(ti::kFieldVisibility)) world.Count("countdowns shown");
}

void TimeCard(const Event& event, World& world) {
  TimeWindow& window = Window(world);
  if (!window.bar) return;
  const uint64_t extension_s = event.args.GetUint64("extension_s");
  window.clock.AnswerPromotionCards(true, {}, extension_s);
  const uint64_t end_before = window.clock.LimitInfo().GetUint64("limit_end_time");
  world.Note(std::string("the user presses [") + kTimeCardButton + "]");
  hostkit::FireAction(*window.bar, alarm::kActionClickExtraBtn, hostkit::Json(R"({"stay_duration": 5})"));
  hostkit::RunUntilIdle();
  world.recorder().Answer(window.notice, kTimeCardButton);
  if (window.clock.LimitInfo().GetUint64("limit_end_time") <= end_before) {
    world.Note("the time card was not spent");
    return;
  }
  world.Count("time cards used");
  // The server takes the countdown down once the limit has moved.
  window.clock.SetCountdownShowing(false);
  window.clock.RemoveAlarm(kCountdownAlarmId);
  hostkit::RunUntilIdle();
  BannersShown(window, world);
  world.Note("meeting limit model: the limit ends " + Duration(static_cast<int64_t>(extension_s) * 1000) + " later");
}

const bool kRegistered = [] {
  sim::meeting::RegisterPlanner(450, "time limit", PlanTimeLimit);
  sim::meeting::RegisterEventKind("time label", "time limit", LookAtLabel);
  sim::meeting::RegisterEventKind("time limit", "time limit", Limit);
  sim::meeting::RegisterEventKind("time alarm", "meeting alarm", WarningAlarm);
  sim::meeting::RegisterEventKind("alarm animation end", "meeting alarm", AnimationEnd);
  sim::meeting::RegisterEventKind("countdown", "meeting alarm", Countdown);
  sim::meeting::RegisterEventKind("time card", "meeting alarm", TimeCard);
  return true;
}();

}  // namespace
