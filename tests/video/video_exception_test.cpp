// The in-meeting camera exception alert: which error shows it, what the video model is told,
// where it shows, what it says, what its buttons do and what is reported.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ui_viewmodel.h"
#include "hostkit/hostkit.h"
#include "hostkit/navigation.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/video/video_exception.h"
#include "module_api/video/video_utils.h"

namespace {

namespace video_exception = velto_common::utils::video_exception;
namespace video = velto_common::utils::video;
namespace id = velto::model_id;
namespace command = velto::model_command;
using hostkit::Json;
using hostkit::NavigationKind;
using hostkit::Variant;

constexpr int kExceptionEvent = velto::model_event::video::kDeviceException;
constexpr char kAlertPage[] = "velto://page/video_exception_alert";
constexpr char kInMeetingPage[] = "velto://page/inmeeting";
constexpr char kSettingPage[] = "velto://page/setting";

Variant Exception(int error_type, bool user_trigger = false) {
  Variant data = Variant::Map();
  data["device_id"] = "cam-1";
  data["device_state"] = 1;
  data["error_type"] = error_type;
  data["user_trigger"] = user_trigger;
  return data;
}

class VideoExceptionTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallVideoModel();
    video_exception::RegisterVideoExceptionAlertHost(host_, kInMeetingPage);
  }

  // The video model answers the exception last raised on it (command 45).
  void InstallVideoModel() {
    video_ = &hostkit::InstallModel(id::kVideoModel);
    video_->Succeed(command::video::kResetException).Succeed(command::video::kHandleException);
    video_->Handle(command::video::kRaiseException, [this](const Variant& argument, Variant*) {
      held_ = argument;
      return true;
    });
    video_->Handle(command::video::kDeviceException, [this](const Variant&, Variant* out) {
      if (held_.IsNull()) return false;
      *out = held_;
      return true;
    });
  }

  // Fires the video model's exception event, as the video model does for what it detects.
  void Fire(int error_type, bool user_trigger = false) {
    held_ = Exception(error_type, user_trigger);
    video_->Fire(kExceptionEvent, held_);
  }

  static size_t Count(NavigationKind kind) {
    size_t count = 0;
    for (const auto& navigation : hostkit::Navigations())
      count += navigation.kind == kind && navigation.page == kAlertPage;
    return count;
  }

  hostkit::ScriptedModel* video_ = nullptr;
  Variant held_;
  std::shared_ptr<const framework::Context> host_ = std::make_shared<framework::Context>(9, "meeting");
};

TEST_F(VideoExceptionTest, EachErrorTypeShowsTellsAndReportsAsItsRowSays) {
  struct Case {
    int error_type;
    bool shown;
    size_t handle_calls;  // command 44
    size_t reset_calls;   // command 43
    const char* event;    // the exposure reported, null: none
  };
  const Case cases[] = {
      {-201, true, 1, 0, "e#camera_no_authorization#expose"},
      {-121, true, 0, 0, "e#camera_device_abnormal#expose"},
      {0, false, 1, 1, "e#camera_device_abnormal#expose"},
      {-5, false, 0, 0, "e#camera_device_abnormal#expose"},
      {-130, false, 0, 1, nullptr},  // the first start failure
  };
  for (const Case& c : cases) {
    hostkit::Reset();
    SetUp();
    Fire(c.error_type);
    EXPECT_EQ(Count(NavigationKind::kPushModal), c.shown ? 1u : 0u) << c.error_type;
    EXPECT_EQ(video_->CallCount(command::video::kHandleException), c.handle_calls) << c.error_type;
    EXPECT_EQ(video_->CallCount(command::video::kResetException), c.reset_calls) << c.error_type;
    EXPECT_EQ(hostkit::AnalyticsEvents().size(), c.event ? 1u : 0u) << c.error_type;
    if (c.event) {
      const hostkit::AnalyticsEvent* event = hostkit::LastAnalytics(c.event);
      ASSERT_NE(event, nullptr) << c.error_type;
      EXPECT_EQ(event->properties.at("device_id"), "cam-1");
      EXPECT_EQ(event->properties.at("error_type"), std::to_string(c.error_type));
    }
    EXPECT_TRUE(hostkit::HasLog(
        6, "show video exception alert. device id: cam-1, stat: 1, err: " + std::to_string(c.error_type)));
  }
}

TEST_F(VideoExceptionTest, TheVideoModelHearsOfTheExceptionBeforeTheAlertShows) {
  std::vector<std::string> order;
  video_->Handle(command::video::kHandleException, [&order](const Variant&, Variant*) {
    order.push_back(hostkit::Navigations().empty() ? "44 before the page" : "44 after the page");
    return true;
  });
  Fire(-201);
  ASSERT_EQ(order.size(), 1u);
  EXPECT_EQ(order[0], "44 before the page");
  EXPECT_EQ(video_->LastArgument(command::video::kHandleException), Exception(-201));
}

TEST_F(VideoExceptionTest, OnlyARepeatedStartFailureShowsTheAlert) {
  Fire(-130);
  EXPECT_EQ(Count(NavigationKind::kPushModal), 0u);
  EXPECT_EQ(video_->LastArgument(command::video::kResetException), Exception(-130));
  Fire(-130);
  EXPECT_EQ(Count(NavigationKind::kPushModal), 1u);
  EXPECT_EQ(video_->CallCount(command::video::kHandleException), 1u);
  EXPECT_EQ(hostkit::CountAnalytics("e#camera_device_abnormal#expose"), 1u);
  Fire(-130);  // still remembered: shows again
  EXPECT_EQ(Count(NavigationKind::kPushModal), 2u);
}

TEST_F(VideoExceptionTest, NoErrorAndACloseRequestForgetAStartFailure) {
  Fire(-130);
  Fire(0);
  Fire(-130);
  EXPECT_EQ(Count(NavigationKind::kPushModal), 0u) << "after no error the next start failure is a first one";

  Fire(-130);  // the repeat shows
  ASSERT_EQ(Count(NavigationKind::kPushModal), 1u);
  video_->Fire(kExceptionEvent, Json(R"({"close_alert": true, "device_id": "cam-1"})"));
  EXPECT_TRUE(hostkit::HasLog(6, "close video exception alert"));
  EXPECT_EQ(video_->LastArgument(command::video::kResetException).ToJsonStr(),
            R"({"close_alert":true,"device_id":"cam-1"})");
  EXPECT_EQ(video_->LastArgument(command::video::kHandleException).ToJsonStr(),
            R"({"close_alert":true,"device_id":"cam-1"})");
  Fire(-130);
  EXPECT_EQ(Count(NavigationKind::kPushModal), 1u) << "after a close the next start failure is a first one";
}

TEST_F(VideoExceptionTest, TheAlertReplacesAnEarlierOneAndCarriesTheException) {
  Fire(-121, /*user_trigger=*/true);
  const auto& navigations = hostkit::Navigations();
  ASSERT_EQ(navigations.size(), 2u);
  EXPECT_EQ(navigations[0].kind, NavigationKind::kPopOther);
  EXPECT_EQ(navigations[0].page, kAlertPage);
  EXPECT_EQ(navigations[1].kind, NavigationKind::kPushModal);
  EXPECT_EQ(navigations[1].view_ref, 9);
  const Variant& arguments = navigations[1].arguments;
  EXPECT_EQ(arguments.GetString("device_id"), "cam-1");
  EXPECT_EQ(arguments.GetInteger("error_type"), -121);
  EXPECT_TRUE(arguments.GetBoolean("user_trigger"));
  EXPECT_FALSE(arguments.Has("modal_show_mask"));
  EXPECT_EQ(hostkit::LastAnalytics("e#camera_device_abnormal#expose")->properties.at("user_trigger"), "1");
}

TEST_F(VideoExceptionTest, OnTheSettingsPageTheAlertHasNoMask) {
  video_exception::UnregisterVideoExceptionAlertHost(host_);
  video_exception::RegisterVideoExceptionAlertHost(host_, kSettingPage);
  Variant data = Exception(-121);
  data.Remove("user_trigger");
  held_ = data;
  video_->Fire(kExceptionEvent, data);
  ASSERT_EQ(Count(NavigationKind::kPushModal), 1u);
  const Variant& arguments = hostkit::Navigations().back().arguments;
  ASSERT_TRUE(arguments.Has("modal_show_mask"));
  EXPECT_FALSE(arguments.GetBoolean("modal_show_mask", true));
  ASSERT_TRUE(arguments.Has("user_trigger"));
  EXPECT_FALSE(arguments.GetBoolean("user_trigger", true));
}

TEST_F(VideoExceptionTest, WithoutAHostNothingShowsButACloseStillReachesTheVideoModel) {
  video_exception::UnregisterVideoExceptionAlertHost(host_);
  Fire(-121);
  EXPECT_TRUE(hostkit::HasLog(4, "no vm context to show video exception alert."));
  EXPECT_TRUE(hostkit::Navigations().empty());
  EXPECT_TRUE(hostkit::AnalyticsEvents().empty());
  video_->Fire(kExceptionEvent, Json(R"({"close_alert": true})"));
  EXPECT_EQ(video_->CallCount(command::video::kResetException), 1u);
}

TEST_F(VideoExceptionTest, AnEventWithoutDataIsAnError) {
  video_->FireNull(kExceptionEvent);
  EXPECT_TRUE(hostkit::HasLog(1, "no exception but received an event."));
  EXPECT_TRUE(video_->calls().empty());
}

TEST_F(VideoExceptionTest, OnlyTheRegisteredHostUnregisters) {
  auto other = std::make_shared<framework::Context>(10, "other");
  video_exception::UnregisterVideoExceptionAlertHost(other);
  EXPECT_TRUE(hostkit::HasLog(1, "try to unregister vm context by others, please check!"));
  Fire(-121);
  EXPECT_EQ(Count(NavigationKind::kPushModal), 1u);
  EXPECT_EQ(hostkit::Navigations().back().view_ref, 9);

  video_exception::RegisterVideoExceptionAlertHost(other, kSettingPage);
  EXPECT_TRUE(hostkit::HasLog(1, "another vm context was registered, please check!"));
  Fire(-121);
  EXPECT_EQ(hostkit::Navigations().back().view_ref, 10);
}

TEST_F(VideoExceptionTest, ARegistrationHearsTheVideoModelTheHostHasNowAndOnlyOnce) {
  video_exception::RegisterVideoExceptionAlertHost(host_, kInMeetingPage);
  EXPECT_EQ(hostkit::TotalSubscribers(), 1u);
  InstallVideoModel();  // the host replaced the model, perhaps at the same address
  video_exception::RegisterVideoExceptionAlertHost(host_, kInMeetingPage);
  EXPECT_EQ(hostkit::TotalSubscribers(), 1u);
  Fire(-121);
  EXPECT_EQ(Count(NavigationKind::kPushModal), 1u);
}

TEST_F(VideoExceptionTest, RaisingAsksForTheCameraAndTellsTheVideoModelFirst) {
  auto& camera = hostkit::InstallModel(id::kCameraModel);
  camera.Answer(command::camera::kCurrentCamera, Json(R"({"device_id": "usb-cam"})"));
  video_exception::RaiseVideoException(-121);
  EXPECT_EQ(video_->LastArgument(command::video::kRaiseException).ToJsonStr(),
            R"({"device_id":"usb-cam","device_state":1,"error_type":-121,"user_trigger":false})");
  ASSERT_EQ(Count(NavigationKind::kPushModal), 1u);
  EXPECT_EQ(hostkit::Navigations().back().arguments.GetString("device_id"), "usb-cam");
  EXPECT_EQ(hostkit::LastAnalytics("e#camera_device_abnormal#expose")->properties.at("device_id"), "usb-cam");

  hostkit::RemoveModel(id::kCameraModel);  // no camera to name: raised all the same
  video_exception::RaiseVideoException(-201);
  EXPECT_EQ(video_->LastArgument(command::video::kRaiseException).GetString("device_id", "?"), "");
  EXPECT_EQ(Count(NavigationKind::kPushModal), 2u);
}

TEST_F(VideoExceptionTest, ClosingPopsTheAlertOnlyFromTheInMeetingPage) {
  video_exception::HandleCloseVideoException();
  ASSERT_EQ(hostkit::Navigations().size(), 1u);
  EXPECT_EQ(hostkit::Navigations()[0].kind, NavigationKind::kPopOther);
  EXPECT_EQ(hostkit::Navigations()[0].page, kAlertPage);

  video_exception::RegisterVideoExceptionAlertHost(host_, kSettingPage);
  hostkit::ClearNavigations();
  video_exception::HandleCloseVideoException();
  EXPECT_TRUE(hostkit::Navigations().empty());
}

TEST_F(VideoExceptionTest, OnlyTheTroubleshootingActionOpensAPageAndKeepsTheAlert) {
  for (int action = 0; action <= 6; ++action) {
    hostkit::ClearNavigations();
    video_exception::HandleVideoException(host_, action);
    EXPECT_TRUE(hostkit::HasLog(6, "handle video exception with action: " + std::to_string(action)));
    if (action == video_exception::kActionTroubleshooting) {
      ASSERT_FALSE(hostkit::Navigations().empty());
      EXPECT_NE(hostkit::Navigations().back().arguments.GetString("url").find("/support/topic/1474/"),
                std::string::npos);
    } else {
      EXPECT_TRUE(hostkit::Navigations().empty()) << action;
    }
    EXPECT_EQ(video_exception::IsFinalAction(action), action != 0 && action != 4) << action;
  }
}

TEST_F(VideoExceptionTest, ReportsNameTheActionInItsFamily) {
  struct Case {
    int action;
    int report_type;
    const char* event;  // null: "event code empty"
  };
  const Case cases[] = {
      {video_exception::kActionCancel, video_exception::kReportDeviceAbnormal, "e#camera_device_abnormal#cancel#click"},
      {video_exception::kActionUnderstood, video_exception::kReportDeviceAbnormal,
       "e#camera_device_abnormal#understood#click"},
      {video_exception::kActionTroubleshooting, video_exception::kReportNoPermission,
       "e#camera_no_authorization#troubleshooting_guide#click"},
      {video_exception::kActionCancel, video_exception::kReportNoPermission, nullptr},
      {42, video_exception::kReportDeviceAbnormal, nullptr},
      {video_exception::kActionUnderstood, 7, nullptr},
  };
  held_ = Exception(-121);
  for (const Case& c : cases) {
    hostkit::ClearAnalytics();
    hostkit::ClearLogs();
    video_exception::ReportVideoException(c.action, c.report_type, false);
    if (c.event) {
      EXPECT_EQ(hostkit::CountAnalytics(c.event), 1u) << c.action;
    } else {
      EXPECT_TRUE(hostkit::AnalyticsEvents().empty()) << c.action;
      EXPECT_TRUE(hostkit::HasLog(3, "event code empty")) << c.action;
    }
  }
  video_->Fail(command::video::kDeviceException);
  video_exception::ReportVideoException(video_exception::kActionCancel, video_exception::kReportDeviceAbnormal, false);
  EXPECT_TRUE(hostkit::HasLog(1, "get video exception info fail"));
}

TEST_F(VideoExceptionTest, UiInformationChecksItsCallerAndDescribesTheShownException) {
  framework::UIViewModel view_model;
  Variant out = Variant::Map();
  EXPECT_FALSE(video_exception::GetVideoExceptionUIInfo(nullptr, 0, out, {}));
  EXPECT_TRUE(hostkit::HasLog(1, "ui data must attach to a vm, please check!"));
  Variant not_map;
  EXPECT_FALSE(video_exception::GetVideoExceptionUIInfo(&view_model, 0, not_map, {}));
  EXPECT_TRUE(hostkit::HasLog(1, "the result for ui data must be a map, please check!"));
  EXPECT_FALSE(video_exception::GetVideoExceptionUIInfo(&view_model, 0, out, {}));
  EXPECT_TRUE(hostkit::HasLog(1, "cannot get video exception"));

  hostkit::SetLocalizedString(0x56B00026, "{device_name} is busy");
  hostkit::SetLocalizedString(0x56B00031, "Got it");
  Fire(-121);
  held_ = Variant();  // the video model has moved on; the alert still describes what it shows
  ASSERT_TRUE(video_exception::GetVideoExceptionUIInfo(&view_model, 0, out, Json(R"({"device_name": "HD Cam"})")));
  EXPECT_EQ(out.GetString("title"), "HD Cam is busy");
  EXPECT_EQ(out.GetString("main_action_name"), "Got it");
  EXPECT_EQ(out.GetInteger("main_action_type"), video_exception::kActionUnderstood);
  EXPECT_EQ(out.GetInteger("key_word_action_type"), video_exception::kActionTroubleshooting);
  EXPECT_EQ(out.GetInteger("close_action_type"), video_exception::kActionClose);
  EXPECT_EQ(out.GetString("device_id"), "cam-1");
  EXPECT_EQ(out.GetInteger("device_status"), 1);
  EXPECT_EQ(out.GetInteger("error_type"), -121);
  for (const char* key : {"content", "guide", "key_word", "sub_action_name", "sub_action_type", "icon_type"}) {
    EXPECT_TRUE(out.Has(key)) << key;
  }
}

TEST_F(VideoExceptionTest, UiInformationRefusesAnErrorTheAlertDoesNotShow) {
  framework::UIViewModel view_model;
  held_ = Exception(0);
  Variant out = Variant::Map();
  EXPECT_FALSE(video_exception::GetVideoExceptionUIInfo(&view_model, 0, out, {}));
  EXPECT_TRUE(hostkit::HasLog(1, "error type invalid"));
  EXPECT_EQ(out.size(), 0u);
}

}  // namespace
