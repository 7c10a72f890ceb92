// The video stream manager over time and its stream questions: degrading and recovering on the
// hand-driven clock, the delayed check that pulled streams arrive, and the static queries over
// the stream info map.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hostkit/timers.h"
#include "module_api/model_ids.h"
#include "video_stream_test_support.h"

namespace vsm_test {
namespace {

using velto::VideoStreamManager;

class VideoStreamQuality : public VideoStreamTest {
 protected:
  void SetUp() override {
    Start();
    meeting_->UpdateUser(hostkit::MeetingFixture::kSelfUserId, Json(R"({"video": true})"));
    manager_.SetStreamRule(velto::VideoStream::kVideoStreamRuleAllSmall);
    // The local camera is listed too, but only the remote streams are ever degraded.
    const Variant visible = Visible({"video-u-1", "video-u-self"});
    manager_.SetVisibleStreamList(&visible);
    TakeSent();
  }
  VideoStreamManager manager_;
};

TEST_F(VideoStreamQuality, DegradeWithoutDelayDegradesRemotePullsAtOnceAndOnlyOnce) {
  manager_.DegradeVideoQuality(0);
  EXPECT_EQ(TakeSent(), std::vector<Sent>{Degrade("video-u-1")});
  EXPECT_TRUE(hostkit::HasLog(6, "degrade, request_map_ size is2, life_cycle_state =0"));
  EXPECT_TRUE(hostkit::RunningPlatformTimers().size() == 1u);  // only the pull check
  manager_.DegradeVideoQuality(0);
  EXPECT_TRUE(TakeSent().empty());

  manager_.RecoverVideoQuality();
  EXPECT_EQ(TakeSent(), std::vector<Sent>{Recover("video-u-1")});
  manager_.RecoverVideoQuality();
  EXPECT_TRUE(TakeSent().empty());
}

TEST_F(VideoStreamQuality, ASecondDelayedDegradeRestartsTheTimer) {
  manager_.DegradeVideoQuality(1000);
  EXPECT_TRUE(hostkit::HasLog(6, "delay =1000"));
  hostkit::AdvanceClock(600);
  manager_.DegradeVideoQuality(1000);
  EXPECT_TRUE(hostkit::HasLog(1, "already start timer:"));
  hostkit::AdvanceClock(999);  // 1599: the first delay is long over
  EXPECT_TRUE(TakeSent().empty());
  hostkit::AdvanceClock(1);
  EXPECT_EQ(TakeSent(), std::vector<Sent>{Degrade("video-u-1")});
  EXPECT_EQ(hostkit::NowMs(), 1600);
  hostkit::AdvanceClock(10000);
  EXPECT_TRUE(TakeSent().empty());
}

TEST_F(VideoStreamQuality, RecoverDropsAPendingDegrade) {
  manager_.DegradeVideoQuality(1000);
  hostkit::AdvanceClock(500);
  manager_.RecoverVideoQuality();
  EXPECT_TRUE(hostkit::HasLog(6, "degrage_timer_ ="));
  hostkit::AdvanceClock(5000);
  EXPECT_TRUE(TakeSent().empty());  // nothing was degraded, so nothing to recover either
}

TEST_F(VideoStreamQuality, PullsStartedInTheBackgroundStartDegradedAndAreRecoveredLikeTheOthers) {
  manager_.LifecycleStateChanged(framework::kViewLifecycleBackground);
  const Variant visible = Visible({"video-u-1", "video-u-self", "video-u-2"});
  manager_.SetVisibleStreamList(&visible);
  EXPECT_EQ(TakeSent(), (std::vector<Sent>{Pull("video-u-2", 3), Degrade("video-u-2")}));
  manager_.DegradeVideoQuality(0);
  EXPECT_EQ(TakeSent(), std::vector<Sent>{Degrade("video-u-1")});
  manager_.LifecycleStateChanged(framework::kViewLifecycleForeground);
  manager_.RecoverVideoQuality();
  const auto sent = TakeSent();
  ASSERT_EQ(sent.size(), 2u);  // one command for both
  EXPECT_EQ(pulls_.model().CallCount(4), 3u);
  EXPECT_TRUE(pulls_.Degraded().empty());
}

TEST_F(VideoStreamQuality, DegradeWithoutPullsSendsNothing) {
  manager_.SetVisibleStreamList(nullptr);
  TakeSent();
  manager_.DegradeVideoQuality(0);
  manager_.RecoverVideoQuality();
  EXPECT_TRUE(TakeSent().empty());
  EXPECT_FALSE(hostkit::HasLog(6, "request_map_ size is"));
}

TEST_F(VideoStreamQuality, DestroyingTheManagerDropsAPendingDegrade) {
  {
    VideoStreamManager manager;
    const Variant visible = Visible({"video-u-2"});
    manager.SetVisibleStreamList(&visible);
    manager.DegradeVideoQuality(100);
  }
  TakeSent();
  hostkit::AdvanceClock(1000);
  EXPECT_TRUE(TakeSent().empty());
}

using VideoStreamPullCheck = VideoStreamTest;

TEST_F(VideoStreamPullCheck, ArrivedPullsAreAskedAfterTheDelayAndTheCheckKeepsRunning) {
  VideoStreamManager manager;
  const Variant visible = Visible({"video-u-1", "video-u-2"});
  manager.SetVisibleStreamList(&visible);
  hostkit::AdvanceClock(59999);
  EXPECT_EQ(pulls_.model().CallCount(6), 0u);
  hostkit::AdvanceClock(1);
  EXPECT_EQ(pulls_.model().CallCount(6), 1u);
  EXPECT_EQ(hostkit::CountAnalytics("e#video_stream_no_pull_count"), 0u);

  manager.SetVisibleStreamList(&visible);
  EXPECT_EQ(hostkit::RunningPlatformTimers().size(), 1u);
}

TEST_F(VideoStreamPullCheck, EachUpdateRestartsTheDelayAndAnEmptyRequestMapDropsIt) {
  meeting_->SetConfigurationItem("video", "pull_video_check_time", 5000);
  VideoStreamManager manager;
  const Variant visible = Visible({"video-u-1"});
  manager.SetVisibleStreamList(&visible);
  hostkit::AdvanceClock(4000);
  manager.SetVisibleStreamList(&visible);
  hostkit::AdvanceClock(4999);
  EXPECT_EQ(pulls_.model().CallCount(6), 0u);
  hostkit::AdvanceClock(1);
  EXPECT_EQ(pulls_.model().CallCount(6), 1u);

  manager.SetVisibleStreamList(&visible);
  manager.SetVisibleStreamList(nullptr);
  EXPECT_TRUE(hostkit::RunningPlatformTimers().empty());
  hostkit::AdvanceClock(60000);
  EXPECT_EQ(pulls_.model().CallCount(6), 1u);
}

TEST_F(VideoStreamPullCheck, MissingStreamsAreReportedOnceAndTheCheckStops) {
  meeting_->SetConfigurationItem("video", "pull_video_check_time", 5000);
  pulls_.SetNeverReceived("video-u-2");
  pulls_.SetNeverReceived("video-u-3");
  VideoStreamManager manager;
  const Variant visible = Visible({"video-u-1", "video-u-2", "video-u-3"});
  manager.SetVisibleStreamList(&visible);
  hostkit::AdvanceClock(5000);
  EXPECT_TRUE(hostkit::HasLog(1, "stream_id[video-u-2] should be pulled"));
  EXPECT_TRUE(hostkit::HasLog(1, "stream_id[video-u-3] should be pulled"));
  EXPECT_FALSE(hostkit::HasLog(1, "stream_id[video-u-1] should be pulled"));
  ASSERT_EQ(hostkit::CountAnalytics("e#video_stream_no_pull_count"), 1u);
  EXPECT_EQ(hostkit::LastAnalytics("e#video_stream_no_pull_count")->properties.at("total_num"), "2");

  // Disabled for the manager's lifetime: later updates start no check.
  const Variant fewer = Visible({"video-u-2"});
  manager.SetVisibleStreamList(&fewer);
  EXPECT_TRUE(hostkit::RunningPlatformTimers().empty());
  hostkit::AdvanceClock(120000);
  EXPECT_EQ(pulls_.model().CallCount(6), 1u);
  EXPECT_EQ(hostkit::CountAnalytics("e#video_stream_no_pull_count"), 1u);
}

TEST_F(VideoStreamPullCheck, AnUnansweredCheckReportsNothing) {
  meeting_->SetConfigurationItem("video", "pull_video_check_time", 10);
  VideoStreamManager manager;
  const Variant visible = Visible({"video-u-1"});
  manager.SetVisibleStreamList(&visible);
  pulls_.model().Fail(6);
  hostkit::AdvanceClock(10);
  EXPECT_TRUE(hostkit::HasLog(1, "call 6 of model 569 failed"));
  pulls_.model().Answer(6, Variant("video-u-1"));
  manager.SetVisibleStreamList(&visible);
  hostkit::AdvanceClock(10);
  EXPECT_TRUE(hostkit::HasLog(1, "answer of call 6 of model 569 has no valid value"));
  EXPECT_EQ(hostkit::CountAnalytics("e#video_stream_no_pull_count"), 0u);

  // The check stays on: a later answer still finds the missing stream.
  pulls_.model().Answer(6, Variant::Map());
  manager.SetVisibleStreamList(&visible);
  hostkit::AdvanceClock(10);
  EXPECT_EQ(hostkit::CountAnalytics("e#video_stream_no_pull_count"), 1u);
}

TEST(VideoStreamQueries, WithoutTheStreamInfoMapEveryQueryAnswersEmptyAndSaysWhy) {
  hostkit::InstallModel(velto::model_id::kVideoModel).Answer(26, Json(R"({"stream_info_map": 3})"));
  const std::vector<std::pair<const char*, std::function<bool()>>> queries = {
      {"GetStreamInfoMapPtr", [] { return VideoStreamManager::GetStreamInfoMapPtr() == nullptr; }},
      {"CheckVideoIsInStreamInfoMap", [] { return VideoStreamManager::CheckVideoIsInStreamInfoMap("video-u-1") == nullptr; }},
      {"GetStreamSize", [] { return VideoStreamManager::GetStreamSize() == 0; }},
      {"GetStreamType", [] { return VideoStreamManager::GetStreamType("video-u-1") == velto::video_stream::kStreamTypeUnknown; }},
      {"HasVideoUser", [] { return !VideoStreamManager::HasVideoUser(); }},
      {"HasScreenUser", [] { return !VideoStreamManager::HasScreenUser(); }},
      {"HasScreenStreamInUser", [] { return !VideoStreamManager::HasScreenStreamInUser(); }},
      {"GetScreenInfo", [] { return VideoStreamManager::GetScreenInfo(true) == nullptr; }},
      {"GetScreenShareInfo", [] { return VideoStreamManager::GetScreenShareInfo() == nullptr; }},
      {"GetScreenInfoAdaptHDMI", [] { return VideoStreamManager::GetScreenInfoAdaptHDMI() == nullptr; }},
      {"GetSubVideoInStreamId", [] { return VideoStreamManager::GetSubVideoInStreamId().empty(); }},
      {"GetAnotherStreamInfoExceptScreen", [] { return VideoStreamManager::GetAnotherStreamInfoExceptScreen() == nullptr; }},
  };
  for (const auto& [name, answers_empty] : queries) {
    hostkit::ClearLogs();
    EXPECT_TRUE(answers_empty()) << name;
    EXPECT_EQ(hostkit::CountLogs(6, "[vsm] stream info map is null"), 1u) << name;
  }
  hostkit::RemoveModel(velto::model_id::kVideoModel);
  hostkit::ClearLogs();
  EXPECT_EQ(VideoStreamManager::GetStreamSize(), 0u);
  EXPECT_TRUE(hostkit::HasLog(6, "[vsm] stream info map is null"));
  EXPECT_EQ(VideoStreamManager::GetUserListPtr(), nullptr);
  EXPECT_EQ(VideoStreamManager::GetUserInfoWithStreamId("video-u-1"), nullptr);
}

using VideoStreamMapQueries = VideoStreamTest;

TEST_F(VideoStreamMapQueries, KindsDirectionsAndTheFirstMatchInMapOrder) {
  meeting_->StartScreenShare(hostkit::MeetingFixture::kSelfUserId);  // outgoing, first in the map
  meeting_->StartScreenShare("u-3");
  meeting_->StartScreenShare("u-2");
  EXPECT_EQ(VideoStreamManager::GetStreamSize(), 7u);
  EXPECT_TRUE(VideoStreamManager::IsVideoStreamIn("video-u-1"));
  EXPECT_TRUE(VideoStreamManager::IsScreenStreamIn("screen-u-2"));
  EXPECT_TRUE(VideoStreamManager::IsScreenStreamOut("screen-u-self"));
  EXPECT_FALSE(VideoStreamManager::IsScreenStreamOut("screen-u-2"));
  EXPECT_TRUE(VideoStreamManager::IsScreenStreamType("screen-u-self"));
  EXPECT_TRUE(VideoStreamManager::IsRemoteStream("screen-u-3"));
  EXPECT_FALSE(VideoStreamManager::IsVideoOrScreenStreamIn("screen-u-self"));
  EXPECT_EQ(VideoStreamManager::GetStreamDirection("video-u-4"), velto::video_stream::kStreamDirectionIn);
  EXPECT_TRUE(VideoStreamManager::HasVideoUser());
  EXPECT_TRUE(VideoStreamManager::HasScreenUser());
  EXPECT_TRUE(VideoStreamManager::HasScreenStreamInUser());

  EXPECT_EQ(VideoStreamManager::GetScreenShareInfo()->GetString("stream_id"), "screen-u-self");
  EXPECT_EQ(VideoStreamManager::GetScreenInfo(false)->GetString("stream_id"), "screen-u-3");
  EXPECT_EQ(VideoStreamManager::GetScreenInfoAdaptHDMI()->GetString("stream_id"), "screen-u-3");
  EXPECT_EQ(VideoStreamManager::GetSubVideoInStreamId(), "screen-u-3");
  EXPECT_EQ(VideoStreamManager::GetAnotherStreamInfoExceptScreen()->GetString("stream_id"), "video-u-1");
  EXPECT_EQ(VideoStreamManager::CheckVideoIsInStreamInfoMap("screen-u-2")->GetString("user_id"), "u-2");

  // Without the engine's word a stream of the map counts as video, and as nothing else.
  hostkit::RemoveStreamInfo("screen-u-3");
  EXPECT_EQ(VideoStreamManager::GetStreamType("screen-u-3"), velto::video_stream::kStreamTypeVideo);
  EXPECT_FALSE(VideoStreamManager::IsRemoteStream("screen-u-3"));
  EXPECT_EQ(VideoStreamManager::GetSubVideoInStreamId(), "screen-u-2");
  EXPECT_EQ(VideoStreamManager::GetStreamType("nothing"), velto::video_stream::kStreamTypeUnknown);

  // Only the outgoing share left: the HDMI variant does not fall back to it.
  meeting_->StopScreenShare("u-2");
  meeting_->StopScreenShare("u-3");
  EXPECT_EQ(VideoStreamManager::GetScreenInfoAdaptHDMI(), nullptr);
  EXPECT_FALSE(VideoStreamManager::HasScreenStreamInUser());
  EXPECT_EQ(VideoStreamManager::GetScreenShareInfo()->GetString("stream_id"), "screen-u-self");
}

TEST_F(VideoStreamMapQueries, UserLookupsGoToTheMeetingUtilities) {
  const Variant* user = VideoStreamManager::GetUserInfoWithStreamId("video-u-2");
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(user->GetString("user_id"), "u-2");
  EXPECT_EQ(VideoStreamManager::GetUserInfoWithStreamId("video-nobody"), nullptr);
  ASSERT_NE(VideoStreamManager::GetUserListPtr(), nullptr);
  EXPECT_EQ(VideoStreamManager::GetUserListPtr()->size(), 5u);
}

}  // namespace
}  // namespace vsm_test
