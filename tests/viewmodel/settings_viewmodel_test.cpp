// The settings window's page bases: the selected item reaching a page, the video settings page
// refusing to let others close the camera while it is shown, and closing the preview itself only
// when nobody objects.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "hostkit/event_bus.h"
#include "hostkit/hostkit.h"
#include "hostkit/viewmodel.h"
#include "module_api/model/model_call.h"
#include "module_api/viewmodel/video_settings_viewmodel_base.h"

using base::Variant;
using hostkit::Json;

namespace {

constexpr int kAuthModel = 504;
constexpr int kProfileModel = 537;
constexpr int kSettingsWindowModel = 1000008;
constexpr int kVideoModel = 511;
constexpr int kCameraModel = 509;
constexpr int kRequestCloseCamera = 52;
constexpr int kRequestCloseCameraPreview = 17;

class AudioPage : public velto::MeetingSettingBaseViewModel {
 public:
  std::vector<Variant> selected;

 protected:
  void OnSelectSettingItem(const Variant* item) override { selected.push_back(item ? *item : Variant("null")); }
};

class VideoPage : public velto::VideoSettingsViewModelBase {};

// What a module that wants the camera closed does: post and read the answer from its own map.
Variant Ask(hostkit::ScriptedModel& bus, int event, const char* flag) {
  Variant request = Variant::Map();
  request["event_id"] = event;
  request[flag] = true;
  EXPECT_TRUE(bus.Call(1, &request, nullptr));
  return request;
}

class SettingsPages : public ::testing::Test {
 protected:
  void SetUp() override {
    hostkit::InstallModel(kAuthModel);
    hostkit::InstallModel(kProfileModel);
    settings_window_ = &hostkit::InstallModel(kSettingsWindowModel);
    bus_ = &hostkit::InstallEventBus();
  }
  hostkit::ScriptedModel* settings_window_ = nullptr;
  hostkit::ScriptedModel* bus_ = nullptr;
};

TEST_F(SettingsPages, APageHearsTheSelectedItemWhileAttachedOnly) {
  AudioPage page;
  hostkit::AttachViewModel(page);
  settings_window_->Fire(0, Json(R"({"item": "audio.devices"})"));
  settings_window_->Fire(1, Json(R"({"item": "other event"})"));
  settings_window_->FireNull(0);
  ASSERT_EQ(page.selected.size(), 2u);
  EXPECT_EQ(page.selected[0].GetString("item"), "audio.devices");
  EXPECT_EQ(page.selected[1], Variant("null"));

  hostkit::DetachViewModel(page);
  settings_window_->Fire(0, Json(R"({"item": "video"})"));
  EXPECT_EQ(page.selected.size(), 2u);
  EXPECT_EQ(hostkit::TotalSubscribers(), 0u);
  EXPECT_EQ(page.RecordedSubscriptionCount(), 0u);
}

TEST_F(SettingsPages, SettingsPagesHearAuthorizationFailuresAtPriorityTwelve) {
  AudioPage page;
  hostkit::AttachViewModel(page);
  std::set<uint32_t> priorities;
  for (const auto& sub : hostkit::FindModel(kAuthModel)->Subscriptions()) {
    if (sub.is_priority) priorities.insert(sub.priority);
  }
  EXPECT_EQ(priorities, (std::set<uint32_t>{12}));
}

TEST_F(SettingsPages, WithoutTheSettingsWindowModelThePageStillAttaches) {
  hostkit::RemoveModel(kSettingsWindowModel);
  AudioPage page;
  EXPECT_TRUE(hostkit::AttachViewModel(page));
  EXPECT_TRUE(hostkit::HasLog(1, "model 1000008 not found"));
  EXPECT_TRUE(hostkit::DetachViewModel(page));
}

TEST_F(SettingsPages, WhileTheVideoPageIsShownNobodyClosesTheCameraOrItsPreview) {
  EXPECT_TRUE(Ask(*bus_, kRequestCloseCamera, "can_close").GetBoolean("can_close"));
  VideoPage page;
  hostkit::AttachViewModel(page);
  const Variant camera = Ask(*bus_, kRequestCloseCamera, "can_close");
  EXPECT_FALSE(camera.GetBoolean("can_close", true));
  EXPECT_EQ(camera.GetString("reason"), "video setting view is attach");
  const Variant preview = Ask(*bus_, kRequestCloseCameraPreview, "can_close_camera_preview");
  EXPECT_FALSE(preview.GetBoolean("can_close_camera_preview", true));
  EXPECT_EQ(preview.GetString("reason"), "video setting view is attach");
  EXPECT_TRUE(preview.GetBoolean("can_close", false) == false && !preview.Has("can_close"));

  hostkit::DetachViewModel(page);
  EXPECT_TRUE(Ask(*bus_, kRequestCloseCamera, "can_close").GetBoolean("can_close"));
  EXPECT_TRUE(Ask(*bus_, kRequestCloseCameraPreview, "can_close_camera_preview").GetBoolean("can_close_camera_preview"));
  EXPECT_EQ(hostkit::TotalSubscribers(), 0u);
}

TEST_F(SettingsPages, ANullRequestIsLoggedAndIgnored) {
  VideoPage page;
  page.OnEventRequestCloseCamera(nullptr);
  page.OnEventRequestCloseCameraPreview(nullptr);
  EXPECT_EQ(hostkit::CountLogs(1, "params is nullptr"), 2u);
}

class Preview : public SettingsPages {
 protected:
  void SetUp() override {
    SettingsPages::SetUp();
    video_ = &hostkit::InstallModel(kVideoModel);
    video_->Answer(3, false);
    camera_ = &hostkit::InstallModel(kCameraModel);
    camera_->Answer(6, Json(R"({"device_id": "cam-1", "name": "Front"})")).Succeed(9);
  }
  hostkit::ScriptedModel* video_ = nullptr;
  hostkit::ScriptedModel* camera_ = nullptr;
  VideoPage page_;
};

TEST_F(Preview, WhenNobodyObjectsTheCurrentCameraIsSwitchedOff) {
  page_.DisablePreviewIfNeeded();
  ASSERT_EQ(bus_->CallCount(1), 1u);
  EXPECT_EQ(bus_->LastArgument(1), Json(R"({"event_id": 52, "can_close": true})"));
  ASSERT_EQ(camera_->CallCount(9), 1u);
  EXPECT_EQ(camera_->LastArgument(9), Json(R"({"device_id": "cam-1", "on": false})"));
}

TEST_F(Preview, WithTheLocalVideoOnNothingIsAskedOrClosed) {
  video_->Answer(3, true);
  page_.DisablePreviewIfNeeded();
  EXPECT_EQ(bus_->CallCount(), 0u);
  EXPECT_EQ(camera_->CallCount(), 0u);
}

TEST_F(Preview, AnotherModulesRefusalKeepsTheCameraOpenAndSaysWhy) {
  const int64_t sharer = 77;
  bus_->Subscribe(kRequestCloseCamera, sharer, [](const Variant* request) {
    (*const_cast<Variant*>(request))["can_close"] = false;
    (*const_cast<Variant*>(request))["reason"] = "screen share preview";
  });
  page_.DisablePreviewIfNeeded();
  EXPECT_TRUE(hostkit::HasLog(6, "can not close camera because of screen share preview"));
  EXPECT_EQ(camera_->CallCount(), 0u);

  bus_->Unsubscribe(sharer);
  bus_->Subscribe(kRequestCloseCamera, sharer,
                  [](const Variant* request) { (*const_cast<Variant*>(request))["can_close"] = false; });
  page_.DisablePreviewIfNeeded();
  EXPECT_TRUE(hostkit::HasLog(6, "can not close camera because of nullptr"));
  EXPECT_EQ(camera_->CallCount(), 0u);
}

TEST_F(Preview, TheAttachedPageRefusesItsOwnRequest) {
  hostkit::AttachViewModel(page_);
  page_.DisablePreviewIfNeeded();
  EXPECT_TRUE(hostkit::HasLog(6, "can not close camera because of video setting view is attach"));
  EXPECT_EQ(camera_->CallCount(9), 0u);
  hostkit::DetachViewModel(page_);
  page_.DisablePreviewIfNeeded();
  EXPECT_EQ(camera_->CallCount(9), 1u);
}

TEST_F(Preview, WithoutACameraModelNothingIsClosedAndNothingBreaks) {
  hostkit::RemoveModel(kCameraModel);
  page_.DisablePreviewIfNeeded();
  EXPECT_EQ(bus_->CallCount(1), 1u);
  EXPECT_TRUE(hostkit::HasLog(1, "model 509 not found"));
}

TEST_F(Preview, ACameraThatNamesNoDeviceIsSwitchedOffByAnEmptyId) {
  camera_->Fail(6);
  hostkit::RemoveModel(kVideoModel);  // unanswered: the preview may close
  page_.DisablePreviewIfNeeded();
  ASSERT_EQ(camera_->CallCount(9), 1u);
  EXPECT_EQ(camera_->LastArgument(9), Json(R"({"device_id": "", "on": false})"));
}

}  // namespace
