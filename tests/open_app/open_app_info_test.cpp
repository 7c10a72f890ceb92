// Open-app descriptions as shared into a chat, their checks, the multi-tab window size and the
// notification guide intervals.
#include <gtest/gtest.h>

#include <string>

#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/open_app/open_app_info.h"

namespace {

using hostkit::Json;
using hostkit::Variant;
using velto_common::utils::ConvertToIMShareAppInfo;
using velto_common::utils::IsValidBasicInfo;

constexpr char kPrefix[] = "extension:web_app.sidebar_tab_in_meeting";

TEST(OpenAppInfoTest, TheExtensionIdGetsThePrefixOnlyWhenItLacksIt) {
  static_assert(sizeof(kPrefix) - 1 == 40);
  const Variant bare =
      ConvertToIMShareAppInfo(Json(R"({"extension_id": "vote", "open_app_id": "a1", "url": "https://v"})"));
  EXPECT_EQ(bare.GetString("extension_id"), std::string(kPrefix) + "vote");
  const Variant prefixed = ConvertToIMShareAppInfo(
      Json(R"({"extension_id": "extension:web_app.sidebar_tab_in_meeting.vote", "open_app_id": "a1", "url": "u"})"));
  EXPECT_EQ(prefixed.GetString("extension_id"), "extension:web_app.sidebar_tab_in_meeting.vote");
  const Variant inside = ConvertToIMShareAppInfo(
      Json(R"({"extension_id": "x/extension:web_app.sidebar_tab_in_meeting", "open_app_id": "a1", "url": "u"})"));
  EXPECT_EQ(inside.GetString("extension_id"), "x/extension:web_app.sidebar_tab_in_meeting") << "contained anywhere";
}

TEST(OpenAppInfoTest, DisplayTextsAreAlwaysThereAndOptionalKeysOnlyWhenGiven) {
  const Variant converted = ConvertToIMShareAppInfo(Json(R"({"extension_id": "vote", "open_app_id": "a1",
      "url": "https://v", "name": "Vote", "icon": 7, "height": 480, "night_icon": null,
      "support_position": [1, 2], "secret": "dropped"})"));
  EXPECT_EQ(
      converted.ToJsonStr(),
      R"({"extension_id":"extension:web_app.sidebar_tab_in_meetingvote","open_app_id":"a1","url":"https://v",)"
      R"("name":"Vote","desc":"","icon":"","corp_id":"","support_position":[1,2],"height":480,"night_icon":null})");
  EXPECT_FALSE(converted.Has("width"));
  EXPECT_FALSE(converted.Has("app_type"));
}

TEST(OpenAppInfoTest, AnUnusableDescriptionGivesNothing) {
  EXPECT_TRUE(ConvertToIMShareAppInfo(Json("[1]")).IsNull());
  EXPECT_TRUE(hostkit::HasLog(3, "original_app_info is not map"));
  const char* incomplete[] = {R"({"open_app_id": "a1", "url": "u"})", R"({"extension_id": "e", "url": "u"})",
                              R"({"extension_id": "e", "open_app_id": "a1", "url": ""})",
                              R"({"extension_id": "e", "open_app_id": 5, "url": "u"})"};
  for (const char* description : incomplete) {
    EXPECT_TRUE(ConvertToIMShareAppInfo(Json(description)).IsNull()) << description;
    EXPECT_FALSE(IsValidBasicInfo(Json(description))) << description;
  }
  EXPECT_TRUE(hostkit::HasLog(3, "illegal original_app_info, extension_id=e,open_app_id=a1, url="));
  EXPECT_FALSE(IsValidBasicInfo(Variant("e")));
  EXPECT_TRUE(hostkit::HasLog(3, "app_info is not map"));
  EXPECT_TRUE(IsValidBasicInfo(Json(R"({"extension_id": "e", "open_app_id": "a1", "url": "u"})")));
}

class OpenAppConfigTest : public testing::Test {
 protected:
  void SetUp() override { meeting_.Install(); }
  hostkit::MeetingFixture meeting_;
};

TEST_F(OpenAppConfigTest, TheWindowSizeIsTheConfiguredJsonAsItIs) {
  meeting_.SetConfigurationItem("open_web_app", "open_app_multi_tab_wnd_size", R"({"wnd_min_width": 500})");
  Variant out = Json(R"({"old": 1})");
  velto_common::utils::GetMultiTabWindowSize(out);
  EXPECT_EQ(out.ToJsonStr(), R"({"wnd_min_width":500})") << "no defaults mixed in";
  EXPECT_TRUE(hostkit::HasLog(6, R"(multi tab wnd size config: {"wnd_min_width": 500})"));
}

TEST_F(OpenAppConfigTest, WithoutAJsonTextTheFourDefaultsAreSet) {
  for (const Variant& config : {Variant(), Variant(""), Variant("{not json"), Variant(12)}) {
    hostkit::ClearLogs();
    meeting_.SetConfigurationItem("open_web_app", "open_app_multi_tab_wnd_size", config);
    Variant out = Variant::Map();
    velto_common::utils::GetMultiTabWindowSize(out);
    EXPECT_EQ(out.ToJsonStr(),
              R"({"wnd_min_width":375,"wnd_min_height":360,"wnd_default_width":1280,"wnd_default_height":800})")
        << config.ToJsonStr();
    EXPECT_TRUE(hostkit::HasLog(4, "Invalid multi tab wnd size config.")) << config.ToJsonStr();
  }
}

TEST_F(OpenAppConfigTest, GuideIntervalsAreConfiguredIntegersElseTheirDefaults) {
  EXPECT_EQ(velto::DifferentSceneNotifiGuideTime(), 172800u);
  EXPECT_EQ(velto::SameSceneNotifiGuideTime(), 604800u);
  meeting_.SetConfigurationItem("meeting", "different_scene_notify_guide_time", 3600);
  meeting_.SetConfigurationItem("meeting", "same_scene_notify_guide_time", "86400");
  EXPECT_EQ(velto::DifferentSceneNotifiGuideTime(), 3600u);
  EXPECT_EQ(velto::SameSceneNotifiGuideTime(), 604800u) << "a text is not an integer";
  meeting_.SetConfigurationItem("open_web_app", "same_scene_notify_guide_time", 5);
  EXPECT_EQ(velto::SameSceneNotifiGuideTime(), 604800u) << "only the meeting group counts";
}

TEST(OpenAppSidebarTest, TheSplitterGuideGoesToTheSidebarModelAndAlwaysAnswersTrue) {
  EXPECT_TRUE(velto_common::utils::ShowSidebarSpliterGuideTips(Json(R"({"from": "tab"})")));
  auto& sidebar = hostkit::InstallModel(velto::model_id::kSidebarAppModel);
  sidebar.Fail(velto::model_command::sidebar_app::kShowSpliterGuide);
  EXPECT_TRUE(velto_common::utils::ShowSidebarSpliterGuideTips(Json(R"({"from": "tab"})")));
  EXPECT_EQ(sidebar.LastArgument(velto::model_command::sidebar_app::kShowSpliterGuide).ToJsonStr(), R"({"from":"tab"})");
  EXPECT_EQ(sidebar.calls().back().command_id, 25);
}

}  // namespace
