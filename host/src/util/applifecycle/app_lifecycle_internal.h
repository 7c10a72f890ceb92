// The host's side of util::applifecycle: announcing pause and resume. Not installed.
#pragma once

#include <cstddef>
#include <cstdint>

namespace host_internal::applifecycle {

void NotifyPause();
void NotifyResume(uint64_t background_ms);
size_t ListenerCount();

}  // namespace host_internal::applifecycle
