// The network detector stand-in's state, as hostkit sets and reads it. Not installed; not for
// modules.
#pragma once

#include <cstddef>

namespace host_internal::sdk {

void SetNetworkDetectServiceAvailable(bool available);
void SetNetworkOnline(bool online);
size_t NetworkDetectQueries();

}  // namespace host_internal::sdk
