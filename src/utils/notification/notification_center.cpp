// Notification centre entries (model 721).
#include "module_api/notification/notification_center.h"

#include <utility>

#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "utils/notification/notification_center_blocks.h"

namespace velto_common::utils::inmeetingnotificationcenter {
namespace {

using velto::model_command::notification_center::kShow;
using velto::model_command::notification_center::kUpdate;
using velto::model_command::notification_center::kRemove;
using velto::model_command::notification_center::kIsEnabled;
constexpr char kInteractiveBlock[] = "interactive_block";
constexpr char kCommonItemExtension[] = "extension:app.in_meeting_notification_center_common_item";

}  // namespace

NotificationCenter::NotificationCenter(int type, int status) : data_(Variant::Map()) {
  data_.Set("notification_type", type);
  data_.Set("notification_status", status);
  SetCommonUIEnable(true);
  data_.Set("close_button_visible", true);
}

NotificationCenter::NotificationCenter(const NotificationCenter& other) : data_(other.data_) {
  velto::notification::CopyBlock(data_, kInteractiveBlock, interactive_block_, other.interactive_block_);
}

NotificationCenter::NotificationCenter(NotificationCenter&& other) noexcept = default;

NotificationCenter& NotificationCenter::operator=(NotificationCenter other) noexcept {
  std::swap(data_, other.data_);
  std::swap(interactive_block_, other.interactive_block_);
  return *this;
}

NotificationCenter::~NotificationCenter() = default;

NotificationCenter& NotificationCenter::SetDescription(const std::string& description) {
  if (description.empty()) VELTO_LOG(velto::log::kFailure) << "notification description is empty";
  data_.Set("description", description);
  return *this;
}

NotificationCenter& NotificationCenter::SetBoldDescription(const std::string& text) {
  data_.Set("bold_description", text);
  return *this;
}

NotificationCenter& NotificationCenter::SetHyperlinkDescription(const std::string& text) {
  data_.Set("hyperlink_description", text);
  return *this;
}

NotificationCenter& NotificationCenter::SetHyperlinkDescriptionV2(const std::string& text) {
  data_.Set("hyperlink_description_v2", text);
  return *this;
}

NotificationCenter& NotificationCenter::SetActionButtonTitle(const std::string& title) {
  data_.Set("action_button_title", title);
  return *this;
}

NotificationCenter& NotificationCenter::SetPositiveText(const std::string& text) {
  data_.Set("positive_text", text);
  return *this;
}

NotificationCenter& NotificationCenter::SetNegativeText(const std::string& text) {
  data_.Set("negative_text", text);
  return *this;
}

NotificationCenter& NotificationCenter::SetAutoHideTimeInterval(uint64_t interval_ms) {
  data_.Set("auto_hide_time_interval", interval_ms);
  return *this;
}

NotificationCenter& NotificationCenter::SetCloseButtonVisible(bool visible) {
  data_.Set("close_button_visible", visible);
  return *this;
}

NotificationCenter& NotificationCenter::SetCustomIconPath(const std::string& path) {
  data_.Set("icon_path", path);
  return *this;
}

NotificationCenter& NotificationCenter::SetExtensionInfo(const std::string& extension_id,
                                                         const std::string& extension_module) {
  data_.Set("extension_id", extension_id);
  data_.Set("extension_module", extension_module);
  return *this;
}

NotificationCenter& NotificationCenter::SetInteractiveBlock(InteractiveBlock block) {
  velto::notification::SetBlock(data_, kInteractiveBlock, interactive_block_, std::move(block));
  return *this;
}

NotificationCenter& NotificationCenter::SetCommonUIEnable(bool enable) {
  // The key's spelling is the host's.
  data_.Set("conmon_ui_enable", enable);
  if (enable) SetExtensionInfo(kCommonItemExtension, "app");
  return *this;
}

void NotificationCenter::Send(int command) const {
  velto::model::Call(kModelId, command, &data_, nullptr);
}

void NotificationCenter::Show() { Send(kShow); }

void NotificationCenter::Update() { Send(kUpdate); }

void NotificationCenter::Remove() { Send(kRemove); }

bool NotificationCenter::isAutoDismiss() const { return data_.GetUint64("auto_hide_time_interval", 0) != 0; }

bool NotificationCenter::NotificationCenterEnable() {
  Variant answer;
  if (!velto::model::Call(kModelId, kIsEnabled, nullptr, &answer)) return false;
  return answer.AsBoolean();
}

}  // namespace velto_common::utils::inmeetingnotificationcenter
