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
using framework::module::IViewModelInterceptor;

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

  // A copy: callbacks may change the list, and an interceptor unregistered meanwhile stays alive
  // until its callback returned.
  std::vector<std::shared_ptr<IViewModelInterceptor>> Snapshot() const { return list_; }
  size_t size() const { return list_.size(); }

  IModuleRuntime* RuntimeOf(const framework::ViewModel* view_model) {
    auto it = runtime_of_.find(view_model);
    return it == runtime_of_.end() ? &AppRuntime() : it->second;
  }

  std::vector<std::shared_ptr<IViewModelInterceptor>> list_;
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
  Notify(view_model, [&](IViewModelInterceptor& i, IModuleRuntime* r) { i.OnViewModelCreated(&view_model, r); });
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

void ForgetViewModel(const framework::ViewModel* view_model) { Service().runtime_of_.erase(view_model); }

void SetServiceAvailable(bool available) { Service().available_ = available; }

size_t InterceptorCount() { return Service().size(); }

}  // namespace host_internal::interceptor

namespace framework::module {

IModuleInterceptorService* GetModuleInterceptorService() {
  auto& service = host_internal::interceptor::Service();
  return service.available_ ? &service : nullptr;
}

}  // namespace framework::module
