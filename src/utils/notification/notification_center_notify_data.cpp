// Notification cards from an open app's display setting.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

#include "framework/resource.h"
#include "framework/string_formatter.h"
#include "module_api/log.h"
#include "module_api/notification/notify_data.h"

namespace velto_common::utils::inmeetingnotification {
namespace {

// A non-empty text under `key`, or nothing.
const Variant* NonEmptyString(const Variant& map, std::string_view key) {
  const Variant* value = map.Find(key);
  return value && value->IsString() && !value->AsStringView().empty() ? value : nullptr;
}

// A positive integer under `key`, or nothing.
std::optional<int64_t> PositiveInteger(const Variant& map, std::string_view key) {
  const Variant* value = map.Find(key);
  if (!value || !value->IsInteger() || value->AsInteger() <= 0) return std::nullopt;
  return value->AsInteger();
}

template <typename T>
T Clamp(int64_t value) {
  return static_cast<T>(std::min<int64_t>(value, std::numeric_limits<T>::max()));
}

}  // namespace

NotifyDataSetting::NotifyDataSetting(std::string identifier, std::string web_app_name, std::string default_content,
                                     std::string nickname, std::string setting_document, std::string together_display)
    : identifier_(std::move(identifier)),
      web_app_name_(std::move(web_app_name)),
      default_content_(std::move(default_content)),
      nickname_(std::move(nickname)),
      setting_document_(std::move(setting_document)),
      together_display_(std::move(together_display)) {}

std::string NotifyDataSetting::FormatIfExistName(const std::string& text) const {
  framework::StringFormatter formatter(text);
  if (text.find("{use_together_display}") != std::string::npos) formatter.Arg("use_together_display", together_display_);
  if (text.find("{nickname}") != std::string::npos) formatter.Arg("nickname", nickname_);
  if (text.find("{web_app_name}") != std::string::npos) formatter.Arg("web_app_name", web_app_name_);
  return formatter.Str();
}

Variant NotifyData::ToVariant() const {
  Variant result = Variant::Map();
  result.Set("title", title);
  result.Set("content", content);
  result.Set("positive_btn_text", positive_btn_text);
  result.Set("negative_btn_text", negative_btn_text);
  result.Set("timeout", timeout);
  result.Set("window_width", window_width);
  result.Set("window_height", window_height);
  return result;
}

NotifyData ParseNotifyDataFromSetting(const NotifyDataSetting& setting) {
  NotifyData data(setting.web_app_name());
  bool ok = false;
  const Variant document = Variant::ParseJson(setting.setting_document(), &ok);
  if (!ok || !document.IsMap()) {
    VELTO_LOG(velto::log::kRejected) << "notify setting of " << setting.identifier() << " is not a JSON object";
    if (!setting.default_content().empty()) data.content = setting.default_content();
    return data;
  }

  const Variant& texts = document.Get(framework::Resource::GetInstance()->GetLanguage());
  if (texts.IsMap()) {
    const Variant* title = texts.Find("open_title");
    if (title && title->IsString()) data.title = setting.FormatIfExistName(title->AsStr());
  }
  if (!setting.default_content().empty()) {
    data.content = setting.default_content();
  } else if (const Variant* content = texts.Find("open_content"); content && content->IsString()) {
    data.content = setting.FormatIfExistName(content->AsStr());
  }
  if (const Variant* text = NonEmptyString(texts, "open_positive_btn_title")) data.positive_btn_text = text->AsStr();
  if (const Variant* text = NonEmptyString(texts, "open_negative_btn_title")) data.negative_btn_text = text->AsStr();

  if (auto timeout = PositiveInteger(document, "timeout")) data.timeout = Clamp<uint32_t>(*timeout);
  if (auto width = PositiveInteger(document, "window_width")) data.window_width = Clamp<int32_t>(*width);
  if (auto height = PositiveInteger(document, "window_height")) data.window_height = Clamp<int32_t>(*height);
  if (const Variant* visible = document.Find("close_btn_visible"); visible && visible->IsBool()) {
    data.close_btn_visible = visible->AsBoolean();
  }
  return data;
}

}  // namespace velto_common::utils::inmeetingnotification
