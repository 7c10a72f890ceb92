// Join rules as a join screen meets them: stages and results, secrets kept out of logs, the
// limit check, the server's failure tips and other join dialogs, switching accounts, leaving,
// and the pay guide for joining from several devices.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/alert_builder.h"
#include "framework/stateful_viewmodel.h"
#include "hostkit/hostkit.h"
#include "hostkit/navigation.h"
#include "hostkit/platform.h"
#include "hostkit/viewmodel.h"
#include "module_api/join/join_alerts.h"
#include "module_api/join/join_utils.h"
#include "module_api/join/multi_device_join.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace {

using base::Variant;
using hostkit::Json;
namespace join = velto_common::utils::join;
namespace cmd = velto::model_command;

TEST(JoinStages, EachSdkStepHasItsStageAndAStrangeStepIsLogged) {
  using Step = veltosdk::MeetingJoinResult::Step;
  EXPECT_EQ(join::ConvertSDKJoinStepToJoinStage(Step::kStepQueryMeeting), 3);
  EXPECT_EQ(join::ConvertSDKJoinStepToJoinStage(Step::kStepConnect), 4);
  EXPECT_EQ(join::ConvertSDKJoinStepToJoinStage(Step::kStepEnterRoom), 5);
  EXPECT_EQ(join::ConvertSDKJoinStepToJoinStage(Step::kStepFinish), 6);
  EXPECT_EQ(join::ConvertSDKJoinStepToJoinStage(static_cast<Step>(4)), 0);
  EXPECT_TRUE(hostkit::HasLog(1, "illegal join step: 4"));
}

TEST(JoinResults, NotStartedAndEndedMeetingsAreErrorsAndOtherStatesAreNot) {
  hostkit::SetLanguage("en-us");
  Variant not_started = join::GetJoinResultFromQueryMeetingResult(Json(R"({"meeting_item": {"state": 1}})"));
  EXPECT_EQ(not_started.GetInt32("error"), 22);
  EXPECT_EQ(not_started.GetString("error_msg"), "The meeting has not started yet");
  Variant ended = join::GetJoinResultFromQueryMeetingResult(Json(R"({"meeting_item": {"state": 3}})"));
  EXPECT_EQ(ended.GetInt32("error"), 21);
  EXPECT_EQ(ended.GetString("error_msg"), "The meeting has ended");
  EXPECT_EQ(join::GetJoinResultFromQueryMeetingResult(Json(R"({"meeting_item": {"state": 2}})")),
            Json(R"({"error": 0, "error_msg": ""})"));
  EXPECT_EQ(join::GetJoinResultFromQueryMeetingResult(Json(R"("not a map")")), Json(R"({"error": 0, "error_msg": ""})"));
}

TEST(JoinLogs, TheMeetingItemTextKeepsItsSecretsAndListsOut) {
  const std::string text = join::LogNecessaryMeetingItem(Json(R"({"meeting_code": "123", "password": "s3cret",
      "appointed_host_list": [1], "si_member_list": [2], "action_menu": {}, "invite_list": [3], "periods": [4],
      "sub": {"password": "nested"}})"));
  EXPECT_EQ(text, R"({"meeting_code":"123","sub":{}})");
}

TEST(JoinQueries, JoinSourceRoomSwitchAndReportParams) {
  EXPECT_EQ(join::GetJoinFrom(), -1);
  EXPECT_TRUE(hostkit::HasLog(1, "model 514 not found"));
  hostkit::InstallModel(514).Answer(cmd::meeting::kJoinFrom, Json(R"({"join_from": 12})"));
  EXPECT_EQ(join::GetJoinFrom(), 12);
  EXPECT_FALSE(join::IsRoomSwitching());
  hostkit::InstallModel(622).Succeed(cmd::room_switch::kIsRoomSwitching);
  EXPECT_TRUE(join::IsRoomSwitching());

  auto& accounts = hostkit::InstallModel(535);
  accounts.Answer(cmd::account_switch::kJoinAlertReportParam,
                  Json(R"({"report_param": {"account_role": 2, "corp_id": "c1", "uid": "u1", "token": "t-secret"}})"));
  EXPECT_EQ(join::GetJoinAlertReportParam("cu", "ca"), Json(R"({"account_role": 2, "corp_id": "c1", "uid": "u1"})"));
  EXPECT_EQ(accounts.LastArgument(cmd::account_switch::kJoinAlertReportParam), Json(R"({"creator_uid": "cu", "creator_appid": "ca"})"));
  accounts.Fail(cmd::account_switch::kJoinAlertReportParam);
  EXPECT_EQ(join::GetJoinAlertReportParam("cu", "ca"), Variant::Map());
}

TEST(JoinLeave, LeavesOnlyWhenThereIsAMeetingOrAJoin) {
  auto& meeting = hostkit::InstallModel(514);
  meeting.Fail(0).Fail(43).Fail(44).Succeed(cmd::meeting::kLeaveMeeting);
  join::LeaveMeetingIfNeeded(7);
  EXPECT_EQ(meeting.CallCount(cmd::meeting::kLeaveMeeting), 0u);
  meeting.Succeed(0);
  join::LeaveMeetingIfNeeded(7);
  EXPECT_EQ(meeting.LastArgument(cmd::meeting::kLeaveMeeting), Json(R"({"reason": 7})"));
}

class JoinDialogs : public ::testing::Test {
 protected:
  void SetUp() override { hostkit::SetLanguage("en-us"); }
  framework::StatefulViewModel vm_;
};

TEST_F(JoinDialogs, ARejectedItemStopsTheJoinWithTheLimitAlert) {
  int joined = 0;
  EXPECT_FALSE(join::PreCheckMeetingItemLimitBeforeJoin(Json(R"({"join_rejected_type": 0})"), &vm_, [&] { ++joined; }));
  EXPECT_EQ(joined, 1);
  EXPECT_EQ(hostkit::Alerts().size(), 0u);
  EXPECT_TRUE(join::PreCheckMeetingItemLimitBeforeJoin(
      Json(R"({"join_rejected_type": 3, "meeting_id": "m9", "creator_appid": "a1"})"), &vm_, [&] { ++joined; }));
  EXPECT_EQ(joined, 1);
  ASSERT_NE(hostkit::LastAlert(), nullptr);
  EXPECT_EQ(hostkit::LastAlert()->title, "Unable to join");
  EXPECT_TRUE(hostkit::HasLog(6, "join_rejected_type: 3, meeting_id:m9, creator_appid:a1"));
  EXPECT_TRUE(join::PreCheckMeetingItemLimitBeforeJoin(Json(R"({"join_rejected_type": 3})"), nullptr, nullptr));
}

TEST_F(JoinDialogs, ServerTipsShowTheirButtonsLogAtTheCallerAndOpenThePurchase) {
  hostkit::InstallModel(514).Answer(cmd::meeting::kJoinFrom, Json(R"({"join_from": 4})"));
  const Variant tips = Json(R"({"title": "Meeting is full", "error_code": 13420,
      "content_list": [{"content": "No seats left.", "content_color": "#333"}, {"content": "Upgrade for more."}],
      "button_list": [{"text": "Later", "action": 0}, {"text": "Upgrade", "action": 2,
                       "url_info": {"url": "https://pay.velto.example/buy"}}]})");
  std::vector<int> pressed;
  std::vector<Variant> entries;
  join::ShowCommonJoinFailedAlert("join_screen.cpp", 42, tips, &vm_,
                                  [&](int button, const Variant& entry) {
                                    pressed.push_back(button);
                                    entries.push_back(entry);
                                  },
                                  Json(R"({"creator_uid": "cu", "creator_appid": "ca"})"));
  const hostkit::AlertRecord* alert = hostkit::LastAlert();
  ASSERT_NE(alert, nullptr);
  EXPECT_EQ(alert->title, "Meeting is full");
  EXPECT_EQ(alert->content, "No seats left.\nUpgrade for more.");
  EXPECT_EQ(alert->positive_text, "Upgrade");
  EXPECT_EQ(alert->negative_text, "Later");
  EXPECT_EQ(alert->custom_view, "join_failed_common_tips");
  const auto& logs = hostkit::Logs();
  auto it = std::find_if(logs.begin(), logs.end(),
                         [](const auto& r) { return r.text.find("join failed common tips") != std::string::npos; });
  ASSERT_NE(it, logs.end());
  EXPECT_EQ(it->text, "join failed common tips, error_code=13420, positive(Upgrade), negative(Later).");
  EXPECT_EQ(it->file, "join_screen.cpp");
  EXPECT_EQ(it->line, 42);
  EXPECT_EQ(hostkit::CountAnalytics("join_meeting_failed_common_tips_explore"), 1u);
  const hostkit::AnalyticsEvent* buy = hostkit::LastAnalytics("e#meeting_limit_buy_pop#all#exposure");
  ASSERT_NE(buy, nullptr);
  EXPECT_EQ(buy->properties.at("creator_uid"), "cu");
  EXPECT_EQ(buy->properties.at("creator_appid"), "ca");
  EXPECT_EQ(buy->properties.at("action_id_sum"), "2");
  EXPECT_EQ(buy->properties.at("join_from"), "4");

  hostkit::AttachViewModel(vm_);  // the purchase page opens in the view's window
  ASSERT_TRUE(hostkit::PressAlertButton(alert->id, framework::AlertButton::kPositive));
  ASSERT_EQ(pressed, std::vector<int>{framework::AlertButton::kPositive});
  EXPECT_EQ(entries[0].GetString("text"), "Upgrade");
  ASSERT_FALSE(hostkit::Navigations().empty());
  EXPECT_NE(hostkit::Navigations().back().arguments.GetString("url").find("pay.velto.example/buy"), std::string::npos);
  hostkit::DetachViewModel(vm_);
}

TEST_F(JoinDialogs, GuestHintFallsBackToLocalTextsAndRefusesBrokenData) {
  join::ShowCommonGuestJoinHintAlert("guest.cpp", 7, "{not json", &vm_, nullptr);
  EXPECT_TRUE(hostkit::HasLog(1, "json data error"));
  EXPECT_EQ(hostkit::Alerts().size(), 0u);
  join::ShowCommonGuestJoinHintAlert(
      "guest.cpp", 7,
      R"({"title": "", "local_title": "Join as guest?", "left_button_text": "No", "local_positive": "Join"})", &vm_,
      nullptr);
  ASSERT_NE(hostkit::LastAlert(), nullptr);
  EXPECT_EQ(hostkit::LastAlert()->title, "Join as guest?");
  EXPECT_EQ(hostkit::LastAlert()->negative_text, "No");
  EXPECT_EQ(hostkit::LastAlert()->positive_text, "Join");
}

TEST_F(JoinDialogs, PrivacyNoticeNamesTheMeetingAndIsNeverShownInTheMessagingSdk) {
  hostkit::Environment().bexa_sdk = true;
  join::ShowPrivacyDataOverseaAlert(Json(R"({"meeting_item": {"meeting_code": "1"}})"), &vm_, nullptr);
  EXPECT_TRUE(hostkit::HasLog(4, "bexa sdk no need show privacy data oversea alert!"));
  EXPECT_EQ(hostkit::Alerts().size(), 0u);
  hostkit::Environment().bexa_sdk = false;
  int answer = -1;
  join::ShowPrivacyDataOverseaAlert(
      Json(R"({"meeting_item": {"meeting_code": "800", "meeting_id": "m1", "security_verify_type": 2}})"), &vm_,
      [&](int button, const Variant&) { answer = button; });
  ASSERT_NE(hostkit::LastAlert(), nullptr);
  EXPECT_EQ(hostkit::LastAlert()->custom_data,
            Json(R"({"meeting_code": "800", "meeting_id": "m1", "security_verify_type": 2})"));
  hostkit::PressAlertButton(hostkit::LastAlert()->id, framework::AlertButton::kNegative);
  EXPECT_EQ(answer, framework::AlertButton::kNegative);
}

TEST_F(JoinDialogs, ACrossAccountMeetingIsConfirmedThenJoinedAfterTheSwitch) {
  auto& accounts = hostkit::InstallModel(535);
  accounts.Succeed(cmd::account_switch::kRegisterAfterSwitchAction).Succeed(101);
  EXPECT_FALSE(join::PrepareJoinCrossAccountMeeting(Json(R"({"cross_account_type": 0})"), &vm_, nullptr));
  EXPECT_TRUE(hostkit::HasLog(3, "unknown cross_account_type:0"));
  const Variant params = Json(R"({"cross_account_type": 2, "remind_kind": 1, "meeting_code": "800",
                                  "corp_id": "corp-b", "meeting_id": "m1", "invite_id": "i1"})");
  ASSERT_TRUE(join::PrepareJoinCrossAccountMeeting(params, &vm_, nullptr));
  ASSERT_NE(hostkit::LastAlert(), nullptr);
  EXPECT_EQ(hostkit::LastAlert()->custom_data.GetString("type"), "booking");
  EXPECT_EQ(hostkit::LastAlert()->custom_data.GetString("remind"), "cross_account_remind_recording");
  EXPECT_EQ(hostkit::LastAnalytics("e#cross_account_reconfirm_popup#desktop_call#exposure")->properties.at("type"),
            "booking");
  EXPECT_EQ(accounts.CallCount(), 0u);  // nothing before the user confirms
  hostkit::PressAlertButton(hostkit::LastAlert()->id, framework::AlertButton::kPositive);
  ASSERT_EQ(accounts.calls().size(), 2u);
  EXPECT_EQ(accounts.calls()[0].command_id, cmd::account_switch::kRegisterAfterSwitchAction);
  EXPECT_EQ(accounts.calls()[0].argument,
            Json(R"({"callback_block": "join_meeting", "action_params": {"cross_account_type": 2,
                     "meeting_code": "800", "invite_id": "i1", "meeting_id": "m1"}})"));
  EXPECT_EQ(accounts.calls()[1].command_id, 101);  // the account switch itself
  EXPECT_EQ(accounts.calls()[1].argument.GetString("corp_id"), "corp-b");
}

TEST_F(JoinDialogs, InvitedMembersOnlyOffersTheSwitchWhenTheInvitedAccountExists) {
  std::vector<bool> done;
  join::OnEventShowInvitedMemberOnlyDialog(nullptr, &vm_, nullptr, [&](bool s) { done.push_back(s); });
  EXPECT_TRUE(hostkit::HasLog(1, "params is null"));
  auto& accounts = hostkit::InstallModel(535);
  accounts.Fail(cmd::account_switch::kSwitchAccountParams);
  const Variant params = Json(R"({"is_exit_invited_account": true, "meeting_code": "800", "corp_id": "corp-b"})");
  join::OnEventShowInvitedMemberOnlyDialog(&params, &vm_, nullptr, [&](bool s) { done.push_back(s); });
  hostkit::PressAlertButton(hostkit::LastAlert()->id, framework::AlertButton::kPositive);
  EXPECT_TRUE(hostkit::HasLog(1, "get switch account params error."));
  accounts.Answer(cmd::account_switch::kSwitchAccountParams, Json(R"({"auth_code": "ac", "identity_type": 1})"))
      .Succeed(cmd::account_switch::kRegisterAfterSwitchAction)
      .Succeed(101);
  join::OnEventShowInvitedMemberOnlyDialog(&params, &vm_, nullptr, [&](bool s) { done.push_back(s); });
  hostkit::PressAlertButton(hostkit::LastAlert()->id, framework::AlertButton::kPositive);
  EXPECT_EQ(done, (std::vector<bool>{false, false, true}));
  EXPECT_EQ(accounts.LastArgument(101).GetString("corp_id"), "corp-b");
  EXPECT_EQ(accounts.LastArgument(cmd::account_switch::kRegisterAfterSwitchAction).Get("action_params").GetString("meeting_code"), "800");
}

TEST(JoinSwitchToast, ThePendingToastIsShownWithItsFlags) {
  auto& toasts = hostkit::InstallModel(1000046);
  toasts.Answer(cmd::switch_account_toast::kPendingSwitchToast, Json(R"({"name": "Corp B", "content": "Now in Corp B", "icon": "b.png"})"))
      .Succeed(cmd::switch_account_toast::kShowSwitchToast);
  join::ShowSwitchAccountSuccessToast(true);
  EXPECT_EQ(toasts.LastArgument(cmd::switch_account_toast::kShowSwitchToast),
            Json(R"({"name": "Corp B", "content": "Now in Corp B", "icon": "b.png", "duration": 3000, "flags": 1})"));
  toasts.Fail(cmd::switch_account_toast::kPendingSwitchToast);
  join::ShowSwitchAccountSuccessToast(false);
  EXPECT_EQ(toasts.CallCount(cmd::switch_account_toast::kShowSwitchToast), 1u);
}

TEST(MultiDeviceJoin, TheGuideShowsOnlyInItsScenes) {
  framework::StatefulViewModel vm;
  const Variant data = Json(R"({"guide_page_scenes": ["join", "schedule"],
      "multiclient_pro_guide_block_word": {"content": "Pro needed", "continue_pay": "Buy", "later_pay": "Later"}})");
  EXPECT_FALSE(velto_common::utils::multi_device_join::ShowMultiDeviceJoinAlertBeforePay(&vm, "home", data, nullptr));
  EXPECT_EQ(hostkit::Alerts().size(), 0u);
  EXPECT_TRUE(velto_common::utils::multi_device_join::ShowMultiDeviceJoinAlertBeforePay(&vm, "join", data, nullptr));
  EXPECT_EQ(hostkit::LastAlert()->positive_text, "Buy");
  EXPECT_EQ(hostkit::LastAnalytics("e#multiclient_pro_guide_block#all#exposure")->properties.at("scene"), "join");
}

TEST(MultiDeviceJoin, ThePayGuideOpensInAFixedWindowOrOutsideWhenTheAddressAsks) {
  namespace mdj = velto_common::utils::multi_device_join;
  auto context = std::make_shared<framework::Context>(5);
  mdj::OpenPayGuideUrl(context, "");
  EXPECT_TRUE(hostkit::HasLog(1, "[multi device join utils] url is empty"));
  EXPECT_TRUE(hostkit::Navigations().empty());

  mdj::OpenPayGuideUrl(context, "https://pay.velto.example/guide");
  ASSERT_EQ(hostkit::Navigations().size(), 1u);
  const hostkit::Navigation& nav = hostkit::Navigations()[0];
  EXPECT_EQ(nav.instance_id, "PayRelation_id");
  EXPECT_EQ(nav.arguments.GetInteger("wnd_size_width"), 840);
  EXPECT_EQ(nav.arguments.GetInteger("wnd_size_height"), 604);
  EXPECT_TRUE(nav.arguments.GetBoolean("top_most"));
  EXPECT_FALSE(nav.arguments.GetBoolean("show_max_btn", true));
  EXPECT_TRUE(hostkit::HasLog(6, "[multi device join utils] open pay guide url: https://pay.velto.example/guide"));

  mdj::OpenPayGuideUrl(context, "https://pay.velto.example/guide?wv_navigate_style=1");
  EXPECT_EQ(hostkit::Navigations().size(), 1u);
  ASSERT_FALSE(hostkit::OpenedTargets().empty());
  EXPECT_NE(hostkit::OpenedTargets().back().find("wv_navigate_style"), std::string::npos);
}

}  // namespace
