#include "framework/resource_dir.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace host_internal {

ResourceDir FindResourceDir() {
  const char* overridden = std::getenv("VELTO_RESOURCE_DIR");
  if (overridden && *overridden) return {overridden, "named by VELTO_RESOURCE_DIR"};

  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&FindResourceDir), &info) || !info.dli_fname || !*info.dli_fname) {
    return {{}, "the host library cannot locate itself"};
  }
  // Resolved, so that a library linked into another directory still finds its own package.
  std::error_code error;
  std::filesystem::path library = std::filesystem::weakly_canonical(info.dli_fname, error);
  if (error) library = info.dli_fname;
  const std::filesystem::path dir = (library.parent_path() / VELTO_RESOURCE_RELATIVE_DIR).lexically_normal();
  return {dir.string(), "beside " + library.string()};
}

}  // namespace host_internal
