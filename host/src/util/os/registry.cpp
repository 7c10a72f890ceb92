#include "util/os/registry.h"

#include "platform_state.h"

namespace util::os {

bool RegistryKeyExists(RegistryRoot root, std::string_view path) {
  return host_internal::platform::RegistryValue(root, path, {}, true).has_value();
}

std::optional<std::string> ReadRegistryString(RegistryRoot root, std::string_view path, std::string_view name) {
  return host_internal::platform::RegistryValue(root, path, name, false);
}

}  // namespace util::os
