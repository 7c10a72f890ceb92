// The meeting alarm banner, driven as the meeting window drives it: the alarm model's queue
// (hostkit::MeetingClock), the view's animation-end action and the extra button.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/meeting_clock.h"
#include "hostkit/navigation.h"
#include "hostkit/texts.h"
#include "hostkit/timers.h"
#include "hostkit/viewmodel.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/viewmodel/meeting_alarm_viewmodel.h"

namespace {

using hostkit::Json;
using hostkit::Variant;
using velto::MeetingAlarmViewModel;
namespace alarm = velto::meeting_alarm;
namespace model_id = velto::model_id;
namespace cmd = velto::model_command;
namespace event = velto::model_event;

class AlarmBar : public MeetingAlarmViewModel {
 public:
  bool area_visible = true;

 protected:
  bool IsAlarmAreaVisible() override { return area_visible; }
};

class MeetingAlarmTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clock_.Install();
    meeting_ = &hostkit::InstallModel(model_id::kMeetingModel);
    meeting_->Succeed(cmd::meeting::kMediaRoomJoined)
        .Answer(cmd::meeting::kMeetingInfo, Json(R"({"meeting_item": {"meeting_id": "m-1", "meeting_type": 0}})"));
    window_ = &hostkit::InstallModel(model_id::kMainWindowModel);
    window_->Answer(cmd::window::kImmersiveMode, Variant(false));
    hostkit::InstallModel(model_id::kEventBusModel);
    hostkit::InstallModel(model_id::kMeetingModeModel);
    hostkit::InstallModel(model_id::kAuthorizationModel).Succeed(cmd::authorization::kMayActNow);
  }

  // The banner's latest property, and how many times it was written.
  const Variant& Banner() const { return bar_.GetPropValue(alarm::kAlarmInfoProp); }
  size_t Writes() const { return hostkit::PropHistory(bar_, alarm::kAlarmInfoProp).size(); }
  void EndAnimation() { hostkit::FireAction(bar_, alarm::kActionAnimationEnd, Variant::Map()); }
  void SetImmersive(bool on) {
    window_->Answer(cmd::window::kImmersiveMode, Variant(on));
    hostkit::FindModel(model_id::kEventBusModel)
        ->Fire(on ? event::event_bus::kDidEnterImmersiveMode : event::event_bus::kDidLeaveImmersiveMode,
               Variant::Map());
  }

  hostkit::MeetingClock clock_;
  hostkit::ScriptedModel* meeting_ = nullptr;
  hostkit::ScriptedModel* window_ = nullptr;
  AlarmBar bar_;
};

Variant Alarm(int64_t id, int64_t animation, int64_t btn_type = 0, int64_t priority = 0) {
  Variant a = Variant::Map();
  a["id"] = id;
  a["title"] = "alarm " + std::to_string(id);
  a["animation_type"] = animation;
  a["meeting_info_type"] = 3;
  a["btn_type"] = btn_type;
  a["btn_title"] = "use a card";
  a["category"] = "time_limit";
  a["priority"] = priority;
  return a;
}

TEST_F(MeetingAlarmTest, AnAlarmWithoutAnimationShowsAtOnceAndIsReportedOnce) {
  clock_.AddAlarm(Alarm(7, 0, alarm::kBtnTypeTimeCard));
  hostkit::AttachViewModel(bar_);
  EXPECT_TRUE(Banner().GetBoolean(alarm::kFieldVisible));
  EXPECT_EQ(Banner().GetString(alarm::kFieldTitle), "alarm 7");
  EXPECT_EQ(Banner().GetInteger(alarm::kFieldBtnType), 1);
  EXPECT_EQ(Banner().GetString(alarm::kFieldBtnTitle), "use a card");
  EXPECT_EQ(Banner().GetString(alarm::kFieldBtnTips), "");
  EXPECT_EQ(clock_.ShownAlarms(), std::vector<int64_t>{7});
  EXPECT_TRUE(clock_.PresentingAlarms().empty());
  ASSERT_NE(hostkit::LastAnalytics("e#meeting#i_tips#exposure"), nullptr);
  const auto& exposure = hostkit::LastAnalytics("e#meeting#i_tips#exposure")->properties;
  EXPECT_EQ(exposure.at("category"), "time_limit");
  EXPECT_EQ(exposure.at("alarm_type"), "3");
  EXPECT_EQ(exposure.at("from_entrance"), "win.n.time.wbn_10min_i");
  EXPECT_EQ(exposure.at("meeting_id"), "m-1");
  EXPECT_EQ(hostkit::CountAnalytics("e#i_time_tips#time_card#exposure"), 1u);
  EXPECT_EQ(hostkit::CountAnalytics("e#i_time_tips#go_upgrade#exposure"), 0u);

  // The same alarm again, with another title: the banner changes in place, no new exposure.
  Variant changed = Alarm(7, 1, alarm::kBtnTypeTimeCard);
  changed["title"] = "5 minutes left";
  clock_.AddAlarm(changed);
  EXPECT_EQ(Banner().GetString(alarm::kFieldTitle), "5 minutes left");
  EXPECT_EQ(Banner().GetInteger(alarm::kFieldAnimationType), 0);
  EXPECT_FALSE(bar_.is_animating());
  EXPECT_EQ(hostkit::CountAnalytics("e#meeting#i_tips#exposure"), 1u);
  EXPECT_EQ(clock_.ShownAlarms(), std::vector<int64_t>{7});
  EXPECT_TRUE(hostkit::HasLog(6, "update current alarm[7]"));
}

TEST_F(MeetingAlarmTest, AnAnimatedAlarmIsReportedWhenTheViewEndsItsAnimation) {
  clock_.AddAlarm(Alarm(7, 1));
  hostkit::AttachViewModel(bar_);
  EXPECT_TRUE(Banner().GetBoolean(alarm::kFieldVisible));
  EXPECT_TRUE(bar_.is_animating());
  EXPECT_EQ(clock_.PresentingAlarms(), std::vector<int64_t>{7});
  EXPECT_TRUE(clock_.ShownAlarms().empty());
  EXPECT_EQ(hostkit::CountAnalytics("e#meeting#i_tips#exposure"), 0u);

  EndAnimation();
  EXPECT_FALSE(bar_.is_animating());
  EXPECT_EQ(clock_.ShownAlarms(), std::vector<int64_t>{7});
  EXPECT_EQ(hostkit::CountAnalytics("e#meeting#i_tips#exposure"), 1u);
  hostkit::RunUntilIdle();
  EXPECT_EQ(hostkit::CountAnalytics("e#meeting#i_tips#exposure"), 1u);
}

TEST_F(MeetingAlarmTest, AnAlarmThatArrivesDuringAnAnimationWaitsForItsEnd) {
  clock_.AddAlarm(Alarm(7, 1));
  hostkit::AttachViewModel(bar_);
  const size_t writes = Writes();
  clock_.AddAlarm(Alarm(9, 1, 0, /*priority=*/5));  // the model now prefers 9
  hostkit::RunUntilIdle();
  EXPECT_EQ(Writes(), writes);  // nothing while 7 is animating
  EXPECT_EQ(bar_.current_alarm().GetInteger("id"), 7);

  EndAnimation();  // 7 is on screen; 9 is looked at on a later task
  EXPECT_EQ(clock_.ShownAlarms(), std::vector<int64_t>{7});
  EXPECT_EQ(Writes(), writes);
  hostkit::RunUntilIdle();
  // 7 leaves first, with its own animation.
  EXPECT_FALSE(Banner().GetBoolean(alarm::kFieldVisible));
  EXPECT_EQ(Banner().GetInteger("id"), 7);
  EXPECT_TRUE(bar_.is_animating());
  EndAnimation();
  EXPECT_TRUE(bar_.current_alarm().IsNull());
  hostkit::RunUntilIdle();
  EXPECT_TRUE(Banner().GetBoolean(alarm::kFieldVisible));
  EXPECT_EQ(Banner().GetInteger("id"), 9);
  EndAnimation();
  EXPECT_EQ(clock_.ShownAlarms(), (std::vector<int64_t>{7, 9}));
  EXPECT_EQ(clock_.PresentingAlarms(), (std::vector<int64_t>{7, 7, 9}));
}

TEST_F(MeetingAlarmTest, CandidatesShowOneAtATimeInTheModelsOrder) {
  clock_.AddAlarm(Alarm(1, 0, 0, 1));
  clock_.AddAlarm(Alarm(2, 0, 0, 3));
  clock_.AddAlarm(Alarm(3, 0, 0, 2));
  hostkit::AttachViewModel(bar_);
  EXPECT_EQ(clock_.ShownAlarms(), std::vector<int64_t>{2});
  for (int64_t shown : {2, 3}) {
    clock_.RemoveAlarm(shown);
    EXPECT_FALSE(Banner().GetBoolean(alarm::kFieldVisible));  // hidden at once, the next one later
    EXPECT_TRUE(hostkit::HasLog(6, "hide current alarm[" + std::to_string(shown) + "] without animation"));
    hostkit::RunUntilIdle();
  }
  EXPECT_EQ(clock_.ShownAlarms(), (std::vector<int64_t>{2, 3, 1}));
  clock_.RemoveAlarm(1);
  hostkit::RunUntilIdle();
  EXPECT_FALSE(Banner().GetBoolean(alarm::kFieldVisible));
  EXPECT_TRUE(hostkit::HasLog(6, "no alarm need to show"));
  EXPECT_EQ(hostkit::CountAnalytics("e#meeting#i_tips#exposure"), 3u);
}

TEST_F(MeetingAlarmTest, AnAlarmLeavesAfterItsStayAndTheNextOneFollows) {
  Variant first = Alarm(1, 0, 0, 2);
  first["stay_duration"] = 30;
  clock_.AddAlarm(first);
  clock_.AddAlarm(Alarm(2, 0));
  hostkit::AttachViewModel(bar_);
  hostkit::AdvanceClock(29 * 1000);
  EXPECT_EQ(Banner().GetInteger("id"), 1);
  hostkit::AdvanceClock(1000);
  EXPECT_EQ(Banner().GetInteger("id"), 2);
  EXPECT_TRUE(Banner().GetBoolean(alarm::kFieldVisible));
}

TEST_F(MeetingAlarmTest, ImmersiveModeHidesTheBannerAndLeavingItShowsTheAlarmAgain) {
  clock_.AddAlarm(Alarm(7, 0));
  hostkit::AttachViewModel(bar_);
  SetImmersive(true);
  EXPECT_FALSE(Banner().GetBoolean(alarm::kFieldVisible));
  hostkit::RunUntilIdle();  // nothing on screen: the alarm waits, no endless re-checking
  EXPECT_EQ(hostkit::RunUntilIdle(), 0u);
  EXPECT_FALSE(Banner().GetBoolean(alarm::kFieldVisible));
  SetImmersive(false);
  EXPECT_TRUE(Banner().GetBoolean(alarm::kFieldVisible));
  EXPECT_EQ(Banner().GetInteger("id"), 7);
}

TEST_F(MeetingAlarmTest, AnAlarmArrivingInImmersiveModeShowsOnlyAfterIt) {
  window_->Answer(cmd::window::kImmersiveMode, Variant(true));
  clock_.AddAlarm(Alarm(7, 0));
  hostkit::AttachViewModel(bar_);
  hostkit::RunUntilIdle();
  EXPECT_TRUE(clock_.ShownAlarms().empty());
  SetImmersive(false);
  EXPECT_EQ(clock_.ShownAlarms(), std::vector<int64_t>{7});
}

TEST_F(MeetingAlarmTest, AHiddenWindowClearsTheBannerButNotDuringAnAnimation) {
  clock_.AddAlarm(Alarm(7, 1));
  hostkit::AttachViewModel(bar_);
  bar_.area_visible = false;
  window_->Fire(event::main_window::kWindowStateChanged, Variant::Map());
  EXPECT_TRUE(hostkit::HasLog(6, "is_animating_ is true"));
  EXPECT_TRUE(Banner().GetBoolean(alarm::kFieldVisible));
  EndAnimation();  // shown, then cleared since the area closed meanwhile
  EXPECT_EQ(clock_.ShownAlarms(), std::vector<int64_t>{7});
  EXPECT_FALSE(Banner().GetBoolean(alarm::kFieldVisible));
  EXPECT_TRUE(bar_.current_alarm().IsNull());

  bar_.area_visible = true;
  meeting_->Fire(event::meeting::kJoinComplete, Variant::Map());
  EXPECT_TRUE(Banner().GetBoolean(alarm::kFieldVisible));
  EXPECT_TRUE(bar_.is_animating());
}

TEST_F(MeetingAlarmTest, AnAnimationEndWithNothingCurrentIsLoggedAndLooksAgain) {
  hostkit::AttachViewModel(bar_);
  EndAnimation();
  EXPECT_TRUE(hostkit::HasLog(4, "alarm should be hidden with no animation"));
  clock_.AddAlarm(Alarm(4, 0));
  EXPECT_EQ(clock_.ShownAlarms(), std::vector<int64_t>{4});
  EndAnimation();  // an alarm shown without animation needs no end: reported once only
  EXPECT_TRUE(hostkit::HasLog(4, "current alarm need no animation"));
  EXPECT_EQ(clock_.ShownAlarms(), std::vector<int64_t>{4});
  EXPECT_EQ(hostkit::CountAnalytics("e#meeting#i_tips#exposure"), 1u);
}

TEST_F(MeetingAlarmTest, DetachingLeavesNoSubscriptionNoTimerAndAClearedBanner) {
  clock_.AddAlarm(Alarm(1, 0, 0, 2));
  clock_.AddAlarm(Alarm(2, 0));
  hostkit::AttachViewModel(bar_);
  EXPECT_GT(hostkit::SubscriptionsOf(&bar_), 0u);
  clock_.RemoveAlarm(1);  // the next look is pending on a timer
  EXPECT_EQ(hostkit::RunningPlatformTimers().size(), 1u);
  hostkit::DetachViewModel(bar_);
  EXPECT_EQ(hostkit::SubscriptionsOf(&bar_), 0u);
  EXPECT_EQ(bar_.RecordedSubscriptionCount(), 0u);
  EXPECT_TRUE(hostkit::RunningPlatformTimers().empty());
  EXPECT_FALSE(Banner().GetBoolean(alarm::kFieldVisible));
  hostkit::AdvanceClock(1000);
  EXPECT_EQ(clock_.ShownAlarms(), std::vector<int64_t>{1});
}

TEST_F(MeetingAlarmTest, ATimeCardClickSpendsACardOnceWithin300Ms) {
  clock_.AddAlarm(Alarm(7, 0, alarm::kBtnTypeTimeCard));
  hostkit::AttachViewModel(bar_);
  const Variant click = Json(R"({"stay_duration": 12, "tic_toc": "3.5"})");
  hostkit::FireAction(bar_, alarm::kActionClickExtraBtn, click);
  hostkit::AdvanceClock(299);
  hostkit::FireAction(bar_, alarm::kActionClickExtraBtn, click);
  EXPECT_EQ(clock_.meeting_limit().CallCount(cmd::meeting_limit::kUsePromotionCard), 1u);
  EXPECT_EQ(clock_.meeting_limit().LastArgument(cmd::meeting_limit::kUsePromotionCard),
            Json(R"({"from_entrance": "win.n.time.wbn_10min_i"})"));
  ASSERT_EQ(hostkit::CountAnalytics("e#i_time_tips#time_card#click"), 1u);
  const auto& click_event = hostkit::LastAnalytics("e#i_time_tips#time_card#click")->properties;
  EXPECT_EQ(click_event.at("stay_duration"), "12");
  EXPECT_EQ(click_event.at("tic_toc"), "3.5");
  EXPECT_EQ(click_event.at("from_entrance"), "win.n.time.wbn_10min_i");
  EXPECT_EQ(click_event.at("meeting_id"), "m-1");
  hostkit::AdvanceClock(301);
  hostkit::FireAction(bar_, alarm::kActionClickExtraBtn, click);
  EXPECT_EQ(clock_.meeting_limit().CallCount(cmd::meeting_limit::kUsePromotionCard), 2u);
}

TEST_F(MeetingAlarmTest, ACardThatFailsShowsTheServersMessage) {
  clock_.AddAlarm(Alarm(7, 0, alarm::kBtnTypeTimeCard));
  hostkit::AttachViewModel(bar_);
  clock_.AnswerPromotionCards(false, "no cards left");
  hostkit::FireAction(bar_, alarm::kActionClickExtraBtn);
  hostkit::RunUntilIdle();
  ASSERT_EQ(hostkit::Toasts().size(), 1u);
  EXPECT_EQ(hostkit::Toasts()[0].text, "no cards left");
  EXPECT_EQ(hostkit::Toasts()[0].duration_ms, 2000);

  auto& limit = clock_.meeting_limit();
  limit.Fire(event::meeting_limit::kUsePromotionCardResult, Json(R"({"success": false})"));
  EXPECT_TRUE(hostkit::HasLog(4, "no error msg"));
  limit.Fire(event::meeting_limit::kUsePromotionCardResult, Json(R"({"ok": 1})"));
  EXPECT_TRUE(hostkit::HasLog(1, "result is invalid ,"));
  limit.FireNull(event::meeting_limit::kUsePromotionCardResult);
  limit.Fire(event::meeting_limit::kUsePromotionCardResult, Json(R"({"success": true})"));
  EXPECT_EQ(hostkit::Toasts().size(), 1u);
}

TEST_F(MeetingAlarmTest, AnUpgradeClickOpensThePageWithTheMid) {
  hostkit::UseMarkerText(static_cast<int32_t>(0xdd70591e), {"app_name"});
  Variant upgrade = Alarm(8, 0, alarm::kBtnTypeUpgrade);
  upgrade["btn_data"] = "https://pay.example.com/buy?plan=pro";
  clock_.AddAlarm(upgrade);
  hostkit::AttachViewModel(bar_);
  EXPECT_EQ(hostkit::CountAnalytics("e#i_time_tips#go_upgrade#exposure"), 1u);
  hostkit::FireAction(bar_, alarm::kActionClickExtraBtn, Json(R"({"stay_duration": 4})"));
  ASSERT_FALSE(hostkit::Navigations().empty());
  const hostkit::Navigation& nav = hostkit::Navigations().back();
  EXPECT_EQ(nav.kind, hostkit::NavigationKind::kPushWithInstanceId);
  EXPECT_EQ(nav.instance_id, "default_instance_id");
  EXPECT_EQ(nav.arguments.GetString("url"), "https://pay.example.com/buy?plan=pro&mid=win.n.time.wbn_10min_i");
  EXPECT_EQ(nav.arguments.GetInteger("wnd_size_width"), 680);
  EXPECT_EQ(nav.arguments.GetInteger("wnd_size_height"), 627);
  EXPECT_TRUE(nav.arguments.Get("show_max_btn").IsBool());
  EXPECT_TRUE(nav.arguments.GetBoolean("fix_size"));
  EXPECT_EQ(nav.arguments.GetString("web_view_title").rfind("#dd70591e(app_name=", 0), 0u);
  const auto* click = hostkit::LastAnalytics("e#i_time_tips#go_upgrade#click");
  ASSERT_NE(click, nullptr);
  EXPECT_EQ(click->properties.at("mid"), "win.n.time.wbn_10min_i");
  EXPECT_EQ(click->properties.at("stay_duration"), "4");
}

TEST_F(MeetingAlarmTest, AUserWhoMayNotActGetsAToastAndNothingElse) {
  hostkit::UseMarkerText(static_cast<int32_t>(0xdf5b367f));
  hostkit::FindModel(model_id::kAuthorizationModel)->Fail(cmd::authorization::kMayActNow);
  clock_.AddAlarm(Alarm(7, 0, alarm::kBtnTypeTimeCard));
  hostkit::AttachViewModel(bar_);
  hostkit::FireAction(bar_, alarm::kActionClickExtraBtn);
  ASSERT_EQ(hostkit::Toasts().size(), 1u);
  EXPECT_EQ(hostkit::Toasts()[0].text, hostkit::MarkerText(static_cast<int32_t>(0xdf5b367f)));
  EXPECT_EQ(hostkit::Toasts()[0].duration_ms, 2000);
  EXPECT_EQ(clock_.meeting_limit().CallCount(cmd::meeting_limit::kUsePromotionCard), 0u);
  EXPECT_EQ(hostkit::CountAnalytics("e#i_time_tips#time_card#click"), 0u);
}

TEST_F(MeetingAlarmTest, AClickWithoutAnAlarmOrWithAnUnknownButtonDoesNothing) {
  hostkit::AttachViewModel(bar_);
  hostkit::FireAction(bar_, alarm::kActionClickExtraBtn, Json(R"({"statistics_report_id": "e#alarm#btn#click"})"));
  EXPECT_TRUE(hostkit::HasLog(4, "cur_alarm is null"));
  EXPECT_EQ(hostkit::CountAnalytics("e#alarm#btn#click"), 1u);  // the view's own mark still counts
  clock_.AddAlarm(Alarm(7, 0, 5));
  hostkit::AdvanceClock(400);
  hostkit::FireAction(bar_, alarm::kActionClickExtraBtn);
  EXPECT_TRUE(hostkit::HasLog(4, "alarm_id[7] unknown btn_type:5"));
  EXPECT_TRUE(hostkit::Navigations().empty());
  EXPECT_EQ(clock_.meeting_limit().CallCount(cmd::meeting_limit::kUsePromotionCard), 0u);
}

TEST(MeetingAlarmMid, UrlsGetTheMidOnce) {
  hostkit::InstallModel(model_id::kMeetingModel);
  EXPECT_EQ(MeetingAlarmViewModel::GetUrlWithMid("https://a.example.com/p?x=1"),
            "https://a.example.com/p?x=1&mid=win.n.time.wbn_10min_i");
  EXPECT_EQ(MeetingAlarmViewModel::GetUrlWithMid("https://a.example.com/p"),
            "https://a.example.com/p?mid=win.n.time.wbn_10min_i");
  EXPECT_EQ(MeetingAlarmViewModel::GetUrlWithMid("https://a.example.com/p?mid=abc"), "https://a.example.com/p?mid=abc");
  hostkit::FindModel(model_id::kMeetingModel)->Succeed(cmd::meeting::kIsWebinar);
  EXPECT_EQ(MeetingAlarmViewModel::GetUrlWithMid("https://a.example.com/p"), "https://a.example.com/p?mid=win.p.djs.sjbt");
}

}  // namespace
