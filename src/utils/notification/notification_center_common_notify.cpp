// Notification cards (model 615).
#include <atomic>
#include <utility>

#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/notification/common_notify.h"
#include "utils/notification/notification_center_blocks.h"

namespace velto_common::utils::inmeetingnotification {
namespace {

using velto::model_command::common_notify::kShow;
using velto::model_command::common_notify::kUpdate;
using velto::model_command::common_notify::kRemove;
using velto::model_command::common_notify::kIsShowing;
constexpr char kPositiveBlock[] = "positive_block";
constexpr char kNegativeBlock[] = "negative_block";
constexpr char kCustomClickBlock[] = "custom_click_block";
constexpr char kRemoveBlock[] = "notify_remove_block";

// Cards are built on the UI thread; the atomic only keeps a stray other thread harmless.
std::atomic<uint64_t> next_token{1};

}  // namespace

CommonNotify::CommonNotify(int type) : data_(Variant::Map()) {
  data_.Set("token", next_token.fetch_add(1, std::memory_order_relaxed));
  data_.Set("type", type);
  data_.Set("icon", 0);
  data_.Set("title_visible", true);
  data_.Set("content_visible", true);
  data_.Set("close_btn_visible", true);
  data_.Set("negative_visible", true);
  data_.Set("positive_visible", true);
  data_.Set("content_max_line", 0);
  data_.Set("positive_visible_if_content_over_flow", false);
}

CommonNotify::CommonNotify(const NotifyData& data, int type) : CommonNotify(type) {
  SetTitle(data.title);
  SetContent(data.content);
  SetPositiveBtnText(data.positive_btn_text);
  SetPositiveBtnVisible(!data.positive_btn_text.empty());
  SetNegativeBtnText(data.negative_btn_text);
  SetNegativeBtnVisible(!data.negative_btn_text.empty());
  SetCloseBtnVisible(data.close_btn_visible);
  SetTimeout(data.timeout);
  data_.Set("window_width", data.window_width);
  data_.Set("window_height", data.window_height);
}

CommonNotify::CommonNotify(const CommonNotify& other) : data_(other.data_) {
  using velto::notification::CopyBlock;
  CopyBlock(data_, kPositiveBlock, positive_block_, other.positive_block_);
  CopyBlock(data_, kNegativeBlock, negative_block_, other.negative_block_);
  CopyBlock(data_, kCustomClickBlock, custom_click_block_, other.custom_click_block_);
  CopyBlock(data_, kRemoveBlock, remove_block_, other.remove_block_);
}

CommonNotify::CommonNotify(CommonNotify&& other) noexcept = default;

CommonNotify& CommonNotify::operator=(CommonNotify other) noexcept {
  std::swap(data_, other.data_);
  std::swap(positive_block_, other.positive_block_);
  std::swap(negative_block_, other.negative_block_);
  std::swap(custom_click_block_, other.custom_click_block_);
  std::swap(remove_block_, other.remove_block_);
  return *this;
}

CommonNotify::~CommonNotify() = default;

CommonNotify& CommonNotify::SetTitle(const std::string& title) {
  data_.Set("title", title);
  return *this;
}

CommonNotify& CommonNotify::SetSubTitle(const std::string& sub_title) {
  data_.Set("sub_title", sub_title);
  return *this;
}

CommonNotify& CommonNotify::SetContent(const std::string& content) {
  data_.Set("content", content);
  return *this;
}

CommonNotify& CommonNotify::SetTitleFixedEnding(const std::string& ending) {
  data_.Set("title_fixed_ending", ending);
  return *this;
}

CommonNotify& CommonNotify::SetTitleVisible(bool visible) {
  data_.Set("title_visible", visible);
  return *this;
}

CommonNotify& CommonNotify::SetContentVisible(bool visible) {
  data_.Set("content_visible", visible);
  return *this;
}

CommonNotify& CommonNotify::SetTitleBold(bool bold) {
  data_.Set("title_bold", bold);
  return *this;
}

CommonNotify& CommonNotify::SetContentMaxLine(int lines) {
  data_.Set("content_max_line", lines);
  return *this;
}

CommonNotify& CommonNotify::SetIcon(int icon) {
  data_.Set("icon", icon);
  return *this;
}

CommonNotify& CommonNotify::SetIconUrl(const std::string& light_url, const std::string& dark_url) {
  data_.Set("light_icon_url", light_url);
  data_.Set("dark_icon_url", dark_url);
  data_.Set("icon_url", light_url);
  return *this;
}

CommonNotify& CommonNotify::SetPositiveBtnText(const std::string& text) {
  data_.Set("positive_text", text);
  return *this;
}

CommonNotify& CommonNotify::SetNegativeBtnText(const std::string& text) {
  data_.Set("negative_text", text);
  return *this;
}

CommonNotify& CommonNotify::SetPositiveBtnVisible(bool visible) {
  data_.Set("positive_visible", visible);
  return *this;
}

CommonNotify& CommonNotify::SetNegativeBtnVisible(bool visible) {
  data_.Set("negative_visible", visible);
  return *this;
}

CommonNotify& CommonNotify::SetCloseBtnVisible(bool visible) {
  data_.Set("close_btn_visible", visible);
  return *this;
}

CommonNotify& CommonNotify::SetPositiveBtnVisibleIfContentOverflow(bool visible) {
  data_.Set("positive_visible_if_content_over_flow", visible);
  return *this;
}

CommonNotify& CommonNotify::SetPositiveBtnBlock(ButtonBlock block) {
  velto::notification::SetBlock(data_, kPositiveBlock, positive_block_, std::move(block));
  return *this;
}

CommonNotify& CommonNotify::SetNegativeBtnBlock(ButtonBlock block) {
  velto::notification::SetBlock(data_, kNegativeBlock, negative_block_, std::move(block));
  return *this;
}

CommonNotify& CommonNotify::SetCustomClickBlock(CustomClickBlock block) {
  velto::notification::SetBlock(data_, kCustomClickBlock, custom_click_block_, std::move(block));
  return *this;
}

CommonNotify& CommonNotify::SetNotifyRemoveBlock(RemoveBlock block) {
  velto::notification::SetBlock(data_, kRemoveBlock, remove_block_, std::move(block));
  return *this;
}

CommonNotify& CommonNotify::SetTimeout(int64_t timeout_ms) {
  data_.Set("timeout", timeout_ms);
  return *this;
}

CommonNotify& CommonNotify::SetPositionY(int y) {
  data_.Set("pos_y", y);
  return *this;
}

CommonNotify& CommonNotify::SetShowPageScheme(const std::string& scheme) {
  data_.Set("show_page_scheme", scheme);
  return *this;
}

CommonNotify& CommonNotify::SetExtData(const Variant& data) {
  data_.Set("ext_data", data);
  return *this;
}

const Variant& CommonNotify::GetExtraData() const { return data_.Get("ext_data"); }

void CommonNotify::Send(int command, const Variant& data) const {
  velto::model::Call(kModelId, command, &data, nullptr);
}

void CommonNotify::Show() { Send(kShow, data_); }

void CommonNotify::Update() { Send(kUpdate, data_); }

void CommonNotify::Remove() {
  Variant data = data_;
  data.Set("remove_reason", kRemoveReasonByOwner);
  Send(kRemove, data);
}

bool CommonNotify::IsShowing() const {
  Variant answer;
  if (!velto::model::Call(kModelId, kIsShowing, &data_, &answer)) return false;
  return answer.AsBoolean();
}

uint64_t CommonNotify::GetToken() const { return data_.GetUint64("token"); }

}  // namespace velto_common::utils::inmeetingnotification
