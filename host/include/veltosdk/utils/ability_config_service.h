// The platform SDK's ability configuration: server-delivered switches and limits, by group and
// key, and a notice whenever the server sends a new set.
//
//   class Limits : public veltosdk::IAbilityConfigListener {
//     void OnAbilityConfigChanged() override {
//       auto* service = veltosdk::utils::service::GetAbilityConfigService();
//       base::variant::Variant count = service->GetAbilityValue("visual_tracker", "vtracker_limit_count");
//       if (count.IsInteger()) ...
//     }
//   };
//   service->AddAbilityConfigListener(&limits);   // not owned: remove it before destroying it
//
// Notices arrive on the UI thread, after the new values are readable.
#pragma once

#include <string>

#include "base/variant/variant.h"

namespace veltosdk {

class IAbilityConfigListener {
 public:
  virtual ~IAbilityConfigListener() = default;
  virtual void OnAbilityConfigChanged() = 0;
};

class IAbilityConfigService {
 public:
  virtual ~IAbilityConfigService() = default;
  // The value the server sent for the key of the group; null when it sent none.
  virtual base::variant::Variant GetAbilityValue(const std::string& group, const std::string& key) = 0;
  // False for null or for a listener added already.
  virtual bool AddAbilityConfigListener(IAbilityConfigListener* listener) = 0;
  virtual bool RemoveAbilityConfigListener(IAbilityConfigListener* listener) = 0;
};

namespace utils::service {
// Null when the service is not loaded.
IAbilityConfigService* GetAbilityConfigService();
}  // namespace utils::service

}  // namespace veltosdk
