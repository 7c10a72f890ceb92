#include "utils/alerts/join_limit_support.h"

#include <algorithm>
#include <cctype>

#include "base/variant/variant.h"
#include "framework/module/module.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto::join_limit::internal {
namespace {

using base::variant::Variant;
namespace cmd = velto::model_command;

constexpr int64_t kGuestAuthType = 2;

}  // namespace

bool IsMeetingCreateBySelf(const std::string& creator_appid, const std::string& creator_uid) {
  const Variant auth = model::QueryAnswer(model_id::kAuthorizationModel, cmd::authorization::kCallFuncQueryAuthData);
  const std::string app_id = auth.GetString("app_id");
  const std::string app_uid = auth.GetString("app_uid");
  if (auth.IsMap() && app_id == creator_appid && app_uid == creator_uid) {
    VELTO_LOG(log::kTrace) << "self[" << app_id << ", " << app_uid << "] is owner for meeting.";
    return true;
  }
  VELTO_LOG(log::kTrace) << "self is not owner for meeting.";
  return false;
}

bool IsGuest() {
  Variant auth;
  framework::Model* model = framework::module::GetAppModuleModel(model_id::kAuthorizationModel);
  if (!model || !model->Call(cmd::authorization::kCallFuncQueryAuthData, nullptr, &auth)) {
    VELTO_LOG(log::kFailure) << "Call kCallFuncQueryAuthData is error!";
    return false;
  }
  return auth.GetInteger("auth_type", -1) == kGuestAuthType;
}

int64_t GetAccountType() {
  return model::QueryAnswer(model_id::kProfileModel, cmd::profile::kAccountEdition).GetInteger("account_type", -1);
}

bool IsFreeVersion() { return GetAccountType() == 0; }

int64_t GetCurMemberLimit() {
  return model::QueryAnswer(model_id::kProfileModel, cmd::profile::kAccountState).GetInteger("member_limit", 0);
}

bool IsVoicePrintRecording() {
  return model::QueryValue<bool>(model_id::kVoicePrintModel, cmd::voice_print::kVoicePrintRecording, nullptr, {},
                                 false);
}

std::string FormatMeetingCodeForDisplay(const std::string& code) {
  const bool digits = !code.empty() && std::all_of(code.begin(), code.end(), [](unsigned char c) {
    return std::isdigit(c) != 0;
  });
  if (!digits) return code;
  std::string shown;
  for (size_t i = 0; i < code.size(); ++i) {
    if (i > 0 && i % 3 == 0) shown += ' ';
    shown += code[i];
  }
  return shown;
}

}  // namespace velto::join_limit::internal
