// The one-person overtime alert driven through hostkit: the overtime alert model's events, the
// countdown on the hand clock, the buttons, the check box, and what reaches analytics.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/stateful_viewmodel.h"
#include "hostkit/hostkit.h"
#include "hostkit/timers.h"
#include "hostkit/viewmodel.h"
#include "module_api/alerts/show_one_person_overtime_alert_manager.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace {

using hostkit::Json;
namespace event = velto::model_event::overtime_alert;
namespace cmd = velto::model_command;

constexpr int32_t kLeaveText = 0x5ec5055b;
constexpr char kQuit[] = "meetingpage_endoftimeoutalert_null_null_null_quit_click";
constexpr char kContinue[] = "meetingpage_endoftimeoutalert_null_null_null_continue_click";
constexpr char kExplore[] = "meetingpage_endoftimeoutalert_null_null_null_null_explore";

class MeetingViewModel : public framework::StatefulViewModel,
                         public velto::IShowOnePersonOvertimeAlertManagerDelegate {
 public:
  void OnePersonOvertimeQuitMeeting() override { ++quits; }
  void OnePersonOvertimeUpdateAlertUI(int64_t alert_id, base::variant::Variant* changes) override {
    updated_alert = alert_id;
    positive_texts.push_back(changes->GetString("positive"));
  }
  void OnePersonOvertimeNeedShowBottomExitMeetingDialog(bool need_show) override { bottom_dialog.push_back(need_show); }

  int quits = 0;
  int64_t updated_alert = -1;
  std::vector<std::string> positive_texts;
  std::vector<bool> bottom_dialog;
};

class OvertimeAlertTest : public testing::Test {
 protected:
  void SetUp() override {
    hostkit::SetLocalizedString(kLeaveText, "Leave ({time_count}s)");
    hostkit::SetLocalizedString(0x31810c0d, "Stay");
    hostkit::SetLocalizedString(0x88e9ab71, "Don't ask again");
    overtime_model_ = &hostkit::InstallModel(velto::model_id::kOvertimeAlertModel);
    overtime_model_->Succeed(cmd::overtime_alert::kSetOvertimeChoice);
    users_ = &hostkit::InstallModel(velto::model_id::kUserModel);
    users_->Answer(cmd::user::kUserCount, Json("1"));
    hostkit::InstallModel(velto::model_id::kConfigurationModel)
        .Answer(cmd::configuration::kClientSettingRead, Json("1800"));
    hostkit::AttachViewModel(view_model_);
    manager_.SetViewModel(&view_model_);
    manager_.SetDelegate(&view_model_);
    manager_.SetViewAttached();
  }

  void FireShow() {
    overtime_model_->Fire(event::kShowAlert, Json(R"({"alert_title": "Alone for a while",
                                                     "alert_content_raw": "Nobody came in {time_minutes} minutes"})"));
  }

  MeetingViewModel view_model_;
  velto::ShowOnePersonOvertimeAlertManager manager_;
  hostkit::ScriptedModel* overtime_model_ = nullptr;
  hostkit::ScriptedModel* users_ = nullptr;
};

TEST_F(OvertimeAlertTest, TheModelsEventShowsTheAlertWithItsTextsAndCountdown) {
  FireShow();
  const hostkit::AlertRecord* alert = hostkit::LastAlert();
  ASSERT_NE(alert, nullptr);
  EXPECT_EQ(alert->id, manager_.alert_id());
  EXPECT_EQ(alert->state, hostkit::AlertState::kShown);
  EXPECT_EQ(alert->title, "Alone for a while");
  EXPECT_EQ(alert->content, "Nobody came in 30 minutes");
  EXPECT_EQ(alert->content_color, "vl_color_text_secondary");
  EXPECT_TRUE(alert->top_most);
  EXPECT_EQ(alert->positive_text, "Leave (10s)");
  EXPECT_EQ(alert->negative_text, "Stay");
  EXPECT_TRUE(alert->has_checkbox);
  EXPECT_EQ(alert->checkbox_text, "Don't ask again");
  EXPECT_FALSE(alert->checkbox_checked);
  EXPECT_FALSE(alert->auto_dismiss);
  EXPECT_EQ(view_model_.bottom_dialog, std::vector<bool>{false});
  EXPECT_EQ(hostkit::CountAnalytics(kExplore), 1u);
  EXPECT_TRUE(manager_.IsCountingDown());
}

TEST_F(OvertimeAlertTest, TheLeaveButtonCountsDownAndTheLoneUserLeavesAtTheTenthTick) {
  FireShow();
  const int64_t alert_id = manager_.alert_id();
  for (int second = 1; second <= 9; ++second) hostkit::AdvanceClock(1000);
  EXPECT_EQ(view_model_.positive_texts, (std::vector<std::string>{"Leave (9s)", "Leave (8s)", "Leave (7s)", "Leave (6s)",
                                                                   "Leave (5s)", "Leave (4s)", "Leave (3s)", "Leave (2s)",
                                                                   "Leave (1s)"}));
  EXPECT_EQ(view_model_.updated_alert, alert_id);
  EXPECT_EQ(view_model_.quits, 0);
  hostkit::AdvanceClock(999);
  EXPECT_EQ(view_model_.quits, 0);
  hostkit::AdvanceClock(1);
  EXPECT_EQ(view_model_.quits, 1);
  const hostkit::AnalyticsEvent* quit = hostkit::LastAnalytics(kQuit);
  ASSERT_NE(quit, nullptr);
  EXPECT_EQ(quit->properties.at("operation_type"), "2");
  EXPECT_EQ(quit->properties.count("check_type_sub"), 0u);
  EXPECT_FALSE(manager_.IsCountingDown());
  hostkit::AdvanceClock(5000);  // the timer is gone
  EXPECT_EQ(view_model_.positive_texts.size(), 9u);
  EXPECT_EQ(view_model_.quits, 1);
  EXPECT_TRUE(hostkit::HasLog(6, "one_person_kick_out_times:10"));
}

TEST_F(OvertimeAlertTest, SomeoneWhoJoinedDuringTheCountdownKeepsTheUserIn) {
  bool timed_out = false;
  manager_.ShowOnePersonOvertimeAlert(nullptr, [&] { timed_out = true; });
  users_->Answer(cmd::user::kUserCount, Json("2"));
  hostkit::AdvanceClock(10000);
  EXPECT_TRUE(timed_out);
  EXPECT_EQ(view_model_.quits, 0);
  EXPECT_EQ(hostkit::CountAnalytics(kQuit), 0u);
  EXPECT_EQ(hostkit::LastAlert()->state, hostkit::AlertState::kDisposed);
  EXPECT_TRUE(hostkit::HasLog(6, "Call DisposeAlert view_model_:"));
}

TEST_F(OvertimeAlertTest, ButtonOutcomes) {
  struct Row {
    const char* name;
    int button;
    bool checked;
    int quits;
    size_t choice_calls;
    const char* event;
    std::map<std::string, std::string> properties;  // besides c_cpu_arch
  };
  const Row rows[] = {
      {"leave", framework::AlertButton::kPositive, false, 1, 0, kQuit, {{"operation_type", "1"}, {"check_type_sub", "0"}}},
      {"leave checked", framework::AlertButton::kPositive, true, 1, 0, kQuit,
       {{"operation_type", "1"}, {"check_type_sub", "1"}}},
      {"stay", framework::AlertButton::kNegative, false, 0, 1, kContinue, {{"check_type_sub", "0"}}},
      {"stay checked", framework::AlertButton::kNegative, true, 0, 1, kContinue, {{"check_type_sub", "1"}}},
      {"closed", framework::AlertButton::kClose, false, 0, 1, kContinue, {{"check_type_sub", "0"}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    view_model_.quits = 0;
    overtime_model_->ClearCalls();
    hostkit::ClearAnalytics();
    FireShow();
    const int64_t alert_id = manager_.alert_id();
    hostkit::AdvanceClock(3000);
    base::variant::Variant data = Json(row.checked ? R"({"checkbox_state": true})" : "{}");
    ASSERT_TRUE(hostkit::PressAlertButton(alert_id, row.button, data));
    EXPECT_EQ(view_model_.quits, row.quits);
    EXPECT_EQ(overtime_model_->CallCount(cmd::overtime_alert::kSetOvertimeChoice), row.choice_calls);
    if (row.choice_calls) {
      EXPECT_EQ(overtime_model_->LastArgument(cmd::overtime_alert::kSetOvertimeChoice),
                Json(R"({"enable_overtime": true, "is_user_selected": true})"));
    }
    const hostkit::AnalyticsEvent* event = hostkit::LastAnalytics(row.event);
    ASSERT_NE(event, nullptr);
    auto properties = event->properties;
    properties.erase("c_cpu_arch");
    EXPECT_EQ(properties, row.properties);
    EXPECT_EQ(hostkit::FindAlert(alert_id)->state, hostkit::AlertState::kDisposed);
    EXPECT_FALSE(manager_.IsCountingDown());
    hostkit::AdvanceClock(10000);  // the countdown is over for good
    EXPECT_EQ(view_model_.quits, row.quits);
  }
}

TEST_F(OvertimeAlertTest, TheDismissEventClosesTheAlertAndStopsTheCountdown) {
  FireShow();
  const int64_t alert_id = manager_.alert_id();
  overtime_model_->Fire(event::kDismissAlert, Json("{}"));
  EXPECT_EQ(hostkit::FindAlert(alert_id)->state, hostkit::AlertState::kDisposed);
  EXPECT_FALSE(manager_.IsCountingDown());
  hostkit::AdvanceClock(20000);
  EXPECT_EQ(view_model_.quits, 0);
  EXPECT_TRUE(view_model_.positive_texts.empty());
  EXPECT_TRUE(hostkit::HasLog(6, "Call DisposeOnePersonOvertimeAlert,view_model_:"));
}

TEST_F(OvertimeAlertTest, WithoutAViewModelNothingShowsAndDetachingUnsubscribes) {
  manager_.SetViewModel(nullptr);
  FireShow();
  EXPECT_EQ(hostkit::LastAlert(), nullptr);
  EXPECT_TRUE(hostkit::HasLog(1, "view_model_ is null."));
  EXPECT_FALSE(manager_.IsCountingDown());

  manager_.SetViewModel(&view_model_);
  manager_.SetViewDetached();
  EXPECT_EQ(hostkit::SubscriptionsOf(&manager_), 0u);
  FireShow();
  EXPECT_EQ(hostkit::LastAlert(), nullptr);
}

TEST_F(OvertimeAlertTest, DetachingDuringTheCountdownNeverLeadsOut) {
  FireShow();
  hostkit::AdvanceClock(4000);
  hostkit::DetachViewModel(view_model_);
  manager_.SetViewDetached();
  hostkit::AdvanceClock(10000);
  EXPECT_EQ(view_model_.quits, 0);
  EXPECT_EQ(hostkit::SubscriptionsOf(&manager_), 0u);
}

}  // namespace
