// hostkit's side of the module interceptor service.
#include "hostkit/module_interceptor.h"

#include "framework/module/module_interceptor_internal.h"

namespace hostkit {

size_t ViewModelInterceptorCount() { return host_internal::interceptor::InterceptorCount(); }

void SetModuleInterceptorServiceAvailable(bool available) {
  host_internal::interceptor::SetServiceAvailable(available);
}

framework::module::IModuleRuntime* ModuleRuntime(const std::string& module_name) {
  return host_internal::interceptor::NamedRuntime(module_name);
}

void SetViewModelModule(const framework::ViewModel& view_model, const std::string& module_name) {
  host_internal::interceptor::SetRuntimeOf(&view_model,
                                           module_name.empty() ? nullptr : ModuleRuntime(module_name));
}

}  // namespace hostkit
