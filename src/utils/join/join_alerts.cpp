// The server's failure tips and the guest hint of a join, and the overseas privacy notice.
#include "module_api/join/join_alerts.h"

#include <string>

#include "base/json/json_value.h"
#include "framework/alert_builder.h"
#include "module_api/analytics.h"
#include "module_api/join/join_types.h"
#include "module_api/join/join_utils.h"
#include "module_api/log.h"
#include "module_api/runtime.h"
#include "module_api/web/web_view.h"
#include "veltosdk/utils/environment.h"

namespace velto_common::utils::join {
namespace {

using base::variant::Variant;
namespace log = velto::log;

// The text of the key, or of the fallback key when the first is missing or empty.
std::string TextOr(const base::json::JsonValue& json, const char* key, const char* fallback) {
  if (json.Contain(key) && json[key].IsString() && !json[key].AsString().empty()) return json[key].AsString();
  return json.Contain(fallback) && json[fallback].IsString() ? json[fallback].AsString() : std::string();
}

void OpenButtonUrl(const Variant& button, framework::UIViewModel* view_model) {
  const std::string url = button.Get("url_info").GetString("url");
  if (url.empty()) return;
  velto::OpenWebPage(url, view_model->context(), true, std::nullopt, {});
}

}  // namespace

void ShowCommonJoinFailedAlert(const char* file, int line, const Variant& data, framework::UIViewModel* view_model,
                               JoinAlertDone done, const Variant& extra) {
  if (!view_model || !data.IsMap()) {
    VELTO_LOG(log::kFailure) << "view_model is null or data is not a map";
    return;
  }
  const Variant& buttons = data.Get("button_list");
  const size_t count = buttons.size();
  const Variant& positive = count >= 1 ? buttons.At(count - 1) : Variant::EmptyVariant();
  const Variant& negative = count >= 2 ? buttons.At(count - 2) : Variant::EmptyVariant();
  const int64_t error_code = data.GetInteger("error_code");
  if (base::log::GetLogLevel() >= log::kTrace) {
    log::RecordWriter(log::kTrace, file ? file : __FILE__, line, __func__)
        << "join failed common tips, error_code=" << static_cast<long long>(error_code) << ", positive("
        << positive.GetString("text") << "), " << "negative(" << negative.GetString("text") << ").";
  }

  std::string content;
  for (const Variant& part : data.Get("content_list").Elements()) {
    if (!content.empty()) content += "\n";
    content += part.GetString("content");
  }
  Variant custom = Variant::Map();
  custom["content_list"] = data.Get("content_list");
  framework::AlertBuilder(view_model)
      .SetTitle(data.GetString("title"))
      .SetContent(content)
      .SetPositiveButtonText(positive.GetString("text"))
      .SetNegativeButtonText(negative.GetString("text"))
      .SetCustomView("join_failed_common_tips", custom)
      .SetCallback([view_model, positive, negative, done](int64_t, int button, const Variant&) {
        const Variant& pressed = button == framework::AlertButton::kPositive   ? positive
                                 : button == framework::AlertButton::kNegative ? negative
                                                                               : Variant::EmptyVariant();
        const int32_t action = pressed.GetInt32("action");
        if (action == kTipActionOpenUrl || action == kTipActionBuy) OpenButtonUrl(pressed, view_model);
        if (done) done(button, pressed);
      })
      .Show();

  analytics::LogEventWithProperty("join_meeting_failed_common_tips_explore", "error_code", std::to_string(error_code));
  int64_t action_sum = 0;
  bool buys = false;
  for (const Variant& button : buttons.Elements()) {
    action_sum += button.GetInt32("action");
    buys = buys || button.GetInt32("action") == kTipActionBuy;
  }
  if (buys) {
    analytics::LogEventWithProperties("e#meeting_limit_buy_pop#all#exposure",
                                      {{"creator_uid", extra.GetString("creator_uid")},
                                       {"creator_appid", extra.GetString("creator_appid")},
                                       {"action_id_sum", std::to_string(action_sum)},
                                       {"join_from", std::to_string(GetJoinFrom())}});
  }
}

void ShowCommonGuestJoinHintAlert(const char* file, int line, const std::string& json_data,
                                  framework::UIViewModel* view_model, JoinAlertDone done) {
  base::json::JsonValue json;
  if (!json.ParseFromJson(json_data) || !json.IsObject()) {
    if (base::log::GetLogLevel() >= log::kFailure) {
      log::RecordWriter(log::kFailure, file ? file : __FILE__, line, __func__) << "json data error";
    }
    return;
  }
  if (!view_model) {
    VELTO_LOG(log::kFailure) << "view_model is null";
    return;
  }
  framework::AlertBuilder(view_model)
      .SetTitle(TextOr(json, "title", "local_title"))
      .SetNegativeButtonText(TextOr(json, "left_button_text", "local_negative"))
      .SetPositiveButtonText(TextOr(json, "right_button_text", "local_positive"))
      .SetCallback([done](int64_t, int button, const Variant& data) {
        if (done) done(button, data);
      })
      .Show();
}

void ShowPrivacyDataOverseaAlert(const Variant& item, framework::UIViewModel* view_model, JoinAlertDone done) {
  if (veltosdk::utils::version_util::IsBexaSdk()) {
    VELTO_LOG(log::kNotable) << "bexa sdk no need show privacy data oversea alert!";
    return;
  }
  if (!view_model) {
    VELTO_LOG(log::kFailure) << "view_model is null";
    return;
  }
  const Variant& meeting = item.Has("meeting_item") ? item.Get("meeting_item") : item;
  Variant custom = Variant::Map();
  custom["meeting_code"] = meeting.GetString("meeting_code");
  custom["meeting_id"] = meeting.GetString("meeting_id");
  custom["security_verify_type"] = meeting.GetInt32("security_verify_type");
  framework::AlertBuilder(view_model)
      .SetTitle(GetLocalizedString(velto::join_string::kPrivacyOverseaTitle))
      .SetContent(GetLocalizedString(velto::join_string::kPrivacyOverseaContent))
      .SetPositiveButtonText(GetLocalizedString(velto::join_string::kPrivacyOverseaContinue))
      .SetNegativeButtonText(GetLocalizedString(velto::join_string::kCancel))
      .SetCustomView("privacy_data_oversea", custom)
      .SetCallback([done](int64_t, int button, const Variant& data) {
        if (done) done(button, data);
      })
      .Show();
}

}  // namespace velto_common::utils::join
