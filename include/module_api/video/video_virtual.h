// Virtual-background records of the platform SDK to and from Variant maps
// (velto_common::utils::video_virtual), for passing them through models and pages.
//
//   namespace vv = velto_common::utils::video_virtual;
//   base::variant::Variant map = vv::StructDataToVariant(params);   // marker fields left out
//   auto back = vv::VariantToStructData(map);                       // missing texts: the marker
//
// A text field holding veltosdk::plugin::kVideoVirtualEmptyString is absent: records give maps
// without it, and a map without a text key (or with a non-text value there) gives the marker.
// Other missing or mistyped keys give the field's zero value; a non-map gives a default record.
#pragma once

#include "base/variant/variant.h"
#include "module_api/export.h"
#include "veltosdk/plugin/virtual_background.h"

namespace velto_common::utils::video_virtual {

using Md5Data = veltosdk::plugin::VirtualBackgroundServicePlugin::Md5Data;
using CopyParams = veltosdk::plugin::VirtualBackgroundServicePlugin::CopyParams;

// {"vbk_path", "vbk_type", "is_retry", "need_update_list_size", "has_new_file_params", "index",
//  "origin_width", "origin_height", "is_succ", "obj_path", "copy_params"}
VELTO_API base::variant::Variant Md5DataToVariant(const Md5Data& data);
VELTO_API Md5Data VariantToMd5Data(const base::variant::Variant& map);
// {"is_selected", "begin_time", "end_time", "work_name", "path", "text", "index", "is_new", "md5",
//  "theme", "from", "local", "self_uid"}
VELTO_API base::variant::Variant StructDataToVariant(const CopyParams& params);
VELTO_API CopyParams VariantToStructData(const base::variant::Variant& map);

}  // namespace velto_common::utils::video_virtual
