#include "module_api/plugin_services.h"

#include "module_api/log.h"
#include "veltosdk/plugin/plugin.h"

namespace velto_common::utils {
namespace {

template <typename T>
T* Query(const char* plugin, const char* interface_name) {
  void* out = nullptr;
  const veltosdk::SDKError error = veltosdk::plugin::QueryPluginInterface(plugin, interface_name, &out);
  if (error != veltosdk::SDKError::kOk || !out) {
    VELTO_LOG(velto::log::kNotable) << "plugin " << plugin << " " << interface_name << " not available, error "
                                    << static_cast<int>(error);
    return nullptr;
  }
  return static_cast<T*>(out);
}

}  // namespace

veltosdk::plugin::IAuthService* GetAuthService() {
  return Query<veltosdk::plugin::IAuthService>("nordil_office_id", "plugin:auth");
}
veltosdk::plugin::ICoWorkConfigService* GetCoWorkConfigService() {
  return Query<veltosdk::plugin::ICoWorkConfigService>("nordil_cowork_config", "plugin:cowork_config");
}
veltosdk::plugin::ICommonRedDotService* GetCommonRedDotService() {
  return Query<veltosdk::plugin::ICommonRedDotService>("nordil_common_reddot", "plugin:common_reddot");
}
veltosdk::plugin::IMessagePushService* GetMessagePushService() {
  return Query<veltosdk::plugin::IMessagePushService>("nordil_message_push", "plugin:message_push");
}
veltosdk::plugin::IOperationService* GetOperationService() {
  return Query<veltosdk::plugin::IOperationService>("nordil_velto_common_operation", "plugin:common_operation");
}
veltosdk::plugin::VirtualBackgroundServicePlugin* GetVirtualBackgroundService() {
  return Query<veltosdk::plugin::VirtualBackgroundServicePlugin>("nordil_media_preprcess", "plugins:virtualbackground");
}
veltosdk::plugin::IChatService* GetChatService() {
  return Query<veltosdk::plugin::IChatService>("nordil_chat", "plugin:chat");
}
veltosdk::plugin::IProfileService* GetProfileService() {
  return Query<veltosdk::plugin::IProfileService>("nordil_office_id", "plugin:profile");
}

}  // namespace velto_common::utils
