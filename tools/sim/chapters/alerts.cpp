// A join screen whose joins hit each limit: a quick recording that runs, a meeting the user
// already holds in another room (as its owner and as a member), a member limit, a full meeting,
// a webinar that needs enrolment and a private meeting. Each shows its dialog; the user's
// answer is carried out: recordings stopped, joins sent, meetings dissolved, pages opened.
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "framework/alert_builder.h"
#include "framework/module/ticket_provider.h"
#include "framework/stateful_viewmodel.h"
#include "hostkit/hostkit.h"
#include "hostkit/navigation.h"
#include "hostkit/platform.h"
#include "hostkit/viewmodel.h"
#include "module_api/alerts/show_join_limit_alert_manager.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "sim.h"

namespace {

using sim::Variant;
namespace model_id = velto::model_id;
namespace cmd = velto::model_command;
namespace event = velto::model_event;

class JoinScreen : public framework::StatefulViewModel, public velto::IShowJoinLimitAlertManangerDelegate {
 public:
  bool JoinNewMeetingDidConfirm() override {
    sim::Print("join screen: the join went through, entering the meeting");
    return true;
  }
  void JoinNewMeetingDidCancel() override { sim::Print("join screen: join cancelled"); }
  bool DissolveCurrentMeetingAndRejoin(uint64_t id) override {
    sim::Print("join screen: ends meeting " + std::to_string(id) + " and joins again");
    return true;
  }
  void CancelDissolveCurrentMeetingAndQuit() override { sim::Print("join screen: closes"); }
  void ConfirmEnrollAlert() override { sim::Print("join screen: signs the guest in to enrol"); }
  void CancelEnrollAlert() override { sim::Print("join screen: the guest does not enrol"); }
  std::shared_ptr<const framework::Context> ViewModelContext() override { return context(); }
};

struct Stage {
  std::unique_ptr<JoinScreen> screen;
  std::unique_ptr<velto::ShowJoinLimitAlertManager> manager;
  size_t alerts_seen = 0;
  size_t analytics_seen = 0;
  size_t opened_seen = 0;
  size_t join_calls_seen = 0;
};

Stage& Current() {
  static auto* stage = new Stage;
  return *stage;
}

const char* ButtonName(int button) {
  switch (button) {
    case framework::AlertButton::kPositive:
      return "positive";
    case framework::AlertButton::kNegative:
      return "negative";
    default:
      return "close";
  }
}

// What the user and the host saw since the last step.
void PrintReactions() {
  Stage& s = Current();
  const auto& alerts = hostkit::Alerts();
  for (; s.alerts_seen < alerts.size(); ++s.alerts_seen) {
    const hostkit::AlertRecord& a = alerts[s.alerts_seen];
    std::string line = "dialog";
    if (!a.title.empty()) line += " \"" + a.title + "\"";
    if (!a.content.empty()) line += ": \"" + a.content + "\"";
    if (!a.custom_view.empty()) {
      line += " [" + a.custom_view + ": " + a.custom_data.GetString("meeting_code") + ", " +
              a.custom_data.GetString("subject") + "]";
    }
    line += " [" + a.positive_text + "]";
    if (!a.negative_text.empty()) line += " [" + a.negative_text + "]";
    sim::Print(line);
  }
  const auto& events = hostkit::AnalyticsEvents();
  for (; s.analytics_seen < events.size(); ++s.analytics_seen) {
    std::string line = "analytics " + events[s.analytics_seen].name;
    for (const auto& [key, value] : events[s.analytics_seen].properties) {
      if (key != "c_cpu_arch") line += " " + key + "=" + value;
    }
    sim::Print(line);
  }
  const auto& opened = hostkit::OpenedTargets();
  for (; s.opened_seen < opened.size(); ++s.opened_seen) sim::Print("browser opens " + opened[s.opened_seen]);
  if (hostkit::ScriptedModel* meeting = hostkit::FindModel(model_id::kMeetingModel)) {
    const auto& calls = meeting->calls();
    for (; s.join_calls_seen < calls.size(); ++s.join_calls_seen) {
      const hostkit::CallRecord& call = calls[s.join_calls_seen];
      if (call.command_id != cmd::meeting::kJoinMeeting) continue;
      sim::Print("meeting model: join request for meeting " + std::to_string(call.argument.GetUint64("meeting_id")) +
                 " (" + call.argument.GetString("meeting_subject") + ")");
    }
  }
}

bool OpenScreen(const Variant&, sim::Context&) {
  hostkit::SetLanguage("en-us");
  hostkit::SetWebTicket(framework::module::TokenType::kWebTicket, "TK-sim");
  Stage& s = Current();
  s.screen = std::make_unique<JoinScreen>();
  hostkit::AttachViewModel(*s.screen);
  s.manager = std::make_unique<velto::ShowJoinLimitAlertManager>();
  s.manager->SetViewModel(s.screen.get());
  s.manager->SetDelegate(s.screen.get());
  s.manager->SetViewAttached();
  s.manager->UpdateJoiningMeetingInfo(hostkit::Json(R"({"meeting_code": "555666777", "subject": "Design review",
      "creator_appid": "app-2", "creator_uid": "uid-2", "meeting_id": 42})"));
  s.alerts_seen = hostkit::Alerts().size();
  s.analytics_seen = hostkit::AnalyticsEvents().size();
  s.opened_seen = hostkit::OpenedTargets().size();
  s.join_calls_seen = 0;
  sim::Print("join screen open, " + std::to_string(hostkit::SubscriptionsOf(s.manager.get())) +
             " join events heard");
  return true;
}

bool Join(const Variant& step, sim::Context&) {
  Stage& s = Current();
  if (!s.manager) return false;
  sim::Print("user joins meeting " + std::to_string(step.GetUint64("meeting_id")));
  s.manager->CheckAndJoinNewMeeting(step.GetUint64("meeting_id"), step.GetString("subject"), nullptr);
  PrintReactions();
  return true;
}

bool ConfirmJoin(const Variant&, sim::Context&) {
  Stage& s = Current();
  hostkit::ScriptedModel* meeting = hostkit::FindModel(model_id::kMeetingModel);
  if (!s.manager || !meeting) return false;
  Variant confirmation = Variant::Map();
  confirmation["subscriber_token"] = s.manager->subscriber_token();
  sim::Print("meeting model: join confirmed");
  meeting->Fire(event::meeting::kJoinMeetingConfirm, confirmation);
  PrintReactions();
  return true;
}

bool JoinError(const Variant& step, sim::Context&) {
  Stage& s = Current();
  if (!s.manager) return false;
  const int code = step.GetInt32("code");
  sim::Print("server refuses the join with " + std::to_string(code));
  if (!s.manager->DoHandleJoinMultiMeetingRoomError(code, step.Get("info"))) sim::Print("no dialog for it");
  PrintReactions();
  return true;
}

bool RoomFull(const Variant&, sim::Context&) {
  if (!Current().manager) return false;
  sim::Print("server: the meeting is full");
  Current().manager->ShowMeetingRoomIsFullAlert();
  PrintReactions();
  return true;
}

bool NotEnrolled(const Variant& step, sim::Context&) {
  if (!Current().manager) return false;
  sim::Print("server: not enrolled in the webinar");
  Current().manager->ShowNotEnrolledAlert(step.GetString("url"), step.GetString("message"));
  PrintReactions();
  return true;
}

bool PrivateMeeting(const Variant&, sim::Context&) {
  if (!Current().manager) return false;
  sim::Print("server: a private meeting");
  Current().manager->ShowPrivateNoPermissionError([] { sim::Print("join screen: back to the join form"); });
  PrintReactions();
  return true;
}

bool Press(const Variant& step, sim::Context&) {
  const hostkit::AlertRecord* alert = nullptr;
  for (const hostkit::AlertRecord& a : hostkit::Alerts()) {
    if (a.state == hostkit::AlertState::kShown) alert = &a;
  }
  if (!alert) return false;
  const std::string name = step.GetString("button", "positive");
  const int button = name == "positive"   ? framework::AlertButton::kPositive
                     : name == "negative" ? framework::AlertButton::kNegative
                                          : framework::AlertButton::kClose;
  const int64_t id = alert->id;
  sim::Print(std::string("user presses ") + ButtonName(button));
  hostkit::PressAlertButton(id, button);
  // A dialog that does not close by itself goes when the screen handles the answer.
  if (const hostkit::AlertRecord* pressed = hostkit::FindAlert(id);
      pressed && pressed->state == hostkit::AlertState::kShown && Current().screen) {
    Current().screen->DisposeAlert(id);
  }
  for (int model : {model_id::kRecordModel, model_id::kVoicePrintModel}) {
    hostkit::ScriptedModel* m = hostkit::FindModel(model);
    const int stop = model == model_id::kRecordModel ? cmd::record::kStopQuickRecord
                                                     : cmd::voice_print::kStopVoicePrintRecording;
    if (m && m->CallCount(stop) > 0) {
      sim::Print(model == model_id::kRecordModel ? "record model: quick recording stopped and uploaded"
                                                 : "voice print model: recording stopped and uploaded");
      m->ClearCalls();
    }
  }
  PrintReactions();
  return true;
}

bool CloseScreen(const Variant&, sim::Context&) {
  Stage& s = Current();
  if (!s.screen) return false;
  const void* manager = s.manager.get();
  hostkit::DetachViewModel(*s.screen);
  s.manager.reset();
  sim::Print("join screen closed, " + std::to_string(hostkit::SubscriptionsOf(manager)) + " join events still heard");
  s.screen.reset();
  hostkit::SetLanguage("zh-cn");
  return true;
}

const bool kRegistered = [] {
  sim::RegisterAction("join_screen_open", {"Opens the join screen that owns the join-limit alert manager.", {}}, OpenScreen);
  sim::RegisterAction("join", {"The user joins a meeting through the alert manager.", {sim::Int("meeting_id", 0, INT64_MAX, "the meeting id").Required(), sim::Str("subject", "the meeting subject")}}, Join);
  sim::RegisterAction("join_confirm", {"The meeting model confirms the pending join.", {}}, ConfirmJoin);
  sim::RegisterAction("join_error", {"A multi-room join fails with an error code.", {sim::Int("code", INT32_MIN, INT32_MAX, "the error code").Required(), sim::Value("info", "the error details")}}, JoinError);
  sim::RegisterAction("join_room_full", {"The room is full: its alert shows.", {}}, RoomFull);
  sim::RegisterAction("join_not_enrolled", {"The user is not enrolled: its alert shows.", {sim::Str("url", "the enrol page"), sim::Str("message", "the server message")}}, NotEnrolled);
  sim::RegisterAction("join_private", {"The meeting is private: its alert shows.", {}}, PrivateMeeting);
  sim::RegisterAction("join_press", {"Presses a button of the alert on screen.", {sim::Str("button", "which button (default positive)").OneOf({"positive", "negative", "close"})}}, Press);
  sim::RegisterAction("join_screen_close", {"Closes the join screen.", {}}, CloseScreen);
  sim::RegisterChapter(460, R"json({
    "name": "Join limits: the dialog of each limit, and what the answer leads to",
    "models": {
      "514": {"succeed": [62]},
      "504": {"answers": {"3": {"app_id": "app-1", "app_uid": "uid-1", "auth_type": 1}}, "succeed": [2]},
      "537": {"answers": {"14": {"account_type": 0}, "16": {"member_limit": 100}, "12": {"is_bind_yamu": false}}},
      "1000018": {"answers": {"63": false}, "succeed": [64]},
      "654": {"answers": {"11": false}, "succeed": [12]}
    },
    "timeline": [
      {"at": 0, "do": "join_screen_open"},
      {"at": 100, "do": "print", "text": "a quick recording runs while the user joins"},
      {"at": 100, "do": "script", "model": 1000018, "answers": {"63": true}},
      {"at": 100, "do": "join", "meeting_id": 42, "subject": "Design review"},
      {"at": 150, "do": "join", "meeting_id": 43, "subject": "a second click while the dialog is open"},
      {"at": 1000, "do": "join_press", "button": "positive"},
      {"at": 1200, "do": "join_confirm"},
      {"at": 1200, "do": "script", "model": 1000018, "answers": {"63": false}},
      {"at": 2000, "do": "print", "text": "the user's own meeting still holds the room"},
      {"at": 2000, "do": "join_error", "code": 13411, "info": {"in_using_meeting_code": "123456789",
        "in_using_meeting_subject": "Weekly sync", "in_using_meeting_id": 88, "creator_appid": "app-1",
        "creator_uid": "uid-1", "creator_nickname": "Me"}},
      {"at": 3000, "do": "join_press", "button": "positive"},
      {"at": 4000, "do": "print", "text": "another member's meeting holds the room"},
      {"at": 4000, "do": "join_error", "code": 13411, "info": {"in_using_meeting_code": "987654321",
        "in_using_meeting_id": 77, "creator_appid": "app-9", "creator_uid": "uid-9", "creator_nickname": "Ann"}},
      {"at": 5000, "do": "join_press", "button": "positive"},
      {"at": 6000, "do": "print", "text": "the user's meeting is at its member limit; the user keeps it"},
      {"at": 6000, "do": "join_error", "code": 13420, "info": {"in_using_meeting_code": "123456789",
        "in_using_meeting_id": 88, "in_using_meeting_member_limit": 300, "creator_appid": "app-1",
        "creator_uid": "uid-1"}},
      {"at": 7000, "do": "join_press", "button": "negative"},
      {"at": 8000, "do": "print", "text": "a member's meeting at its limit, limit unknown"},
      {"at": 8000, "do": "join_error", "code": 13420, "info": {"in_using_meeting_id": 77,
        "creator_appid": "app-9", "creator_uid": "uid-9", "creator_nickname": "Ann"}},
      {"at": 9000, "do": "join_press", "button": "close"},
      {"at": 10000, "do": "print", "text": "the meeting is full (the user is not its creator)"},
      {"at": 10000, "do": "join_room_full"},
      {"at": 11000, "do": "join_press", "button": "positive"},
      {"at": 12000, "do": "print", "text": "the full meeting is the user's own, on the free edition"},
      {"at": 12000, "do": "script", "model": 504, "answers": {"3": {"app_id": "app-2", "app_uid": "uid-2", "auth_type": 1}}},
      {"at": 12000, "do": "join_room_full"},
      {"at": 13000, "do": "join_press", "button": "positive"},
      {"at": 14000, "do": "print", "text": "a webinar that needs enrolment; the user enrols"},
      {"at": 14000, "do": "join_not_enrolled", "url": "https://meeting.velto.com/webinar/enroll?id=42",
       "message": "Enrol in this webinar to join it"},
      {"at": 15000, "do": "join_press", "button": "positive"},
      {"at": 16000, "do": "print", "text": "the same for a guest, who declines"},
      {"at": 16000, "do": "script", "model": 504, "answers": {"3": {"app_id": "g-1", "app_uid": "g-1", "auth_type": 2}}},
      {"at": 16000, "do": "join_not_enrolled", "url": "https://meeting.velto.com/webinar/enroll?id=42"},
      {"at": 17000, "do": "join_press", "button": "negative"},
      {"at": 18000, "do": "print", "text": "a private meeting"},
      {"at": 18000, "do": "join_private"},
      {"at": 19000, "do": "join_press", "button": "positive"},
      {"at": 20000, "do": "join_screen_close"}
    ]
  })json");
  return true;
}();

}  // namespace
