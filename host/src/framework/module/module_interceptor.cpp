#include "framework/module/module_interceptor.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "framework/module/module_interceptor_internal.h"
#include "framework/module_service.h"
#include "framework/viewmodel.h"
#include "host_internal.h"

namespace host_internal::interceptor {
namespace {

using framework::module::IModuleRuntime;
using framework::module::IUIDialogInterceptor;
using framework::module::IViewModelCreateInterceptor;
using framework::module::IViewModelInterceptor;
using framework::module::IViewModelReleaseListener;

template <typename T>
bool AddHook(std::vector<T*>& list, T* hook) {
  if (!hook || std::find(list.begin(), list.end(), hook) != list.end()) return false;
  list.push_back(hook);
  return true;
}

template <typename T>
bool RemoveHook(std::vector<T*>& list, T* hook) {
  auto it = std::find(list.begin(), list.end(), hook);
  if (it == list.end()) return false;
  list.erase(it);
  return true;
}

// A module's runtime as the interceptors see it: its own name, the application's models.
class NamedModuleRuntime : public IModuleRuntime {
 public:
  explicit NamedModuleRuntime(std::string name) : name_(std::move(name)) {}
  std::string name() const override { return name_; }
  framework::Model* GetModel(int model_id) override { return AppRuntime().GetModel(model_id); }

 private:
  std::string name_;
};

class InterceptorService : public framework::module::IModuleInterceptorService {
 public:
  bool RegisterViewModelInterceptor(std::shared_ptr<IViewModelInterceptor> interceptor) override {
    if (!interceptor || std::find(list_.begin(), list_.end(), interceptor) != list_.end()) return false;
    list_.push_back(std::move(interceptor));
    return true;
  }

  bool UnregisterViewModelInterceptor(const std::shared_ptr<IViewModelInterceptor>& interceptor) override {
    auto it = std::find(list_.begin(), list_.end(), interceptor);
    if (it == list_.end()) return false;
    list_.erase(it);
    return true;
  }

  bool RegisterViewModelCreateInterceptor(IViewModelCreateInterceptor* interceptor) override {
    return AddHook(create_hooks_, interceptor);
  }
  bool UnregisterViewModelCreateInterceptor(IViewModelCreateInterceptor* interceptor) override {
    return RemoveHook(create_hooks_, interceptor);
  }
  bool RegisterViewModelReleaseListener(IViewModelReleaseListener* listener) override {
    return AddHook(release_hooks_, listener);
  }
  bool UnregisterViewModelReleaseListener(IViewModelReleaseListener* listener) override {
    return RemoveHook(release_hooks_, listener);
  }
  bool RegisterDialogInterceptor(IUIDialogInterceptor* interceptor) override {
    return AddHook(dialog_hooks_, interceptor);
  }
  bool UnregisterDialogInterceptor(IUIDialogInterceptor* interceptor) override {
    return RemoveHook(dialog_hooks_, interceptor);
  }

  // A copy: callbacks may change the list, and an interceptor unregistered meanwhile stays alive
  // until its callback returned.
  std::vector<std::shared_ptr<IViewModelInterceptor>> Snapshot() const { return list_; }
  size_t size() const { return list_.size(); }

  IModuleRuntime* RuntimeOf(const framework::ViewModel* view_model) {
    auto it = runtime_of_.find(view_model);
    return it == runtime_of_.end() ? &AppRuntime() : it->second;
  }

  std::vector<std::shared_ptr<IViewModelInterceptor>> list_;
  // Diagnostic hooks, not owned: they stay across resets, their owners remove them (a library's
  // last as long as the library).
  std::vector<IViewModelCreateInterceptor*> create_hooks_;
  std::vector<IViewModelReleaseListener*> release_hooks_;
  std::vector<IUIDialogInterceptor*> dialog_hooks_;
  // Null: filed under no runtime.
  std::map<const framework::ViewModel*, IModuleRuntime*> runtime_of_;
  std::map<std::string, std::unique_ptr<NamedModuleRuntime>> runtimes_;
  bool available_ = true;
};

InterceptorService& Service() {
  static auto* service = new InterceptorService();
  return *service;
}

template <typename Call>
void Notify(framework::ViewModel& view_model, Call call) {
  InterceptorService& service = Service();
  if (service.list_.empty()) return;
  IModuleRuntime* runtime = service.RuntimeOf(&view_model);
  for (const auto& interceptor : service.Snapshot()) call(*interceptor, runtime);
}

void Reset() {
  InterceptorService& service = Service();
  auto old = std::move(service.list_);
  service.list_.clear();
  service.runtime_of_.clear();
  service.runtimes_.clear();
  service.available_ = true;
}

const bool kRegistered = RegisterReset(&Reset);

}  // namespace

void NotifyCreated(framework::ViewModel& view_model) {
  InterceptorService& service = Service();
  IModuleRuntime* runtime = service.RuntimeOf(&view_model);
  for (auto* hook : std::vector(service.create_hooks_)) hook->OnViewModelCreated(runtime, &view_model);
  Notify(view_model, [&](IViewModelInterceptor& i, IModuleRuntime* r) { i.OnViewModelCreated(&view_model, r); });
}

void NotifyReleased(framework::ViewModel* view_model) {
  InterceptorService& service = Service();
  service.runtime_of_.erase(view_model);
  for (auto* hook : std::vector(service.release_hooks_)) hook->OnViewModelReleased(view_model);
}

void NotifyDialogShown() {
  for (auto* hook : std::vector(Service().dialog_hooks_)) hook->OnDialogShown();
}

void NotifyDialogClosed() {
  for (auto* hook : std::vector(Service().dialog_hooks_)) hook->OnDialogClosed();
}

void NotifyHandleAction(framework::ViewModel& view_model, int action_id) {
  Notify(view_model, [&](IViewModelInterceptor& i, IModuleRuntime* r) {
    i.OnViewModelHandleAction(&view_model, action_id, r);
  });
}

void NotifyHandleActionAfter(framework::ViewModel& view_model, int action_id) {
  Notify(view_model, [&](IViewModelInterceptor& i, IModuleRuntime* r) {
    i.OnViewModelHandleActionAfter(&view_model, action_id, r);
  });
}

void NotifyAttached(framework::ViewModel& view_model) {
  Notify(view_model, [&](IViewModelInterceptor& i, IModuleRuntime* r) { i.OnViewModelAttached(&view_model, r); });
}

void NotifyDetached(framework::ViewModel& view_model) {
  Notify(view_model, [&](IViewModelInterceptor& i, IModuleRuntime* r) { i.OnViewModelDetached(&view_model, r); });
}

void NotifyVisibleChanged(framework::ViewModel& view_model, bool visible) {
  Notify(view_model, [&](IViewModelInterceptor& i, IModuleRuntime* r) {
    i.OnViewModelVisibleChanged(&view_model, visible, r);
  });
}

IModuleRuntime* NamedRuntime(const std::string& name) {
  auto& slot = Service().runtimes_[name];
  if (!slot) slot = std::make_unique<NamedModuleRuntime>(name);
  return slot.get();
}

void SetRuntimeOf(const framework::ViewModel* view_model, IModuleRuntime* runtime) {
  if (runtime) {
    Service().runtime_of_[view_model] = runtime;
  } else {
    Service().runtime_of_.erase(view_model);
  }
}

void SetNoRuntime(const framework::ViewModel* view_model) { Service().runtime_of_[view_model] = nullptr; }

void SetServiceAvailable(bool available) { Service().available_ = available; }

size_t InterceptorCount() { return Service().size(); }
size_t CreateInterceptorCount() { return Service().create_hooks_.size(); }
size_t ReleaseListenerCount() { return Service().release_hooks_.size(); }
size_t DialogInterceptorCount() { return Service().dialog_hooks_.size(); }

}  // namespace host_internal::interceptor

namespace framework::module {

IModuleInterceptorService* GetModuleInterceptorService() {
  auto& service = host_internal::interceptor::Service();
  return service.available_ ? &service : nullptr;
}

}  // namespace framework::module
