#include "veltosdk/utils/configure_service.h"

#include "platform_state.h"

namespace veltosdk::utils::service {

IConfigureService* GetConfigureService() { return host_internal::platform::ConfigureService(); }
IConfigureService* QueryConfigureService() { return GetConfigureService(); }

}  // namespace veltosdk::utils::service
