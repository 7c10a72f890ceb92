// The in-meeting questions whose logic goes beyond one model query: page size rounding, the tile
// switch, presenter positions, big views, devices, toasts, reports and the stream counters.
#include <gtest/gtest.h>

#include <string>

#include "base/scope_singleton.h"
#include "framework/ui_viewmodel.h"
#include "hostkit/hostkit.h"
#include "hostkit/media_engine.h"
#include "hostkit/meeting_fixture.h"
#include "hostkit/meeting_service.h"
#include "hostkit/viewmodel.h"
#include "module_api/in_meeting/in_meeting_utils.h"
#include "module_api/model_ids.h"
#include "util/crypto/base64.h"

namespace {

namespace inmeeting = velto_common::utils::inmeeting;
namespace id = velto::model_id;
using hostkit::Json;
using hostkit::Variant;
using velto::InMeetingWindow::kMainWindow;

class InMeetingQueriesTest : public testing::Test {
 protected:
  void SetUp() override { meeting_.Install(); }
  hostkit::MeetingFixture meeting_;
};

TEST_F(InMeetingQueriesTest, FirstPageSizeRoundsEachSideBeforeMultiplying) {
  struct Case {
    const char* layout;
    const char* round;  // the configuration item's answer as JSON; null: not set
    uint32_t tiles;
  };
  const Case cases[] = {
      {R"({"rows": 2.9, "columns": 3.0})", nullptr, 9},  // 3 x 3 with the default 0.2
      {R"({"rows": 2.7, "columns": 2.7})", nullptr, 4},  // 2.9 truncates to 2
      {R"({"rows": 3, "columns": 4})", nullptr, 12},     // integers read as numbers
      {R"({"rows": 2.5, "columns": 2.4})", "0.5", 6},    // 3 x 2
      {R"({"rows": 0, "columns": 5})", nullptr, 0},
      {R"({"rows": -1.5, "columns": 3})", nullptr, 0},   // a negative side counts as none
      {R"({"columns": 3})", nullptr, 0},
      {R"({"rows": "3", "columns": 3})", nullptr, 0},
      // A double item takes only a double: an integer 1 is not a round of 1.0 (that would give
      // trunc(3.6) x trunc(4.0) = 12), the default 0.2 stands.
      {R"({"rows": 2.6, "columns": 3.0})", "1", 6},
      {R"({"rows": 2.6, "columns": 3.0})", "true", 6},
      {R"({"rows": 2.6, "columns": 3.0})", "\"0.5\"", 6},
      {R"({"rows": 2.6, "columns": 3.0})", "1.0", 12},
  };
  for (const Case& c : cases) {
    hostkit::Reset();
    meeting_.Install();
    if (c.round) meeting_.SetConfigurationItem("inmeeting", "layout_page_size_round_number", Json(c.round));
    EXPECT_EQ(inmeeting::GetFirstPageSize(Json(c.layout)), c.tiles)
        << c.layout << " round " << (c.round ? c.round : "unset");
  }
}

TEST_F(InMeetingQueriesTest, SwitchTileLayoutMovesBetweenNineAndTwentyFive) {
  auto& settings = meeting_.settings();
  hostkit::InstallModel(id::kStoredLayoutModel).Answer(6, Json(R"({"layout_id": "L-7"})"));

  EXPECT_TRUE(inmeeting::SwitchTileLayout(false));  // 9 already is the small grid
  EXPECT_EQ(settings.CallCount(47), 0u);

  EXPECT_TRUE(inmeeting::SwitchTileLayout(true));
  ASSERT_EQ(settings.CallCount(47), 1u);
  EXPECT_EQ(settings.LastArgument(47).ToJsonStr(), R"({"max_grid_count":25,"layout_id":"L-7"})");
  EXPECT_TRUE(hostkit::HasLog(6, "max grid count:9"));
  EXPECT_TRUE(hostkit::HasLog(6, "switch grid count:25"));

  EXPECT_TRUE(inmeeting::SwitchTileLayout(true));  // the fixture now answers 25
  EXPECT_EQ(settings.CallCount(47), 1u);

  EXPECT_TRUE(inmeeting::SwitchTileLayout(false));
  EXPECT_EQ(settings.LastArgument(47).GetInteger("max_grid_count"), 9);
}

TEST_F(InMeetingQueriesTest, SwitchTileLayoutPrefersTheExtraLayoutId) {
  hostkit::InstallModel(id::kStoredLayoutModel)
      .Answer(6, Json(R"({"layout_id": "L-7", "extra_layout_info": {"layout_id": "L-8"}})"));
  inmeeting::SwitchTileLayout(true);
  EXPECT_EQ(meeting_.settings().LastArgument(47).GetString("layout_id"), "L-8");
  EXPECT_TRUE(hostkit::HasLog(6, "new layout id:L-8"));
}

TEST_F(InMeetingQueriesTest, SwitchTileLayoutAnswersTrueEvenWhenNothingCanBeSent) {
  hostkit::RemoveModel(id::kMeetingSettingsModel);
  EXPECT_TRUE(inmeeting::SwitchTileLayout(false));
  EXPECT_TRUE(inmeeting::SwitchTileLayout(true));
}

TEST_F(InMeetingQueriesTest, PresenterPositionChangesOnlyAcrossSideGroups) {
  struct Case {
    uint32_t current;
    uint32_t next;
    bool changed;
  };
  const Case cases[] = {{1, 0, false}, {0, 1, false}, {1, 2, true}, {2, 3, false}, {3, 2, false},
                        {3, 1, true},  {0, 0, false}, {0, 9, true}, {9, 9, true}};
  for (const Case& c : cases) {
    hostkit::ClearLogs();
    meeting_.settings().Answer(50, c.current);
    EXPECT_EQ(inmeeting::IsPresenterModeChanged(c.next), c.changed) << c.current << " -> " << c.next;
    EXPECT_EQ(hostkit::HasLog(6, "presenter position type doesn't change"), !c.changed);
    EXPECT_TRUE(hostkit::HasLog(6, "current presenter position type:" + std::to_string(c.current) +
                                       ", new presenter position type:" + std::to_string(c.next)));
  }
}

TEST_F(InMeetingQueriesTest, PresenterPositionOfOtherLayoutsIsNone) {
  velto::PresenterLayout::GalleryPositionType position = 1;
  inmeeting::UpdateCurrentPresenterPositionType(2, position);
  EXPECT_EQ(position, 0xFFFFFFFFu);
  EXPECT_EQ(meeting_.settings().CallCount(50), 0u);

  meeting_.settings().Answer(50, 3u);
  inmeeting::UpdateCurrentPresenterPositionType(1, position);
  EXPECT_EQ(position, 3u);

  meeting_.settings().Fail(50);
  inmeeting::UpdateCurrentPresenterPositionType(1, position);
  EXPECT_EQ(position, 3u);
  EXPECT_TRUE(hostkit::HasLog(1, "get gallery position type failed"));
}

TEST_F(InMeetingQueriesTest, UnknownWindowTypeMeansTheMainWindowAndIsLogged) {
  const auto bogus = static_cast<velto::InMeetingWindow::WindowType>(2);
  EXPECT_EQ(inmeeting::ModelTypeForWindowType(bogus), id::kMainWindowModel);
  EXPECT_TRUE(hostkit::HasLog(1, "should have a type in enum"));
  EXPECT_EQ(inmeeting::ModelForWindowType(bogus), hostkit::FindModel(id::kMainWindowModel));
  EXPECT_EQ(inmeeting::ModelTypeForWindowType(velto::InMeetingWindow::kSecondaryWindow), id::kSecondaryWindowModel);
}

TEST_F(InMeetingQueriesTest, LayoutInfoReadsOverTheNeutralValue) {
  EXPECT_EQ(inmeeting::ParseLayoutInfo(Json(R"({"layout_mode": 2})")), (velto::InMeetingWindow::LayoutInfo{7, 2, 0}));
  EXPECT_EQ(inmeeting::ParseLayoutInfo(Json("[1, 2]")), velto::InMeetingWindow::LayoutInfo());
  meeting_.main_window().Fail(222);
  EXPECT_EQ(inmeeting::GetLayoutInfo(kMainWindow), (velto::InMeetingWindow::LayoutInfo{7, 0, 0}));
  EXPECT_TRUE(inmeeting::SetLayoutType(kMainWindow, 3, 2));
  EXPECT_EQ(meeting_.main_window().LastArgument(0).ToJsonStr(), R"({"layout_type":3,"reason":2})");
  EXPECT_EQ(inmeeting::GetLayoutType(kMainWindow), 3);
}

TEST_F(InMeetingQueriesTest, CustomLayoutCountsTheSecondaryWindowOnlyWhenItExists) {
  meeting_.SetLayoutType(1, 3);
  EXPECT_FALSE(inmeeting::IsCustomLayoutType());
  meeting_.SetSecondaryWindowExists(true);
  EXPECT_TRUE(inmeeting::IsCustomLayoutType());
  meeting_.SetSecondaryWindowExists(false);
  meeting_.SetLayoutType(0, 3);
  EXPECT_TRUE(inmeeting::IsCustomLayoutType());
}

TEST_F(InMeetingQueriesTest, BigViewSelfFallsBackToTheUserRecord) {
  meeting_.SetBigView(0, "u-1");
  EXPECT_FALSE(inmeeting::IsBigViewSelf(kMainWindow));
  EXPECT_EQ(meeting_.users().LastArgument(7).AsStr(), "u-1");

  meeting_.SetBigView(0, hostkit::MeetingFixture::kSelfUserId);  // no "self" in the view: the record says
  EXPECT_TRUE(inmeeting::IsBigViewSelf(kMainWindow));

  meeting_.main_window().Answer(3, Json(R"({"stream_id": "video-u-self"})"));
  meeting_.users().ClearCalls();
  EXPECT_FALSE(inmeeting::IsBigViewSelf(kMainWindow));
  EXPECT_EQ(meeting_.users().CallCount(), 0u);

  meeting_.main_window().Answer(3, Json(R"({"user_id": "u-9"})"));  // nobody by that id
  EXPECT_FALSE(inmeeting::IsBigViewSelf(kMainWindow));
}

TEST_F(InMeetingQueriesTest, TogetherModeNeedsTheBigViewToShowItsStream) {
  hostkit::InstallModel(id::kCustomLayoutModel)
      .Answer(8, Json(R"({"stream": "video-u-2", "is_together_mode": true})"));
  EXPECT_FALSE(inmeeting::IsBigViewTogetherMode());
  EXPECT_TRUE(hostkit::HasLog(6, "together_mode: video-u-2, big: video-u-self, is_together_mode: true"));
  meeting_.SetBigView(0, "u-2");
  EXPECT_TRUE(inmeeting::IsBigViewTogetherMode());
  hostkit::FindModel(id::kCustomLayoutModel)->Answer(8, Json(R"({"stream": "", "is_together_mode": true})"));
  meeting_.main_window().Answer(3, Json("{}"));
  EXPECT_FALSE(inmeeting::IsBigViewTogetherMode());
}

TEST_F(InMeetingQueriesTest, ViewModelLifecycleStatesMapToTheirCommands) {
  struct Case {
    int lifecycle;
    int command;  // -1: nothing sent
    const char* argument;
  };
  const Case cases[] = {{0, 1, R"({"vm_type":3})"},
                        {1, 1, R"({"vm_type":3})"},
                        {2, 0, R"({"vm_type":3,"vm_in_back":true})"},
                        {3, 0, R"({"vm_type":3,"vm_in_back":true})"},
                        {5, 0, R"({"vm_type":3,"vm_in_back":false})"},
                        {4, -1, ""},
                        {6, -1, ""},
                        {-1, -1, ""}};
  for (const Case& c : cases) {
    auto& lifecycle = hostkit::InstallModel(id::kViewModelLifecycleModel);
    lifecycle.Succeed(0).Succeed(1);
    inmeeting::SetCurrentVmLifecycleState(3, c.lifecycle);
    if (c.command < 0) {
      EXPECT_EQ(lifecycle.CallCount(), 0u) << c.lifecycle;
      continue;
    }
    ASSERT_EQ(lifecycle.CallCount(), 1u) << c.lifecycle;
    EXPECT_EQ(lifecycle.calls()[0].command_id, c.command) << c.lifecycle;
    EXPECT_EQ(lifecycle.calls()[0].argument.ToJsonStr(), c.argument) << c.lifecycle;
  }
}

TEST_F(InMeetingQueriesTest, StreamLimitIsAskedTwice) {
  meeting_.meeting().Answer(66, 1);
  EXPECT_TRUE(inmeeting::IsInStreamLimitState());
  EXPECT_EQ(meeting_.meeting().CallCount(66), 2u);
  meeting_.meeting().Answer(66, 2);
  EXPECT_FALSE(inmeeting::IsInHighUsageState());
}

TEST_F(InMeetingQueriesTest, MultipleDevicesNeedAMeetingAndValidSelfInformation) {
  veltosdk::MeetingSelfInfo self;
  self.valid = true;
  self.devices = {{"default", 0, true, true, false, 0}, {"pad", 3, false, false, false, 0}};
  hostkit::SetSelfInfo(self);
  EXPECT_TRUE(inmeeting::IsMultipleDevicesJoinedInMeeting());
  EXPECT_FALSE(inmeeting::IsAudioConnectedByOtherInstance());  // only this instance carries audio

  self.devices[1].audio_connected = true;
  hostkit::SetSelfInfo(self);
  EXPECT_TRUE(inmeeting::IsAudioConnectedByOtherInstance());

  self.valid = false;
  hostkit::SetSelfInfo(self);
  EXPECT_FALSE(inmeeting::IsMultipleDevicesJoinedInMeeting());
  EXPECT_TRUE(hostkit::HasLog(1, "self_info is nil or wrong"));

  self.valid = true;
  hostkit::SetSelfInfo(self);
  meeting_.meeting().Fail(0);  // not in a meeting: the platform is not asked
  hostkit::ClearLogs();
  EXPECT_FALSE(inmeeting::IsMultipleDevicesJoinedInMeeting());
  EXPECT_FALSE(hostkit::HasLog(1, "self_info"));
}

TEST_F(InMeetingQueriesTest, WebSharingByThisDeviceIsNotSharingByOthers) {
  meeting_.StartWebShare("u-self");
  EXPECT_TRUE(inmeeting::IsWebSharingByOther());  // another device of the same account
  veltosdk::MeetingSelfInfo self;
  self.valid = true;
  self.share_type = veltosdk::kShareTypeWeb;
  hostkit::SetSelfInfo(self);
  EXPECT_FALSE(inmeeting::IsWebSharingByOther());
  EXPECT_TRUE(inmeeting::IsSelfDeviceWebShare());
}

TEST_F(InMeetingQueriesTest, WebSharingUserFillsOnlyAMapAndOnlyWhileSharing) {
  Variant out;  // null is not a map
  inmeeting::GetWebSharingUserInfo(out);
  EXPECT_TRUE(out.IsNull());
  EXPECT_TRUE(hostkit::HasLog(3, "params is not map"));

  out = Json(R"({"keep": 1})");
  inmeeting::GetWebSharingUserInfo(out);
  EXPECT_EQ(out.ToJsonStr(), R"({"keep":1})");

  meeting_.StartWebShare("u-2");
  inmeeting::GetWebSharingUserInfo(out);
  EXPECT_EQ(out.GetString("user_id"), "u-2");
  EXPECT_EQ(out.GetInteger("instance_id"), 1);
  EXPECT_EQ(out.GetString("app_uid"), "uid-u-2");
  EXPECT_EQ(out.GetString("unique_id"), "unique-u-2");
}

TEST_F(InMeetingQueriesTest, TabSwitchIsReadOncePerProcess) {
  meeting_.SetConfigurationItem("inmeeting", "inmeeting_tab_switch", true);
  EXPECT_TRUE(inmeeting::GetInmeetingTabUISwitch());
  meeting_.SetConfigurationItem("inmeeting", "inmeeting_tab_switch", false);
  EXPECT_TRUE(inmeeting::GetInmeetingTabUISwitch());
  EXPECT_EQ(meeting_.service_entrance().CallCount(1), 1u);
  EXPECT_TRUE(hostkit::HasLog(4, "GetInmeetingTabUISwitch, inmeeting_tab_switch: true"));
  base::TeardownScopeSingletons();  // a new process
  EXPECT_FALSE(inmeeting::GetInmeetingTabUISwitch());
}

TEST_F(InMeetingQueriesTest, JoinLimitToastTextsByType) {
  hostkit::SetLocalizedString(static_cast<int32_t>(0xa4909e89), "limit changed");
  hostkit::SetLocalizedString(static_cast<int32_t>(0x9ba65fc5), "one device");
  hostkit::SetLocalizedString(static_cast<int32_t>(0x4995e190), "several devices");
  framework::UIViewModel view_model;
  const std::pair<int, const char*> cases[] = {
      {0, "limit changed"}, {1, "limit changed"}, {2, "one device"}, {3, "several devices"}, {7, "limit changed"}};
  for (const auto& [type, text] : cases) {
    hostkit::ClearToasts();
    inmeeting::ShowJoinLimitTypeChangeToast(&view_model, type);
    ASSERT_EQ(hostkit::Toasts().size(), 1u) << type;
    const hostkit::ToastRecord& toast = hostkit::Toasts()[0];
    EXPECT_EQ(toast.text, text);
    EXPECT_EQ(toast.type, 0);
    EXPECT_EQ(toast.duration_ms, 2000);
    EXPECT_EQ(toast.flags, 0);
    EXPECT_EQ(toast.owner, &view_model);
  }

  meeting_.settings().Answer(1, Json(R"({"multi_device_join_linkage_disabled": true})"));
  for (int type : {2, 3}) {
    hostkit::ClearToasts();
    inmeeting::ShowJoinLimitTypeChangeToast(&view_model, type);
    EXPECT_TRUE(hostkit::Toasts().empty()) << type;
  }
  inmeeting::ShowJoinLimitTypeChangeToast(&view_model, 1);
  EXPECT_EQ(hostkit::Toasts().size(), 1u);

  inmeeting::ShowJoinLimitTypeChangeToast(nullptr, 1);
  EXPECT_EQ(hostkit::Toasts().size(), 1u);
}

TEST_F(InMeetingQueriesTest, AiAssistantReportNamesTheChoiceAndTheRole) {
  meeting_.meeting().Answer(
      3, Json(R"({"meeting_item": {"aihelper_role_type": 2, "creator_aihelper_list":
                 [{"app_id": "1400000001", "app_uid": "uid-u-self"}]}})"));
  meeting_.SetConfigurationItem("inmeeting", "aihelper_open_switch", true);
  inmeeting::ReportAiAssistantStopEventLog(false);
  const hostkit::AnalyticsEvent* event = hostkit::LastAnalytics("e#meeting#ai_helper_stop_cancel#click");
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(event->properties.at("aihelper_open_switch"), "1");
  EXPECT_EQ(event->properties.at("aihelper_role_type"), "2");
  EXPECT_EQ(event->properties.at("is_creator_or_host"), "1");
  EXPECT_EQ(event->properties.count("c_cpu_arch"), 1u);
  EXPECT_EQ(hostkit::CountAnalytics("e#meeting#ai_helper_stop_confirm#click"), 0u);

  meeting_.LeaveMeeting();
  inmeeting::ReportAiAssistantStopEventLog(true);
  EXPECT_EQ(hostkit::CountAnalytics("e#meeting#ai_helper_stop_confirm#click"), 0u);
}

TEST_F(InMeetingQueriesTest, CustomerDataIsValidWhenItDecodesToNothing) {
  EXPECT_TRUE(inmeeting::IsValidCustomerData(""));
  EXPECT_TRUE(inmeeting::IsValidCustomerData("!!not base64!!"));
  EXPECT_FALSE(inmeeting::IsValidCustomerData(util::crypto::Encode64("corp=42")));
  EXPECT_TRUE(hostkit::HasLog(6, "check customer data:corp=42"));
}

TEST_F(InMeetingQueriesTest, CastMeetingByTypeBitOrCastState) {
  EXPECT_FALSE(inmeeting::IsCastMeeting());
  auto& cast = hostkit::InstallModel(id::kCastModel);
  for (int state : {2, 3}) {
    cast.Answer(13, state);
    EXPECT_TRUE(inmeeting::IsCastMeeting()) << state;
  }
  cast.Answer(13, 1);
  EXPECT_FALSE(inmeeting::IsCastMeeting());
  meeting_.meeting().Answer(6, Json(R"({"meeting_item": {"meeting_type": 17}})"));
  EXPECT_TRUE(inmeeting::IsCastMeeting());
}

TEST_F(InMeetingQueriesTest, UserSharingCountsScreenStreamsAndWebShares) {
  EXPECT_FALSE(inmeeting::IsUserSharing());
  meeting_.StartScreenShare("u-self");
  EXPECT_TRUE(inmeeting::IsUserSharing());  // an up screen stream
  EXPECT_TRUE(inmeeting::IsScreenSharing());
  meeting_.StopScreenShare("u-self");
  meeting_.StartScreenShare("u-3");
  EXPECT_TRUE(inmeeting::IsUserSharing());  // a down screen stream
  EXPECT_TRUE(inmeeting::HasOtherScreenShareUser());
  meeting_.StopScreenShare("u-3");
  EXPECT_FALSE(inmeeting::HasOtherScreenShareUser());
  meeting_.StartWebShare("u-1");
  EXPECT_TRUE(inmeeting::IsUserSharing());
  EXPECT_TRUE(inmeeting::IsSharing());
}

TEST_F(InMeetingQueriesTest, OwnScreenIsNoOtherScreenShare) {
  meeting_.StartScreenShare("u-self");
  EXPECT_FALSE(inmeeting::HasOtherScreenShareUser());
  EXPECT_TRUE(inmeeting::IsSelfSubVideoOn());
}

TEST_F(InMeetingQueriesTest, StreamKindsComeFromTheEngineThenTheMap) {
  namespace vs = velto::video_stream;
  meeting_.UpdateUser("u-1", Json(R"({"video": true})"));
  EXPECT_EQ(vs::GetStreamType("video-u-1"), vs::kStreamTypeVideo);
  EXPECT_EQ(vs::GetStreamDirection("video-u-1"), vs::kStreamDirectionIn);
  hostkit::RemoveStreamInfo("video-u-1");  // the engine forgot it; the map still has it
  EXPECT_EQ(vs::GetStreamType("video-u-1"), vs::kStreamTypeVideo);
  EXPECT_EQ(vs::GetStreamDirection("video-u-1"), vs::kStreamDirectionOut);
  EXPECT_EQ(vs::GetStreamType("nobody"), vs::kStreamTypeUnknown);
  hostkit::SetStreamInfo("screen-x", vlp::av::kStreamTypeScreen, vlp::av::kStreamDirectionIn);
  EXPECT_TRUE(vs::IsScreenStreamIn("screen-x"));
  hostkit::SetStreamInfo("screen-x", vlp::av::kStreamTypeScreen, vlp::av::kStreamDirectionOut);
  EXPECT_FALSE(vs::IsScreenStreamIn("screen-x"));

  hostkit::RemoveModel(id::kVideoModel);
  EXPECT_EQ(vs::GetStreamType("video-u-1"), vs::kStreamTypeUnknown);
  EXPECT_TRUE(hostkit::HasLog(6, "[vsm] stream info map is null"));
  EXPECT_EQ(vs::GetStreamInfoMapPtr(), nullptr);
}

TEST(StreamCountInfo, ValueOperations) {
  using velto_common::utils::inmeeting::StreamCountInfo;
  EXPECT_TRUE(StreamCountInfo(Json("{}")).IsEmpty());
  EXPECT_TRUE(StreamCountInfo(Json(R"({"up_video_stream_count": "3"})")).IsEmpty());
  StreamCountInfo counts(Json(R"({"up_video_stream_count": 1, "down_video_stream_count": 2,
                                  "up_screen_stream_count": 3, "down_screen_stream_count": 4})"));
  EXPECT_EQ(counts.GetAllStreamCount(), 10);
  EXPECT_EQ(counts.GetVideoStreamCount(), 3);
  EXPECT_FALSE(counts.IsEmpty());
  Variant out = Variant::Map();
  counts.ToVariant(out);
  EXPECT_EQ(StreamCountInfo(out), counts);
  StreamCountInfo other = counts;
  other.down_screen_stream_count = 0;
  EXPECT_NE(other, counts);
  other.Reset();
  EXPECT_TRUE(other.IsEmpty());
  EXPECT_EQ(counts.Dump(),
            "up_video_stream_count = 1, down_video_stream_count = 2, up_screen_stream_count = 3, "
            "down_screen_stream_count = 4");
}

}  // namespace
