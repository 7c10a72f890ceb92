#include "module_api/chat/private_chat_record.h"

#include <limits>
#include <map>

#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"
#include "utils/chat/chat_commands.h"

namespace velto_common::utils::privatechatrecord {

using base::variant::Variant;
using velto::Chat::ChatReceiverType;

ChatReceiverType GetChatReceiverType(const Variant& receiver) {
  if (!receiver.IsMap() || !receiver.Has("status")) return velto::Chat::kChatReceiverUnknown;
  const int64_t status = receiver.GetInteger("status");
  if (status != 0) {
    if (status < std::numeric_limits<int32_t>::min() || status > std::numeric_limits<int32_t>::max()) {
      VELTO_LOG(velto::log::kRejected) << "receiver status out of range: " << static_cast<long long>(status);
      return velto::Chat::kChatReceiverUnknown;
    }
    return static_cast<ChatReceiverType>(status);
  }
  return receiver.GetString("app_uid", "").empty() ? velto::Chat::kChatReceiverEveryone
                                                   : velto::Chat::kChatReceiverMember;
}

ChatReceiverType GetChatReceiverType() { return GetChatReceiverType(GetPrivateChatUserInfo()); }

Variant GetPrivateChatUserInfo() {
  return velto::model::QueryAnswer(velto::model_id::kPrivateChatRecordModel, velto::chat_cmd::kPrivateChatUserInfo);
}

bool GetNotAllowedPrivateChatWordingID(velto::PrivateChatAuthority::AllowChatPolicy policy, int& id) {
  static const std::map<int32_t, uint32_t> kWordings = {
      {1, 0x3CC5628F}, {2, 0x9FB63A1D}, {3, 0x40B834D4}, {5, 0x3CC5628F}, {6, 0x9FB63A1D},
      {7, 0x40B834D4}, {8, 0x40B834D4}, {9, 0x40B834D4}, {10, 0x40B834D4},
  };
  const auto wording = kWordings.find(policy);
  if (wording == kWordings.end()) return false;
  id = static_cast<int>(wording->second);
  return true;
}

}  // namespace velto_common::utils::privatechatrecord
