// Hooks of the host's module interceptor service for diagnostics: every view model the
// framework creates and releases, and every modal dialog it shows and closes.
//
//   class Watch : public framework::module::IViewModelCreateInterceptor,
//                 public framework::module::IViewModelReleaseListener { ... };
//   framework::module::AddViewModelCreateInterceptor(&watch);   // not owned
//   framework::module::AddViewModelReleaseListener(&watch);
//
// Everything runs on the UI thread. "Created" is reported once, when the framework creates the
// view (right after the view model's OnViewCreated); "released" when the view model is
// destroyed. A hook may add or remove hooks from inside a call: the change applies from the
// next call on.
#pragma once

#include "framework/module/module.h"

namespace framework {
class ViewModel;
}

namespace framework::module {

class IViewModelCreateInterceptor {
 public:
  virtual ~IViewModelCreateInterceptor() = default;
  // `runtime` is the runtime of the module that owns the view model; null when the host knows
  // none.
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

// False for null or for a hook added already (Add), or one not added (Remove).
bool AddViewModelCreateInterceptor(IViewModelCreateInterceptor* interceptor);
bool RemoveViewModelCreateInterceptor(IViewModelCreateInterceptor* interceptor);
bool AddViewModelReleaseListener(IViewModelReleaseListener* listener);
bool RemoveViewModelReleaseListener(IViewModelReleaseListener* listener);
bool AddDialogInterceptor(IUIDialogInterceptor* interceptor);
bool RemoveDialogInterceptor(IUIDialogInterceptor* interceptor);

}  // namespace framework::module
