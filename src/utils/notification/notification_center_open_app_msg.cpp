// Notification card fields from an open-app chat message.
#include <array>
#include <string_view>

#include "module_api/log.h"
#include "module_api/notification/notify_data.h"

namespace velto_common::utils::inmeetingnotification {
namespace {

constexpr std::array<std::string_view, 18> kCardKeys = {
    "nickname", "notify_type", "card_layout_type", "title", "confirm_btn_text", "notify_desc",
    "notify_main_desc", "need_self_show_notification", "app_info", "ext_data",
    // the price block
    "original_price", "price", "current_price", "has_discount", "discount_type", "discount", "discount_ext",
    "percentage"};

// The custom element's extension, which senders put either as a map or as its JSON text.
Variant CustomExtension(const Variant& message) {
  const Variant& elements = message.Get("message_elem_array");
  if (!elements.IsArray()) return Variant();
  for (const Variant& element : elements.Elements()) {
    const Variant* ext = element.Find("custom_elem_ext");
    if (!ext) continue;
    if (ext->IsMap()) return *ext;
    if (ext->IsString()) {
      bool ok = false;
      Variant parsed = Variant::ParseJson(ext->AsStringView(), &ok);
      if (ok && parsed.IsMap()) return parsed;
    }
    return Variant();
  }
  return Variant();
}

}  // namespace

Variant ParseNotifyDataFromOpenAppMsg(const Variant& message) {
  Variant result = Variant::Map();
  const Variant ext = CustomExtension(message);
  if (!ext.IsMap()) {
    VELTO_LOG(velto::log::kRejected) << "open app message has no custom element with a valid custom_elem_ext";
    return result;
  }
  for (std::string_view key : kCardKeys) {
    if (const Variant* value = ext.Find(key)) result.Set(key, *value);
  }
  return result;
}

}  // namespace velto_common::utils::inmeetingnotification
