// The scene stack behind VmLeakBeginScene / VmLeakEndScene and the host's view-model hooks.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>

#include "base/threading/looper.h"
#include "framework/module/module_interceptor.h"
#include "module_api/vmleak/vm_leak.h"

namespace velto_common::utils::vmleak {

struct VmLeakViewModel {
  // Held as its own text: a runtime's name is handed out by value.
  std::string module_name;
  int32_t type = 0;
};

struct VmLeakScene {
  const char* scene_name = nullptr;
  uint64_t sequence = 0;
  bool deleting = false;
  std::unordered_map<const void*, VmLeakViewModel> view_models;
  int32_t end_reason = 0;
};

class VmLeakMonitor : public framework::module::IViewModelReleaseListener,
                      public framework::module::IViewModelCreateInterceptor {
 public:
  // Delay between closing a scene and its leak check: long enough for the views of the flow to
  // be torn down by the framework.
  static constexpr int64_t kLeakCheckDelayMs = 1800;

  VmLeakMonitor() = default;
  ~VmLeakMonitor() override;  // unregisters and drops pending checks

  // Registers the monitor with the host's module interceptor service (none: nothing is heard).
  void Register();

  void BeginScene(const char* scene_name);
  void EndScene(const char* scene_name, int32_t reason);

  void OnViewModelReleased(framework::ViewModel* view_model) override;
  void OnViewModelCreated(framework::module::IModuleRuntime* runtime, framework::ViewModel* view_model) override;

  size_t SceneCount() const { return scenes_.size(); }

 private:
  void FinishScene(const char* scene_name, int32_t reason, base::threading::TaskId task);
  static void CheckLeaks(const VmLeakScene& scene);

  uint64_t scene_counter_ = 0;
  std::deque<VmLeakScene> scenes_;  // back() is the open scene
  bool registered_ = false;
  // Leak checks posted and not yet run, with the looper each waits on.
  std::unordered_map<base::threading::TaskId, base::threading::Looper*> pending_checks_;
};

}  // namespace velto_common::utils::vmleak
