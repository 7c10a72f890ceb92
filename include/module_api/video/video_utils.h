// Video facts of user records and the video model, and the texts shown where a video feature
// is not supported (velto_common::utils::video).
//
//   namespace video = velto_common::utils::video;
//   if (video::IsDeviceVideoOn(record)) ...                 // this device's camera, else the record's
//   video::Variant in = video::Variant::Map(), out = video::Variant::Map();
//   in["unsupportdesc"] = "DriverUnsupported";
//   in["type"] = video::kFeatureVirtualBackground;
//   video::GetVideoUnsupportAlertInfo(in, out);             // out: "desc", "link_url", ...
//
// The own device's flags live in the record's "current_device_media_state" map; a record
// without it answers from its own keys. A non-map record answers false ("user_info is not map").
#pragma once

#include <cstdint>

#include "base/variant/variant.h"
#include "module_api/export.h"
#include "module_api/video/video_device_state.h"

namespace velto_common::utils::video {

using base::variant::Variant;

// The features whose missing support the unsupported texts name ("type" of their input).
enum VideoFeature : int32_t {
  kFeatureVideo = 0,
  kFeatureVirtualBackground = 1,
  kFeatureBeauty = 2,
  kFeatureFilter = 3,
  kFeaturePendant = 4,
};

// False, leaving `state` alone, when the video model has no exception to give.
VELTO_API bool GetDeviceExceptionInfo(VideoDeviceState& state);

VELTO_API bool IsDeviceVideoOn(const Variant& record);
VELTO_API bool IsDeviceScreenShareOn(const Variant& record);     // "screen"
VELTO_API bool IsDeviceWebScreenShareOn(const Variant& record);  // "up_web_share_on"
VELTO_API bool IsDeviceHasVideoInDevice(const Variant& record);  // "has_video_in_device"
// Copies this device's "video" and "has_video_in_device" flags to the record's own keys.
VELTO_API void UpdateDeviceLocalVideo(Variant& record);

// `in`: "unsupportdesc" ("SystemVersionUnsupported", "DriverUnsupported" or
// "HardwareUnsupported") and the feature as "type" (VideoFeature) or, for a feature without a
// type, its display name as "function". Fills "desc"; false (logged) for an unknown reason.
VELTO_API bool GetVideoUnsupportDesc(const Variant& in, Variant& out);
// As GetVideoUnsupportDesc, plus "hover_tips", "link_btn_text" and "link_url" (the support
// article on the product's web host).
VELTO_API bool GetVideoUnsupportAlertInfo(const Variant& in, Variant& out);

}  // namespace velto_common::utils::video
