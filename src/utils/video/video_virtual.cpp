// Virtual-background records to and from maps. A text field holding the marker is absent.
#include "module_api/video/video_virtual.h"

#include <string>

#include "base/location.h"
#include "module_api/log.h"

namespace velto_common::utils::video_virtual {

using base::variant::Variant;
using veltosdk::plugin::kVideoVirtualEmptyString;

namespace {

void PutText(Variant& map, const char* key, const std::string& value) {
  if (value != kVideoVirtualEmptyString) map[key] = value;
}

std::string TakeText(const Variant& map, const char* key) {
  const Variant& value = map.Get(key);
  return value.IsString() ? value.AsStr() : std::string(kVideoVirtualEmptyString);
}

bool CheckMap(const Variant& map, const base::Location& from = base::Location::Current()) {
  if (map.IsMap()) return true;
  VELTO_LOG_AT(velto::log::kRejected, from) << "virtual background data is not map";
  return false;
}

}  // namespace

Variant StructDataToVariant(const CopyParams& params) {
  Variant map = Variant::Map();
  map["is_selected"] = params.is_selected;
  map["begin_time"] = params.begin_time;
  map["end_time"] = params.end_time;
  PutText(map, "work_name", params.work_name);
  PutText(map, "path", params.path);
  PutText(map, "text", params.text);
  map["index"] = params.index;
  map["is_new"] = params.is_new;
  PutText(map, "md5", params.md5);
  PutText(map, "theme", params.theme);
  PutText(map, "from", params.from);
  map["local"] = params.local;
  PutText(map, "self_uid", params.self_uid);
  return map;
}

CopyParams VariantToStructData(const Variant& map) {
  CopyParams params;
  if (!CheckMap(map)) return params;
  params.is_selected = map.GetBoolean("is_selected");
  params.begin_time = map.GetInteger("begin_time");
  params.end_time = map.GetInteger("end_time");
  params.work_name = TakeText(map, "work_name");
  params.path = TakeText(map, "path");
  params.text = TakeText(map, "text");
  params.index = map.GetInt32("index");
  params.is_new = map.GetBoolean("is_new");
  params.md5 = TakeText(map, "md5");
  params.theme = TakeText(map, "theme");
  params.from = TakeText(map, "from");
  params.local = map.GetBoolean("local");
  params.self_uid = TakeText(map, "self_uid");
  return params;
}

Variant Md5DataToVariant(const Md5Data& data) {
  Variant map = Variant::Map();
  PutText(map, "vbk_path", data.vbk_path);
  map["vbk_type"] = data.vbk_type;
  map["is_retry"] = data.is_retry;
  map["need_update_list_size"] = data.need_update_list_size;
  map["has_new_file_params"] = data.has_new_file_params;
  map["index"] = data.index;
  map["origin_width"] = data.origin_width;
  map["origin_height"] = data.origin_height;
  map["is_succ"] = data.is_succ;
  PutText(map, "obj_path", data.obj_path);
  map["copy_params"] = StructDataToVariant(data.copy_params);
  return map;
}

Md5Data VariantToMd5Data(const Variant& map) {
  Md5Data data;
  if (!CheckMap(map)) return data;
  data.vbk_path = TakeText(map, "vbk_path");
  data.vbk_type = map.GetInt32("vbk_type");
  data.is_retry = map.GetBoolean("is_retry");
  data.need_update_list_size = map.GetInt32("need_update_list_size");
  data.has_new_file_params = map.GetBoolean("has_new_file_params");
  data.index = map.GetInt32("index");
  data.origin_width = map.GetInt32("origin_width");
  data.origin_height = map.GetInt32("origin_height");
  data.is_succ = map.GetBoolean("is_succ");
  data.obj_path = TakeText(map, "obj_path");
  // A missing nested record is a default one, without logging it as a rejected map.
  if (map.Get("copy_params").IsMap()) data.copy_params = VariantToStructData(map.Get("copy_params"));
  return data;
}

}  // namespace velto_common::utils::video_virtual
