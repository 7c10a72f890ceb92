// Authorization failures on a visible screen: the reaction each result code gets (dialog,
// toast, pay guide, web page or nothing), when no reaction is due, and what follows once the
// user answers the dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "authorize_test_support.h"
#include "framework/alert_builder.h"
#include "hostkit/hostkit.h"
#include "hostkit/navigation.h"
#include "hostkit/viewmodel.h"
#include "module_api/account/login_error_handle_manager.h"

using authorize_test::Marker;
using authorize_test::ScreenViewModel;
using base::Variant;
using hostkit::Json;
using hostkit::NavigationKind;
namespace s = velto::login_error_string;

namespace {

constexpr int kAuthModel = 504;
constexpr int kAuthFailedEvent = 5;
constexpr int kLastAuthResult = 4;
constexpr int kVisitor = 2;
constexpr char kWebView[] = "velto://page/webview";

class AuthFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    authorize_test::UseMarkerTexts();
    auth_ = &hostkit::InstallModel(kAuthModel);
    auth_->Succeed(2);
    ASSERT_TRUE(hostkit::AttachViewModel(vm_));
  }

  // The authorization model reports `code` as its last result and raises the failure event.
  void Fail(int64_t code, const std::string& event_json = "{}") {
    Variant last = Variant::Map();
    last["auth_result"] = code;
    auth_->Answer(kLastAuthResult, last);
    auth_->Fire(kAuthFailedEvent, Json(event_json));
  }

  hostkit::ScriptedModel* auth_ = nullptr;
  ScreenViewModel vm_;
};

enum class Reaction { kDialog, kToast, kPayGuide, kWebPage, kNothing };

struct Row {
  int64_t code;
  const char* event;  // the failure event's payload
  Reaction reaction;
  std::string title;
  std::string content;
  std::string positive;
  std::string negative;
};

TEST_F(AuthFailure, EveryCodeOfTheTableGetsItsOwnReaction) {
  const std::string ok = Marker(s::kOk);
  const Row rows[] = {
      {5017, "{}", Reaction::kDialog, Marker(s::kSignedOutTitle), Marker(s::kTokenExpiredContent), ok, ""},
      {5032, "{}", Reaction::kDialog, Marker(s::kSignedOutTitle), Marker(s::kTokenExpiredContent), ok, ""},
      {5000, R"({"auth_message": "app refused"})", Reaction::kDialog, Marker(s::kAppAuthFailedTitle),
       "app refused", ok, ""},
      {5000, "{}", Reaction::kDialog, Marker(s::kAppAuthFailedTitle), Marker(s::kAppAuthFailedContent), ok, ""},
      {5015, R"({"auth_type": 1})", Reaction::kDialog, Marker(s::kSignedOutTitle), Marker(s::kTokenIllegalContent),
       ok, ""},
      {5015, R"({"auth_type": 2})", Reaction::kDialog, Marker(s::kSignedOutTitle), Marker(s::kVisitorEndedContent),
       ok, ""},
      {5014, "{}", Reaction::kNothing, "", "", "", ""},
      {5039, R"({"auth_message": "x"})", Reaction::kNothing, "", "", "", ""},
      {5022, "{}", Reaction::kToast, "", Marker(s::kTooFrequentToast), "", ""},
      {4016, "{}", Reaction::kDialog, Marker(s::kSecurityTitle), Marker(s::kSecurityContent), ok, ""},
      {4016, R"({"auth_type": 2})", Reaction::kDialog, Marker(s::kSecurityTitle), Marker(s::kVisitorEndedContent),
       ok, ""},
      {4022, R"({"server_msg": "removed by admin"})", Reaction::kDialog, Marker(s::kSignedOutTitle),
       "removed by admin", ok, ""},
      {4022, "{}", Reaction::kDialog, Marker(s::kSignedOutTitle), Marker(s::kDeviceRemovedContent), ok, ""},
      {4017, "{}", Reaction::kDialog, Marker(s::kPasswordChangedTitle), Marker(s::kPasswordChangedContent), ok, ""},
      {-521000, "{}", Reaction::kDialog, Marker(s::kFailedTitle), Marker(s::kServiceUnavailableContent), ok, ""},
      {-51008, "{}", Reaction::kDialog, Marker(s::kFailedTitle), Marker(s::kAccountRestrictedContent), ok, ""},
      {-521001, R"({"server_msg": "seat limit reached"})", Reaction::kDialog, Marker(s::kFailedTitle),
       "seat limit reached", ok, ""},
      {6016, R"({"auth_message": "suspended until May"})", Reaction::kDialog, Marker(s::kAppealTitle),
       "suspended until May", ok, ""},
      {-521002, R"({"server_msg": "license expired", "sub_token": "tok-S3CRET"})", Reaction::kPayGuide,
       Marker(s::kFailedTitle), "license expired", Marker(s::kUpgrade), Marker(s::kCancel)},
      {-521002, R"({"server_msg": "license expired"})", Reaction::kPayGuide, Marker(s::kFailedTitle),
       "license expired", Marker(s::kUpgrade), Marker(s::kCancel)},
      {-20028, R"({"verify_result": {"verify_code": "vc-S3CRET-1", "action_code": 7, "business_id": "b2"}})",
       Reaction::kWebPage, "", "verify_code=vc-S3CRET-1", "", ""},
      // The verification page and nothing more: no page to open leaves no dialog either.
      {-20028, "{}", Reaction::kNothing, "", "", "", ""},
      {-20028, R"({"verify_result": {"action_code": 7}})", Reaction::kNothing, "", "", "", ""},
      {1234, "{}", Reaction::kDialog, Marker(s::kCommonErrTitle), Marker(s::kCommonErrContent) + " 1234", ok, ""},
      {1234, R"({"auth_message": "try the web"})", Reaction::kDialog, Marker(s::kCommonErrTitle), "try the web", ok,
       ""},
      {1234, R"({"need_show_alert": false})", Reaction::kNothing, "", "", "", ""},
      {-20028, R"({"need_show_alert": false})", Reaction::kNothing, "", "", "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("code " + std::to_string(row.code) + " event " + row.event);
    const size_t alerts = hostkit::Alerts().size();
    const size_t toasts = hostkit::Toasts().size();
    hostkit::ClearNavigations();
    vm_.finish_notices.clear();

    Fail(row.code, row.event);

    const size_t new_alerts = hostkit::Alerts().size() - alerts;
    const size_t new_toasts = hostkit::Toasts().size() - toasts;
    switch (row.reaction) {
      case Reaction::kDialog:
      case Reaction::kPayGuide: {
        ASSERT_EQ(new_alerts, 1u);
        EXPECT_EQ(new_toasts, 0u);
        const hostkit::AlertRecord* alert = hostkit::LastAlert();
        EXPECT_EQ(alert->state, hostkit::AlertState::kShown);
        EXPECT_EQ(alert->title, row.title);
        EXPECT_EQ(alert->content, row.content);
        EXPECT_EQ(alert->positive_text, row.positive);
        EXPECT_EQ(alert->negative_text, row.negative);
        EXPECT_EQ(vm_.auth_alert_id(), alert->id);
        EXPECT_EQ(hostkit::OpenAlertCount(), 1u);  // the previous row's dialog went away
        EXPECT_TRUE(hostkit::Navigations().empty());
        break;
      }
      case Reaction::kToast:
        EXPECT_EQ(new_alerts, 0u);
        ASSERT_EQ(new_toasts, 1u);
        EXPECT_EQ(hostkit::Toasts().back().text, row.content);
        EXPECT_EQ(hostkit::Toasts().back().duration_ms, 2000);
        ASSERT_EQ(vm_.finish_notices.size(), 1u);
        EXPECT_EQ(vm_.finish_notices[0], Json(R"({"type": "toast", "time": 2000})"));
        break;
      case Reaction::kWebPage:
        EXPECT_EQ(new_alerts, 0u);
        EXPECT_EQ(new_toasts, 0u);
        ASSERT_EQ(hostkit::Navigations().size(), 1u);
        EXPECT_EQ(hostkit::Navigations()[0].page, kWebView);
        EXPECT_NE(hostkit::Navigations()[0].arguments.GetString("url").find(row.content), std::string::npos);
        EXPECT_NE(hostkit::Navigations()[0].arguments.GetString("url").find("businessId=b2"), std::string::npos);
        break;
      case Reaction::kNothing:
        EXPECT_EQ(new_alerts, 0u);
        EXPECT_EQ(new_toasts, 0u);
        EXPECT_TRUE(hostkit::Navigations().empty());
        break;
    }
  }
}

TEST_F(AuthFailure, NoReactionWhenHiddenSucceededOrTakenOverButTheLoadingAlwaysEnds) {
  vm_.ShowLoading("signing in");
  hostkit::SetViewVisible(vm_, false);
  Fail(5017);
  EXPECT_TRUE(hostkit::HasLog(6, "[login-module] invisible"));
  EXPECT_TRUE(hostkit::HasLog(6, "[login-module] new login error handle manager do is :token_error"));
  EXPECT_FALSE(hostkit::IsLoadingShown(vm_));

  hostkit::SetViewVisible(vm_, true);
  vm_.ShowLoading("signing in");
  Fail(0);
  EXPECT_TRUE(hostkit::HasLog(6, "[login-module] auth result success. ignore"));
  EXPECT_FALSE(hostkit::IsLoadingShown(vm_));

  vm_.take_over_auth_failed = true;
  Fail(5017);
  EXPECT_TRUE(hostkit::Alerts().empty());
  EXPECT_TRUE(hostkit::Toasts().empty());
  EXPECT_EQ(std::count(vm_.journal.begin(), vm_.journal.end(), "auth_failed:-"), 3);
}

TEST_F(AuthFailure, TheEventsCodeStandsInWhenTheModelCannotTellTheLastResult) {
  auth_->Fail(kLastAuthResult);
  auth_->Fire(kAuthFailedEvent, Json(R"({"auth_result": 4017})"));
  ASSERT_NE(hostkit::LastAlert(), nullptr);
  EXPECT_EQ(hostkit::LastAlert()->title, Marker(s::kPasswordChangedTitle));

  auth_->FireNull(kAuthFailedEvent);  // nothing to go on: the common dialog without a code
  EXPECT_EQ(hostkit::LastAlert()->title, Marker(s::kCommonErrTitle));
  EXPECT_EQ(hostkit::LastAlert()->content, Marker(s::kCommonErrContent) + " -1");
  EXPECT_TRUE(hostkit::HasLog(1, "auth failed without a result code"));
}

TEST_F(AuthFailure, AcknowledgingASignOutDialogLogsOutAndShowsTheGuide) {
  for (int64_t code : {5017, 5015, 4016, 4017, 4022}) {
    SCOPED_TRACE(code);
    auth_->ClearCalls();
    hostkit::ClearNavigations();
    Fail(code);
    ASSERT_TRUE(hostkit::PressAlertButton(hostkit::LastAlert()->id, framework::AlertButton::kPositive));
    EXPECT_EQ(vm_.auth_alert_id(), -1);
    EXPECT_EQ(auth_->CallCount(2), 1u);
    ASSERT_EQ(hostkit::Navigations().size(), 3u);
    EXPECT_EQ(hostkit::Navigations()[0].kind, NavigationKind::kPopUntil);
    EXPECT_EQ(hostkit::Navigations()[0].page, "velto://page/login/switch_login");
    EXPECT_EQ(hostkit::Navigations()[0].page_stack, 1);
    EXPECT_EQ(hostkit::Navigations()[1].page, "velto://page/home");
    EXPECT_EQ(hostkit::Navigations()[1].page_stack, 2);
    EXPECT_EQ(hostkit::Navigations()[2].kind, NavigationKind::kPushWithClosingOthers);
    EXPECT_EQ(hostkit::Navigations()[2].page, "velto://page/guide");
    EXPECT_EQ(hostkit::Navigations()[2].page_stack, 3);
  }
}

TEST_F(AuthFailure, PayGuideLeadsToThePurchasePageOrHome) {
  Fail(-521002, R"({"server_msg": "expired", "sub_token": "a S3CRET"})");
  hostkit::PressAlertButton(hostkit::LastAlert()->id, framework::AlertButton::kPositive);
  ASSERT_FALSE(hostkit::Navigations().empty());
  EXPECT_EQ(hostkit::Navigations()[0].page, kWebView);
  EXPECT_NE(hostkit::Navigations()[0].arguments.GetString("url").find("sub_token=a%20S3CRET"), std::string::npos);
  EXPECT_EQ(auth_->CallCount(2), 1u);  // the failed flow is over: signed out

  // Without a token the purchase page opens all the same, with nothing extra.
  hostkit::ClearNavigations();
  Fail(-521002, R"({"server_msg": "expired"})");
  hostkit::PressAlertButton(hostkit::LastAlert()->id, framework::AlertButton::kPositive);
  ASSERT_FALSE(hostkit::Navigations().empty());
  EXPECT_EQ(hostkit::Navigations()[0].arguments.GetString("url").find("sub_token"), std::string::npos);

  hostkit::ClearNavigations();
  Fail(-521002, R"({"server_msg": "expired", "sub_token": "t-S3CRET"})");
  hostkit::PressAlertButton(hostkit::LastAlert()->id, framework::AlertButton::kNegative);
  ASSERT_EQ(hostkit::Navigations().size(), 1u);
  EXPECT_EQ(hostkit::Navigations()[0].kind, NavigationKind::kPopUntil);
  EXPECT_EQ(hostkit::Navigations()[0].page, "velto://page/home");
  EXPECT_EQ(hostkit::Navigations()[0].page_stack, 2);
}

TEST_F(AuthFailure, AFixedFailureDialogEndsTheFlowWithItsCode) {
  Fail(-51008);
  hostkit::PressAlertButton(hostkit::LastAlert()->id, framework::AlertButton::kPositive);
  ASSERT_EQ(vm_.finish_notices.size(), 1u);
  EXPECT_EQ(vm_.finish_notices[0], Json(R"({"type": "auth_failed", "auth_result": -51008})"));
  EXPECT_TRUE(hostkit::Navigations().empty());
  EXPECT_EQ(auth_->CallCount(2), 0u);
}

TEST(LoginErrorHandleManager, ClassifiesAndRemembersTheCodeItHandles) {
  velto::LoginErrorHandleManager manager(nullptr);
  EXPECT_EQ(manager.Handle(5039), velto::LoginErrorKind::kSilent);
  EXPECT_EQ(manager.last_code(), 5039);
  EXPECT_EQ(manager.Handle(-1), velto::LoginErrorKind::kCommon);
  EXPECT_EQ(manager.last_kind(), velto::LoginErrorKind::kCommon);
  EXPECT_FALSE(velto::LoginErrorHandleManager::FailedDialogOf(5017).has_value());
  // Without a delegate an answer has nowhere to go, and says so.
  manager.OnFailedDialogAnswered(-521002, framework::AlertButton::kPositive, "t");
  EXPECT_TRUE(hostkit::HasLog(1, "no delegate for code -521002"));
}

}  // namespace
