// The operating system's settings registry. Only the Windows client has one: on this platform
// every key reads as absent, unless a test host scripts it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace util::os {

enum class RegistryRoot { kClassesRoot, kCurrentUser, kLocalMachine };

bool RegistryKeyExists(RegistryRoot root, std::string_view path);
// The string value `name` of the key; nullopt when the key or the value is absent.
std::optional<std::string> ReadRegistryString(RegistryRoot root, std::string_view path, std::string_view name);

}  // namespace util::os
