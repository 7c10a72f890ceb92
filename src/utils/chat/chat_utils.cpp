#include "module_api/chat/chat_utils.h"

#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"
#include "utils/chat/chat_commands.h"

namespace velto {
namespace {

using base::variant::Variant;
using model_id::kChatPolicyModel;
using model_id::kMeetingModel;
using model_id::kMeetingSettingsModel;
using model_id::kSecurityControlModel;
using model_id::kUserModel;

Variant SelfInfo() { return model::QueryAnswer(kUserModel, chat_cmd::kSelfInfo); }

// Whether a security control of the meeting touches chat: only a boolean true counts.
bool IsUnderChatSecurityControl() {
  const Variant item(chat_cmd::kSecurityItemChat);
  const Variant answer = model::QueryAnswer(kSecurityControlModel, chat_cmd::kUnderSecurityControl, &item);
  return answer.IsBool() && answer.AsBoolean();
}

}  // namespace

bool ChatUtils::IsChatEnable() {
  if (!model::Find(kMeetingSettingsModel)) {
    VELTO_LOG(log::kFailure) << "model invalid";
    return true;
  }
  return model::QueryAnswer(kMeetingSettingsModel, chat_cmd::kChatEnable).GetBoolean("chat_enable", true);
}

bool ChatUtils::IsChatSwitchLock() {
  if (!model::Find(kMeetingSettingsModel)) {
    VELTO_LOG(log::kFailure) << "model invalid";
    return false;
  }
  return model::QueryAnswer(kMeetingSettingsModel, chat_cmd::kChatSwitchLock).GetBoolean("chat_switch_lock", false);
}

bool ChatUtils::IsSelfHost() { return SelfInfo().GetBoolean("host"); }

bool ChatUtils::IsSelfCoHost() { return SelfInfo().GetBoolean("co_host"); }

bool ChatUtils::IsWaitingRoom() {
  return model::QueryAnswer(kMeetingModel, chat_cmd::kWaitingRoomState).AsInt32() == 1;
}

uint32_t ChatUtils::GetWaitingRoomPolicyByMeetingSetttings() {
  const Variant answer = model::QueryAnswer(kMeetingSettingsModel, chat_cmd::kMeetingAllowFlags);
  return static_cast<uint32_t>(answer.GetInteger("allow_chat_host_policy"));
}

void ChatUtils::GetIMAuthorityInfo(Variant& info) {
  if (IsUnderChatSecurityControl()) {
    info = model::QueryAnswer(kChatPolicyModel, chat_cmd::kSecurityAuthority);
    return;
  }
  const bool forbidden = SelfInfo().GetBoolean("is_forbid_chat", false);
  info = model::QueryAnswer(kChatPolicyModel, forbidden ? chat_cmd::kForbiddenAuthority : chat_cmd::kNormalAuthority);
}

bool ChatUtils::GetIMDisableChat() {
  Variant info;
  GetIMAuthorityInfo(info);
  return info.GetBoolean("disable_chat", false);
}

bool ChatUtils::IsUnderSecurityForbidChat() {
  if (!IsUnderChatSecurityControl()) return false;
  return model::QueryAnswer(kChatPolicyModel, chat_cmd::kSecurityAuthority).GetBoolean("disable_chat", false);
}

bool ChatUtils::IsCanSendMsgToWaitingRoom() {
  if (IsWaitingRoom() || IsSelfHost() || IsSelfCoHost()) return true;
  VELTO_LOG(log::kFailure) << "not in waitting room and not host, but send msg to waitting room!";
  return false;
}

}  // namespace velto

namespace velto_common::utils {

bool IsWaitingRoom() { return velto::ChatUtils::IsWaitingRoom(); }

}  // namespace velto_common::utils
