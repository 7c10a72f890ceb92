// The meeting window's time label over simulated hours: the clock text at its boundaries, the
// limit countdown and its timer, the hide rules, the time menu and the reports. The meeting's
// clock, limit and alarms are hostkit::MeetingClock; time moves only by hostkit::AdvanceClock.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/meeting_clock.h"
#include "hostkit/navigation.h"
#include "hostkit/texts.h"
#include "hostkit/timers.h"
#include "hostkit/viewmodel.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/viewmodel/inmeeting_time_info_viewmodel.h"

namespace {

using hostkit::Json;
using hostkit::MarkerText;
using hostkit::Variant;
namespace ti = velto::time_info;
namespace model_id = velto::model_id;
namespace cmd = velto::model_command;
namespace event = velto::model_event;

constexpr int64_t kSecond = 1000;
constexpr int64_t kMinute = 60 * kSecond;
constexpr int64_t kHour = 60 * kMinute;

constexpr int32_t kNormalPrefix = 0x5c0a70af;
constexpr int32_t kLimitPrefix = 0x48a830d9;
constexpr int32_t kHours = static_cast<int32_t>(0x896c55cc);
constexpr int32_t kMinutes = static_cast<int32_t>(0xd8bd79cc);
constexpr int32_t kBefore = static_cast<int32_t>(0xa99e24fd);
constexpr int32_t kAfter = 0x3483284d;
constexpr int32_t kWebinarTips = static_cast<int32_t>(0xea521743);
constexpr int32_t kLimitTips = 0x4b754f15;
constexpr int32_t kCardUsedTips = static_cast<int32_t>(0xc2be28a3);

class StatusBarTime : public velto::InmeetingTimeInfoViewModel {
 public:
  bool prefix = false;
  bool immersive_aware = false;
  bool countdown_aware = true;

  using InmeetingTimeInfoViewModel::ProcessTimeInfo;

 protected:
  bool NeedTimeInfoPrefix() override { return prefix; }
  bool NeedResponseImmersiveMode() override { return immersive_aware; }
  bool NeedResponseCountdownAlarm() override { return countdown_aware; }
  int32_t GetPopupAlign(int32_t menu_x, int32_t /*menu_y*/) override { return menu_x > 500 ? 2 : 1; }
  std::string GetReportScene() override { return "status_bar"; }
};

std::string Minutes(uint64_t minutes) { return MarkerText(kMinutes, {{"minutes", std::to_string(minutes)}}); }
std::string Remaining(uint64_t minutes) { return MarkerText(kBefore) + Minutes(minutes) + MarkerText(kAfter); }
std::string LimitTips(uint64_t grade, uint64_t minutes_left) {
  return MarkerText(kLimitTips, {{"limit_grade", std::to_string(grade)}, {"limit_time_str", Remaining(minutes_left)}});
}

class TimeInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int32_t id : {kNormalPrefix, kLimitPrefix, kBefore, kAfter}) hostkit::UseMarkerText(id);
    hostkit::UseMarkerText(kHours, {"hours"});
    hostkit::UseMarkerText(kMinutes, {"minutes"});
    hostkit::UseMarkerText(kWebinarTips, {"limit_time_str"});
    hostkit::UseMarkerText(kLimitTips, {"limit_grade", "limit_time_str"});
    hostkit::UseMarkerText(kCardUsedTips, {"limit_grade"});
    clock_.Install();
    meeting_ = &hostkit::InstallModel(model_id::kMeetingModel);
    meeting_->Succeed(cmd::meeting::kInMeeting)
        .Answer(cmd::meeting::kMeetingInfo, Json(R"({"meeting_item": {"creator_uid": "uid-self"}})"));
    hostkit::InstallModel(model_id::kUserModel).Answer(cmd::user::kSelfInfo, Json(R"({"app_uid": "uid-self"})"));
    settings_ = &hostkit::InstallModel(model_id::kMeetingSettingsModel);
    SetDurationShown(true);
    ability_ = &hostkit::InstallModel(model_id::kServiceEntranceModel);
    ability_->Handle(cmd::service_entrance::kReadConfigurationItem, [this](const Variant& item, Variant* answer) {
      if (item.GetString("id") != "enable_change_inmeeting_limit_time_type") return false;
      *answer = Variant(limit_ability_);
      return true;
    });
    hostkit::InstallModel(model_id::kEventBusModel);
  }

  void SetDurationShown(bool shown) {
    Variant answer = Variant::Map();
    answer["is_elapsed_time_enabled"] = shown;
    settings_->Answer(cmd::meeting_settings::kElapsedTimeEnabled, answer);
  }
  const Variant& Label() const { return label_.GetPropValue(ti::kTimeInfoProp); }
  std::string Text() const { return Label().GetString(ti::kFieldTimeInfo); }
  std::string Tips() const { return Label().GetString(ti::kFieldTips); }
  bool Shown() const { return Label().GetBoolean(ti::kFieldVisibility); }

  hostkit::MeetingClock clock_;
  hostkit::ScriptedModel* meeting_ = nullptr;
  hostkit::ScriptedModel* settings_ = nullptr;
  hostkit::ScriptedModel* ability_ = nullptr;
  bool limit_ability_ = true;
  StatusBarTime label_;
};

TEST_F(TimeInfoTest, ClockTextsAtTheirBoundaries) {
  const std::vector<std::pair<uint64_t, std::string>> cases = {
      {0, "00:00"},       {9, "00:09"},       {59, "00:59"},         {60, "01:00"},         {61, "01:01"},
      {3599, "59:59"},    {3600, "01:00:00"}, {3661, "01:01:01"},    {86399, "23:59:59"},   {360000, "100:00:00"},
  };
  for (const auto& [seconds, text] : cases) EXPECT_EQ(label_.FormatElapsedTime(seconds), text) << seconds;
  EXPECT_EQ(velto::InmeetingTimeInfoViewModel::ConvertNumToStringTime(7), "07");
  EXPECT_EQ(velto::InmeetingTimeInfoViewModel::ConvertNumToStringTime(123), "123");
}

TEST_F(TimeInfoTest, DurationWordsUseHoursOnlyForWholeHoursOverOne) {
  EXPECT_EQ(label_.TimeToString(3600), Minutes(60));
  EXPECT_EQ(label_.TimeToString(7200), MarkerText(kHours, {{"hours", "2"}}));
  EXPECT_EQ(label_.TimeToString(7260), Minutes(121));
  EXPECT_EQ(label_.TimeToString(59), Minutes(0));
  EXPECT_EQ(label_.TimeToString(36000), MarkerText(kHours, {{"hours", "10"}}));
}

TEST_F(TimeInfoTest, ThePrefixFollowsTheTimeType) {
  label_.prefix = true;
  EXPECT_EQ(label_.FormatElapsedTime(61), MarkerText(kNormalPrefix) + " 01:01");
  clock_.time_type().Handle(cmd::time_type::kCurrentTimeType, [](const Variant&, Variant* answer) {
    *answer = Json(R"({"current_time_type": 2})");
    return true;
  });
  EXPECT_EQ(label_.FormatElapsedTime(61), MarkerText(kLimitPrefix) + " 01:01");
}

TEST_F(TimeInfoTest, TheElapsedTimeCountsAcrossHoursWithoutDrift) {
  clock_.StartMeeting(50);
  hostkit::AttachViewModel(label_);
  EXPECT_EQ(Text(), "00:50");  // primed from the meeting time model at attach
  EXPECT_TRUE(Shown());
  EXPECT_EQ(Label().GetInteger(ti::kFieldShowType), ti::kTypeNormal);
  EXPECT_FALSE(Label().GetBoolean(ti::kFieldShowArrowIcon));
  EXPECT_EQ(Tips(), "");
  const std::vector<std::pair<int64_t, std::string>> steps = {
      {9 * kSecond, "00:59"},                 {1 * kSecond, "01:00"},   {(59 * 60 - 1) * kSecond, "59:59"},
      {1 * kSecond, "01:00:00"},              {kHour, "02:00:00"},      {kHour + 59 * kMinute + 59 * kSecond, "03:59:59"},
      {1 * kSecond, "04:00:00"},
  };
  const size_t writes_before = hostkit::PropHistory(label_, ti::kTimeInfoProp).size();
  int64_t advanced = 0;
  for (const auto& [ms, text] : steps) {
    hostkit::AdvanceClock(ms);
    advanced += ms;
    EXPECT_EQ(Text(), text) << "after " << advanced << " ms";
  }
  // One label per second of the clock, each matching the meeting's own count.
  EXPECT_EQ(hostkit::PropHistory(label_, ti::kTimeInfoProp).size() - writes_before,
            static_cast<size_t>(advanced / kSecond));
  EXPECT_EQ(Text(), label_.FormatElapsedTime(clock_.ElapsedSeconds()));
  EXPECT_EQ(clock_.ElapsedSeconds(), 4u * 3600u);
}

TEST_F(TimeInfoTest, ALimitSwitchesToTheLimitTypeAndCountsDownToIt) {
  clock_.StartMeeting(300);
  hostkit::AttachViewModel(label_);
  clock_.SetLimit(3 * 3600, 40);  // a three-hour limit from now
  EXPECT_TRUE(label_.in_limit_meeting());
  EXPECT_EQ(clock_.CurrentTimeType(), ti::kTypeLimit);
  EXPECT_TRUE(label_.limit_timer_running());
  EXPECT_EQ(hostkit::RunningPlatformTimers().size(), 1u);
  EXPECT_TRUE(hostkit::HasLog(6, "is_first_enter_limit auto shift to kTypeLimit"));
  ASSERT_EQ(hostkit::CountAnalytics("e#meeting#meeting_time#exposure"), 1u);
  EXPECT_EQ(hostkit::LastAnalytics("e#meeting#meeting_time#exposure")->properties.at("is_limit"), "1");

  hostkit::AdvanceClock(kSecond);
  EXPECT_EQ(Text(), "00:01");
  EXPECT_TRUE(Label().GetBoolean(ti::kFieldShowArrowIcon));
  EXPECT_EQ(Label().GetInteger(ti::kFieldShowType), ti::kTypeLimit);
  EXPECT_EQ(Tips(), LimitTips(40, 179));
  hostkit::AdvanceClock(2 * kHour + 30 * kMinute - kSecond);
  EXPECT_EQ(Text(), "02:30:00");
  EXPECT_EQ(Tips(), LimitTips(40, 30));
  hostkit::AdvanceClock(29 * kMinute + 30 * kSecond);
  EXPECT_EQ(Tips(), LimitTips(40, 0));
  EXPECT_TRUE(label_.limit_timer_running());
  hostkit::AdvanceClock(30 * kSecond);
  EXPECT_EQ(Text(), "03:00:00");
  EXPECT_FALSE(label_.limit_timer_running());
  EXPECT_TRUE(hostkit::RunningPlatformTimers().empty());
  EXPECT_TRUE(hostkit::HasLog(6, "total_limit_time out, limit_timer_ stop."));
  hostkit::AdvanceClock(kMinute);
  EXPECT_EQ(Text(), "03:00:00");  // the label rests at the limit
}

TEST_F(TimeInfoTest, TipsForWebinarsAndAfterATimeCard) {
  clock_.StartMeeting();
  hostkit::AttachViewModel(label_);
  clock_.SetLimit(3600, 7, /*used_cards=*/1);
  hostkit::AdvanceClock(kSecond);
  EXPECT_EQ(Tips(), MarkerText(kCardUsedTips, {{"limit_grade", "7"}}));
  meeting_->Succeed(cmd::meeting::kIsWebinar);
  hostkit::AdvanceClock(kSecond);
  EXPECT_EQ(Tips(), MarkerText(kWebinarTips, {{"limit_time_str", Remaining(59)}}));
}

TEST_F(TimeInfoTest, ALimitThatEndsSendsTheLabelBackToTheElapsedTime) {
  clock_.StartMeeting();
  hostkit::AttachViewModel(label_);
  clock_.SetLimit(3600, 1);
  hostkit::AdvanceClock(5 * kSecond);
  clock_.ClearLimit();
  EXPECT_FALSE(label_.in_limit_meeting());
  EXPECT_EQ(clock_.CurrentTimeType(), ti::kTypeNormal);
  EXPECT_FALSE(label_.limit_timer_running());
  EXPECT_TRUE(hostkit::RunningPlatformTimers().empty());
  hostkit::AdvanceClock(kSecond);
  EXPECT_EQ(Text(), "00:06");
  EXPECT_FALSE(Label().GetBoolean(ti::kFieldShowArrowIcon));
}

TEST_F(TimeInfoTest, OnlyTheFirstLimitSwitchesTheType) {
  clock_.StartMeeting();
  hostkit::AttachViewModel(label_);
  clock_.SetLimit(3600, 1);
  clock_.ChooseTimeType(ti::kTypeNormal);  // the user prefers the elapsed time
  clock_.SetLimit(7200, 2);
  EXPECT_EQ(clock_.CurrentTimeType(), ti::kTypeNormal);
  EXPECT_EQ(hostkit::CountLogs(6, "is_first_enter_limit auto shift to kTypeLimit"), 1u);
  hostkit::AdvanceClock(3 * kSecond);
  EXPECT_EQ(Text(), "00:03");
  EXPECT_EQ(Tips(), "");
}

TEST_F(TimeInfoTest, LimitUpdatesNeedTheAbilityAMapAndAnEndTime) {
  limit_ability_ = false;
  clock_.StartMeeting();
  hostkit::AttachViewModel(label_);
  clock_.SetLimit(3600, 1);
  EXPECT_FALSE(label_.in_limit_meeting());
  EXPECT_EQ(clock_.CurrentTimeType(), ti::kTypeNormal);
  limit_ability_ = true;
  clock_.meeting_limit().Fire(event::meeting_limit::kLimitInfoUpdated, Json("[1]"));
  EXPECT_TRUE(hostkit::HasLog(3, "params should be a map."));
  clock_.meeting_limit().FireNull(event::meeting_limit::kLimitInfoUpdated);
  clock_.meeting_limit().Fire(event::meeting_limit::kLimitInfoUpdated, Json(R"({"limit_start_time": 5})"));
  EXPECT_TRUE(hostkit::HasLog(3, "limit_end_time is required."));
  EXPECT_FALSE(label_.in_limit_meeting());
  clock_.meeting_limit().Fire(event::meeting_limit::kLimitInfoUpdated, Json(R"({"limit_end_time": 99})"));
  EXPECT_TRUE(label_.in_limit_meeting());
  EXPECT_TRUE(hostkit::HasLog(1, "limit_start_time_ error"));
  EXPECT_FALSE(label_.limit_timer_running());
}

TEST_F(TimeInfoTest, ALimitAlreadyPastStopsItsTimerAtTheFirstTick) {
  clock_.StartMeeting(7200);
  clock_.SetLimit(3600, 1, 0, /*started_s_ago=*/5400);  // over half an hour ago
  hostkit::AttachViewModel(label_);
  EXPECT_TRUE(label_.limit_timer_running());
  hostkit::AdvanceClock(kSecond);
  EXPECT_FALSE(label_.limit_timer_running());
  EXPECT_EQ(Text(), "01:30:01");
  EXPECT_EQ(Tips(), LimitTips(1, 0));
}

TEST_F(TimeInfoTest, TheSettingTheCountdownAlarmAndMiniModeHideTheLabel) {
  clock_.StartMeeting();
  SetDurationShown(false);
  hostkit::AttachViewModel(label_);
  EXPECT_FALSE(Shown());
  EXPECT_FALSE(Label().GetBoolean(ti::kFieldSettingVisibility));
  EXPECT_EQ(hostkit::CountAnalytics("e#meeting#attend_time#exposure"), 0u);

  SetDurationShown(true);
  settings_->Fire(event::meeting_settings::kElapsedTimeVisibilityChanged, Variant::Map());
  EXPECT_TRUE(Shown());
  EXPECT_EQ(hostkit::CountAnalytics("e#meeting#attend_time#exposure"), 1u);
  EXPECT_TRUE(hostkit::HasLog(6, "visibility changed to"));

  clock_.SetCountdownShowing(true);
  EXPECT_FALSE(Shown());
  EXPECT_FALSE(Label().GetBoolean(ti::kFieldSettingVisibility));
  clock_.SetCountdownShowing(false);
  EXPECT_TRUE(Shown());

  hostkit::FireAction(label_, ti::kActionMiniModeChange, Json(R"({"mini_ui": true})"));
  EXPECT_FALSE(Shown());
  EXPECT_TRUE(Label().GetBoolean(ti::kFieldSettingVisibility));
  hostkit::AdvanceClock(kSecond);
  EXPECT_FALSE(Shown());  // every tick keeps it hidden
  EXPECT_EQ(Text(), "00:01");
  hostkit::FireAction(label_, ti::kActionMiniModeChange, Json(R"({"mini": false})"));
  EXPECT_TRUE(hostkit::HasLog(3, "params error, need mini_ui"));
  hostkit::FireAction(label_, ti::kActionMiniModeChange, Json(R"({"mini_ui": false})"));
  EXPECT_TRUE(Shown());
}

TEST_F(TimeInfoTest, ACountdownAlarmLeavesTheLabelOfAModuleThatIgnoresIt) {
  label_.countdown_aware = false;
  hostkit::AttachViewModel(label_);
  clock_.SetCountdownShowing(true);
  EXPECT_TRUE(label_.elapsed_time_visible());
}

TEST_F(TimeInfoTest, ImmersiveModeHidesTheLabelOfAModuleThatAsksForIt) {
  label_.immersive_aware = true;
  clock_.StartMeeting();
  hostkit::AttachViewModel(label_);
  auto* bus = hostkit::FindModel(model_id::kEventBusModel);
  bus->Fire(event::event_bus::kDidEnterImmersiveMode, Variant::Map());
  EXPECT_FALSE(Shown());
  bus->Fire(event::event_bus::kDidLeaveImmersiveMode, Variant::Map());
  EXPECT_TRUE(Shown());
  // Leaving immersive mode never shows a label the user turned off.
  SetDurationShown(false);
  settings_->Fire(event::meeting_settings::kElapsedTimeVisibilityChanged, Variant::Map());
  bus->Fire(event::event_bus::kDidLeaveImmersiveMode, Variant::Map());
  EXPECT_FALSE(label_.elapsed_time_visible());
  EXPECT_FALSE(Shown());
}

TEST_F(TimeInfoTest, AClickOpensTheTimeMenuOnlyInALimitMeeting) {
  clock_.StartMeeting();
  hostkit::AttachViewModel(label_);
  hostkit::FireAction(label_, ti::kActionTimeClick, Json(R"({"menu_x": 600, "menu_y": 20})"));
  EXPECT_TRUE(hostkit::HasLog(4, "not in limt meeting, can't shift time."));
  EXPECT_TRUE(hostkit::Navigations().empty());

  clock_.SetLimit(3600, 1);
  hostkit::FireAction(label_, ti::kActionTimeClick, Json(R"({"menu_x": 600})"));
  EXPECT_TRUE(hostkit::HasLog(3, "need x,y for menu."));
  EXPECT_TRUE(hostkit::Navigations().empty());

  hostkit::FireAction(label_, ti::kActionTimeClick, Json(R"({"menu_x": 600, "menu_y": 20})"));
  ASSERT_EQ(hostkit::Navigations().size(), 1u);
  const hostkit::Navigation& nav = hostkit::Navigations()[0];
  EXPECT_EQ(nav.kind, hostkit::NavigationKind::kPush);
  EXPECT_EQ(nav.page, "velto://page/meeting_elapsedtime");
  EXPECT_EQ(nav.arguments, Json(R"({"menu_x": 600, "menu_y": 20, "popup_align": 2, "is_top_most": true,
                                     "from_entrance": "inmeeting_status_bar"})"));
  EXPECT_TRUE(Label().GetBoolean(ti::kFieldSelected));
  ASSERT_FALSE(hostkit::PropHistory(label_, ti::kMenuAnchorProp).empty());
  EXPECT_TRUE(hostkit::PropHistory(label_, ti::kMenuAnchorProp).back().IsNull());
  EXPECT_TRUE(hostkit::HasLog(6, "Push to SCHEME_MEETING_ELAPSEDTIME, x:600, y:20, popup_align:2"));

  hostkit::AdvanceClock(2 * kSecond);
  EXPECT_TRUE(Label().GetBoolean(ti::kFieldSelected));  // kept while the menu is open
  clock_.CloseTimeMenu();
  EXPECT_FALSE(Label().GetBoolean(ti::kFieldSelected));
  hostkit::AdvanceClock(kSecond);
  EXPECT_FALSE(Label().GetBoolean(ti::kFieldSelected));
}

TEST_F(TimeInfoTest, ChoosingATimeInTheMenuReportsAndShowsIt) {
  clock_.StartMeeting(600);
  hostkit::AttachViewModel(label_);
  clock_.SetLimit(3600, 1);
  hostkit::AdvanceClock(10 * kSecond);
  EXPECT_EQ(Text(), "00:10");

  clock_.ChooseTimeType(ti::kTypeNormal);
  EXPECT_EQ(Text(), "10:10");
  const auto* click = hostkit::LastAnalytics("e#meeting#time_bar#click");
  ASSERT_NE(click, nullptr);
  EXPECT_EQ(click->properties.at("change_tiem"), "attend_time");
  EXPECT_EQ(click->properties.at("is_creator"), "1");
  EXPECT_EQ(click->properties.at("is_limit"), "1");
  EXPECT_EQ(click->properties.at("attend_time"), "610");
  EXPECT_EQ(click->properties.at("scene"), "status_bar");
  EXPECT_EQ(hostkit::CountAnalytics("e#meeting#attend_time#exposure"), 1u);

  clock_.meeting_limit().ClearCalls();
  clock_.ChooseTimeType(ti::kTypeLimit);
  EXPECT_EQ(Text(), "00:10");
  EXPECT_EQ(hostkit::LastAnalytics("e#meeting#time_bar#click")->properties.at("change_tiem"), "meeting_time");
  EXPECT_EQ(clock_.meeting_limit().LastArgument(cmd::meeting_limit::kLimitInfo), Json(R"({"force_refresh": false})"));
  EXPECT_EQ(hostkit::CountAnalytics("e#meeting#meeting_time#exposure"), 2u);
}

TEST_F(TimeInfoTest, JoiningResetsTheTypeAndHoverIsReported) {
  clock_.StartMeeting();
  hostkit::AttachViewModel(label_);
  clock_.SetLimit(3600, 1);
  meeting_->Fire(event::meeting::kJoinComplete, Variant::Map());
  EXPECT_EQ(clock_.CurrentTimeType(), ti::kTypeNormal);
  EXPECT_EQ(hostkit::CountAnalytics("e#meeting#attend_time#exposure"), 1u);
  hostkit::FireAction(label_, ti::kActionTimeHover, Json(R"({"statistics_report_id": "e#bar#time#hover"})"));
  EXPECT_EQ(hostkit::CountAnalytics("e#meeting#meeting_duration_hover#exposure"), 1u);
  EXPECT_EQ(hostkit::CountAnalytics("e#bar#time#hover"), 1u);
}

TEST_F(TimeInfoTest, OutsideAMeetingTheLabelIsNotPrimed) {
  meeting_->Fail(cmd::meeting::kInMeeting);
  clock_.StartMeeting(30);
  hostkit::AttachViewModel(label_);
  EXPECT_TRUE(Label().IsNull());
  EXPECT_EQ(clock_.meeting_limit().CallCount(cmd::meeting_limit::kLimitInfo), 0u);
}

TEST_F(TimeInfoTest, DetachingMidCountdownLeavesNoTimerAndNoSubscription) {
  clock_.StartMeeting();
  hostkit::AttachViewModel(label_);
  clock_.SetLimit(3600, 1);
  hostkit::AdvanceClock(90 * kSecond);
  EXPECT_EQ(hostkit::SubscriptionsOf(&label_), 9u);
  hostkit::DetachViewModel(label_);
  EXPECT_EQ(hostkit::SubscriptionsOf(&label_), 0u);
  EXPECT_EQ(label_.RecordedSubscriptionCount(), 0u);
  EXPECT_FALSE(label_.limit_timer_running());
  EXPECT_TRUE(hostkit::RunningPlatformTimers().empty());
  const size_t writes = hostkit::PropHistory(label_, ti::kTimeInfoProp).size();
  hostkit::AdvanceClock(kHour);
  EXPECT_EQ(hostkit::PropHistory(label_, ti::kTimeInfoProp).size(), writes);
}

TEST_F(TimeInfoTest, DestroyingAnAttachedLabelMidCountdownLeavesNothingBehind) {
  clock_.StartMeeting();
  auto label = std::make_unique<StatusBarTime>();
  const int64_t observer = static_cast<int64_t>(reinterpret_cast<intptr_t>(label.get()));
  hostkit::AttachViewModel(*label);
  clock_.SetLimit(3600, 1);
  hostkit::AdvanceClock(30 * kSecond);
  EXPECT_EQ(hostkit::RunningPlatformTimers().size(), 1u);
  label.reset();
  EXPECT_EQ(hostkit::SubscriptionsOf(observer), 0u);
  EXPECT_TRUE(hostkit::RunningPlatformTimers().empty());
  hostkit::AdvanceClock(kMinute);  // ticks and events reach nothing
}

TEST_F(TimeInfoTest, ASlowLabelStepIsLoggedWithItsTimings) {
  clock_.time_type().Handle(cmd::time_type::kCurrentTimeType, [](const Variant&, Variant* answer) {
    hostkit::AdvanceClock(250);  // a model that takes a quarter of a second to answer
    *answer = Json(R"({"current_time_type": 1})");
    return true;
  });
  label_.ProcessTimeInfo(5);
  EXPECT_TRUE(hostkit::HasLog(6, "funtion_start_time:"));
  EXPECT_TRUE(hostkit::HasLog(6, " get_current_time_type_time:"));
}

}  // namespace
