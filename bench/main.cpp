#include <benchmark/benchmark.h>

#include "hostkit/hostkit.h"
#include "process_probe.h"

int main(int argc, char** argv) {
  // A probe measures a fresh process: nothing of the benchmarks' own set-up may run before it.
  if (const int probe = bench::RunProbeIfAsked(argc, argv); probe >= 0) return probe;
  hostkit::Reset();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  hostkit::Reset();
  return 0;
}
