// Message bars (model 693).
#include <atomic>
#include <utility>

#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/notification/common_message.h"
#include "utils/notification/notification_center_blocks.h"

namespace velto_common::utils::inmeetingmessage {
namespace {

using velto::model_command::common_message::kShow;
using velto::model_command::common_message::kUpdate;
using velto::model_command::common_message::kRemove;
using velto::model_command::common_message::kIsShowing;
constexpr char kCloseBlock[] = "close_block";
constexpr char kLinkBlock[] = "link_block";
constexpr char kRemoveBlock[] = "notify_remove_block";

// Its own counter: bars and cards are told apart by the model, not by the token.
std::atomic<uint64_t> next_token{1};

}  // namespace

CommonMessage::CommonMessage(int type) : data_(Variant::Map()) {
  data_.Set("token", next_token.fetch_add(1, std::memory_order_relaxed));
  data_.Set("type", type);
  data_.Set("timeout", -1);
  data_.Set("icon_visible", true);
  data_.Set("close_visible", false);
  data_.Set("link_visible", false);
}

CommonMessage::CommonMessage(const CommonMessage& other) : data_(other.data_) {
  using velto::notification::CopyBlock;
  CopyBlock(data_, kCloseBlock, close_block_, other.close_block_);
  CopyBlock(data_, kLinkBlock, link_block_, other.link_block_);
  CopyBlock(data_, kRemoveBlock, remove_block_, other.remove_block_);
}

CommonMessage::CommonMessage(CommonMessage&& other) noexcept = default;

CommonMessage& CommonMessage::operator=(CommonMessage other) noexcept {
  std::swap(data_, other.data_);
  std::swap(close_block_, other.close_block_);
  std::swap(link_block_, other.link_block_);
  std::swap(remove_block_, other.remove_block_);
  return *this;
}

CommonMessage::~CommonMessage() = default;

CommonMessage& CommonMessage::SetContent(const std::string& content) {
  data_.Set("content", content);
  return *this;
}

CommonMessage& CommonMessage::SetLinkContent(const std::string& text) {
  data_.Set("link_content", text);
  return *this;
}

CommonMessage& CommonMessage::SetTimeout(int64_t timeout_ms) {
  data_.Set("timeout", timeout_ms);
  return *this;
}

CommonMessage& CommonMessage::SetIconVisible(bool visible) {
  data_.Set("icon_visible", visible);
  return *this;
}

CommonMessage& CommonMessage::SetCloseBtnVisible(bool visible) {
  data_.Set("close_visible", visible);
  return *this;
}

CommonMessage& CommonMessage::SetLinkBtnVisible(bool visible) {
  data_.Set("link_visible", visible);
  return *this;
}

CommonMessage& CommonMessage::SetCloseBtnBlock(ButtonBlock block) {
  velto::notification::SetBlock(data_, kCloseBlock, close_block_, std::move(block));
  return *this;
}

CommonMessage& CommonMessage::SetLinkBtnBlock(ButtonBlock block) {
  velto::notification::SetBlock(data_, kLinkBlock, link_block_, std::move(block));
  return *this;
}

CommonMessage& CommonMessage::SetNotifyRemoveBlock(RemoveBlock block) {
  velto::notification::SetBlock(data_, kRemoveBlock, remove_block_, std::move(block));
  return *this;
}

void CommonMessage::Send(int command, const Variant& data) const {
  velto::model::Call(kModelId, command, &data, nullptr);
}

void CommonMessage::Show() {
  Variant ignored;  // the model answers something; the bar has no use for it
  velto::model::Call(kModelId, kShow, &data_, &ignored);
}

void CommonMessage::Update() { Send(kUpdate, data_); }

void CommonMessage::Remove() {
  Variant data = data_;
  data.Set("remove_reason", kRemoveReasonByOwner);
  Send(kRemove, data);
}

bool CommonMessage::IsShowing() const {
  Variant answer;
  if (!velto::model::Call(kModelId, kIsShowing, &data_, &answer)) return false;
  return answer.AsBoolean();
}

uint64_t CommonMessage::GetToken() const { return data_.GetUint64("token"); }

}  // namespace velto_common::utils::inmeetingmessage
