// The view-model analytics tracker ("visual tracking"): analytics events that no module writes
// into its code. The library watches every view-model action through the host's module
// interceptor service and reports those that the remote configuration names (vtracker_config.h),
// under an enable switch, ignore lists, a minimum client version per entry and a per-event
// frequency limit (vtracker_analytics.h).
//
//   vtracker::InitInterceptor();     // once, when the client starts; tracking follows the switch
//   ...
//   vtracker::UninitInterceptor();
//
// The switch is the client setting "vtracker.vtracker_enable_ability" (configuration model 517).
// A view model is tracked as the page GetVTrackerPageHash(module name, view-model type); its
// actions as the elements GetVTrackerElementHash(action id), and its view being shown as the
// element of kVTrackerShowAction.
#pragma once

#include <string>

#include "framework/module/module.h"
#include "module_api/export.h"

namespace vtracker {

// The dynamic resource that carries the configuration, and its file.
inline constexpr char kVTrackerResName[] = "visual_tracking_conf";
inline constexpr char kVTrackerConfigFileName[] = "vtracker.json";
// The action under which a view model is tracked when its view is shown.
inline constexpr int kVTrackerShowAction = -1;

// Registers the tracker's interceptor with the host and starts the tracker (which stays idle
// while the switch is off). A second call logs "already initialized" and does nothing.
VELTO_API void InitInterceptor();
// Unregisters the interceptor; without InitInterceptor logs "not initialized".
VELTO_API void UninitInterceptor();
// Fills the ignore lists: the modules "atg_test", "debug_assistant", "crash_prompt" and
// "web_share" are never tracked. InitInterceptor calls it.
VELTO_API void InitVTrackerConfig();
VELTO_API bool IsEnableVTracker();
// True when tracking is allowed: false (logged) for an ignored module, view-model type or action,
// checked in that order.
VELTO_API bool CheckVTrackerIgnored(int vm_type, int action, framework::module::IModuleRuntime* runtime);
// The runtime's module name; "" without a runtime.
VELTO_API std::string GetVTrackerModuleName(framework::module::IModuleRuntime* runtime);

// The identifiers configuration entries use: lower-case hex MD5 of "<module>/<vm_type>" for a
// page and of "action/<action>" for an element; a map key joins them with '_'.
VELTO_API std::string GetVTrackerPageHash(const std::string& module_name, int vm_type);
VELTO_API std::string GetVTrackerElementHash(int action);
VELTO_API std::string MakeVTrackerMapKey(const std::string& page_hash, const std::string& element_hash);

}  // namespace vtracker
