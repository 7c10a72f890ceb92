// Plug-in interfaces of the platform SDK. The stand-in has none unless hostkit installs one
// (hostkit::InstallPlugin).
#pragma once

namespace veltosdk {

enum class SDKError : int {
  kOk = 0,
  kNotFound = 1,
  kInvalidArgument = 2,
};

namespace plugin {
// Stores the interface in `out` and returns kOk, or leaves `out` null and returns kNotFound.
SDKError QueryPluginInterface(const char* plugin, const char* interface_name, void** out);
}  // namespace plugin

}  // namespace veltosdk
