// Runs the velto-sim binary of this build, as a user would from a shell, in a temporary folder
// that the test owns.
#pragma once

#include <string>
#include <vector>

namespace simtest {

struct Result {
  int status = -1;  // the exit status, or 128 + signal
  std::string out;
  std::string err;
};

// A folder removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Runs velto-sim with these arguments; the preferences go to a state folder inside `dir`
// unless the arguments name one.
Result RunSim(const std::vector<std::string>& args, const TempDir& dir);
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);

}  // namespace simtest
