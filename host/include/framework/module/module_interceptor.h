// framework::module::IModuleInterceptorService: lets a library watch every view model the host
// drives, in every module, without the modules' help (analytics, diagnostics).
//
//   class Watcher : public framework::module::IViewModelInterceptor { ... };
//   auto watcher = std::make_shared<Watcher>();
//   framework::module::GetModuleInterceptorService()->RegisterViewModelInterceptor(watcher);
//   ...
//   framework::module::GetModuleInterceptorService()->UnregisterViewModelInterceptor(watcher);
//
// Callbacks run on the UI thread, around the view model's own handlers, in registration order.
// `runtime` is the runtime of the module the view model belongs to (the application module
// runtime when the host knows no other). An interceptor may register or unregister interceptors,
// itself included, from a callback: the change applies from the next callback on.
#pragma once

#include <memory>

#include "framework/module/module.h"

namespace framework {
class ViewModel;
}

namespace framework::module {

class IViewModelInterceptor {
 public:
  // Slot order is part of the contract with libraries built against the real host.
  virtual ~IViewModelInterceptor() = default;
  // After the view model's OnViewCreated.
  virtual void OnViewModelCreated(ViewModel* view_model, IModuleRuntime* runtime) = 0;
  // A user action, before the view model handles it.
  virtual void OnViewModelHandleAction(ViewModel* view_model, int action_id, IModuleRuntime* runtime) = 0;
  // The same action, after the view model handled it.
  virtual void OnViewModelHandleActionAfter(ViewModel* view_model, int action_id, IModuleRuntime* runtime) = 0;
  // The view was attached and is shown (after the view model's attach hooks).
  virtual void OnViewModelAttached(ViewModel* view_model, IModuleRuntime* runtime) = 0;
  // The view was detached (after the view model's detach hooks).
  virtual void OnViewModelDetached(ViewModel* view_model, IModuleRuntime* runtime) = 0;
  // The host hid or showed the attached view.
  virtual void OnViewModelVisibleChanged(ViewModel* view_model, bool visible, IModuleRuntime* runtime) = 0;
};

class IModuleInterceptorService {
 public:
  virtual ~IModuleInterceptorService() = default;
  // The host shares ownership until the interceptor is unregistered. False for null or for an
  // interceptor registered already.
  virtual bool RegisterViewModelInterceptor(std::shared_ptr<IViewModelInterceptor> interceptor) = 0;
  // False when it was not registered.
  virtual bool UnregisterViewModelInterceptor(const std::shared_ptr<IViewModelInterceptor>& interceptor) = 0;
};

// Null when the host runs without the service.
IModuleInterceptorService* GetModuleInterceptorService();

}  // namespace framework::module
