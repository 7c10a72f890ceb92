// The video family's questions: the video model's camera exception, this device's flags in a user
// record, the unsupported-feature texts, the camera exception alert's texts and final actions, and
// the virtual-background record conversions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ui_viewmodel.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/video/video_exception.h"
#include "module_api/video/video_utils.h"
#include "module_api/video/video_virtual.h"
#include "query_table.h"

namespace {

namespace video = velto_common::utils::video;
namespace video_exception = velto_common::utils::video_exception;
namespace video_virtual = velto_common::utils::video_virtual;
namespace id = velto::model_id;
namespace cmd = velto::model_command;
using hostkit::Json;
using namespace query_table;
using veltosdk::plugin::kVideoVirtualEmptyString;

const Variant& CameraException() {
  static const Variant kException = Json(R"({"device_id": "cam-1", "device_state": 1, "error_type": -121})");
  return kException;
}

// The user record a module hands in is the user model's answer for the local user; a record that
// is not a map is refused in the query's own words.
Source OwnRecord() {
  return Logs(Handed(id::kUserModel, cmd::user::kSelfInfo,
                     Json(R"({"video": false, "current_device_media_state": {"video": true, "screen": true,
                              "up_web_share_on": true, "has_video_in_device": true}})")),
              1, "user_info is not map", false);
}

std::string Flag(bool (*question)(const Variant&)) {
  return Text(question(Asked(id::kUserModel, velto::model_command::user::kSelfInfo)));
}

std::vector<Row> VideoRows() {
  return {
      {"GetDeviceExceptionInfo", Answered(id::kVideoModel, cmd::video::kDeviceException, CameraException()),
       [] {
         video::VideoDeviceState state("kept", video::kDeviceStateNormal);
         const bool found = video::GetDeviceExceptionInfo(state);
         return Text(found) + " " + state.GetDeviceId() + " " + Text(static_cast<int>(state.GetErrorType()));
       },
       // Without an exception the caller's state is left as it was.
       "true cam-1 -121", "false kept 0"},
      {"IsDeviceVideoOn", OwnRecord(), [] { return Flag(&video::IsDeviceVideoOn); }, "true", "false"},
      {"IsDeviceScreenShareOn", OwnRecord(), [] { return Flag(&video::IsDeviceScreenShareOn); }, "true", "false"},
      {"IsDeviceWebScreenShareOn", OwnRecord(), [] { return Flag(&video::IsDeviceWebScreenShareOn); }, "true", "false"},
      {"IsDeviceHasVideoInDevice", OwnRecord(), [] { return Flag(&video::IsDeviceHasVideoInDevice); }, "true", "false"},
      {"GetVideoUnsupportDesc", None(),
       [] {
         hostkit::SetLocalizedString(0x56B00002, "{function} needs a newer graphics driver");
         hostkit::SetLocalizedString(0x56B00011, "Virtual background");
         Variant out = Variant::Map();
         const bool known = video::GetVideoUnsupportDesc(Json(R"({"unsupportdesc": "DriverUnsupported", "type": 1})"), out);
         return Text(known) + ": " + out.GetString("desc");
       },
       "true: Virtual background needs a newer graphics driver", ""},
      {"GetVideoUnsupportDesc", None(),
       [] {
         Variant out = Variant::Map();
         const bool known = video::GetVideoUnsupportDesc(Json(R"({"unsupportdesc": 3})"), out);
         return Text(known) + " " + Text(out.Has("desc")) + " " + Text(hostkit::HasLog(3, "unsupport desc invalid"));
       },
       "false false true", ""},
      {"GetVideoUnsupportAlertInfo", None(),
       [] {
         Variant out = Variant::Map();
         const bool known = video::GetVideoUnsupportAlertInfo(
             Json(R"({"unsupportdesc": "HardwareUnsupported", "function": "Portrait light"})"), out);
         const std::string url = out.GetString("link_url");
         const std::string path = "/support-question-detail/131/index.html";
         const bool on_web_host = url.size() > path.size() && url.compare(url.size() - path.size(), path.size(), path) == 0;
         return Text(known) + " " + Text(on_web_host) + " " + Text(out.Has("hover_tips")) + " " + Text(out.Has("link_btn_text"));
       },
       "true true true true", ""},
  };
}

std::vector<Row> ExceptionRows() {
  return {
      {"GetVideoExceptionUIInfo", Answered(id::kVideoModel, cmd::video::kDeviceException, CameraException()),
       [] {
         framework::UIViewModel view_model;
         Variant out = Variant::Map();
         const bool filled = video_exception::GetVideoExceptionUIInfo(&view_model, 0, out, Variant::Map());
         return Text(filled) + " " + Text(out.GetInt32("main_action_type")) + " " + out.GetString("device_id");
       },
       "true 2 cam-1", "false 0 "},
      {"IsFinalAction", None(),
       [] {
         std::string finals;
         for (int32_t action : {0, 1, 2, 3, 4, 99}) finals += Text(video_exception::IsFinalAction(action)) + " ";
         return finals;
       },
       "false true true true false true ", ""},
  };
}

// Every kind of value but a map, as a page or model may hand one over.
std::vector<Variant> NonMaps() {
  std::vector<Variant> values;
  for (AnswerKind kind : kAnswerKinds) {
    const Variant value = AnswerOf(kind);
    if (!value.IsMap()) values.push_back(value);
  }
  return values;
}

std::vector<Row> VirtualRows() {
  return {
      {"StructDataToVariant", None(),
       [] {
         video_virtual::CopyParams params;
         params.path = "/bg/beach.png";
         params.index = 4;
         const Variant map = video_virtual::StructDataToVariant(params);
         return Text(map.GetString("path")) + " " + Text(map.GetInt32("index")) + " " + Text(map.Has("md5"));
       },
       "/bg/beach.png 4 false", ""},
      // A key the map leaves out comes back as the marker, and goes out again as an absent key.
      {"VariantToStructData", None(),
       [] {
         const video_virtual::CopyParams params = video_virtual::VariantToStructData(Json(R"({"text": "hi", "index": 2})"));
         const Variant again = video_virtual::StructDataToVariant(params);
         return Text(params.path == kVideoVirtualEmptyString) + " " + params.text + " " + Text(again.Has("path"));
       },
       "true hi false", ""},
      {"VariantToStructData", None(),
       [] {
         size_t defaults = 0;
         for (const Variant& value : NonMaps()) defaults += video_virtual::VariantToStructData(value) == video_virtual::CopyParams{};
         return Text(defaults == NonMaps().size()) + " " +
                Text(hostkit::CountLogs(3, "virtual background data is not map") == NonMaps().size());
       },
       "true true", ""},
      {"Md5DataToVariant", None(),
       [] {
         video_virtual::Md5Data data;
         data.vbk_path = "/bg";
         data.copy_params.md5 = "d41d8cd9";
         const Variant map = video_virtual::Md5DataToVariant(data);
         return map.GetString("vbk_path") + " " + map.Get("copy_params").GetString("md5") + " " + Text(map.Has("obj_path"));
       },
       "/bg d41d8cd9 false", ""},
      {"VariantToMd5Data", None(),
       [] {
         size_t defaults = 0;
         for (const Variant& value : NonMaps()) defaults += video_virtual::VariantToMd5Data(value) == video_virtual::Md5Data{};
         const video_virtual::Md5Data data =
             video_virtual::VariantToMd5Data(Json(R"({"vbk_type": 2, "copy_params": {"path": "/p"}})"));
         return Text(defaults == NonMaps().size()) + " " + Text(data.vbk_type) + " " + data.copy_params.path + " " +
                Text(data.obj_path == kVideoVirtualEmptyString);
       },
       "true 2 /p true", ""},
  };
}

QUERY_TABLE_TEST(VideoQueryTable, ExceptionInfoDeviceFlagsAndUnsupportedTexts, "video", VideoRows)

QUERY_TABLE_TEST(VideoExceptionQueryTable, AlertTextsAndFinalActions, "video_exception", ExceptionRows)

QUERY_TABLE_TEST(VideoVirtualQueryTable, RecordConversions, "video_virtual", VirtualRows)

}  // namespace
