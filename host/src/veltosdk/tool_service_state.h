// The tool service stand-in's state, as hostkit sets and reads it. Not installed; not for modules.
#pragma once

#include <cstddef>
#include <vector>

namespace host_internal::sdk {

void SetToolServiceAvailable(bool available);
void SetVmLeakMonitorEnabled(bool enabled);
size_t VmLeakMonitorQueries();
const std::vector<int>& UiMonitorPauseCalls();
void ClearUiMonitorPauseCalls();

}  // namespace host_internal::sdk
