// Meetings of another account and meetings for invited members only: confirm, switch the
// account, and join again once the switch is done.
#include <string>

#include "framework/alert_builder.h"
#include "module_api/account/login_utils.h"
#include "module_api/analytics.h"
#include "module_api/join/join_alerts.h"
#include "module_api/join/join_types.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/runtime.h"

namespace velto_common::utils::join {
namespace {

using base::variant::Variant;
namespace cmd = velto::model_command;
namespace log = velto::log;
namespace str = velto::join_string;

// The account switch scene of a switch started by a join.
constexpr int32_t kJoinSwitchScene = 3;

const char* TypeWord(int32_t type) {
  switch (type) {
    case 1: return "call";
    case 2: return "booking";
    case 3: return "about2go";
    default: return nullptr;
  }
}

const char* RemindKind(int32_t kind) {
  switch (kind) {
    case 1: return "cross_account_remind_recording";
    case 2: return "cross_account_remind_sharing";
    case 3: return "cross_account_remind_out_recording";
    default: return "cross_account_remind_meeting";
  }
}

Variant ActionParams(const Variant& params) {
  Variant action = Variant::Map();
  action["cross_account_type"] = params.GetInt32("cross_account_type");
  action["meeting_code"] = params.GetString("meeting_code");
  action["invite_id"] = params.GetString("invite_id");
  action["meeting_id"] = params.GetString("meeting_id");
  return action;
}

}  // namespace

bool RegisterSwitchAccountAfterCallback(const Variant& params) {
  Variant argument = Variant::Map();
  argument["callback_block"] = "join_meeting";
  argument["action_params"] = ActionParams(params);
  return velto::model::Call(velto::model_id::kAccountSwitchModel, cmd::account_switch::kRegisterAfterSwitchAction, &argument, nullptr);
}

bool PrepareJoinCrossAccountMeeting(const Variant& params, framework::UIViewModel* view_model,
                                    std::shared_ptr<const framework::Context> /*context*/) {
  const int32_t type = params.GetInt32("cross_account_type");
  const char* word = TypeWord(type);
  if (!word) {
    VELTO_LOG(log::kRejected) << "unknown cross_account_type:" << type;
    return false;
  }
  if (!view_model) {
    VELTO_LOG(log::kFailure) << "view_model is null";
    return false;
  }
  Variant custom = Variant::Map();
  custom["remind"] = RemindKind(params.GetInt32("remind_kind"));
  custom["type"] = word;
  custom["meeting_code"] = params.GetString("meeting_code");
  custom["corp_id"] = params.GetString("corp_id");
  framework::AlertBuilder(view_model)
      .SetTitle(GetLocalizedString(str::kCrossAccountTitle))
      .SetPositiveButtonText(GetLocalizedString(str::kCrossAccountSwitch))
      .SetNegativeButtonText(GetLocalizedString(str::kCancel))
      .SetCustomView("cross_account_reconfirm", custom)
      .SetCallback([params](int64_t, int button, const Variant&) {
        VELTO_LOG(log::kTrace) << "cross account reconfirm, button:" << button;
        if (button != framework::AlertButton::kPositive) return;
        RegisterSwitchAccountAfterCallback(params);
        Variant target = Variant::Map();
        target["corp_id"] = params.GetString("corp_id");
        login::SwitchAccount(target, kJoinSwitchScene);
      })
      .Show();
  analytics::LogEventWithProperty("e#cross_account_reconfirm_popup#desktop_call#exposure", "type", word);
  return true;
}

bool HandleSwitchAccountWhenShowInvitedMemberOnlyDialog(const std::string& meeting_code, const std::string& corp_id) {
  Variant query = Variant::Map();
  query["corp_id"] = corp_id;
  Variant switch_params = velto::model::QueryAnswer(velto::model_id::kAccountSwitchModel, cmd::account_switch::kSwitchAccountParams,
                                                    &query);
  if (!switch_params.IsMap() || switch_params.GetString("auth_code").empty()) {
    VELTO_LOG(log::kFailure) << "get switch account params error.";
    return false;
  }
  Variant rejoin = Variant::Map();
  rejoin["meeting_code"] = meeting_code;
  RegisterSwitchAccountAfterCallback(rejoin);
  switch_params["corp_id"] = corp_id;
  return login::SwitchAccount(switch_params, kJoinSwitchScene);
}

void OnEventShowInvitedMemberOnlyDialog(const Variant* params, framework::UIViewModel* view_model,
                                        std::shared_ptr<const framework::Context> /*context*/,
                                        std::function<void(bool switched)> done) {
  if (!params || !params->IsMap()) {
    VELTO_LOG(log::kFailure) << "params is null";
    if (done) done(false);
    return;
  }
  if (!view_model) {
    VELTO_LOG(log::kFailure) << "view_model is null";
    if (done) done(false);
    return;
  }
  const bool can_switch = params->GetBoolean("is_exit_invited_account");
  const std::string meeting_code = params->GetString("meeting_code");
  const std::string corp_id = params->GetString("corp_id");
  framework::AlertBuilder(view_model)
      .SetTitle(GetLocalizedString(str::kInvitedOnlyTitle))
      .SetContent(GetLocalizedString(str::kInvitedOnlyContent))
      .SetPositiveButtonText(GetLocalizedString(can_switch ? str::kInvitedOnlySwitch : str::kOk))
      .SetNegativeButtonText(can_switch ? GetLocalizedString(str::kCancel) : std::string())
      .SetCallback([can_switch, meeting_code, corp_id, done](int64_t, int button, const Variant&) {
        bool switched = false;
        if (can_switch && button == framework::AlertButton::kPositive) {
          switched = HandleSwitchAccountWhenShowInvitedMemberOnlyDialog(meeting_code, corp_id);
        }
        if (done) done(switched);
      })
      .Show();
}

void ShowSwitchAccountSuccessToast(bool flag) {
  const Variant pending =
      velto::model::QueryAnswer(velto::model_id::kSwitchAccountToastModel, cmd::switch_account_toast::kPendingSwitchToast);
  if (!pending.IsMap()) return;
  Variant toast = Variant::Map();
  toast["name"] = pending.GetString("name");
  toast["content"] = pending.Has("content") ? pending.GetString("content") : GetLocalizedString(str::kSwitchAccountSuccess);
  toast["icon"] = pending.GetString("icon");
  toast["duration"] = 3000;
  toast["flags"] = flag ? 1 : 0;
  velto::model::Call(velto::model_id::kSwitchAccountToastModel, cmd::switch_account_toast::kShowSwitchToast, &toast, nullptr);
}

}  // namespace velto_common::utils::join
