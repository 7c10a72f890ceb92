#include "module_api/account/login_error_handle_manager.h"

#include "framework/alert_builder.h"
#include "module_api/log.h"
#include "module_api/web/web_util.h"
#include "util/crypto/url_encode.h"
#include "util/url/url_util.h"

namespace velto {
namespace {

struct CodeRow {
  int64_t code;
  LoginErrorKind kind;
};

constexpr CodeRow kCodes[] = {
    {0, LoginErrorKind::kSuccess},
    {5017, LoginErrorKind::kTokenError},
    {5032, LoginErrorKind::kTokenError},
    {5000, LoginErrorKind::kAppAuthFailed},
    {5015, LoginErrorKind::kTokenParamIllegal},
    {5014, LoginErrorKind::kSilent},
    {5039, LoginErrorKind::kSilent},
    {5022, LoginErrorKind::kTooFrequent},
    {4016, LoginErrorKind::kSecurityTips},
    {4022, LoginErrorKind::kDeletedFromDevices},
    {4017, LoginErrorKind::kPasswordChanged},
    {-521000, LoginErrorKind::kFailedDialog},
    {-51008, LoginErrorKind::kFailedDialog},
    {-521001, LoginErrorKind::kFailedDialog},
    {6016, LoginErrorKind::kFailedDialog},
    {-521002, LoginErrorKind::kGuideToPay},
    {-20028, LoginErrorKind::kAccountSafeVerify},
};

}  // namespace

const char* LoginErrorKindName(LoginErrorKind kind) {
  switch (kind) {
    case LoginErrorKind::kSuccess: return "success";
    case LoginErrorKind::kTokenError: return "token_error";
    case LoginErrorKind::kAppAuthFailed: return "app_auth_failed";
    case LoginErrorKind::kTokenParamIllegal: return "token_param_illegal";
    case LoginErrorKind::kSilent: return "silent";
    case LoginErrorKind::kTooFrequent: return "too_frequent";
    case LoginErrorKind::kSecurityTips: return "security_tips";
    case LoginErrorKind::kDeletedFromDevices: return "deleted_from_devices";
    case LoginErrorKind::kPasswordChanged: return "password_changed";
    case LoginErrorKind::kFailedDialog: return "failed_dialog";
    case LoginErrorKind::kGuideToPay: return "guide_to_pay";
    case LoginErrorKind::kAccountSafeVerify: return "account_safe_verify";
    case LoginErrorKind::kCommon: return "common";
  }
  return "unknown";
}

LoginErrorHandleManager::LoginErrorHandleManager(ILoginErrorHandleManagerDelegate* delegate) : delegate_(delegate) {}

LoginErrorKind LoginErrorHandleManager::Classify(int64_t code) {
  for (const CodeRow& row : kCodes) {
    if (row.code == code) return row.kind;
  }
  return LoginErrorKind::kCommon;
}

std::optional<LoginErrorHandleManager::FailedDialog> LoginErrorHandleManager::FailedDialogOf(int64_t code) {
  namespace s = login_error_string;
  switch (code) {
    case -521000: return FailedDialog{s::kFailedTitle, s::kServiceUnavailableContent, nullptr};
    case -51008: return FailedDialog{s::kFailedTitle, s::kAccountRestrictedContent, nullptr};
    case -521001: return FailedDialog{s::kFailedTitle, 0, "server_msg"};
    case 6016: return FailedDialog{s::kAppealTitle, 0, "auth_message"};
    default: return std::nullopt;
  }
}

std::string LoginErrorHandleManager::PayGuideUrl(const std::string& sub_token) {
  const std::string url = velto_common::utils::web::GetVipBuyUrl();
  if (sub_token.empty()) return url;
  return util::url::AddQueryParamToUrl(url, "sub_token", util::crypto::RawUrlEncode(sub_token));
}

LoginErrorKind LoginErrorHandleManager::Handle(int64_t code) {
  last_code_ = code;
  last_kind_ = Classify(code);
  return last_kind_;
}

void LoginErrorHandleManager::OnFailedDialogAnswered(int64_t code, int button, const std::string& extra) {
  if (!delegate_) {
    VELTO_LOG(log::kFailure) << "[login-module] no delegate for code " << code;
    return;
  }
  switch (Classify(code)) {
    case LoginErrorKind::kGuideToPay:
      VELTO_LOG(log::kTrace) << "[login-module] pay guide answered, button " << button;
      if (button == framework::AlertButton::kPositive) {
        delegate_->HandleFailedOpenWebView(PayGuideUrl(extra), true);
      } else {
        delegate_->HandleFailedRouterToHome();
      }
      return;
    case LoginErrorKind::kFailedDialog:
      delegate_->HandleCloseLogicView(std::string(), code);
      return;
    default:
      VELTO_LOG(log::kRejected) << "[login-module] no follow-up for code " << code;
      return;
  }
}

}  // namespace velto
