// Allocations made through the global operator new, counted for tests that bound what hostile
// input may cost. The test binary replaces operator new (allocation_count.cpp); allocations of
// the shared libraries count too.
//
//   if (!test_alloc::Counted()) GTEST_SKIP() << test_alloc::kNotCounted;
//   const test_alloc::Counts before = test_alloc::Now();
//   velto::OpenWebPage(huge_url, ...);
//   const test_alloc::Counts used = test_alloc::Now() - before;
//
// The sanitizer build keeps the sanitizer's own operator new and delete: they are what tells a
// new[] freed with delete, or malloc'd memory freed with delete, anywhere in the library. There
// nothing is counted and Now() stays at zero.
#pragma once

#include <cstdint>

namespace test_alloc {

struct Counts {
  uint64_t calls = 0;
  uint64_t bytes = 0;
  Counts operator-(const Counts& earlier) const { return {calls - earlier.calls, bytes - earlier.bytes}; }
};

#if defined(__SANITIZE_ADDRESS__)
#define VELTO_TEST_COUNTS_ALLOCATIONS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELTO_TEST_COUNTS_ALLOCATIONS 0
#endif
#endif
#ifndef VELTO_TEST_COUNTS_ALLOCATIONS
#define VELTO_TEST_COUNTS_ALLOCATIONS 1
#endif

// Whether this build counts allocations at all.
constexpr bool Counted() { return VELTO_TEST_COUNTS_ALLOCATIONS != 0; }
inline constexpr char kNotCounted[] = "allocations are not counted in the sanitizer build";

Counts Now();

}  // namespace test_alloc
