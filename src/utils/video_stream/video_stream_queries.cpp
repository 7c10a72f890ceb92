// The stream questions of VideoStreamManager: kinds and directions of streams, and walks over
// the video model's stream info map.
#include <string_view>

#include "framework/module/module.h"
#include "module_api/in_meeting/views.h"
#include "module_api/log.h"
#include "module_api/members/member_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"
#include "module_api/video_stream/video_stream_manager.h"
#include "vlp/av/media_engine.h"

namespace velto {

using base::variant::Variant;
using video_stream::kStreamDirectionIn;
using video_stream::kStreamDirectionOut;
using video_stream::kStreamTypeScreen;
using video_stream::kStreamTypeUnknown;
using video_stream::kStreamTypeVideo;

namespace {

// A stream of the map as the walks see it: the engine's kind, else video (the map holds it);
// the engine's direction, else outgoing.
struct MappedStream {
  video_stream::StreamType type = kStreamTypeVideo;
  video_stream::StreamDirection direction = kStreamDirectionOut;
  bool IsScreen() const { return type == kStreamTypeScreen; }
  bool IsIncomingScreen() const { return IsScreen() && direction == kStreamDirectionIn; }
};

MappedStream Classify(std::string_view stream_id) {
  MappedStream stream;
  vlp::av::IMediaEngine* engine = vlp::av::GetMediaEngine();
  vlp::av::StreamInfo info;
  if (!engine || !engine->GetStreamInfo(std::string(stream_id), &info)) return stream;
  if (info.type == vlp::av::kStreamTypeScreen) stream.type = kStreamTypeScreen;
  if (info.direction == vlp::av::kStreamDirectionIn) stream.direction = kStreamDirectionIn;
  return stream;
}

// The index of the first entry that `match` accepts; -1 when none (or without the map).
template <typename Match>
long FirstInMap(const Variant* map, Match match) {
  if (!map) return -1;
  for (size_t i = 0; i < map->size(); ++i) {
    if (match(Classify(map->KeyAt(i)))) return static_cast<long>(i);
  }
  return -1;
}

template <typename Match>
const Variant* FirstInfo(Match match) {
  const Variant* map = video_stream::GetStreamInfoMapPtr();
  const long i = FirstInMap(map, match);
  return i < 0 ? nullptr : &map->ValueAt(static_cast<size_t>(i));
}

template <typename Match>
bool AnyInMap(Match match) {
  return FirstInMap(video_stream::GetStreamInfoMapPtr(), match) >= 0;
}

}  // namespace

const Variant* VideoStreamManager::GetStreamInfoMapPtr() { return video_stream::GetStreamInfoMapPtr(); }

const Variant* VideoStreamManager::CheckVideoIsInStreamInfoMap(const std::string& stream_id) {
  const Variant* map = video_stream::GetStreamInfoMapPtr();
  return map ? map->Find(stream_id) : nullptr;
}

size_t VideoStreamManager::GetStreamSize() {
  const Variant* map = video_stream::GetStreamInfoMapPtr();
  return map ? map->size() : 0;
}

VideoStreamManager::StreamType VideoStreamManager::GetStreamType(const std::string& stream_id) {
  return video_stream::GetStreamType(stream_id);
}

VideoStreamManager::StreamDirection VideoStreamManager::GetStreamDirection(const std::string& stream_id) {
  return video_stream::GetStreamDirection(stream_id);
}

bool VideoStreamManager::IsVideoStreamIn(const std::string& stream_id) {
  return GetStreamDirection(stream_id) == kStreamDirectionIn && GetStreamType(stream_id) == kStreamTypeVideo;
}

bool VideoStreamManager::IsScreenStreamIn(const std::string& stream_id) {
  return video_stream::IsScreenStreamIn(stream_id);
}

bool VideoStreamManager::IsScreenStreamOut(const std::string& stream_id) {
  return GetStreamType(stream_id) == kStreamTypeScreen && GetStreamDirection(stream_id) == kStreamDirectionOut;
}

bool VideoStreamManager::IsScreenStreamType(const std::string& stream_id) {
  return GetStreamType(stream_id) == kStreamTypeScreen;
}

bool VideoStreamManager::IsVideoOrScreenStreamIn(const std::string& stream_id) {
  return GetStreamDirection(stream_id) == kStreamDirectionIn && GetStreamType(stream_id) != kStreamTypeUnknown;
}

bool VideoStreamManager::IsRemoteStream(const std::string& stream_id) { return IsVideoOrScreenStreamIn(stream_id); }

bool VideoStreamManager::HasVideoUser() {
  return AnyInMap([](const MappedStream& s) { return s.type == kStreamTypeVideo; });
}

bool VideoStreamManager::HasScreenUser() {
  return AnyInMap([](const MappedStream& s) { return s.IsScreen(); });
}

bool VideoStreamManager::HasScreenStreamInUser() {
  return AnyInMap([](const MappedStream& s) { return s.IsIncomingScreen(); });
}

const Variant* VideoStreamManager::GetScreenInfo(bool any_direction) {
  return FirstInfo([any_direction](const MappedStream& s) { return any_direction ? s.IsScreen() : s.IsIncomingScreen(); });
}

const Variant* VideoStreamManager::GetScreenShareInfo() { return GetScreenInfo(true); }

const Variant* VideoStreamManager::GetScreenInfoAdaptHDMI() { return GetScreenInfo(false); }

std::string VideoStreamManager::GetSubVideoInStreamId() {
  const Variant* map = video_stream::GetStreamInfoMapPtr();
  const long i = FirstInMap(map, [](const MappedStream& s) { return s.IsIncomingScreen(); });
  return i < 0 ? std::string() : std::string(map->KeyAt(static_cast<size_t>(i)));
}

const Variant* VideoStreamManager::GetAnotherStreamInfoExceptScreen() {
  return FirstInfo([](const MappedStream& s) { return !s.IsIncomingScreen(); });
}

const Variant* VideoStreamManager::GetUserInfoWithStreamId(const std::string& stream_id) {
  const Variant& record =
      velto_common::utils::member::GetUserInfoByStreamId(model::Find(model_id::kUserModel), stream_id);
  return record.IsMap() ? &record : nullptr;
}

const Variant* VideoStreamManager::GetUserListPtr() {
  return velto_common::utils::inmeeting::GetUserListPtrInMeeting();
}

}  // namespace velto
