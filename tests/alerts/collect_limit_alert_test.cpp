// The collect limit alert manager: what each collect answer leads to (a table of answer kinds
// and the enrolment alert's buttons), and the collect flow with its password prompts.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/alert_builder.h"
#include "framework/module/ticket_provider.h"
#include "framework/stateful_viewmodel.h"
#include "hostkit/hostkit.h"
#include "hostkit/network.h"
#include "hostkit/platform.h"
#include "hostkit/texts.h"
#include "hostkit/viewmodel.h"
#include "module_api/alerts/show_collect_limit_alert_manager.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace {

using hostkit::Json;
using hostkit::MarkerText;
using hostkit::Variant;
using velto::ShowCollectLimitAlertManager;
namespace model_id = velto::model_id;
namespace cmd = velto::model_command;
namespace event = velto::model_event;
using Button = framework::AlertButton;

constexpr int32_t Id(uint32_t id) { return static_cast<int32_t>(id); }
std::string T(uint32_t id) { return MarkerText(Id(id), {}); }

// The meeting list screen: the manager's view model and delegate, noting each call.
class ListScreen : public framework::StatefulViewModel, public velto::IShowCollectLimitAlertManangerDelegate {
 public:
  void ConfirmEnrollAlert() override { calls.push_back("enroll"); }
  void CancelEnrollAlert() override { calls.push_back("no enroll"); }
  void NeedAuthed() override { calls.push_back("need auth"); }
  void NeedEnroll() override { calls.push_back("need enroll"); }
  void ShouldFillPwdIfNeed() override { calls.push_back("need password"); }
  void OnMeetingCollected(const uint64_t& id) override { calls.push_back("collected " + std::to_string(id)); }
  void OnPasswordDialogStateChanged(Variant& state) override { states.push_back(state); }

  std::vector<std::string> calls;
  std::vector<Variant> states;
};

class CollectLimitTest : public ::testing::Test {
 public:
  void SetUp() override {
    for (uint32_t id : {0xa471b52eu, 0x0b1d3ab7u, 0xfbb7bf59u, 0x833b933au, 0x204ce9f5u, 0xdf5b367fu, 0x24e328f9u,
                        0x6ed020a7u, 0xc7901b1au, 0xcf84dff4u, 0xce48b78au, 0xddaa1cb1u}) {
      hostkit::UseMarkerText(Id(id), {});
    }
    collect_ = &hostkit::InstallModel(model_id::kCollectMeetingModel);
    collect_->Succeed(cmd::collect_meeting::kCollectMeeting);
    schedule_ = &hostkit::InstallModel(model_id::kScheduleModel);
    auth_ = &hostkit::InstallModel(model_id::kAuthorizationModel);
    SetGuest(false);
    hostkit::SetWebTicket(framework::module::TokenType::kWebTicket, "T-1");
    hostkit::AttachViewModel(screen_);
    manager_ = std::make_unique<ShowCollectLimitAlertManager>();
    manager_->SetViewModel(&screen_);
    manager_->SetDelegate(&screen_);
    manager_->SetViewAttached();
  }

  void SetGuest(bool guest) {
    Variant auth = Json(R"({"app_id": "app-1", "app_uid": "uid-1"})");
    auth["auth_type"] = guest ? 2 : 1;
    auth_->Answer(cmd::authorization::kCallFuncQueryAuthData, auth);
  }

  void CollectCard(uint64_t meeting_id, uint64_t type_flags = 0) {
    Variant card = Json(R"({"meeting_url": "https://meeting.velto.com/w/77", "customer_data": "cd-1",
                            "webinar_token": "wt-1"})");
    card["meeting_id"] = meeting_id;
    card["meeting_type_flags"] = type_flags;
    manager_->CheckAndCollectMeetingForMeetingCard(card);
  }

  void Complete(uint64_t meeting_id, int code, const std::string& message = {}) {
    Variant result = Variant::Map();
    result["meeting_id"] = meeting_id;
    result["ret_code"] = code;
    result["ret_msg"] = message;
    collect_->Fire(event::collect_meeting::kCollectComplete, result);
  }

  void Confirm(const std::string& password) {
    Variant input = Variant::Map();
    input["password"] = password;
    manager_->HandleConfirmPasswordDialog(&input);
  }
  void Type(const std::string& password) {
    Variant input = Variant::Map();
    input["password"] = password;
    manager_->HandlePasswordDidChanged(&input);
  }

  const Variant& State() const { return screen_.states.back(); }
  bool Visible() const { return State().GetBoolean("dialog_visible", false); }
  bool ErrorShown() const { return State().GetBoolean("dialog_err_pwd_visible", false); }
  bool Loading() const { return State().GetBoolean("dialog_loading_visible", false); }

  // The dialog as the delegate last saw it: "shown", "error", "loading" or "hidden".
  std::string DialogState() const {
    if (screen_.states.empty()) return "never";
    if (!Visible()) return "hidden";
    if (Loading()) return "loading";
    return ErrorShown() ? "error" : "shown";
  }

  ListScreen screen_;
  std::unique_ptr<ShowCollectLimitAlertManager> manager_;
  hostkit::ScriptedModel* collect_ = nullptr;
  hostkit::ScriptedModel* schedule_ = nullptr;
  hostkit::ScriptedModel* auth_ = nullptr;
};

// Each kind of collect answer, with the password dialog up or not.
struct AnswerCase {
  std::string name;
  bool dialog_up;  // the password dialog is visible when the answer comes
  int code;
  std::string message;
  std::vector<std::string> calls;  // of the delegate, after the dialog (if any) was raised
  std::string dialog;              // DialogState() afterwards
  std::string toast;               // empty: none
  std::string alert_title;         // empty: none
};

class CollectAnswerTable : public CollectLimitTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(CollectAnswerTable, ShowsWhatTheAnswerAsksFor) {
  const AnswerCase& c = GetParam();
  CollectCard(77);
  ASSERT_TRUE(hostkit::IsLoadingShown(screen_));
  if (c.dialog_up) {
    Complete(77, velto::collect_limit::kPasswordRequired);
    Confirm("1234");
    ASSERT_EQ(DialogState(), "loading");
    screen_.calls.clear();
  }
  const size_t alerts = hostkit::Alerts().size();
  Complete(77, c.code, c.message);

  EXPECT_FALSE(hostkit::IsLoadingShown(screen_));
  EXPECT_EQ(screen_.calls, c.calls);
  EXPECT_EQ(DialogState(), c.dialog);
  if (c.toast.empty()) {
    EXPECT_TRUE(hostkit::Toasts().empty());
  } else {
    ASSERT_EQ(hostkit::Toasts().size(), 1u);
    EXPECT_EQ(hostkit::Toasts().back().text, c.toast);
    EXPECT_EQ(hostkit::Toasts().back().duration_ms, 2000);
  }
  if (c.alert_title.empty()) {
    EXPECT_EQ(hostkit::Alerts().size(), alerts);
  } else {
    ASSERT_EQ(hostkit::Alerts().size(), alerts + 1);
    EXPECT_EQ(hostkit::Alerts().back().title, c.alert_title);
  }
}

std::vector<AnswerCase> AnswerCases() {
  return {
      {"Collected", false, 0, "", {}, "hidden", "", ""},
      {"CollectedFromTheDialog", true, 0, "", {}, "hidden", "", ""},
      {"PasswordAsked", false, 23104, "", {"need password"}, "shown", "", ""},
      {"WrongPassword", true, 23104, "", {"need password"}, "error", "", ""},
      {"EnrolmentNeeded", false, 14808, "", {"need enroll"}, "never", "", T(0xddaa1cb1)},
      {"ErrorWithItsMessage", false, 10001, "the meeting has ended", {}, "never", "the meeting has ended", ""},
      {"ErrorWithoutMessage", false, 10001, "", {}, "never", T(0xdf5b367f), ""},
      {"ErrorKeepsTheDialog", true, 10001, "busy", {}, "shown", "busy", ""},
      {"ErrorThatClosesTheDialog", true, 23601, "too many tries", {}, "hidden", "too many tries", ""},
  };
}

INSTANTIATE_TEST_SUITE_P(EveryAnswer, CollectAnswerTable, ::testing::ValuesIn(AnswerCases()),
                         [](const ::testing::TestParamInfo<AnswerCase>& info) { return info.param.name; });

// The enrolment alert of a webinar, for a guest and a signed-in user, and each button.
struct EnrolCase {
  std::string name;
  bool guest;
  int button;
  std::string title;
  std::string positive;
  std::string negative;
  std::vector<std::string> calls;
  bool opens_enrol_page;
};

class CollectEnrolTable : public CollectLimitTest, public ::testing::WithParamInterface<EnrolCase> {};

TEST_P(CollectEnrolTable, TheAnswerReachesTheDelegateOrOpensTheEnrolPage) {
  const EnrolCase& c = GetParam();
  SetGuest(c.guest);
  CollectCard(77, /*type_flags=*/1);
  Complete(77, velto::collect_limit::kEnrollRequired);
  const hostkit::AlertRecord* alert = hostkit::LastAlert();
  ASSERT_NE(alert, nullptr);
  EXPECT_EQ(alert->title, c.title);
  EXPECT_EQ(alert->positive_text, c.positive);
  EXPECT_EQ(alert->negative_text, c.negative);
  screen_.calls.clear();
  hostkit::PressAlertButton(alert->id, c.button);
  EXPECT_EQ(screen_.calls, c.calls);
  if (c.opens_enrol_page) {
    ASSERT_EQ(hostkit::OpenedTargets().size(), 1u);
    // The enrol page goes to the external browser, its address encoded inside the login page's.
    EXPECT_NE(hostkit::OpenedTargets().back().find("meeting.velto.com%2Fw%2F77"), std::string::npos);
    EXPECT_EQ(hostkit::CountAnalytics("mainpage_null_null_inputmeetcode_webinar_null_null"), 1u);
  } else {
    EXPECT_TRUE(hostkit::OpenedTargets().empty());
  }
}

std::vector<EnrolCase> EnrolCases() {
  return {
      {"GuestEnrols", true, Button::kPositive, T(0x24e328f9), T(0x6ed020a7), T(0xc7901b1a), {"enroll"}, false},
      {"GuestDeclines", true, Button::kNegative, T(0x24e328f9), T(0x6ed020a7), T(0xc7901b1a), {"no enroll"}, false},
      {"GuestCloses", true, Button::kClose, T(0x24e328f9), T(0x6ed020a7), T(0xc7901b1a), {"no enroll"}, false},
      // The webinar's own not-enrolled text titles the signed-in user's alert.
      {"SignedInOpensTheEnrolPage", false, Button::kPositive, T(0xce48b78a), T(0xcf84dff4), T(0x833b933a), {}, true},
      {"SignedInGivesUp", false, Button::kNegative, T(0xce48b78a), T(0xcf84dff4), T(0x833b933a), {}, false},
  };
}

INSTANTIATE_TEST_SUITE_P(EveryButton, CollectEnrolTable, ::testing::ValuesIn(EnrolCases()),
                         [](const ::testing::TestParamInfo<EnrolCase>& info) { return info.param.name; });

TEST_F(CollectLimitTest, ACardCollectSendsItsKeysAndThePasswordDialogRetriesUntilCollected) {
  CollectCard(77);
  EXPECT_EQ(collect_->LastArgument(cmd::collect_meeting::kCollectMeeting),
            Json(R"({"meeting_id": 77, "password": "", "customer_data": "cd-1", "webinar_token": "wt-1"})"));

  Complete(77, velto::collect_limit::kPasswordRequired);
  EXPECT_EQ(DialogState(), "shown");
  EXPECT_EQ(State().GetString("dialog_title"), T(0xa471b52e));
  EXPECT_EQ(State().GetString("dialog_edittext_hint"), T(0x0b1d3ab7));
  EXPECT_EQ(State().GetString("dialog_positive_text"), T(0xfbb7bf59));
  EXPECT_EQ(State().GetString("dialog_negative_text"), T(0x833b933a));
  EXPECT_EQ(State().GetString("dialog_err_pwd"), T(0x204ce9f5));
  EXPECT_EQ(State().GetInteger("pwd_max_length", 0), 6);
  EXPECT_TRUE(State().GetBoolean("pwd_digits_only", false));

  // A wrong password: the dialog stays, with its error line, until the user types again.
  Confirm("1111");
  EXPECT_EQ(DialogState(), "loading");
  EXPECT_FALSE(State().GetBoolean("dialog_positive_enable", true));
  EXPECT_EQ(collect_->LastArgument(cmd::collect_meeting::kCollectMeeting),
            Json(R"({"meeting_id": 77, "password": "1111"})"));
  Complete(77, velto::collect_limit::kPasswordRequired);
  EXPECT_EQ(DialogState(), "error");
  EXPECT_TRUE(State().GetBoolean("is_password_error", false));
  Type("12");
  EXPECT_EQ(DialogState(), "shown");
  EXPECT_FALSE(State().GetBoolean("is_password_error", true));
  EXPECT_FALSE(State().GetBoolean("btn_active", true));
  EXPECT_EQ(State().GetString("dialog_title"), T(0xa471b52e));  // the rest of the state stays

  // The password typed last goes when the dialog's confirm carries none.
  Type("123456");
  manager_->HandleConfirmPasswordDialog(nullptr);
  EXPECT_EQ(collect_->LastArgument(cmd::collect_meeting::kCollectMeeting),
            Json(R"({"meeting_id": 77, "password": "123456"})"));
  Complete(77, velto::collect_limit::kCollected);
  EXPECT_EQ(DialogState(), "hidden");
  EXPECT_EQ(manager_->password_dialog_state(), State());

  schedule_->Fire(event::schedule::kAddMeetingPush, Json(R"({"meeting_id": 77})"));
  EXPECT_EQ(screen_.calls, (std::vector<std::string>{"need password", "need password", "collected 77"}));
}

TEST_F(CollectLimitTest, AHistoryEntryGivesItsIdAsTextAndSendsNoCardKeys) {
  manager_->CheckAndCollectMeetingForHistoryMeeting(
      Json(R"({"basic_info": {"binary_meeting_type": 1, "meeting_id": "18446744073709551615",
                              "access_url": "https://meeting.velto.com/w/9"}})"));
  EXPECT_EQ(manager_->collect_meeting_id(), 18446744073709551615ull);
  EXPECT_EQ(collect_->LastArgument(cmd::collect_meeting::kCollectMeeting).GetString("customer_data", "x"), "");
  Complete(18446744073709551615ull, velto::collect_limit::kEnrollRequired);
  // Its binary type marks a webinar: the webinar's text.
  EXPECT_EQ(hostkit::LastAlert()->title, T(0xce48b78a));
}

TEST_F(CollectLimitTest, OnlyTheLatestCollectIsAnswered) {
  CollectCard(77);
  CollectCard(78);
  Complete(77, velto::collect_limit::kPasswordRequired);
  EXPECT_TRUE(screen_.states.empty());
  EXPECT_TRUE(hostkit::HasLog(4, "ignore"));
  EXPECT_TRUE(hostkit::IsLoadingShown(screen_));
  Complete(78, velto::collect_limit::kPasswordRequired);
  EXPECT_EQ(DialogState(), "shown");
  EXPECT_EQ(screen_.calls, (std::vector<std::string>{"need password"}));
}

TEST_F(CollectLimitTest, WithoutNetworkTheConfirmShowsAToastAndKeepsTheDialog) {
  CollectCard(77);
  Complete(77, velto::collect_limit::kPasswordRequired);
  hostkit::SetNetworkOnline(false);
  collect_->ClearCalls();
  Confirm("1234");
  EXPECT_EQ(collect_->CallCount(), 0u);
  ASSERT_EQ(hostkit::Toasts().size(), 1u);
  EXPECT_EQ(hostkit::Toasts().back().text, T(0xdf5b367f));
  EXPECT_EQ(hostkit::Toasts().back().duration_ms, 2000);
  EXPECT_EQ(DialogState(), "shown");
  EXPECT_TRUE(State().GetBoolean("dialog_positive_enable", false));
}

TEST_F(CollectLimitTest, WithoutANetworkDetectorTheConfirmIsSent) {
  CollectCard(77);
  Complete(77, velto::collect_limit::kPasswordRequired);
  hostkit::SetNetworkOnline(false);
  hostkit::SetNetworkDetectServiceAvailable(false);
  Confirm("1234");
  EXPECT_EQ(collect_->CallCount(cmd::collect_meeting::kCollectMeeting), 2u);
  EXPECT_EQ(DialogState(), "loading");
  EXPECT_TRUE(hostkit::Toasts().empty());
}

TEST_F(CollectLimitTest, ARefusedCallIsLoggedAndTheDialogComesBack) {
  CollectCard(77);
  Complete(77, velto::collect_limit::kPasswordRequired);
  collect_->Fail(cmd::collect_meeting::kCollectMeeting);
  Confirm("1234");
  EXPECT_TRUE(hostkit::HasLog(1, "call error"));
  EXPECT_EQ(DialogState(), "shown");

  hostkit::RemoveModel(model_id::kCollectMeetingModel);
  CollectCard(79);
  EXPECT_EQ(hostkit::CountLogs(1, "call error"), 2u);
}

TEST_F(CollectLimitTest, CancellingHidesTheDialog) {
  CollectCard(77);
  Complete(77, velto::collect_limit::kPasswordRequired);
  manager_->HandleCancelPasswordDialog(nullptr);
  EXPECT_EQ(DialogState(), "hidden");
}

TEST_F(CollectLimitTest, WithoutViewModelOrDelegateAnAnswerIsOnlyLogged) {
  CollectCard(77);
  manager_->SetDelegate(nullptr);
  Complete(77, velto::collect_limit::kPasswordRequired);
  EXPECT_TRUE(hostkit::HasLog(4, "view model released:"));
  EXPECT_TRUE(screen_.states.empty());
  EXPECT_TRUE(hostkit::IsLoadingShown(screen_));  // nobody is left to hide it

  schedule_->Fire(event::schedule::kAddMeetingPush, Json(R"({"meeting_id": 77})"));
  EXPECT_TRUE(hostkit::HasLog(4, "invalid delegate"));
  manager_->SetDelegate(&screen_);
  schedule_->Fire(event::schedule::kAddMeetingPush, Json(R"({"id": 77})"));
  EXPECT_TRUE(hostkit::HasLog(3, "invalid params:"));
  EXPECT_TRUE(screen_.calls.empty());
}

TEST_F(CollectLimitTest, DetachingStopsHearingAnswersAndPushes) {
  EXPECT_EQ(hostkit::SubscriptionsOf(manager_.get()), 2u);
  manager_->SetViewDetached();
  EXPECT_EQ(hostkit::SubscriptionsOf(manager_.get()), 0u);
  CollectCard(77);
  Complete(77, velto::collect_limit::kPasswordRequired);
  schedule_->Fire(event::schedule::kAddMeetingPush, Json(R"({"meeting_id": 77})"));
  EXPECT_TRUE(screen_.calls.empty());
  EXPECT_TRUE(screen_.states.empty());
}

}  // namespace
