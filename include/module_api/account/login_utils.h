// Login: which login entries the local device offers and in what order, the login pages and QR
// addresses, account switching, and the markers of which window owns the captcha or the
// third-app authorisation.
//
//   base::variant::Variant items = velto_common::utils::login::GetLocalDevicePreferLoginType(
//       [](velto::LocalDevice::LoginMode mode, base::variant::Variant& item) { ... }, nullptr);
//   for (const auto& item : items.Elements()) { item["type"], item["title"], item["disable"] ... }
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/json/json_value.h"
#include "base/variant/variant.h"
#include "framework/context.h"
#include "module_api/export.h"

namespace framework {
class ViewModel;
class UIViewModel;
}  // namespace framework

namespace velto {

struct LocalDevice {
  enum LoginMode : int32_t {
    kLoginModeNone = 0,
    kLoginModeBexa = 1,
    kLoginModePhone = 2,
    kLoginModeYamu = 3,
    kLoginModeEmail = 4,
    kLoginModeSso = 6,
    kLoginModeQrCode = 7,  // offered by other entries, never listed
  };
};

}  // namespace velto

namespace velto_common::utils::login {

inline constexpr char kGuidePage[] = "velto://page/guide";
inline constexpr char kGuideDesktopPage[] = "velto://page/login/guide_desktop";
inline constexpr char kSwitchAccountPage[] = "velto://page/profile/switch_account";
inline constexpr char kCreateOrganizationPage[] = "velto://page/profile/create_organization";
inline constexpr char kHomePage[] = "velto://page/home";

using AdjustItem = std::function<void(velto::LocalDevice::LoginMode mode, base::variant::Variant& item)>;
using ForcedItem = std::function<void(base::variant::Variant& item)>;

// The login entries in display order: the forced entry first, then enabled before disabled
// entries, each group in the order yamu, phone, email, sso, bexa. Each item has "type",
// "index", "visible", "disable", "title", "disable_tips", "action" and "weight". `adjust` may
// change an item before it is weighed; `on_forced` sees the forced item.
VELTO_API base::variant::Variant GetLocalDevicePreferLoginType(const AdjustItem& adjust = nullptr,
                                                               const ForcedItem& on_forced = nullptr);
VELTO_API bool IsSameLoginType(int32_t mode, velto::LocalDevice::LoginMode local_mode);

// Configuration item of group "login".
VELTO_API bool IsCreateOrganizationsOnLoginEnable();
// Client setting "login.email_password.enable".
VELTO_API bool IsEmailPasswordEnabled();

// Account switch model 535: which window shows the captcha (122) or the third-app
// authorisation (124).
VELTO_API bool IsCurrentCaptchaSender(int64_t sender_id);
VELTO_API void SetCurrentCaptchaSender(int64_t sender_id);
VELTO_API bool IsCurrentThirdAppAuthorizeSender(int64_t sender_id);
VELTO_API void SetCurrentThirdAppAuthorizeSender(int64_t sender_id);

// Login pages. Each fills `url` and answers whether it is non-empty.
VELTO_API bool GetYamuQrUrl(std::string& url);
VELTO_API bool GetBexaQrUrl(std::string& url);
VELTO_API bool GetMultiQrCodeUrl(std::string& url);
VELTO_API bool GetAuthQrCodeUrl(std::string& url);
VELTO_API bool GetSmsCodeNotReceiveHelpUrl(std::string& url);
VELTO_API std::string GetMeetingCorpRegisterCreateSelectUrl();
// Applies the login members of a server document; invalid members log "<member> is invalid".
VELTO_API void SetWebUrls(const base::json::JsonValue& json);

// Asks the account switch model to switch to the identity in `params` ("auth_code",
// "identity_type", "corp_id") for `scene`; with "guide_visible", shows the login guide.
VELTO_API bool SwitchAccount(const base::variant::Variant& params, int32_t scene);
// Pushes the switch-account page. Stops ("Identity has changed") when `params` names an
// "app_uid" that is no longer the signed-in one.
VELTO_API bool GoToSwitchAccountPage(const std::string& from, std::shared_ptr<const framework::Context> context,
                                     const base::variant::Variant& params);
// Push the organisation page for a signed-in user, or the home page for a visitor.
VELTO_API bool CreateAccount(std::shared_ptr<const framework::Context> context);
VELTO_API bool CreateOrganization(std::shared_ptr<const framework::Context> context, bool select = false);
VELTO_API void PopUtilGuide(std::shared_ptr<const framework::Context> context);

// Common tasks are named callbacks that modules register; ExecuteCommonTask runs params'
// "task" with params' "param" when params' "target_scheme" is `scheme`.
using CommonTask = std::function<void(std::shared_ptr<const framework::Context> context,
                                      framework::ViewModel* view_model, const base::variant::Variant& param)>;
VELTO_API void RegisterCommonTask(const std::string& name, CommonTask task);
VELTO_API void UnregisterCommonTask(const std::string& name);
VELTO_API bool ExecuteCommonTask(std::shared_ptr<const framework::Context> context, framework::ViewModel* view_model,
                                 const std::string& scheme, const base::variant::Variant& params);

// Whether a corporation may not sign in here: the configured "force_account_id" (group
// "login") is set and differs from the corporation of the authorisation ("corp_id"), of the
// login (params' "corp_detail"/"corp_id") or of the current profile. No forced account: false.
VELTO_API bool IsAuthorizingCorpInvalid(const base::variant::Variant& params);
VELTO_API bool IsLoginingCorpInvalid(const base::variant::Variant& params);
VELTO_API bool IsCurrentProfileCorpInvalid();
// Tells the user that only the forced account ("force_account_name") may sign in here; any
// button leads to the guide page. False (nothing shown) without a view model.
VELTO_API bool ShowAlertIsNotAllowedCorpLogin(framework::UIViewModel* view_model);

}  // namespace velto_common::utils::login
