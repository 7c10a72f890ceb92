// The hand-over from hostkit's record capture to the secret guard. Not installed.
#pragma once

#include "hostkit/hostkit.h"

namespace hostkit::secret_guard {

// Called for every captured record, on the printing thread.
void Check(const LogRecord& record);

}  // namespace hostkit::secret_guard
