// The join request of the join limit alert manager and what surrounds it: the request map, the
// confirmation (a priority event shared by every join screen) and the cancellation, the
// recording alerts in front of it, the details behind the alerts, and what is left once the
// screen or the manager goes away.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "alerts/join_limit_test_support.h"
#include "hostkit/navigation.h"
#include "module_api/web/web_util.h"
#include "util/crypto/url_encode.h"

namespace {

using namespace join_limit_test;

Variant Confirmation(uint64_t token) {
  Variant v = Variant::Map();
  v["subscriber_token"] = token;
  return v;
}

TEST_F(JoinLimitTest, AJoinSendsItsRequestAndTheConfirmationStopsAtItsScreen) {
  const Variant params = Json(R"({"password": "pw"})");
  manager_->CheckAndJoinNewMeeting(42, "Weekly", &params);
  EXPECT_TRUE(manager_->joining());
  Variant expected = Variant::Map();
  expected["meeting_id"] = uint64_t{42};
  expected["meeting_subject"] = "Weekly";
  expected["join_params"] = params;
  expected["subscriber_token"] = manager_->subscriber_token();
  EXPECT_EQ(meeting_->LastArgument(cmd::meeting::kJoinMeeting), expected);

  // An ordinary subscriber after the manager hears the event only when the manager lets it go.
  int heard_after = 0;
  meeting_->Subscribe(event::meeting::kJoinMeetingConfirm, 7, [&](const Variant*) { ++heard_after; });
  meeting_->Fire(event::meeting::kJoinMeetingConfirm, Confirmation(manager_->subscriber_token()));
  EXPECT_FALSE(manager_->joining());
  EXPECT_EQ(screen_.calls, std::vector<std::string>{"confirm"});
  EXPECT_EQ(heard_after, 0);
  EXPECT_TRUE(hostkit::HasLog(6, "confirm ret -> true"));

  screen_.take_over_join = false;
  meeting_->Fire(event::meeting::kJoinMeetingConfirm, Confirmation(manager_->subscriber_token()));
  EXPECT_EQ(heard_after, 1);
  meeting_->Unsubscribe(7);
}

TEST_F(JoinLimitTest, AnotherScreensConfirmationPassesOn) {
  manager_->CheckAndJoinNewMeeting(42, "Weekly", nullptr);
  int heard_after = 0;
  meeting_->Subscribe(event::meeting::kJoinMeetingConfirm, 7, [&](const Variant*) { ++heard_after; });
  meeting_->Fire(event::meeting::kJoinMeetingConfirm, Confirmation(manager_->subscriber_token() + 8));
  meeting_->FireNull(event::meeting::kJoinMeetingConfirm);
  EXPECT_TRUE(screen_.calls.empty());
  EXPECT_EQ(heard_after, 2);
  EXPECT_FALSE(manager_->joining());
  EXPECT_EQ(hostkit::CountLogs(6, "confirm call_next is true "), 2u);
  meeting_->Unsubscribe(7);
}

TEST_F(JoinLimitTest, ACancelledOrRefusedJoinIsNoLongerJoining) {
  manager_->CheckAndJoinNewMeeting(42, "Weekly", nullptr);
  meeting_->Fire(event::meeting::kJoinMeetingCancel, Variant::Map());
  EXPECT_FALSE(manager_->joining());
  EXPECT_EQ(screen_.calls, std::vector<std::string>{"cancel"});
  EXPECT_TRUE(hostkit::HasLog(6, "cancel"));

  meeting_->Fail(cmd::meeting::kJoinMeeting);
  manager_->CheckAndJoinNewMeeting(42, "Weekly", nullptr);
  EXPECT_FALSE(manager_->joining());
  EXPECT_TRUE(hostkit::Alerts().empty());
}

TEST_F(JoinLimitTest, StoppingARecordingStopsItThenJoins) {
  record_->Answer(cmd::record::kQuickRecordRunning, Variant(true));
  manager_->CheckAndJoinNewMeeting(42, "Weekly", nullptr);
  EXPECT_TRUE(manager_->record_alert_showing());
  EXPECT_EQ(meeting_->CallCount(cmd::meeting::kJoinMeeting), 0u);
  hostkit::PressAlertButton(hostkit::LastAlert()->id, Button::kPositive);
  EXPECT_FALSE(manager_->record_alert_showing());
  EXPECT_EQ(record_->LastArgument(cmd::record::kStopQuickRecord), Json(R"({"from": "join", "cancel_and_upload": true})"));
  EXPECT_EQ(meeting_->LastArgument(cmd::meeting::kJoinMeeting).GetUint64("meeting_id"), 42u);
  EXPECT_TRUE(hostkit::HasLog(6, "quick record is running, alert result2"));

  record_->Answer(cmd::record::kQuickRecordRunning, Variant(false));
  voice_->Answer(cmd::voice_print::kVoicePrintRecording, Variant(true));
  manager_->CheckAndJoinNewMeeting(43, "Retro", nullptr);
  hostkit::PressAlertButton(hostkit::LastAlert()->id, Button::kPositive);
  EXPECT_EQ(voice_->LastArgument(cmd::voice_print::kStopVoicePrintRecording),
            Json(R"({"from": "join", "cancel_and_upload": true})"));
  EXPECT_EQ(meeting_->LastArgument(cmd::meeting::kJoinMeeting).GetUint64("meeting_id"), 43u);
  EXPECT_TRUE(hostkit::HasLog(6, "voice print record is running, alert result2"));
}

TEST_F(JoinLimitTest, ASecondJoinWhileTheRecordAlertIsOpenIsDropped) {
  record_->Answer(cmd::record::kQuickRecordRunning, Variant(true));
  manager_->CheckAndJoinNewMeeting(42, "Weekly", nullptr);
  manager_->CheckAndJoinNewMeeting(43, "Retro", nullptr);
  EXPECT_EQ(hostkit::Alerts().size(), 1u);
  hostkit::PressAlertButton(hostkit::LastAlert()->id, Button::kPositive);
  EXPECT_EQ(meeting_->CallCount(cmd::meeting::kJoinMeeting), 1u);
  EXPECT_EQ(meeting_->LastArgument(cmd::meeting::kJoinMeeting).GetUint64("meeting_id"), 42u);
}

TEST_F(JoinLimitTest, WithoutTheRecordModelTheJoinStillGoesAhead) {
  record_->Answer(cmd::record::kQuickRecordRunning, Variant(true));
  manager_->CheckAndJoinNewMeeting(42, "Weekly", nullptr);
  hostkit::RemoveModel(model_id::kRecordModel);
  hostkit::PressAlertButton(hostkit::LastAlert()->id, Button::kPositive);
  EXPECT_EQ(meeting_->CallCount(cmd::meeting::kJoinMeeting), 1u);
}

TEST_F(JoinLimitTest, WithoutAViewModelNothingShowsAndTheJoinSkipsTheRecordingCheck) {
  manager_->SetViewModel(nullptr);
  record_->Answer(cmd::record::kQuickRecordRunning, Variant(true));
  manager_->CheckAndJoinNewMeeting(42, "Weekly", nullptr);
  EXPECT_EQ(meeting_->CallCount(cmd::meeting::kJoinMeeting), 1u);
  EXPECT_TRUE(manager_->DoHandleJoinMultiMeetingRoomError(13411, InUsing(true, 88, 0)));
  EXPECT_TRUE(hostkit::HasLog(4, "view_model is null."));
  EXPECT_TRUE(manager_->DoHandleJoinMultiMeetingRoomError(13411, InUsing(false, 88, 0)));
  manager_->ShowMeetingRoomIsFullAlert();
  manager_->ShowNotEnrolledAlert("https://meeting.velto.com/enroll");
  manager_->ShowPrivateNoPermissionError(nullptr);
  EXPECT_EQ(hostkit::CountLogs(4, "view_model_ is null."), 4u);
  EXPECT_TRUE(hostkit::Alerts().empty());
  EXPECT_TRUE(screen_.calls.empty());
}

TEST_F(JoinLimitTest, WithoutADelegateAnswersDoNothing) {
  manager_->SetDelegate(nullptr);
  EXPECT_FALSE(manager_->JoinNewMeetingDidConfirm());
  EXPECT_EQ(manager_->ViewModelContext(), nullptr);
  manager_->DoHandleJoinMultiMeetingRoomError(13411, InUsing(true, 88, 0));
  hostkit::PressAlertButton(hostkit::LastAlert()->id, Button::kPositive);
  manager_->Logout();
  EXPECT_EQ(auth_->CallCount(cmd::authorization::kLogout), 1u);
  EXPECT_TRUE(hostkit::Navigations().empty());
  EXPECT_TRUE(screen_.calls.empty());
}

TEST_F(JoinLimitTest, OnlyTheTwoRoomErrorsShowAndAnOwnerNeedsTheMeetingsId) {
  EXPECT_FALSE(manager_->DoHandleJoinMultiMeetingRoomError(13412, InUsing(true, 88, 0)));
  EXPECT_FALSE(manager_->DoHandleJoinMultiMeetingRoomError(13411, InUsing(true, 0, 0)));
  EXPECT_TRUE(hostkit::Alerts().empty());
  EXPECT_TRUE(hostkit::HasLog(6, "is owner true, meeting_code 123456789, subject Board."));
  EXPECT_EQ(manager_->InUsingMeetingId(), 0u);
  EXPECT_TRUE(manager_->DoHandleJoinMultiMeetingRoomError(13420, InUsing(true, 88, 10)));
  EXPECT_EQ(manager_->InUsingMeetingId(), 88u);
  EXPECT_TRUE(manager_->in_using_meeting().member_limit_reached);
  EXPECT_EQ(manager_->in_using_meeting().pmi_code, "9990001");
}

TEST_F(JoinLimitTest, TheOwnersAlertShowsTheBlockingMeetingAndReportsBothCodes) {
  manager_->DoHandleJoinMultiMeetingRoomError(13411, InUsing(true, 88, 0));
  const hostkit::AlertRecord* alert = hostkit::LastAlert();
  ASSERT_NE(alert, nullptr);
  EXPECT_EQ(alert->custom_view, "in_using_meeting_info");
  Variant data = Variant::Map();
  data["meeting_code_title"] = T(0xdec00fa3);
  data["meeting_code"] = "123 456 789";
  data["subject_title"] = T(0x25aef764);
  data["subject"] = "Board";
  EXPECT_EQ(alert->custom_data, data);
  hostkit::PressAlertButton(alert->id, Button::kPositive);
  const hostkit::AnalyticsEvent* report = hostkit::LastAnalytics("inmeeting_owner_join_new_meeting_fail_confirm");
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(report->properties.at("join_meeting_code"), "555666777");
  EXPECT_EQ(report->properties.at("exist_meeting_code"), "123456789");
}

TEST_F(JoinLimitTest, TheEnrolPageOpensInTheBrowserBehindTheLogin) {
  const std::string enrol = "https://meeting.velto.com/enroll?id=42";
  manager_->ShowNotEnrolledAlert(enrol, "enrol first");
  hostkit::PressAlertButton(hostkit::LastAlert()->id, Button::kPositive);
  ASSERT_EQ(hostkit::OpenedTargets().size(), 1u);
  const std::string& opened = hostkit::OpenedTargets()[0];
  EXPECT_EQ(opened.rfind(velto_common::utils::web::GetUserCenterMiddleLoginUrl(), 0), 0u) << opened;
  EXPECT_NE(opened.find("redirect_url=" + util::crypto::RawUrlEncode(enrol)), std::string::npos) << opened;
  EXPECT_NE(opened.find("client_key=T-1"), std::string::npos);
  // Not auto-dismissed: the dialog stays until the join screen closes.
  EXPECT_EQ(hostkit::LastAlert()->state, hostkit::AlertState::kShown);
}

TEST_F(JoinLimitTest, TheNotEnrolledTextFollowsTheMeetingKind) {
  EXPECT_EQ(manager_->GetNotEnrolledErrorMessage(Json(R"({"meeting_type_flags": 1})")), T(0xce48b78a));
  EXPECT_EQ(manager_->GetNotEnrolledErrorMessage(Json(R"({"meeting_type_flags": 2})")), T(0xddaa1cb1));
  EXPECT_EQ(manager_->GetNotEnrolledErrorMessage(Variant()), T(0xddaa1cb1));
  manager_->UpdateJoiningMeetingInfo(Json(R"({"meeting_code": "1", "meeting_type_flags": 3, "need_enroll": true,
                                              "enroll_url": "https://meeting.velto.com/e"})"));
  EXPECT_TRUE(manager_->isWebinarMeeting());
  EXPECT_TRUE(manager_->joining_meeting().need_enroll);
  manager_->ShowNotEnrolledAlert("https://meeting.velto.com/e");
  EXPECT_EQ(hostkit::LastAlert()->title, T(0xce48b78a));
}

TEST_F(JoinLimitTest, LogoutSignsOutAndOpensTheGuideAlone) {
  manager_->Logout();
  EXPECT_EQ(auth_->CallCount(cmd::authorization::kLogout), 1u);
  ASSERT_EQ(hostkit::Navigations().size(), 1u);
  EXPECT_EQ(hostkit::Navigations()[0].kind, hostkit::NavigationKind::kPushWithClosingOthers);
  EXPECT_EQ(hostkit::Navigations()[0].page, "velto://page/guide");
  EXPECT_EQ(hostkit::Navigations()[0].view_ref, screen_.context()->view_context().view_ref());
}

TEST_F(JoinLimitTest, SubscriptionsAreRecordedWithTheScreenAndLeaveWithIt) {
  EXPECT_EQ(hostkit::SubscriptionsOf(manager_.get()), 2u);
  EXPECT_EQ(meeting_->PrioritySubscriberCount(event::meeting::kJoinMeetingConfirm), 1u);
  manager_->SetViewAttached();  // again: still heard once
  EXPECT_EQ(hostkit::SubscriptionsOf(manager_.get()), 2u);
  hostkit::DetachViewModel(screen_);
  EXPECT_EQ(hostkit::SubscriptionsOf(manager_.get()), 0u);
  EXPECT_EQ(screen_.RecordedSubscriptionCount(), 0u);
}

TEST_F(JoinLimitTest, AManagerGoneWithAnOpenAlertLeavesNothingBehind) {
  record_->Answer(cmd::record::kQuickRecordRunning, Variant(true));
  manager_->CheckAndJoinNewMeeting(42, "Weekly", nullptr);
  const int64_t alert = hostkit::LastAlert()->id;
  const int64_t gone = static_cast<int64_t>(reinterpret_cast<intptr_t>(manager_.get()));
  manager_.reset();
  EXPECT_EQ(hostkit::SubscriptionsOf(gone), 0u);
  EXPECT_EQ(screen_.RecordedSubscriptionCount(), 0u);
  EXPECT_TRUE(hostkit::HasLog(6, "dealloc"));
  hostkit::PressAlertButton(alert, Button::kPositive);  // answered after the manager is gone
  EXPECT_EQ(meeting_->CallCount(cmd::meeting::kJoinMeeting), 0u);
  EXPECT_EQ(record_->CallCount(cmd::record::kStopQuickRecord), 0u);
  EXPECT_TRUE(screen_.calls.empty());
}

TEST_F(JoinLimitTest, ACopyHasItsOwnTokenAndHearsNothingUntilAttached) {
  ShowJoinLimitAlertManager copy(*manager_);
  EXPECT_NE(copy.subscriber_token(), manager_->subscriber_token());
  EXPECT_EQ(copy.joining_meeting().meeting_code, "555666777");
  EXPECT_EQ(hostkit::SubscriptionsOf(&copy), 0u);
  copy.SetViewAttached();
  EXPECT_EQ(hostkit::SubscriptionsOf(&copy), 2u);
  copy.CheckAndJoinNewMeeting(42, "Weekly", nullptr);
  meeting_->Fire(event::meeting::kJoinMeetingConfirm, Confirmation(copy.subscriber_token()));
  EXPECT_EQ(screen_.calls, std::vector<std::string>{"confirm"});
  copy.SetViewDetached();
  EXPECT_EQ(hostkit::SubscriptionsOf(&copy), 0u);
  EXPECT_EQ(hostkit::SubscriptionsOf(manager_.get()), 2u);
}

}  // namespace
