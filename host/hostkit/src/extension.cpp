// hostkit's view of modules and extensions: manifests, module registration and loading, and
// the records the host keeps of them.
#include "hostkit/extension.h"

#include <algorithm>
#include <utility>

#include "framework/extension/extension_records.h"
#include "framework/module/dispatcher.h"
#include "framework/module/manifest.h"
#include "tbui/ext/tb_module_runtime.h"

namespace hostkit {

namespace ext = host_internal::extension;

bool DeclareManifest(const Variant& document) {
  framework::module::ModuleManifest manifest;
  if (!framework::module::ParseModuleManifest(document, &manifest)) return false;
  ext::AddManifest(std::move(manifest));
  return true;
}

void ClearManifests() { ext::ClearManifests(); }

void RegisterModule(const std::string& name, ModuleEntry entry, ModuleOptions options) {
  ext::RegisterModule(name, std::move(entry), ext::ModuleOptions{options.load_cost_ms});
}

bool LoadModule(const std::string& name) {
  try {
    return ext::LoadModule(name);
  } catch (...) {
    return false;
  }
}

bool IsModuleLoaded(const std::string& name) { return ext::IsModuleLoaded(name); }

size_t ModuleLoadCount(const std::string& name) { return ext::ModuleLoadCount(name); }

std::vector<LoadTiming> ModuleLoads() { return ext::ModuleLoads(); }

std::vector<LoadTiming> ExtensionActivations() { return ext::Activations(); }

std::vector<ExtensionMessage> ExtensionTraffic() { return ext::Messages(); }

void ClearExtensionTraffic() { ext::ClearMessages(); }

std::string Describe(const ExtensionMessage& message) {
  return message.kind == ExtensionMessage::Kind::kEvent ? "event " + message.name + " -> " + message.extension_id
                                                        : "command " + message.name + " <- " + message.extension_id;
}

std::vector<std::string> TrafficLines(const std::vector<std::string>& names) {
  std::vector<std::string> lines;
  for (const auto& message : ExtensionTraffic()) {
    if (!names.empty() && std::find(names.begin(), names.end(), message.name) == names.end()) continue;
    lines.push_back(Describe(message));
  }
  return lines;
}

std::vector<ViewRecord> CreatedViews() { return ext::Views(); }

void RegisterWidget(const std::string& view_type) { tbui::ext::TBModuleRuntime::RegisterWidget(view_type); }

std::string CurrentPopupToken() { return framework::module::Dispatcher::GetInstance().CurrentToken(); }

size_t WaitingPopupCount() { return framework::module::Dispatcher::GetInstance().WaitingCount(); }

}  // namespace hostkit
