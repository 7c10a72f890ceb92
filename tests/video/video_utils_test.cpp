// Video facts of the video model and of user records, the unsupported-feature texts, and the
// virtual-background record conversions.
#include <gtest/gtest.h>

#include <string>

#include "hostkit/hostkit.h"
#include "module_api/model_ids.h"
#include "module_api/video/video_utils.h"
#include "module_api/video/video_virtual.h"
#include "module_api/web/web_util.h"

namespace {

namespace video = velto_common::utils::video;
namespace vv = velto_common::utils::video_virtual;
using hostkit::Json;
using hostkit::Variant;
using veltosdk::plugin::kVideoVirtualEmptyString;

TEST(VideoDeviceExceptionTest, ReadsTheVideoModelsExceptionOrLeavesTheStateAlone) {
  video::VideoDeviceState state("keep", video::kDeviceStateUnplugged);
  const video::VideoDeviceState before = state;
  EXPECT_FALSE(video::GetDeviceExceptionInfo(state));  // no video model
  EXPECT_EQ(state, before);
  EXPECT_TRUE(hostkit::HasLog(1, "model 511 not found"));

  auto& model = hostkit::InstallModel(velto::model_id::kVideoModel);
  model.Answer(45, Json(R"({"device_id": "cam-1", "device_state": "1", "error_type": -121})"));
  EXPECT_FALSE(video::GetDeviceExceptionInfo(state));  // a state of the wrong kind
  EXPECT_EQ(state, before);

  model.Answer(45, Json(R"({"device_id": "cam-1", "device_state": 1, "error_type": -121})"));
  ASSERT_TRUE(video::GetDeviceExceptionInfo(state));
  EXPECT_EQ(state.GetDeviceId(), "cam-1");
  EXPECT_EQ(state.GetDeviceState(), video::kDeviceStateAbnormal);
  EXPECT_EQ(state.GetErrorType(), video::kVideoDeviceFailedOccupied);
  EXPECT_NE(state, before);
}

TEST(VideoRecordTest, TheOwnDevicesFlagsWinOverTheRecords) {
  const Variant record = Json(R"({"video": false, "screen": false, "up_web_share_on": false,
      "has_video_in_device": false,
      "current_device_media_state": {"video": true, "screen": true, "up_web_share_on": true,
                                     "has_video_in_device": true}})");
  EXPECT_TRUE(video::IsDeviceVideoOn(record));
  EXPECT_TRUE(video::IsDeviceScreenShareOn(record));
  EXPECT_TRUE(video::IsDeviceWebScreenShareOn(record));
  EXPECT_TRUE(video::IsDeviceHasVideoInDevice(record));

  const Variant plain = Json(R"({"video": true, "screen": false, "up_web_share_on": true})");
  EXPECT_TRUE(video::IsDeviceVideoOn(plain));
  EXPECT_FALSE(video::IsDeviceScreenShareOn(plain));
  EXPECT_TRUE(video::IsDeviceWebScreenShareOn(plain));
  EXPECT_FALSE(video::IsDeviceHasVideoInDevice(plain));
}

TEST(VideoRecordTest, ANonMapRecordAnswersFalseAndSaysSo) {
  for (const Variant& record : {Variant(), Variant(true), Json("[1]"), Variant("video")}) {
    hostkit::ClearLogs();
    EXPECT_FALSE(video::IsDeviceVideoOn(record));
    EXPECT_FALSE(video::IsDeviceScreenShareOn(record));
    EXPECT_FALSE(video::IsDeviceWebScreenShareOn(record));
    EXPECT_FALSE(video::IsDeviceHasVideoInDevice(record));
    EXPECT_EQ(hostkit::CountLogs(1, "user_info is not map"), 4u);
  }
}

TEST(VideoRecordTest, UpdatingCopiesTheOwnDevicesVideoFlags) {
  Variant record = Json(R"({"video": false, "has_video_in_device": true, "screen": true,
      "current_device_media_state": {"video": true, "has_video_in_device": false, "screen": false}})");
  video::UpdateDeviceLocalVideo(record);
  EXPECT_TRUE(record.GetBoolean("video"));
  EXPECT_FALSE(record.GetBoolean("has_video_in_device", true));
  EXPECT_TRUE(record.GetBoolean("screen")) << "only the two video flags are rewritten";
  EXPECT_TRUE(hostkit::HasLog(6, "video to: 1"));
  EXPECT_TRUE(hostkit::HasLog(6, "has_video_in_device to: 0"));

  Variant without = Json(R"({"video": false})");
  video::UpdateDeviceLocalVideo(without);
  EXPECT_EQ(without.ToJsonStr(), R"({"video":false})");

  Variant not_map = Json("[]");
  video::UpdateDeviceLocalVideo(not_map);
  EXPECT_TRUE(hostkit::HasLog(1, "user_info is not map"));
  EXPECT_TRUE(not_map.IsArray());
}

TEST(VideoUnsupportTest, TheReasonPicksTheTextAndTheFeatureFillsIt) {
  hostkit::SetLocalizedString(0x56B00001, "{function} needs a newer system");
  hostkit::SetLocalizedString(0x56B00002, "{function} needs a newer driver");
  hostkit::SetLocalizedString(0x56B00003, "{function} needs better hardware");
  hostkit::SetLocalizedString(0x56B00011, "Virtual background");
  struct Case {
    const char* in;
    const char* desc;
  };
  const Case cases[] = {
      {R"({"unsupportdesc": "SystemVersionUnsupported", "type": 1})", "Virtual background needs a newer system"},
      {R"({"unsupportdesc": "DriverUnsupported", "type": 1})", "Virtual background needs a newer driver"},
      {R"({"unsupportdesc": "HardwareUnsupported", "function": "Portrait light"})",
       "Portrait light needs better hardware"},
      {R"({"unsupportdesc": "HardwareUnsupported", "type": 99, "function": "Studio"})", "Studio needs better hardware"},
  };
  for (const Case& c : cases) {
    Variant out = Variant::Map();
    ASSERT_TRUE(video::GetVideoUnsupportDesc(Json(c.in), out)) << c.in;
    EXPECT_EQ(out.GetString("desc"), c.desc);
    EXPECT_FALSE(out.Has("link_url"));
  }
}

TEST(VideoUnsupportTest, TheAlertAddsTipsAndTheSupportArticle) {
  velto_common::utils::web::SetHost("https://www.velto.example");
  hostkit::SetLocalizedString(0x56B00006, "Update the driver of {function}");
  hostkit::SetLocalizedString(0x56B00008, "Learn more");
  hostkit::SetLocalizedString(0x56B00012, "Beauty");
  Variant out = Variant::Map();
  ASSERT_TRUE(video::GetVideoUnsupportAlertInfo(Json(R"({"unsupportdesc": "DriverUnsupported", "type": 2})"), out));
  EXPECT_EQ(out.GetString("hover_tips"), "Update the driver of Beauty");
  EXPECT_EQ(out.GetString("link_btn_text"), "Learn more");
  EXPECT_EQ(out.GetString("link_url"),
            velto_common::utils::web::GetWebHost() + "/support-question-detail/131/index.html");
  EXPECT_TRUE(out.Has("desc"));
}

TEST(VideoUnsupportTest, AnUnknownReasonFillsNothing) {
  for (const char* in : {R"({"unsupportdesc": "TooOld", "type": 1})", R"({"type": 1})", "[]", "null"}) {
    hostkit::ClearLogs();
    Variant out = Variant::Map();
    EXPECT_FALSE(video::GetVideoUnsupportAlertInfo(Json(in), out)) << in;
    EXPECT_FALSE(video::GetVideoUnsupportDesc(Json(in), out)) << in;
    EXPECT_EQ(out.size(), 0u) << in;
    EXPECT_EQ(hostkit::CountLogs(3, "unsupport desc invalid"), 2u) << in;
  }
}

TEST(VideoVirtualTest, ACopyParameterMapWithoutPathGivesTheMarkerAndBack) {
  const Variant map = Json(R"({"is_selected": true, "begin_time": 1700000000, "end_time": 1800000000,
      "work_name": "office", "text": "", "index": 3, "is_new": true, "md5": "abc", "theme": "dark",
      "from": "upload", "local": true, "self_uid": "u-1"})");
  const vv::CopyParams params = vv::VariantToStructData(map);
  EXPECT_EQ(params.path, kVideoVirtualEmptyString);
  EXPECT_EQ(params.text, "") << "the empty text is a value, not an absence";
  EXPECT_EQ(params.work_name, "office");
  EXPECT_EQ(params.begin_time, 1700000000);
  EXPECT_EQ(params.index, 3);
  EXPECT_TRUE(params.local);
  const Variant back = vv::StructDataToVariant(params);
  EXPECT_FALSE(back.Has("path"));
  EXPECT_EQ(back, map);
}

TEST(VideoVirtualTest, TextKeysOfAnotherKindAreAbsentAndOtherKeysZero) {
  const vv::CopyParams params = vv::VariantToStructData(Json(R"({"path": 5, "index": "3", "local": 1})"));
  EXPECT_EQ(params.path, kVideoVirtualEmptyString);
  EXPECT_EQ(params.index, 0);
  EXPECT_FALSE(params.local);
  EXPECT_EQ(vv::VariantToStructData(Json("[1, 2]")), vv::CopyParams());
  EXPECT_TRUE(hostkit::HasLog(3, "virtual background data is not map"));
}

TEST(VideoVirtualTest, Md5RecordsRoundTripWithTheirCopyParameters) {
  vv::Md5Data data;
  data.vbk_path = "/bg/beach.png";
  data.vbk_type = 2;
  data.is_retry = true;
  data.need_update_list_size = 4;
  data.has_new_file_params = true;
  data.index = 1;
  data.origin_width = 1920;
  data.origin_height = 1080;
  data.is_succ = true;
  data.copy_params.path = "/home/u/beach.png";
  const Variant map = vv::Md5DataToVariant(data);
  EXPECT_FALSE(map.Has("obj_path"));
  EXPECT_EQ(map.Get("copy_params").GetString("path"), "/home/u/beach.png");
  EXPECT_FALSE(map.Get("copy_params").Has("md5"));
  EXPECT_EQ(vv::VariantToMd5Data(map), data);

  const vv::Md5Data bare = vv::VariantToMd5Data(Json(R"({"vbk_type": 1})"));
  EXPECT_EQ(bare.vbk_path, kVideoVirtualEmptyString);
  EXPECT_EQ(bare.copy_params, vv::CopyParams());
}

}  // namespace
