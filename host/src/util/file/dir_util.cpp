#include "util/file/dir_util.h"

#include <filesystem>
#include <system_error>

namespace util::file {
namespace {
bool IsSeparator(char c) { return c == '/' || c == '\\'; }
}  // namespace

std::string EnsureDirPathWithSlash(const std::string& dir) {
  if (dir.empty()) return dir;
  std::string result = dir;
  while (result.size() > 1 && IsSeparator(result.back()) && IsSeparator(result[result.size() - 2])) {
    result.pop_back();
  }
  if (!IsSeparator(result.back())) result.push_back('/');
  return result;
}

bool EnsureDirExist(const std::string& dir) {
  if (dir.empty()) return false;
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  return std::filesystem::is_directory(dir, error);
}

int64_t GetFileSize(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return error ? -1 : static_cast<int64_t>(size);
}

}  // namespace util::file
