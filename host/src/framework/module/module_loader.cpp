// Modules the host can load, their runtimes and view services, and the module manifests.
#include <chrono>
#include <map>
#include <memory>
#include <thread>
#include <utility>

#include "base/threading/looper.h"
#include "base/threading/looper_impl.h"
#include "framework/extension/extension_records.h"
#include "framework/module/manifest.h"
#include "framework/module_service.h"
#include "framework/service.h"
#include "host_internal.h"

namespace host_internal::extension {
namespace {

using base::variant::Variant;

// Makes the views extensions ask for: command 0 with the view params, answered by event 1 with
// the params plus "view".
class ViewService : public framework::Service {
 public:
  ViewService(std::string module, int64_t* next_view) : Service(0), module_(std::move(module)), next_view_(next_view) {}

  bool Call(int command_id, const Variant* in, Variant* out) override {
    if (command_id != 0 || !in || !in->IsMap()) {
      Log(3, __FILE__, __LINE__, __func__,
          "view service of " + module_ + ": command " + std::to_string(command_id) + " needs view params");
      return false;
    }
    Variant item = *in;
    item["view"] = (*next_view_)++;
    RecordView({module_, in->GetString("contributes_id"), in->GetString("extension_id"), in->GetString("view_type"),
                in->GetInteger("parent_view"), item.GetInteger("view"), in->GetBoolean("tbui_extension")});
    FireEvent(1, &item);
    if (out) *out = item;
    return true;
  }

 private:
  std::string module_;
  int64_t* next_view_;
};

class Registry : public framework::ServiceRegistry {
 public:
  Registry(const std::string& module, int64_t* next_view) : view_(module, next_view) {}
  framework::Service* GetService(const std::string& name) override { return name == "view" ? &view_ : nullptr; }

 private:
  ViewService view_;
};

class LoadedModuleRuntime : public framework::module::IModuleRuntime {
 public:
  LoadedModuleRuntime(std::string name, int64_t* next_view) : name_(std::move(name)), registry_(name_, next_view) {}
  std::string name() const override { return name_; }
  framework::Model* GetModel(int model_id) override { return AppRuntime().GetModel(model_id); }
  framework::ServiceRegistry* GetServiceRegistry() override { return &registry_; }

 private:
  std::string name_;
  Registry registry_;
};

struct Module {
  ModuleEntry entry;
  ModuleOptions options;
  std::unique_ptr<LoadedModuleRuntime> runtime;
  bool loaded = false;
  size_t loads = 0;
};

struct State {
  std::map<std::string, Module> modules;
  std::string loading;
  std::vector<framework::module::ModuleManifest> manifests;
  int64_t next_view = 0x50000;
};

State& TheState() {
  static auto* state = new State();
  return *state;
}

void ResetModules() {
  // Runtimes go last: entries may still hold their runtime while the rest is cleared.
  auto old = std::move(TheState());
  TheState() = State();
}
const bool kRegistered = host_internal::RegisterReset(&ResetModules);

void SpendLoadCost(int64_t cost_ms) {
  if (cost_ms <= 0) return;
  if (IsRealTime()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(cost_ms));
  } else {
    SetManualNow(base::threading::NowTicksMs() + cost_ms);
  }
}

std::string Describe(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "unknown exception";
  }
}

}  // namespace

void RegisterModule(const std::string& name, ModuleEntry entry, ModuleOptions options) {
  Module& module = TheState().modules[name];
  module.entry = std::move(entry);
  module.options = options;
}

bool IsModuleKnown(const std::string& name) { return TheState().modules.count(name) > 0; }

bool IsModuleLoaded(const std::string& name) {
  auto it = TheState().modules.find(name);
  return it != TheState().modules.end() && it->second.loaded;
}

bool LoadModule(const std::string& name) {
  State& state = TheState();
  auto it = state.modules.find(name);
  if (it == state.modules.end()) {
    Log(1, __FILE__, __LINE__, __func__, "unknown module: " + name);
    return false;
  }
  Module& module = it->second;
  if (module.loaded) return true;
  if (!module.runtime) module.runtime = std::make_unique<LoadedModuleRuntime>(name, &state.next_view);

  Timing timing;
  timing.module = name;
  Stopwatch watch;
  std::string previous = std::exchange(state.loading, name);
  try {
    SpendLoadCost(module.options.load_cost_ms);
    if (module.entry) {
      ModuleEntry entry = module.entry;
      entry(*module.runtime);
    }
  } catch (...) {
    const std::exception_ptr failure = std::current_exception();
    state.loading = previous;
    DropFactoriesOf(name);
    watch.Stop(timing);
    timing.ok = false;
    timing.error = Describe(failure);
    RecordModuleLoad(timing);
    Log(1, __FILE__, __LINE__, __func__, "module " + name + " failed to load: " + timing.error);
    std::rethrow_exception(failure);
  }
  state.loading = previous;
  module.loaded = true;
  ++module.loads;
  watch.Stop(timing);
  RecordModuleLoad(timing);
  Log(6, __FILE__, __LINE__, __func__, "module loaded: " + name);
  return true;
}

framework::module::IModuleRuntime* ModuleRuntime(const std::string& name) {
  auto it = TheState().modules.find(name);
  return it != TheState().modules.end() && it->second.loaded ? it->second.runtime.get() : nullptr;
}

size_t ModuleLoadCount(const std::string& name) {
  auto it = TheState().modules.find(name);
  return it == TheState().modules.end() ? 0 : it->second.loads;
}

const std::string& LoadingModule() { return TheState().loading; }

void AddManifest(framework::module::ModuleManifest manifest) { TheState().manifests.push_back(std::move(manifest)); }

void ClearManifests() { TheState().manifests.clear(); }

}  // namespace host_internal::extension

namespace framework::module {
namespace {

class HostManifestProvider : public IModuleManifestProvider {
 public:
  const std::vector<ModuleManifest>& GetModuleManifests() override {
    return host_internal::extension::TheState().manifests;
  }
};

}  // namespace

IModuleManifestProvider* GetModuleManifestProvider() {
  static HostManifestProvider provider;
  return &provider;
}

bool ParseModuleManifest(const base::variant::Variant& document, ModuleManifest* out) {
  using host_internal::extension::Log;
  const std::string module = document.GetString("module");
  if (module.empty() || !out) {
    Log(1, __FILE__, __LINE__, __func__, "manifest without \"module\" dropped: " + document.ToJsonStr());
    return false;
  }
  out->module_name = module;
  out->contributes.clear();
  for (const auto& entry : document.Get("contributes").Elements()) {
    const std::string contributes_id = entry.GetString("contributes_id");
    if (contributes_id.empty()) {
      Log(1, __FILE__, __LINE__, __func__,
          "manifest of " + module + ": contributes entry without \"contributes_id\" dropped");
      continue;
    }
    ContributeExtensionInfo contributes{contributes_id, {}};
    for (const auto& extension : entry.Get("extensions").Elements()) {
      const std::string extension_id = extension.GetString("extension_id");
      if (extension_id.empty()) {
        Log(1, __FILE__, __LINE__, __func__,
            "manifest of " + module + ": extension entry without \"extension_id\" dropped in " + contributes_id);
        continue;
      }
      ExtensionInfo info(extension_id, module);
      info.set_support(extension.GetBoolean("support", true));
      info.set_tbui_mode(extension.GetBoolean("tbui", false));
      contributes.extensions.push_back(std::move(info));
    }
    out->contributes.push_back(std::move(contributes));
  }
  return true;
}

}  // namespace framework::module
