// The platform SDK's network detector: whether the client can reach the network now.
//
//   veltosdk::INetworkDetectService* detector = veltosdk::utils::service::QueryNetworkDetectService();
//   if (detector && !detector->IsNetworkAvailable()) ShowOfflineToast();
//
// A null detector means the SDK cannot tell; callers then go ahead and let the request fail.
#pragma once

namespace veltosdk {

class INetworkDetectService {
 public:
  virtual ~INetworkDetectService() = default;
  virtual bool IsNetworkAvailable() = 0;
};

}  // namespace veltosdk

namespace veltosdk::utils::service {
INetworkDetectService* QueryNetworkDetectService();
}  // namespace veltosdk::utils::service
