// hostkit's platform state: what util::deviceinfo, util::system, util::time, util::os, the SDK
// settings, the configure service and the ticket provider answer under test.
#include "hostkit/platform.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

#include "base/threading/looper.h"
#include "host_internal.h"
#include "platform_state.h"
#include "veltosdk/optional_services_state.h"
#include "veltosdk/sdk_state.h"

namespace {

using framework::module::TokenType;

class ConfigureService : public veltosdk::IConfigureService {
 public:
  bool RegisterConfigureValueDelegate(const std::string& key, veltosdk::IConfigureValueDelegate* delegate) override {
    if (key.empty() || !delegate) return false;
    auto& list = delegates_[key];
    if (std::find(list.begin(), list.end(), delegate) == list.end()) list.push_back(delegate);
    return true;
  }
  bool UnregisterConfigureValueDelegate(const std::string& key, veltosdk::IConfigureValueDelegate* delegate) override {
    auto it = delegates_.find(key);
    if (it == delegates_.end()) return false;
    auto& list = it->second;
    auto found = std::find(list.begin(), list.end(), delegate);
    if (found == list.end()) return false;
    list.erase(found);
    return true;
  }
  size_t Deliver(const std::string& key, veltosdk::ConfigureValueType type, const std::string& value) {
    auto it = delegates_.find(key);
    if (it == delegates_.end()) return 0;
    // A delegate may unregister while it handles the value: deliver to a copy of the list.
    const std::vector<veltosdk::IConfigureValueDelegate*> list = it->second;
    for (auto* delegate : list) delegate->OnConfigureValueReceived(key, type, value);
    return list.size();
  }
  size_t Count(const std::string& key) const {
    auto it = delegates_.find(key);
    return it == delegates_.end() ? 0 : it->second.size();
  }
  void Clear() { delegates_.clear(); }

 private:
  std::map<std::string, std::vector<veltosdk::IConfigureValueDelegate*>> delegates_;
};

class TicketProvider : public framework::module::ITicketProvider {
 public:
  bool GetWebTicket(TokenType type, std::string* ticket) override {
    requests_.push_back(type);
    auto it = tickets_.find(type);
    if (it == tickets_.end() || !it->second) return false;
    if (ticket) *ticket = *it->second;
    return true;
  }
  std::map<TokenType, std::optional<std::string>> tickets_;
  std::vector<TokenType> requests_;
};

struct Platform {
  std::optional<util::deviceinfo::DeviceFacts> device;
  std::vector<std::string> opened;
  ConfigureService configure;
  bool configure_available = true;
  TicketProvider tickets;
  bool tickets_available = true;
  int64_t server_offset_ms = 0;
  std::map<std::tuple<util::os::RegistryRoot, std::string, std::string>, std::string> registry;
};

Platform& ThePlatform() {
  static auto* platform = new Platform;  // read by library code until the process ends
  return *platform;
}

void ResetPlatform() {
  Platform& p = ThePlatform();
  p.device.reset();
  host_internal::sdk::MutableSettings() = {"zh-cn", "zh-cn"};
  p.opened.clear();
  p.configure.Clear();
  p.configure_available = true;
  p.tickets.tickets_.clear();
  p.tickets.requests_.clear();
  p.tickets_available = true;
  p.server_offset_ms = static_cast<int64_t>(hostkit::kServerTimeAtReset) - base::threading::NowTicksMs();
  p.registry.clear();
}

const bool kRegistered = [] {
  ResetPlatform();
  return host_internal::RegisterReset(&ResetPlatform);
}();

}  // namespace

namespace host_internal::platform {

const std::optional<util::deviceinfo::DeviceFacts>& DeviceOverride() { return ThePlatform().device; }

void RecordOpen(const std::string& target) { ThePlatform().opened.push_back(target); }

veltosdk::IConfigureService* ConfigureService() {
  Platform& p = ThePlatform();
  return p.configure_available ? &p.configure : nullptr;
}

framework::module::ITicketProvider* TicketProvider() {
  Platform& p = ThePlatform();
  return p.tickets_available ? &p.tickets : nullptr;
}

int64_t ServerClockOffsetMs() { return ThePlatform().server_offset_ms; }

std::optional<std::string> RegistryValue(util::os::RegistryRoot root, std::string_view path, std::string_view name,
                                         bool key_only) {
  for (const auto& [where, value] : ThePlatform().registry) {
    if (std::get<0>(where) != root || std::get<1>(where) != path) continue;
    if (key_only) return std::string();
    if (std::get<2>(where) == name) return value;
  }
  return std::nullopt;
}

}  // namespace host_internal::platform

namespace hostkit {

void SetDeviceInfo(DeviceInfo info) { ThePlatform().device = std::move(info); }

veltosdk::utils::settings::Settings& Settings() { return host_internal::sdk::MutableSettings(); }

const std::vector<std::string>& OpenedTargets() { return ThePlatform().opened; }

void ClearOpenedTargets() { ThePlatform().opened.clear(); }

void SetConfigureServiceAvailable(bool available) { ThePlatform().configure_available = available; }

size_t DeliverConfigureValue(const std::string& key, veltosdk::ConfigureValueType type, const std::string& value) {
  return ThePlatform().configure.Deliver(key, type, value);
}

size_t ConfigureDelegateCount(const std::string& key) { return ThePlatform().configure.Count(key); }

void SetWebTicket(TokenType type, std::optional<std::string> ticket) {
  ThePlatform().tickets.tickets_[type] = std::move(ticket);
}

void SetTicketProviderAvailable(bool available) { ThePlatform().tickets_available = available; }

const std::vector<TokenType>& TicketRequests() { return ThePlatform().tickets.requests_; }

void SetServerTimeMs(uint64_t now_ms) {
  ThePlatform().server_offset_ms = static_cast<int64_t>(now_ms) - base::threading::NowTicksMs();
}

void SetRegistryValue(util::os::RegistryRoot root, const std::string& path, const std::string& name,
                      const std::string& value) {
  ThePlatform().registry[{root, path, name}] = value;
}

void SetSdkServices(const SdkServices& services) {
  host_internal::sdk::TheOptionalServices() = services;
}

}  // namespace hostkit
