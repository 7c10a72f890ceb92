// The platform SDK's configure service: server-delivered configuration values by key.
//
//   class MyDelegate : public veltosdk::IConfigureValueDelegate { ... };
//   if (auto* service = veltosdk::utils::service::GetConfigureService())
//     service->RegisterConfigureValueDelegate("web_url_info", &delegate);
//
// Values arrive on the UI thread, each time the server sends one for a registered key.
#pragma once

#include <cstdint>
#include <string>

namespace veltosdk {

// How a delivered value is to be read.
enum class ConfigureValueType : int32_t {
  kUnknown = 0,
  kBool = 1,
  kString = 2,
  kInteger = 3,
  kJson = 4,
};

class IConfigureValueDelegate {
 public:
  virtual ~IConfigureValueDelegate() = default;
  virtual void OnConfigureValueReceived(const std::string& key, ConfigureValueType type,
                                        const std::string& value) = 0;
};

class IConfigureService {
 public:
  virtual ~IConfigureService() = default;
  // A delegate is not owned; unregister it before destroying it. Registering the same pair
  // twice keeps one registration. False for a null delegate or an empty key.
  virtual bool RegisterConfigureValueDelegate(const std::string& key, IConfigureValueDelegate* delegate) = 0;
  virtual bool UnregisterConfigureValueDelegate(const std::string& key, IConfigureValueDelegate* delegate) = 0;
};

namespace utils::service {
// Null when the service is not loaded.
IConfigureService* GetConfigureService();
// The same service under the plain entry point the SDK also exports.
IConfigureService* QueryConfigureService();
}  // namespace utils::service

}  // namespace veltosdk
