#include "framework/extension/extension_service.h"

#include <algorithm>
#include <map>
#include <utility>

#include "framework/extension/extension_records.h"
#include "framework/module/manifest.h"
#include "host_internal.h"

namespace host_internal::extension {
namespace {

class HostExtensionService : public framework::extension::IExtensionService {
 public:
  void RegisterExtensionInfo(const std::string& contributes_id, const framework::ExtensionInfo& info) override {
    auto& list = registered_[contributes_id];
    auto it = std::find_if(list.begin(), list.end(),
                           [&](const auto& entry) { return entry.extension_id() == info.extension_id(); });
    if (it == list.end()) {
      list.push_back(info);
    } else {
      *it = info;
    }
  }

  void UnRegisterExtensionInfo(const std::string& contributes_id, const std::string& extension_id) override {
    auto found = registered_.find(contributes_id);
    if (found == registered_.end()) return;
    auto& list = found->second;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const auto& entry) { return entry.extension_id() == extension_id; }),
               list.end());
  }

  std::vector<framework::ExtensionInfo> GetExtensionInfos(const std::string& contributes_id) override {
    std::vector<framework::ExtensionInfo> result;
    auto add = [&](const framework::ExtensionInfo& info) {
      auto it = std::find_if(result.begin(), result.end(),
                             [&](const auto& entry) { return entry.extension_id() == info.extension_id(); });
      if (it == result.end()) {
        result.push_back(info);
      } else {
        *it = info;
      }
    };
    for (const auto& manifest : framework::module::GetModuleManifestProvider()->GetModuleManifests()) {
      for (const auto& entry : manifest.contributes) {
        if (entry.contributes_id != contributes_id) continue;
        for (const auto& info : entry.extensions) add(info);
      }
    }
    auto found = registered_.find(contributes_id);
    if (found != registered_.end()) {
      for (const auto& info : found->second) add(info);
    }
    return result;
  }

  std::optional<framework::ExtensionInfo> FindExtensionInfo(const std::string& contributes_id,
                                                            const std::string& extension_id) override {
    for (auto& info : GetExtensionInfos(contributes_id)) {
      if (info.extension_id() == extension_id) return info;
    }
    return std::nullopt;
  }

  void RegisterExtensionFactory(const std::string& extension_id,
                                framework::extension::ExtensionFactory factory) override {
    if (!factory) return;
    factories_[extension_id] = {std::move(factory), LoadingModule()};
  }

  void UnRegisterExtensionFactory(const std::string& extension_id) override { factories_.erase(extension_id); }

  bool HasExtensionFactory(const std::string& extension_id) override { return factories_.count(extension_id) > 0; }

  std::shared_ptr<framework::IExtensionInterface> CreateExtension(const std::string& extension_id) override {
    auto it = factories_.find(extension_id);
    if (it == factories_.end()) return nullptr;
    auto factory = it->second.factory;  // the factory may register others
    return factory();
  }

  std::string FactoryModule(const std::string& extension_id) const {
    auto it = factories_.find(extension_id);
    return it == factories_.end() ? std::string() : it->second.module;
  }

  void DropFactoriesOf(const std::string& module) {
    std::erase_if(factories_, [&](const auto& entry) { return entry.second.module == module; });
  }

  void Clear() {
    registered_.clear();
    factories_.clear();
  }

 private:
  struct Factory {
    framework::extension::ExtensionFactory factory;
    std::string module;
  };
  std::map<std::string, std::vector<framework::ExtensionInfo>> registered_;
  std::map<std::string, Factory> factories_;
};

HostExtensionService& TheService() {
  static auto* service = new HostExtensionService();
  return *service;
}

void ResetService() { TheService().Clear(); }
const bool kRegistered = host_internal::RegisterReset(&ResetService);

}  // namespace

std::string FactoryModule(const std::string& extension_id) { return TheService().FactoryModule(extension_id); }

void DropFactoriesOf(const std::string& module) { TheService().DropFactoriesOf(module); }

}  // namespace host_internal::extension

namespace framework::extension {

IExtensionService* GetExtensionService() { return &host_internal::extension::TheService(); }

}  // namespace framework::extension
