#include "sim_run.h"

#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace simtest {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "velto-sim-test-XXXXXX").string();
  path_ = mkdtemp(pattern.data()) ? pattern : std::string();
}

TempDir::~TempDir() {
  std::error_code error;
  if (!path_.empty()) std::filesystem::remove_all(path_, error);
}

namespace {

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

Result RunSim(const std::vector<std::string>& args, const TempDir& dir) {
  std::string command = Quote(VELTO_SIM_BINARY);
  bool state = false;
  for (const std::string& arg : args) {
    command += " " + Quote(arg);
    state = state || arg == "--state";
  }
  if (!state) command = "VELTO_SIM_STATE_DIR=" + Quote(dir.File("state")) + " " + command;
  const std::string err_file = dir.File("stderr.txt");
  command += " 2>" + Quote(err_file) + " </dev/null";
  Result result;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return result;
  char buffer[65536];
  size_t n = 0;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, n);
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.err = ReadFile(err_file);
  return result;
}

}  // namespace simtest
