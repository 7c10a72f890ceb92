// Login pages, window markers, account switching, common tasks and corporate sign-in limits.
#include "module_api/account/login_utils.h"

#include <map>

#include "model/auth_data.h"
#include "framework/module/navigator.h"
#include "framework/ui_viewmodel.h"
#include "module_api/account/account_utils.h"
#include "module_api/log.h"
#include "module_api/model/config_reader.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "utils/web/web_page_slots.h"
#include "utils/web/web_url_config.h"

namespace velto_common::utils::login {
namespace {

using base::variant::Variant;
using framework::PageStack;
using framework::module::Navigator;
using velto::model_id::kAccountSwitchModel;
using velto::model_id::kProfileModel;
using web::internal::Page;

namespace cmd {
using velto::model_command::account_switch::kSwitchAccount;
using velto::model_command::account_switch::kCaptchaSender;
using velto::model_command::account_switch::kThirdAppAuthorizeSender;
using velto::model_command::profile::kProfileBasic;
}  // namespace cmd

// Resource string ids (resources/strings/login.json).
constexpr int kCorpNotAllowedTitle = 1801011;
constexpr int kCorpNotAllowedContent = 1801012;  // "{name}": the forced account
constexpr int kCorpNotAllowedButton = 1801013;

bool FillUrl(std::string& url, std::string value) {
  url = std::move(value);
  return !url.empty();
}

bool AskSender(int command, const char* key, int64_t sender_id, bool setter) {
  Variant argument = Variant::Map();
  argument[key] = sender_id;
  argument["is_setter"] = setter;
  if (setter) return velto::model::Call(kAccountSwitchModel, command, &argument, nullptr);
  return velto::model::QueryValue<bool>(kAccountSwitchModel, command, &argument, {}, false);
}

std::string ForcedCorpId() { return velto::model::ReadConfigurationItem("login", "force_account_id", ""); }

// A corporation is refused only while an account is forced and it is another one.
bool IsCorpRefused(const std::string& corp_id) {
  const std::string forced = ForcedCorpId();
  if (forced.empty()) return false;
  VELTO_LOG(velto::log::kTrace) << "forced corp: " << forced << " corp: " << corp_id;
  return corp_id != forced;
}

std::map<std::string, CommonTask>& CommonTasks() {
  static auto* tasks = new std::map<std::string, CommonTask>();
  return *tasks;
}

Variant CreateOrganizationArguments(bool select, bool phone_bound) {
  Variant arguments = Variant::Map();
  arguments["is_from_qt"] = false;
  arguments["default_width"] = 960;
  arguments["default_height"] = 640;
  arguments["select"] = select;
  arguments["window_translucent"] = true;
  arguments["block_auto_pop_on_unauthorized"] = true;
  arguments["dispatcher_priority"] = 1;
  // Without a bound phone the web page first asks for one.
  arguments["url"] = !phone_bound ? account::GetMeetingCorpCreateWithBindPhoneUrl()
                     : select     ? account::GetMeetingCorpCreateWithSelectUrl()
                                  : account::GetMeetingCorpCreateUrl();
  return arguments;
}

}  // namespace

bool IsCreateOrganizationsOnLoginEnable() {
  return velto::model::ReadConfigurationItem("login", "enable_create_organizations_on_login", false);
}

bool IsEmailPasswordEnabled() {
  return velto::model::ReadClientSetting("login.email_password.enable", false, velto::model::kClientSettingReadAlt);
}

bool IsCurrentCaptchaSender(int64_t sender_id) {
  return AskSender(cmd::kCaptchaSender, "current_captcha_sender", sender_id, false);
}

void SetCurrentCaptchaSender(int64_t sender_id) {
  AskSender(cmd::kCaptchaSender, "current_captcha_sender", sender_id, true);
}

bool IsCurrentThirdAppAuthorizeSender(int64_t sender_id) {
  return AskSender(cmd::kThirdAppAuthorizeSender, "current_authorize_sender", sender_id, false);
}

void SetCurrentThirdAppAuthorizeSender(int64_t sender_id) {
  AskSender(cmd::kThirdAppAuthorizeSender, "current_authorize_sender", sender_id, true);
}

bool GetYamuQrUrl(std::string& url) { return FillUrl(url, web::internal::ReadPage(Page::kYamuQr)); }
bool GetBexaQrUrl(std::string& url) { return FillUrl(url, web::internal::ReadPage(Page::kBexaQr)); }
bool GetMultiQrCodeUrl(std::string& url) { return FillUrl(url, web::internal::ReadPage(Page::kMultiQrCode)); }
bool GetAuthQrCodeUrl(std::string& url) { return FillUrl(url, web::internal::ReadPage(Page::kAuthQrCode)); }
bool GetSmsCodeNotReceiveHelpUrl(std::string& url) {
  return FillUrl(url, web::internal::ReadPage(Page::kSmsCodeNotReceiveHelp));
}

std::string GetMeetingCorpRegisterCreateSelectUrl() {
  return web::internal::ReadPage(Page::kMeetingCorpRegisterCreateSelect);
}

void SetWebUrls(const base::json::JsonValue& json) {
  web::internal::ApplyDocumentMembers(json, web::internal::Document::kLogin);
}

bool SwitchAccount(const Variant& params, int32_t scene) {
  Variant argument = Variant::Map();
  argument["auth_code"] = params.GetString("auth_code");
  argument["identity_type"] = params.GetInteger("identity_type");
  argument["corp_id"] = params.GetString("corp_id");
  argument["switch_scene"] = scene;
  VELTO_LOG(velto::log::kTrace) << "[login-module] " << "switch param" << " identity_type: "
                                << argument.GetInteger("identity_type") << " corp_id: "
                                << argument.GetString("corp_id") << " switch_scene: " << scene;
  const bool switched = velto::model::Call(kAccountSwitchModel, cmd::kSwitchAccount, &argument, nullptr);
  if (switched && params.GetBoolean("guide_visible")) {
    Navigator::Of(nullptr, PageStack::kRoot).PushWithClosingOthers(kGuidePage, params);
  }
  return switched;
}

bool GoToSwitchAccountPage(const std::string& from, std::shared_ptr<const framework::Context> context,
                           const Variant& params) {
  const bool can_change_identity = params.GetBoolean("can_change_identity");
  const bool enable_create_org = params.GetBoolean("enable_create_organizations");
  const std::string limit_tip = params.GetString("create_org_limit_tip");
  // 0 no button, 1 create, 2 create with the limit tip shown.
  const int org_button_type = !enable_create_org ? 0 : limit_tip.empty() ? 1 : 2;
  VELTO_LOG(velto::log::kTrace) << "can_change_identity is " << can_change_identity << " enable_create_org is "
                                << enable_create_org << " org_button_type is " << org_button_type;
  const std::string requested_uid = params.GetString("app_uid");
  if (!requested_uid.empty() && requested_uid != internal::QueryAuthData().GetString("app_uid")) {
    VELTO_LOG(velto::log::kNotable) << "Identity has changed";
    return false;
  }
  Variant arguments = params.IsMap() ? params : Variant::Map();
  arguments["from"] = from;
  arguments["org_button_type"] = org_button_type;
  Navigator::Of(std::move(context), PageStack::kWindow).Push(kSwitchAccountPage, arguments);
  return true;
}

bool CreateOrganization(std::shared_ptr<const framework::Context> context, bool select) {
  if (!account::IsUserAuthorized()) {
    Navigator::Of(std::move(context), PageStack::kMain).PushWithClosingOthers(kHomePage, Variant());
    return false;
  }
  const bool phone_bound = velto::model::Read<bool>(velto::model::QueryRecord(kProfileModel, cmd::kProfileBasic),
                                                    {"is_phone_bound"})
                               .value_or(false);
  VELTO_LOG(velto::log::kTrace) << "is_phone_bound = " << phone_bound;
  Navigator::Of(std::move(context), PageStack::kWindow)
      .Push(kCreateOrganizationPage, CreateOrganizationArguments(select, phone_bound));
  return true;
}

bool CreateAccount(std::shared_ptr<const framework::Context> context) {
  return CreateOrganization(std::move(context), true);
}

void PopUtilGuide(std::shared_ptr<const framework::Context> context) {
  Navigator::Of(std::move(context), PageStack::kWindow).Push(kGuideDesktopPage, Variant::Map());
}

void RegisterCommonTask(const std::string& name, CommonTask task) {
  if (name.empty() || !task) return;
  CommonTasks()[name] = std::move(task);
}

void UnregisterCommonTask(const std::string& name) { CommonTasks().erase(name); }

bool ExecuteCommonTask(std::shared_ptr<const framework::Context> context, framework::ViewModel* view_model,
                       const std::string& scheme, const Variant& params) {
  VELTO_LOG(velto::log::kTrace) << "execute common task";
  if (params.GetString("target_scheme") != scheme) {
    VELTO_LOG(velto::log::kTrace) << "not match target and return";
    return false;
  }
  const std::string name = params.GetString("task");
  auto it = CommonTasks().find(name);
  if (it == CommonTasks().end()) {
    VELTO_LOG(velto::log::kRejected) << "task is null";
    return false;
  }
  VELTO_LOG(velto::log::kTrace) << "do common task: " << name;
  // A copy: the task may unregister itself while it runs.
  const CommonTask task = it->second;
  task(std::move(context), view_model, params.Get("param"));
  return true;
}

bool IsAuthorizingCorpInvalid(const Variant& params) { return IsCorpRefused(params.GetString("corp_id")); }

bool IsLoginingCorpInvalid(const Variant& params) {
  return IsCorpRefused(params.Get("corp_detail").GetString("corp_id"));
}

bool IsCurrentProfileCorpInvalid() {
  const Variant profile = velto::model::QueryRecord(kProfileModel, cmd::kProfileBasic);
  if (!profile.IsMap()) {
    VELTO_LOG(velto::log::kFailure) << "query profile failed";
    return false;
  }
  return IsCorpRefused(profile.GetString("corp_id"));
}

}  // namespace velto_common::utils::login

namespace velto_common::utils::login {

bool ShowAlertIsNotAllowedCorpLogin(framework::UIViewModel* view_model) {
  if (!view_model) {
    VELTO_LOG(velto::log::kFailure) << "view_model is nullptr";
    return false;
  }
  const std::string name = velto::model::ReadConfigurationItem("login", "force_account_name", "");
  VELTO_LOG(velto::log::kNotable) << "corp login not allowed, forced account: " << name;
  framework::AlertBuilder(view_model)
      .SetTitle(view_model->GetLocalizedString(kCorpNotAllowedTitle))
      .SetContent(view_model->FormatString(kCorpNotAllowedContent).Arg("name", name).Str())
      .SetPositiveButtonText(view_model->GetLocalizedString(kCorpNotAllowedButton))
      .SetCallback([view_model](int64_t, int, const Variant&) {
        // Alerts never call back after their view model is gone, so the pointer is live here.
        view_model->Navigate(PageStack::kRoot).PushWithClosingOthers(kGuidePage, Variant::Map());
      })
      .Show();
  return true;
}

}  // namespace velto_common::utils::login
