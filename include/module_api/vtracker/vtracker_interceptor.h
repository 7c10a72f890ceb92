// vtracker::VTrackerViewModelInterceptor: what the tracker registers with the host's module
// interceptor service (InitInterceptor does it). A user action and a view being shown go to
// VTrackerAnalytics::ExecuteTracking; the other callbacks do nothing.
#pragma once

#include "framework/module/module_interceptor.h"
#include "module_api/export.h"

namespace vtracker {

class VELTO_API VTrackerViewModelInterceptor : public framework::module::IViewModelInterceptor {
 public:
  ~VTrackerViewModelInterceptor() override;
  void OnViewModelCreated(framework::ViewModel* view_model, framework::module::IModuleRuntime* runtime) override;
  // Tracks the action.
  void OnViewModelHandleAction(framework::ViewModel* view_model, int action_id,
                               framework::module::IModuleRuntime* runtime) override;
  void OnViewModelHandleActionAfter(framework::ViewModel* view_model, int action_id,
                                    framework::module::IModuleRuntime* runtime) override;
  // Tracks the view being shown, as kVTrackerShowAction.
  void OnViewModelAttached(framework::ViewModel* view_model, framework::module::IModuleRuntime* runtime) override;
  void OnViewModelDetached(framework::ViewModel* view_model, framework::module::IModuleRuntime* runtime) override;
  void OnViewModelVisibleChanged(framework::ViewModel* view_model, bool visible,
                                 framework::module::IModuleRuntime* runtime) override;
};

}  // namespace vtracker
