// Interfaces of the platform SDK's plug-ins that the library hands to modules. Their
// operations belong to the plug-ins; the library only finds them
// (veltosdk::plugin::QueryPluginInterface) and passes them on.
#pragma once

namespace veltosdk::plugin {

class IAuthService;             // "nordil_office_id", "plugin:auth"
class ICoWorkConfigService;     // "nordil_cowork_config", "plugin:cowork_config"
class ICommonRedDotService;     // "nordil_common_reddot", "plugin:common_reddot"
class IMessagePushService;      // "nordil_message_push", "plugin:message_push"
class IOperationService;        // "nordil_velto_common_operation", "plugin:common_operation"
class IChatService;             // "nordil_chat", "plugin:chat"
class IProfileService;          // "nordil_office_id", "plugin:profile"
class VirtualBackgroundServicePlugin;  // "nordil_media_preprcess", "plugins:virtualbackground"

}  // namespace veltosdk::plugin
