// The host values one video stream manager operation needs, read at most once per operation:
// a visible-list update of fifty streams asks the video model for the stream info map once, not
// fifty times, and reads each configuration item once.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "base/variant/variant.h"
#include "module_api/in_meeting/in_meeting_types.h"

namespace velto::internal {

class VideoStreamReads {
 public:
  // Configuration items (service entrance model) the manager reads.
  enum Item : int {
    kMaxBigVideoCount,
    kMaxMiddleVideoCount,
    kEnableVideoGridMiddle,
    kLimitFrameSizeType,
    kDisableWebSmallSizeStream,
    kBatchOperation,
    kPullCheckTime,
    kItemCount,
  };

  // Forgets everything: the next operation reads afresh.
  void Reset();

  // The video model's stream info map; null (logged) without it.
  const base::variant::Variant* StreamInfoMap();
  // An integer item, or its default when unset or of another kind.
  int64_t Number(Item item);
  bool Flag(Item item);
  // "stream_id" of the window's big view; "" when it shows none.
  const std::string& BigViewStreamId(InMeetingWindow::WindowType window);

  std::optional<uint64_t> user_count;

 private:
  bool map_read_ = false;
  const base::variant::Variant* map_ = nullptr;
  std::array<std::optional<int64_t>, kItemCount> items_;
  std::optional<std::string> big_view_stream_id_;
};

}  // namespace velto::internal
