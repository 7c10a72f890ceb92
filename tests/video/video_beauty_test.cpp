// The AI settings page's lists: beauty items and filters from their fixed names, pendants from
// the server's resource map in whatever shape it arrives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/timers.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/video/video_beauty_util.h"

namespace {

using hostkit::Json;
using hostkit::Variant;
using velto::VideoBeautyUtil;

constexpr char kDir[] = "/res/beauty/";

std::vector<std::string> Column(const Variant& items, const char* key) {
  std::vector<std::string> values;
  for (const Variant& item : items.Elements()) values.push_back(item.GetString(key));
  return values;
}

void SetDarkTheme(bool dark) {
  hostkit::InstallModel(velto::model_id::kThemeModel).Answer(velto::model_command::theme::kIsDark, dark);
}

TEST(VideoBeautyTest, BeautyItemsComeInThePagesOrderWithTheirIcons) {
  SetDarkTheme(false);
  hostkit::SetLocalizedString(0x56B00100 + VideoBeautyUtil::kBeautyNature, "Natural");
  Variant items;
  ASSERT_TRUE(VideoBeautyUtil::ParserBeautyFaceRecource(items, kDir));
  ASSERT_EQ(items.size(), 23u);
  const char* names[] = {"beauty_none", "beauty_nature", "beauty_whiteness", "beauty_ruddy", "beauty_face_slim",
                         "beauty_face_beauty", "beauty_face_short", "beauty_face_v", "beauty_forehead",
                         "beauty_wrinkle_remove", "beauty_smile_lines_remove", "beauty_eye_scale",
                         "beauty_eye_lighten", "beauty_eye_distance", "beauty_eye_angle", "beauty_pounch_remove",
                         "beauty_nose_slim", "beauty_nose_wing", "beauty_nose_position", "beauty_mouth_shape",
                         "beauty_lips_thickness", "beauty_tooth_whiten", "beauty_chin"};
  for (size_t i = 0; i < items.size(); ++i) {
    const Variant& item = items.At(i);
    EXPECT_EQ(item.GetInteger("type", -1), static_cast<int64_t>(i));
    EXPECT_EQ(item.GetString("icon_path"), std::string(kDir) + names[i] + ".svg");
    EXPECT_LT(item.GetInteger("min_value"), item.GetInteger("max_value") + (i == 0 ? 1 : 0)) << names[i];
    EXPECT_EQ(item.GetBoolean("is_slider_hidden"), i == 0) << names[i];
    for (const char* key : {"title", "min_value", "max_value"}) EXPECT_TRUE(item.Has(key)) << key;
  }
  EXPECT_EQ(items.At(1).GetString("title"), "Natural");
}

TEST(VideoBeautyTest, TheDarkThemeTakesTheDarkIcons) {
  SetDarkTheme(true);
  Variant items;
  VideoBeautyUtil::ParserBeautyFaceRecource(items, kDir);
  EXPECT_EQ(items.At(22).GetString("icon_path"), "/res/beauty/beauty_chin_dark.svg");
  Variant filters;
  VideoBeautyUtil::ParserFilterRecource(filters, kDir);
  EXPECT_EQ(filters.At(0).GetString("icon_path"), "/res/beauty/beauty_none_dark.svg");
  EXPECT_EQ(filters.At(1).GetString("icon_path"), "/res/beauty/filter_biaozhun.png") << "previews have no dark form";
}

TEST(VideoBeautyTest, FiltersCarryTheirNamesAndPreviews) {
  Variant filters;
  ASSERT_TRUE(VideoBeautyUtil::ParserFilterRecource(filters, kDir));
  const std::vector<std::string> ids = {"beauty_none", "biaozhun", "yinghong", "yunshang", "chunzhen", "bailan",
                                        "yuanqi", "chaotuo", "xiangfen", "white", "langman", "qingxin",
                                        "weimei", "fennen", "huaijiu", "landiao", "qingliang", "rixi"};
  EXPECT_EQ(Column(filters, "id"), ids);
  for (size_t i = 1; i < ids.size(); ++i) {
    EXPECT_EQ(filters.At(i).GetString("icon_path"), std::string(kDir) + "filter_" + ids[i] + ".png");
    EXPECT_FALSE(filters.At(i).GetBoolean("is_slider_hidden"));
  }
  EXPECT_EQ(filters.At(0).GetString("icon_path"), "/res/beauty/beauty_none.svg") << "no theme model: light";
  EXPECT_TRUE(filters.At(0).GetBoolean("is_slider_hidden"));
  EXPECT_GE(VideoBeautyUtil::GetFilterDefaultValue(), filters.At(1).GetInteger("min_value"));
  EXPECT_LE(VideoBeautyUtil::GetFilterDefaultValue(), filters.At(1).GetInteger("max_value"));
}

TEST(VideoBeautyTest, AMissingDirectoryOnlyChangesTheIconPaths) {
  Variant with_dir, without_dir;
  VideoBeautyUtil::ParserBeautyFaceRecource(with_dir, kDir);
  VideoBeautyUtil::ParserBeautyFaceRecource(without_dir, "");
  ASSERT_EQ(with_dir.size(), without_dir.size());
  for (size_t i = 0; i < with_dir.size(); ++i) {
    Variant a = with_dir.At(i), b = without_dir.At(i);
    EXPECT_EQ(a.GetString("icon_path"), std::string(kDir) + b.GetString("icon_path"));
    a.Remove("icon_path");
    b.Remove("icon_path");
    EXPECT_EQ(a, b);
  }
}

TEST(VideoBeautyTest, ItemsAreAppendedToWhatTheListHeld) {
  Variant items = Json(R"([{"type": 99}])");
  VideoBeautyUtil::ParserFilterRecource(items, kDir);
  EXPECT_EQ(items.size(), 19u);
  EXPECT_EQ(items.At(0).GetInteger("type"), 99);
}

TEST(VideoPendantTest, PendantsComeFromTheResourceList) {
  hostkit::SetWallClockMs(1700000000000);
  hostkit::SetLocalizedString(0x56B00160, "{count} left");
  hostkit::SetLocalizedString(0x56B00161, "Until {date}");
  const Variant resources = Json(R"({"list": [
      {"id": "p1", "biz_type": 2, "type": 1, "title": "Cat ears", "icon_path": "https://cdn/p1.png",
       "end_time": 0, "count": 3},
      {"id": 42, "biz_type": 1, "type": 0, "title": "Hat", "icon_path": "", "end_time": 1800000000},
      {"id": "p3", "title": "Old", "icon_path": "/local/p3.svg", "end_time": 1600000000},
      {"id": "p4", "title": "Used up", "count": 0}]})");
  Variant out;
  ASSERT_TRUE(VideoBeautyUtil::ParserPendantRecource(out, resources, kDir));
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(Column(out, "id"), (std::vector<std::string>{"p1", "42", "p3", "p4"}));

  const Variant& counted = out.At(0);
  EXPECT_EQ(counted.GetString("title"), "Cat ears");
  EXPECT_EQ(counted.GetString("icon_path"), "https://cdn/p1.png");
  EXPECT_EQ(counted.GetInteger("icon_type"), 1);
  EXPECT_EQ(counted.GetInteger("biz_type"), 2);
  EXPECT_EQ(counted.GetInteger("type"), 1);
  EXPECT_TRUE(counted.GetBoolean("show_tips"));
  EXPECT_EQ(counted.GetString("tips_content"), "3 left");
  EXPECT_TRUE(counted.GetBoolean("pendant_enable"));
  EXPECT_EQ(counted.GetString("amount_icon"), "/res/beauty/pendant_amount.svg");
  EXPECT_TRUE(counted.GetBoolean("is_slider_hidden"));

  const Variant& timed = out.At(1);
  EXPECT_EQ(timed.GetString("icon_path"), "/res/beauty/pendant_42.svg") << "no icon of its own";
  EXPECT_EQ(timed.GetInteger("icon_type"), 0);
  EXPECT_EQ(timed.GetString("tips_content"), "Until 2027-01-15");
  EXPECT_TRUE(timed.GetBoolean("pendant_enable"));
  EXPECT_EQ(timed.GetString("amount_icon"), "");

  EXPECT_FALSE(out.At(2).GetBoolean("pendant_enable")) << "expired";
  EXPECT_FALSE(out.At(3).GetBoolean("pendant_enable")) << "none left";
  for (const char* key : {"min_value", "max_value", "show_tips", "tips_content"}) {
    EXPECT_TRUE(out.At(2).Has(key)) << key;
  }
}

TEST(VideoPendantTest, AMapInAnyOtherShapeIsRefused) {
  const char* shapes[] = {"null", "[]", R"("list")", "7", "{}", R"({"list": null})", R"({"list": {"id": "p1"}})",
                          R"({"list": "p1,p2"})", R"({"List": []})"};
  for (const char* shape : shapes) {
    hostkit::ClearLogs();
    Variant out = Json(R"([{"kept": true}])");
    EXPECT_FALSE(VideoBeautyUtil::ParserPendantRecource(out, Json(shape), kDir)) << shape;
    EXPECT_TRUE(hostkit::HasLog(3, "pendant_res_map unvalid")) << shape;
    EXPECT_EQ(out.ToJsonStr(), R"([{"kept":true}])") << shape;
  }
}

TEST(VideoPendantTest, EntriesWithoutAnIdAreSkippedOnceLoggedAndKindsDoNotCrash) {
  const Variant resources = Json(R"({"list": [1, "p", null, [], {}, {"id": ""}, {"id": true}, {"id": 1.5},
      {"id": "ok", "count": "3", "end_time": "soon", "title": 7, "icon_path": {"x": 1}, "biz_type": [],
       "type": "a"}]})");
  Variant out;
  ASSERT_TRUE(VideoBeautyUtil::ParserPendantRecource(out, resources, kDir));
  ASSERT_EQ(out.size(), 1u);
  const Variant& item = out.At(0);
  EXPECT_EQ(item.GetString("title"), "");
  EXPECT_EQ(item.GetString("icon_path"), "/res/beauty/pendant_ok.svg");
  EXPECT_FALSE(item.GetBoolean("show_tips", true)) << "a count that is no number is no limit";
  EXPECT_TRUE(item.GetBoolean("pendant_enable"));
  EXPECT_EQ(hostkit::CountLogs(3, "pendant entries without a valid id skipped: 8"), 1u);
}

TEST(VideoPendantTest, AHugeListIsParsedWhole) {
  Variant list = Variant::Array();
  for (int i = 0; i < 20000; ++i) {
    Variant entry = Variant::Map();
    entry["id"] = i;
    entry["count"] = i % 3;
    list.Add(std::move(entry));
  }
  Variant resources = Variant::Map();
  resources["list"] = std::move(list);
  Variant out;
  ASSERT_TRUE(VideoBeautyUtil::ParserPendantRecource(out, resources, ""));
  ASSERT_EQ(out.size(), 20000u);
  EXPECT_EQ(out.At(19999).GetString("id"), "19999");
  EXPECT_EQ(out.At(19999).GetString("icon_path"), "pendant_19999.svg");
  EXPECT_TRUE(out.At(19999).GetBoolean("pendant_enable"));
  EXPECT_FALSE(out.At(19998).GetBoolean("pendant_enable"));
}

TEST(VideoBeautyTest, EngineFacts) {
  EXPECT_FALSE(VideoBeautyUtil::IsLiteFacebeuatyEngine());
  EXPECT_TRUE(hostkit::HasLog(1, "model 512 not found"));
  hostkit::InstallModel(velto::model_id::kBeautyModel).Answer(velto::model_command::beauty::kIsLiteEngine, true);
  EXPECT_TRUE(VideoBeautyUtil::IsLiteFacebeuatyEngine());
  hostkit::Environment().app_res_dir = "/opt/velto/app_res";
  EXPECT_EQ(VideoBeautyUtil::GetBeautyRecourceDirPath(), "/opt/velto/app_res/raw/beauty_resources/");
  EXPECT_EQ(VideoBeautyUtil::GetMid(), "win.g.ts.tstc");
  EXPECT_NE(VideoBeautyUtil::FrontCamera(), VideoBeautyUtil::BackCamera());
}

}  // namespace
