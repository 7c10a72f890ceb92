// velto::ShowJoinLimitAlertManager: starts a join at the meeting model and, when something
// blocks it, shows the matching alert on the join screen's view model: a quick or voice-print
// recording that runs, a meeting the user already holds in another room (13411) or whose member
// limit is reached (13420), a full meeting, a webinar that needs enrolment, a private meeting.
// The user's answer goes to analytics and to the delegate (velto::IShowJoinLimitAlertManangerDelegate).
//
//   manager_.SetViewModel(this);            // alerts show on this view model
//   manager_.SetDelegate(this);
//   manager_.SetViewAttached();             // in OnViewAttached: hears join confirmations
//   manager_.CheckAndJoinNewMeeting(meeting_id, subject, &join_params);
//   ...on a join error:
//   if (!manager_.DoHandleJoinMultiMeetingRoomError(code, info)) ShowOtherError(code);
//   manager_.SetViewDetached();             // in OnViewDetached
//
// One manager per view model, on the UI thread. The view model must outlive the manager (or be
// unset first); answers to alerts that arrive after the manager is gone are dropped.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/variant/variant.h"
#include "framework/context.h"
#include "framework/stateful_viewmodel.h"
#include "module_api/alerts/join_limit_alert_delegate.h"
#include "module_api/export.h"

namespace velto {

namespace join_limit {
// Join errors of the server that the manager answers with an alert.
inline constexpr int kErrorInUsingMeeting = 13411;
inline constexpr int kErrorMemberLimitReached = 13420;
}  // namespace join_limit

class VELTO_API ShowJoinLimitAlertManager {
 public:
  using Variant = base::variant::Variant;

  // The meeting that blocks the join.
  struct InUsingMeetingInfo {
    std::string in_using_meeting_code;
    std::string pmi_code;
    std::string creator_appid;
    std::string creator_uid;
    std::string creator_nickname;
    std::string in_using_meeting_subject;
    uint64_t in_using_meeting_id = 0;
    uint32_t in_using_meeting_member_limit = 0;
    bool member_limit_reached = false;  // refused for its member limit (13420)
  };
  // The meeting the user asked for.
  struct JoiningMeetingInfo {
    std::string meeting_code;
    std::string pmi_code;
    std::string creator_appid;
    std::string creator_uid;
    std::string creator_nickname;
    std::string subject;
    uint64_t meeting_id = 0;
    std::string meeting_url;
    bool need_enroll = false;
    std::string enroll_url;
    std::string meeting_url_oversea;
    uint64_t meeting_type_flags = 0;  // bit 0: webinar
  };

  ShowJoinLimitAlertManager();
  // Logs "dealloc" and leaves the meeting model's join events.
  virtual ~ShowJoinLimitAlertManager();
  // A copy holds the same state but hears no event until it is attached itself.
  ShowJoinLimitAlertManager(const ShowJoinLimitAlertManager& other);
  ShowJoinLimitAlertManager& operator=(const ShowJoinLimitAlertManager& other);

  // Forward to the delegate; without one nothing happens (and the join is not taken over).
  virtual void JoinNewMeetingDidCancel();
  virtual bool JoinNewMeetingDidConfirm();

  void SetDelegate(IShowJoinLimitAlertManangerDelegate* delegate);
  void SetViewModel(framework::StatefulViewModel* view_model);
  void SetIsOutMeeting(bool is_out_meeting);
  // Hears the meeting model's join confirmation (priority 1) and cancellation, until detached.
  void SetViewAttached();
  void SetViewDetached();

  // Asks the meeting model to join; first asks the user to stop a quick or voice-print
  // recording when one runs (a second request while that alert is open is dropped).
  void CheckAndJoinNewMeeting(uint64_t meeting_id, const std::string& meeting_subject, const Variant* join_params);
  // 13411 and 13420 show the alert of the meeting that holds the room; false for other codes,
  // and for the owner of a blocking meeting without id.
  bool DoHandleJoinMultiMeetingRoomError(int code, const Variant& info);
  void ShowMeetingRoomIsFullAlert();
  // Enrolment: the guest is asked to enrol; a signed-in user sees `message` and may open the
  // enrol page `url`. The one-argument form uses the joining meeting's not-enrolled text.
  void ShowNotEnrolledAlert(const std::string& url, const std::string& message);
  void ShowNotEnrolledAlert(const std::string& url);
  // `on_closed` (may be empty) runs when the user answers.
  void ShowPrivateNoPermissionError(std::function<void()> on_closed);
  void UpdateJoiningMeetingInfo(const Variant& info);
  // The not-enrolled text for a meeting item: the webinar's or the meeting's.
  std::string GetNotEnrolledErrorMessage(const Variant& info);
  uint64_t InUsingMeetingId() const { return in_using_meeting_.in_using_meeting_id; }
  // Signs the user out, then opens the login guide on the delegate's window, closing the rest.
  void Logout();

  void CancelDissolveCurrentMeetingAndQuit();
  std::shared_ptr<const framework::Context> ViewModelContext();
  bool isWebinarMeeting() const { return (joining_meeting_.meeting_type_flags & 1u) != 0; }

  bool joining() const { return joining_; }
  bool record_alert_showing() const { return record_alert_showing_; }
  bool is_out_meeting() const { return is_out_meeting_; }
  const InUsingMeetingInfo& in_using_meeting() const { return in_using_meeting_; }
  const JoiningMeetingInfo& joining_meeting() const { return joining_meeting_; }
  // The "subscriber_token" of this manager's join requests.
  uint64_t subscriber_token() const;

 private:
  enum class RecordKind { kQuickRecord, kVoicePrint };
  using AlertAnswer = std::function<void(int button)>;

  void CheckMeetingStateAndJoinNewMeeting(const Variant& request);
  void ShowRecordRunningAlert(RecordKind kind, const Variant& request);
  void OnEventJoinMeetingConfirmNotify(const Variant* value, bool& call_next);
  void OnEventJoinMeetingCancelNotify(const Variant* value);
  void UpdateInUsingMeetingInfo(const Variant& info, bool member_limit_reached);
  bool ShowJoinMultiMeetingRoomAlert();
  void ShowOwnerAlert();
  void ShowMemberAlert();
  void ShowMeetingRoomIsFullAlertNoPayButton(int64_t member_limit);
  void NavigateToEnrollUrl(const std::string& url);
  void ReportJoinFailAnswer(const char* event);
  // Shows `builder`'s alert on the view model; `answer` runs only while this manager lives.
  int64_t ShowAlert(framework::AlertBuilder& builder, AlertAnswer answer);

  bool joining_ = false;
  InUsingMeetingInfo in_using_meeting_;
  JoiningMeetingInfo joining_meeting_;
  bool is_out_meeting_ = false;
  framework::StatefulViewModel* view_model_ = nullptr;
  IShowJoinLimitAlertManangerDelegate* delegate_ = nullptr;
  bool record_alert_showing_ = false;
  // Alive as long as this manager; the alerts' answers hold it weakly.
  std::shared_ptr<const bool> life_ = std::make_shared<const bool>(true);
};

}  // namespace velto
