// A meeting with a video pull model, for the video stream manager tests.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hostkit/hostkit.h"
#include "hostkit/media_engine.h"
#include "hostkit/meeting_fixture.h"
#include "hostkit/video_pull.h"
#include "module_api/video_stream/video_stream_manager.h"

namespace velto {

// Reaches the manager's private steps.
class VideoStreamManagerPeer {
 public:
  static void UpdateVideoStreamRuleWithVideoMode(VideoStreamManager& manager, Video::VideoModeType mode) {
    manager.UpdateVideoStreamRuleWithVideoMode(mode);
  }
  static VideoStream::VideoStreamRule Rule(const VideoStreamManager& manager) { return manager.stream_rule_; }
};

}  // namespace velto

namespace vsm_test {

using base::variant::Variant;
using hostkit::Json;
using Kind = hostkit::VideoPullModel::Kind;

// What one command did to one stream, comparable in expectations.
struct Sent {
  Kind kind;
  std::string stream_id;
  int32_t size_type = 0;
  bool operator==(const Sent& other) const {
    return kind == other.kind && stream_id == other.stream_id && size_type == other.size_type;
  }
};

inline void PrintTo(const Sent& sent, std::ostream* out) {
  *out << hostkit::VideoPullModel::KindName(sent.kind) << ' ' << sent.stream_id << ' ' << sent.size_type;
}

inline Sent Pull(const std::string& id, int32_t size) { return {Kind::kPull, id, size}; }
inline Sent Cancel(const std::string& id, int32_t size) { return {Kind::kCancel, id, size}; }
inline Sent Degrade(const std::string& id) { return {Kind::kDegrade, id, 0}; }
inline Sent Recover(const std::string& id) { return {Kind::kRecover, id, 0}; }

// {"stream_id": id} entries, as a window hands them over.
inline Variant Visible(std::initializer_list<std::string> stream_ids) {
  Variant list = Variant::Array();
  for (const std::string& id : stream_ids) {
    Variant entry = Variant::Map();
    entry["stream_id"] = id;
    list.Add(entry);
  }
  return list;
}

class VideoStreamTest : public testing::Test {
 protected:
  // `others` remote users "u-1" ... besides the local user, all with video on.
  void Start(size_t others = 4) {
    hostkit::MeetingFixture::Options options;
    options.other_users = others;
    meeting_ = std::make_unique<hostkit::MeetingFixture>(options);
    meeting_->Install();
    std::vector<std::pair<std::string, Variant>> changes;
    for (size_t i = 1; i <= others; ++i) changes.emplace_back("u-" + std::to_string(i), Json(R"({"video": true})"));
    meeting_->UpdateUsers(changes);
    pulls_.Install();
  }
  void SetUp() override { Start(); }

  // The commands sent since the last call.
  std::vector<Sent> TakeSent() {
    std::vector<Sent> sent;
    for (const auto& command : pulls_.Commands(seen_)) sent.push_back({command.kind, command.stream_id, command.size_type});
    seen_ = pulls_.model().calls().size();
    return sent;
  }

  // Lets the video model answer a copy of the stream info map that `edit` changed.
  template <typename Edit>
  void EditStreamInfoMap(Edit edit) {
    auto streams = std::make_shared<Variant>(*velto::VideoStreamManager::GetStreamInfoMapPtr());
    edit(*streams);
    meeting_->video().Handle(26, [streams](const Variant&, Variant* out) {
      Variant answer = Variant::Map();
      answer["stream_info_map"] = Variant::FromPointer(streams.get());
      if (out) *out = answer;
      return true;
    });
  }

  std::unique_ptr<hostkit::MeetingFixture> meeting_;
  hostkit::VideoPullModel pulls_;
  size_t seen_ = 0;
};

}  // namespace vsm_test
