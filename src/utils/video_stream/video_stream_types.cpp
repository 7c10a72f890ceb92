#include "module_api/video_stream/video_stream_types.h"

#include <sstream>

#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "vlp/av/media_engine.h"

namespace velto::video_stream {
namespace {

using velto::model_command::video::kStreamInfoMap;

bool EngineStreamInfo(const std::string& stream_id, vlp::av::StreamInfo* info) {
  vlp::av::IMediaEngine* engine = vlp::av::GetMediaEngine();
  return engine && engine->GetStreamInfo(stream_id, info);
}

}  // namespace

// Every reader of the map reports its absence the same way, so the report is made here.
const base::variant::Variant* GetStreamInfoMapPtr() {
  const base::variant::Variant* map = nullptr;
  base::variant::Variant answer;
  if (model::Call(model_id::kVideoModel, kStreamInfoMap, nullptr, &answer)) {
    const base::variant::Variant* pointer = model::Walk(answer, {"stream_info_map"});
    if (pointer && pointer->IsPointer()) {
      map = static_cast<const base::variant::Variant*>(pointer->AsPointer());
    } else {
      model::LogWrongKind(model_id::kVideoModel, kStreamInfoMap, {"stream_info_map"}, base::Location::Current());
    }
  }
  if (!map) VELTO_LOG(log::kTrace) << "[vsm] stream info map is null";
  return map;
}

StreamType GetStreamType(const std::string& stream_id) {
  vlp::av::StreamInfo info;
  if (EngineStreamInfo(stream_id, &info)) {
    if (info.type == vlp::av::kStreamTypeScreen) return kStreamTypeScreen;
    if (info.type == vlp::av::kStreamTypeVideo) return kStreamTypeVideo;
  }
  const base::variant::Variant* map = GetStreamInfoMapPtr();
  return map && map->Has(stream_id) ? kStreamTypeVideo : kStreamTypeUnknown;
}

StreamDirection GetStreamDirection(const std::string& stream_id) {
  vlp::av::StreamInfo info;
  if (EngineStreamInfo(stream_id, &info) && info.direction == vlp::av::kStreamDirectionIn) return kStreamDirectionIn;
  return kStreamDirectionOut;
}

bool IsScreenStreamIn(const std::string& stream_id) {
  // Only the engine ever calls a stream a screen; the map's fallback makes video streams.
  vlp::av::StreamInfo info;
  return EngineStreamInfo(stream_id, &info) && info.type == vlp::av::kStreamTypeScreen &&
         info.direction == vlp::av::kStreamDirectionIn;
}

}  // namespace velto::video_stream

namespace velto_common::utils::inmeeting {

using base::variant::Variant;

namespace {
using velto::model_command::video::kStreamCount;
constexpr const char* kUpVideo = "up_video_stream_count";
constexpr const char* kDownVideo = "down_video_stream_count";
constexpr const char* kUpScreen = "up_screen_stream_count";
constexpr const char* kDownScreen = "down_screen_stream_count";
}  // namespace

StreamCountInfo::StreamCountInfo(const Variant& counts)
    : up_video_stream_count(counts.GetInt32(kUpVideo)),
      down_video_stream_count(counts.GetInt32(kDownVideo)),
      up_screen_stream_count(counts.GetInt32(kUpScreen)),
      down_screen_stream_count(counts.GetInt32(kDownScreen)) {}

int32_t StreamCountInfo::GetAllStreamCount() const {
  return up_video_stream_count + down_video_stream_count + up_screen_stream_count + down_screen_stream_count;
}

int32_t StreamCountInfo::GetVideoStreamCount() const { return up_video_stream_count + down_video_stream_count; }

bool StreamCountInfo::IsEmpty() const { return *this == StreamCountInfo(); }

void StreamCountInfo::Reset() { *this = StreamCountInfo(); }

void StreamCountInfo::ToVariant(Variant& out) const {
  out[kUpVideo] = up_video_stream_count;
  out[kDownVideo] = down_video_stream_count;
  out[kUpScreen] = up_screen_stream_count;
  out[kDownScreen] = down_screen_stream_count;
}

std::string StreamCountInfo::Dump() const {
  std::ostringstream text;
  text << "up_video_stream_count = " << up_video_stream_count
       << ", down_video_stream_count = " << down_video_stream_count
       << ", up_screen_stream_count = " << up_screen_stream_count
       << ", down_screen_stream_count = " << down_screen_stream_count;
  return text.str();
}

bool StreamCountInfo::operator==(const StreamCountInfo& other) const {
  return up_video_stream_count == other.up_video_stream_count &&
         down_video_stream_count == other.down_video_stream_count &&
         up_screen_stream_count == other.up_screen_stream_count &&
         down_screen_stream_count == other.down_screen_stream_count;
}

StreamCountInfo GetStreamCountInfo() {
  Variant answer;
  if (!velto::model::Call(velto::model_id::kVideoModel, kStreamCount, nullptr, &answer)) return {};
  if (!answer.IsMap()) {
    velto::model::LogWrongKind(velto::model_id::kVideoModel, kStreamCount, {}, base::Location::Current());
    return {};
  }
  return StreamCountInfo(answer);
}

}  // namespace velto_common::utils::inmeeting
