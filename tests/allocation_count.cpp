#include "allocation_count.h"

#include <atomic>
#include <cstdlib>
#include <new>

// The replacement pair is malloc/free on both sides; GCC cannot see that once inlined.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<uint64_t> g_calls{0};
std::atomic<uint64_t> g_bytes{0};
}  // namespace

#if VELTO_TEST_COUNTS_ALLOCATIONS
// Every form that could pair with the replaced delete goes to malloc: the plain and nothrow
// forms here; the array forms call these by default; the aligned forms are left to the library,
// which pairs them with its own aligned delete.
void* operator new(std::size_t size) {
  g_calls.fetch_add(1, std::memory_order_relaxed);
  g_bytes.fetch_add(size, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
// The nothrow form too (std::stable_sort's buffer, among others): whatever the replaced delete
// frees must have come from malloc.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  g_calls.fetch_add(1, std::memory_order_relaxed);
  g_bytes.fetch_add(size, std::memory_order_relaxed);
  return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
#endif

namespace test_alloc {

Counts Now() { return {g_calls.load(std::memory_order_relaxed), g_bytes.load(std::memory_order_relaxed)}; }

}  // namespace test_alloc
