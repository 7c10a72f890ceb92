// The in-meeting audio exception alert: when it shows, as what, what it says, what its buttons
// do and how it goes away.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/ui_viewmodel.h"
#include "hostkit/hostkit.h"
#include "hostkit/media_engine.h"
#include "hostkit/meeting_fixture.h"
#include "hostkit/navigation.h"
#include "module_api/audio/audio_exception.h"
#include "module_api/audio/audio_utils.h"
#include "module_api/model_ids.h"
#include "module_api/notification/notification_center.h"

namespace {

namespace audio_exception = velto_common::utils::audio_exception;
namespace id = velto::model_id;
using hostkit::Json;
using hostkit::NavigationKind;
using hostkit::Variant;
using velto_common::utils::inmeetingnotificationcenter::NotificationCenter;

constexpr int kNotificationModel = NotificationCenter::kModelId;

class AudioExceptionTest : public testing::Test {
 protected:
  void SetUp() override {
    meeting_.Install();
    audio_exception::RegisterAudioExceptionAlertHost(host_);
    audio_exception::SetJoinMeetingAudioSelectComplete(true);
  }

  size_t Count(NavigationKind kind, const std::string& page = audio_exception::kAudioExceptionAlertPage) const {
    size_t count = 0;
    for (const auto& navigation : hostkit::Navigations()) count += navigation.kind == kind && navigation.page == page;
    return count;
  }

  // The centre is on: entries go to model 721.
  hostkit::ScriptedModel& EnableNotificationCenter() {
    auto& center = hostkit::InstallModel(kNotificationModel);
    center.Answer(3, true).Succeed(0).Succeed(1).Succeed(2);
    return center;
  }

  hostkit::MeetingFixture meeting_;
  std::shared_ptr<const framework::Context> host_ = std::make_shared<framework::Context>(7, "meeting");
};

TEST_F(AudioExceptionTest, AnExceptionEventPushesTheAlertPageWithItsTexts) {
  hostkit::SetLocalizedString(0x56A00020, "{device_name} is stuck");
  hostkit::SetLocalizedString(0x56A00022, "{app_name} cannot start {device_name}");
  hostkit::SetLocalizedString(0x56A00001, "Velto");
  meeting_.audio().Handle(94, [](const Variant&, Variant* out) {
    *out = Json(R"({"device_id": "mic-1", "device_type": 1, "error_type": 1, "device_name": "USB Mic"})");
    return true;
  });
  meeting_.RaiseAudioDeviceException("mic-1", 1, 1, /*user_trigger=*/true);
  ASSERT_EQ(Count(NavigationKind::kPush), 1u);
  const hostkit::Navigation& push = hostkit::Navigations().back();
  EXPECT_EQ(push.view_ref, 7);
  EXPECT_EQ(push.page_stack, static_cast<int>(framework::PageStack::kWindow));
  const Variant& args = push.arguments;
  EXPECT_EQ(args.GetString("title"), "USB Mic is stuck");
  EXPECT_EQ(args.GetString("content"), "Velto cannot start USB Mic");
  EXPECT_EQ(args.GetString("device_id"), "mic-1");
  EXPECT_EQ(args.GetInteger("error_type"), 1);
  EXPECT_TRUE(args.GetBoolean("user_trigger"));
  EXPECT_EQ(args.GetInteger("main_action_type"), audio_exception::kActionUnderstood);
  EXPECT_EQ(args.GetInteger("close_action_type"), audio_exception::kActionClose);
  EXPECT_TRUE(hostkit::HasLog(6, "show audio exception alert. device id: mic-1, type: 1, err: 1"));
  for (const char* key : {"device_type", "device_name", "suffix", "guide", "app_name", "key_word",
                          "key_word_action_type", "main_action_name", "sub_action_name", "sub_action_type",
                          "third_action_name", "third_action_type", "icon_type"}) {
    EXPECT_TRUE(args.Has(key)) << key;
  }
}

TEST_F(AudioExceptionTest, TheAlertStaysAwayWhileARuleForbidsIt) {
  struct Case {
    const char* rule;
    std::function<void(hostkit::MeetingFixture&)> arrange;
    int level;
    const char* log;
  };
  const Case cases[] = {
      {"not in a meeting", [](hostkit::MeetingFixture& f) { f.LeaveMeeting(); }, 6,
       "receive audio exception, but not in meeting."},
      {"join selection open", [](hostkit::MeetingFixture&) { audio_exception::SetJoinMeetingAudioSelectComplete(false); },
       6, "receive audio exception, but audio select no complete"},
      {"interrupted", [](hostkit::MeetingFixture& f) { f.SetAlertInterrupted(true); }, 6,
       "alert will not show util the interruption stop."},
      {"telephone audio", [](hostkit::MeetingFixture& f) { f.SetAudioConnectMode(2); }, 6,
       "alert will not show when in pstn mode."},
      {"called telephone", [](hostkit::MeetingFixture& f) { f.SetAudioConnectMode(3); }, 6,
       "alert will not show when in pstn mode."},
      {"no exception after all", [](hostkit::MeetingFixture& f) { f.audio().Answer(93, false); }, 6,
       "no audio exception"},
  };
  for (const Case& c : cases) {
    hostkit::Reset();
    meeting_.Install();
    audio_exception::RegisterAudioExceptionAlertHost(host_);
    audio_exception::SetJoinMeetingAudioSelectComplete(true);
    c.arrange(meeting_);
    meeting_.RaiseAudioDeviceException("mic-1", 1, 1);
    EXPECT_EQ(hostkit::Navigations().size(), 0u) << c.rule;
    EXPECT_TRUE(hostkit::HasLog(c.level, c.log)) << c.rule;
  }
}

TEST_F(AudioExceptionTest, TheInterruptionQuestionNamesTheAlert) {
  meeting_.RaiseAudioDeviceException("mic-1", 1, 1);
  EXPECT_EQ(meeting_.event_bus().LastArgument(2).ToJsonStr(), R"({"event_id":125,"should_interrupt_alert_show":false})");
}

TEST_F(AudioExceptionTest, AnEventWithoutDataIsAnError) {
  meeting_.audio().FireNull(audio_exception::kAudioExceptionEvent);
  EXPECT_TRUE(hostkit::HasLog(1, "no exception but received an event."));
  EXPECT_TRUE(hostkit::Navigations().empty());
}

TEST_F(AudioExceptionTest, WithoutAHostTheCheckOnlyLogs) {
  audio_exception::UnregisterAudioExceptionAlertHost(host_);
  meeting_.RaiseAudioDeviceException("mic-1", 1, 1);  // no longer subscribed
  EXPECT_FALSE(hostkit::HasLog(4, "no vm context"));
  audio_exception::CheckAudioException();
  EXPECT_FALSE(hostkit::HasLog(4, "no vm context"));  // posted, not run yet
  hostkit::RunUntilIdle();
  EXPECT_TRUE(hostkit::HasLog(4, "no vm context to show audio exception alert."));
  EXPECT_TRUE(hostkit::Navigations().empty());
}

TEST_F(AudioExceptionTest, OnlyTheRegisteredHostUnregisters) {
  audio_exception::UnregisterAudioExceptionAlertHost(std::make_shared<framework::Context>(8));
  EXPECT_TRUE(hostkit::HasLog(1, "try to unregister vm context by others, please check!"));
  meeting_.RaiseAudioDeviceException("mic-1", 1, 1);
  EXPECT_EQ(Count(NavigationKind::kPush), 1u);

  auto second = std::make_shared<framework::Context>(9);
  audio_exception::RegisterAudioExceptionAlertHost(second);
  EXPECT_TRUE(hostkit::HasLog(1, "another vm context was registered, please check!"));
  EXPECT_EQ(meeting_.audio().SubscriberCount(audio_exception::kAudioExceptionEvent), 1u);
  meeting_.RaiseAudioDeviceException("spk-1", 2, 1);
  EXPECT_EQ(hostkit::Navigations().back().view_ref, 9);
}

TEST_F(AudioExceptionTest, ACloseEventTakesThePageDown) {
  meeting_.RaiseAudioDeviceException("mic-1", 1, 3);
  meeting_.ClearAudioDeviceException();
  EXPECT_EQ(Count(NavigationKind::kPopOther), 1u);
  EXPECT_TRUE(hostkit::HasLog(6, "close audio exception alert"));
}

TEST_F(AudioExceptionTest, WithTheNotificationCenterTheAlertIsAnEntry) {
  auto& center = EnableNotificationCenter();
  meeting_.RaiseAudioDeviceException("mic-1", 1, 4);
  EXPECT_EQ(Count(NavigationKind::kPush), 0u);
  ASSERT_EQ(center.CallCount(0), 1u);
  const Variant entry = center.LastArgument(0);
  EXPECT_FALSE(entry.GetString("description").empty());
  EXPECT_FALSE(entry.GetString("action_button_title").empty());
  EXPECT_EQ(entry.GetUint64("auto_hide_time_interval"), 0u);
  EXPECT_EQ(meeting_.audio().LastArgument(95).ToJsonStr(), R"({"device_id":"mic-1","user_trigger":false})");

  // The driver error's action button restarts the audio service, a final action.
  auto* block = static_cast<NotificationCenter::InteractiveBlock*>(entry.Get("interactive_block").AsPointer());
  ASSERT_NE(block, nullptr);
  (*block)(1);
  EXPECT_EQ(hostkit::CountMediaEngineCalls("RebootDriver"), 1u);
  EXPECT_EQ(meeting_.audio().LastArgument(98).ToJsonStr(), R"({"restart_audio":true})");
  EXPECT_EQ(hostkit::CountAnalytics("e#audio_device_abnormal#restart_service#click"), 1u);
  EXPECT_EQ(center.CallCount(2), 1u);
  EXPECT_EQ(Count(NavigationKind::kPopOther), 1u);
  hostkit::RunUntilIdle();  // the removed entry goes away after its own callback returned
}

TEST_F(AudioExceptionTest, ANonFinalEntryButtonKeepsTheEntry) {
  auto& center = EnableNotificationCenter();
  meeting_.RaiseAudioDeviceException("mic-1", 1, 1);
  const Variant entry = center.LastArgument(0);
  auto* block = static_cast<NotificationCenter::InteractiveBlock*>(entry.Get("interactive_block").AsPointer());
  ASSERT_NE(block, nullptr);
  (*block)(4);  // the hyperlink: the troubleshooting guide
  EXPECT_EQ(center.CallCount(2), 0u);
  ASSERT_FALSE(hostkit::Navigations().empty());
  EXPECT_NE(hostkit::Navigations().back().arguments.GetString("url").find("/support/topic/1473/"), std::string::npos);
  (*block)(99);  // nothing the centre would send
  EXPECT_EQ(center.CallCount(2), 0u);
}

TEST_F(AudioExceptionTest, ACloseEventRemovesTheEntry) {
  auto& center = EnableNotificationCenter();
  meeting_.RaiseAudioDeviceException("mic-1", 1, 1);
  meeting_.ClearAudioDeviceException();
  EXPECT_EQ(center.CallCount(2), 1u);
  hostkit::RunUntilIdle();
}

TEST_F(AudioExceptionTest, ANewerExceptionReplacesTheEntry) {
  auto& center = EnableNotificationCenter();
  meeting_.RaiseAudioDeviceException("mic-1", 1, 1);
  meeting_.RaiseAudioDeviceException("spk-1", 2, 3);
  EXPECT_EQ(center.CallCount(0), 2u);
  EXPECT_EQ(center.CallCount(2), 1u);
  hostkit::RunUntilIdle();
}

TEST_F(AudioExceptionTest, ActionsDoWhatTheirButtonsSay) {
  struct Case {
    int action;
    std::function<void()> arrange;
    std::function<bool()> happened;
    bool final_action;
  };
  auto pushed_setting = [] {
    const auto& navigations = hostkit::Navigations();
    for (const auto& navigation : navigations) {
      if (navigation.page == "velto://page/setting") {
        return navigation.arguments.ToJsonStr() == R"({"selected_tab_id":"audio","top_most":true})";
      }
    }
    return false;
  };
  const Case cases[] = {
      {audio_exception::kActionAudioTest,
       [this] { meeting_.SetConfigurationItem("meeting", "audio_detect_page_entrance", true); },
       [this] { return meeting_.audio().CallCount(128) == 1; }, false},
      {audio_exception::kActionAudioTest, [] {}, pushed_setting, false},
      {audio_exception::kActionOpenAudioSettings, [] {}, pushed_setting, false},
      {audio_exception::kActionUseComputerAudio, [] {},
       [this] { return meeting_.audio().LastArgument(69).ToJsonStr() == R"({"audio_connect_mode":1})"; }, true},
      {audio_exception::kActionIgnoreDevice, [this] { meeting_.RaiseAudioDeviceException("mic-1", 1, 3); },
       [this] { return meeting_.audio().LastArgument(96).ToJsonStr() == R"({"ignore_device_id":"mic-1"})"; }, true},
      {audio_exception::kActionTroubleshooting, [] {},
       [] {
         return !hostkit::Navigations().empty() &&
                hostkit::Navigations().back().arguments.GetString("url").find("/support/topic/1473/") !=
                    std::string::npos;
       },
       false},
      {audio_exception::kActionRestartAudioService, [] {},
       [this] { return hostkit::CountMediaEngineCalls("RebootDriver") == 1 && meeting_.audio().CallCount(98) == 1; },
       true},
      {audio_exception::kActionNone, [] {}, [] { return hostkit::Navigations().empty(); }, false},
  };
  for (const Case& c : cases) {
    hostkit::Reset();
    meeting_.Install();
    audio_exception::RegisterAudioExceptionAlertHost(host_);
    c.arrange();
    hostkit::ClearNavigations();
    audio_exception::HandleAudioException(host_, c.action);
    EXPECT_TRUE(c.happened()) << c.action;
    EXPECT_TRUE(hostkit::HasLog(6, "handle audio exception with action: " + std::to_string(c.action)));
    EXPECT_EQ(Count(NavigationKind::kPopOther), c.final_action ? 1u : 0u) << c.action;
    EXPECT_EQ(audio_exception::IsFinalAction(c.action), c.final_action) << c.action;
  }
}

TEST(AudioExceptionActions, FinalActionsCloseTheAlert) {
  for (int action : {0, 4, 5, 10}) EXPECT_FALSE(audio_exception::IsFinalAction(action)) << action;
  for (int action : {1, 2, 3, 6, 7, 8, 9, 11, 12, -1}) EXPECT_TRUE(audio_exception::IsFinalAction(action)) << action;
}

TEST_F(AudioExceptionTest, ReportsNameTheButtonAndTheFailure) {
  struct Case {
    int action;
    int report_type;
    const char* event;  // null: nothing reported
    const char* log;
  };
  const Case cases[] = {
      {1, 0, "e#audio_device_abnormal#cancel#click", nullptr},
      {2, 0, "e#audio_device_abnormal#understood#click", nullptr},
      {4, 0, "e#audio_device_abnormal#audio_test#click", nullptr},
      {10, 0, "e#audio_device_abnormal#troubleshooting_guide#click", nullptr},
      {11, 0, "e#audio_device_abnormal#restart_service#click", nullptr},
      {1, 1, "e#mic_no_authorization#cancel#click", nullptr},
      {5, 1, "e#mic_no_authorization#settings#click", nullptr},
      {10, 1, "e#mic_no_authorization#troubleshooting_guide#click", nullptr},
      {5, 0, nullptr, "action type invalid"},
      {11, 1, nullptr, "action type invalid"},
      {1, 7, nullptr, "event code empty"},
  };
  meeting_.audio().Answer(94, Json(R"({"device_id": "mic-1", "device_type": 1, "error_type": 2})"));
  for (const Case& c : cases) {
    hostkit::ClearAnalytics();
    hostkit::ClearLogs();
    audio_exception::ReportAudioException(c.action, c.report_type, false);
    if (!c.event) {
      EXPECT_TRUE(hostkit::AnalyticsEvents().empty()) << c.action << "/" << c.report_type;
      EXPECT_TRUE(hostkit::HasLog(3, c.log)) << c.action << "/" << c.report_type;
      continue;
    }
    const hostkit::AnalyticsEvent* event = hostkit::LastAnalytics(c.event);
    ASSERT_NE(event, nullptr) << c.event;
    EXPECT_EQ(event->properties.at("input_device_type"), "1");
    EXPECT_EQ(event->properties.at("audio_error_type"), "2");
  }

  meeting_.audio().Answer(94, Json(R"({"device_id": "", "device_type": 0, "error_type": 0})"));
  audio_exception::ReportAudioException(1, 0, false);
  EXPECT_TRUE(hostkit::HasLog(6, "has no audio exception, ignore"));
  meeting_.audio().Fail(94);
  audio_exception::ReportAudioException(1, 0, false);
  EXPECT_TRUE(hostkit::HasLog(1, "get audio exception info fail"));
}

TEST_F(AudioExceptionTest, ExposureNeedsADeviceAndTheAudioModel) {
  audio_exception::MarkAudioExceptionExposure("", true);
  EXPECT_TRUE(hostkit::HasLog(3, "invalid device id"));
  EXPECT_EQ(meeting_.audio().CallCount(95), 0u);
  hostkit::RemoveModel(id::kAudioModel);
  audio_exception::MarkAudioExceptionExposure("mic-1", true);
  EXPECT_TRUE(hostkit::HasLog(1, "no audio model!"));
}

TEST_F(AudioExceptionTest, UiInformationChecksItsCallerAndItsException) {
  framework::UIViewModel view_model;
  Variant out = Variant::Map();
  EXPECT_FALSE(audio_exception::GetAudioExceptionUIInfo(nullptr, 0, out, {}));
  EXPECT_TRUE(hostkit::HasLog(1, "ui data must attach to a vm, please check!"));
  Variant not_map;
  EXPECT_FALSE(audio_exception::GetAudioExceptionUIInfo(&view_model, 0, not_map, {}));
  EXPECT_TRUE(hostkit::HasLog(1, "the result for ui data must be a map, please check!"));
  EXPECT_FALSE(audio_exception::GetAudioExceptionUIInfo(&view_model, 0, out, {}));  // no exception
  EXPECT_TRUE(hostkit::HasLog(1, "cannot get audio exception"));

  struct Case {
    int device_type;
    int error_type;
    const char* log;  // null: accepted
  };
  const Case cases[] = {{1, 1, nullptr}, {2, 1, nullptr},  {1, 2, nullptr},
                        {2, 2, "error type invalid"},  // speakers need no permission
                        {1, 3, nullptr}, {2, 4, nullptr},  {1, 9, "error type invalid"},
                        {1, 0, "error type invalid"},  {3, 1, "unsupport audio exception for device type: 3"}};
  for (const Case& c : cases) {
    hostkit::ClearLogs();
    Variant exception = Variant::Map();
    exception["device_id"] = "dev";
    exception["device_type"] = c.device_type;
    exception["error_type"] = c.error_type;
    meeting_.audio().Answer(94, exception);
    Variant info = Variant::Map();
    const bool filled = audio_exception::GetAudioExceptionUIInfo(&view_model, 0, info, Json(R"({"device_name": "Dev"})"));
    EXPECT_EQ(filled, c.log == nullptr) << c.device_type << "/" << c.error_type;
    if (c.log) {
      EXPECT_TRUE(hostkit::HasLog(1, c.log)) << c.device_type << "/" << c.error_type;
      continue;
    }
    EXPECT_EQ(info.GetString("device_name"), "Dev");
    EXPECT_FALSE(info.GetString("title").empty());
  }
}

TEST_F(AudioExceptionTest, PermissionFailureLeadsToTheSettings) {
  framework::UIViewModel view_model;
  meeting_.audio().Answer(94, Json(R"({"device_id": "mic-1", "device_type": 1, "error_type": 2})"));
  Variant info = Variant::Map();
  ASSERT_TRUE(audio_exception::GetAudioExceptionUIInfo(&view_model, 0, info, {}));
  EXPECT_EQ(info.GetInteger("main_action_type"), audio_exception::kActionOpenAudioSettings);
  EXPECT_EQ(info.GetInteger("sub_action_type"), audio_exception::kActionCancel);
  EXPECT_EQ(info.GetInteger("key_word_action_type"), audio_exception::kActionTroubleshooting);
  EXPECT_EQ(info.GetString("device_name"), "mic-1");  // nobody named the device
}

}  // namespace
