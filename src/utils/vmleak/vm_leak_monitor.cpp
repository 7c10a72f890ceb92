#include "utils/vmleak/vm_leak_monitor.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "base/analytics/analytics.h"
#include "framework/viewmodel.h"
#include "module_api/log.h"

namespace velto_common::utils::vmleak {
namespace {

bool SameName(const char* a, const char* b) { return a && b && std::strcmp(a, b) == 0; }

// "(chat_12_34)(member_5)": modules in name order, each with its view models' types ascending.
std::string ObjectList(const VmLeakScene& scene) {
  std::map<std::string, std::vector<int32_t>> by_module;
  for (const auto& [address, view_model] : scene.view_models) by_module[view_model.module_name].push_back(view_model.type);
  std::string list;
  for (auto& [module, types] : by_module) {
    std::sort(types.begin(), types.end());
    list += "(" + module;
    for (int32_t type : types) list += "_" + std::to_string(type);
    list += ")";
  }
  return list;
}

}  // namespace

VmLeakMonitor::~VmLeakMonitor() {
  for (const auto& [task, looper] : pending_checks_) looper->CancelTask(task);
  if (!registered_) return;
  if (framework::module::IModuleInterceptorService* service = framework::module::GetModuleInterceptorService()) {
    service->UnregisterViewModelCreateInterceptor(this);
    service->UnregisterViewModelReleaseListener(this);
  }
}

void VmLeakMonitor::Register() {
  if (registered_) return;
  framework::module::IModuleInterceptorService* service = framework::module::GetModuleInterceptorService();
  if (!service) {
    VELTO_LOG(velto::log::kFailure) << "vm leak monitor: no module interceptor service";
    return;
  }
  const bool created = service->RegisterViewModelCreateInterceptor(this);
  const bool released = service->RegisterViewModelReleaseListener(this);
  registered_ = created || released;
  VELTO_LOG(velto::log::kTrace) << "vm leak monitor registered, create: " << created << ", release: " << released;
}

void VmLeakMonitor::BeginScene(const char* scene_name) {
  if (!scenes_.empty() && scenes_.back().deleting) {
    VELTO_LOG(velto::log::kRejected) << "add failed deleting scene_name: " << scenes_.back().scene_name
                                     << " seq: " << scenes_.back().sequence;
    return;
  }
  if (!scenes_.empty() && SameName(scenes_.back().scene_name, scene_name)) {
    VELTO_LOG(velto::log::kRejected) << "pop top repeat add scene_name: " << scene_name;
    scenes_.pop_back();
  }
  VmLeakScene scene;
  scene.scene_name = scene_name;
  scene.sequence = ++scene_counter_;
  scenes_.push_back(std::move(scene));
}

void VmLeakMonitor::EndScene(const char* scene_name, int32_t reason) {
  if (scenes_.empty()) {
    VELTO_LOG(velto::log::kRejected) << "delete empty stack scene_name: " << scene_name;
    return;
  }
  if (scenes_.back().deleting) {
    VELTO_LOG(velto::log::kRejected) << "already in deleting";
    return;
  }
  scenes_.back().deleting = true;
  base::threading::Looper* looper = base::threading::LooperThread::CurrentLooper();
  // The id is only known after posting; the task looks itself up by it.
  auto task_id = std::make_shared<base::threading::TaskId>(0);
  *task_id = looper->PostDelayedTask(
      [this, scene_name, reason, task_id] { FinishScene(scene_name, reason, *task_id); }, kLeakCheckDelayMs, FROM_HERE);
  pending_checks_[*task_id] = looper;
}

void VmLeakMonitor::FinishScene(const char* scene_name, int32_t reason, base::threading::TaskId task) {
  pending_checks_.erase(task);
  if (scenes_.empty()) return;
  VmLeakScene& top = scenes_.back();
  if (!SameName(top.scene_name, scene_name)) {
    VELTO_LOG(velto::log::kRejected) << "delete not match scene_name: " << scene_name << " seq: " << top.sequence
                                     << " top_scene_name: " << top.scene_name << " seq: " << top.sequence;
    return;
  }
  top.end_reason = reason;
  CheckLeaks(top);
  scenes_.pop_back();
}

void VmLeakMonitor::OnViewModelCreated(framework::module::IModuleRuntime* runtime, framework::ViewModel* view_model) {
  if (!view_model || scenes_.empty() || scenes_.back().deleting) return;
  VmLeakViewModel record;
  if (!runtime) {
    record.module_name = "null_runtime";
  } else {
    record.module_name = runtime->name();
    if (record.module_name.empty()) record.module_name = "null_name";
  }
  record.type = view_model->view_model_type();
  scenes_.back().view_models[view_model] = std::move(record);
}

void VmLeakMonitor::OnViewModelReleased(framework::ViewModel* view_model) {
  if (!scenes_.empty()) scenes_.back().view_models.erase(view_model);
}

void VmLeakMonitor::CheckLeaks(const VmLeakScene& scene) {
  if (scene.view_models.empty()) {
    VELTO_LOG(velto::log::kTrace) << "no leak find scene_name: " << scene.scene_name;
    return;
  }
  // The report is text work: it is built off the UI thread, from a copy.
  base::threading::LooperThread::WorkerLooper()->PostTask(
      [scene] {
        for (const auto& [address, view_model] : scene.view_models) {
          VELTO_LOG(velto::log::kTrace) << scene.scene_name << " ptr: " << address
                                        << " module_name: " << view_model.module_name << " type: " << view_model.type
                                        << " exit_reason: " << scene.end_reason;
        }
        base::analytics::Properties properties;
        properties["vm_leak_scene_name"] = scene.scene_name;
        properties["vm_leak_count"] = std::to_string(scene.view_models.size());
        properties["vm_leak_object_list"] = ObjectList(scene);
        properties["vm_leak_exit_reason"] = std::to_string(scene.end_reason);
        base::analytics::LogEventWithProperties("vm_leak_monitor_report", std::move(properties));
      },
      FROM_HERE);
}

}  // namespace velto_common::utils::vmleak
