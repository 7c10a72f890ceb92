// The in-meeting web apps of the sidebar (open apps): their descriptions as shared into a chat,
// the checks on a description, the multi-tab window's size limits, the splitter guide and the
// intervals of the notification guides.
//
//   base::variant::Variant shared = velto_common::utils::ConvertToIMShareAppInfo(app_info);
//   if (shared.IsNull()) return;   // not a usable description (logged)
//   uint64_t interval = velto::SameSceneNotifiGuideTime();
//
// A description is a map: "extension_id", "open_app_id" and "url" identify the app; "name",
// "desc", "icon" and "corp_id" describe it; "app_type", "support_position", "default_position",
// "width", "height" and "night_icon" are optional.
#pragma once

#include <cstdint>

#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto_common::utils {

inline constexpr char kSidebarTabInMeetingPrefix[] = "extension:web_app.sidebar_tab_in_meeting";

// The description as a chat shares it: the extension id carries the in-meeting sidebar-tab
// prefix, the display texts are always there, the optional keys only when the original has
// them. Null (logged) for a non-map or a description lacking one of its three identity texts.
VELTO_API base::variant::Variant ConvertToIMShareAppInfo(const base::variant::Variant& original_app_info);
// True when the three identity keys are non-empty texts.
VELTO_API bool IsValidBasicInfo(const base::variant::Variant& app_info);
// The configuration item "open_app_multi_tab_wnd_size" (group "open_web_app") as parsed JSON,
// whatever keys it has; without a JSON text there, "wnd_min_width" 375, "wnd_min_height" 360,
// "wnd_default_width" 1280 and "wnd_default_height" 800 are set in `out`.
VELTO_API void GetMultiTabWindowSize(base::variant::Variant& out);
// Asks the sidebar app model to show its splitter guide; always true.
VELTO_API bool ShowSidebarSpliterGuideTips(const base::variant::Variant& params);

}  // namespace velto_common::utils

namespace velto {

// The configuration items "different_scene_notify_guide_time" (default 172800) and
// "same_scene_notify_guide_time" (default 604800) of group "meeting"; an answer that is not an
// integer gives the default.
VELTO_API uint64_t DifferentSceneNotifiGuideTime();
VELTO_API uint64_t SameSceneNotifiGuideTime();

}  // namespace velto
