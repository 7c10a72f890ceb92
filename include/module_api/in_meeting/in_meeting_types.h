// Value types of the in-meeting queries: windows, layouts, meeting modes and presenter
// positions.
#pragma once

#include <cstdint>

#include "module_api/export.h"

namespace velto {

namespace InMeetingWindow {

enum WindowType : int32_t {
  kMainWindow = 0,
  kSecondaryWindow = 1,
};

// The layout a window shows. The neutral value {7, 0, 0} stands for "no answer".
struct VELTO_API LayoutInfo {
  int32_t layout_type = 7;
  int32_t layout_mode = 0;
  uint32_t small_view_types = 0;
  bool operator==(const LayoutInfo&) const = default;
};

inline constexpr int32_t kLayoutTypeCustom = 3;

}  // namespace InMeetingWindow

namespace InMeeting {

enum MeetingMode : int32_t {
  kMeetingModeUnknown = -1,
  kMeetingModeNormal = 0,
  kMeetingModeScreenShare = 1,
};

}  // namespace InMeeting

namespace PresenterLayout {

// Where the gallery stands beside the presenter: 0 and 1 are one group, 2 and 3 the other.
using GalleryPositionType = uint32_t;
inline constexpr GalleryPositionType kGalleryPositionTop = 0;
inline constexpr GalleryPositionType kGalleryPositionBottom = 1;
inline constexpr GalleryPositionType kGalleryPositionLeft = 2;
inline constexpr GalleryPositionType kGalleryPositionRight = 3;
inline constexpr GalleryPositionType kGalleryPositionNone = 0xFFFFFFFF;

}  // namespace PresenterLayout

// How the member list of a layout is ordered (configuration item "layout_user_list_rule").
enum LayoutUserListRuleType : int32_t {
  kLayoutUserListRuleDefault = 0,
  kLayoutUserListRuleVideoFirst = 1,
  kLayoutUserListRuleJoinTime = 2,
};

namespace InMeetingWindow {
// The member list rules name the ordering by the window's layout.
using LayoutUserListRuleType = ::velto::LayoutUserListRuleType;
}  // namespace InMeetingWindow

}  // namespace velto
