// Pauses the platform's UI-hang watchdog while a modal dialog holds the UI thread.
#include "framework/module/module_interceptor.h"
#include "module_api/log.h"
#include "veltosdk/utils/tool_service.h"

namespace velto_common::utils::vmleak {
namespace {

class DialogInterceptor : public framework::module::IUIDialogInterceptor {
 public:
  DialogInterceptor() {
    if (auto* service = framework::module::GetModuleInterceptorService()) service->RegisterDialogInterceptor(this);
  }
  ~DialogInterceptor() override {
    if (auto* service = framework::module::GetModuleInterceptorService()) service->UnregisterDialogInterceptor(this);
  }

  void OnDialogShown() override {
    if (paused_) return;
    SetPause(1);
    paused_ = true;
  }
  void OnDialogClosed() override {
    if (!paused_) return;
    SetPause(0);
    paused_ = false;
  }

 private:
  static void SetPause(int pause) {
    // Without the service there is no watchdog to pause.
    if (veltosdk::IToolService* tools = veltosdk::utils::service::GetToolService()) tools->SetUiMonitorPause(pause);
  }

  // Starts paused: the first close resumes the watchdog, the first show after it pauses it.
  bool paused_ = true;
};

// Made when the library is loaded, for the life of the process.
DialogInterceptor g_dialog_interceptor;

}  // namespace
}  // namespace velto_common::utils::vmleak
