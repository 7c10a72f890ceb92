#include "framework/module/viewmodel_hooks.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "framework/module/viewmodel_hooks_internal.h"
#include "framework/module_service.h"
#include "host_internal.h"

namespace host_internal::hooks {
namespace {

// A module's runtime: its own name, the application's models.
class NamedRuntime : public framework::module::IModuleRuntime {
 public:
  explicit NamedRuntime(std::string name) : name_(std::move(name)) {}
  std::string name() const override { return name_; }
  framework::Model* GetModel(int model_id) override { return AppRuntime().GetModel(model_id); }

 private:
  std::string name_;
};

struct Hooks {
  std::vector<framework::module::IViewModelCreateInterceptor*> create;
  std::vector<framework::module::IViewModelReleaseListener*> release;
  std::vector<framework::module::IUIDialogInterceptor*> dialog;
  std::map<std::string, std::unique_ptr<NamedRuntime>> runtimes;
  std::map<const framework::ViewModel*, NamedRuntime*> filed;  // null: no runtime
};

Hooks& TheHooks() {
  static auto* hooks = new Hooks;  // view models may be destroyed while statics go away
  return *hooks;
}

template <typename T>
bool Add(std::vector<T*>& list, T* hook) {
  if (!hook || std::find(list.begin(), list.end(), hook) != list.end()) return false;
  list.push_back(hook);
  return true;
}

template <typename T>
bool Remove(std::vector<T*>& list, T* hook) {
  auto it = std::find(list.begin(), list.end(), hook);
  if (it == list.end()) return false;
  list.erase(it);
  return true;
}

// Hooks stay: their owners remove them (a library's lasts as long as the library). Which module
// a view model belongs to is the test's business and goes.
void ResetHooks() {
  Hooks& hooks = TheHooks();
  hooks.filed.clear();
  hooks.runtimes.clear();
}
const bool kRegistered = host_internal::RegisterReset(&ResetHooks);

}  // namespace

void NotifyCreated(framework::ViewModel& view_model) {
  Hooks& hooks = TheHooks();
  framework::module::IModuleRuntime* runtime = &AppRuntime();
  if (auto it = hooks.filed.find(&view_model); it != hooks.filed.end()) runtime = it->second;
  // A copy: a hook may add or remove hooks.
  for (auto* hook : std::vector(hooks.create)) hook->OnViewModelCreated(runtime, &view_model);
}

void NotifyReleased(framework::ViewModel* view_model) {
  Hooks& hooks = TheHooks();
  hooks.filed.erase(view_model);
  for (auto* hook : std::vector(hooks.release)) hook->OnViewModelReleased(view_model);
}

void NotifyDialogShown() {
  for (auto* hook : std::vector(TheHooks().dialog)) hook->OnDialogShown();
}

void NotifyDialogClosed() {
  for (auto* hook : std::vector(TheHooks().dialog)) hook->OnDialogClosed();
}

void FileViewModel(const framework::ViewModel* view_model, const std::string& module_name, bool has_runtime) {
  Hooks& hooks = TheHooks();
  if (!has_runtime) {
    hooks.filed[view_model] = nullptr;
    return;
  }
  auto& runtime = hooks.runtimes[module_name];
  if (!runtime) runtime = std::make_unique<NamedRuntime>(module_name);
  hooks.filed[view_model] = runtime.get();
}

size_t CreateInterceptorCount() { return TheHooks().create.size(); }
size_t ReleaseListenerCount() { return TheHooks().release.size(); }
size_t DialogInterceptorCount() { return TheHooks().dialog.size(); }

}  // namespace host_internal::hooks

namespace framework::module {

using host_internal::hooks::TheHooks;

bool AddViewModelCreateInterceptor(IViewModelCreateInterceptor* interceptor) {
  return host_internal::hooks::Add(TheHooks().create, interceptor);
}
bool RemoveViewModelCreateInterceptor(IViewModelCreateInterceptor* interceptor) {
  return host_internal::hooks::Remove(TheHooks().create, interceptor);
}
bool AddViewModelReleaseListener(IViewModelReleaseListener* listener) {
  return host_internal::hooks::Add(TheHooks().release, listener);
}
bool RemoveViewModelReleaseListener(IViewModelReleaseListener* listener) {
  return host_internal::hooks::Remove(TheHooks().release, listener);
}
bool AddDialogInterceptor(IUIDialogInterceptor* interceptor) {
  return host_internal::hooks::Add(TheHooks().dialog, interceptor);
}
bool RemoveDialogInterceptor(IUIDialogInterceptor* interceptor) {
  return host_internal::hooks::Remove(TheHooks().dialog, interceptor);
}

}  // namespace framework::module
