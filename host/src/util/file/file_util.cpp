#include "util/file/file_util.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace util::file {

std::string MakeFilePath(std::string_view dir, std::string_view name) {
  std::string path(dir);
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
  path += name;
  return path;
}

bool PathExists(const std::string& path) {
  std::error_code error;
  // symlink_status: a dangling link still occupies the name.
  const auto status = std::filesystem::symlink_status(path, error);
  return !error && status.type() != std::filesystem::file_type::not_found;
}

bool CanCreateFile(const std::string& path) {
  // O_EXCL never opens, and so never truncates or removes afterwards, someone else's file.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(path.c_str());
  return true;
}

}  // namespace util::file
