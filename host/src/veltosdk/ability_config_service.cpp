#include "veltosdk/utils/ability_config_service.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "host_internal.h"
#include "veltosdk/remote_config_services.h"

namespace {

using base::variant::Variant;

class AbilityConfigService : public veltosdk::IAbilityConfigService {
 public:
  Variant GetAbilityValue(const std::string& group, const std::string& key) override {
    auto it = values_.find({group, key});
    return it == values_.end() ? Variant() : it->second;
  }

  bool AddAbilityConfigListener(veltosdk::IAbilityConfigListener* listener) override {
    if (!listener || std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) return false;
    listeners_.push_back(listener);
    return true;
  }

  bool RemoveAbilityConfigListener(veltosdk::IAbilityConfigListener* listener) override {
    auto it = std::find(listeners_.begin(), listeners_.end(), listener);
    if (it == listeners_.end()) return false;
    listeners_.erase(it);
    return true;
  }

  std::map<std::pair<std::string, std::string>, Variant> values_;
  std::vector<veltosdk::IAbilityConfigListener*> listeners_;
  bool available_ = true;
};

AbilityConfigService& Service() {
  static auto* service = new AbilityConfigService();
  return *service;
}

void Reset() {
  Service().values_.clear();
  Service().listeners_.clear();
  Service().available_ = true;
}

const bool kRegistered = host_internal::RegisterReset(&Reset);

}  // namespace

namespace host_internal::sdk {

void SetAbilityConfigServiceAvailable(bool available) { Service().available_ = available; }

void SetAbilityValue(const std::string& group, const std::string& key, const Variant& value) {
  if (value.IsNull()) {
    Service().values_.erase({group, key});
  } else {
    Service().values_[{group, key}] = value;
  }
}

size_t NotifyAbilityConfigChanged() {
  // A copy: a listener may remove itself (or another) while it is told.
  const std::vector<veltosdk::IAbilityConfigListener*> listeners = Service().listeners_;
  size_t told = 0;
  for (auto* listener : listeners) {
    const auto& now = Service().listeners_;
    if (std::find(now.begin(), now.end(), listener) == now.end()) continue;
    listener->OnAbilityConfigChanged();
    ++told;
  }
  return told;
}

size_t AbilityConfigListenerCount() { return Service().listeners_.size(); }

}  // namespace host_internal::sdk

namespace veltosdk::utils::service {

IAbilityConfigService* GetAbilityConfigService() { return Service().available_ ? &Service() : nullptr; }

}  // namespace veltosdk::utils::service
