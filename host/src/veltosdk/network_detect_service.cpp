#include "veltosdk/utils/network_detect_service.h"

#include "host_internal.h"
#include "veltosdk/network_detect_state.h"

namespace host_internal::sdk {
namespace {

class NetworkDetectService : public veltosdk::INetworkDetectService {
 public:
  bool IsNetworkAvailable() override {
    ++queries;
    return online;
  }

  bool available = true;
  bool online = true;
  size_t queries = 0;
};

NetworkDetectService& TheDetector() {
  static auto* service = new NetworkDetectService;
  return *service;
}

void ResetDetector() { TheDetector() = NetworkDetectService(); }
const bool kRegistered = host_internal::RegisterReset(&ResetDetector);

}  // namespace

void SetNetworkDetectServiceAvailable(bool available) { TheDetector().available = available; }
void SetNetworkOnline(bool online) { TheDetector().online = online; }
size_t NetworkDetectQueries() { return TheDetector().queries; }

}  // namespace host_internal::sdk

namespace veltosdk::utils::service {

INetworkDetectService* QueryNetworkDetectService() {
  auto& service = host_internal::sdk::TheDetector();
  return service.available ? &service : nullptr;
}

}  // namespace veltosdk::utils::service
