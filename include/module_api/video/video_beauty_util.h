// The item lists of the AI settings page: beauty face items, filters and pendants (avatar
// stickers), each a map the page shows as one entry.
//
//   base::variant::Variant items;
//   velto::VideoBeautyUtil::ParserBeautyFaceRecource(items, velto::VideoBeautyUtil::GetBeautyRecourceDirPath());
//   // items: [{"type": 0, "title": "...", "icon_path": ".../beauty_none.svg", ...}, ...]
//
// Items are appended to `out` (made an array). Icons are `dir` + the item's name + ".svg", or
// "_dark.svg" while the dark theme is on (theme model 10074); an empty or missing directory
// only changes the icon paths. Texts are the localized names of the items.
#pragma once

#include <cstdint>
#include <string>

#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto {

class VELTO_API VideoBeautyUtil {
 public:
  // Beauty items, in the page's order; "type" is the position in that order.
  enum BeautyType : int32_t {
    kBeautyNone = 0,
    kBeautyNature,
    kBeautyWhiteness,
    kBeautyRuddy,
    kBeautyFaceSlim,
    kBeautyFaceBeauty,
    kBeautyFaceShort,
    kBeautyFaceV,
    kBeautyForehead,
    kBeautyWrinkleRemove,
    kBeautySmileLinesRemove,
    kBeautyEyeScale,
    kBeautyEyeLighten,
    kBeautyEyeDistance,
    kBeautyEyeAngle,
    kBeautyPounchRemove,
    kBeautyNoseSlim,
    kBeautyNoseWing,
    kBeautyNosePosition,
    kBeautyMouthShape,
    kBeautyLipsThickness,
    kBeautyToothWhiten,
    kBeautyChin,
    kBeautyTypeCount,
  };

  static bool ParserBeautyFaceRecource(base::variant::Variant& out, const std::string& dir);
  // Filters carry their name as "id" and their preview image as icon.
  static bool ParserFilterRecource(base::variant::Variant& out, const std::string& dir);
  // `resources`: {"list": [{"id", "biz_type", "type", "title", "icon_path", "end_time", "count"}]}.
  // False with "pendant_res_map unvalid" when it is not a map with a "list" array; entries that
  // are not maps with an "id" text are skipped.
  static bool ParserPendantRecource(base::variant::Variant& out, const base::variant::Variant& resources,
                                    const std::string& dir);
  // The strength a filter starts at when chosen.
  static int32_t GetFilterDefaultValue();
  static bool IsLiteFacebeuatyEngine();
  // "<app resource dir>/raw/beauty_resources/".
  static std::string GetBeautyRecourceDirPath();
  // Camera positions the beauty engine is told about.
  static int32_t FrontCamera();
  static int32_t BackCamera();
  // The beauty engine's module id.
  static std::string GetMid();
};

}  // namespace velto
