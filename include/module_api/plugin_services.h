// The platform SDK's plug-in services, found by plug-in and interface name on every call.
//
//   if (auto* auth = velto_common::utils::GetAuthService()) { ... }   // null: not available
//
// The SDK owns what these return: never free it, and do not keep it beyond the current task.
#pragma once

#include "module_api/export.h"
#include "veltosdk/plugin/plugin_services.h"

namespace velto_common::utils {

VELTO_API veltosdk::plugin::IAuthService* GetAuthService();
VELTO_API veltosdk::plugin::ICoWorkConfigService* GetCoWorkConfigService();
VELTO_API veltosdk::plugin::ICommonRedDotService* GetCommonRedDotService();
VELTO_API veltosdk::plugin::IMessagePushService* GetMessagePushService();
VELTO_API veltosdk::plugin::IOperationService* GetOperationService();
VELTO_API veltosdk::plugin::VirtualBackgroundServicePlugin* GetVirtualBackgroundService();
// The chat utilities' and the account utilities' plug-ins.
VELTO_API veltosdk::plugin::IChatService* GetChatService();
VELTO_API veltosdk::plugin::IProfileService* GetProfileService();

}  // namespace velto_common::utils
