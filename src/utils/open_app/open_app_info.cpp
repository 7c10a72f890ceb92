// Open-app descriptions, window sizes and guides.
#include "module_api/open_app/open_app_info.h"

#include <string>

#include "base/json/json_value.h"
#include "module_api/log.h"
#include "module_api/model/config_reader.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto_common::utils {

using base::variant::Variant;

namespace {

constexpr const char* kDisplayKeys[] = {"name", "desc", "icon", "corp_id"};
constexpr const char* kOptionalKeys[] = {"app_type", "support_position", "default_position",
                                         "width",    "height",           "night_icon"};

constexpr int64_t kMinWidth = 375;
constexpr int64_t kMinHeight = 360;
constexpr int64_t kDefaultWidth = 1280;
constexpr int64_t kDefaultHeight = 800;

constexpr int64_t kDifferentSceneGuideTime = 172800;
constexpr int64_t kSameSceneGuideTime = 604800;

std::string Text(const Variant& map, const char* key) {
  const Variant& value = map.Get(key);
  return value.IsString() ? value.AsStr() : std::string();
}

uint64_t GuideTime(const char* item, int64_t def) {
  return static_cast<uint64_t>(velto::model::ReadConfigurationItem("meeting", item, def));
}

}  // namespace

Variant ConvertToIMShareAppInfo(const Variant& original_app_info) {
  if (!original_app_info.IsMap()) {
    VELTO_LOG(velto::log::kRejected) << "original_app_info is not map";
    return Variant();
  }
  const std::string extension_id = Text(original_app_info, "extension_id");
  const std::string open_app_id = Text(original_app_info, "open_app_id");
  const std::string url = Text(original_app_info, "url");
  if (extension_id.empty() || open_app_id.empty() || url.empty()) {
    VELTO_LOG(velto::log::kRejected) << "illegal original_app_info, extension_id=" << extension_id
                                     << ",open_app_id=" << open_app_id << ", url=" << url;
    return Variant();
  }
  Variant converted = Variant::Map();
  converted["extension_id"] = extension_id.find(kSidebarTabInMeetingPrefix) == std::string::npos
                                  ? kSidebarTabInMeetingPrefix + extension_id
                                  : extension_id;
  converted["open_app_id"] = open_app_id;
  converted["url"] = url;
  for (const char* key : kDisplayKeys) converted[key] = Text(original_app_info, key);
  for (const char* key : kOptionalKeys) {
    if (const Variant* value = original_app_info.Find(key)) converted[key] = *value;
  }
  return converted;
}

bool IsValidBasicInfo(const Variant& app_info) {
  if (!app_info.IsMap()) {
    VELTO_LOG(velto::log::kRejected) << "app_info is not map";
    return false;
  }
  return !Text(app_info, "extension_id").empty() && !Text(app_info, "open_app_id").empty() &&
         !Text(app_info, "url").empty();
}

void GetMultiTabWindowSize(Variant& out) {
  const std::string config = velto::model::ReadConfigurationItem("open_web_app", "open_app_multi_tab_wnd_size", "");
  VELTO_LOG(velto::log::kTrace) << "multi tab wnd size config: " << config;
  base::json::JsonValue json;
  if (!config.empty() && json.ParseFromJson(config)) {
    out = json.variant();
    return;
  }
  VELTO_LOG(velto::log::kNotable) << "Invalid multi tab wnd size config.";
  out["wnd_min_width"] = kMinWidth;
  out["wnd_min_height"] = kMinHeight;
  out["wnd_default_width"] = kDefaultWidth;
  out["wnd_default_height"] = kDefaultHeight;
}

bool ShowSidebarSpliterGuideTips(const Variant& params) {
  velto::model::Call(velto::model_id::kSidebarAppModel, velto::model_command::sidebar_app::kShowSpliterGuide, &params,
                     nullptr);
  return true;
}

}  // namespace velto_common::utils

namespace velto {

uint64_t DifferentSceneNotifiGuideTime() {
  return velto_common::utils::GuideTime("different_scene_notify_guide_time",
                                        velto_common::utils::kDifferentSceneGuideTime);
}

uint64_t SameSceneNotifiGuideTime() {
  return velto_common::utils::GuideTime("same_scene_notify_guide_time", velto_common::utils::kSameSceneGuideTime);
}

}  // namespace velto
