// The authorization base as a screen lives with it: what it subscribes while attached and
// leaves behind after detach, the events it hands to its hooks, the priority logout that a
// screen may stop, gating actions, authorization updates, real-name checks and the routes to
// the login guide.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "authorize_test_support.h"
#include "framework/alert_builder.h"
#include "hostkit/hostkit.h"
#include "hostkit/navigation.h"
#include "hostkit/viewmodel.h"
#include "module_api/runtime.h"

using authorize_test::Marker;
using authorize_test::ScreenViewModel;
using base::Variant;
using hostkit::Json;
using hostkit::NavigationKind;
namespace s = velto::login_error_string;

namespace {

constexpr int kAuthModel = 504;
constexpr int kProfileModel = 537;

int64_t IdOf(const void* p) { return static_cast<int64_t>(reinterpret_cast<intptr_t>(p)); }

// (event, is priority, priority) of the observer's subscriptions on the model.
std::set<std::tuple<int, bool, uint32_t>> SubscriptionsOn(const hostkit::ScriptedModel& model, const void* observer) {
  std::set<std::tuple<int, bool, uint32_t>> result;
  for (const auto& sub : model.Subscriptions()) {
    if (sub.observer_id == IdOf(observer)) result.insert({sub.event_id, sub.is_priority, sub.priority});
  }
  return result;
}

class AuthorizeScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    authorize_test::UseMarkerTexts();
    auth_ = &hostkit::InstallModel(kAuthModel);
    profile_ = &hostkit::InstallModel(kProfileModel);
  }
  hostkit::ScriptedModel* auth_ = nullptr;
  hostkit::ScriptedModel* profile_ = nullptr;
  ScreenViewModel vm_;
};

TEST_F(AuthorizeScreen, AttachSubscribesEveryEventAndDetachLeavesNothingBehind) {
  ASSERT_TRUE(hostkit::AttachViewModel(vm_));
  const std::set<std::tuple<int, bool, uint32_t>> expected_auth = {
      {2, false, 0}, {8, false, 0},  {4, false, 0},  {6, false, 0},  {27, false, 0}, {9, false, 0},
      {21, false, 0}, {2, true, 100}, {7, true, 100}, {5, true, 100}, {20, true, 100}};
  EXPECT_EQ(SubscriptionsOn(*auth_, &vm_), expected_auth);
  EXPECT_EQ(SubscriptionsOn(*profile_, &vm_), (std::set<std::tuple<int, bool, uint32_t>>{{29, true, 100}}));
  EXPECT_EQ(hostkit::AppLifecycleListenerCount(), 1u);

  // Drive it: events, a failure dialog, the flow machine started and let go.
  auth_->Fire(8, Json(R"({"tag": "a"})"));
  auth_->Answer(4, Json(R"({"auth_result": 5017})"));
  auth_->Fire(5, Json("{}"));
  ScreenViewModel::ExtraStates extra;
  vm_.SetupAuthStateMachine(extra, nullptr);
  auth_->Answer(3, Json(R"({"auth_state": 1, "auth_type": 1})")).Succeed(10).Succeed(11);
  vm_.HandleActionWithAuthStateMachine(1, 50, nullptr);
  vm_.ReleaseAuthStateMachine();
  hostkit::NotifyAppPause();
  hostkit::NotifyAppResume(5000);

  ASSERT_TRUE(hostkit::DetachViewModel(vm_));
  EXPECT_EQ(hostkit::SubscriptionsOf(&vm_), 0u);
  EXPECT_EQ(hostkit::TotalSubscribers(), 0u);
  EXPECT_EQ(vm_.RecordedSubscriptionCount(), 0u);
  EXPECT_EQ(hostkit::AppLifecycleListenerCount(), 0u);

  // Attached again, it hears events again, once each.
  ASSERT_TRUE(hostkit::AttachViewModel(vm_));
  vm_.journal.clear();
  auth_->Fire(8, Json(R"({"tag": "b"})"));
  EXPECT_EQ(vm_.journal, std::vector<std::string>{"reconnecting:b"});
}

TEST_F(AuthorizeScreen, AMissingProfileModelStillLeavesTheAuthorizationEvents) {
  hostkit::RemoveModel(kProfileModel);
  ASSERT_TRUE(hostkit::AttachViewModel(vm_));
  EXPECT_EQ(SubscriptionsOn(*auth_, &vm_).size(), 11u);
  EXPECT_TRUE(hostkit::HasLog(1, "model 537 offers no priority event 29"));
  ASSERT_TRUE(hostkit::DetachViewModel(vm_));
  EXPECT_EQ(hostkit::TotalSubscribers(), 0u);
}

TEST_F(AuthorizeScreen, ConnectionEventsReachTheirHooks) {
  ASSERT_TRUE(hostkit::AttachViewModel(vm_));
  const std::vector<std::pair<int, std::string>> cases = {
      {8, "reconnecting:e"},   {4, "network_breakup:e"}, {6, "reconnect_success:e"},
      {9, "reconnect_stop:e"}, {7, "reconnect_failed:e"}, {2, "logout:e"},
  };
  for (const auto& [event, hook] : cases) {
    SCOPED_TRACE(event);
    vm_.journal.clear();
    auth_->Fire(event, Json(R"({"tag": "e"})"));
    EXPECT_EQ(vm_.journal.back(), hook);
  }
  vm_.journal.clear();
  auth_->FireNull(9);
  EXPECT_EQ(vm_.journal, std::vector<std::string>{"reconnect_stop:null"});
}

TEST_F(AuthorizeScreen, PriorityLogoutIsStoppedOnlyWhenTheMatchingHookTakesIt) {
  struct Case {
    const char* payload;
    bool violation_logout, in_meeting_violation, device_conflict;
    bool stopped;
    std::vector<std::string> asked;
  };
  const Case cases[] = {
      {R"({"router_action": 7})", true, true, true, true, {"violation_logout?"}},
      {R"({"router_action": 7})", false, true, false, true, {"violation_logout?", "in_meeting_violation?"}},
      {R"({"router_action": 7})", false, false, true, false, {"violation_logout?", "in_meeting_violation?"}},
      {R"({"router_action": 0})", true, true, true, true, {"device_conflict?"}},
      {R"({"router_action": 0})", true, true, false, false, {"device_conflict?"}},
      {R"({"router_action": 3})", true, true, true, false, {}},
      {R"({})", true, true, true, false, {}},
      {R"("not a map")", true, true, true, false, {}},
  };
  ASSERT_TRUE(hostkit::AttachViewModel(vm_));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.payload);
    vm_.violation_logout = c.violation_logout;
    vm_.in_meeting_violation = c.in_meeting_violation;
    vm_.device_conflict = c.device_conflict;
    vm_.journal.clear();
    const Variant payload = Json(c.payload);
    const bool delivered = auth_->FireEvent(2, &payload);
    EXPECT_EQ(delivered, !c.stopped);
    std::vector<std::string> expected = c.asked;
    if (!c.stopped) expected.push_back("logout:" + payload.GetString("tag", "-"));  // ordinary subscribers hear it
    EXPECT_EQ(vm_.journal, expected);
  }
}

TEST_F(AuthorizeScreen, TheProfilesViolationNoticeStopsWhenTheScreenTakesIt) {
  ASSERT_TRUE(hostkit::AttachViewModel(vm_));
  const Variant payload = Json("{}");
  EXPECT_TRUE(profile_->FireEvent(29, &payload));
  vm_.in_meeting_violation = true;
  EXPECT_FALSE(profile_->FireEvent(29, &payload));
}

TEST_F(AuthorizeScreen, ActionsAreGatedOnTheAuthorizationModel) {
  auth_->Succeed(9);
  EXPECT_TRUE(vm_.CheckAuthorizeBeforeAction());
  EXPECT_TRUE(hostkit::Toasts().empty());

  auth_->Fail(9);
  EXPECT_FALSE(vm_.CheckAuthorizeBeforeActionNoToast());
  EXPECT_TRUE(hostkit::Toasts().empty());
  EXPECT_FALSE(vm_.CheckAuthorizeBeforeAction());
  ASSERT_EQ(hostkit::Toasts().size(), 1u);
  EXPECT_EQ(hostkit::Toasts()[0].text, Marker(s::kCheckAuthorizeToast));
  EXPECT_EQ(hostkit::Toasts()[0].duration_ms, 2000);

  hostkit::RemoveModel(kAuthModel);
  EXPECT_FALSE(vm_.CheckAuthorizeBeforeAction());
}

TEST_F(AuthorizeScreen, AnAuthorizedUpdateClosesTheFlowsDialogAndCarriesTheLastResult) {
  ASSERT_TRUE(hostkit::AttachViewModel(vm_));
  auth_->Answer(4, Json(R"({"auth_result": 5017, "auth_message": "m", "time_stamp": 77, "appeal_code": "ap"})"));
  auth_->Fire(5, Json("{}"));
  const int64_t flow_alert = vm_.auth_alert_id();
  ASSERT_GT(flow_alert, 0);
  const int64_t own_alert = framework::AlertBuilder(&vm_).SetTitle("the screen's own").Show();
  vm_.ShowLoading();

  auth_->Answer(3, Json(R"({"auth_state": 1, "auth_type": 1, "nick_name": "Ann"})"));
  auth_->Fire(27, Json(R"({"auth_state": 2})"));
  EXPECT_FALSE(hostkit::IsLoadingShown(vm_));
  EXPECT_EQ(hostkit::FindAlert(flow_alert)->state, hostkit::AlertState::kDisposed);
  EXPECT_EQ(hostkit::FindAlert(own_alert)->state, hostkit::AlertState::kShown);
  EXPECT_EQ(vm_.auth_alert_id(), -1);
  ASSERT_EQ(vm_.updates.size(), 1u);
  EXPECT_EQ(vm_.updates[0], Json(R"({"auth_state": 2, "auth_type": 1, "nick_name": "Ann", "auth_result": 5017,
                                     "auth_message": "m", "time_stamp": 77, "appeal_code": "ap"})"));

  // Without an appeal code there is no such key; another state leaves the loading shown.
  auth_->Answer(4, Json(R"({"auth_result": 0, "auth_message": "", "time_stamp": 78})"));
  vm_.ShowLoading();
  auth_->Fire(27, Json(R"({"auth_state": 1})"));
  EXPECT_TRUE(hostkit::IsLoadingShown(vm_));
  EXPECT_FALSE(vm_.updates[1].Has("appeal_code"));
  EXPECT_EQ(vm_.updates[1].GetInteger("auth_state"), 1);

  // With no dialog of its own, authorization only ends the loading.
  auth_->Fire(27, Json(R"({"auth_state": 2})"));
  EXPECT_FALSE(hostkit::IsLoadingShown(vm_));
  EXPECT_EQ(hostkit::FindAlert(own_alert)->state, hostkit::AlertState::kShown);
}

TEST_F(AuthorizeScreen, ARealNameCheckIsAskedByOneVisibleScreenAndClosedOnRequest) {
  ScreenViewModel other;
  ASSERT_TRUE(hostkit::AttachViewModel(vm_));
  ASSERT_TRUE(hostkit::AttachViewModel(other));
  const Variant notice = Json(R"({"verify_url": "https://verify.example/rn"})");
  EXPECT_FALSE(auth_->FireEvent(20, &notice));
  ASSERT_EQ(hostkit::Alerts().size(), 1u);
  EXPECT_EQ(hostkit::LastAlert()->owner, &vm_);
  EXPECT_EQ(hostkit::LastAlert()->title, Marker(s::kRealNameTitle));
  EXPECT_EQ(hostkit::LastAlert()->content, Marker(s::kRealNameContent));
  EXPECT_EQ(hostkit::LastAlert()->positive_text, Marker(s::kVerifyNow));
  hostkit::PressAlertButton(hostkit::LastAlert()->id, framework::AlertButton::kPositive);
  ASSERT_EQ(hostkit::Navigations().size(), 1u);
  EXPECT_EQ(hostkit::Navigations()[0].arguments.GetString("url"), "https://verify.example/rn");

  auth_->Fire(20, notice);
  const int64_t second = hostkit::LastAlert()->id;
  auth_->Fire(21, Json("{}"));
  EXPECT_EQ(hostkit::FindAlert(second)->state, hostkit::AlertState::kDisposed);

  // A hidden screen lets the next one ask.
  hostkit::SetViewVisible(vm_, false);
  auth_->Fire(20, notice);
  EXPECT_EQ(hostkit::LastAlert()->owner, &other);
}

TEST_F(AuthorizeScreen, RouterToGuidePopsToHomeThenShowsBothGuides) {
  ASSERT_TRUE(hostkit::AttachViewModel(vm_));
  const Variant params = Json(R"({"from": "kickout"})");
  vm_.RouterToGuideView(&params, false);
  const auto& nav = hostkit::Navigations();
  ASSERT_EQ(nav.size(), 4u);
  EXPECT_EQ(nav[0].kind, NavigationKind::kPopUntil);
  EXPECT_EQ(nav[0].page, "velto://page/home");
  EXPECT_EQ(nav[0].page_stack, 2);
  const Variant expected = Json(R"({"from": "kickout", "need_quick_auth": false, "type": "router_to_show_guide"})");
  EXPECT_EQ(nav[1].kind, NavigationKind::kPushWithClosingOthers);
  EXPECT_EQ(nav[1].page, "velto://page/guide");
  EXPECT_EQ(nav[1].page_stack, 3);
  EXPECT_EQ(nav[1].arguments, expected);
  EXPECT_EQ(nav[2].kind, NavigationKind::kPopAll);
  EXPECT_EQ(nav[2].page_stack, 1);
  EXPECT_EQ(nav[3].kind, NavigationKind::kPush);
  EXPECT_EQ(nav[3].page, "velto://page/login/guide_desktop");
  EXPECT_EQ(nav[3].page_stack, 1);
  EXPECT_EQ(nav[3].arguments, expected);
  EXPECT_EQ(vm_.finish_notices, std::vector<Variant>{expected});

  // Quick authorization allowed and no parameters: only the type is added.
  hostkit::ClearNavigations();
  vm_.RouterToGuideView(nullptr, true);
  EXPECT_EQ(hostkit::Navigations()[1].arguments, Json(R"({"type": "router_to_show_guide"})"));

  // A screen that takes the notice over keeps its pages; the home pop has happened already.
  hostkit::ClearNavigations();
  vm_.take_over_finish = true;
  vm_.RouterToGuideView(&params, true);
  ASSERT_EQ(hostkit::Navigations().size(), 1u);
  EXPECT_EQ(hostkit::Navigations()[0].kind, NavigationKind::kPopUntil);
}

TEST_F(AuthorizeScreen, UnauthorizeSignsOutEvenWhenTheScreenKeepsItsPages) {
  auth_->Succeed(2);
  ASSERT_TRUE(hostkit::AttachViewModel(vm_));
  vm_.take_over_finish = true;
  vm_.UnAuthorizeAndRouterToGuide();
  EXPECT_EQ(auth_->CallCount(2), 1u);
  EXPECT_TRUE(auth_->LastArgument(2).IsNull());
  EXPECT_TRUE(hostkit::Navigations().empty());
  EXPECT_EQ(vm_.finish_notices, std::vector<Variant>{Json(R"({"type": "router_to_show_guide"})")});
}

TEST_F(AuthorizeScreen, TheBaseHandlesNoActionOfItsOwn) {
  velto::AuthorizeViewModel base_vm(1);
  hostkit::FireAction(base_vm, 12);
  EXPECT_TRUE(hostkit::HasLog(1, "[login-module] false"));
}

TEST(AuthorizeTexts, EveryTextTheFlowShowsExistsInBothLanguages) {
  for (const char* language : {"zh-cn", "en-us"}) {
    hostkit::SetLanguage(language);
    for (int32_t id : {s::kCheckAuthorizeToast, s::kTooFrequentToast, s::kFailedTitle, s::kServiceUnavailableContent,
                       s::kAccountRestrictedContent, s::kAppealTitle, s::kOk, s::kCancel, s::kUpgrade, s::kVerifyNow,
                       s::kLater, s::kSignedOutTitle, s::kTokenExpiredContent, s::kAppAuthFailedTitle,
                       s::kAppAuthFailedContent, s::kTokenIllegalContent, s::kSecurityTitle, s::kSecurityContent,
                       s::kDeviceRemovedContent, s::kPasswordChangedTitle, s::kPasswordChangedContent,
                       s::kVisitorEndedContent, s::kCommonErrTitle, s::kCommonErrContent, s::kRealNameTitle,
                       s::kRealNameContent}) {
      EXPECT_FALSE(velto_common::utils::GetLocalizedString(id).empty()) << language << " " << id;
    }
    EXPECT_NE(velto_common::utils::GetLocalizedString(s::kCommonErrContent).find("{code}"), std::string::npos);
  }
}

}  // namespace
