// Allocations made through the global operator new, counted for tests that bound what hostile
// input may cost. The test binary replaces operator new (allocation_count.cpp); allocations of
// the shared libraries count too.
//
//   const test_alloc::Counts before = test_alloc::Now();
//   velto::OpenWebPage(huge_url, ...);
//   const test_alloc::Counts used = test_alloc::Now() - before;
#pragma once

#include <cstdint>

namespace test_alloc {

struct Counts {
  uint64_t calls = 0;
  uint64_t bytes = 0;
  Counts operator-(const Counts& earlier) const { return {calls - earlier.calls, bytes - earlier.bytes}; }
};

Counts Now();

}  // namespace test_alloc
