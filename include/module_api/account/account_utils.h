// Questions about the signed-in account and the addresses of the account pages.
//
//   if (velto_common::utils::account::IsUserAuthorized() &&
//       velto_common::utils::account::IsOrganizationAccount()) { ... }
//   std::string appeal = velto_common::utils::account::makeAppealURL(code);
//
// Queries ask the authorization model (504) and the profile model (537) afresh on every call;
// failures give false, -1 or "" and a level-1 record. Account pages use the page slots of
// web_util.h: they follow the user web host, and the server replaces them through SetWebUrls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/json/json_value.h"
#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto_common::utils::account {

// "auth_state" of the authorization record.
inline constexpr int64_t kAuthStateAuthorized = 2;
// "auth_type" of a visitor (a guest without an account).
inline constexpr int64_t kAuthTypeVisitor = 2;
// "pay_type" of the profile: 0 free, 1 personal membership, 2 business, 3 enterprise.
inline constexpr int64_t kPayTypeFree = 0;
inline constexpr int64_t kPayTypeMembership = 1;
// "pay_status" of a payment in force.
inline constexpr int64_t kPayStatusValid = 1;
// "account_type" of the profile: 0 personal, 1 organization, 2 education organization.
inline constexpr int64_t kAccountTypeOrganization = 1;
inline constexpr int64_t kAccountTypeEducation = 2;

// Authorization model 504, kCallFuncQueryAuthData: "auth_type" is a visitor's; "auth_state" is
// authorized.
VELTO_API bool IsUserVisitor();
VELTO_API bool IsUserAuthorized();
// The profile's "pay_type"; -1 when unknown.
VELTO_API int64_t GetAccountType();
// Any paid type with its payment in force.
VELTO_API bool IsValidPaidAccount();
// A personal membership with its payment in force.
VELTO_API bool IsAccountValidMemberShip();
// Organization accounts include education organizations.
VELTO_API bool IsOrganizationAccount();
VELTO_API bool IsEducateAccount();
// A non-zero "recycle_policy": the account's resources are being reclaimed.
VELTO_API bool IsAccountInRecycleResState();

// Fields of a given profile or identity record; "" when absent or not text.
VELTO_API std::string GetNickName(const base::variant::Variant& record);
VELTO_API std::string GetCorpName(const base::variant::Variant& record);
VELTO_API std::string GetCorpAvatarUri(const base::variant::Variant& record);
VELTO_API std::string GetTagUrl(const base::variant::Variant& record);

// Configuration items (group "profile", "core-switch").
VELTO_API bool IsCreateOrganizationsEnable();
VELTO_API bool IsCreateOrganizationsGuideTipEnableShow();
VELTO_API bool IsSupportNature();
VELTO_API bool IsSupportNatureForNative();
// Whether the mail client registered its URL scheme; never on this platform.
VELTO_API bool IsSupportBexaEmail();
// Whether the own app id belongs to one of the maker's account systems.
VELTO_API bool IsNordilAccount();

// True when the red-dot paths hold one of the account or switch-account entries.
VELTO_API bool IsIncludeSwitchAccountRedDot(const std::vector<std::string>& paths);
// The switch-account red-dot path. When the entry shows a red dot but no identity of
// `identity_list` has "red_dot", the mismatch is logged and reported
// ("e#switch_account_red_dot_error").
VELTO_API std::string GetSwitchAccountRedDotPath(const base::variant::Variant& identity_list = {},
                                                 bool entry_shows_red_dot = false);

// "+" area " " phone (or hidden_phone); without a valid "area", or with `with_area` false, the
// number alone.
VELTO_API std::string FormatPhone(const base::variant::Variant& record, bool with_area = true);
VELTO_API std::string FormatHiddenPhone(const base::variant::Variant& record, bool with_area = true);
// True when record[key] is a non-empty string.
VELTO_API bool HasValidString(const base::variant::Variant& record, const std::string& key);

// The last signed-in account type (client setting "meeeting.login.last.account").
// CheckIfLastLogin: whether `user_type` is the one stored. CheckIfSelectCurrentLogin: stores the
// profile's current "user_type"; false when the profile cannot tell it.
VELTO_API bool CheckIfLastLogin(int64_t user_type);
VELTO_API bool CheckIfSelectCurrentLogin();

// Account switch model 535, command 106.
VELTO_API void SetIsActivatingAccount(bool activating);
VELTO_API bool GetIsActivatingAccount();

// Account page addresses.
VELTO_API std::string makeAppealURL(const std::string& code);
VELTO_API std::string makeAccountRiskVerifyURL(const std::string& opera_type, const std::string& attestation_code,
                                               int64_t expire_time);
VELTO_API std::string makeAccountLoginDeviceVerifyURL(const std::string& code, const std::string& login_mode,
                                                      const std::string& instance_id);
VELTO_API std::string GenerateSafetyVerifyUrl(const std::string& code, const std::string& action_code,
                                              const std::string& instance_id, const std::string& business_id);

VELTO_API std::string GetMeetingCorpCreateUrl();
VELTO_API void SetMeetingCorpCreateUrl(const std::string& url);
VELTO_API std::string GetMeetingCorpCreateWithBindPhoneUrl();
VELTO_API std::string GetMeetingCorpCreateWithSelectUrl();
VELTO_API std::string GetMeetingCorpCertifyUrl();
VELTO_API std::string GetMeetingCorpSupplementInfoUrl();
VELTO_API std::string GetCorpActiveUrl();
VELTO_API std::string GetDissolveOrganizationWebUrl();
// Applies the account members of a server document; invalid members log "<member> is invalid".
VELTO_API void SetWebUrls(const base::json::JsonValue& json);

}  // namespace velto_common::utils::account
