#include "veltosdk/utils/feature_flags.h"

#include <map>
#include <mutex>

#include "veltosdk/sdk_state.h"

namespace {

// Switches are read from worker tasks too.
struct Switches {
  std::mutex mutex;
  std::map<std::string, bool, std::less<>> on;
};

Switches& TheSwitches() {
  static auto* switches = new Switches;
  return *switches;
}

}  // namespace

namespace veltosdk::utils::feature_flags {

bool IsSwitchOn(const std::string& name) {
  Switches& switches = TheSwitches();
  std::lock_guard<std::mutex> lock(switches.mutex);
  auto it = switches.on.find(name);
  return it != switches.on.end() && it->second;
}

}  // namespace veltosdk::utils::feature_flags

namespace host_internal::sdk {

void SetSwitch(const std::string& name, bool on) {
  Switches& switches = TheSwitches();
  std::lock_guard<std::mutex> lock(switches.mutex);
  switches.on[name] = on;
}

void ClearSwitches() {
  Switches& switches = TheSwitches();
  std::lock_guard<std::mutex> lock(switches.mutex);
  switches.on.clear();
}

}  // namespace host_internal::sdk
