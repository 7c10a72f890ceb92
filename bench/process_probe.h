// Measurements that need a fresh process, such as the first call of something a process does
// once: the benchmark binary runs itself again with --velto_probe=<name>, the probe measures
// in that new process and reports back, and the benchmark collects the figure.
//
//   const bool kRegistered = bench::RegisterProbe("first_thing", [] { ...; return seconds; });
//   double seconds = bench::RunProbeInFreshProcess("first_thing");   // in a benchmark
//
// main() hands the command line to RunProbeIfAsked before anything else runs in the process.
#pragma once

namespace bench {

// A probe returns what it measured (seconds of thread CPU time, by convention), or a negative
// value when it could not measure.
using Probe = double (*)();

bool RegisterProbe(const char* name, Probe probe);

// Runs the probe in a new process of this binary; negative when that failed.
double RunProbeInFreshProcess(const char* name);

// When the command line asks for a probe: runs it, prints the figure and returns the process's
// exit code. Otherwise -1.
int RunProbeIfAsked(int argc, char** argv);

// Thread CPU time in seconds, for probes.
double ThreadCpuSeconds();

}  // namespace bench
