// How the host's view-model driver reaches the interceptors, and which module a view model
// belongs to. Not installed; not for modules.
#pragma once

#include <cstddef>
#include <string>

#include "framework/module/module_interceptor.h"

namespace host_internal::interceptor {

// Calls every registered interceptor's callback of the same name, in registration order.
void NotifyCreated(framework::ViewModel& view_model);
void NotifyHandleAction(framework::ViewModel& view_model, int action_id);
void NotifyHandleActionAfter(framework::ViewModel& view_model, int action_id);
void NotifyAttached(framework::ViewModel& view_model);
void NotifyDetached(framework::ViewModel& view_model);
void NotifyVisibleChanged(framework::ViewModel& view_model, bool visible);

// The module runtime of that name: made on first use, kept until the host is reset. It hands
// out the application models.
framework::module::IModuleRuntime* NamedRuntime(const std::string& name);
// Files the view model under a module; null files it under the application runtime again.
void SetRuntimeOf(const framework::ViewModel* view_model, framework::module::IModuleRuntime* runtime);
// The view model is going away.
void ForgetViewModel(const framework::ViewModel* view_model);

void SetServiceAvailable(bool available);
size_t InterceptorCount();

}  // namespace host_internal::interceptor
