// A meeting window with a time limit, in simulated minutes: its time label counts the meeting,
// switches to the limit when the limit arrives and counts down to it; the alarm banner warns
// before the end, a countdown alarm hides the label, a time card moves the limit, and the
// window closes leaving no timer or subscription behind.
#include <climits>
#include <memory>
#include <string>

#include "hostkit/hostkit.h"
#include "hostkit/meeting_clock.h"
#include "hostkit/timers.h"
#include "hostkit/viewmodel.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "sim.h"
#include "time_window_views.h"

namespace {

using sim::AlarmBar;
using sim::StatusBarTime;
using sim::Variant;
namespace alarm = velto::meeting_alarm;
namespace ti = velto::time_info;

struct Window {
  hostkit::MeetingClock clock;
  std::unique_ptr<StatusBarTime> label;
  std::unique_ptr<AlarmBar> bar;
  size_t banner_seen = 0;
  std::string banner_line;  // the last one printed
  size_t toasts_seen = 0;
  size_t shown_seen = 0;
};

std::unique_ptr<Window>& Current() {
  static auto* window = new std::unique_ptr<Window>;
  return *window;
}

std::string LabelLine() {
  const Variant& info = Current()->label->GetPropValue(ti::kTimeInfoProp);
  std::string line = "time label ";
  line += info.GetBoolean(ti::kFieldVisibility) ? "[" + info.GetString(ti::kFieldTimeInfo) + "]" : "(hidden)";
  if (info.GetInteger(ti::kFieldShowType) == ti::kTypeLimit) line += " limit";
  const std::string tips = info.GetString(ti::kFieldTips);
  if (!tips.empty()) line += " \"" + tips + "\"";
  return line;
}

// The banner's changes since the last step.
void PrintBanner() {
  Window& w = *Current();
  const auto& history = hostkit::PropHistory(*w.bar, alarm::kAlarmInfoProp);
  for (; w.banner_seen < history.size(); ++w.banner_seen) {
    const Variant& info = history[w.banner_seen];
    if (!info.Has("id")) continue;  // a cleared banner
    std::string line = "alarm banner " + std::string(info.GetBoolean(alarm::kFieldVisible) ? "shows" : "hides") +
                       " \"" + info.GetString(alarm::kFieldTitle) + "\"";
    if (info.GetInteger(alarm::kFieldAnimationType) != 0) line += " (animated)";
    if (info.GetBoolean(alarm::kFieldVisible) && !info.GetString(alarm::kFieldBtnTitle).empty()) {
      line += " [" + info.GetString(alarm::kFieldBtnTitle) + "]";
    }
    if (line == w.banner_line) continue;  // rewritten in place, unchanged
    w.banner_line = line;
    sim::Print(line);
  }
  const auto shown = w.clock.ShownAlarms();
  for (; w.shown_seen < shown.size(); ++w.shown_seen) {
    sim::Print("meeting alarm model: alarm " + std::to_string(shown[w.shown_seen]) + " was seen");
  }
  const auto& toasts = hostkit::Toasts();
  for (; w.toasts_seen < toasts.size(); ++w.toasts_seen) sim::Print("toast \"" + toasts[w.toasts_seen].text + "\"");
}

bool OpenWindow(const Variant& step, sim::Context&) {
  hostkit::SetLanguage("en-us");
  auto& window = Current();
  window = std::make_unique<Window>();
  window->clock.Install();
  window->clock.StartMeeting(step.GetUint64("elapsed"));
  window->label = std::make_unique<StatusBarTime>("sim");
  window->bar = std::make_unique<AlarmBar>();
  hostkit::AttachViewModel(*window->label);
  hostkit::AttachViewModel(*window->bar);
  window->banner_seen = hostkit::PropHistory(*window->bar, alarm::kAlarmInfoProp).size();
  window->toasts_seen = hostkit::Toasts().size();
  sim::Print("meeting window open; " + LabelLine());
  return true;
}

bool ShowLabel(const Variant&, sim::Context&) {
  if (!Current()) return false;
  sim::Print(LabelLine());
  PrintBanner();
  return true;
}

bool SetLimit(const Variant& step, sim::Context&) {
  if (!Current()) return false;
  sim::Print("meeting limit model: a limit of " + std::to_string(step.GetUint64("minutes")) + " minutes from now");
  Current()->clock.SetLimit(step.GetUint64("minutes") * 60, step.GetUint64("grade"));
  return true;
}

bool AddAlarm(const Variant& step, sim::Context&) {
  if (!Current()) return false;
  sim::Print("meeting alarm model: alarm " + std::to_string(step.Get("alarm").GetInteger("id")));
  Current()->clock.AddAlarm(step.Get("alarm"));
  if (step.Has("countdown")) Current()->clock.SetCountdownShowing(step.GetBoolean("countdown"));
  PrintBanner();
  sim::Print(LabelLine());
  return true;
}

bool EndAnimation(const Variant&, sim::Context&) {
  if (!Current()) return false;
  sim::Print("view: animation ended");
  hostkit::FireAction(*Current()->bar, alarm::kActionAnimationEnd, Variant::Map());
  hostkit::RunUntilIdle();
  PrintBanner();
  return true;
}

bool UseCard(const Variant& step, sim::Context&) {
  if (!Current()) return false;
  Window& w = *Current();
  w.clock.AnswerPromotionCards(true, {}, step.GetUint64("extension_minutes") * 60);
  sim::Print("user clicks the alarm's button");
  hostkit::FireAction(*w.bar, alarm::kActionClickExtraBtn, hostkit::Json(R"({"stay_duration": 5})"));
  hostkit::RunUntilIdle();
  w.clock.SetCountdownShowing(false);
  w.clock.RemoveAlarm(step.GetInteger("alarm_id"));
  hostkit::RunUntilIdle();
  sim::Print("meeting limit model: the limit ends " + std::to_string(step.GetUint64("extension_minutes")) +
             " minutes later");
  PrintBanner();
  sim::Print(LabelLine());
  return true;
}

bool CloseWindow(const Variant&, sim::Context&) {
  auto& window = Current();
  if (!window) return false;
  hostkit::DetachViewModel(*window->label);
  hostkit::DetachViewModel(*window->bar);
  sim::Print("meeting window closed: " + std::to_string(hostkit::SubscriptionsOf(window->label.get()) +
                                                        hostkit::SubscriptionsOf(window->bar.get())) +
             " subscriptions, " + std::to_string(hostkit::RunningPlatformTimers().size()) + " timers left");
  window.reset();
  hostkit::SetLanguage("zh-cn");
  return true;
}

const bool kRegistered = [] {
  sim::RegisterAction("meeting_window_open", {"Opens the meeting window with its time label and alarm.", {sim::Int("elapsed", 0, INT64_MAX, "seconds already spent in the meeting")}}, OpenWindow);
  sim::RegisterAction("time_label", {"Prints the time label.", {}}, ShowLabel);
  sim::RegisterAction("time_limit", {"Sets a meeting time limit from now.", {sim::Int("minutes", 0, 100000, "the limit in minutes").Required(), sim::Int("grade", 0, INT64_MAX, "the account grade")}}, SetLimit);
  sim::RegisterAction("time_alarm", {"The alarm model raises an alarm.", {sim::Value("alarm", "the alarm record (with its id)").Required(), sim::Bool("countdown", "the countdown is showing")}}, AddAlarm);
  sim::RegisterAction("time_alarm_animation_end", {"The view ends the alarm animation.", {}}, EndAnimation);
  sim::RegisterAction("time_card", {"A promotion card extends the limit.", {sim::Int("extension_minutes", 0, 100000, "minutes the card adds").Required(), sim::Int("alarm_id", INT64_MIN, INT64_MAX, "the alarm the card clears")}}, UseCard);
  sim::RegisterAction("meeting_window_close", {"Closes the meeting window.", {}}, CloseWindow);
  sim::RegisterQuery("time.label", [] { return Current() ? LabelLine() : std::string("no window"); });
  sim::RegisterChapter(470, R"json({
    "name": "Meeting time: the label counts, a 12-minute limit arrives, the alarm warns, a time card extends it",
    "models": {
      "514": {"succeed": [0, 23], "answers": {"3": {"meeting_item": {"meeting_id": "m-1", "creator_uid": "uid-1"}}}},
      "508": {"answers": {"1": {"app_uid": "uid-1"}}},
      "523": {"answers": {"11": {"is_elapsed_time_enabled": true}}},
      "539": {"answers": {"1": true}},
      "591": {"answers": {"12": false}},
      "502": {}, "590": {},
      "504": {"succeed": [9]}
    },
    "timeline": [
      {"at": 0, "do": "meeting_window_open", "elapsed": 55},
      {"at": 5000, "do": "time_label"},
      {"at": 60000, "do": "time_label"},
      {"at": 60000, "do": "time_limit", "minutes": 12, "grade": 12},
      {"at": 120000, "do": "time_label"},
      {"at": 300000, "do": "time_label"},
      {"at": 600000, "do": "time_label"},
      {"at": 660000, "do": "time_alarm", "alarm": {"id": 1, "title": "The meeting ends in 2 minutes",
        "animation_type": 1, "meeting_info_type": 1, "category": "time_limit", "stay_duration": 30}},
      {"at": 660300, "do": "time_alarm_animation_end"},
      {"at": 690300, "do": "time_label"},
      {"at": 690600, "do": "time_alarm_animation_end"},
      {"at": 720000, "do": "time_alarm", "countdown": true, "alarm": {"id": 2, "title": "1 minute left",
        "animation_type": 0, "meeting_info_type": 2, "btn_type": 1, "btn_title": "Use a time card",
        "category": "countdown"}},
      {"at": 750000, "do": "time_card", "alarm_id": 2, "extension_minutes": 10},
      {"at": 780000, "do": "time_label"},
      {"at": 1320000, "do": "time_label"},
      {"at": 1380000, "do": "time_label"},
      {"at": 1390000, "do": "ask", "queries": ["time.label"]},
      {"at": 1400000, "do": "meeting_window_close"}
    ]
  })json");
  return true;
}();

}  // namespace
