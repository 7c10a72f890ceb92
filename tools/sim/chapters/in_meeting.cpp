// A meeting in progress (hostkit::MeetingFixture): the in-meeting questions as people join, turn
// on video and share, a camera permission that waits for the system, and an audio device
// exception that turns into its alert.
#include <memory>
#include <string>

#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "hostkit/navigation.h"
#include "module_api/audio/audio_exception.h"
#include "module_api/audio/audio_utils.h"
#include "module_api/in_meeting/in_meeting_utils.h"
#include "sim.h"

namespace {

namespace inmeeting = velto_common::utils::inmeeting;
namespace audio = velto_common::utils::audio;
namespace audio_exception = velto_common::utils::audio_exception;

std::string Bool(bool value) { return value ? "true" : "false"; }

std::unique_ptr<hostkit::MeetingFixture>& Meeting() {
  static auto* meeting = new std::unique_ptr<hostkit::MeetingFixture>;
  return *meeting;
}

std::shared_ptr<const framework::Context> AlertHost() {
  static auto* host = new std::shared_ptr<const framework::Context>(std::make_shared<framework::Context>(1, "meeting"));
  return *host;
}

size_t g_navigations_seen = 0;

// Prints the pages pushed and closed since the last look.
void PrintNavigations() {
  const auto& navigations = hostkit::Navigations();
  for (; g_navigations_seen < navigations.size(); ++g_navigations_seen) {
    const hostkit::Navigation& navigation = navigations[g_navigations_seen];
    std::string line = std::string("navigator: ") + hostkit::NavigationKindName(navigation.kind) + " " + navigation.page;
    if (navigation.page == audio_exception::kAudioExceptionAlertPage && navigation.arguments.IsMap()) {
      line += "\n    title: " + navigation.arguments.GetString("title") +
              "\n    content: " + navigation.arguments.GetString("content") +
              "\n    buttons: " + navigation.arguments.GetString("main_action_name") + " | " +
              navigation.arguments.GetString("sub_action_name") + " | " +
              navigation.arguments.GetString("third_action_name");
    }
    sim::Print(line);
  }
}

size_t g_entries_seen = 0;

// Prints the notification-centre entries shown and removed since the last look.
void PrintNotificationEntries() {
  hostkit::ScriptedModel* center = hostkit::FindModel(721);
  if (!center) return;
  const auto& calls = center->calls();
  for (; g_entries_seen < calls.size(); ++g_entries_seen) {
    const hostkit::CallRecord& call = calls[g_entries_seen];
    if (call.command_id == 0) {
      sim::Print("notification centre: shows \"" + call.argument.GetString("bold_description") + "\" - " +
                 call.argument.GetString("description") + " [" + call.argument.GetString("action_button_title") + "]");
    } else if (call.command_id == 2) {
      sim::Print("notification centre: removes the entry");
    }
  }
}

bool MeetingStep(const sim::Variant& step, sim::Context& context) {
  const std::string op = step.GetString("op");
  if (op == "install") {
    hostkit::ClearNavigations();
    g_navigations_seen = 0;
    Meeting() = std::make_unique<hostkit::MeetingFixture>();
    Meeting()->Install();
    g_entries_seen = 0;
    sim::Print("meeting installed with " + std::to_string(Meeting()->user_count()) + " users");
    return true;
  }
  hostkit::MeetingFixture* meeting = Meeting().get();
  if (!meeting) {
    context.error = "no meeting is installed (an \"install\" op comes first)";
    return false;
  }
  const std::string user_id = step.GetString("user_id");
  const bool known = !user_id.empty() && meeting->FindUser(user_id);
  if (op == "add_user" ? known : (step.Has("user_id") && !known)) {
    context.error = "user \"" + user_id + (known ? "\" is already in the meeting" : "\" is not in the meeting");
    return false;
  }
  if (op == "add_user") {
    meeting->AddUser(hostkit::MeetingFixture::MakeUser(user_id, step.GetString("nickname", user_id)));
    sim::Print(user_id + " joined");
  } else if (op == "update_user") {
    meeting->UpdateUser(user_id, step.Get("changes"));
    sim::Print(user_id + " changed: " + step.Get("changes").ToJsonStr());
  } else if (op == "remove_user") {
    meeting->RemoveUser(user_id);
    sim::Print(user_id + " left");
  } else if (op == "screen_share") {
    step.GetBoolean("on", true) ? meeting->StartScreenShare(user_id) : meeting->StopScreenShare(user_id);
    sim::Print(user_id + (step.GetBoolean("on", true) ? " started" : " stopped") + " sharing the screen");
  } else if (op == "audio_mode") {
    meeting->SetAudioConnectMode(step.GetInt32("mode", 1));
    sim::Print("audio connect mode is now " + std::to_string(step.GetInt32("mode", 1)));
  } else if (op == "register_alert_host") {
    audio_exception::RegisterAudioExceptionAlertHost(AlertHost());
    sim::Print("the meeting window hosts the audio exception alert");
  } else if (op == "join_audio_selected") {
    audio_exception::SetJoinMeetingAudioSelectComplete(true);
    sim::Print("the join audio selection is complete");
  } else if (op == "audio_exception") {
    sim::Print("the audio model reports device " + step.GetString("device_id") + " failing (error " +
               std::to_string(step.GetInt32("error_type")) + ")");
    meeting->RaiseAudioDeviceException(step.GetString("device_id"), step.GetInt32("device_type", 1),
                                       step.GetInt32("error_type", 1), step.GetBoolean("user_trigger", false));
    PrintNavigations();
    PrintNotificationEntries();
  } else if (op == "clear_audio_exception") {
    sim::Print("the audio model reports the device working again");
    meeting->ClearAudioDeviceException();
    PrintNavigations();
    PrintNotificationEntries();
  } else if (op == "notification_center") {
    hostkit::FindModel(721)->Answer(3, step.GetBoolean("on", true));
    sim::Print(std::string("the notification centre is ") + (step.GetBoolean("on", true) ? "on" : "off"));
  } else if (op == "camera_undecided") {
    meeting->camera().Answer(37, hostkit::Json(R"({"camera_state": 0, "camera_accessible": false})"));
    sim::Print("the system has not decided about the camera yet");
  } else if (op == "access_camera") {
    inmeeting::AccessCamera([] { sim::Print("camera: granted"); }, [] { sim::Print("camera: denied"); }, "sim");
    sim::Print("camera requests waiting: " +
               std::to_string(inmeeting::MediaDeviceAccessPermissionObserver::PendingCount()));
  }
  return true;
}

const bool kRegistered = [] {
  const sim::Field user_id = sim::Str("user_id", "the user's id").Required();
  sim::RegisterAction(
      "meeting",
      {"A meeting in progress (five users at install): people, shares, audio and the camera permission.",
       {},
       {{"install", "Installs the meeting.", {}},
        {"add_user", "A user joins.", {user_id, sim::Str("nickname", "the name shown")}},
        {"update_user", "A user's record changes.", {user_id, sim::Record("changes", "the keys that change").Required()}},
        {"remove_user", "A user leaves.", {user_id}},
        {"screen_share", "A user starts or stops sharing the screen.", {user_id, sim::Bool("on", "starts (true when absent)")}},
        {"audio_mode", "The audio connect mode changes.", {sim::Int("mode", 0, 3, "1 computer audio, 2 telephone").Required()}},
        {"register_alert_host", "The meeting window hosts the audio exception alert.", {}},
        {"join_audio_selected", "The join audio selection is complete.", {}},
        {"audio_exception", "The audio model reports a failing device.",
         {sim::Str("device_id", "the device").Required(), sim::Int("device_type", 0, 16, "1 microphone, 2 speaker"),
          sim::Int("error_type", 0, 64, "the error"), sim::Bool("user_trigger", "the user caused it")}},
        {"clear_audio_exception", "The device works again.", {}},
        {"notification_center", "The notification centre is switched on or off.", {sim::Bool("on", "on (true when absent)")}},
        {"camera_undecided", "The system has not decided about the camera yet.", {}},
        {"access_camera", "A module asks for the camera.", {}}}},
      MeetingStep);
  sim::RegisterQuery("inmeeting.GetUserListCountInMeeting",
                     [] { return std::to_string(inmeeting::GetUserListCountInMeeting()); });
  sim::RegisterQuery("inmeeting.GetStreamCountInfo", [] { return inmeeting::GetStreamCountInfo().Dump(); });
  sim::RegisterQuery("inmeeting.IsSharing", [] { return Bool(inmeeting::IsSharing()); });
  sim::RegisterQuery("inmeeting.HasOtherScreenShareUser", [] { return Bool(inmeeting::HasOtherScreenShareUser()); });
  sim::RegisterQuery("inmeeting.IsScreenSharingBySelf", [] { return Bool(inmeeting::IsScreenSharingBySelf()); });
  sim::RegisterQuery("inmeeting.IsSelfVideoOn", [] { return Bool(inmeeting::IsSelfVideoOn()); });
  sim::RegisterQuery("inmeeting.IsBigViewSelf(main)",
                     [] { return Bool(inmeeting::IsBigViewSelf(velto::InMeetingWindow::kMainWindow)); });
  sim::RegisterQuery("inmeeting.GetLayoutInfo(main)", [] {
    const auto info = inmeeting::GetLayoutInfo(velto::InMeetingWindow::kMainWindow);
    return "{" + std::to_string(info.layout_type) + ", " + std::to_string(info.layout_mode) + ", " +
           std::to_string(info.small_view_types) + "}";
  });
  sim::RegisterQuery("inmeeting.GetFirstPageSize(2.9 x 3)",
                     [] { return std::to_string(inmeeting::GetFirstPageSize(hostkit::Json(R"({"rows": 2.9, "columns": 3})"))); });
  sim::RegisterQuery("inmeeting.IsMicAccessible", [] { return Bool(inmeeting::IsMicAccessible("sim", false)); });
  sim::RegisterQuery("inmeeting.IsMultipleDevicesJoinedInMeeting",
                     [] { return Bool(inmeeting::IsMultipleDevicesJoinedInMeeting()); });
  sim::RegisterQuery("audio.GetAudioConnectMode",
                     [] { return std::to_string(static_cast<int>(audio::GetAudioConnectMode())); });
  sim::RegisterQuery("audio.HasAudioDeviceException", [] { return Bool(audio::HasAudioDeviceException()); });

  sim::RegisterChapter(300, R"json({
    "name": "A meeting in progress: in-meeting questions and the audio exception alert",
    "timeline": [
      {"at": 0, "do": "meeting", "op": "install"},
      {"at": 0, "do": "ask", "queries": ["inmeeting.IsInMeeting", "inmeeting.GetUserListCountInMeeting",
                                          "inmeeting.GetLayoutInfo(main)", "inmeeting.IsBigViewSelf(main)",
                                          "inmeeting.GetFirstPageSize(2.9 x 3)", "inmeeting.IsMicAccessible",
                                          "inmeeting.IsMultipleDevicesJoinedInMeeting"]},
      {"at": 1000, "do": "meeting", "op": "add_user", "user_id": "u-9", "nickname": "Zoe"},
      {"at": 1000, "do": "meeting", "op": "update_user", "user_id": "u-9", "changes": {"video": true}},
      {"at": 1000, "do": "ask", "queries": ["inmeeting.GetUserListCountInMeeting", "inmeeting.GetStreamCountInfo"]},
      {"at": 2000, "do": "meeting", "op": "screen_share", "user_id": "u-2", "on": true},
      {"at": 2000, "do": "ask", "queries": ["inmeeting.IsSharing", "inmeeting.HasOtherScreenShareUser",
                                             "inmeeting.IsScreenSharingBySelf", "inmeeting.GetStreamCountInfo"]},
      {"at": 3000, "do": "meeting", "op": "screen_share", "user_id": "u-2", "on": false},
      {"at": 3000, "do": "meeting", "op": "remove_user", "user_id": "u-9"},
      {"at": 3000, "do": "ask", "queries": ["inmeeting.IsSharing", "inmeeting.GetUserListCountInMeeting"]},
      {"at": 4000, "do": "meeting", "op": "camera_undecided"},
      {"at": 4000, "do": "meeting", "op": "access_camera"},
      {"at": 4500, "do": "print", "text": "the system asks the user, who allows the camera"},
      {"at": 4500, "do": "fire", "model": 509, "event": 45, "payload": true},
      {"at": 5000, "do": "meeting", "op": "register_alert_host"},
      {"at": 5000, "do": "meeting", "op": "audio_exception", "device_id": "mic-usb", "device_type": 1, "error_type": 1},
      {"at": 5000, "do": "print", "text": "no alert yet: the join audio selection is still open"},
      {"at": 6000, "do": "meeting", "op": "join_audio_selected"},
      {"at": 6000, "do": "meeting", "op": "audio_mode", "mode": 2},
      {"at": 6000, "do": "meeting", "op": "audio_exception", "device_id": "mic-usb", "device_type": 1, "error_type": 1},
      {"at": 6000, "do": "print", "text": "no alert in telephone audio either"},
      {"at": 7000, "do": "meeting", "op": "audio_mode", "mode": 1},
      {"at": 7000, "do": "meeting", "op": "audio_exception", "device_id": "mic-usb", "device_type": 1, "error_type": 1},
      {"at": 7000, "do": "ask", "queries": ["audio.GetAudioConnectMode", "audio.HasAudioDeviceException"]},
      {"at": 9000, "do": "meeting", "op": "clear_audio_exception"},
      {"at": 9000, "do": "ask", "queries": ["audio.HasAudioDeviceException"]},
      {"at": 10000, "do": "meeting", "op": "notification_center", "on": true},
      {"at": 10000, "do": "meeting", "op": "audio_exception", "device_id": "speaker-hdmi", "device_type": 2, "error_type": 4},
      {"at": 12000, "do": "meeting", "op": "clear_audio_exception"}
    ]
  })json");
  return true;
}();

}  // namespace
