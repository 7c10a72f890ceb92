// The view-model leak monitor: view models that outlive the user flow that created them.
//
//   using namespace velto_common::utils::vmleak;
//   VmLeakBeginScene(VMSceneName::kScheduleMeeting);      // the flow starts
//   ...                                                    // view models come and go
//   VmLeakEndScene(VMSceneName::kScheduleMeeting, VMLeakSceneReason::kNormal);
//   // 1.8 s later, view models of the scene still alive go out as "vm_leak_monitor_report"
//
// Scenes nest as a stack; only the innermost open scene records view models. Nothing happens
// in the overseas edition, when the platform's tool service turns monitoring off, or for a
// scene without a name. UI thread only.
#pragma once

#include <cstdint>

#include "module_api/export.h"

namespace velto_common::utils::vmleak {

enum class VMSceneName : int32_t {
  kJoinLeaveMeeting = 1,  // "Join_leave_meeting"
  kScheduleMeeting = 2,   // "schedule_meeting"
  kMeetingSetting = 3,    // "meeting_setting"
};

// Why the flow ended; reported as its decimal value. Callers may pass values of their own.
enum class VMLeakSceneReason : int32_t {
  kNormal = 0,
  kUserCancel = 1,
  kError = 2,
};

// The scene's name, or null for a value that has none.
VELTO_API const char* VmSceneNameText(VMSceneName scene);

VELTO_API void VmLeakBeginScene(VMSceneName scene);
// Marks the innermost scene as ending; the leak check runs 1800 ms later on this thread's looper.
VELTO_API void VmLeakEndScene(VMSceneName scene, VMLeakSceneReason reason);

// The process's private memory in kilobytes (on Linux: Private_Clean + Private_Dirty of
// /proc/self/smaps_rollup); 0 when it cannot be read.
VELTO_API float VmGetCurrentProcessMemory();

}  // namespace velto_common::utils::vmleak
