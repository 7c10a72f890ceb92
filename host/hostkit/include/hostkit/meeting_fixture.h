// hostkit: a meeting in progress, ready-made. Install() puts consistent scripted models in place
// for the meeting (514), its users (508), video (511), audio (510), camera (509), settings
// (523), client settings (517), configuration items (539), the two meeting windows (591, 592),
// screen sharing (1000021), the event bus (502), the notification centre (721, switched off) and
// a few smaller models, and scripts the
// platform's meeting service and media engine to match.
//
//   hostkit::MeetingFixture meeting;
//   meeting.Install();                                  // "u-self" (host) and four others
//   meeting.AddUser(hostkit::MeetingFixture::MakeUser("u-9", "Zoe"));   // user model event 1
//   meeting.UpdateUser("u-9", hostkit::Json(R"({"video": true})"));      // event 2, stream appears
//   meeting.StartScreenShare("u-1");                    // a screen stream comes in
//   meeting.RemoveUser("u-9");                          // event 3
//   meeting.SetConfigurationItem("inmeeting", "layout_page_size_round_number", 0.5);
//   meeting.users().Fail(4);                            // the models stay scriptable as usual
//
// Users are records (maps) addressed by user index, as the user model keeps them: command 4
// answers a pointer Variant to the stored record, which stays valid until the user is removed
// (a removed user's record is still readable while event 3 is delivered). Command 5 answers a
// pointer to the record as it was before the user's last update (UpdateUser), and fails for a
// user never updated. Command 2 honours {"source_type": mask} as the user model does. Lookups by index,
// user id, stream id, unique id and identity are constant time, so a fixture of ten thousand
// users stays fast. The fixture keeps these keys of each record current: "user_index",
// "stream_id" ("video-" + user id), "video"/"video_on" (either one sets both) and "self".
//
// The fixture shares its state with the models' handlers: it may go away before the models do.
// hostkit::Reset() removes the models; Install() again starts over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "hostkit/hostkit.h"

namespace hostkit {

class MeetingFixture {
 public:
  struct Options {
    int64_t meeting_type = 0;
    std::string meeting_id = "100200300";
    std::string meeting_code = "123456789";
    std::string subject = "Weekly sync";
    size_t other_users = 4;  // "u-1" ... besides the local user "u-self"
    bool in_meeting = true;
  };

  // Events of the user model.
  static constexpr int kUsersAdded = 1;
  static constexpr int kUsersUpdated = 2;
  static constexpr int kUsersRemoved = 3;
  static constexpr int kUsersReset = 4;
  // The audio model's device exception event.
  static constexpr int kAudioException = 57;
  static constexpr char kSelfUserId[] = "u-self";

  MeetingFixture();
  explicit MeetingFixture(Options options);
  ~MeetingFixture();
  MeetingFixture(const MeetingFixture&) = delete;
  MeetingFixture& operator=(const MeetingFixture&) = delete;

  // Installs (or reinstalls) every model and the platform pieces; fires no event.
  MeetingFixture& Install();

  // The installed models (Install first).
  ScriptedModel& meeting() const;
  ScriptedModel& users() const;
  ScriptedModel& video() const;
  ScriptedModel& audio() const;
  ScriptedModel& camera() const;
  ScriptedModel& settings() const;
  ScriptedModel& configuration() const;
  ScriptedModel& service_entrance() const;
  ScriptedModel& main_window() const;
  ScriptedModel& secondary_window() const;
  ScriptedModel& screen_share() const;
  ScriptedModel& event_bus() const;

  // A plausible record of a remote user: identity keys derived from the user id, audio on, no
  // video, no share, visible to all.
  static Variant MakeUser(const std::string& user_id, const std::string& nickname);

  // Each returns the new index (or indexes) and fires event 1 once. A record whose user id is
  // already present is refused (-1, no event).
  int64_t AddUser(Variant record);
  std::vector<int64_t> AddUsers(std::vector<Variant> records);
  // Merges the keys of `changes` into the record and fires event 2; false for an unknown user.
  bool UpdateUser(const std::string& user_id, const Variant& changes);
  size_t UpdateUsers(const std::vector<std::pair<std::string, Variant>>& changes);
  // Fires event 3, then forgets the user; false for an unknown user or the local user.
  bool RemoveUser(const std::string& user_id);
  size_t RemoveUsers(const std::vector<std::string>& user_ids);
  // Replaces every remote user and fires event 4 (the local user stays).
  void ResetUsers(std::vector<Variant> records);

  // Null when unknown. The pointer is the one command 4 hands out.
  const Variant* FindUser(const std::string& user_id) const;
  int64_t IndexOf(const std::string& user_id) const;  // -1 when unknown
  size_t user_count() const;                          // the local user included
  std::vector<std::string> user_ids() const;          // in join order

  // Sharing: the user's "screen" and a screen stream (outgoing for the local user).
  void StartScreenShare(const std::string& user_id);
  void StopScreenShare(const std::string& user_id);
  // The web share the user model reports on command 31.
  void StartWebShare(const std::string& user_id);
  void StopWebShare();

  // What the main window's (0) or secondary window's (1) big view shows.
  void SetBigView(int window, const std::string& user_id);
  void SetLayoutType(int window, int32_t layout_type);
  void SetSecondaryWindowExists(bool exists);

  // Configuration items (539, {"group_id", "id"}) and client settings (517). Unset items answer
  // null, so readers take their defaults.
  void SetConfigurationItem(const std::string& group_id, const std::string& id, Variant value);
  void SetClientSetting(const std::string& key, Variant value);
  Variant ClientSetting(const std::string& key) const;  // null when unset

  // Audio: the connect mode (1 computer audio at install), device exceptions and interruptions.
  void SetAudioConnectMode(int32_t mode);
  // Makes commands 93 and 94 report the failure and fires event 57 {"user_trigger"}.
  void RaiseAudioDeviceException(const std::string& device_id, int32_t device_type, int32_t error_type,
                                 bool user_trigger = false);
  // Clears the failure and fires event 57 {"close_alert": true}.
  void ClearAudioDeviceException();
  // The event bus's answer to "should the alert wait" (command 2).
  void SetAlertInterrupted(bool interrupted);

  // Leaving makes the meeting model answer "not in a meeting" and drops the platform's self
  // information; joining brings both back.
  void LeaveMeeting();
  void JoinMeeting();

  struct State;

 private:
  std::shared_ptr<State> state_;
};

}  // namespace hostkit
