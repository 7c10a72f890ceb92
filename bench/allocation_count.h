// Allocations made through the global operator new so far. The benchmark binary replaces
// operator new (in log_bench.cpp) to count them; the shared libraries' allocations count too.
#pragma once

#include <cstdint>

namespace bench {

uint64_t AllocationCount();

}  // namespace bench
