// Questions about the meeting's settings.
#pragma once

#include "module_api/chat_types.h"
#include "module_api/export.h"

namespace velto_common::utils::meetingsettings {

// The private-chat policy of the chat policy model; kAllowChatFree when it cannot answer.
VELTO_API velto::PrivateChatAuthority::AllowChatPolicy GetAllowChatPolicy();

}  // namespace velto_common::utils::meetingsettings
