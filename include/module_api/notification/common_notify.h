// A pop-up notification card of the meeting window, described field by field and handed to the
// host's common notify model (615) with the commands of velto::model_command::common_notify.
//
//   namespace notify = velto_common::utils::inmeetingnotification;
//   notify::CommonNotify card(kInviteType);
//   card.SetTitle(title).SetContent(text).SetPositiveBtnText(join)
//       .SetPositiveBtnBlock([this] { Join(); })
//       .SetNotifyRemoveBlock([](int reason) { ... });
//   card.Show();   // the card must live until the host removed it
//
// Every card gets a token from a process-wide counter (1, 2, ...) that identifies it to the
// host; a copy keeps the token. Callbacks stay owned by the card; the map carries their
// addresses, typed as below, through which the host calls them:
//   "positive_block", "negative_block": ButtonBlock*; "custom_click_block": CustomClickBlock*;
//   "notify_remove_block": RemoveBlock* (the host's removal reason).
// A copy owns copies of the callbacks. Without the host model every operation does nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/variant/variant.h"
#include "module_api/export.h"
#include "module_api/notification/notify_data.h"

namespace velto_common::utils::inmeetingnotification {

using base::variant::Variant;

class VELTO_API CommonNotify {
 public:
  using ButtonBlock = std::function<void()>;
  using CustomClickBlock = std::function<void(const std::string& text)>;
  using RemoveBlock = std::function<void(int reason)>;
  static constexpr int kModelId = 615;
  static constexpr int kRemoveReasonByOwner = 5;  // "remove_reason" of Remove()

  explicit CommonNotify(int type);
  // Title, content, button texts (a button without text is hidden), close button, timeout
  // and window size from the data.
  explicit CommonNotify(const NotifyData& data, int type = 0);
  CommonNotify(const CommonNotify& other);
  CommonNotify(CommonNotify&& other) noexcept;
  CommonNotify& operator=(CommonNotify other) noexcept;
  ~CommonNotify();

  CommonNotify& SetTitle(const std::string& title);
  CommonNotify& SetSubTitle(const std::string& sub_title);
  CommonNotify& SetContent(const std::string& content);
  // Kept whole at the end of a title that is cut to fit.
  CommonNotify& SetTitleFixedEnding(const std::string& ending);
  CommonNotify& SetTitleVisible(bool visible);
  CommonNotify& SetContentVisible(bool visible);
  CommonNotify& SetTitleBold(bool bold);
  CommonNotify& SetContentMaxLine(int lines);  // 0: no limit
  CommonNotify& SetIcon(int icon);
  // "icon_url" is the light one.
  CommonNotify& SetIconUrl(const std::string& light_url, const std::string& dark_url);
  CommonNotify& SetPositiveBtnText(const std::string& text);
  CommonNotify& SetNegativeBtnText(const std::string& text);
  CommonNotify& SetPositiveBtnVisible(bool visible);
  CommonNotify& SetNegativeBtnVisible(bool visible);
  CommonNotify& SetCloseBtnVisible(bool visible);
  CommonNotify& SetPositiveBtnVisibleIfContentOverflow(bool visible);
  // An empty callback removes its key.
  CommonNotify& SetPositiveBtnBlock(ButtonBlock block);
  CommonNotify& SetNegativeBtnBlock(ButtonBlock block);
  CommonNotify& SetCustomClickBlock(CustomClickBlock block);
  CommonNotify& SetNotifyRemoveBlock(RemoveBlock block);
  CommonNotify& SetTimeout(int64_t timeout_ms);
  CommonNotify& SetPositionY(int y);
  CommonNotify& SetShowPageScheme(const std::string& scheme);  // the page the card shows on
  CommonNotify& SetExtData(const Variant& data);
  const Variant& GetExtraData() const;  // "ext_data"; null when unset

  void Show();
  void Update();
  // Sends a copy of the map with "remove_reason" 5; the card's own map is unchanged.
  void Remove();
  bool IsShowing() const;

  uint64_t GetToken() const;
  const Variant& GetData() const { return data_; }

 private:
  void Send(int command, const Variant& data) const;

  Variant data_;
  std::unique_ptr<ButtonBlock> positive_block_;
  std::unique_ptr<ButtonBlock> negative_block_;
  std::unique_ptr<CustomClickBlock> custom_click_block_;
  std::unique_ptr<RemoveBlock> remove_block_;
};

}  // namespace velto_common::utils::inmeetingnotification
