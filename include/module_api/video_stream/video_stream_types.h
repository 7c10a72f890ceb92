// Stream kinds and stream counters shared by the in-meeting queries and the video stream
// manager.
//
//   using namespace velto::video_stream;
//   if (GetStreamType(stream_id) == kStreamTypeScreen && GetStreamDirection(stream_id) == kStreamDirectionIn) ...
//   StreamCountInfo counts = velto_common::utils::inmeeting::GetStreamCountInfo();
//   if (counts.up_screen_stream_count > 0) ...      // the local user shares
//
// The stream info map belongs to the video model (511, command 26): a map from stream id to
// that stream's info map, handed out by pointer. Queries over it walk it in its own order and
// never copy it; without it they answer null, false or 0 after "[vsm] stream info map is null".
#pragma once

#include <cstdint>
#include <string>

#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto::video_stream {

enum StreamType : int32_t {
  kStreamTypeUnknown = 0,
  kStreamTypeVideo = 1,
  kStreamTypeScreen = 2,
};

enum StreamDirection : int32_t {
  kStreamDirectionOut = 0,
  kStreamDirectionIn = 1,
};

// The video model's stream info map; null (logged as "[vsm] stream info map is null") without
// the model or the pointer.
VELTO_API const base::variant::Variant* GetStreamInfoMapPtr();
// The media engine's type (video or screen); else video when the map holds the id; else unknown.
VELTO_API StreamType GetStreamType(const std::string& stream_id);
// The media engine's direction; outgoing when the engine does not know the stream.
VELTO_API StreamDirection GetStreamDirection(const std::string& stream_id);
VELTO_API bool IsScreenStreamIn(const std::string& stream_id);

}  // namespace velto::video_stream

namespace velto_common::utils::inmeeting {

// The up (sent) and down (received) stream counts of the meeting.
struct VELTO_API StreamCountInfo {
  int32_t up_video_stream_count = 0;
  int32_t down_video_stream_count = 0;
  int32_t up_screen_stream_count = 0;
  int32_t down_screen_stream_count = 0;

  StreamCountInfo() = default;
  // Reads the four "*_stream_count" keys; missing keys or other kinds count 0.
  explicit StreamCountInfo(const base::variant::Variant& counts);

  int32_t GetAllStreamCount() const;
  int32_t GetVideoStreamCount() const;  // up and down video
  bool IsEmpty() const;
  void Reset();
  void ToVariant(base::variant::Variant& out) const;
  std::string Dump() const;

  bool operator==(const StreamCountInfo& other) const;
  bool operator!=(const StreamCountInfo& other) const { return !(*this == other); }
};

// From the video model (511, command 27); all zero when it cannot answer.
VELTO_API StreamCountInfo GetStreamCountInfo();

}  // namespace velto_common::utils::inmeeting
