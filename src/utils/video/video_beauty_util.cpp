// The beauty and filter lists of the AI settings page, and the beauty engine's facts.
#include "module_api/video/video_beauty_util.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/runtime.h"
#include "utils/video/video_beauty_internal.h"
#include "veltosdk/utils/environment.h"

namespace velto {

using base::variant::Variant;

namespace beauty_internal {

bool IsDarkTheme() {
  return model::QueryValue<bool>(model_id::kThemeModel, model_command::theme::kIsDark, nullptr, {}, false);
}

std::string IconPath(const std::string& dir, std::string_view name, bool dark) {
  std::string path = dir;
  path += name;
  path += dark ? "_dark.svg" : ".svg";
  return path;
}

}  // namespace beauty_internal

namespace {

constexpr int kBeautyTitleBase = 0x56B00100;  // + BeautyType
constexpr int kFilterTitleBase = 0x56B00140;  // + position in kFilters
constexpr int32_t kFilterDefaultValue = 60;
constexpr int32_t kFrontCamera = 0;
constexpr int32_t kBackCamera = 1;
constexpr char kBeautyMid[] = "win.g.ts.tstc";

struct BeautyItem {
  std::string_view name;
  int32_t min_value;
  int32_t max_value;
};

// Shape items move both ways from the natural face; the others only add.
constexpr std::array<BeautyItem, VideoBeautyUtil::kBeautyTypeCount> kBeautyItems = {{
    {"beauty_none", 0, 0},
    {"beauty_nature", 0, 100},
    {"beauty_whiteness", 0, 100},
    {"beauty_ruddy", 0, 100},
    {"beauty_face_slim", 0, 100},
    {"beauty_face_beauty", 0, 100},
    {"beauty_face_short", 0, 100},
    {"beauty_face_v", 0, 100},
    {"beauty_forehead", -100, 100},
    {"beauty_wrinkle_remove", 0, 100},
    {"beauty_smile_lines_remove", 0, 100},
    {"beauty_eye_scale", 0, 100},
    {"beauty_eye_lighten", 0, 100},
    {"beauty_eye_distance", -100, 100},
    {"beauty_eye_angle", -100, 100},
    {"beauty_pounch_remove", 0, 100},
    {"beauty_nose_slim", 0, 100},
    {"beauty_nose_wing", 0, 100},
    {"beauty_nose_position", -100, 100},
    {"beauty_mouth_shape", -100, 100},
    {"beauty_lips_thickness", -100, 100},
    {"beauty_tooth_whiten", 0, 100},
    {"beauty_chin", -100, 100},
}};

struct FilterItem {
  std::string_view name;
  std::string_view preview;  // empty: the item has an icon, not a preview
};

constexpr std::array<FilterItem, 18> kFilters = {{
    {"beauty_none", ""},
    {"biaozhun", "filter_biaozhun.png"},
    {"yinghong", "filter_yinghong.png"},
    {"yunshang", "filter_yunshang.png"},
    {"chunzhen", "filter_chunzhen.png"},
    {"bailan", "filter_bailan.png"},
    {"yuanqi", "filter_yuanqi.png"},
    {"chaotuo", "filter_chaotuo.png"},
    {"xiangfen", "filter_xiangfen.png"},
    {"white", "filter_white.png"},
    {"langman", "filter_langman.png"},
    {"qingxin", "filter_qingxin.png"},
    {"weimei", "filter_weimei.png"},
    {"fennen", "filter_fennen.png"},
    {"huaijiu", "filter_huaijiu.png"},
    {"landiao", "filter_landiao.png"},
    {"qingliang", "filter_qingliang.png"},
    {"rixi", "filter_rixi.png"},
}};

Variant Item(int32_t type, int title_id, std::string icon_path, int32_t min_value, int32_t max_value,
             bool slider_hidden) {
  Variant item = Variant::Map();
  item["type"] = type;
  item["title"] = velto_common::utils::GetLocalizedString(title_id);
  item["icon_path"] = std::move(icon_path);
  item["min_value"] = min_value;
  item["max_value"] = max_value;
  item["is_slider_hidden"] = slider_hidden;
  return item;
}

}  // namespace

bool VideoBeautyUtil::ParserBeautyFaceRecource(Variant& out, const std::string& dir) {
  const bool dark = beauty_internal::IsDarkTheme();
  for (int32_t type = 0; type < kBeautyTypeCount; ++type) {
    const BeautyItem& beauty = kBeautyItems[static_cast<size_t>(type)];
    out.Add(Item(type, kBeautyTitleBase + type, beauty_internal::IconPath(dir, beauty.name, dark), beauty.min_value,
                 beauty.max_value, type == kBeautyNone));
  }
  return true;
}

bool VideoBeautyUtil::ParserFilterRecource(Variant& out, const std::string& dir) {
  const bool dark = beauty_internal::IsDarkTheme();
  for (size_t i = 0; i < kFilters.size(); ++i) {
    const FilterItem& filter = kFilters[i];
    const bool none = filter.preview.empty();
    std::string icon = none ? beauty_internal::IconPath(dir, filter.name, dark) : dir + std::string(filter.preview);
    const int32_t type = static_cast<int32_t>(i);
    Variant item = Item(type, kFilterTitleBase + type, std::move(icon), 0, none ? 0 : 100, none);
    item["id"] = filter.name;
    out.Add(std::move(item));
  }
  return true;
}

int32_t VideoBeautyUtil::GetFilterDefaultValue() { return kFilterDefaultValue; }

bool VideoBeautyUtil::IsLiteFacebeuatyEngine() {
  return model::QueryValue<bool>(model_id::kBeautyModel, model_command::beauty::kIsLiteEngine, nullptr, {}, false);
}

std::string VideoBeautyUtil::GetBeautyRecourceDirPath() {
  const std::filesystem::path dir =
      std::filesystem::path(veltosdk::utils::environment::GetAppResDirectory()) / "raw" / "beauty_resources";
  return dir.string() + "/";
}

int32_t VideoBeautyUtil::FrontCamera() { return kFrontCamera; }

int32_t VideoBeautyUtil::BackCamera() { return kBackCamera; }

std::string VideoBeautyUtil::GetMid() { return kBeautyMid; }

}  // namespace velto
