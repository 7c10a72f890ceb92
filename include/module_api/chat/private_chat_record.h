// The private-chat receiver and the wording of refused private chats.
#pragma once

#include "base/variant/variant.h"
#include "module_api/chat/chat_types.h"
#include "module_api/export.h"

namespace velto_common::utils::privatechatrecord {

// kChatReceiverUnknown for a non-map or a record without "status"; a non-zero "status" is the
// type itself; with status 0, kChatReceiverMember when "app_uid" is set, else
// kChatReceiverEveryone.
VELTO_API velto::Chat::ChatReceiverType GetChatReceiverType(const base::variant::Variant& receiver);
// The type of the receiver stored by the private chat record model.
VELTO_API velto::Chat::ChatReceiverType GetChatReceiverType();
// The stored private-chat receiver record; null when the model cannot answer.
VELTO_API base::variant::Variant GetPrivateChatUserInfo();
// The string id of the text that explains why `policy` refuses a private chat; false, `id`
// unchanged, for a policy without such a text.
VELTO_API bool GetNotAllowedPrivateChatWordingID(velto::PrivateChatAuthority::AllowChatPolicy policy, int& id);

}  // namespace velto_common::utils::privatechatrecord
