// hostkit: the SDK's tool service (veltosdk/utils/tool_service.h), which the diagnostics ask
// whether the leak monitor runs and tell when to pause the UI watchdog. The view-model and
// dialog hooks themselves are the module interceptor service's (hostkit/module_interceptor.h).
//
//   hostkit::SetVmLeakMonitorEnabled(false);     // the tool service says no
//   EXPECT_EQ(hostkit::UiMonitorPauseCalls(), (std::vector<int>{1, 0}));
//
// hostkit::Reset() puts the tool service back (available, monitor on, no calls).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace hostkit {

void SetToolServiceAvailable(bool available);
void SetVmLeakMonitorEnabled(bool enabled);
size_t VmLeakMonitorQueries();
const std::vector<int>& UiMonitorPauseCalls();
void ClearUiMonitorPauseCalls();

}  // namespace hostkit
