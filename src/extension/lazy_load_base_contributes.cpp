#include "module_api/extension/lazy_load_base_contributes.h"

#include <algorithm>
#include <utility>

#include "extension/contained_call.h"
#include "framework/extension/extension_service.h"
#include "framework/module/manifest.h"
#include "framework/module/module.h"
#include "module_api/log.h"

namespace velto {

LazyLoadBaseContributes::LazyLoadBaseContributes(std::string contributes_id, Variant* data_source)
    : contributes_id_(std::move(contributes_id)), data_source_(data_source) {}

LazyLoadBaseContributes::~LazyLoadBaseContributes() = default;

std::vector<ExtensinLazyLoadingConfig> LazyLoadBaseContributes::DynamicConfigExtensionLazyLoadOrNot() { return {}; }

std::set<std::string> LazyLoadBaseContributes::ExtensionsIdOfModuleNotLazyLoaded() { return {}; }

void LazyLoadBaseContributes::FillLazyLoadingExtensionProperties(const std::string&,
                                                                 std::unordered_map<std::string, Variant>&) {}

void LazyLoadBaseContributes::InitContributesDataSource() {
  const std::vector<ExtensinLazyLoadingConfig> configs = DynamicConfigExtensionLazyLoadOrNot();
  std::set<std::string> eager;
  if (configs.empty()) {
    if (!GetExtensionsOfCurContributesByManifest()) return;
    eager = ExtensionsIdOfModuleNotLazyLoaded();
  } else {
    auto* service = framework::extension::GetExtensionService();
    for (const auto& config : configs) {
      extension_modules_[config.extension_id] = config.module_name;
      if (!config.lazy_load) eager.insert(config.extension_id);
      service->RegisterExtensionInfo(contributes_id_, framework::ExtensionInfo(config.extension_id, config.module_name));
    }
  }
  DoInitDataSource(eager);
}

bool LazyLoadBaseContributes::GetExtensionsOfCurContributesByManifest() {
  bool found = false;
  for (const auto& manifest : framework::module::GetModuleManifestProvider()->GetModuleManifests()) {
    for (const auto& entry : manifest.contributes) {
      if (entry.contributes_id != contributes_id_) continue;
      if (entry.extensions.empty()) {
        VELTO_LOG(log::kFailure) << "The extensions for contribute(" << contributes_id_
                                 << ") are empty! please add extensions to the file of manifest.json.";
        return false;
      }
      found = true;
      for (const auto& info : entry.extensions) {
        if (info.IsSupport()) extension_modules_[info.extension_id()] = manifest.module_name;
      }
    }
  }
  if (!found) {
    VELTO_LOG(log::kFailure) << "Can not find contribute:" << contributes_id_ << ", please add to the file of manifest.json.";
  }
  return found;
}

void LazyLoadBaseContributes::DoInitDataSource(const std::set<std::string>& eager) {
  // A copy: loading may register further extensions.
  const auto modules = extension_modules_;
  for (const auto& [extension_id, module] : modules) {
    if (eager.count(extension_id)) {
      LoadModuleAndExtension(extension_id);
    } else if (data_source_ && !HasItem(extension_id)) {
      data_source_->Add(MakePlaceholder(extension_id));
    }
  }
}

LazyLoadBaseContributes::Variant LazyLoadBaseContributes::MakePlaceholder(const std::string& extension_id) {
  std::unordered_map<std::string, Variant> filled;
  FillLazyLoadingExtensionProperties(extension_id, filled);
  // Sorted keys: the placeholder's text does not depend on the hash order.
  std::map<std::string, Variant> ordered(filled.begin(), filled.end());
  Variant properties = Variant::Map();
  for (auto& [key, value] : ordered) properties[key] = std::move(value);
  Variant item = Variant::Map();
  item["extension_id"] = extension_id;
  item["contributes_id"] = contributes_id_;
  item["visible"] = true;
  item["propertites"] = std::move(properties);
  return item;
}

void LazyLoadBaseContributes::LoadModuleAndExtension(std::string extension_id) {
  if (!DoModuleLoad(extension_id)) return;
  DoExtensionLoad(extension_id, nullptr);
}

bool LazyLoadBaseContributes::DoModuleLoad(const std::string& extension_id) {
  auto it = extension_modules_.find(extension_id);
  if (it == extension_modules_.end()) {
    VELTO_LOG(log::kFailure) << "Can not find extension module name for contributes. extension_id:" << extension_id
                             << ",contributes_id:" << contributes_id_;
    return true;  // the extension load that follows reports what is missing
  }
  const std::string module = it->second;
  framework::module::IModuleService* modules = framework::module::GetModuleService();
  if (!modules || modules->IsModuleLoaded(module)) return true;
  if (extension_support::Contain("module load", {module, extension_id, contributes_id_},
                                 [&] { modules->LoadModule(module); })) {
    return true;
  }
  // The module threw: its item stays a placeholder until the next use.
  KeepFailedPlaceholder(extension_id, -1);
  return false;
}

void LazyLoadBaseContributes::DoExtensionLoad(const std::string& extension_id, const Variant* params) {
  if (IsExtensionLoaded(extension_id)) return;
  auto it = extension_modules_.find(extension_id);
  const std::string module = it == extension_modules_.end() ? std::string() : it->second;
  const bool ran = extension_support::Contain("extension load", {module, extension_id, contributes_id_},
                                              [&] { LoadExtension(extension_id.c_str(), params); });
  if (!ran) {
    KeepFailedPlaceholder(extension_id, -1);
  } else if (IsExtensionLoaded(extension_id)) {
    FindItem(extension_id)->Remove("load_failed");
  }
}

bool LazyLoadBaseContributes::HasItem(const std::string& extension_id) const {
  if (!data_source_) return false;
  const auto items = data_source_->Elements();
  return std::any_of(items.begin(), items.end(),
                     [&](const Variant& item) { return item.Get("extension_id").AsStringView() == extension_id; });
}

bool LazyLoadBaseContributes::IsExtensionLoaded(const std::string& extension_id) const {
  if (!data_source_) return false;
  for (const Variant& item : data_source_->Elements()) {
    if (item.Get("extension_id").AsStringView() == extension_id) return item.Has("parent_view");
  }
  return false;
}

void LazyLoadBaseContributes::KeepFailedPlaceholder(const std::string& extension_id, int index) {
  if (!data_source_ || !extension_modules_.count(extension_id)) return;
  Variant* item = FindItem(extension_id);
  if (!item) {
    data_source_->Add(MakePlaceholder(extension_id));
    auto items = data_source_->MutableElements();
    if (index >= 0 && static_cast<size_t>(index) < items.size()) {
      std::rotate(items.begin() + index, items.end() - 1, items.end());
    }
    item = FindItem(extension_id);
  }
  item->Remove("parent_view");
  (*item)["load_failed"] = true;
}

LazyLoadBaseContributes::Variant* LazyLoadBaseContributes::FindItem(const std::string& extension_id) {
  if (!data_source_) return nullptr;
  for (Variant& item : data_source_->MutableElements()) {
    if (item.Get("extension_id").AsStringView() == extension_id) return &item;
  }
  return nullptr;
}

void LazyLoadBaseContributes::DynamicRegisterExtensionInfo(const std::string& extension_id,
                                                           const std::string& module_name) {
  extension_modules_[extension_id] = module_name;
  framework::extension::GetExtensionService()->RegisterExtensionInfo(
      contributes_id_, framework::ExtensionInfo(extension_id, module_name));
}

void LazyLoadBaseContributes::DynamicUnRegisterExtensionInfo(const std::string& extension_id) {
  extension_modules_.erase(extension_id);
  framework::extension::GetExtensionService()->UnRegisterExtensionInfo(contributes_id_, extension_id);
}

}  // namespace velto
