#include "hostkit/diagnostics.h"

#include "veltosdk/tool_service_state.h"

namespace hostkit {

void SetToolServiceAvailable(bool available) { host_internal::sdk::SetToolServiceAvailable(available); }
void SetVmLeakMonitorEnabled(bool enabled) { host_internal::sdk::SetVmLeakMonitorEnabled(enabled); }
size_t VmLeakMonitorQueries() { return host_internal::sdk::VmLeakMonitorQueries(); }
const std::vector<int>& UiMonitorPauseCalls() { return host_internal::sdk::UiMonitorPauseCalls(); }
void ClearUiMonitorPauseCalls() { host_internal::sdk::ClearUiMonitorPauseCalls(); }

}  // namespace hostkit
