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
// runtime when the host knows no other; null for one the host files under no runtime). An interceptor may register or unregister interceptors,
// itself included, from a callback: the change applies from the next callback on.
//
// Diagnostics register narrower hooks with the same service, not owned (their owners outlive
// them or remove them), and kept across the host's resets:
//
//   class Watch : public framework::module::IViewModelCreateInterceptor,
//                 public framework::module::IViewModelReleaseListener { ... };
//   service->RegisterViewModelCreateInterceptor(&watch);
//   service->RegisterViewModelReleaseListener(&watch);
//
// "Created" comes once, right after the view model's OnViewCreated; "released" from the view
// model's destructor; a dialog is shown by an alert's Show and closed by an answer to an
// auto-dismissed alert or by disposing a shown one.
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

class IViewModelCreateInterceptor {
 public:
  virtual ~IViewModelCreateInterceptor() = default;
  // `runtime`: the runtime of the module that owns the view model; null when it has none.
  virtual void OnViewModelCreated(IModuleRuntime* runtime, ViewModel* view_model) = 0;
};

class IViewModelReleaseListener {
 public:
  virtual ~IViewModelReleaseListener() = default;
  // From the view model's destructor: the address only identifies it.
  virtual void OnViewModelReleased(ViewModel* view_model) = 0;
};

class IUIDialogInterceptor {
 public:
  virtual ~IUIDialogInterceptor() = default;
  virtual void OnDialogShown() = 0;
  virtual void OnDialogClosed() = 0;
};

class IModuleInterceptorService {
 public:
  virtual ~IModuleInterceptorService() = default;
  // The host shares ownership until the interceptor is unregistered. False for null or for an
  // interceptor registered already.
  virtual bool RegisterViewModelInterceptor(std::shared_ptr<IViewModelInterceptor> interceptor) = 0;
  // False when it was not registered.
  virtual bool UnregisterViewModelInterceptor(const std::shared_ptr<IViewModelInterceptor>& interceptor) = 0;
  // Not owned. False for null or for a hook registered already (Register), or one that was not
  // (Unregister).
  virtual bool RegisterViewModelCreateInterceptor(IViewModelCreateInterceptor* interceptor) = 0;
  virtual bool UnregisterViewModelCreateInterceptor(IViewModelCreateInterceptor* interceptor) = 0;
  virtual bool RegisterViewModelReleaseListener(IViewModelReleaseListener* listener) = 0;
  virtual bool UnregisterViewModelReleaseListener(IViewModelReleaseListener* listener) = 0;
  virtual bool RegisterDialogInterceptor(IUIDialogInterceptor* interceptor) = 0;
  virtual bool UnregisterDialogInterceptor(IUIDialogInterceptor* interceptor) = 0;
};

// Null when the host runs without the service.
IModuleInterceptorService* GetModuleInterceptorService();

}  // namespace framework::module
