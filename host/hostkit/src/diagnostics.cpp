#include "hostkit/diagnostics.h"

#include "framework/module/viewmodel_hooks_internal.h"
#include "veltosdk/tool_service_state.h"

namespace hostkit {

void SetViewModelRuntimeName(const framework::ViewModel& view_model, const std::string& module_name) {
  host_internal::hooks::FileViewModel(&view_model, module_name);
}
void SetViewModelWithoutRuntime(const framework::ViewModel& view_model) {
  host_internal::hooks::FileViewModel(&view_model, {}, /*has_runtime=*/false);
}
size_t ViewModelCreateInterceptorCount() { return host_internal::hooks::CreateInterceptorCount(); }
size_t ViewModelReleaseListenerCount() { return host_internal::hooks::ReleaseListenerCount(); }
size_t DialogInterceptorCount() { return host_internal::hooks::DialogInterceptorCount(); }

void SetToolServiceAvailable(bool available) { host_internal::sdk::SetToolServiceAvailable(available); }
void SetVmLeakMonitorEnabled(bool enabled) { host_internal::sdk::SetVmLeakMonitorEnabled(enabled); }
size_t VmLeakMonitorQueries() { return host_internal::sdk::VmLeakMonitorQueries(); }
const std::vector<int>& UiMonitorPauseCalls() { return host_internal::sdk::UiMonitorPauseCalls(); }
void ClearUiMonitorPauseCalls() { host_internal::sdk::ClearUiMonitorPauseCalls(); }

}  // namespace hostkit
