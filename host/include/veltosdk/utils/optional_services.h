// Platform SDK services that the library itself never calls: downloads, real-time configuration,
// devices, the SDK's own analytics and the network proxy. The stand-in declares them so that a
// module asking for one builds and runs; each getter answers null ("not loaded", as the SDK does
// for a service it has not loaded) unless a test handed out an object through hostkit::SdkServices().
//
//   if (auto* downloads = veltosdk::utils::service::GetDownloadService()) { ... }
//
// The objects belong to the SDK (or the test); callers never free them.
#pragma once

namespace veltosdk {

// What these services can do is between a module and the real SDK; the stand-in knows only
// that they exist.
class IDownloadService {
 public:
  virtual ~IDownloadService() = default;
};
class IRealtimeConfigureService {
 public:
  virtual ~IRealtimeConfigureService() = default;
};
class IDeviceService {
 public:
  virtual ~IDeviceService() = default;
};
class IAnalyticsService {
 public:
  virtual ~IAnalyticsService() = default;
};
class INetworkProxyService {
 public:
  virtual ~INetworkProxyService() = default;
};

// What the stand-in's getters below hand out; all null unless a test set them
// (hostkit::SetSdkServices). Not part of the real SDK.
struct OptionalServiceSet {
  IDownloadService* download = nullptr;
  IRealtimeConfigureService* realtime_configure = nullptr;
  IDeviceService* device = nullptr;
  IAnalyticsService* analytics = nullptr;
  INetworkProxyService* network_proxy = nullptr;
};

namespace utils::service {
IDownloadService* GetDownloadService();
IRealtimeConfigureService* GetRealtimeConfigureService();
IDeviceService* GetDeviceService();
IAnalyticsService* GetAnalyticsService();
INetworkProxyService* GetNetworkProxyService();
}  // namespace utils::service

}  // namespace veltosdk
