#include "veltosdk/utils/tool_service.h"

#include <vector>

#include "host_internal.h"
#include "veltosdk/tool_service_state.h"

namespace host_internal::sdk {
namespace {

class ToolService : public veltosdk::IToolService {
 public:
  bool IsVmLeakMonitorEnabled() override {
    ++leak_monitor_queries;
    return leak_monitor_enabled;
  }
  void SetUiMonitorPause(int pause) override { pause_calls.push_back(pause); }

  bool available = true;
  bool leak_monitor_enabled = true;
  size_t leak_monitor_queries = 0;
  std::vector<int> pause_calls;
};

ToolService& TheToolService() {
  static auto* service = new ToolService;
  return *service;
}

void ResetToolService() { TheToolService() = ToolService(); }
const bool kRegistered = host_internal::RegisterReset(&ResetToolService);

}  // namespace

void SetToolServiceAvailable(bool available) { TheToolService().available = available; }
void SetVmLeakMonitorEnabled(bool enabled) { TheToolService().leak_monitor_enabled = enabled; }
size_t VmLeakMonitorQueries() { return TheToolService().leak_monitor_queries; }
const std::vector<int>& UiMonitorPauseCalls() { return TheToolService().pause_calls; }
void ClearUiMonitorPauseCalls() { TheToolService().pause_calls.clear(); }

}  // namespace host_internal::sdk

namespace veltosdk::utils::service {

IToolService* GetToolService() {
  auto& service = host_internal::sdk::TheToolService();
  return service.available ? &service : nullptr;
}

}  // namespace veltosdk::utils::service
