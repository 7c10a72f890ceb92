// hostkit: the host's diagnostic hooks (framework/module/viewmodel_hooks.h) and the SDK's tool
// service (veltosdk/utils/tool_service.h).
//
//   MyViewModel vm;
//   hostkit::SetViewModelRuntimeName(vm, "chat"); // the create hook gets a runtime named "chat"
//   hostkit::AttachViewModel(vm);                // create hooks run (first attach only)
//   hostkit::SetVmLeakMonitorEnabled(false);     // the tool service says no
//   EXPECT_EQ(hostkit::UiMonitorPauseCalls(), (std::vector<int>{1, 0}));
//
// hostkit::Reset() forgets module filings and puts the tool service back (available, monitor
// on, no calls); registered hooks stay until their owners remove them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace framework {
class ViewModel;
}

namespace hostkit {

// Which module runtime the create hooks report for this view model. Unfiled view models are
// the application runtime's ("app").
void SetViewModelRuntimeName(const framework::ViewModel& view_model, const std::string& module_name);
void SetViewModelWithoutRuntime(const framework::ViewModel& view_model);
size_t ViewModelCreateInterceptorCount();
size_t ViewModelReleaseListenerCount();
size_t DialogInterceptorCount();

// Tool service.
void SetToolServiceAvailable(bool available);
void SetVmLeakMonitorEnabled(bool enabled);
size_t VmLeakMonitorQueries();
const std::vector<int>& UiMonitorPauseCalls();
void ClearUiMonitorPauseCalls();

}  // namespace hostkit
