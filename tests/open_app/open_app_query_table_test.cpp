// The open-app questions: an app description converted for sharing into a chat, checked for its
// identity, and the multi-tab window's sizes from the configuration.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module_api/model_ids.h"
#include "module_api/open_app/open_app_info.h"
#include "query_table.h"

namespace {

namespace utils = velto_common::utils;
namespace id = velto::model_id;
using hostkit::Json;
using namespace query_table;

// The app description a module got from the sidebar app model's app information.
constexpr int kSidebarAppInfo = 8;

Source Description(int level, const char* text, bool logs_when_key_missing) {
  return Logs(Handed(id::kSidebarAppModel, kSidebarAppInfo,
                     Json(R"({"extension_id": "whiteboard", "open_app_id": "app-7", "url": "https://apps.example/wb",
                              "name": "Whiteboard", "width": 640})")),
              level, text, logs_when_key_missing);
}

std::vector<Row> OpenAppRows() {
  return {
      // Rejected input in both shapes: "original_app_info is not map" and "illegal original_app_info, ...".
      {"ConvertToIMShareAppInfo", Description(3, "original_app_info", true),
       [] { return utils::ConvertToIMShareAppInfo(Asked(id::kSidebarAppModel, kSidebarAppInfo)).ToJsonStr(); },
       R"({"extension_id":"extension:web_app.sidebar_tab_in_meetingwhiteboard","open_app_id":"app-7",)"
       R"("url":"https://apps.example/wb","name":"Whiteboard","desc":"","icon":"","corp_id":"","width":640})",
       "null"},
      // A map without the identity keys is simply not valid; only a non-map is reported.
      {"IsValidBasicInfo", Description(3, "app_info is not map", false),
       [] { return Text(utils::IsValidBasicInfo(Asked(id::kSidebarAppModel, kSidebarAppInfo))); }, "true", "false"},
      {"GetMultiTabWindowSize",
       Logs(ConfigurationItem("open_web_app", "open_app_multi_tab_wnd_size", R"({"wnd_min_width": 500})"), 4,
            "Invalid multi tab wnd size config."),
       [] {
         Variant out = Variant::Map();
         utils::GetMultiTabWindowSize(out);
         return out.ToJsonStr();
       },
       // Valid JSON is taken as it is: no defaults are mixed in.
       R"({"wnd_min_width":500})",
       R"({"wnd_min_width":375,"wnd_min_height":360,"wnd_default_width":1280,"wnd_default_height":800})"},
  };
}

QUERY_TABLE_TEST(OpenAppQueryTable, ShareConversionValidityAndWindowSize, "", OpenAppRows)

}  // namespace
