// Camera and microphone access: decided permissions answer at once; an undecided one waits for
// the camera model's event, runs exactly one callback and lets its observer go.
#include <gtest/gtest.h>

#include <string>

#include "base/scope_singleton.h"
#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "hostkit/viewmodel.h"
#include "module_api/in_meeting/in_meeting_utils.h"
#include "module_api/model_ids.h"

namespace {

namespace inmeeting = velto_common::utils::inmeeting;
namespace id = velto::model_id;
using hostkit::Json;
using inmeeting::MediaDeviceAccessPermissionObserver;

constexpr int kCameraPermissionEvent = 45;
constexpr int kMicPermissionEvent = 44;

class MediaAccessTest : public testing::Test {
 protected:
  void SetUp() override { meeting_.Install(); }

  void AskCamera(const char* from = "toolbar") {
    inmeeting::AccessCamera([this] { ++granted_; }, [this] { ++denied_; }, from);
  }
  void AskMic(const char* from, bool ignore_audio_mode) {
    inmeeting::AccessMic([this] { ++granted_; }, [this] { ++denied_; }, from, ignore_audio_mode);
  }
  void CameraState(int state) {
    Variant answer = Variant::Map();
    answer["camera_state"] = state;
    meeting_.camera().Answer(37, answer);
  }

  using Variant = hostkit::Variant;
  hostkit::MeetingFixture meeting_;
  int granted_ = 0;
  int denied_ = 0;
};

TEST_F(MediaAccessTest, GrantedCameraRunsTheGrantedCallbackAndTellsTheVideoModel) {
  AskCamera();
  EXPECT_EQ(granted_, 1);
  EXPECT_EQ(denied_, 0);
  EXPECT_EQ(meeting_.camera().LastArgument(37).ToJsonStr(), R"({"from":"toolbar"})");
  EXPECT_EQ(meeting_.video().LastArgument(51).ToJsonStr(), R"({"from":"toolbar","is_camera_access":true})");
  EXPECT_EQ(meeting_.camera().CallCount(39), 0u);
  EXPECT_EQ(MediaDeviceAccessPermissionObserver::PendingCount(), 0u);
}

TEST_F(MediaAccessTest, RefusedOrUnknownCameraStateRunsTheDeniedCallback) {
  for (int state : {2, -1, 7}) {
    granted_ = denied_ = 0;
    CameraState(state);
    AskCamera();
    EXPECT_EQ(denied_, 1) << state;
    EXPECT_EQ(granted_, 0) << state;
    EXPECT_FALSE(meeting_.video().LastArgument(51).GetBoolean("is_camera_access", true)) << state;
  }
  // No answer at all counts as -1.
  granted_ = denied_ = 0;
  meeting_.camera().Fail(37);
  AskCamera();
  EXPECT_EQ(denied_, 1);
  EXPECT_EQ(MediaDeviceAccessPermissionObserver::PendingCount(), 0u);
}

TEST_F(MediaAccessTest, UndecidedCameraWaitsForTheAnswerEventThenRunsOneCallbackOnce) {
  CameraState(0);
  AskCamera("menu");
  EXPECT_EQ(granted_ + denied_, 0);
  ASSERT_EQ(MediaDeviceAccessPermissionObserver::PendingCount(), 1u);
  ASSERT_EQ(meeting_.camera().CallCount(39), 1u);
  const hostkit::CallRecord& request = meeting_.camera().calls().back();
  EXPECT_EQ(request.kind, hostkit::CallRecord::Kind::kP2P);
  EXPECT_EQ(request.argument.GetString("from"), "menu");
  EXPECT_EQ(meeting_.camera().SubscriberCount(kCameraPermissionEvent), 1u);
  EXPECT_EQ(hostkit::SubscriptionsOf(static_cast<int64_t>(request.target)), 1u);  // the target is the observer

  meeting_.camera().Fire(kCameraPermissionEvent, Variant(true));
  EXPECT_EQ(granted_, 1);
  EXPECT_EQ(denied_, 0);
  EXPECT_TRUE(hostkit::HasLog(6, "request access permission, result is 1"));
  EXPECT_EQ(MediaDeviceAccessPermissionObserver::PendingCount(), 0u);
  EXPECT_EQ(meeting_.camera().SubscriberCount(kCameraPermissionEvent), 0u);

  meeting_.camera().Fire(kCameraPermissionEvent, Variant(true));  // a late duplicate changes nothing
  EXPECT_EQ(granted_, 1);
}

TEST_F(MediaAccessTest, UndecidedCameraAnsweredNoOrNonsenseIsDenied) {
  CameraState(0);
  AskCamera();
  meeting_.camera().Fire(kCameraPermissionEvent, Variant(false));
  EXPECT_EQ(denied_, 1);

  AskCamera();
  meeting_.camera().Fire(kCameraPermissionEvent, Json(R"({"granted": true})"));  // not a bool
  EXPECT_EQ(denied_, 2);

  AskCamera();
  meeting_.camera().FireNull(kCameraPermissionEvent);
  EXPECT_EQ(denied_, 3);
  EXPECT_EQ(granted_, 0);
  EXPECT_EQ(MediaDeviceAccessPermissionObserver::PendingCount(), 0u);
}

TEST_F(MediaAccessTest, AMicrophoneAnswerDoesNotSettleACameraRequest) {
  CameraState(0);
  AskCamera();
  meeting_.camera().Fire(kMicPermissionEvent, Variant(true));
  EXPECT_EQ(granted_ + denied_, 0);
  EXPECT_EQ(MediaDeviceAccessPermissionObserver::PendingCount(), 1u);
}

TEST_F(MediaAccessTest, PendingObserversLeaveTheCameraModelAtTeardown) {
  CameraState(0);
  AskCamera();
  AskCamera();
  EXPECT_EQ(meeting_.camera().SubscriberCount(kCameraPermissionEvent), 2u);
  base::TeardownScopeSingletons();
  EXPECT_EQ(meeting_.camera().SubscriberCount(kCameraPermissionEvent), 0u);
  EXPECT_EQ(MediaDeviceAccessPermissionObserver::PendingCount(), 0u);
  EXPECT_EQ(granted_ + denied_, 0);
}

TEST_F(MediaAccessTest, MicWithoutComputerAudioGrantsWithoutAsking) {
  meeting_.SetAudioConnectMode(2);  // telephone audio
  AskMic("toolbar", false);
  EXPECT_EQ(granted_, 1);
  EXPECT_EQ(meeting_.audio().CallCount(111), 0u);
  EXPECT_EQ(meeting_.audio().CallCount(113), 0u);
  EXPECT_TRUE(hostkit::HasLog(6, "[Audio] ignore_audio_mode[0], IsLocalAudioInput[0]"));

  // Ignoring the mode asks all the same.
  AskMic("toolbar", true);
  EXPECT_EQ(meeting_.audio().CallCount(111), 1u);
}

TEST_F(MediaAccessTest, UndecidedMicAsksTheCameraModelAndWaitsForEvent44) {
  meeting_.audio().Answer(111, Json(R"({"mic_accessible": false, "mic_state": 0})"));
  AskMic(nullptr, false);
  EXPECT_TRUE(hostkit::HasLog(6, "[Audio] mic_state[0], from[nullptr]"));
  EXPECT_EQ(meeting_.audio().LastArgument(111).GetString("from"), "unknown");
  EXPECT_EQ(meeting_.audio().LastArgument(113).ToJsonStr(), R"({"is_mic_access":false})");
  ASSERT_EQ(meeting_.camera().CallCount(38), 1u);
  EXPECT_EQ(meeting_.camera().calls().back().kind, hostkit::CallRecord::Kind::kP2P);
  EXPECT_EQ(granted_ + denied_, 0);

  meeting_.camera().Fire(kCameraPermissionEvent, Variant(true));  // the camera's answer is not ours
  EXPECT_EQ(granted_ + denied_, 0);
  meeting_.camera().Fire(kMicPermissionEvent, Variant(true));
  EXPECT_EQ(granted_, 1);
  EXPECT_EQ(MediaDeviceAccessPermissionObserver::PendingCount(), 0u);
}

TEST_F(MediaAccessTest, MicStatesDecideAtOnce) {
  meeting_.audio().Answer(111, Json(R"({"mic_accessible": true, "mic_state": 1})"));
  AskMic("bar", false);
  EXPECT_EQ(granted_, 1);
  EXPECT_EQ(meeting_.audio().LastArgument(113).ToJsonStr(), R"({"from":"bar","is_mic_access":true})");

  meeting_.audio().Answer(111, Json(R"({"mic_accessible": false, "mic_state": 2})"));
  AskMic("bar", false);
  EXPECT_EQ(denied_, 1);
  EXPECT_EQ(meeting_.camera().CallCount(38), 0u);
}

TEST_F(MediaAccessTest, OpenCameraSkipsTheQuestionAndPushesVideo) {
  inmeeting::OpenCamera([this] { ++granted_; }, [this] { ++denied_; }, "preview", 5);
  EXPECT_EQ(granted_, 1);
  EXPECT_EQ(meeting_.camera().CallCount(37), 0u);
  EXPECT_EQ(meeting_.video().LastArgument(51).ToJsonStr(), R"({"from":"preview","is_camera_access":true})");
  EXPECT_EQ(hostkit::FindModel(id::kVideoPushModel)->CallCount(19), 1u);
  EXPECT_EQ(hostkit::FindModel(10032)->LastArgument(143794946).ToJsonStr(), R"({"on":true,"scene":5})");
  EXPECT_TRUE(hostkit::HasLog(6, "should_push_video 1"));
}

TEST_F(MediaAccessTest, StoppingVideoDoesNotPrepareThePush) {
  inmeeting::PushVideo(false, 2);
  EXPECT_EQ(hostkit::FindModel(id::kVideoPushModel)->CallCount(19), 0u);
  EXPECT_EQ(hostkit::FindModel(10032)->LastArgument(143794946).ToJsonStr(), R"({"on":false,"scene":2})");
}

TEST_F(MediaAccessTest, MicAccessibilityNeedsComputerAudioUnlessIgnored) {
  meeting_.SetAudioConnectMode(2);
  EXPECT_FALSE(inmeeting::IsMicAccessible("check", false));
  EXPECT_EQ(meeting_.audio().CallCount(111), 0u);
  EXPECT_TRUE(inmeeting::IsMicAccessible("check", true));
  meeting_.SetAudioConnectMode(1);
  EXPECT_TRUE(inmeeting::IsMicAccessible("check", false));
  EXPECT_EQ(meeting_.audio().LastArgument(111).GetString("from"), "check");
}

TEST_F(MediaAccessTest, MicViewNeedsOwnAudioAndAccessOrTheShareAsking) {
  EXPECT_TRUE(inmeeting::ShouldDisplayMicView());
  EXPECT_EQ(meeting_.audio().LastArgument(111).GetString("from"), "should_display_mic_view");

  meeting_.audio().Answer(111, Json(R"({"mic_accessible": false, "mic_state": 2})"));
  EXPECT_FALSE(inmeeting::ShouldDisplayMicView());
  meeting_.screen_share().Answer(103, true);
  EXPECT_TRUE(inmeeting::ShouldDisplayMicView());
}

}  // namespace
