// The pendant (avatar sticker) list of the AI settings page, from the pendant resource map the
// server delivers. The map arrives as it was sent: any shape must give a list or a refusal.
#include <cstdint>
#include <ctime>
#include <string>

#include "framework/string_formatter.h"
#include "module_api/log.h"
#include "module_api/runtime.h"
#include "module_api/video/video_beauty_util.h"
#include "util/time/time_util.h"
#include "utils/video/video_beauty_internal.h"

namespace velto {

using base::variant::Variant;

namespace {

constexpr int kTipsCountLeft = 0x56B00160;       // "{count} left"
constexpr int kTipsAvailableUntil = 0x56B00161;  // "Available until {date}"
constexpr int32_t kIconLocal = 0;
constexpr int32_t kIconRemote = 1;
constexpr int64_t kNoLimit = -1;

// The entry's id as text: ids arrive as texts or as numbers.
bool ReadId(const Variant& entry, std::string& id) {
  const Variant& value = entry.Get("id");
  if (value.IsString() && !value.AsStringView().empty()) {
    id = value.AsStr();
    return true;
  }
  if (value.IsInteger()) {
    id = value.IsUnsigned() ? std::to_string(value.AsUint64()) : std::to_string(value.AsInteger());
    return true;
  }
  return false;
}

// "YYYY-MM-DD" (UTC) of seconds since the epoch.
std::string DateText(int64_t seconds) {
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm parts{};
  if (!gmtime_r(&time, &parts)) return std::string();
  char text[32];
  const size_t length = std::strftime(text, sizeof(text), "%Y-%m-%d", &parts);
  return std::string(text, length);
}

bool IsRemote(const std::string& path) { return path.rfind("http://", 0) == 0 || path.rfind("https://", 0) == 0; }

Variant PendantItem(const Variant& entry, const std::string& id, const std::string& dir, bool dark, int64_t now_s) {
  // A count or an end time makes the pendant limited; absent (or negative) means no limit.
  const int64_t count = entry.Get("count").IsInteger() ? entry.GetInteger("count") : kNoLimit;
  const int64_t end_time = entry.Get("end_time").IsInteger() ? entry.GetInteger("end_time") : 0;
  const bool counted = count >= 0;
  const bool ends = end_time > 0;
  std::string icon = entry.GetString("icon_path");
  if (icon.empty()) icon = beauty_internal::IconPath(dir, "pendant_" + id, dark);

  Variant item = Variant::Map();
  item["type"] = entry.GetInt32("type");
  item["title"] = entry.GetString("title");
  item["icon_type"] = IsRemote(icon) ? kIconRemote : kIconLocal;
  item["icon_path"] = std::move(icon);
  item["min_value"] = 0;
  item["max_value"] = 0;
  item["is_slider_hidden"] = true;
  item["show_tips"] = counted || ends;
  std::string tips;
  if (counted) {
    tips = framework::StringFormatter(velto_common::utils::GetLocalizedString(kTipsCountLeft))
               .Arg("count", static_cast<long long>(count))
               .Str();
  } else if (ends) {
    tips = framework::StringFormatter(velto_common::utils::GetLocalizedString(kTipsAvailableUntil))
               .Arg("date", DateText(end_time))
               .Str();
  }
  item["tips_content"] = std::move(tips);
  item["pendant_enable"] = count != 0 && (!ends || end_time > now_s);
  item["biz_type"] = entry.GetInt32("biz_type");
  item["amount_icon"] = counted ? beauty_internal::IconPath(dir, "pendant_amount", dark) : std::string();
  item["id"] = id;
  return item;
}

}  // namespace

bool VideoBeautyUtil::ParserPendantRecource(Variant& out, const Variant& resources, const std::string& dir) {
  const Variant& list = resources.Get("list");
  if (!resources.IsMap() || !list.IsArray()) {
    VELTO_LOG(log::kRejected) << "pendant_res_map unvalid";
    return false;
  }
  const bool dark = beauty_internal::IsDarkTheme();
  const int64_t now_s = util::time::GetTimestampMsec() / 1000;
  size_t skipped = 0;
  std::string id;
  for (const Variant& entry : list.Elements()) {
    if (!entry.IsMap() || !ReadId(entry, id)) {
      ++skipped;
      continue;
    }
    out.Add(PendantItem(entry, id, dir, dark, now_s));
  }
  // One record for the whole list: a list of thousands of bad entries is one condition.
  if (skipped) VELTO_LOG(log::kRejected) << "pendant entries without a valid id skipped: " << skipped;
  return true;
}

}  // namespace velto
