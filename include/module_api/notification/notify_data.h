// Notification cards from server-delivered texts: the display setting of an open app (a JSON
// document per language) and open-app chat messages.
//
//   namespace notify = velto_common::utils::inmeetingnotification;
//   notify::NotifyDataSetting setting(app_id, app_name, "", nickname, setting_json, together_text);
//   notify::CommonNotify card(notify::ParseNotifyDataFromSetting(setting));
//
// Setting document: texts under the current language ("zh-cn", "en-us"): "open_title",
// "open_content", "open_positive_btn_title", "open_negative_btn_title"; at the top level
// "timeout", "window_width", "window_height" (positive integers) and "close_btn_visible".
// Texts may hold the placeholders {nickname}, {web_app_name} and {use_together_display}.
#pragma once

#include <cstdint>
#include <string>

#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto_common::utils::inmeetingnotification {

using base::variant::Variant;

class VELTO_API NotifyDataSetting {
 public:
  NotifyDataSetting(std::string identifier, std::string web_app_name, std::string default_content,
                    std::string nickname, std::string setting_document, std::string together_display);

  // `text` with those of its placeholders that occur bound to this setting's texts.
  std::string FormatIfExistName(const std::string& text) const;

  const std::string& identifier() const { return identifier_; }
  const std::string& web_app_name() const { return web_app_name_; }
  const std::string& default_content() const { return default_content_; }
  const std::string& nickname() const { return nickname_; }
  const std::string& setting_document() const { return setting_document_; }
  const std::string& together_display() const { return together_display_; }

 private:
  std::string identifier_;
  std::string web_app_name_;
  std::string default_content_;
  std::string nickname_;
  std::string setting_document_;
  std::string together_display_;
};

struct VELTO_API NotifyData {
  NotifyData() = default;
  // Titled with the web app's name.
  explicit NotifyData(const std::string& web_app_name) : title(web_app_name) {}

  // {"title", "content", "positive_btn_text", "negative_btn_text", "timeout", "window_width",
  // "window_height"}.
  Variant ToVariant() const;

  std::string title;
  std::string content;
  std::string positive_btn_text;
  std::string negative_btn_text;
  bool close_btn_visible = true;
  uint32_t timeout = 0;
  int32_t window_width = 0;
  int32_t window_height = 0;
};

VELTO_API NotifyData ParseNotifyDataFromSetting(const NotifyDataSetting& setting);

// The card fields of an open-app chat message: from the custom element of
// "message_elem_array", its "custom_elem_ext" (a map, or JSON text of one): "nickname",
// "notify_type", "card_layout_type", "title", "confirm_btn_text", "notify_desc",
// "notify_main_desc", "need_self_show_notification", "app_info", "ext_data" and the price
// fields. An empty map (logged) when the message has no such element.
VELTO_API Variant ParseNotifyDataFromOpenAppMsg(const Variant& message);

}  // namespace velto_common::utils::inmeetingnotification
