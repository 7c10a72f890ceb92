// The module service and application module runtime: how module code reaches the host's
// application models by id, and how modules are loaded.
//
//   framework::module::IModuleService* modules = framework::module::GetModuleService();
//   if (!modules->IsModuleLoaded("invite")) modules->LoadModule("invite");
//   framework::module::IModuleRuntime* runtime = modules->GetModuleRuntime("invite");
//   framework::Service* views = runtime->GetServiceRegistry()->GetViewService();
#pragma once

#include <string>

#include "framework/model.h"

namespace framework {
class ServiceRegistry;
}

namespace framework::module {

class ITicketProvider;

class IModuleRuntime {
 public:
  virtual ~IModuleRuntime() = default;
  virtual std::string name() const = 0;
  // The application model with this id, null when there is none. Owned by the host.
  virtual Model* GetModel(int model_id) = 0;
  // The runtime's services (the view service among them); null when it has none.
  virtual ServiceRegistry* GetServiceRegistry() { return nullptr; }
};

class IModuleService {
 public:
  virtual ~IModuleService() = default;
  virtual IModuleRuntime* GetAppModuleRuntime() = 0;
  // The account module's web-ticket provider; null when none is loaded.
  virtual ITicketProvider* GetTicketProvider() { return nullptr; }
  // Modules load at most once: loading runs the module's entry, which registers its extension
  // factories. False for a module the host does not know. An entry that throws leaves the
  // module unloaded (a later call tries again) and the exception goes on to the caller.
  virtual bool IsModuleLoaded(const std::string& /*module_name*/) { return false; }
  virtual bool LoadModule(const std::string& /*module_name*/) { return false; }
  // The runtime of a loaded module; null otherwise.
  virtual IModuleRuntime* GetModuleRuntime(const std::string& /*module_name*/) { return nullptr; }
};

IModuleService* GetModuleService();
// Shorthand for GetModuleService()->GetAppModuleRuntime()->GetModel(model_id).
Model* GetAppModuleModel(int model_id);

}  // namespace framework::module
