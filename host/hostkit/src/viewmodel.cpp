// hostkit's view of view models: lifecycle driving and the records of what they showed.
#include "hostkit/viewmodel.h"

#include <algorithm>
#include <utility>

#include "framework/viewmodel/viewmodel_driver.h"
#include "framework/module_service.h"
#include "framework/viewmodel/viewmodel_records.h"
#include "util/applifecycle/app_lifecycle_internal.h"

namespace hostkit {

const std::vector<Variant>& PropHistory(const framework::ViewModel& view_model, int prop_id) {
  return host_internal::viewmodel::PropHistory(&view_model, prop_id);
}

const char* AlertStateName(AlertState state) {
  switch (state) {
    case AlertState::kCreated: return "created";
    case AlertState::kShown: return "shown";
    case AlertState::kAnswered: return "answered";
    case AlertState::kDisposed: return "disposed";
  }
  return "unknown";
}

const std::vector<AlertRecord>& Alerts() { return host_internal::viewmodel::Alerts(); }

const AlertRecord* FindAlert(int64_t alert_id) { return host_internal::viewmodel::FindAlert(alert_id); }

const AlertRecord* LastAlert() {
  const auto& alerts = Alerts();
  return alerts.empty() ? nullptr : &alerts.back();
}

size_t OpenAlertCount() {
  const auto& alerts = Alerts();
  return static_cast<size_t>(std::count_if(alerts.begin(), alerts.end(),
                                           [](const auto& a) { return a.state == AlertState::kShown; }));
}

bool PressAlertButton(int64_t alert_id, int button, const Variant& data) {
  return host_internal::viewmodel::PressAlertButton(alert_id, button, data);
}

const std::vector<ToastRecord>& Toasts() { return host_internal::viewmodel::Toasts(); }

void ClearToasts() { host_internal::viewmodel::Toasts().clear(); }

const std::vector<LoadingRecord>& Loadings() { return host_internal::viewmodel::Loadings(); }

bool IsLoadingShown(const framework::UIViewModel& view_model) {
  const auto& loadings = Loadings();
  return std::any_of(loadings.begin(), loadings.end(),
                     [&](const auto& l) { return l.owner == &view_model && !l.disposed; });
}

}  // namespace hostkit

namespace hostkit {

bool AttachViewModel(framework::ViewModel& view_model, std::shared_ptr<const framework::Context> context) {
  return host_internal::ViewModelDriver::Attach(view_model, nullptr, std::move(context));
}

bool AttachViewModel(framework::ViewModel& view_model, const Variant& params,
                     std::shared_ptr<const framework::Context> context) {
  return host_internal::ViewModelDriver::Attach(view_model, &params, std::move(context));
}

bool DetachViewModel(framework::ViewModel& view_model) { return host_internal::ViewModelDriver::Detach(view_model); }

void SetViewVisible(framework::ViewModel& view_model, bool visible) {
  host_internal::ViewModelDriver::SetVisible(view_model, visible);
}

void SetCustomParam(framework::ViewModel& view_model, const Variant& value) {
  host_internal::ViewModelDriver::SetCustomParam(view_model, value);
}

void FireAction(framework::ViewModel& view_model, int action_id) {
  host_internal::ViewModelDriver::Action(view_model, action_id, nullptr);
}

void FireAction(framework::ViewModel& view_model, int action_id, const Variant& params) {
  host_internal::ViewModelDriver::Action(view_model, action_id, &params);
}

size_t SubscriptionsOf(int64_t observer_id) {
  size_t total = 0;
  for (const auto& [id, model] : host_internal::AppRuntime().models()) {
    auto* impl = dynamic_cast<framework::ModelImpl*>(model.get());
    if (!impl) continue;
    for (const auto& subscription : impl->Subscriptions()) total += subscription.observer_id == observer_id;
  }
  return total;
}

size_t SubscriptionsOf(const void* observer) {
  return SubscriptionsOf(static_cast<int64_t>(reinterpret_cast<intptr_t>(observer)));
}

void NotifyAppPause() { host_internal::applifecycle::NotifyPause(); }

void NotifyAppResume(uint64_t background_ms) { host_internal::applifecycle::NotifyResume(background_ms); }

size_t AppLifecycleListenerCount() { return host_internal::applifecycle::ListenerCount(); }

}  // namespace hostkit
