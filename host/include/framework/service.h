// framework::Service: a host service of one module runtime. It speaks like an application
// model (commands with Call, events with Subscribe), but belongs to the module: reach it
// through the module's runtime, IModuleRuntime::GetServiceRegistry().
//
//   framework::Service* views = runtime->GetServiceRegistry()->GetViewService();
//   views->Subscribe(1, observer_id, [](const Variant* item) { ... item->Get("view") ... });
//   views->Call(0, &view_params, nullptr);   // makes the view; event 1 brings the item back
//
// The view service: command 0 makes the view an extension asks for (its view params, with
// "extension_ptr" and "view_type") and fires event 1, before Call returns, with those params
// plus "view" (the new view's reference). Every subscriber of the module hears event 1; each
// picks its own items by "extension_ptr".
#pragma once

#include <string>

#include "framework/model.h"

namespace framework {

class Service : public ModelImpl {
 public:
  explicit Service(int type) : ModelImpl(type) {}
};

class ServiceRegistry {
 public:
  virtual ~ServiceRegistry() = default;
  // Null when the runtime has no service of that name.
  virtual Service* GetService(const std::string& name) = 0;
  Service* GetViewService() { return GetService("view"); }
};

}  // namespace framework
