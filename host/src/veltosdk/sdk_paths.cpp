#include "veltosdk/utils/sdk_paths.h"

#include "veltosdk/sdk_state.h"

namespace veltosdk::utils::service {
namespace {

std::string Under(const char* child) {
  std::string path = host_internal::sdk::Environment().global_dir;
  if (!path.empty() && path.back() != '/') path += '/';
  return path + child;
}

}  // namespace

std::string GetBizDirPath() { return Under("biz"); }
std::string GetDatabasePath() { return Under("database"); }
std::string GetAvatarPath() { return Under("avatar"); }

}  // namespace veltosdk::utils::service
