// The platform SDK's tool service: switches of the client's diagnostic tools.
//
//   veltosdk::IToolService* tools = veltosdk::utils::service::GetToolService();
//   if (tools && tools->IsVmLeakMonitorEnabled()) ...
//   if (tools) tools->SetUiMonitorPause(1);   // a modal dialog is up: the UI-hang watchdog waits
#pragma once

namespace veltosdk {

class IToolService {
 public:
  virtual ~IToolService() = default;
  // Whether this client build watches for view models that outlive their flow.
  virtual bool IsVmLeakMonitorEnabled() = 0;
  // 1 pauses the SDK's UI-hang watchdog (a modal dialog blocks the UI thread on purpose), 0
  // resumes it.
  virtual void SetUiMonitorPause(int pause) = 0;
};

}  // namespace veltosdk

namespace veltosdk::utils::service {
// Null when the SDK runs without it.
IToolService* GetToolService();
}  // namespace veltosdk::utils::service
