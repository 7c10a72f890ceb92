// Who shares what: screens, web pages, documents and whiteboards.
//
//   if (inmeeting::IsSharing()) ...
//   base::variant::Variant who = base::variant::Variant::Map();
//   inmeeting::GetWebSharingUserInfo(who);   // "user_id", "instance_id", "app_uid", "unique_id"
#pragma once

#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto_common::utils::inmeeting {

// Web or screen sharing, by anyone.
VELTO_API bool IsSharing();
VELTO_API bool IsScreenSharing();
VELTO_API bool IsScreenSharingBySelf();
// Screen streams up or down, or web sharing.
VELTO_API bool IsUserSharing();
VELTO_API bool IsWebSharing();
VELTO_API bool IsWebSharingByOther();
VELTO_API bool IsWebSharingBySelf();
// This device shares a web page (platform self information).
VELTO_API bool IsSelfDeviceWebShare();
VELTO_API bool IsWebSharingFolded();
// Fills `out` (which must be a map, else "params is not map") with the web-sharing user.
VELTO_API void GetWebSharingUserInfo(base::variant::Variant& out);
VELTO_API bool IsSharingWhiteboard();
VELTO_API bool IsWhiteboardSignal();
// The share is a sub-window: a window share, or a web app's own window.
VELTO_API bool IsSubwindowShare();
VELTO_API bool IsNordilDocSharing();
VELTO_API bool IsBexaDocSharing();
VELTO_API bool IsWebShareLocalRecordEnable();
// `state`'s "up_web_share_on" while cloud recording (never on this platform).
VELTO_API bool IsWebShareAndCloudRecording(const base::variant::Variant& state);

}  // namespace velto_common::utils::inmeeting
