#include "module_api/vtracker/vtracker_interceptor.h"

#include "framework/viewmodel.h"
#include "module_api/vtracker/vtracker.h"
#include "module_api/vtracker/vtracker_analytics.h"

namespace vtracker {
namespace {

int TypeOf(const framework::ViewModel* view_model) { return view_model ? view_model->view_model_type() : 0; }

}  // namespace

VTrackerViewModelInterceptor::~VTrackerViewModelInterceptor() = default;

void VTrackerViewModelInterceptor::OnViewModelCreated(framework::ViewModel*, framework::module::IModuleRuntime*) {}

void VTrackerViewModelInterceptor::OnViewModelHandleAction(framework::ViewModel* view_model, int action_id,
                                                           framework::module::IModuleRuntime* runtime) {
  VTrackerAnalytics::GetInstance()->ExecuteTracking(TypeOf(view_model), action_id, runtime);
}

void VTrackerViewModelInterceptor::OnViewModelHandleActionAfter(framework::ViewModel*, int,
                                                                framework::module::IModuleRuntime*) {}

void VTrackerViewModelInterceptor::OnViewModelAttached(framework::ViewModel* view_model,
                                                       framework::module::IModuleRuntime* runtime) {
  VTrackerAnalytics::GetInstance()->ExecuteTracking(TypeOf(view_model), kVTrackerShowAction, runtime);
}

void VTrackerViewModelInterceptor::OnViewModelDetached(framework::ViewModel*, framework::module::IModuleRuntime*) {}

void VTrackerViewModelInterceptor::OnViewModelVisibleChanged(framework::ViewModel*, bool,
                                                             framework::module::IModuleRuntime*) {}

}  // namespace vtracker
