// Account queries: authorization and profile records, configuration items and client settings.
#include "module_api/account/account_utils.h"

#include <algorithm>
#include <array>

#include "model/auth_data.h"
#include "module_api/analytics.h"
#include "module_api/log.h"
#include "module_api/model/config_reader.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "util/os/registry.h"

namespace velto_common::utils::account {
namespace {

using base::variant::Variant;
using velto::model_id::kAccountSwitchModel;
using velto::model_id::kProfileModel;

namespace cmd {
using velto::model_command::profile::kProfileBasic;  // validity, area code, user type, corporation
using velto::model_command::profile::kAccountState;  // account and pay type, member limit, recycle state
using velto::model_command::account_switch::kActivatingAccount;
}  // namespace cmd

constexpr char kLastAccountSetting[] = "meeeting.login.last.account";
constexpr char kSwitchAccountRedDotPath[] = "home://app.profile.switch_account";

// The maker's own account systems, by application id.
constexpr std::array<const char*, 3> kNordilAppIds = {"200000001", "200000002", "200000003"};

int64_t AccountStateInt(std::string_view key, const base::Location& from = base::Location::Current()) {
  return velto::model::QueryValue<int64_t>(kProfileModel, cmd::kAccountState, nullptr, {key}, -1, from);
}

std::string RecordText(const Variant& record, std::string_view key) {
  return velto::model::Read<std::string>(record, {key}).value_or("");
}

std::string FormatNumber(const Variant& record, const std::string& number_key, bool with_area) {
  std::string text;
  if (with_area && HasValidString(record, "area")) {
    text += '+';
    text += record.GetString("area");
    text += ' ';
  }
  if (HasValidString(record, number_key)) text += record.GetString(number_key);
  return text;
}

}  // namespace

bool IsUserVisitor() {
  return velto::model::Read<int64_t>(internal::QueryAuthData(), {"auth_type"}) == kAuthTypeVisitor;
}

bool IsUserAuthorized() {
  return velto::model::Read<int64_t>(internal::QueryAuthData(), {"auth_state"}) == kAuthStateAuthorized;
}

int64_t GetAccountType() { return AccountStateInt("pay_type"); }

bool IsValidPaidAccount() {
  const Variant state = velto::model::QueryRecord(kProfileModel, cmd::kAccountState);
  const int64_t pay_type = state.GetInteger("pay_type", kPayTypeFree);
  return pay_type != kPayTypeFree && state.GetInteger("pay_status", 0) == kPayStatusValid;
}

bool IsAccountValidMemberShip() {
  const Variant state = velto::model::QueryRecord(kProfileModel, cmd::kAccountState);
  return state.GetInteger("pay_type", kPayTypeFree) == kPayTypeMembership &&
         state.GetInteger("pay_status", 0) == kPayStatusValid;
}

bool IsOrganizationAccount() {
  const int64_t type = AccountStateInt("account_type");
  return type == kAccountTypeOrganization || type == kAccountTypeEducation;
}

bool IsEducateAccount() { return AccountStateInt("account_type") == kAccountTypeEducation; }

bool IsAccountInRecycleResState() {
  const Variant state = velto::model::QueryRecord(kProfileModel, cmd::kAccountState);
  return state.GetInteger("recycle_policy", 0) != 0;
}

std::string GetNickName(const Variant& record) { return RecordText(record, "nick_name"); }
std::string GetCorpName(const Variant& record) { return RecordText(record, "corp_name"); }
std::string GetCorpAvatarUri(const Variant& record) { return RecordText(record, "corp_avatar_uri"); }
std::string GetTagUrl(const Variant& record) { return RecordText(record, "pay_tag_icon_url"); }

bool IsCreateOrganizationsEnable() {
  return velto::model::ReadConfigurationItem("profile", "enable_create_organizations", false);
}

bool IsCreateOrganizationsGuideTipEnableShow() {
  return velto::model::ReadConfigurationItem("profile", "create_organizations_guide_tip_switch", false);
}

bool IsSupportNature() {
  return velto::model::ReadConfigurationItem("core-switch", "meeting_support_nature_request_switch", false);
}

bool IsSupportNatureForNative() {
  return velto::model::ReadConfigurationItem("core-switch", "meeting_support_nature_native_switch", false);
}

bool IsSupportBexaEmail() {
  return util::os::RegistryKeyExists(util::os::RegistryRoot::kCurrentUser, "Software\\Classes\\bexo");
}

bool IsNordilAccount() {
  const std::string app_id = internal::QueryAuthData().GetString("app_id");
  return std::any_of(kNordilAppIds.begin(), kNordilAppIds.end(), [&](const char* id) { return app_id == id; });
}

bool IsIncludeSwitchAccountRedDot(const std::vector<std::string>& paths) {
  static const std::array<std::string_view, 3> kEntries = {
      "home://app.profile.account#", "home://app.profile.account.activate#", kSwitchAccountRedDotPath};
  return std::any_of(paths.begin(), paths.end(), [](const std::string& path) {
    return std::find(kEntries.begin(), kEntries.end(), path) != kEntries.end();
  });
}

std::string GetSwitchAccountRedDotPath(const Variant& identity_list, bool entry_shows_red_dot) {
  if (entry_shows_red_dot) {
    const auto identities = identity_list.Elements();
    const bool any = std::any_of(identities.begin(), identities.end(),
                                 [](const Variant& identity) { return identity.GetBoolean("red_dot"); });
    if (!any) {
      VELTO_LOG(velto::log::kFailure) << "identity list not have red dot but switch_account entry show red dot";
      analytics::LogEvent("e#switch_account_red_dot_error");
    }
  }
  return kSwitchAccountRedDotPath;
}

std::string FormatPhone(const Variant& record, bool with_area) { return FormatNumber(record, "phone", with_area); }

std::string FormatHiddenPhone(const Variant& record, bool with_area) {
  return FormatNumber(record, "hidden_phone", with_area);
}

bool HasValidString(const Variant& record, const std::string& key) {
  const Variant* value = record.Find(key);
  return value && value->IsString() && !value->AsStringView().empty();
}

bool CheckIfLastLogin(int64_t user_type) {
  return velto::model::ReadClientSetting(kLastAccountSetting, int64_t{-1}) == user_type;
}

bool CheckIfSelectCurrentLogin() {
  const auto user_type = velto::model::Read<int64_t>(
      velto::model::QueryRecord(kProfileModel, cmd::kProfileBasic), {"user_type"});
  if (!user_type) {
    VELTO_LOG(velto::log::kFailure) << "query profile failed";
    return false;
  }
  return velto::model::WriteClientSetting(kLastAccountSetting, *user_type);
}

void SetIsActivatingAccount(bool activating) {
  Variant argument = Variant::Map();
  argument["is_setter"] = true;
  argument["is_activating_account"] = activating;
  velto::model::Call(kAccountSwitchModel, cmd::kActivatingAccount, &argument, nullptr);
}

bool GetIsActivatingAccount() {
  Variant argument = Variant::Map();
  argument["is_setter"] = false;
  Variant answer;
  if (!velto::model::Call(kAccountSwitchModel, cmd::kActivatingAccount, &argument, &answer)) return false;
  // The flag comes bare or as {"is_activating_account": flag}.
  if (answer.IsBool()) return answer.AsBoolean();
  if (answer.IsMap()) return answer.GetBoolean("is_activating_account");
  velto::model::LogWrongKind(kAccountSwitchModel, cmd::kActivatingAccount, {}, base::Location::Current());
  return false;
}

}  // namespace velto_common::utils::account
