// Layout questions that go beyond one window query: together mode, the first page size, the
// tile switch and the presenter's gallery position.
#include <cmath>
#include <string>

#include "module_api/in_meeting/in_meeting_utils.h"
#include "module_api/log.h"
#include "module_api/model/config_reader.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::inmeeting {

using velto::model::Variant;
using velto::PresenterLayout::GalleryPositionType;

namespace cmd {
using velto::model_command::custom_layout::kCustomLayoutMeeting;
using velto::model_command::custom_layout::kTogetherMode;
using velto::model_command::stored_layout::kStoredLayout;
using velto::model_command::meeting_settings::kSetMaxGridCount;
using velto::model_command::meeting_settings::kMaxGridCount;
using velto::model_command::meeting_settings::kGalleryPosition;
}  // namespace cmd

namespace {

constexpr int64_t kSmallGrid = 9;
constexpr int64_t kLargeGrid = 25;
constexpr int32_t kPresenterLayoutType = 1;

// Positions 0 and 1 (above and below) form one side group, 2 and 3 (left and right) another.
int PositionGroup(GalleryPositionType position) {
  if (position <= 1) return 0;
  if (position <= 3) return 1;
  return -1;
}

// A row or column count rounded by the configured fraction; never below zero.
uint32_t RoundedCount(double value, double round) {
  const double rounded = std::trunc(value + round);
  if (!(rounded > 0)) return 0;  // also NaN
  if (rounded >= 4294967295.0) return 0xFFFFFFFFu;
  return static_cast<uint32_t>(rounded);
}

std::string ResolveStoredLayoutId() {
  const Variant stored = velto::model::QueryAnswer(velto::model_id::kStoredLayoutModel, cmd::kStoredLayout);
  std::string layout_id = stored.GetString("layout_id");
  VELTO_LOG(velto::log::kTrace) << "layout info:" << stored << ", layout id:" << layout_id;
  const Variant& extra = stored["extra_layout_info"];
  if (extra.IsMap() && extra.Has("layout_id")) {
    layout_id = extra.GetString("layout_id");
    VELTO_LOG(velto::log::kTrace) << "extra layout info:" << extra << ", new layout id:" << layout_id;
  }
  return layout_id;
}

}  // namespace

bool IsCustomLayoutMeeting() {
  return velto::model::QueryValue<bool>(velto::model_id::kCustomLayoutModel, cmd::kCustomLayoutMeeting, nullptr, {},
                                        false);
}

bool IsTogetherModeMeeting() {
  return velto::model::QueryValue<bool>(velto::model_id::kCustomLayoutModel, cmd::kTogetherMode, nullptr,
                                        {"is_together_mode"}, false);
}

bool IsBigViewTogetherMode() {
  const std::string big =
      inmeetingwindow::GetBigViewForWindow(velto::InMeetingWindow::kMainWindow).GetString("stream_id");
  const Variant together = velto::model::QueryAnswer(velto::model_id::kCustomLayoutModel, cmd::kTogetherMode);
  const std::string stream = together.GetString("stream");
  const bool together_mode = together.GetBoolean("is_together_mode", false);
  VELTO_LOG(velto::log::kTrace) << "together_mode: " << stream << ", big: " << big
                                << ", is_together_mode: " << together_mode;
  // Two unknown streams are no match: the big view must show the together-mode stream itself.
  return together_mode && !stream.empty() && stream == big;
}

velto::LayoutUserListRuleType GetLayoutUserListRuleType() {
  return static_cast<velto::LayoutUserListRuleType>(
      velto::model::ReadConfigurationItem("inmeeting", "layout_user_list_rule", int32_t{0}));
}

uint32_t GetFirstPageSize(const Variant& layout) {
  const double round = velto::model::ReadConfigurationItem("inmeeting", "layout_page_size_round_number", 0.2);
  return RoundedCount(layout.GetDouble("rows", 0), round) * RoundedCount(layout.GetDouble("columns", 0), round);
}

bool SwitchTileLayout(bool large) {
  const int64_t current = velto::model::QueryValue<int64_t>(velto::model_id::kMeetingSettingsModel,
                                                            cmd::kMaxGridCount, nullptr, {}, -1);
  VELTO_LOG(velto::log::kTrace) << "max grid count:" << current;
  const bool is_large = current != kSmallGrid;
  if (is_large == large) return true;
  const int64_t target = current == kSmallGrid ? kLargeGrid : kSmallGrid;
  Variant argument = Variant::Map();
  argument["max_grid_count"] = target;
  argument["layout_id"] = ResolveStoredLayoutId();
  velto::model::Call(velto::model_id::kMeetingSettingsModel, cmd::kSetMaxGridCount, &argument, nullptr);
  VELTO_LOG(velto::log::kTrace) << "switch grid count:" << target;
  return true;
}

bool IsPresenterModeChanged(GalleryPositionType position) {
  Variant answer;
  if (!velto::model::Call(velto::model_id::kMeetingSettingsModel, cmd::kGalleryPosition, nullptr, &answer)) {
    return false;
  }
  if (!answer.IsInteger()) {
    velto::model::LogWrongKind(velto::model_id::kMeetingSettingsModel, cmd::kGalleryPosition, {},
                               base::Location::Current());
    return false;
  }
  const GalleryPositionType current = answer.AsUint32();
  VELTO_LOG(velto::log::kTrace) << "current presenter position type:" << current
                                << ", new presenter position type:" << position;
  const int group = PositionGroup(current);
  if (group >= 0 && group == PositionGroup(position)) {
    VELTO_LOG(velto::log::kTrace) << "presenter position type doesn't change";
    return false;
  }
  return true;
}

void UpdateCurrentPresenterPositionType(int32_t layout_type, GalleryPositionType& position) {
  if (layout_type != kPresenterLayoutType) {
    position = velto::PresenterLayout::kGalleryPositionNone;
    return;
  }
  Variant answer;
  if (!velto::model::Call(velto::model_id::kMeetingSettingsModel, cmd::kGalleryPosition, nullptr, &answer) ||
      !answer.IsInteger()) {
    VELTO_LOG(velto::log::kFailure) << "get gallery position type failed";
    return;
  }
  position = answer.AsUint32();
}

}  // namespace velto_common::utils::inmeeting
