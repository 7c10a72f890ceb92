#include "framework/module_service.h"

#include "framework/extension/extension_records.h"
#include "host_internal.h"
#include "platform_state.h"

namespace host_internal {
namespace {

class HostModuleService : public framework::module::IModuleService {
 public:
  framework::module::IModuleRuntime* GetAppModuleRuntime() override { return &AppRuntime(); }
  framework::module::ITicketProvider* GetTicketProvider() override { return platform::TicketProvider(); }
  bool IsModuleLoaded(const std::string& module_name) override { return extension::IsModuleLoaded(module_name); }
  bool LoadModule(const std::string& module_name) override { return extension::LoadModule(module_name); }
  framework::module::IModuleRuntime* GetModuleRuntime(const std::string& module_name) override {
    return extension::ModuleRuntime(module_name);
  }
};

}  // namespace

framework::Model* HostModuleRuntime::GetModel(int model_id) {
  auto it = models_.find(model_id);
  return it == models_.end() ? nullptr : it->second.get();
}

void HostModuleRuntime::Install(int model_id, std::unique_ptr<framework::Model> model) {
  // Keep the old model alive until the new one is in place: its destructor may look models up.
  auto old = std::move(models_[model_id]);
  models_[model_id] = std::move(model);
}

void HostModuleRuntime::Remove(int model_id) {
  auto it = models_.find(model_id);
  if (it == models_.end()) return;
  auto old = std::move(it->second);
  models_.erase(it);
}

void HostModuleRuntime::Clear() {
  auto old = std::move(models_);
  models_.clear();
}

HostModuleRuntime& AppRuntime() {
  static HostModuleRuntime* runtime = new HostModuleRuntime();
  return *runtime;
}

void ResetModels() { AppRuntime().Clear(); }

}  // namespace host_internal

namespace framework::module {

IModuleService* GetModuleService() {
  static host_internal::HostModuleService service;
  return &service;
}

Model* GetAppModuleModel(int model_id) { return host_internal::AppRuntime().GetModel(model_id); }

}  // namespace framework::module
