// File and path helpers of the host base library.
#pragma once

#include <string>
#include <string_view>

namespace util::file {

// `dir` and `name` joined by one '/' (none added when `dir` already ends in '/' or '\\');
// `name` alone when `dir` is empty.
std::string MakeFilePath(std::string_view dir, std::string_view name);

// True when something (file, directory, even a dangling link) is at `path`.
bool PathExists(const std::string& path);

// Whether a new file can be created at `path`: creates it exclusively, closes it and removes it
// again. False when anything already exists there or creation fails.
bool CanCreateFile(const std::string& path);

}  // namespace util::file
