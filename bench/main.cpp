#include <benchmark/benchmark.h>

#include "hostkit/hostkit.h"

int main(int argc, char** argv) {
  hostkit::Reset();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  hostkit::Reset();
  return 0;
}
