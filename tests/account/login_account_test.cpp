// Account queries, the login entry order, window markers, switching and common tasks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/navigation.h"
#include "hostkit/platform.h"
#include "hostkit/viewmodel.h"
#include "framework/ui_viewmodel.h"
#include "module_api/account/account_utils.h"
#include "module_api/account/login_utils.h"

namespace account = velto_common::utils::account;
namespace login = velto_common::utils::login;
using base::variant::Variant;
using hostkit::Json;
using Mode = velto::LocalDevice::LoginMode;

namespace {

constexpr int kLoginSupportModel = 10070;

std::vector<int64_t> Types(const Variant& items) {
  std::vector<int64_t> types;
  for (const Variant& item : items.Elements()) types.push_back(item.GetInteger("type", -1));
  return types;
}

hostkit::ScriptedModel& LoginSupport(const char* forced, std::vector<const char*> disabled = {}) {
  auto& model = hostkit::InstallModel(kLoginSupportModel);
  if (forced) model.Answer(3, forced);
  model.Handle(2, [disabled](const Variant& argument, Variant* answer) {
    const std::string key = argument.GetString("key");
    bool off = false;
    for (const char* d : disabled) off = off || key == d;
    *answer = off;
    return true;
  });
  return model;
}

}  // namespace

TEST(LoginPreferOrder, DefaultForcedYamuThenTheVisitingOrder) {
  const Variant items = login::GetLocalDevicePreferLoginType();
  EXPECT_EQ(Types(items), (std::vector<int64_t>{3, 2, 4, 6, 1}));
  const Variant& first = items.At(0);
  EXPECT_EQ(first.GetInteger("weight", -1), 0);
  EXPECT_EQ(first.GetInteger("action"), 1212);
  EXPECT_EQ(items.At(1).GetInteger("action"), 1201);
  EXPECT_EQ(items.At(2).GetInteger("action"), 1227);
  EXPECT_EQ(items.At(3).GetInteger("action"), 1210);
  EXPECT_EQ(items.At(4).GetInteger("action"), 1213);
  EXPECT_EQ(items.At(4).GetInteger("index"), 4);
  EXPECT_TRUE(hostkit::HasLog(6, "GetLocalDevicePreferLoginType -- force type:yamu -- result"));
}

TEST(LoginPreferOrder, ForcedModeFirstDisabledModesLast) {
  LoginSupport("email", {"disable_phone_login", "disable_email_login", "disable_yamu_login"});
  hostkit::SetLocalizedString(1801010, "turned off");
  int forced_calls = 0;
  const Variant items = login::GetLocalDevicePreferLoginType(nullptr, [&](Variant& item) {
    ++forced_calls;
    EXPECT_EQ(item.GetInteger("type"), 4);
    EXPECT_TRUE(item.GetBoolean("disable"));  // still as the deployment said
  });
  EXPECT_EQ(forced_calls, 1);
  // Email is forced (and so enabled); sso and bexa are enabled; yamu and phone are disabled.
  EXPECT_EQ(Types(items), (std::vector<int64_t>{4, 6, 1, 3, 2}));
  EXPECT_FALSE(items.At(0).GetBoolean("disable", true));
  EXPECT_EQ(items.At(0).GetString("disable_tips"), "turned off");  // tip decided before the weighing
  EXPECT_EQ(items.At(3).GetInteger("weight"), 2);
  EXPECT_TRUE(items.At(3).GetBoolean("disable"));
  EXPECT_EQ(items.At(1).GetString("disable_tips"), "");
  EXPECT_EQ(hostkit::FindModel(kLoginSupportModel)->LastArgument(2).GetString("key"), "disable_bexa_login");
}

TEST(LoginPreferOrder, ForcedNamesMapToModesAndUnknownNamesMeanYamu) {
  const std::pair<const char*, int64_t> names[] = {
      {"phone", 2}, {"email", 4}, {"sso", 6}, {"bexa", 1}, {"yamu", 3}, {"wechat", 3}, {"", 3}};
  for (const auto& [name, mode] : names) {
    LoginSupport(name);
    EXPECT_EQ(login::GetLocalDevicePreferLoginType().At(0).GetInteger("type"), mode) << name;
  }
  hostkit::InstallModel(kLoginSupportModel).Answer(3, 6);  // not text
  EXPECT_EQ(login::GetLocalDevicePreferLoginType().At(0).GetInteger("type"), 3);
}

TEST(LoginPreferOrder, AdjustCanShowHideAndBreakTheDisableFlag) {
  LoginSupport("phone");
  const Variant items = login::GetLocalDevicePreferLoginType([](Mode mode, Variant& item) {
    if (mode == Mode::kLoginModeQrCode) item["visible"] = true;
    if (mode == Mode::kLoginModeSso) item["visible"] = false;
    if (mode == Mode::kLoginModeBexa) item["disable"] = "unknown";  // not a bool: weight 3
  });
  EXPECT_EQ(Types(items), (std::vector<int64_t>{2, 3, 4, 7, 1}));
  EXPECT_FALSE(items.At(3).Has("action"));  // the QR entry has no action of its own
  EXPECT_EQ(items.At(3).GetInteger("index"), 5);
  EXPECT_EQ(items.At(4).GetInteger("weight"), 3);
  EXPECT_TRUE(login::IsSameLoginType(7, Mode::kLoginModeQrCode));
  EXPECT_FALSE(login::IsSameLoginType(2, Mode::kLoginModeQrCode));
}

TEST(LoginPreferOrder, AnswersOtherThanBooleansDoNotDisable) {
  auto& model = hostkit::InstallModel(kLoginSupportModel);
  model.Answer(2, "true");
  const Variant items = login::GetLocalDevicePreferLoginType();
  for (const Variant& item : items.Elements()) {
    EXPECT_FALSE(item.GetBoolean("disable", true));
  }
  model.Fail(2);
  EXPECT_EQ(login::GetLocalDevicePreferLoginType().size(), 5u);
}

TEST(AccountQueries, AuthorizationAndProfileRecords) {
  auto& auth = hostkit::InstallModel(504);
  auth.Answer(3, Json(R"({"auth_state": 2, "auth_type": 1, "app_id": "200000002"})"));
  EXPECT_TRUE(account::IsUserAuthorized());
  EXPECT_FALSE(account::IsUserVisitor());
  EXPECT_TRUE(account::IsNordilAccount());
  auth.Answer(3, Json(R"({"auth_state": "2", "auth_type": 2, "app_id": "1"})"));
  EXPECT_FALSE(account::IsUserAuthorized());
  EXPECT_TRUE(account::IsUserVisitor());
  EXPECT_FALSE(account::IsNordilAccount());

  auto& profile = hostkit::InstallModel(537);
  profile.Answer(16, Json(R"({"pay_type": 1, "pay_status": 1, "account_type": 2, "recycle_policy": 0})"));
  EXPECT_EQ(account::GetAccountType(), 1);
  EXPECT_TRUE(account::IsValidPaidAccount());
  EXPECT_TRUE(account::IsAccountValidMemberShip());
  EXPECT_TRUE(account::IsOrganizationAccount());
  EXPECT_TRUE(account::IsEducateAccount());
  EXPECT_FALSE(account::IsAccountInRecycleResState());
  profile.Answer(16, Json(R"({"pay_type": 2, "pay_status": 2, "account_type": 0, "recycle_policy": 1})"));
  EXPECT_FALSE(account::IsValidPaidAccount());
  EXPECT_FALSE(account::IsAccountValidMemberShip());
  EXPECT_FALSE(account::IsOrganizationAccount());
  EXPECT_TRUE(account::IsAccountInRecycleResState());
  profile.Fail(16);
  EXPECT_EQ(account::GetAccountType(), -1);
  EXPECT_FALSE(account::IsValidPaidAccount());
  EXPECT_TRUE(hostkit::HasLog(1, "call 16 of model 537 failed"));
}

TEST(AccountQueries, ConfigurationItemsAndRegistry) {
  auto& entrance = hostkit::InstallModel(539);
  entrance.Handle(1, [](const Variant& argument, Variant* answer) {
    const std::string key = argument.GetString("group_id") + "/" + argument.GetString("id");
    if (key == "profile/enable_create_organizations") *answer = true;
    if (key == "core-switch/meeting_support_nature_request_switch") *answer = 1;  // wrong kind
    if (key == "login/enable_create_organizations_on_login") *answer = true;
    return true;
  });
  EXPECT_TRUE(account::IsCreateOrganizationsEnable());
  EXPECT_FALSE(account::IsCreateOrganizationsGuideTipEnableShow());
  EXPECT_FALSE(account::IsSupportNature());
  EXPECT_FALSE(account::IsSupportNatureForNative());
  EXPECT_TRUE(login::IsCreateOrganizationsOnLoginEnable());

  EXPECT_FALSE(account::IsSupportBexaEmail());
  hostkit::SetRegistryValue(util::os::RegistryRoot::kCurrentUser, "Software\\Classes\\bexo");
  EXPECT_TRUE(account::IsSupportBexaEmail());
}

TEST(AccountRecords, PhoneFormattingAndRecordFields) {
  const Variant full = Json(R"({"area": "86", "phone": "13800000000", "hidden_phone": "138****0000"})");
  EXPECT_EQ(account::FormatPhone(full), "+86 13800000000");
  EXPECT_EQ(account::FormatHiddenPhone(full), "+86 138****0000");
  EXPECT_EQ(account::FormatPhone(full, false), "13800000000");
  EXPECT_EQ(account::FormatPhone(Json(R"({"area": "", "phone": "5551234"})")), "5551234");
  EXPECT_EQ(account::FormatPhone(Json(R"({"area": 86, "phone": "5551234"})")), "5551234");
  EXPECT_EQ(account::FormatPhone(Json(R"({"area": "1"})")), "+1 ");
  EXPECT_EQ(account::FormatPhone(Json("[1]")), "");
  EXPECT_FALSE(account::HasValidString(Json(R"({"k": ""})"), "k"));
  EXPECT_FALSE(account::HasValidString(Json(R"({"k": 1})"), "k"));

  const Variant record = Json(R"({"nick_name": "Ann", "corp_name": 3, "pay_tag_icon_url": "https://i/x.png"})");
  EXPECT_EQ(account::GetNickName(record), "Ann");
  EXPECT_EQ(account::GetCorpName(record), "");
  EXPECT_EQ(account::GetCorpAvatarUri(record), "");
  EXPECT_EQ(account::GetTagUrl(record), "https://i/x.png");
}

TEST(AccountRedDot, SwitchAccountEntriesAndTheMismatchReport) {
  EXPECT_TRUE(account::IsIncludeSwitchAccountRedDot({"home://app.profile.switch_account"}));
  EXPECT_TRUE(account::IsIncludeSwitchAccountRedDot({"x", "home://app.profile.account.activate#"}));
  EXPECT_FALSE(account::IsIncludeSwitchAccountRedDot({"home://app.profile.account", "x"}));
  EXPECT_FALSE(account::IsIncludeSwitchAccountRedDot({}));

  EXPECT_EQ(account::GetSwitchAccountRedDotPath(Json(R"([{"red_dot": true}])"), true),
            "home://app.profile.switch_account");
  EXPECT_EQ(hostkit::CountAnalytics("e#switch_account_red_dot_error"), 0u);
  account::GetSwitchAccountRedDotPath(Json(R"([{"red_dot": false}, {}])"), true);
  EXPECT_EQ(hostkit::CountAnalytics("e#switch_account_red_dot_error"), 1u);
  EXPECT_TRUE(hostkit::HasLog(1, "identity list not have red dot but switch_account entry show red dot"));
  account::GetSwitchAccountRedDotPath(Json("[]"), false);
  EXPECT_EQ(hostkit::CountAnalytics("e#switch_account_red_dot_error"), 1u);
}

TEST(AccountSettings, LastLoginAndActivatingFlag) {
  auto& config = hostkit::InstallModel(517);
  Variant stored;
  config.Handle(2, [&](const Variant& argument, Variant*) {
    stored = argument.Get("meeeting.login.last.account");
    return true;
  });
  config.Handle(1, [&](const Variant& argument, Variant* answer) {
    EXPECT_EQ(argument.GetString("key"), "meeeting.login.last.account");
    *answer = stored.IsNull() ? argument.Get("def_value") : stored;
    return true;
  });
  EXPECT_FALSE(account::CheckIfLastLogin(1));
  EXPECT_FALSE(account::CheckIfSelectCurrentLogin());  // no profile yet
  hostkit::InstallModel(537).Answer(12, Json(R"({"user_type": 1})"));
  EXPECT_TRUE(account::CheckIfSelectCurrentLogin());
  EXPECT_TRUE(account::CheckIfLastLogin(1));
  EXPECT_FALSE(account::CheckIfLastLogin(2));

  auto& switcher = hostkit::InstallModel(535);
  switcher.Answer(106, true);
  account::SetIsActivatingAccount(true);
  EXPECT_TRUE(switcher.LastArgument(106).GetBoolean("is_setter"));
  EXPECT_TRUE(switcher.LastArgument(106).GetBoolean("is_activating_account"));
  EXPECT_TRUE(account::GetIsActivatingAccount());
  EXPECT_FALSE(switcher.LastArgument(106).GetBoolean("is_setter", true));
}

TEST(LoginMarkers, CaptchaAndAuthorizeSendersAskCommands122And124) {
  auto& switcher = hostkit::InstallModel(535);
  switcher.Answer(122, true).Answer(124, false);
  EXPECT_TRUE(login::IsCurrentCaptchaSender(42));
  EXPECT_EQ(switcher.LastArgument(122).GetInteger("current_captcha_sender"), 42);
  EXPECT_FALSE(switcher.LastArgument(122).GetBoolean("is_setter", true));
  login::SetCurrentCaptchaSender(43);
  EXPECT_TRUE(switcher.LastArgument(122).GetBoolean("is_setter"));
  EXPECT_FALSE(login::IsCurrentThirdAppAuthorizeSender(7));
  login::SetCurrentThirdAppAuthorizeSender(8);
  EXPECT_EQ(switcher.LastArgument(124).GetInteger("current_authorize_sender"), 8);
  switcher.Answer(122, "yes");
  EXPECT_FALSE(login::IsCurrentCaptchaSender(42));

  hostkit::InstallModel(517).Answer(3, true);
  EXPECT_TRUE(login::IsEmailPasswordEnabled());
  EXPECT_EQ(hostkit::FindModel(517)->CallCount(3), 1u);
}

TEST(LoginNavigation, SwitchAccountAndItsPages) {
  auto& switcher = hostkit::InstallModel(535);
  switcher.Succeed(101);
  const Variant params =
      Json(R"({"auth_code": "ac-S3CRET", "identity_type": 2, "corp_id": "corp", "guide_visible": true})");
  EXPECT_TRUE(login::SwitchAccount(params, 5));
  const Variant sent = switcher.LastArgument(101);
  EXPECT_EQ(sent.GetString("corp_id"), "corp");
  EXPECT_EQ(sent.GetInteger("switch_scene"), 5);
  EXPECT_TRUE(hostkit::HasLog(6, "[login-module] switch param"));
  ASSERT_EQ(hostkit::Navigations().size(), 1u);
  EXPECT_EQ(hostkit::Navigations()[0].page, "velto://page/guide");

  hostkit::ClearNavigations();
  auto context = std::make_shared<framework::Context>(9);
  hostkit::InstallModel(504).Answer(3, Json(R"({"app_uid": "me", "auth_state": 2})"));
  EXPECT_FALSE(login::GoToSwitchAccountPage("menu", context, Json(R"({"app_uid": "someone else"})")));
  EXPECT_TRUE(hostkit::HasLog(4, "Identity has changed"));
  EXPECT_TRUE(login::GoToSwitchAccountPage(
      "menu", context, Json(R"({"app_uid": "me", "enable_create_organizations": true, "create_org_limit_tip": "t"})")));
  ASSERT_EQ(hostkit::Navigations().size(), 1u);
  EXPECT_EQ(hostkit::Navigations()[0].page, "velto://page/profile/switch_account");
  EXPECT_EQ(hostkit::Navigations()[0].arguments.GetInteger("org_button_type"), 2);
  EXPECT_TRUE(hostkit::HasLog(6, "can_change_identity is false enable_create_org is true org_button_type is 2"));

  hostkit::ClearNavigations();
  hostkit::InstallModel(537).Answer(12, Json(R"({"is_phone_bound": false})"));
  EXPECT_TRUE(login::CreateOrganization(context));
  const Variant& args = hostkit::Navigations().back().arguments;
  EXPECT_EQ(hostkit::Navigations().back().page, "velto://page/profile/create_organization");
  EXPECT_EQ(args.GetString("url"), account::GetMeetingCorpCreateWithBindPhoneUrl());
  for (const char* key : {"is_from_qt", "default_width", "default_height", "select", "window_translucent",
                          "block_auto_pop_on_unauthorized", "dispatcher_priority"}) {
    EXPECT_TRUE(args.Has(key)) << key;
  }
  EXPECT_TRUE(hostkit::HasLog(6, "is_phone_bound = false"));
  hostkit::InstallModel(504).Answer(3, Json(R"({"auth_state": 0})"));
  EXPECT_FALSE(login::CreateAccount(context));
  EXPECT_EQ(hostkit::Navigations().back().page, "velto://page/home");
  login::PopUtilGuide(context);
  EXPECT_EQ(hostkit::Navigations().back().page, "velto://page/login/guide_desktop");
}

TEST(LoginCommonTasks, RunOnlyForTheirTargetScheme) {
  std::vector<std::string> ran;
  login::RegisterCommonTask("open_settings", [&](std::shared_ptr<const framework::Context>, framework::ViewModel*,
                                                 const Variant& param) { ran.push_back(param.GetString("tab")); });
  const Variant params = Json(R"({"target_scheme": "velto://page/home", "task": "open_settings", "param": {"tab": "audio"}})");
  EXPECT_FALSE(login::ExecuteCommonTask(nullptr, nullptr, "velto://page/other", params));
  EXPECT_TRUE(hostkit::HasLog(6, "not match target and return"));
  EXPECT_TRUE(login::ExecuteCommonTask(nullptr, nullptr, "velto://page/home", params));
  EXPECT_EQ(ran, std::vector<std::string>{"audio"});
  EXPECT_TRUE(hostkit::HasLog(6, "do common task: open_settings"));
  login::UnregisterCommonTask("open_settings");
  EXPECT_FALSE(login::ExecuteCommonTask(nullptr, nullptr, "velto://page/home", params));
  EXPECT_TRUE(hostkit::HasLog(3, "task is null"));
}

TEST(LoginCorpLimits, OnlyAForcedAccountRefusesOtherCorporations) {
  auto& entrance = hostkit::InstallModel(539);
  entrance.Answer(1, "");
  EXPECT_FALSE(login::IsAuthorizingCorpInvalid(Json(R"({"corp_id": "a"})")));
  entrance.Answer(1, "forced");
  EXPECT_TRUE(login::IsAuthorizingCorpInvalid(Json(R"({"corp_id": "a"})")));
  EXPECT_FALSE(login::IsAuthorizingCorpInvalid(Json(R"({"corp_id": "forced"})")));
  EXPECT_FALSE(login::IsLoginingCorpInvalid(Json(R"({"corp_detail": {"corp_id": "forced"}})")));
  EXPECT_TRUE(login::IsLoginingCorpInvalid(Json(R"({"corp_id": "forced"})")));
  EXPECT_FALSE(login::IsCurrentProfileCorpInvalid());
  EXPECT_TRUE(hostkit::HasLog(1, "query profile failed"));
  hostkit::InstallModel(537).Answer(12, Json(R"({"corp_id": "other"})"));
  EXPECT_TRUE(login::IsCurrentProfileCorpInvalid());
}

TEST(LoginCorpLimits, NotAllowedAlertNamesTheForcedAccountAndLeadsToTheGuide) {
  EXPECT_FALSE(login::ShowAlertIsNotAllowedCorpLogin(nullptr));
  hostkit::InstallModel(539).Handle(1, [](const Variant& argument, Variant* answer) {
    if (argument.GetString("id") == "force_account_name") *answer = "Acme";
    return true;
  });
  hostkit::SetLocalizedString(1801012, "only {name} here");
  framework::UIViewModel view_model;
  auto context = std::make_shared<framework::Context>(12);
  ASSERT_TRUE(hostkit::AttachViewModel(view_model, context));
  EXPECT_TRUE(login::ShowAlertIsNotAllowedCorpLogin(&view_model));
  const hostkit::AlertRecord* alert = hostkit::LastAlert();
  ASSERT_NE(alert, nullptr);
  EXPECT_EQ(alert->content, "only Acme here");
  EXPECT_TRUE(hostkit::Navigations().empty());
  ASSERT_TRUE(hostkit::PressAlertButton(alert->id, framework::AlertButton::kPositive));
  ASSERT_EQ(hostkit::Navigations().size(), 1u);
  EXPECT_EQ(hostkit::Navigations()[0].kind, hostkit::NavigationKind::kPushWithClosingOthers);
  EXPECT_EQ(hostkit::Navigations()[0].page, "velto://page/guide");
  EXPECT_EQ(hostkit::Navigations()[0].view_ref, 12);
  hostkit::DetachViewModel(view_model);
}
