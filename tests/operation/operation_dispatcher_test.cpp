// The operation dispatcher: which alerts are queued with the operation alert model, which are
// dropped while the client was opened for a meeting or the model's rules ignore them, and when
// a module's callback runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/scope_singleton.h"
#include "hostkit/hostkit.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/operation/operation_dispatcher.h"

namespace {

namespace op = velto_common::utils::operation_dispatcher;
namespace id = velto::model_id;
namespace command = velto::model_command;
namespace event = velto::model_event;
using hostkit::Json;
using hostkit::Variant;

constexpr char kAdPrioritySetting[] = "operating_activities.op_dispatcher.ad_priotity";

class OperationDispatcherTest : public testing::Test {
 protected:
  void SetUp() override {
    alerts_ = &hostkit::InstallModel(id::kOperationAlertModel);
    alerts_->Succeed(command::operation_alert::kAddAlert).Succeed(command::operation_alert::kPullShowRules);
    meeting_ = &hostkit::InstallModel(id::kMeetingModel);
    auth_ = &hostkit::InstallModel(id::kAuthorizationModel);
    app_state_ = &hostkit::InstallModel(id::kAppStateModel);
    app_state_->Answer(command::app_state::kCallFuncGetParseSchemeMission, Json(R"({"scheme_url": ""})"));
    configuration_ = &hostkit::InstallModel(id::kConfigurationModel);
    SetAdPriority(op::kAdPriorityTypeNone);
    op::InitOperationDispatcher();
  }

  void SetAdPriority(int priority) {
    configuration_->Handle(1, [priority](const Variant& argument, Variant* out) {
      if (argument.GetString("key") != kAdPrioritySetting) return false;
      *out = priority;
      return true;
    });
  }

  // Queues an alert whose callback records `name`.
  void Queue(op::OperationAlertType type, const std::string& name,
             const std::string& scheme = "velto://page/activity") {
    op::CheckAndAddOperationAlert(type, scheme, [this, name] { shown_.push_back(name); });
  }

  void Show(int type) {
    alerts_->Fire(event::operation_alert::kShow, Json("{\"operation_type\": " + std::to_string(type) + "}"));
  }

  hostkit::ScriptedModel* alerts_ = nullptr;
  hostkit::ScriptedModel* meeting_ = nullptr;
  hostkit::ScriptedModel* auth_ = nullptr;
  hostkit::ScriptedModel* app_state_ = nullptr;
  hostkit::ScriptedModel* configuration_ = nullptr;
  std::vector<std::string> shown_;
};

TEST_F(OperationDispatcherTest, AQueuedAlertRunsOnceWhenTheModelShowsIt) {
  Queue(op::kOperationAlertActivity, "activity");
  EXPECT_EQ(alerts_->LastArgument(command::operation_alert::kAddAlert).ToJsonStr(),
            R"({"operation_type":2,"scheme_path":"velto://page/activity"})");
  ASSERT_NE(hostkit::LastAnalytics("operation_dispatcher_check_alert"), nullptr);
  EXPECT_EQ(hostkit::LastAnalytics("operation_dispatcher_check_alert")->properties.at("alert_id"), "2");
  EXPECT_TRUE(hostkit::HasLog(6, "operation_type:2can insert operation dispatcher"));
  EXPECT_TRUE(shown_.empty());

  Show(op::kOperationAlertActivity);
  EXPECT_EQ(shown_, std::vector<std::string>{"activity"});
  EXPECT_TRUE(hostkit::HasLog(6, "set alert_type:2,to dispatcher"));
  EXPECT_TRUE(hostkit::HasLog(6, "clear alert_ops_,alert_type:2"));
  ASSERT_NE(hostkit::LastAnalytics("operation_dispatcher_show_alert"), nullptr);
  EXPECT_EQ(hostkit::LastAnalytics("operation_dispatcher_show_alert")->properties.at("alert_id"), "2");

  Show(op::kOperationAlertActivity);
  EXPECT_EQ(shown_.size(), 1u);
  EXPECT_TRUE(hostkit::HasLog(6, "alert_type:2,not exists"));
}

TEST_F(OperationDispatcherTest, AShowEventForAnUnknownTypeOrWithoutParametersOnlyLogs) {
  Queue(op::kOperationAlertActivity, "activity");
  Show(op::kOperationAlertPromotion);
  EXPECT_TRUE(hostkit::HasLog(6, "alert_type:1,not exists"));
  alerts_->FireNull(event::operation_alert::kShow);
  EXPECT_TRUE(hostkit::HasLog(3, "params is nullptr"));
  EXPECT_TRUE(shown_.empty());
  EXPECT_EQ(hostkit::CountAnalytics("operation_dispatcher_show_alert"), 0u);
  Show(op::kOperationAlertActivity);
  EXPECT_EQ(shown_.size(), 1u);
}

TEST_F(OperationDispatcherTest, ALaterAlertOfTheSameTypeReplacesAWaitingOne) {
  Queue(op::kOperationAlertPromotion, "first");
  Queue(op::kOperationAlertPromotion, "second");
  Show(op::kOperationAlertPromotion);
  EXPECT_EQ(shown_, std::vector<std::string>{"second"});
}

TEST_F(OperationDispatcherTest, StartedIntoAMeetingDropsAlertsUntilTheFirstMeetingIsLeft) {
  op::SaveParseSchemeParams(Json(R"({"scheme_url": "velto://page/inmeeting?code=123&ticket=T0PSECRET"})"));
  EXPECT_TRUE(op::IsStartUpByScheme());
  EXPECT_TRUE(op::IsInMeetingPath());
  Queue(op::kOperationAlertActivity, "activity");
  EXPECT_TRUE(hostkit::HasLog(6, "is inmeeting path,ignore operation alert"));
  EXPECT_EQ(alerts_->CallCount(command::operation_alert::kAddAlert), 0u);
  Show(op::kOperationAlertActivity);
  EXPECT_TRUE(shown_.empty());

  meeting_->Fire(event::meeting::kLeaveComplete, Variant::Map());
  EXPECT_TRUE(hostkit::HasLog(6, "leave room complete"));
  Queue(op::kOperationAlertActivity, "activity");
  EXPECT_EQ(alerts_->CallCount(command::operation_alert::kAddAlert), 1u);
  EXPECT_TRUE(hostkit::HasLog(6, "is_meeting_complete:true"));
  Show(op::kOperationAlertActivity);
  EXPECT_EQ(shown_, std::vector<std::string>{"activity"});

  for (const hostkit::LogRecord& record : hostkit::Logs()) {
    EXPECT_EQ(record.text.find("T0PSECRET"), std::string::npos) << record.text;
  }
}

TEST_F(OperationDispatcherTest, AMeetingSchemeStillWaitingAsAMissionCountsAsAStartIntoAMeeting) {
  struct Case {
    const char* mission;
    bool in_meeting;
  };
  const Case cases[] = {
      {R"({"scheme_url": "velto://page/inmeeting"})", true},
      {R"({"scheme_url": "velto://page/inmeeting?meeting_code=1"})", true},
      {R"({"scheme_url": "velto://page/inmeeting_history"})", false},
      {R"({"scheme_url": "velto://page/schedule"})", false},
      {R"({"scheme_url": 5})", false},
      {"[]", false},
  };
  for (const Case& c : cases) {
    hostkit::ClearLogs();
    app_state_->Answer(command::app_state::kCallFuncGetParseSchemeMission, Json(c.mission));
    EXPECT_EQ(op::IsInMeetingPath(), c.in_meeting) << c.mission;
    EXPECT_TRUE(hostkit::HasLog(6, "kCallFuncGetParseSchemeMission result:true")) << c.mission;
    EXPECT_TRUE(hostkit::HasLog(6, std::string("in_scheme:") + (c.in_meeting ? "true" : "false"))) << c.mission;
  }
  app_state_->Fail(command::app_state::kCallFuncGetParseSchemeMission);
  EXPECT_FALSE(op::IsInMeetingPath());
  EXPECT_TRUE(hostkit::HasLog(6, "kCallFuncGetParseSchemeMission result:false"));
}

TEST_F(OperationDispatcherTest, TheExperiencePriorityDropsAlertsOnlyWhenTheClientWasPulledUp) {
  SetAdPriority(op::kAdPriorityTypeExperience);
  Queue(op::kOperationAlertPromotion, "not pulled up");
  EXPECT_EQ(alerts_->CallCount(command::operation_alert::kAddAlert), 1u);

  op::SavePushType(3);
  EXPECT_TRUE(hostkit::HasLog(6, "save push type:3"));
  EXPECT_TRUE(op::IsStartUpByScheme());
  Queue(op::kOperationAlertPromotion, "pulled up");
  EXPECT_TRUE(hostkit::HasLog(6, "is kAdPriorityTypeExperience ,ignore operation alert"));
  EXPECT_EQ(alerts_->CallCount(command::operation_alert::kAddAlert), 1u);

  SetAdPriority(op::kAdPriorityTypeAdvertising);
  Queue(op::kOperationAlertPromotion, "advertising first");
  EXPECT_EQ(alerts_->CallCount(command::operation_alert::kAddAlert), 2u);
  EXPECT_TRUE(hostkit::HasLog(6, "get db value, advertising_priority:2"));
  EXPECT_EQ(configuration_->LastArgument(1).ToJsonStr(),
            R"({"key":"operating_activities.op_dispatcher.ad_priotity","def_value":0})");

  meeting_->Fire(event::meeting::kLeaveComplete, Variant::Map());
  SetAdPriority(op::kAdPriorityTypeExperience);
  Queue(op::kOperationAlertPromotion, "after a meeting");
  EXPECT_EQ(alerts_->CallCount(command::operation_alert::kAddAlert), 3u);
  Show(op::kOperationAlertPromotion);
  EXPECT_EQ(shown_, std::vector<std::string>{"after a meeting"});
}

TEST_F(OperationDispatcherTest, TheIgnoreListDropsNewAlertsAndAlertsThatWait) {
  Queue(op::kOperationAlertActivity, "activity");
  Queue(op::kOperationAlertPayGuide, "pay guide");
  alerts_->Fire(event::operation_alert::kIgnoreList, Json(R"([4, "x", 9, 4.5])"));
  EXPECT_TRUE(hostkit::HasLog(6, "last list []"));
  EXPECT_TRUE(hostkit::HasLog(6, "newest list [4,9]"));
  EXPECT_TRUE(hostkit::HasLog(6, "delete exist alert,id:4"));
  const hostkit::AnalyticsEvent* ignored = hostkit::LastAnalytics("operation_dispatcher_ignore_alert");
  ASSERT_NE(ignored, nullptr);
  EXPECT_EQ(ignored->properties.at("alert_id"), "4");
  EXPECT_EQ(ignored->properties.at("ignore_type"),
            "ignore_list,operation_type:4,is_pull_up_start:0,in_meeting_path_type: 0");

  Show(op::kOperationAlertPayGuide);
  EXPECT_TRUE(shown_.empty());
  Show(op::kOperationAlertActivity);
  EXPECT_EQ(shown_, std::vector<std::string>{"activity"});

  Queue(op::kOperationAlertPayGuide, "pay guide again");
  EXPECT_TRUE(hostkit::HasLog(6, "check alert:4is igore alert"));
  EXPECT_TRUE(hostkit::HasLog(6, "check ignore, igore alerts:[4,9]"));
  EXPECT_EQ(alerts_->CallCount(command::operation_alert::kAddAlert), 2u);
  EXPECT_EQ(hostkit::CountAnalytics("operation_dispatcher_ignore_alert"), 2u);

  // The list only grows: a later list adds to the earlier one.
  alerts_->Fire(event::operation_alert::kIgnoreList, Json("[2]"));
  EXPECT_TRUE(hostkit::HasLog(6, "newest list [2,4,9]"));
  Queue(op::kOperationAlertActivity, "activity again");
  Show(op::kOperationAlertActivity);
  EXPECT_EQ(shown_.size(), 1u);
}

TEST_F(OperationDispatcherTest, AnIgnoreListThatIsNoListIsRefused) {
  Queue(op::kOperationAlertActivity, "activity");
  alerts_->FireNull(event::operation_alert::kIgnoreList);
  EXPECT_TRUE(hostkit::HasLog(3, "params is nullptr"));
  alerts_->Fire(event::operation_alert::kIgnoreList, Json(R"({"types": [2]})"));
  EXPECT_TRUE(hostkit::HasLog(3, R"(params not array, params:{"types":[2]})"));
  Show(op::kOperationAlertActivity);
  EXPECT_EQ(shown_.size(), 1u);
}

TEST_F(OperationDispatcherTest, AModelThatShowsTheAlertFromInsideTheQueueCallRunsIt) {
  alerts_->Handle(command::operation_alert::kAddAlert, [this](const Variant& argument, Variant*) {
    Show(argument.GetInt32("operation_type"));
    return true;
  });
  Queue(op::kOperationAlertNewFeature, "at once");
  EXPECT_EQ(shown_, std::vector<std::string>{"at once"});
}

TEST_F(OperationDispatcherTest, ACallbackMayQueueTheNextAlertOfItsOwnType) {
  op::CheckAndAddOperationAlert(op::kOperationAlertQuestionnaire, "velto://page/q", [this] {
    shown_.push_back("first");
    Queue(op::kOperationAlertQuestionnaire, "second");
  });
  Show(op::kOperationAlertQuestionnaire);
  Show(op::kOperationAlertQuestionnaire);
  EXPECT_EQ(shown_, (std::vector<std::string>{"first", "second"}));
}

TEST_F(OperationDispatcherTest, WithoutTheModelAlertsWaitLocally) {
  hostkit::RemoveModel(id::kOperationAlertModel);
  Queue(op::kOperationAlertActivity, "activity");
  EXPECT_TRUE(hostkit::HasLog(1, "model 1000041 not found"));
  alerts_ = &hostkit::InstallModel(id::kOperationAlertModel);
  op::InitOperationDispatcher();  // reaches the model that came back
  Show(op::kOperationAlertActivity);
  EXPECT_EQ(shown_, std::vector<std::string>{"activity"});
}

TEST_F(OperationDispatcherTest, ShowRulesArePulledOnRequestAndWhenTheAuthorizationChanges) {
  op::PullOperationAlertShowRules(op::kPullRuleModuleRequest);
  EXPECT_EQ(alerts_->LastArgument(command::operation_alert::kPullShowRules).ToJsonStr(), R"({"reason":3})");
  auth_->Fire(event::authorization::kAuthorizeStateUpdate, Variant::Map());
  EXPECT_TRUE(hostkit::HasLog(6, "authorize state update"));
  EXPECT_EQ(alerts_->LastArgument(command::operation_alert::kPullShowRules).ToJsonStr(), R"({"reason":1})");
  EXPECT_EQ(alerts_->CallCount(command::operation_alert::kPullShowRules), 2u);
}

TEST_F(OperationDispatcherTest, StartUpFactsComeFromTheSchemeAndThePush) {
  EXPECT_FALSE(op::IsStartUpByScheme());
  EXPECT_TRUE(hostkit::HasLog(6, "is_start_up_by_scheme:false"));
  op::SaveParseSchemeParams(Json(R"({"scheme_url": ""})"));
  EXPECT_FALSE(op::IsStartUpByScheme());
  op::SaveParseSchemeParams(Json(R"({"scheme_url": "velto://page/schedule?token=abcdefgh"})"));
  EXPECT_TRUE(op::IsStartUpByScheme());
  EXPECT_FALSE(op::IsInMeetingPath());
  EXPECT_TRUE(hostkit::HasLog(6, "in_meeting_path_type_:2"));
  EXPECT_TRUE(hostkit::HasLog(6, "save scheme params:"));
  EXPECT_FALSE(hostkit::HasLog(6, "abcdefgh"));
  op::ShowOperationAlert(op::kOperationAlertPayGuide);
  EXPECT_TRUE(hostkit::HasLog(6, "operation_type:4"));
}

TEST_F(OperationDispatcherTest, InitTwiceSubscribesOnceAndTeardownUnsubscribes) {
  op::InitOperationDispatcher();
  EXPECT_EQ(hostkit::TotalSubscribers(), 4u);
  EXPECT_EQ(hostkit::CountLogs(6, "init"), 1u);
  base::TeardownScopeSingletons();
  EXPECT_EQ(hostkit::TotalSubscribers(), 0u);
}

}  // namespace
