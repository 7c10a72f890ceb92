// Authorization failures: which reaction a result code of the authorization model calls for,
// and what follows once the user has answered a failure dialog.
//
//   velto::LoginErrorHandleManager manager(&delegate);
//   switch (manager.Handle(code)) {          // classifies and remembers the code
//     case velto::LoginErrorKind::kSilent: return;
//     case velto::LoginErrorKind::kFailedDialog: ShowDialog(*velto::LoginErrorHandleManager::FailedDialogOf(code)); ...
//   }
//   ...
//   manager.OnFailedDialogAnswered(code, button, extra);   // the delegate carries out the rest
//
// The manager shows nothing itself: it classifies, and acts only through its delegate.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "module_api/export.h"

namespace velto {

// Resource string ids of the authorization failure reactions.
namespace login_error_string {
inline constexpr int32_t kCheckAuthorizeToast = -547670401;         // 0xDF5B367F: may not act now
inline constexpr int32_t kTooFrequentToast = 1395792860;            // 0x53321BDC: code 5022
inline constexpr int32_t kFailedTitle = -656994671;                 // 0xD8D70E91
inline constexpr int32_t kServiceUnavailableContent = 941448000;    // 0x381D5B40: code -521000
inline constexpr int32_t kAccountRestrictedContent = -1841134195;   // 0x9242858D: code -51008
inline constexpr int32_t kAppealTitle = -234492787;                 // 0xF205EC8D: code 6016
inline constexpr int32_t kOk = 1802001;
inline constexpr int32_t kCancel = 1802002;
inline constexpr int32_t kUpgrade = 1802003;
inline constexpr int32_t kVerifyNow = 1802004;
inline constexpr int32_t kLater = 1802005;
inline constexpr int32_t kSignedOutTitle = 1802010;
inline constexpr int32_t kTokenExpiredContent = 1802011;
inline constexpr int32_t kAppAuthFailedTitle = 1802012;
inline constexpr int32_t kAppAuthFailedContent = 1802013;
inline constexpr int32_t kTokenIllegalContent = 1802014;
inline constexpr int32_t kSecurityTitle = 1802015;
inline constexpr int32_t kSecurityContent = 1802016;
inline constexpr int32_t kDeviceRemovedContent = 1802017;
inline constexpr int32_t kPasswordChangedTitle = 1802018;
inline constexpr int32_t kPasswordChangedContent = 1802019;
inline constexpr int32_t kVisitorEndedContent = 1802020;
inline constexpr int32_t kCommonErrTitle = 1802021;
inline constexpr int32_t kCommonErrContent = 1802022;  // "{code}": the result code
inline constexpr int32_t kRealNameTitle = 1802030;
inline constexpr int32_t kRealNameContent = 1802031;
}  // namespace login_error_string

// The reaction a result code calls for.
enum class LoginErrorKind : int32_t {
  kSuccess,              // 0: nothing failed
  kTokenError,           // 5017, 5032
  kAppAuthFailed,        // 5000
  kTokenParamIllegal,    // 5015
  kSilent,               // 5014, 5039: no reaction at all
  kTooFrequent,          // 5022: a toast
  kSecurityTips,         // 4016
  kDeletedFromDevices,   // 4022
  kPasswordChanged,      // 4017
  kFailedDialog,         // -521000, -51008, -521001, 6016: a fixed failure dialog
  kGuideToPay,           // -521002
  kAccountSafeVerify,    // -20028
  kCommon,               // every other code
};

VELTO_API const char* LoginErrorKindName(LoginErrorKind kind);

// Implemented by the screen that shows the failure; the manager calls it to carry out the
// follow-up of a failure.
class ILoginErrorHandleManagerDelegate {
 public:
  // A failure dialog whose positive button leads to the purchase page; `extra` travels to it.
  virtual void HandleFailedDialogAndGuideToPay(const std::string& title, const std::string& content,
                                               const std::string& positive_text, const std::string& negative_text,
                                               int64_t code, const std::string& extra) = 0;
  virtual void HandleFailedRouterToHome() = 0;
  // `leave_flow`: the failed flow is over once the page is open.
  virtual void HandleFailedOpenWebView(const std::string& url, bool leave_flow) = 0;
  // The failed flow's screen closes; `text`, when not empty, tells the user why.
  virtual void HandleCloseLogicView(const std::string& text, int64_t code) = 0;

 protected:
  ~ILoginErrorHandleManagerDelegate() = default;
};

class VELTO_API LoginErrorHandleManager {
 public:
  // A fixed failure dialog: the title's string id and either a content string id or the key of
  // the failure data that holds the content.
  struct FailedDialog {
    int32_t title_id;
    int32_t content_id;       // 0 when the content comes from the data
    const char* content_key;  // null when the content is a string id
  };

  // The delegate is not owned and must outlive the manager's calls.
  explicit LoginErrorHandleManager(ILoginErrorHandleManagerDelegate* delegate);

  static LoginErrorKind Classify(int64_t code);
  // The fixed dialog of a kFailedDialog code; nullopt for every other code.
  static std::optional<FailedDialog> FailedDialogOf(int64_t code);
  // The purchase page a pay-guide dialog leads to, carrying `sub_token` when given.
  static std::string PayGuideUrl(const std::string& sub_token);

  // Classifies and remembers the code of the failure being handled.
  LoginErrorKind Handle(int64_t code);
  int64_t last_code() const { return last_code_; }
  LoginErrorKind last_kind() const { return last_kind_; }

  // The user answered the failure dialog of `code` with `button` (framework::AlertButton):
  // a pay guide's positive button opens the purchase page, its other buttons go home; a fixed
  // failure dialog closes the failed flow's screen. Other codes have no follow-up here.
  void OnFailedDialogAnswered(int64_t code, int button, const std::string& extra);

 private:
  ILoginErrorHandleManagerDelegate* delegate_;
  int64_t last_code_ = 0;
  LoginErrorKind last_kind_ = LoginErrorKind::kSuccess;
};

}  // namespace velto
