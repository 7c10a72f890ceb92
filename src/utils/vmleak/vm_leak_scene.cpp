// The scene functions: whether monitoring runs at all, and the one shared monitor.
#include <memory>
#include <mutex>

#include "frame/scope_singleton.h"
#include "module_api/log.h"
#include "module_api/vmleak/vm_leak.h"
#include "utils/vmleak/vm_leak_monitor.h"
#include "veltosdk/utils/environment.h"
#include "veltosdk/utils/tool_service.h"

namespace velto_common::utils::vmleak {
namespace {

// The tool service's answer is asked once per process; the monitor is made, and hooked into
// the host, the first time a scene function runs with monitoring on.
struct LeakMonitoring {
  std::once_flag asked;
  bool enabled = false;
  std::once_flag made;
  std::unique_ptr<VmLeakMonitor> monitor;
};
ScopeSingleton<LeakMonitoring> g_monitoring;

// Null when monitoring is off.
VmLeakMonitor* Monitor() {
  LeakMonitoring* monitoring = g_monitoring.Get();
  std::call_once(monitoring->asked, [monitoring] {
    veltosdk::IToolService* tools = veltosdk::utils::service::GetToolService();
    // Without the service nothing says no: monitoring runs.
    monitoring->enabled = !tools || tools->IsVmLeakMonitorEnabled();
    VELTO_LOG(velto::log::kTrace) << "vm leak monitor enabled: " << monitoring->enabled;
  });
  if (!monitoring->enabled) return nullptr;
  std::call_once(monitoring->made, [monitoring] {
    monitoring->monitor = std::make_unique<VmLeakMonitor>();
    monitoring->monitor->Register();
  });
  return monitoring->monitor.get();
}

}  // namespace

const char* VmSceneNameText(VMSceneName scene) {
  switch (scene) {
    case VMSceneName::kJoinLeaveMeeting: return "Join_leave_meeting";
    case VMSceneName::kScheduleMeeting: return "schedule_meeting";
    case VMSceneName::kMeetingSetting: return "meeting_setting";
  }
  return nullptr;
}

void VmLeakBeginScene(VMSceneName scene) {
  const char* name = VmSceneNameText(scene);
  if (!name || veltosdk::utils::version_util::IsPeluVersion()) return;
  if (VmLeakMonitor* monitor = Monitor()) monitor->BeginScene(name);
}

void VmLeakEndScene(VMSceneName scene, VMLeakSceneReason reason) {
  const char* name = VmSceneNameText(scene);
  if (!name || veltosdk::utils::version_util::IsPeluVersion()) return;
  if (VmLeakMonitor* monitor = Monitor()) monitor->EndScene(name, static_cast<int32_t>(reason));
}

}  // namespace velto_common::utils::vmleak
