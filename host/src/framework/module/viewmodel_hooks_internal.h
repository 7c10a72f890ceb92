// How the host's view-model driver, view models and alerts reach the hooks of
// framework/module/viewmodel_hooks.h, and which module a view model belongs to. Not installed;
// not for modules.
#pragma once

#include <cstddef>
#include <string>

#include "framework/module/viewmodel_hooks.h"

namespace host_internal::hooks {

void NotifyCreated(framework::ViewModel& view_model);
void NotifyReleased(framework::ViewModel* view_model);
void NotifyDialogShown();
void NotifyDialogClosed();

// Files the view model under a module runtime of that name (hostkit); `has_runtime` false files
// it under none. Unfiled view models belong to the application runtime.
void FileViewModel(const framework::ViewModel* view_model, const std::string& module_name, bool has_runtime = true);

size_t CreateInterceptorCount();
size_t ReleaseListenerCount();
size_t DialogInterceptorCount();

}  // namespace host_internal::hooks
