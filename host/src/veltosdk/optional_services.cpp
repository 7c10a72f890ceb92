#include "veltosdk/utils/optional_services.h"

#include "host_internal.h"
#include "veltosdk/optional_services_state.h"

namespace host_internal::sdk {
namespace {

void ResetOptionalServices() { TheOptionalServices() = veltosdk::OptionalServiceSet(); }
const bool kRegistered = host_internal::RegisterReset(&ResetOptionalServices);

}  // namespace

veltosdk::OptionalServiceSet& TheOptionalServices() {
  static veltosdk::OptionalServiceSet services;
  return services;
}

}  // namespace host_internal::sdk

namespace veltosdk::utils::service {

IDownloadService* GetDownloadService() { return host_internal::sdk::TheOptionalServices().download; }
IRealtimeConfigureService* GetRealtimeConfigureService() {
  return host_internal::sdk::TheOptionalServices().realtime_configure;
}
IDeviceService* GetDeviceService() { return host_internal::sdk::TheOptionalServices().device; }
IAnalyticsService* GetAnalyticsService() { return host_internal::sdk::TheOptionalServices().analytics; }
INetworkProxyService* GetNetworkProxyService() { return host_internal::sdk::TheOptionalServices().network_proxy; }

}  // namespace veltosdk::utils::service
