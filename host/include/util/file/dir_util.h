// Directory helpers of the host base library (paths as in file_util.h).
#pragma once

#include <cstdint>
#include <string>

namespace util::file {

// `dir` with exactly one trailing separator; "" stays "".
std::string EnsureDirPathWithSlash(const std::string& dir);
// Creates `dir` and its parents; true when it is a directory afterwards.
bool EnsureDirExist(const std::string& dir);
// Size in bytes; -1 when there is no readable regular file at `path`.
int64_t GetFileSize(const std::string& path);

}  // namespace util::file
