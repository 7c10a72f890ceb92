// vlp::av::MediaEngineCallRecord: one operation asked of the media engine (vlp/av/media_engine.h),
// as the stand-in records it: by the interface's operation name, with its arguments as a map.
//
//   const vlp::av::MediaEngineCallRecord& call = ...;
//   if (call.operation == "PreviewMic") device = call.arguments.GetString("device_id");
#pragma once

#include <string>

#include "base/variant/variant.h"

namespace vlp::av {

struct MediaEngineCallRecord {
  std::string operation;
  base::variant::Variant arguments;  // a map, null for operations without arguments
};

}  // namespace vlp::av
