// Alerts of a meeting the user may not enter as he is: a webinar that needs enrolment, a
// private meeting; the joining meeting's facts; and signing out to the login guide.
#include <optional>
#include <string>
#include <utility>

#include "framework/module/navigator.h"
#include "module_api/alerts/show_join_limit_alert_manager.h"
#include "module_api/analytics.h"
#include "module_api/log.h"
#include "module_api/members/webinar_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/runtime.h"
#include "module_api/web/web_util.h"
#include "module_api/web/web_view.h"
#include "util/crypto/url_encode.h"
#include "utils/alerts/join_limit_support.h"
#include "utils/web/address_log.h"

namespace velto {
namespace {

using namespace join_limit::internal;
namespace cmd = velto::model_command;
namespace web = velto_common::utils::web;

constexpr char kGuidePage[] = "velto://page/guide";

}  // namespace

void ShowJoinLimitAlertManager::UpdateJoiningMeetingInfo(const Variant& info) {
  JoiningMeetingInfo& m = joining_meeting_;
  m.meeting_code = info.GetString("meeting_code");
  m.pmi_code = info.GetString("pmi_code");
  m.creator_appid = info.GetString("creator_appid");
  m.creator_uid = info.GetString("creator_uid");
  m.creator_nickname = info.GetString("creator_nickname");
  m.subject = info.GetString("subject");
  m.meeting_id = info.GetUint64("meeting_id", 0);
  m.meeting_url = info.GetString("meeting_url");
  m.need_enroll = info.GetBoolean("need_enroll", false);
  m.enroll_url = info.GetString("enroll_url");
  m.meeting_url_oversea = info.GetString("meeting_url_oversea");
  m.meeting_type_flags = info.GetUint64("meeting_type_flags", 0);
  VELTO_LOG(log::kTrace) << "update cur joining meeting info [code: " << m.meeting_code << ", pmi_code: " << m.pmi_code
                         << ", creator_appid: " << m.creator_appid << ", creator_uid: " << m.creator_uid
                         << ", subject: " << m.subject << ", id: " << m.meeting_id << ", need_enroll: " << m.need_enroll
                         << ", enroll_url: " << web::internal::AddressForLog(m.enroll_url)
                         << ", meeting_type_flags: " << m.meeting_type_flags << "]";
}

std::string ShowJoinLimitAlertManager::GetNotEnrolledErrorMessage(const Variant& info) {
  return velto_common::utils::GetLocalizedString(velto_common::utils::webinar::IsMeetingWebinar(&info)
                                                     ? text::kNotEnrolledWebinar
                                                     : text::kNotEnrolledMeeting);
}

void ShowJoinLimitAlertManager::ShowNotEnrolledAlert(const std::string& url) {
  Variant joining = Variant::Map();
  joining["meeting_type_flags"] = joining_meeting_.meeting_type_flags;
  ShowNotEnrolledAlert(url, GetNotEnrolledErrorMessage(joining));
}

void ShowJoinLimitAlertManager::ShowNotEnrolledAlert(const std::string& url, const std::string& message) {
  if (!view_model_) {
    VELTO_LOG(log::kNotable) << "view_model_ is null.";
    return;
  }
  framework::AlertBuilder builder(view_model_);
  builder.SetAutoDismiss(false);
  if (IsGuest()) {
    builder.SetTitle(view_model_->GetLocalizedString(text::kEnrollGuestTitle))
        .SetPositiveButtonText(view_model_->GetLocalizedString(text::kEnrollGuestPositive))
        .SetNegativeButtonText(view_model_->GetLocalizedString(text::kEnrollGuestNegative));
    ShowAlert(builder, [this](int button) {
      if (!delegate_) return;
      if (button == framework::AlertButton::kPositive) {
        delegate_->ConfirmEnrollAlert();
      } else {
        delegate_->CancelEnrollAlert();
      }
    });
    return;
  }
  builder.SetTitle(message)
      .SetPositiveButtonText(view_model_->GetLocalizedString(text::kEnrollPositive))
      .SetNegativeButtonText(view_model_->GetLocalizedString(text::kCancel));
  ShowAlert(builder, [this, url](int button) {
    CancelDissolveCurrentMeetingAndQuit();
    if (button == framework::AlertButton::kPositive) NavigateToEnrollUrl(url);
  });
}

void ShowJoinLimitAlertManager::NavigateToEnrollUrl(const std::string& url) {
  velto_common::utils::analytics::LogEvent("mainpage_null_null_inputmeetcode_webinar_null_null");
  const std::string page =
      web::Generate2ExternalBrowserUrlByToken(web::GetUserCenterMiddleLoginUrl(), util::crypto::RawUrlEncode(url));
  std::shared_ptr<const framework::Context> context = ViewModelContext();
  if (!context && view_model_) context = view_model_->context();
  OpenWebPage(page, std::move(context), /*use_inner_webview=*/false, std::nullopt, NavigateParams());
}

void ShowJoinLimitAlertManager::ShowPrivateNoPermissionError(std::function<void()> on_closed) {
  if (!view_model_) {
    VELTO_LOG(log::kNotable) << "view_model_ is null.";
    return;
  }
  const bool bound = model::QueryAnswer(model_id::kProfileModel, cmd::profile::kProfileBasic)
                         .GetBoolean("is_bind_yamu", false);
  VELTO_LOG(log::kTrace) << "private meeting, no permission, is_bind_yamu " << bound;
  framework::AlertBuilder builder(view_model_);
  builder.SetAutoDismiss(false)
      .SetTitle(view_model_->GetLocalizedString(text::kPrivateTitle))
      .SetContent(view_model_->GetLocalizedString(text::kPrivateContent))
      .SetPositiveButtonText(view_model_->GetLocalizedString(text::kCancel));
  ShowAlert(builder, [on_closed = std::move(on_closed)](int /*button*/) {
    if (on_closed) on_closed();
  });
}

void ShowJoinLimitAlertManager::Logout() {
  Variant answer = Variant::Map();
  model::Call(model_id::kAuthorizationModel, cmd::authorization::kLogout, nullptr, &answer);
  if (!delegate_) return;
  framework::module::Navigator::Of(delegate_->ViewModelContext(), framework::PageStack::kRoot)
      .PushWithClosingOthers(kGuidePage, Variant::Map());
}

}  // namespace velto
