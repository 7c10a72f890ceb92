#include "process_probe.h"

#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

extern char** environ;

namespace bench {
namespace {

constexpr char kFlag[] = "--velto_probe=";

std::map<std::string, Probe>& Probes() {
  static std::map<std::string, Probe> probes;
  return probes;
}

}  // namespace

bool RegisterProbe(const char* name, Probe probe) {
  Probes()[name] = probe;
  return true;
}

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

int RunProbeIfAsked(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], kFlag, sizeof kFlag - 1) != 0) continue;
    auto it = Probes().find(argv[i] + sizeof kFlag - 1);
    if (it == Probes().end()) return 2;
    std::printf("%.9g\n", it->second());
    return 0;
  }
  return -1;
}

double RunProbeInFreshProcess(const char* name) {
  int out[2];
  if (pipe(out) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::string flag = std::string(kFlag) + name;
  char self[] = "/proc/self/exe";
  char* args[] = {self, flag.data(), nullptr};
  pid_t child = 0;
  const int spawned = posix_spawn(&child, self, &actions, nullptr, args, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  std::string text;
  char buffer[256];
  for (ssize_t n; spawned == 0 && (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(n));
  close(out[0]);
  if (spawned != 0) return -1;
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return text.empty() ? -1 : std::strtod(text.c_str(), nullptr);
}

}  // namespace bench
