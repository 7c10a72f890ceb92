// A record below the current level must cost a level check and nothing else: no writer, no
// formatting, no allocation. Allocations are counted by replacing the global operator new.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "allocation_count.h"
#include "base/log/log.h"
#include "module_api/log.h"

// The replacement pair is malloc/free on both sides; GCC cannot see that once inlined.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<uint64_t> g_allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

uint64_t bench::AllocationCount() { return g_allocations.load(std::memory_order_relaxed); }

namespace {

std::string MakeText(int i) { return "user " + std::to_string(i) + " joined with a long description"; }

void BM_LogBelowLevel(benchmark::State& state) {
  base::log::SetLogLevel(1);
  const uint64_t writers = velto::log::WritersCreatedOnThisThread();
  const uint64_t allocations = bench::AllocationCount();
  int i = 0;
  for (auto _ : state) {
    ++i;
    VELTO_LOG(6) << MakeText(i) << " index " << i << " ratio " << 0.5;
    benchmark::ClobberMemory();
  }
  state.counters["allocations"] = static_cast<double>(bench::AllocationCount() - allocations);
  state.counters["writers"] = static_cast<double>(velto::log::WritersCreatedOnThisThread() - writers);
  base::log::SetLogLevel(6);
}
BENCHMARK(BM_LogBelowLevel);

// For scale: the same record at an enabled level (console off, no files: capture only).
void BM_LogAtLevel(benchmark::State& state) {
  base::log::SetConsoleEnabled(false);
  base::log::SetLogLevel(6);
  int i = 0;
  for (auto _ : state) {
    ++i;
    VELTO_LOG(6) << "user " << i << " joined";
  }
}
BENCHMARK(BM_LogAtLevel);

}  // namespace
