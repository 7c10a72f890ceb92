// Whether a private message may go to a receiver, and the condition code of a message.
#include "module_api/chat/chat_utils.h"
#include "module_api/log.h"
#include "module_api/in_meeting/meeting_settings_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"
#include "module_api/chat/private_chat_record.h"
#include "module_api/runtime.h"
#include "module_api/members/webinar_utils.h"
#include "utils/chat/chat_commands.h"

namespace velto {
namespace {

using base::variant::Variant;
namespace policy = PrivateChatAuthority;

// Resource string ids of the reasons shown for a refused private message.
constexpr uint32_t kChatDisabledText = 0x62C5DF56;
constexpr uint32_t kSelfForbiddenText = 0x32E11271;
constexpr uint32_t kPublicOnlyText = 0x3CC5628F;
constexpr uint32_t kRestrictedText = 0x40B834D4;
constexpr uint32_t kHostOnlyText = 0x76B5ACDD;

bool Refuse(Variant* result, uint32_t reason) {
  (*result)["desc_content"] = velto_common::utils::GetLocalizedString(static_cast<int>(reason));
  return false;
}

}  // namespace

bool ChatUtils::IsAllowPrivateSendMsgToUser(const Variant& receiver, Variant* result) {
  if (velto_common::utils::webinar::IsMeetingWebinar()) {
    VELTO_LOG(log::kFailure) << "not support webinar check";
    return false;
  }
  if (!result) {
    VELTO_LOG(log::kRejected) << "result is error";
    return false;
  }
  if (!receiver.IsMap()) {
    VELTO_LOG(log::kRejected) << "reciver is error";
    return false;
  }
  if (!IsChatEnable()) return Refuse(result, kChatDisabledText);
  const Variant self = model::QueryAnswer(model_id::kUserModel, chat_cmd::kSelfInfo);
  if (self.GetBoolean("is_forbid_chat", false)) return Refuse(result, kSelfForbiddenText);

  switch (velto_common::utils::meetingsettings::GetAllowChatPolicy()) {
    case policy::kAllowChatPublicOnly:
      return Refuse(result, kPublicOnlyText);
    case policy::kAllowChatRestricted:
      return Refuse(result, kRestrictedText);
    case policy::kAllowChatHostOnly:
      if (receiver.GetBoolean("host", false) || receiver.GetBoolean("co_host", false)) return true;
      return Refuse(result, kHostOnlyText);
    default:
      return true;
  }
}

std::string ChatUtils::GetChatCondition(bool waiting_room_context, const Variant* receiver) {
  if (waiting_room_context) return IsWaitingRoom() ? "2" : "1";
  if (!receiver) return "1";
  switch (velto_common::utils::privatechatrecord::GetChatReceiverType(*receiver)) {
    case Chat::kChatReceiverWaitingRoom:
    case Chat::kChatReceiverWaitingRoomMember:
      return "2";
    case Chat::kChatReceiverEveryone:
      return "0";
    default:
      return "1";
  }
}

}  // namespace velto
