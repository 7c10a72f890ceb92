// The objects the optional SDK service getters hand out; hostkit fills them in. Not installed.
#pragma once

#include "veltosdk/utils/optional_services.h"

namespace host_internal::sdk {

struct OptionalServices {
  veltosdk::IDownloadService* download = nullptr;
  veltosdk::IRealtimeConfigureService* realtime_configure = nullptr;
  veltosdk::IDeviceService* device = nullptr;
  veltosdk::IAnalyticsService* analytics = nullptr;
  veltosdk::INetworkProxyService* network_proxy = nullptr;
};

// Emptied by hostkit::Reset().
OptionalServices& TheOptionalServices();

}  // namespace host_internal::sdk
