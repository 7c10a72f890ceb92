#include "veltosdk/utils/dynamic_res_service.h"

#include <algorithm>
#include <map>
#include <vector>

#include "host_internal.h"
#include "veltosdk/remote_config_services.h"

namespace {

class DynamicResService : public veltosdk::IDynamicResService {
 public:
  bool RegisterDynamicResListener(const std::string& res_name, veltosdk::IDynamicResListener* listener) override {
    if (!listener || res_name.empty()) return false;
    auto& list = listeners_[res_name];
    if (std::find(list.begin(), list.end(), listener) != list.end()) return false;
    list.push_back(listener);
    return true;
  }

  bool UnregisterDynamicResListener(const std::string& res_name, veltosdk::IDynamicResListener* listener) override {
    auto it = listeners_.find(res_name);
    if (it == listeners_.end()) return false;
    auto found = std::find(it->second.begin(), it->second.end(), listener);
    if (found == it->second.end()) return false;
    it->second.erase(found);
    return true;
  }

  // Tells the listeners registered now that are still registered when their turn comes.
  template <typename Tell>
  size_t Each(const std::string& res_name, Tell tell) {
    auto it = listeners_.find(res_name);
    if (it == listeners_.end()) return 0;
    const std::vector<veltosdk::IDynamicResListener*> snapshot = it->second;
    size_t told = 0;
    for (auto* listener : snapshot) {
      const auto& now = listeners_[res_name];
      if (std::find(now.begin(), now.end(), listener) == now.end()) continue;
      tell(*listener);
      ++told;
    }
    return told;
  }

  std::map<std::string, std::vector<veltosdk::IDynamicResListener*>> listeners_;
  bool available_ = true;
};

DynamicResService& Service() {
  static auto* service = new DynamicResService();
  return *service;
}

void Reset() {
  Service().listeners_.clear();
  Service().available_ = true;
}

const bool kRegistered = host_internal::RegisterReset(&Reset);

}  // namespace

namespace host_internal::sdk {

void SetDynamicResServiceAvailable(bool available) { Service().available_ = available; }

size_t DynamicResUpdateStart(const std::string& res_name) {
  return Service().Each(res_name, [&](veltosdk::IDynamicResListener& l) { l.OnDynamicResUpdateStart(res_name); });
}

size_t DynamicResUpdateProgress(const std::string& res_name, double progress) {
  return Service().Each(res_name, [&](veltosdk::IDynamicResListener& l) {
    l.OnDynamicResUpdateProgress(res_name, progress);
  });
}

size_t DynamicResUpdateComplete(const std::string& res_name, const std::string& path, int state) {
  return Service().Each(res_name, [&](veltosdk::IDynamicResListener& l) {
    l.OnDynamicResUpdateComplete(res_name, path, state);
  });
}

size_t DynamicResListenerCount(const std::string& res_name) {
  auto it = Service().listeners_.find(res_name);
  return it == Service().listeners_.end() ? 0 : it->second.size();
}

}  // namespace host_internal::sdk

namespace veltosdk::utils::service {

IDynamicResService* GetDynamicResService() { return Service().available_ ? &Service() : nullptr; }

}  // namespace veltosdk::utils::service
