// Definitions of AuthorizeViewModelT: authorization failures, from the event to the reaction
// the result code calls for, and the follow-ups of the failure dialogs. Included only where
// the template is instantiated (authorize_viewmodel.cpp).
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "framework/alert_builder.h"
#include "module_api/account/account_utils.h"
#include "module_api/log.h"
#include "module_api/account/login_utils.h"
#include "module_api/viewmodel/authorize_viewmodel.h"
#include "module_api/web/web_view.h"
#include "veltosdk/utils/environment.h"
#include "viewmodel/authorize_support.h"

namespace velto {

namespace authorize {

inline bool IsVisitor(int auth_type) { return auth_type == velto_common::utils::account::kAuthTypeVisitor; }

// Server data sometimes carries codes as numbers.
inline std::string TextOf(const Variant& value) {
  if (value.IsString()) return value.AsStr();
  if (value.IsInteger()) return std::to_string(value.AsInteger());
  return std::string();
}

}  // namespace authorize

template <typename Base>
void AuthorizeViewModelT<Base>::OnEventAuthFailed(const Variant* event, bool& call_next) {
  using authorize::kLogPrefix;
  this->DisposeLoading();
  OnAuthFailed(event);
  if (HandleAuthFailed(event, call_next)) {
    VELTO_LOG(log::kTrace) << kLogPrefix << "auth failed handled by the screen";
    return;
  }
  const authorize::Failure failure = authorize::ReadFailure(event);
  const LoginErrorKind kind = login_error_handle_manager().Handle(failure.code);
  VELTO_LOG(log::kTrace) << kLogPrefix << "new login error handle manager do is :" << LoginErrorKindName(kind)
                         << ", code:" << failure.code;
  if (!IsViewVisible()) {
    VELTO_LOG(log::kTrace) << kLogPrefix << "invisible";
    return;
  }
  if (kind == LoginErrorKind::kSuccess) {
    VELTO_LOG(log::kTrace) << kLogPrefix << "auth result success. ignore";
    return;
  }
  this->DisposeAllAlerts();
  alert_id_ = -1;
  HandleAuthFailedErrCode(static_cast<int>(failure.code), static_cast<int>(failure.auth_type), failure.data,
                          failure.quiet);
}

template <typename Base>
void AuthorizeViewModelT<Base>::HandleAuthFailedErrCode(int code, int auth_type, const Variant& data, bool quiet) {
  using authorize::kLogPrefix;
  namespace s = login_error_string;
  VELTO_LOG(log::kTrace) << kLogPrefix << "handle auth failed code:" << code << " auth_type:" << auth_type
                         << " quiet:" << quiet;
  switch (LoginErrorHandleManager::Classify(code)) {
    case LoginErrorKind::kSuccess:
    case LoginErrorKind::kSilent:
      return;
    case LoginErrorKind::kTokenError:
      ShowDialogForAuthFailedTokenError();
      return;
    case LoginErrorKind::kAppAuthFailed:
      ShowDialogForAuthFailedAppAuthFailed(data);
      return;
    case LoginErrorKind::kTokenParamIllegal:
      ShowDialogForAuthFailedTokenParamIllegal(auth_type);
      return;
    case LoginErrorKind::kTooFrequent: {
      this->ShowToast(this->GetLocalizedString(s::kTooFrequentToast), 0, 2000);
      Variant info = Variant::Map();
      info["type"] = "toast";
      info["time"] = 2000;
      OnLoginFinishNotify(info);
      return;
    }
    case LoginErrorKind::kSecurityTips:
      ShowDialogForAuthFailedSecurityTips(auth_type);
      return;
    case LoginErrorKind::kDeletedFromDevices:
      ShowDialogForDeletedFromDeviceListOffline(data, auth_type);
      return;
    case LoginErrorKind::kPasswordChanged:
      ShowDialogForAuthFailedPasswordChange(auth_type);
      return;
    case LoginErrorKind::kFailedDialog: {
      const auto dialog = LoginErrorHandleManager::FailedDialogOf(code);
      if (!dialog) return;
      const std::string content = dialog->content_key ? data.GetString(dialog->content_key)
                                                      : this->GetLocalizedString(dialog->content_id);
      ShowFailedDialog(this->GetLocalizedString(dialog->title_id), content, code);
      return;
    }
    case LoginErrorKind::kGuideToPay:
      HandleFailedDialogAndGuideToPay(this->GetLocalizedString(s::kFailedTitle), data.GetString("server_msg"),
                                      this->GetLocalizedString(s::kUpgrade), this->GetLocalizedString(s::kCancel),
                                      code, data.GetString("sub_token"));
      return;
    case LoginErrorKind::kAccountSafeVerify:
      // The verification page is the whole reaction; without one to open there is nothing to show.
      HandleAccountSafeVerify(data.Get("verify_result"));
      return;
    case LoginErrorKind::kCommon:
      if (quiet) {
        VELTO_LOG(log::kTrace) << kLogPrefix << "no alert wanted for code " << code;
        return;
      }
      ShowDialogForAuthFailedCommonErr(data, auth_type);
      return;
  }
}

template <typename Base>
void AuthorizeViewModelT<Base>::ShowFlowAlert(const std::string& title, const std::string& content,
                                              const std::string& positive_text, const std::string& negative_text,
                                              std::function<void(int button)> done) {
  if (alert_id_ > 0) this->DisposeAlert(alert_id_);
  alert_id_ = framework::AlertBuilder(this)
                  .SetTitle(title)
                  .SetContent(content)
                  .SetPositiveButtonText(positive_text)
                  .SetNegativeButtonText(negative_text)
                  .SetCallback([this, done = std::move(done)](int64_t alert_id, int button, const Variant&) {
                    ForgetAlert(alert_id);
                    if (done) done(button);
                  })
                  .Show();
}

template <typename Base>
void AuthorizeViewModelT<Base>::ForgetAlert(int64_t alert_id) {
  if (alert_id_ == alert_id) alert_id_ = -1;
}

template <typename Base>
void AuthorizeViewModelT<Base>::ShowDialogForAuthFailedTokenError() {
  namespace s = login_error_string;
  ShowFlowAlert(this->GetLocalizedString(s::kSignedOutTitle), this->GetLocalizedString(s::kTokenExpiredContent),
                this->GetLocalizedString(s::kOk), std::string(), [this](int) { UnAuthorizeAndRouterToGuide(); });
}

template <typename Base>
void AuthorizeViewModelT<Base>::ShowDialogForAuthFailedAppAuthFailed(const Variant& data) {
  namespace s = login_error_string;
  std::string content = data.GetString("auth_message");
  if (content.empty()) content = this->GetLocalizedString(s::kAppAuthFailedContent);
  ShowFlowAlert(this->GetLocalizedString(s::kAppAuthFailedTitle), content, this->GetLocalizedString(s::kOk),
                std::string(), [this](int) { HandleFailedAndRouter(); });
}

template <typename Base>
void AuthorizeViewModelT<Base>::ShowDialogForAuthFailedTokenParamIllegal(int auth_type) {
  namespace s = login_error_string;
  const int32_t content = authorize::IsVisitor(auth_type) ? s::kVisitorEndedContent : s::kTokenIllegalContent;
  ShowFlowAlert(this->GetLocalizedString(s::kSignedOutTitle), this->GetLocalizedString(content),
                this->GetLocalizedString(s::kOk), std::string(), [this](int) { UnAuthorizeAndRouterToGuide(); });
}

template <typename Base>
void AuthorizeViewModelT<Base>::ShowDialogForAuthFailedSecurityTips(int auth_type) {
  namespace s = login_error_string;
  const int32_t content = authorize::IsVisitor(auth_type) ? s::kVisitorEndedContent : s::kSecurityContent;
  ShowFlowAlert(this->GetLocalizedString(s::kSecurityTitle), this->GetLocalizedString(content),
                this->GetLocalizedString(s::kOk), std::string(), [this](int) { UnAuthorizeAndRouterToGuide(); });
}

template <typename Base>
void AuthorizeViewModelT<Base>::ShowDialogForDeletedFromDeviceListOffline(const Variant& data, int auth_type) {
  namespace s = login_error_string;
  std::string text = data.GetString("server_msg");
  if (text.empty()) {
    text = this->GetLocalizedString(authorize::IsVisitor(auth_type) ? s::kVisitorEndedContent
                                                                    : s::kDeviceRemovedContent);
  }
  HandleKickoutPreconfirm(text, [this] { UnAuthorizeAndRouterToGuide(); });
}

template <typename Base>
void AuthorizeViewModelT<Base>::ShowDialogForAuthFailedPasswordChange(int auth_type) {
  namespace s = login_error_string;
  const int32_t content = authorize::IsVisitor(auth_type) ? s::kVisitorEndedContent : s::kPasswordChangedContent;
  ShowFlowAlert(this->GetLocalizedString(s::kPasswordChangedTitle), this->GetLocalizedString(content),
                this->GetLocalizedString(s::kOk), std::string(), [this](int) { UnAuthorizeAndRouterToGuide(); });
}

template <typename Base>
void AuthorizeViewModelT<Base>::ShowDialogForAuthFailedCommonErr(const Variant& data, int /*auth_type*/) {
  namespace s = login_error_string;
  // The server's own wording explains the failure best; the code is the fallback.
  std::string content = data.GetString("auth_message");
  if (content.empty()) {
    content = this->FormatString(s::kCommonErrContent).Arg("code", data.GetInteger("auth_result", -1)).Str();
  }
  ShowFlowAlert(this->GetLocalizedString(s::kCommonErrTitle), content, this->GetLocalizedString(s::kOk),
                std::string(), [this](int) { HandleFailedAndRouter(); });
}

template <typename Base>
void AuthorizeViewModelT<Base>::ShowFailedDialog(const std::string& title, const std::string& content,
                                                 int64_t code) {
  ShowFlowAlert(title, content, this->GetLocalizedString(login_error_string::kOk), std::string(),
                [this, code](int button) { login_error_handle_manager().OnFailedDialogAnswered(code, button, {}); });
}

template <typename Base>
bool AuthorizeViewModelT<Base>::HandleAccountSafeVerify(const Variant& verify_result) {
  const std::string verify_code = authorize::TextOf(verify_result.Get("verify_code"));
  if (verify_code.empty()) {
    VELTO_LOG(log::kRejected) << authorize::kLogPrefix << "safe verify without verify_code: " << verify_result;
    return false;
  }
  const std::string url = velto_common::utils::account::GenerateSafetyVerifyUrl(
      verify_code, authorize::TextOf(verify_result.Get("action_code")),
      veltosdk::utils::context::GetCurrentInstanceId(), authorize::TextOf(verify_result.Get("business_id")));
  HandleFailedOpenWebView(url, false);
  return true;
}

template <typename Base>
void AuthorizeViewModelT<Base>::HandleFailedDialogAndGuideToPay(const std::string& title, const std::string& content,
                                                                const std::string& positive_text,
                                                                const std::string& negative_text, int64_t code,
                                                                const std::string& extra) {
  ShowFlowAlert(title, content, positive_text, negative_text, [this, code, extra](int button) {
    login_error_handle_manager().OnFailedDialogAnswered(code, button, extra);
  });
}

template <typename Base>
void AuthorizeViewModelT<Base>::HandleFailedRouterToHome() {
  this->Navigate(framework::PageStack::kMain).PopUntil(velto_common::utils::login::kHomePage);
}

template <typename Base>
void AuthorizeViewModelT<Base>::HandleFailedOpenWebView(const std::string& url, bool leave_flow) {
  if (url.empty()) {
    VELTO_LOG(log::kRejected) << authorize::kLogPrefix << "no page to open";
  } else {
    OpenWebPage(url, this->context(), !IsViewContextFromQt(), std::nullopt, NavigateParams{});
  }
  if (leave_flow) HandleFailedAndRouter();
}

template <typename Base>
void AuthorizeViewModelT<Base>::HandleCloseLogicView(const std::string& text, int64_t code) {
  if (!text.empty()) this->ShowToast(text, 0, 2000);
  NotifyAuthFailed(static_cast<int>(code));
}

template <typename Base>
void AuthorizeViewModelT<Base>::HandleKickoutPreconfirm(const std::string& text, std::function<void()> confirmed) {
  namespace s = login_error_string;
  ShowFlowAlert(this->GetLocalizedString(s::kSignedOutTitle), text, this->GetLocalizedString(s::kOk), std::string(),
                [confirmed = std::move(confirmed)](int) {
                  if (confirmed) confirmed();
                });
}

template <typename Base>
void AuthorizeViewModelT<Base>::HandleFailedAndRouter() {
  UnAuthorizeAndRouterToGuide();
}

template <typename Base>
void AuthorizeViewModelT<Base>::NotifyAuthFailed(int code) {
  Variant info = Variant::Map();
  info["type"] = "auth_failed";
  info["auth_result"] = code;
  OnLoginFinishNotify(info);
}

}  // namespace velto
