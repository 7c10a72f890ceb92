// In-meeting reports and notices: the AI assistant's stop confirmation and the join-limit toast.
#include <string>

#include "framework/ui_viewmodel.h"
#include "module_api/analytics.h"
#include "module_api/in_meeting/in_meeting_utils.h"
#include "module_api/log.h"
#include "module_api/in_meeting/meeting_settings_utils.h"
#include "module_api/members/member_utils.h"
#include "module_api/model/config_reader.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/runtime.h"

namespace velto_common::utils::inmeeting {

using velto::model::Variant;

namespace {

using velto::model_command::meeting::kMeetingInfo;

constexpr int32_t kJoinLimitChangedId = static_cast<int32_t>(0xa4909e89);
constexpr int32_t kJoinLimitSingleDeviceId = static_cast<int32_t>(0x9ba65fc5);
constexpr int32_t kJoinLimitMultiDeviceId = static_cast<int32_t>(0x4995e190);

// Whether the identity is one of the meeting's AI-assistant creators.
bool IsListedCreator(const Variant& creators, const std::string& app_id, const std::string& app_uid) {
  if (app_id.empty() && app_uid.empty()) return false;
  for (const Variant& creator : creators.Elements()) {
    if (creator.GetString("app_id") == app_id && creator.GetString("app_uid") == app_uid) return true;
  }
  return false;
}

}  // namespace

void ReportAiAssistantStopEventLog(bool confirmed) {
  if (!IsInMeeting()) return;
  const bool switch_on = velto::model::ReadConfigurationItem("inmeeting", "aihelper_open_switch", false);
  const Variant meeting = velto::model::QueryAnswer(velto::model_id::kMeetingModel, kMeetingInfo);
  const Variant& item = meeting["meeting_item"];
  const Variant self = member::GetSelfInfo();
  const bool creator = IsListedCreator(item["creator_aihelper_list"], self.GetString("app_id"),
                                       self.GetString("app_uid"));
  const bool appointed_host = self.GetBoolean("host", false);

  analytics::Properties properties;
  properties["aihelper_open_switch"] = std::string(switch_on ? "1" : "0");
  properties["aihelper_role_type"] = std::to_string(item.GetInteger("aihelper_role_type", 0));
  properties["is_creator_or_host"] = std::string((creator || appointed_host) ? "1" : "0");
  analytics::LogEventWithProperties(
      confirmed ? "e#meeting#ai_helper_stop_confirm#click" : "e#meeting#ai_helper_stop_cancel#click",
      std::move(properties));
}

void ShowJoinLimitTypeChangeToast(framework::UIViewModel* view_model, int32_t type) {
  if (!view_model) {
    VELTO_LOG(velto::log::kRejected) << "no view model to show the join limit toast, type: " << type;
    return;
  }
  if ((type == 2 || type == 3) && meetingsettings::IsMultiDeviceJoinWillBeDisabledByLinkageSwitch()) return;
  int32_t text_id = kJoinLimitChangedId;
  if (type == 2) text_id = kJoinLimitSingleDeviceId;
  if (type == 3) text_id = kJoinLimitMultiDeviceId;
  view_model->ShowToast(GetLocalizedString(text_id), 0, 2000, 0, std::string(), std::string());
}

}  // namespace velto_common::utils::inmeeting
