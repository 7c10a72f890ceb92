#include "utils/video_stream/video_stream_reads.h"

#include <iterator>

#include "module_api/in_meeting/windows.h"
#include "module_api/log.h"
#include "module_api/model/config_reader.h"
#include "module_api/video_stream/video_stream_types.h"

namespace velto::internal {
namespace {

struct ItemSpec {
  const char* group;
  const char* key;
  int64_t def;
  bool flag;
};

// Indexed by VideoStreamReads::Item.
constexpr ItemSpec kItems[] = {
    {"video", "max_big_video_count", 2, false},
    {"video", "max_middle_video_count", 4, false},
    {"meeting", "enable_video_grid_middle", 1, true},
    {"inmeeting", "video_stream_limit_frame_size_type", 3, false},
    {"meeting-ability", "disable_web_small_size_stream", 0, true},
    {"video", "video_stream_batch_operation", 1, true},
    {"video", "pull_video_check_time", 60000, false},
};
static_assert(std::size(kItems) == VideoStreamReads::kItemCount);

}  // namespace

void VideoStreamReads::Reset() {
  user_count.reset();
  map_read_ = false;
  map_ = nullptr;
  items_.fill(std::nullopt);
  big_view_stream_id_.reset();
}

const base::variant::Variant* VideoStreamReads::StreamInfoMap() {
  if (!map_read_) {
    map_ = video_stream::GetStreamInfoMapPtr();
    map_read_ = true;
  }
  return map_;
}

int64_t VideoStreamReads::Number(Item item) {
  std::optional<int64_t>& value = items_[item];
  if (!value) {
    const ItemSpec& spec = kItems[item];
    value = spec.flag ? int64_t{model::ReadConfigurationItem(spec.group, spec.key, spec.def != 0)}
                      : model::ReadConfigurationItem(spec.group, spec.key, spec.def);
  }
  return *value;
}

bool VideoStreamReads::Flag(Item item) { return Number(item) != 0; }

const std::string& VideoStreamReads::BigViewStreamId(InMeetingWindow::WindowType window) {
  if (!big_view_stream_id_) {
    big_view_stream_id_ = velto_common::utils::inmeetingwindow::GetBigViewForWindow(window).GetString("stream_id");
  }
  return *big_view_stream_id_;
}

}  // namespace velto::internal
