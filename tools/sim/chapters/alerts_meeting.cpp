// The built-in meeting's join limits: now and then the local user follows a link to another
// meeting from inside this one, and the join is refused: the user's own meeting holds the room,
// another member's meeting is at its member limit, the meeting is full, a webinar needs
// enrolment, or the meeting is private. The join-limit alert manager shows the limit's dialog
// on the meeting window and the user answers it with one of its buttons (or its close box);
// the answer is carried out: the other meeting ended, the enrolment page opened, or nothing.
#include <memory>
#include <string>

#include "framework/alert_builder.h"
#include "framework/module/ticket_provider.h"
#include "framework/stateful_viewmodel.h"
#include "hostkit/hostkit.h"
#include "hostkit/platform.h"
#include "hostkit/viewmodel.h"
#include "meeting/schedule.h"
#include "meeting/world.h"
#include "module_api/alerts/show_join_limit_alert_manager.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "record.h"

namespace {

using sim::meeting::Event;
using sim::meeting::Random;
using sim::meeting::Schedule;
using sim::meeting::Variant;
using sim::meeting::World;
namespace model_id = velto::model_id;
namespace cmd = velto::model_command;

constexpr int kErrorInUsingMeeting = 13411;
constexpr int kErrorMemberLimitReached = 13420;

struct Limit {
  const char* name;
  bool two_buttons;  // a negative button besides the positive one
};
constexpr Limit kLimits[] = {
    {"room in use", true},    // the user's own meeting holds the room: end it, or keep it
    {"member limit", false},  // another member's meeting holds the room at its member limit
    {"room full", false},
    {"not enrolled", true},   // enrol on the webinar's page, or not
    {"private", false},
};
constexpr int64_t kLimitCount = sizeof kLimits / sizeof kLimits[0];

// An attempt every fifth of the meeting, the limits in turn from a random one, each answered
// before the next with a button its dialog has.
void PlanJoinLimits(Schedule& schedule, Random& random) {
  const int64_t end = schedule.plan().end_ms();
  const int64_t step = end / 5;
  const int64_t first_limit = random.Below(kLimitCount);
  for (int64_t i = 0; i < 5; ++i) {
    const int64_t at = end * 3 / 20 + i * step;
    const Limit& limit = kLimits[(first_limit + i) % kLimitCount];
    Variant args = Variant::Map();
    args["attempt"] = i;
    args["limit"] = limit.name;
    schedule.Add(at, "join refused", args);
    // Most people answer with a button; one in five dismisses the dialog with its close box.
    const int64_t choice = random.Below(20);
    args["button"] = choice < 4 ? "close" : (limit.two_buttons && choice < 11) ? "negative" : "positive";
    schedule.Add(at + random.Between(std::min<int64_t>(2000, step / 4), std::min<int64_t>(45000, step / 2)), "join alert answered", args);
  }
}

// The meeting window as the join-limit alerts' view model and delegate.
class JoinBox : public framework::StatefulViewModel, public velto::IShowJoinLimitAlertManangerDelegate {
 public:
  explicit JoinBox(World& world) : world_(world) {}
  bool JoinNewMeetingDidConfirm() override { return true; }
  void JoinNewMeetingDidCancel() override {}
  bool DissolveCurrentMeetingAndRejoin(uint64_t id) override {
    world_.Count("other meetings ended to join");
    world_.Note("meeting window: ends meeting " + std::to_string(id) + " in the other room and joins again");
    return true;
  }
  void CancelDissolveCurrentMeetingAndQuit() override {}
  void ConfirmEnrollAlert() override {}
  void CancelEnrollAlert() override {}
  std::shared_ptr<const framework::Context> ViewModelContext() override { return context(); }

 private:
  World& world_;
};

struct JoinLimits {
  std::unique_ptr<JoinBox> box;
  std::unique_ptr<velto::ShowJoinLimitAlertManager> manager;
  int64_t alert_id = 0;  // the dialog on screen, 0 when none
  size_t notice = 0;

  ~JoinLimits() {
    manager.reset();
    if (box) hostkit::DetachViewModel(*box);
  }
};

hostkit::ScriptedModel& Ensure(int model_id) {
  if (hostkit::ScriptedModel* model = hostkit::FindModel(model_id)) return *model;
  return hostkit::InstallModel(model_id);
}

JoinLimits& Open(World& world) {
  JoinLimits& s = world.Slot<JoinLimits>("join limits");
  if (s.manager) return s;
  // The local user's account as the join-limit alerts ask for it: a signed-in user of the free
  // edition, no recording running.
  Ensure(model_id::kAuthorizationModel)
      .Answer(cmd::authorization::kCallFuncQueryAuthData,
              hostkit::Json(R"({"app_id": "app-1", "app_uid": "uid-1", "auth_type": 1})"));
  Ensure(model_id::kProfileModel)
      .Answer(cmd::profile::kAccountEdition, hostkit::Json(R"({"account_type": 0})"))
      .Answer(cmd::profile::kAccountState, hostkit::Json(R"({"member_limit": 300})"))
      .Answer(cmd::profile::kProfileBasic, hostkit::Json(R"({"is_bind_yamu": false})"));
  Ensure(model_id::kRecordModel).Answer(cmd::record::kQuickRecordRunning, false);
  Ensure(model_id::kVoicePrintModel).Answer(cmd::voice_print::kVoicePrintRecording, false);
  world.fixture().meeting().Succeed(cmd::meeting::kJoinMeeting);
  hostkit::SetWebTicket(framework::module::TokenType::kWebTicket, "TK-sim");
  s.box = std::make_unique<JoinBox>(world);
  hostkit::AttachViewModel(*s.box);
  s.manager = std::make_unique<velto::ShowJoinLimitAlertManager>();
  s.manager->SetViewModel(s.box.get());
  s.manager->SetDelegate(s.box.get());
  s.manager->SetViewAttached();
  return s;
}

// The meeting the link leads to: the user's own for the room in use, someone else's otherwise.
Variant Joining(const std::string& limit, int64_t attempt) {
  Variant info = Variant::Map();
  info["meeting_id"] = 7000 + attempt;
  info["meeting_code"] = std::to_string(700100200 + attempt);
  info["subject"] = limit == "not enrolled" ? "Product webinar" : "Follow-up " + std::to_string(attempt + 1);
  info["creator_appid"] = "app-2";
  info["creator_uid"] = "uid-2";
  info["creator_nickname"] = "Bo";
  if (limit == "not enrolled") info["meeting_type_flags"] = 1;
  return info;
}

void Refused(const Event& event, World& world) {
  JoinLimits& s = Open(world);
  const std::string limit = event.args.GetString("limit");
  const int64_t attempt = event.args.GetInteger("attempt");
  const Variant joining = Joining(limit, attempt);
  s.manager->UpdateJoiningMeetingInfo(joining);
  world.Note("the user follows a link to \"" + joining.GetString("subject") + "\" (" + joining.GetString("meeting_code") +
             "); the server refuses: " + limit);
  const size_t alerts_before = hostkit::Alerts().size();
  s.manager->CheckAndJoinNewMeeting(joining.GetUint64("meeting_id"), joining.GetString("subject"), nullptr);
  if (limit == "room in use") {
    s.manager->DoHandleJoinMultiMeetingRoomError(
        kErrorInUsingMeeting, hostkit::Json(R"({"in_using_meeting_code": "123456789", "in_using_meeting_id": 88,
            "in_using_meeting_subject": "Weekly sync", "creator_appid": "app-1", "creator_uid": "uid-1"})"));
  } else if (limit == "member limit") {
    s.manager->DoHandleJoinMultiMeetingRoomError(
        kErrorMemberLimitReached, hostkit::Json(R"({"in_using_meeting_code": "987654321", "in_using_meeting_id": 77,
            "in_using_meeting_member_limit": 300, "creator_appid": "app-9", "creator_uid": "uid-9",
            "creator_nickname": "Ann"})"));
  } else if (limit == "room full") {
    s.manager->ShowMeetingRoomIsFullAlert();
  } else if (limit == "not enrolled") {
    s.manager->ShowNotEnrolledAlert("https://meeting.velto.com/webinar/enroll?id=" + std::to_string(7000 + attempt),
                                    "Enrol in this webinar to join it");
  } else {
    s.manager->ShowPrivateNoPermissionError(nullptr);
  }
  hostkit::RunUntilIdle();
  s.alert_id = 0;
  for (size_t i = alerts_before; i < hostkit::Alerts().size(); ++i) {
    const hostkit::AlertRecord& alert = hostkit::Alerts()[i];
    if (alert.state != hostkit::AlertState::kShown) continue;
    s.alert_id = alert.id;
    std::string text = alert.title.empty() ? alert.content : alert.title;
    std::string line = "dialog \"" + text + "\" [" + alert.positive_text + "]";
    if (!alert.negative_text.empty()) line += " [" + alert.negative_text + "]";
    world.Note(line);
    s.notice = world.Shown("alert", text);
    world.Count("join-limit alerts shown");
  }
}

void Answered(const Event& event, World& world) {
  JoinLimits& s = Open(world);
  const hostkit::AlertRecord* alert = s.alert_id ? hostkit::FindAlert(s.alert_id) : nullptr;
  if (!alert || alert->state != hostkit::AlertState::kShown) {
    world.Note("no join-limit dialog to answer");
    return;
  }
  const std::string button = event.args.GetString("button");
  const int pressed = button == "positive"   ? framework::AlertButton::kPositive
                      : button == "negative" ? framework::AlertButton::kNegative
                                             : framework::AlertButton::kClose;
  const std::string text = button == "positive"   ? alert->positive_text
                           : button == "negative" ? alert->negative_text
                                                  : std::string("close");
  const int64_t id = s.alert_id;
  const size_t opened_before = hostkit::OpenedTargets().size();
  world.Note(button == "close" ? std::string("the user closes the dialog") : "the user presses [" + text + "]");
  if (hostkit::PressAlertButton(id, pressed)) {
    world.Count(button == "close" ? "join-limit dialogs closed" : "join-limit " + button + " answers");
  }
  hostkit::RunUntilIdle();
  world.recorder().Answer(s.notice, text);
  for (size_t i = opened_before; i < hostkit::OpenedTargets().size(); ++i) {
    world.Count("enrolment pages opened");
    world.Note("browser opens the enrolment page");
  }
  // A dialog that does not close by itself goes when the window has handled the answer.
  if (const hostkit::AlertRecord* after = hostkit::FindAlert(id); after && after->state == hostkit::AlertState::kShown) {
    s.box->DisposeAlert(id);
  }
  s.alert_id = 0;
}

const bool kRegistered = [] {
  sim::meeting::RegisterPlanner(460, "join limits", PlanJoinLimits);
  sim::meeting::RegisterEventKind("join refused", "join limits", Refused);
  sim::meeting::RegisterEventKind("join alert answered", "join limits", Answered);
  return true;
}();

}  // namespace
