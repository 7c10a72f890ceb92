// A one-line message bar of the meeting window, described field by field and handed to the
// host's common message model (693) with the commands of velto::model_command::common_message.
//
//   namespace message = velto_common::utils::inmeetingmessage;
//   message::CommonMessage bar(kNetworkType);
//   bar.SetContent(text).SetTimeout(3000).SetLinkContent(retry).SetLinkBtnVisible(true)
//      .SetLinkBtnBlock([this] { Retry(); });
//   bar.Show();
//
// Tokens come from a process-wide counter of its own (1, 2, ...); a copy keeps the token.
// Callback addresses in the map: "close_block", "link_block": ButtonBlock*;
// "notify_remove_block": RemoveBlock*. The bar must outlive what it showed. Without the host
// model every operation does nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto_common::utils::inmeetingmessage {

using base::variant::Variant;

class VELTO_API CommonMessage {
 public:
  using ButtonBlock = std::function<void()>;
  using RemoveBlock = std::function<void(int reason)>;
  static constexpr int kModelId = 693;
  static constexpr int kRemoveReasonByOwner = 5;

  explicit CommonMessage(int type);
  CommonMessage(const CommonMessage& other);
  CommonMessage(CommonMessage&& other) noexcept;
  CommonMessage& operator=(CommonMessage other) noexcept;
  ~CommonMessage();

  CommonMessage& SetContent(const std::string& content);
  CommonMessage& SetLinkContent(const std::string& text);
  CommonMessage& SetTimeout(int64_t timeout_ms);  // -1 (the default): until removed
  CommonMessage& SetIconVisible(bool visible);
  CommonMessage& SetCloseBtnVisible(bool visible);
  CommonMessage& SetLinkBtnVisible(bool visible);
  // An empty callback removes its key.
  CommonMessage& SetCloseBtnBlock(ButtonBlock block);
  CommonMessage& SetLinkBtnBlock(ButtonBlock block);
  CommonMessage& SetNotifyRemoveBlock(RemoveBlock block);

  void Show();
  void Update();
  // Sends a copy of the map with "remove_reason" 5; the bar's own map is unchanged.
  void Remove();
  bool IsShowing() const;

  uint64_t GetToken() const;
  const Variant& GetData() const { return data_; }

 private:
  void Send(int command, const Variant& data) const;

  Variant data_;
  std::unique_ptr<ButtonBlock> close_block_;
  std::unique_ptr<ButtonBlock> link_block_;
  std::unique_ptr<RemoveBlock> remove_block_;
};

}  // namespace velto_common::utils::inmeetingmessage
