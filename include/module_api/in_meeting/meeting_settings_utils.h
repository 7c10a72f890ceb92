// Questions about the meeting's settings.
#pragma once

#include "module_api/chat/chat_types.h"
#include "module_api/export.h"

namespace velto_common::utils::meetingsettings {

// The private-chat policy of the chat policy model; kAllowChatFree when it cannot answer.
VELTO_API velto::PrivateChatAuthority::AllowChatPolicy GetAllowChatPolicy();
// The host has linked multi-device joining to another switch that is about to turn it off
// (meeting settings "multi_device_join_linkage_disabled"); false when it cannot say.
VELTO_API bool IsMultiDeviceJoinWillBeDisabledByLinkageSwitch();

}  // namespace velto_common::utils::meetingsettings
