// The video stream manager's pulls: visible lists, cancellations, sizes by rule and user count,
// audio mode, pause and resume, and the media layer's batch bracket.
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hostkit/meeting_service.h"
#include "module_api/model_ids.h"
#include "video_stream_test_support.h"

namespace vsm_test {
namespace {

using velto::VideoStreamManager;
namespace VideoStream = velto::VideoStream;

using VideoStreamVisibleList = VideoStreamTest;

TEST_F(VideoStreamVisibleList, PullsListedStreamsTheMapKnowsInListOrderAndResendSendsNothing) {
  meeting_->UpdateUser("u-3", Json(R"({"video": false})"));  // no stream for u-3
  VideoStreamManager manager;
  manager.SetStreamRule(VideoStream::kVideoStreamRuleAllSmall);
  const Variant visible = Visible({"video-u-2", "video-u-3", "video-u-1"});
  manager.SetVisibleStreamList(&visible);
  EXPECT_EQ(TakeSent(), (std::vector<Sent>{Pull("video-u-2", 3), Pull("video-u-1", 3)}));
  EXPECT_EQ(pulls_.model().LastArgument(1).GetInt32("from_type"), velto::kVideoStreamPullFromStreamManager);
  EXPECT_TRUE(manager.CheckVideoIsRequested("video-u-1"));
  EXPECT_FALSE(manager.CheckVideoIsRequested("video-u-3"));
  EXPECT_TRUE(manager.CheckVideoIsVisible("video-u-3"));
  EXPECT_TRUE(hostkit::HasLog(6, "visible_stream_list count[3]"));

  hostkit::ClearLogs();
  const Variant again = Visible({"video-u-2", "video-u-3", "video-u-1"});
  manager.SetVisibleStreamList(&again);
  EXPECT_TRUE(TakeSent().empty());
  EXPECT_EQ(hostkit::CountLogs(6, "no need to pull stream[video-u-2], because size doesn't change, still3"), 1u);
  EXPECT_EQ(hostkit::CountLogs(6, "no need to pull stream[video-u-1], because size doesn't change, still3"), 1u);
  EXPECT_EQ(hostkit::CountLogs(6, "stream_id[video-u-1], pull[1] life_cycle_state_ =0"), 1u);

  // Once u-3's camera is on, the same list pulls it too.
  meeting_->UpdateUser("u-3", Json(R"({"video": true})"));
  manager.SetVisibleStreamList(&again);
  EXPECT_EQ(TakeSent(), std::vector<Sent>{Pull("video-u-3", 3)});

  // A list of the same length with another stream in it.
  const Variant swapped = Visible({"video-u-4", "video-u-3", "video-u-1"});
  manager.SetVisibleStreamList(&swapped);
  EXPECT_EQ(TakeSent(), (std::vector<Sent>{Pull("video-u-4", 3), Cancel("video-u-2", 3)}));
  EXPECT_FALSE(manager.CheckVideoIsVisible("video-u-2"));
  EXPECT_EQ(manager.GetVisibleStreamList(), swapped);
}

TEST_F(VideoStreamVisibleList, AnUpdateReadsTheHostOnceNotOncePerStream) {
  auto reads = [this] {
    return meeting_->video().CallCount() + meeting_->service_entrance().CallCount() +
           meeting_->main_window().CallCount() + meeting_->users().CallCount();
  };
  meeting_->SetBigView(0, "u-1");
  meeting_->SetConfigurationItem("inmeeting", "video_stream_limit_frame_size_type", 1);
  VideoStreamManager manager;
  manager.SetStreamRule(VideoStream::kVideoStreamRuleLimitFrame);  // reads the big view too
  meeting_->video().ClearCalls();
  const Variant one = Visible({"video-u-1"});
  const Variant four = Visible({"video-u-1", "video-u-2", "video-u-3", "video-u-4"});
  manager.SetVisibleStreamList(&one);
  size_t before = reads();
  manager.SetVisibleStreamList(&one);
  const size_t resend_one = reads() - before;
  manager.SetVisibleStreamList(&four);
  before = reads();
  manager.SetVisibleStreamList(&four);
  EXPECT_EQ(reads() - before, resend_one);
  EXPECT_EQ(meeting_->video().CallCount(26), 4u);  // the stream info map: once per update
  EXPECT_EQ(meeting_->main_window().CallCount(3), 4u);
  EXPECT_EQ(pulls_.Pulled(), (std::map<std::string, int32_t>{
                                 {"video-u-1", 1}, {"video-u-2", 3}, {"video-u-3", 3}, {"video-u-4", 3}}));

  // The next operation reads afresh: a new big view and a new limit are seen.
  meeting_->SetBigView(0, "u-2");
  manager.SetVisibleStreamList(&four);
  EXPECT_EQ(pulls_.Pulled().at("video-u-1"), 3);
  EXPECT_EQ(pulls_.Pulled().at("video-u-2"), 1);
  meeting_->SetConfigurationItem("inmeeting", "video_stream_limit_frame_size_type", 2);
  manager.SetVisibleStreamList(&four);
  EXPECT_EQ(pulls_.Pulled().at("video-u-2"), 2);
}

TEST_F(VideoStreamVisibleList, StreamLeavingIsCancelledWithoutFromTypeAndADegradedOneIsRecoveredFirst) {
  VideoStreamManager manager;
  manager.SetStreamRule(VideoStream::kVideoStreamRuleAllSmall);
  manager.LifecycleStateChanged(framework::kViewLifecycleBackground);
  const Variant visible = Visible({"video-u-1", "video-u-2"});
  manager.SetVisibleStreamList(&visible);
  EXPECT_EQ(TakeSent(), (std::vector<Sent>{Pull("video-u-1", 3), Degrade("video-u-1"), Pull("video-u-2", 3),
                                           Degrade("video-u-2")}));

  const Variant fewer = Visible({"video-u-1"});
  manager.SetVisibleStreamList(&fewer);
  EXPECT_EQ(TakeSent(), (std::vector<Sent>{Recover("video-u-2"), Cancel("video-u-2", 3)}));
  const Variant cancel = pulls_.model().LastArgument(1);
  EXPECT_FALSE(cancel.GetBoolean("enable", true));
  EXPECT_FALSE(cancel.Has("from_type"));
  EXPECT_TRUE(hostkit::HasLog(6, "stream_id :video-u-2 is already not visible, so cancel request it"));
  EXPECT_EQ(pulls_.Pulled().size(), 1u);
  EXPECT_EQ(pulls_.Degraded().count("video-u-1"), 1u);
}

TEST_F(VideoStreamVisibleList, EmptyListsAndTheManagerGoingAway) {
  {
    VideoStreamManager manager;
    const Variant empty = Variant::Array();
    manager.SetVisibleStreamList(&empty);
    manager.SetVisibleStreamList(nullptr);
    EXPECT_TRUE(pulls_.model().calls().empty());
    EXPECT_TRUE(hostkit::VideoBatchOperations().empty());  // nothing to do: no batch either
    EXPECT_FALSE(hostkit::HasLog(6, "visible_stream_list count"));

    const Variant visible = Visible({"video-u-1", "video-u-2"});
    manager.SetVisibleStreamList(&visible);
    TakeSent();
    manager.SetVisibleStreamList(nullptr);  // a null list clears like an empty one
    EXPECT_EQ(TakeSent().size(), 2u);
    EXPECT_TRUE(manager.GetVisibleStreamList().empty());

    manager.SetVisibleStreamList(&visible);
    TakeSent();
  }
  // Destroying the manager cancels what it still pulls.
  EXPECT_TRUE(pulls_.Pulled().empty());
  EXPECT_EQ(TakeSent().size(), 2u);
}

TEST_F(VideoStreamVisibleList, EntriesWithoutAStreamIdOrOfAnotherKindAreSkipped) {
  VideoStreamManager manager;
  Variant visible = Visible({"video-u-1"});
  visible.Add(Variant(7));
  visible.Add(Json(R"({"user_id": "u-2"})"));
  manager.SetVisibleStreamList(&visible);
  EXPECT_EQ(TakeSent(), std::vector<Sent>{Pull("video-u-1", 0)});

  const Variant not_a_list = Json(R"({"stream_id": "video-u-2"})");
  manager.SetVisibleStreamList(&not_a_list);
  EXPECT_TRUE(hostkit::HasLog(3, "visible stream list is not a list"));
  EXPECT_EQ(TakeSent(), std::vector<Sent>{Cancel("video-u-1", 0)});
}

TEST_F(VideoStreamVisibleList, WithoutTheVideoPullModelRequestsAreKeptAndNothingIsLogged) {
  hostkit::RemoveModel(hostkit::VideoPullModel::kModelId);
  VideoStreamManager manager;
  const Variant visible = Visible({"video-u-1"});
  manager.SetVisibleStreamList(&visible);
  manager.DegradeVideoQuality(0);
  manager.SetVisibleStreamList(nullptr);
  manager.SetVisibleStreamList(&visible);
  EXPECT_TRUE(manager.CheckVideoIsRequested("video-u-1"));
  EXPECT_EQ(hostkit::CountLogs(1, ""), 0u);
}

TEST_F(VideoStreamVisibleList, ThePullHelperRefusesInvalidParametersAndStaysInert) {
  {
    velto::VideoStreamPullHelper no_source({"video-u-1", 3, velto::kVideoStreamPullFromNone, false});
    velto::VideoStreamPullHelper no_stream({"", 3, velto::kVideoStreamPullFromStreamManager, false});
    EXPECT_EQ(no_source.GetStreamID(), "");
    EXPECT_TRUE(hostkit::HasLog(1, "invalid params: stream_id = video-u-1 from_type = 0"));
    EXPECT_TRUE(hostkit::HasLog(1, "invalid params: stream_id =  from_type = 1"));
  }
  EXPECT_TRUE(pulls_.model().calls().empty());

  // Degraded at the start only when the stream comes in: the local camera is never degraded.
  {
    velto::VideoStreamPullHelper own({"video-u-self", 1, velto::kVideoStreamPullFromStreamManager, true});
    EXPECT_FALSE(own.IsDegraded());
  }
  EXPECT_EQ(TakeSent(), (std::vector<Sent>{Pull("video-u-self", 1), Cancel("video-u-self", 1)}));
}

using VideoStreamBatch = VideoStreamTest;

TEST_F(VideoStreamBatch, PullsAndCancelsOfAnUpdateGoOutInsideOneBatch) {
  std::vector<size_t> batch_switches_at_call;
  pulls_.model().Handle(1, [&](const Variant&, Variant*) {
    batch_switches_at_call.push_back(hostkit::VideoBatchOperations().size());
    return true;
  });
  VideoStreamManager manager;
  const Variant first = Visible({"video-u-1", "video-u-2"});
  manager.SetVisibleStreamList(&first);
  EXPECT_EQ(hostkit::VideoBatchOperations(), (std::vector<bool>{true, false}));
  EXPECT_EQ(batch_switches_at_call, (std::vector<size_t>{1, 1}));

  const Variant second = Visible({"video-u-3"});
  manager.SetVisibleStreamList(&second);  // one pull, two cancels
  EXPECT_EQ(hostkit::VideoBatchOperations(), (std::vector<bool>{true, false, true, false}));
  EXPECT_EQ(batch_switches_at_call, (std::vector<size_t>{1, 1, 3, 3, 3}));
}

TEST_F(VideoStreamBatch, ConfiguredOffOrWithoutTheMeetingServiceThereIsNoBatch) {
  meeting_->SetConfigurationItem("video", "video_stream_batch_operation", false);
  VideoStreamManager manager;
  const Variant first = Visible({"video-u-1"});
  manager.SetVisibleStreamList(&first);
  EXPECT_TRUE(hostkit::VideoBatchOperations().empty());
  EXPECT_EQ(pulls_.Pulled().size(), 1u);

  meeting_->SetConfigurationItem("video", "video_stream_batch_operation", true);
  hostkit::SetMeetingServiceAvailable(false);
  const Variant second = Visible({"video-u-2"});
  manager.SetVisibleStreamList(&second);
  EXPECT_TRUE(hostkit::VideoBatchOperations().empty());
  EXPECT_EQ(pulls_.Pulled().count("video-u-2"), 1u);
}

// Rule 2 sizes by the meeting's users, the local user included.
struct UserCountCase {
  size_t others;
  bool grid_middle;
  int32_t size;
};

// Without it gtest prints the parameter as raw bytes, padding included (which valgrind flags).
void PrintTo(const UserCountCase& c, std::ostream* out) {
  *out << c.others << " others, grid middle " << (c.grid_middle ? "on" : "off") << ", size " << c.size;
}

class VideoStreamSizeByUserCount : public VideoStreamTest, public testing::WithParamInterface<UserCountCase> {
  void SetUp() override {}
};

TEST_P(VideoStreamSizeByUserCount, FollowsTheBigAndMiddleCounts) {
  Start(GetParam().others);
  if (!GetParam().grid_middle) meeting_->SetConfigurationItem("meeting", "enable_video_grid_middle", false);
  VideoStreamManager manager;
  manager.SetStreamRule(VideoStream::kVideoStreamRuleUserCount);
  const Variant visible = Visible({"video-u-1"});
  manager.SetVisibleStreamList(&visible);
  EXPECT_EQ(TakeSent(), std::vector<Sent>{Pull("video-u-1", GetParam().size)});
}

INSTANTIATE_TEST_SUITE_P(VideoStreamRule, VideoStreamSizeByUserCount,
                         testing::Values(UserCountCase{1, true, 1}, UserCountCase{2, true, 2},
                                         UserCountCase{3, true, 2}, UserCountCase{4, true, 3},
                                         UserCountCase{2, false, 1}, UserCountCase{3, false, 1}),
                         [](const testing::TestParamInfo<UserCountCase>& info) {
                           return std::to_string(info.param.others + 1) + "Users" +
                                  (info.param.grid_middle ? "" : "NoGridMiddle");
                         });

using VideoStreamSize = VideoStreamTest;

TEST_F(VideoStreamSize, UserCountRuleReadsItsConfiguredCountsAndResizesWhenTheCountChanges) {
  meeting_->SetConfigurationItem("video", "max_big_video_count", 5);
  VideoStreamManager manager;
  manager.SetStreamRule(VideoStream::kVideoStreamRuleUserCount);
  const Variant visible = Visible({"video-u-1"});
  manager.SetVisibleStreamList(&visible);
  EXPECT_EQ(TakeSent(), std::vector<Sent>{Pull("video-u-1", 1)});  // 5 users, up to 5 large

  meeting_->AddUser(hostkit::MeetingFixture::MakeUser("u-9", "Zoe"));
  meeting_->SetConfigurationItem("video", "max_middle_video_count", 5);
  manager.SetVisibleStreamList(&visible);  // 6 users: more than the middle count
  EXPECT_EQ(TakeSent(), (std::vector<Sent>{Cancel("video-u-1", 1), Pull("video-u-1", 3)}));
}

TEST_F(VideoStreamSize, BigViewRuleAndRuleChangesResizeExistingPulls) {
  meeting_->SetBigView(0, "u-2");
  VideoStreamManager manager;
  const Variant visible = Visible({"video-u-1", "video-u-2"});
  manager.SetVisibleStreamList(&visible);
  EXPECT_EQ(TakeSent(), (std::vector<Sent>{Pull("video-u-1", 0), Pull("video-u-2", 0)}));  // rule 0: none chosen

  hostkit::ClearLogs();
  manager.SetStreamRule(VideoStream::kVideoStreamRuleBigView);
  EXPECT_TRUE(hostkit::HasLog(6, "rule from0 to1"));
  EXPECT_EQ(hostkit::CountLogs(6, "size change from0 to"), 2u);
  EXPECT_EQ(pulls_.Pulled(), (std::map<std::string, int32_t>{{"video-u-1", 3}, {"video-u-2", 1}}));
  TakeSent();

  manager.SetStreamRule(VideoStream::kVideoStreamRuleBigView);  // unchanged: nothing
  manager.SetStreamRule(VideoStream::kVideoStreamRuleAllSmall);
  EXPECT_EQ(TakeSent(), (std::vector<Sent>{Cancel("video-u-2", 1), Pull("video-u-2", 3)}));
  EXPECT_TRUE(hostkit::HasLog(6, "make sure stream size :3"));

  // The secondary window asks its own big view.
  meeting_->SetBigView(1, "u-1");
  manager.SetWindowType(velto::InMeetingWindow::kSecondaryWindow);
  manager.SetStreamRule(VideoStream::kVideoStreamRuleBigView);
  EXPECT_EQ(pulls_.Pulled(), (std::map<std::string, int32_t>{{"video-u-1", 1}, {"video-u-2", 3}}));
}

struct LimitCase {
  int32_t configured;  // "video_stream_limit_frame_size_type"; 0: unset
  int32_t big_view;
  int32_t others;
};

void PrintTo(const LimitCase& c, std::ostream* out) {
  *out << "configured " << c.configured << ": big view " << c.big_view << ", others " << c.others;
}

class VideoStreamLimitFrameSize : public VideoStreamTest, public testing::WithParamInterface<LimitCase> {};

TEST_P(VideoStreamLimitFrameSize, BigViewGetsTheLimitOthersSmallOrSmallest) {
  if (GetParam().configured) {
    meeting_->SetConfigurationItem("inmeeting", "video_stream_limit_frame_size_type", GetParam().configured);
  }
  meeting_->SetBigView(0, "u-1");
  VideoStreamManager manager;
  manager.SetStreamRule(VideoStream::kVideoStreamRuleLimitFrame);
  const Variant visible = Visible({"video-u-1", "video-u-2"});
  manager.SetVisibleStreamList(&visible);
  EXPECT_EQ(pulls_.Pulled(), (std::map<std::string, int32_t>{{"video-u-1", GetParam().big_view},
                                                             {"video-u-2", GetParam().others}}));
}

INSTANTIATE_TEST_SUITE_P(VideoStreamRule, VideoStreamLimitFrameSize,
                         testing::Values(LimitCase{0, 3, 3}, LimitCase{1, 1, 3}, LimitCase{2, 2, 3},
                                         LimitCase{4, 4, 4}, LimitCase{7, 3, 3}, LimitCase{-1, 3, 3}),
                         [](const testing::TestParamInfo<LimitCase>& info) {
                           const int32_t n = info.param.configured;
                           return n == 0 ? std::string("Unset") : n < 0 ? std::string("Negative") : "Is" + std::to_string(n);
                         });

TEST_F(VideoStreamSize, LimitRuleSizeReplacesRuleThreeOnly) {
  meeting_->SetBigView(0, "u-1");
  VideoStreamManager manager;
  manager.SetStreamTypeForLimitRule(velto::kVideoStreamSizeMiddle);
  manager.SetStreamRule(VideoStream::kVideoStreamRuleAllSmall);
  const Variant visible = Visible({"video-u-1", "video-u-2"});
  manager.SetVisibleStreamList(&visible);
  EXPECT_EQ(pulls_.Pulled(), (std::map<std::string, int32_t>{{"video-u-1", 3}, {"video-u-2", 3}}));
  manager.SetStreamRule(VideoStream::kVideoStreamRuleLimitFrame);
  EXPECT_EQ(pulls_.Pulled(), (std::map<std::string, int32_t>{{"video-u-1", 2}, {"video-u-2", 2}}));
}

TEST_F(VideoStreamSize, StreamsThatCannotSendSmallPicturesAreAlwaysPulledLarge) {
  meeting_->UpdateUser("u-2", Json(R"({"instance_id": 5})"));  // a web client
  EditStreamInfoMap([](Variant& streams) { streams["video-u-1"]["support_small_video_stream"] = false; });
  meeting_->SetConfigurationItem("meeting-ability", "disable_web_small_size_stream", true);
  VideoStreamManager manager;
  manager.SetStreamRule(VideoStream::kVideoStreamRuleAllSmall);
  const Variant visible = Visible({"video-u-1", "video-u-2", "video-u-4"});
  manager.SetVisibleStreamList(&visible);
  EXPECT_EQ(pulls_.Pulled(),
            (std::map<std::string, int32_t>{{"video-u-1", 1}, {"video-u-2", 1}, {"video-u-4", 3}}));
  EXPECT_TRUE(hostkit::HasLog(6, "don't support small video stream, instace_id is 1"));

  // The web clients' switch is read afresh: turned off, they get the rule's size again.
  meeting_->SetConfigurationItem("meeting-ability", "disable_web_small_size_stream", false);
  manager.SetStreamRule(VideoStream::kVideoStreamRuleUserCount);
  manager.SetStreamRule(VideoStream::kVideoStreamRuleAllSmall);
  EXPECT_EQ(pulls_.Pulled().at("video-u-2"), 3);
  EXPECT_EQ(pulls_.Pulled().at("video-u-1"), 1);
}

TEST_F(VideoStreamSize, ForcedSizeWinsAndResizesOnlyWhenItChanges) {
  VideoStreamManager manager;
  manager.SetStreamRule(VideoStream::kVideoStreamRuleAllSmall);
  const Variant visible = Visible({"video-u-1"});
  manager.SetVisibleStreamList(&visible);
  TakeSent();
  manager.SetForceStreamType(velto::kVideoStreamSizeSmallest);
  EXPECT_EQ(TakeSent(), (std::vector<Sent>{Cancel("video-u-1", 3), Pull("video-u-1", 4)}));
  manager.SetForceStreamType(velto::kVideoStreamSizeSmallest);
  EXPECT_TRUE(TakeSent().empty());
  manager.SetForceStreamType(velto::kVideoStreamSizeNone);
  EXPECT_EQ(TakeSent(), (std::vector<Sent>{Cancel("video-u-1", 4), Pull("video-u-1", 3)}));
}

// A derived manager's own size policy and user count are what the pulls use.
class PolicyManager : public VideoStreamManager {
 public:
  uint64_t users = 0;
  bool own_policy = false;
  uint64_t GetUserCount() override { return users; }
  velto::videoStreamSizeType GeneratekVideoStreamSizeType(const Variant* info) override {
    return own_policy ? velto::kVideoStreamSizeSmallest : VideoStreamManager::GeneratekVideoStreamSizeType(info);
  }
};

TEST_F(VideoStreamSize, DerivedManagersReplaceThePolicyOrTheUserCount) {
  PolicyManager manager;
  manager.users = 2;
  manager.SetStreamRule(VideoStream::kVideoStreamRuleUserCount);
  const Variant visible = Visible({"video-u-1"});
  manager.SetVisibleStreamList(&visible);
  EXPECT_EQ(TakeSent(), std::vector<Sent>{Pull("video-u-1", 1)});  // the fixture has 5 users
  manager.own_policy = true;
  manager.SetVisibleStreamList(&visible);
  EXPECT_EQ(TakeSent(), (std::vector<Sent>{Cancel("video-u-1", 1), Pull("video-u-1", 4)}));
}

TEST_F(VideoStreamSize, WithoutTheStreamInfoMapTheSizeIsLargeAndResizingStops) {
  PolicyManager manager;
  manager.SetStreamRule(VideoStream::kVideoStreamRuleAllSmall);
  const Variant visible = Visible({"video-u-1"});
  manager.SetVisibleStreamList(&visible);
  TakeSent();
  meeting_->video().Fail(26);
  hostkit::ClearLogs();
  const Variant info = Json(R"({"stream_id": "video-u-1"})");
  EXPECT_EQ(manager.GeneratekVideoStreamSizeType(&info), velto::kVideoStreamSizeLarge);
  EXPECT_TRUE(hostkit::HasLog(6, "[vsm] stream info map is null"));
  manager.SetStreamRule(VideoStream::kVideoStreamRuleBigView);
  EXPECT_TRUE(TakeSent().empty());
  EXPECT_TRUE(manager.CheckVideoIsRequested("video-u-1"));
}

TEST_F(VideoStreamSize, VideoModeSetsTheRuleWithoutResizing) {
  VideoStreamManager manager;
  const Variant visible = Visible({"video-u-1"});
  manager.SetVisibleStreamList(&visible);
  TakeSent();
  velto::VideoStreamManagerPeer::UpdateVideoStreamRuleWithVideoMode(manager, velto::Video::kVideoModeGallery);
  EXPECT_EQ(velto::VideoStreamManagerPeer::Rule(manager), VideoStream::kVideoStreamRuleUserCount);
  EXPECT_TRUE(hostkit::HasLog(6, "rule from0 to2"));
  EXPECT_TRUE(TakeSent().empty());
  velto::VideoStreamManagerPeer::UpdateVideoStreamRuleWithVideoMode(manager, velto::Video::kVideoModeBigView);
  EXPECT_EQ(velto::VideoStreamManagerPeer::Rule(manager), VideoStream::kVideoStreamRuleBigView);
  velto::VideoStreamManagerPeer::UpdateVideoStreamRuleWithVideoMode(manager, static_cast<velto::Video::VideoModeType>(9));
  EXPECT_TRUE(hostkit::HasLog(1, "need check param video_mode =9"));
  EXPECT_EQ(velto::VideoStreamManagerPeer::Rule(manager), VideoStream::kVideoStreamRuleNone);
  EXPECT_TRUE(TakeSent().empty());
}

using VideoStreamAudioMode = VideoStreamTest;

TEST_F(VideoStreamAudioMode, KeepsSubStreamsRefusesNewCameraPullsAndLeavingPullsTheVisibleListAgain) {
  EditStreamInfoMap([](Variant& streams) {
    streams["sub-u-2"] = Json(R"({"stream_id": "sub-u-2", "instance_id": 1})");
  });
  hostkit::SetStreamInfo("sub-u-2", vlp::av::kStreamTypeVideo, vlp::av::kStreamDirectionIn);
  VideoStreamManager manager;
  manager.SetStreamRule(VideoStream::kVideoStreamRuleAllSmall);
  const Variant visible = Visible({"video-u-1", "sub-u-2"});
  manager.SetVisibleStreamList(&visible);
  TakeSent();

  manager.SetAudioMode(true);
  EXPECT_TRUE(hostkit::HasLog(5, "enable =true"));
  EXPECT_EQ(TakeSent(), std::vector<Sent>{Cancel("video-u-1", 3)});
  EXPECT_TRUE(manager.CheckVideoIsRequested("sub-u-2"));

  const Variant more = Visible({"video-u-1", "sub-u-2", "video-u-3"});
  manager.SetVisibleStreamList(&more);
  EXPECT_TRUE(TakeSent().empty());
  EXPECT_TRUE(hostkit::HasLog(6, "stream_id :video-u-3 is in audiomode, so not request now"));

  manager.SetAudioMode(false);
  EXPECT_EQ(TakeSent(), (std::vector<Sent>{Pull("video-u-1", 3), Pull("video-u-3", 3)}));
}

using VideoStreamPause = VideoStreamTest;

TEST_F(VideoStreamPause, PauseCancelsEverythingButKeepsTheListAndResumePullsItAgain) {
  VideoStreamManager manager;
  manager.SetStreamRule(VideoStream::kVideoStreamRuleAllSmall);
  const Variant visible = Visible({"video-u-1", "video-u-2"});
  manager.SetVisibleStreamList(&visible);
  TakeSent();

  manager.Pause();
  EXPECT_TRUE(hostkit::HasLog(6, "paused, so cancel request video"));
  EXPECT_TRUE(pulls_.Pulled().empty());
  EXPECT_EQ(TakeSent().size(), 2u);
  EXPECT_TRUE(manager.CheckVideoIsVisible("video-u-2"));
  EXPECT_FALSE(manager.CheckVideoIsRequested("video-u-2"));

  manager.Resume();
  EXPECT_TRUE(hostkit::HasLog(6, "resumed, request video in visible list"));
  EXPECT_EQ(TakeSent(), (std::vector<Sent>{Pull("video-u-1", 3), Pull("video-u-2", 3)}));
  EXPECT_EQ(manager.GetVisibleStreamList(), visible);
}

TEST_F(VideoStreamPause, SingleStreamPullsAreRefusedUnlessVisibleAndKnown) {
  VideoStreamManager manager;
  const Variant visible = Visible({"video-u-1"});
  manager.SetVisibleStreamList(&visible);
  TakeSent();
  manager.PullVideoAndMakeSureStreamSize("video-u-2", true);
  EXPECT_TRUE(hostkit::HasLog(6, "stream_id :video-u-2 is not visible, do not request"));
  manager.PullVideoAndMakeSureStreamSize("video-u-7", true);
  EXPECT_TRUE(hostkit::HasLog(6, "stream_id :video-u-7not found in stream info map"));
  EXPECT_TRUE(TakeSent().empty());
  manager.PullVideoAndMakeSureStreamSize("video-u-1", false);
  EXPECT_EQ(TakeSent(), std::vector<Sent>{Cancel("video-u-1", 0)});
  manager.PullVideoAndMakeSureStreamSize("video-u-1", true);
  EXPECT_EQ(TakeSent(), std::vector<Sent>{Pull("video-u-1", 0)});
}

TEST_F(VideoStreamPause, ForegroundIsTheAppStateAnswerAndYesWithoutTheModel) {
  VideoStreamManager manager;
  EXPECT_TRUE(manager.IsInForeground());
  auto& app_state = hostkit::InstallModel(velto::model_id::kAppStateModel);
  app_state.Fail(21);
  EXPECT_FALSE(manager.IsInForeground());
  app_state.Succeed(21);
  EXPECT_TRUE(manager.IsInForeground());
}

}  // namespace
}  // namespace vsm_test
