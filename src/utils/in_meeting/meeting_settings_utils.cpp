#include "module_api/in_meeting/meeting_settings_utils.h"

#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::meetingsettings {

namespace cmd {
using velto::model_command::chat_policy::kAllowChatPolicy;
using velto::model_command::meeting_settings::kAllowFlags;
}  // namespace cmd

velto::PrivateChatAuthority::AllowChatPolicy GetAllowChatPolicy() {
  const base::variant::Variant answer =
      velto::model::QueryAnswer(velto::model_id::kChatPolicyModel, cmd::kAllowChatPolicy);
  // Nothing answered reads as 0: private chat is free.
  return static_cast<velto::PrivateChatAuthority::AllowChatPolicy>(answer.AsUint32());
}

bool IsMultiDeviceJoinWillBeDisabledByLinkageSwitch() {
  const base::variant::Variant flags =
      velto::model::QueryAnswer(velto::model_id::kMeetingSettingsModel, cmd::kAllowFlags);
  return flags.GetBoolean("multi_device_join_linkage_disabled", false);
}

}  // namespace velto_common::utils::meetingsettings
