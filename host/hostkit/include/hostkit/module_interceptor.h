// hostkit: the host's module interceptor service (framework/module/module_interceptor.h), and
// which module a view model belongs to.
//
//   MyViewModel vm;
//   hostkit::SetViewModelModule(vm, "web_share");   // interceptors get the "web_share" runtime
//   hostkit::AttachViewModel(vm);                   // interceptors: created, attached
//   hostkit::FireAction(vm, 7);                     // interceptors: action 7 before and after
//   EXPECT_EQ(hostkit::ViewModelInterceptorCount(), 1u);
//
// hostkit::Reset() drops every interceptor and module filing, and makes the service available.
#pragma once

#include <cstddef>
#include <string>

#include "framework/module/module.h"

namespace framework {
class ViewModel;
}

namespace hostkit {

size_t ViewModelInterceptorCount();
// With false, GetModuleInterceptorService() answers null (registrations are kept).
void SetModuleInterceptorServiceAvailable(bool available);

// The runtime of a module by name: its name() is `module_name`, its models the application's.
framework::module::IModuleRuntime* ModuleRuntime(const std::string& module_name);
// Files the view model under the module; an empty name files it under the application runtime.
void SetViewModelModule(const framework::ViewModel& view_model, const std::string& module_name);

}  // namespace hostkit
