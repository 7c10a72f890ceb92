// Account and login questions and actions against the authorization (504), profile (537),
// account switch (535) and login support (10070) models, configuration items and client
// settings: good answers, a missing model, a failing call and every wrong kind of answer.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ui_viewmodel.h"
#include "hostkit/navigation.h"
#include "hostkit/viewmodel.h"
#include "module_api/account/account_utils.h"
#include "module_api/account/login_utils.h"
#include "module_api/model_ids.h"
#include "query_table.h"

namespace {

namespace account = velto_common::utils::account;
namespace login = velto_common::utils::login;
namespace id = velto::model_id;
using hostkit::Json;
using hostkit::MeetingFixture;
using namespace query_table;

constexpr int kQueryAuthData = 3;
constexpr int kAccountState = 16;
constexpr int kProfileBasic = 12;
constexpr int kActivatingAccount = 106;
constexpr int kSwitchAccount = 101;
constexpr int kCaptchaSender = 122;
constexpr int kAuthorizeSender = 124;
constexpr int kLoginSupportModel = 10070;
constexpr int kForcedLoginName = 3;

// The authorization and profile records are read key by key with defaults.
Source Auth(const char* record) { return Flat(Answered(id::kAuthorizationModel, kQueryAuthData, Json(record))); }
Source AccountState(const char* record) { return Flat(Answered(id::kProfileModel, kAccountState, Json(record))); }
Source Profile(const char* record) { return Flat(Answered(id::kProfileModel, kProfileBasic, Json(record))); }

std::shared_ptr<const framework::Context> Window() { return std::make_shared<framework::Context>(7, "window"); }

std::string LastPage() {
  const auto& navigations = hostkit::Navigations();
  return navigations.empty() ? std::string("none") : navigations.back().page;
}

std::vector<Row> AccountRows() {
  const Variant record = Json(R"({"nick_name": "Nia", "corp_name": "Acme", "corp_avatar_uri": "avatar://1",
                                  "pay_tag_icon_url": "https://tag.example/1.png", "area": "86", "phone": "1380000",
                                  "hidden_phone": "138****"})");
  Source activating =
      Flat(Answered(id::kAccountSwitchModel, kActivatingAccount, Json(R"({"is_activating_account": true})")));
  activating.right_kinds = {Variant::Kind::kBool};  // the flag may come bare
  return {
      {"IsUserVisitor", Auth(R"({"auth_type": 2})"), [] { return Text(account::IsUserVisitor()); }, "true", "false"},
      {"IsUserAuthorized", Auth(R"({"auth_state": 2})"), [] { return Text(account::IsUserAuthorized()); }, "true",
       "false"},
      {"IsNordilAccount", Auth(R"({"app_id": "200000002"})"), [] { return Text(account::IsNordilAccount()); }, "true",
       "false"},
      {"GetAccountType", AccountState(R"({"pay_type": 2})"), [] { return Text(account::GetAccountType()); }, "2", "-1"},
      {"IsValidPaidAccount", AccountState(R"({"pay_type": 2, "pay_status": 1})"),
       [] { return Text(account::IsValidPaidAccount()); }, "true", "false"},
      {"IsAccountValidMemberShip", AccountState(R"({"pay_type": 1, "pay_status": 1})"),
       [] { return Text(account::IsAccountValidMemberShip()); }, "true", "false"},
      {"IsOrganizationAccount", AccountState(R"({"account_type": 1})"),
       [] { return Text(account::IsOrganizationAccount()); }, "true", "false"},
      {"IsEducateAccount", AccountState(R"({"account_type": 2})"), [] { return Text(account::IsEducateAccount()); },
       "true", "false"},
      {"IsAccountInRecycleResState", AccountState(R"({"recycle_policy": 1})"),
       [] { return Text(account::IsAccountInRecycleResState()); }, "true", "false"},
      {"IsCreateOrganizationsEnable", ConfigurationItem("profile", "enable_create_organizations", true),
       [] { return Text(account::IsCreateOrganizationsEnable()); }, "true", "false"},
      {"IsCreateOrganizationsGuideTipEnableShow",
       ConfigurationItem("profile", "create_organizations_guide_tip_switch", true),
       [] { return Text(account::IsCreateOrganizationsGuideTipEnableShow()); }, "true", "false"},
      {"IsSupportNature", ConfigurationItem("core-switch", "meeting_support_nature_request_switch", true),
       [] { return Text(account::IsSupportNature()); }, "true", "false"},
      {"IsSupportNatureForNative", ConfigurationItem("core-switch", "meeting_support_nature_native_switch", true),
       [] { return Text(account::IsSupportNatureForNative()); }, "true", "false"},
      {"CheckIfLastLogin", ClientSetting("meeeting.login.last.account", 3),
       [] { return Text(account::CheckIfLastLogin(3)); }, "true", "false"},
      {"CheckIfSelectCurrentLogin", Profile(R"({"user_type": 4})"),
       [] {
         const std::string result = Text(account::CheckIfSelectCurrentLogin());
         return result + " " + LastArgument(id::kConfigurationModel, 2);
       },
       R"(true {"meeeting.login.last.account":4})", "false none"},
      {"SetIsActivatingAccount", CallResult(id::kAccountSwitchModel, kActivatingAccount, true),
       [] {
         account::SetIsActivatingAccount(true);
         return LastArgument(id::kAccountSwitchModel, kActivatingAccount);
       },
       R"({"is_setter":true,"is_activating_account":true})", "none",
       R"({"is_setter":true,"is_activating_account":true})"},
      {"GetIsActivatingAccount", activating, [] { return Text(account::GetIsActivatingAccount()); }, "true", "false"},
      {"GetNickName", None(), [record] { return account::GetNickName(record); }, "Nia", ""},
      {"GetCorpName", None(), [record] { return account::GetCorpName(record); }, "Acme", ""},
      {"GetCorpAvatarUri", None(), [record] { return account::GetCorpAvatarUri(record); }, "avatar://1", ""},
      {"GetTagUrl", None(), [record] { return account::GetTagUrl(record); }, "https://tag.example/1.png", ""},
      {"FormatPhone", None(), [record] { return account::FormatPhone(record); }, "+86 1380000", ""},
      {"FormatHiddenPhone", None(), [record] { return account::FormatHiddenPhone(record, false); }, "138****", ""},
      {"HasValidString", None(),
       [record] { return Text(account::HasValidString(record, "area")) + Text(account::HasValidString(record, "x")); },
       "truefalse", ""},
      {"IsSupportBexaEmail", None(), [] { return Text(account::IsSupportBexaEmail()); }, "false", ""},
      {"IsIncludeSwitchAccountRedDot", None(),
       [] { return Text(account::IsIncludeSwitchAccountRedDot({"other", "home://app.profile.switch_account"})); },
       "true", ""},
      {"GetSwitchAccountRedDotPath", None(),
       [] {
         const std::string path = account::GetSwitchAccountRedDotPath(Json(R"([{"red_dot": false}])"), true);
         const size_t reports = hostkit::CountAnalytics("e#switch_account_red_dot_error");
         return path + " " + Text(static_cast<unsigned long>(reports));
       },
       "home://app.profile.switch_account 1", ""},
      {"makeAppealURL", None(), [] { return account::makeAppealURL("A1"); },
       "https://meeting.velto.example/v2/unblock-login?appeal_code=A1", ""},
      {"makeAccountRiskVerifyURL", None(), [] { return account::makeAccountRiskVerifyURL("1", "c", 30); },
       "https://meeting.velto.example/v2/account-risk-verify?opera_type=1&attestation_code=c"
       "&verify_code_expire_time=30",
       ""},
      {"makeAccountLoginDeviceVerifyURL", None(),
       [] { return account::makeAccountLoginDeviceVerifyURL("v", "2", "i"); },
       "https://meeting.velto.example/?verify_code=v&login_mode=2&instance_id=i", ""},
      {"GenerateSafetyVerifyUrl", None(), [] { return account::GenerateSafetyVerifyUrl("v", "a", "i", "b"); },
       "https://meeting.velto.example/?verify_code=v&action_code=a&instance_id=i&businessId=b", ""},
  };
}

std::vector<Row> LoginRows() {
  // The login support model may be absent: the forced entry is then the default one.
  Source forced = Answered(kLoginSupportModel, kForcedLoginName, "phone", 5, false);
  const Variant other_corp = Json(R"({"corp_id": "c-2", "corp_detail": {"corp_id": "c-2"}})");
  const Source forced_corp = ConfigurationItem("login", "force_account_id", "c-1", 5);
  return {
      {"GetLocalDevicePreferLoginType", forced,
       [] {
         const Variant items = login::GetLocalDevicePreferLoginType();
         return Text(items.size()) + " " + Text(items.At(0).GetInt32("type"));
       },
       "5 2", "5 3"},
      {"IsSameLoginType", None(),
       [] { return Text(login::IsSameLoginType(4, velto::LocalDevice::kLoginModeEmail)); }, "true", ""},
      {"IsCreateOrganizationsOnLoginEnable", ConfigurationItem("login", "enable_create_organizations_on_login", true),
       [] { return Text(login::IsCreateOrganizationsOnLoginEnable()); }, "true", "false"},
      {"IsEmailPasswordEnabled", ClientSetting("login.email_password.enable", true, 3),
       [] { return Text(login::IsEmailPasswordEnabled()); }, "true", "false"},
      {"IsCurrentCaptchaSender", Answered(id::kAccountSwitchModel, kCaptchaSender, true),
       [] { return Text(login::IsCurrentCaptchaSender(5)); }, "true", "false"},
      {"SetCurrentCaptchaSender", CallResult(id::kAccountSwitchModel, kCaptchaSender, true),
       [] {
         login::SetCurrentCaptchaSender(5);
         return LastArgument(id::kAccountSwitchModel, kCaptchaSender);
       },
       R"({"current_captcha_sender":5,"is_setter":true})", "none", R"({"current_captcha_sender":5,"is_setter":true})"},
      {"IsCurrentThirdAppAuthorizeSender", Answered(id::kAccountSwitchModel, kAuthorizeSender, true),
       [] { return Text(login::IsCurrentThirdAppAuthorizeSender(6)); }, "true", "false"},
      {"SetCurrentThirdAppAuthorizeSender", CallResult(id::kAccountSwitchModel, kAuthorizeSender, true),
       [] {
         login::SetCurrentThirdAppAuthorizeSender(6);
         return LastArgument(id::kAccountSwitchModel, kAuthorizeSender);
       },
       R"({"current_authorize_sender":6,"is_setter":true})", "none",
       R"({"current_authorize_sender":6,"is_setter":true})"},
      {"SwitchAccount", CallResult(id::kAccountSwitchModel, kSwitchAccount, true),
       [] {
         const std::string result = Text(login::SwitchAccount(Json(R"({"auth_code": "x", "guide_visible": true})"), 2));
         return result + " " + LastPage();
       },
       "true velto://page/guide", "false none"},
      // An identity that cannot be confirmed is treated as changed: nothing is pushed.
      {"GoToSwitchAccountPage", Auth(R"({"app_uid": "a-1"})"),
       [] {
         const std::string result = Text(login::GoToSwitchAccountPage("menu", Window(), Json(R"({"app_uid": "a-1"})")));
         return result + " " + LastPage();
       },
       "true velto://page/profile/switch_account", "false none"},
      // Without an authorized user both lead home.
      {"CreateOrganization", Auth(R"({"auth_state": 2})"),
       [] {
         const std::string result = Text(login::CreateOrganization(Window()));
         return result + " " + LastPage();
       },
       "true velto://page/profile/create_organization", "false velto://page/home"},
      {"CreateAccount", Auth(R"({"auth_state": 2})"), [] {
         const std::string result = Text(login::CreateAccount(Window()));
         return result + " " + LastPage();
       },
       "true velto://page/profile/create_organization", "false velto://page/home"},
      {"PopUtilGuide", None(),
       [] {
         login::PopUtilGuide(Window());
         return LastPage();
       },
       "velto://page/login/guide_desktop", ""},
      {"IsAuthorizingCorpInvalid", forced_corp,
       [other_corp] { return Text(login::IsAuthorizingCorpInvalid(other_corp)); },
       "true", "false"},
      {"IsLoginingCorpInvalid", forced_corp, [other_corp] { return Text(login::IsLoginingCorpInvalid(other_corp)); },
       "true", "false"},
      {"IsCurrentProfileCorpInvalid",
       With(Profile(R"({"corp_id": "c-2"})"),
            [](MeetingFixture& meeting) { meeting.SetConfigurationItem("login", "force_account_id", "c-1"); }),
       // A profile without a corporation is not the forced one's.
       [] { return Text(login::IsCurrentProfileCorpInvalid()); }, "true", "false", "=", "=", "true"},
      // The alert still tells the user, naming no account when the name cannot be read.
      {"ShowAlertIsNotAllowedCorpLogin", ConfigurationItem("login", "force_account_name", "Acme", 5),
       [] {
         framework::UIViewModel view_model;
         const bool shown = login::ShowAlertIsNotAllowedCorpLogin(&view_model);
         const hostkit::AlertRecord* alert = hostkit::LastAlert();
         const bool named = alert && alert->content.find("Acme") != std::string::npos;
         return Text(shown) + " " + Text(named);
       },
       "true true", "true false"},
      {"RegisterCommonTask", None(),
       [] {
         std::string ran = "not run";
         login::RegisterCommonTask("t", [&ran](auto, auto*, const Variant& param) { ran = param.AsStr(); });
         login::ExecuteCommonTask(Window(), nullptr, "s", Json(R"({"target_scheme": "s", "task": "t", "param": "p"})"));
         login::UnregisterCommonTask("t");
         return ran;
       },
       "p", ""},
      {"UnregisterCommonTask", None(),
       [] {
         login::RegisterCommonTask("t", [](auto, auto*, const Variant&) {});
         login::UnregisterCommonTask("t");
         return Text(login::ExecuteCommonTask(Window(), nullptr, "s", Json(R"({"target_scheme": "s", "task": "t"})")));
       },
       "false", ""},
      {"ExecuteCommonTask", None(),
       [] {
         login::RegisterCommonTask("t", [](auto, auto*, const Variant&) {});
         const bool other_scheme =
             login::ExecuteCommonTask(Window(), nullptr, "s", Json(R"({"target_scheme": "o", "task": "t"})"));
         login::UnregisterCommonTask("t");
         return Text(other_scheme);
       },
       "false", ""},
  };
}

QUERY_TABLE_TEST(AccountQueryTable, AccountStateProfileAndPages, "account", AccountRows)

QUERY_TABLE_TEST(LoginQueryTable, EntriesMarkersSwitchingAndCorporateLimits, "login", LoginRows)

}  // namespace
