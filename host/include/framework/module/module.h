// The module service and application module runtime: how module code reaches the host's
// application models by id.
#pragma once

#include <string>

#include "framework/model.h"

namespace framework::module {

class ITicketProvider;

class IModuleRuntime {
 public:
  virtual ~IModuleRuntime() = default;
  virtual std::string name() const = 0;
  // The application model with this id, null when there is none. Owned by the host.
  virtual Model* GetModel(int model_id) = 0;
};

class IModuleService {
 public:
  virtual ~IModuleService() = default;
  virtual IModuleRuntime* GetAppModuleRuntime() = 0;
  // The account module's web-ticket provider; null when none is loaded.
  virtual ITicketProvider* GetTicketProvider() { return nullptr; }
};

IModuleService* GetModuleService();
// Shorthand for GetModuleService()->GetAppModuleRuntime()->GetModel(model_id).
Model* GetAppModuleModel(int model_id);

}  // namespace framework::module
