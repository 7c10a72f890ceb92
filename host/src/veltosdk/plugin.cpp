#include "veltosdk/plugin/plugin.h"

#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "base/log/log.h"
#include "veltosdk/sdk_state.h"

namespace {

struct Plugins {
  std::mutex mutex;
  std::map<std::pair<std::string, std::string>, void*> interfaces;
};

Plugins& ThePlugins() {
  static auto* plugins = new Plugins;
  return *plugins;
}

}  // namespace

namespace veltosdk::plugin {

SDKError QueryPluginInterface(const char* plugin, const char* interface_name, void** out) {
  if (out) *out = nullptr;
  if (!plugin || !interface_name || !out) {
    if (base::log::GetLogLevel() >= 3) {
      base::log::PrintLog("veltosdk", __FILE__, __LINE__, __func__, 3,
                          "QueryPluginInterface: null plugin, interface or out");
    }
    return SDKError::kInvalidArgument;
  }
  Plugins& plugins = ThePlugins();
  std::lock_guard<std::mutex> lock(plugins.mutex);
  auto it = plugins.interfaces.find({plugin, interface_name});
  if (it == plugins.interfaces.end()) return SDKError::kNotFound;
  *out = it->second;
  return SDKError::kOk;
}

}  // namespace veltosdk::plugin

namespace host_internal::sdk {

void SetPlugin(const std::string& plugin, const std::string& interface_name, void* instance) {
  Plugins& plugins = ThePlugins();
  std::lock_guard<std::mutex> lock(plugins.mutex);
  if (instance) {
    plugins.interfaces[{plugin, interface_name}] = instance;
  } else {
    plugins.interfaces.erase({plugin, interface_name});
  }
}

void ClearPlugins() {
  Plugins& plugins = ThePlugins();
  std::lock_guard<std::mutex> lock(plugins.mutex);
  plugins.interfaces.clear();
}

}  // namespace host_internal::sdk
