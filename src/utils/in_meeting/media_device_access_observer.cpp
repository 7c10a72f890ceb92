#include <map>
#include <memory>
#include <utility>

#include "base/scope_singleton.h"
#include "framework/module/module.h"
#include "module_api/in_meeting/devices.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::inmeeting {

namespace {

using ObserverMap = std::map<int64_t, std::unique_ptr<MediaDeviceAccessPermissionObserver>>;

// Requests that never hear back stay here until library teardown.
ObserverMap* g_observers = nullptr;

void DestroyObservers(void*) {
  ObserverMap* observers = g_observers;
  g_observers = nullptr;
  delete observers;
}

ObserverMap& Observers() {
  if (!g_observers) {
    g_observers = new ObserverMap;
    base::RegisterScopeSingleton(&g_observers, &DestroyObservers);
  }
  return *g_observers;
}

}  // namespace

MediaDeviceAccessPermissionObserver::MediaDeviceAccessPermissionObserver(int event_id, PermissionCallback granted,
                                                                         PermissionCallback denied)
    : granted_(std::move(granted)), denied_(std::move(denied)) {
  framework::Model* camera = framework::module::GetAppModuleModel(velto::model_id::kCameraModel);
  if (!camera) return;
  camera->SubscribeWithLocation(
      event_id, observer_id(), [this](const base::variant::Variant* result) { OnPermissionResult(result); },
      FROM_HERE);
}

MediaDeviceAccessPermissionObserver::~MediaDeviceAccessPermissionObserver() {
  if (framework::Model* camera = framework::module::GetAppModuleModel(velto::model_id::kCameraModel)) {
    camera->Unsubscribe(observer_id());
  }
}

int64_t MediaDeviceAccessPermissionObserver::observer_id() const { return velto::model::ObserverId(this); }

int64_t MediaDeviceAccessPermissionObserver::Keep(std::unique_ptr<MediaDeviceAccessPermissionObserver> observer) {
  const int64_t id = observer->observer_id();
  Observers()[id] = std::move(observer);
  return id;
}

size_t MediaDeviceAccessPermissionObserver::PendingCount() { return g_observers ? g_observers->size() : 0; }

void MediaDeviceAccessPermissionObserver::OnPermissionResult(const base::variant::Variant* result) {
  const bool granted = result && result->AsBoolean();
  VELTO_LOG(velto::log::kTrace) << "request access permission, result is " << static_cast<int>(granted);
  const PermissionCallback& callback = granted ? granted_ : denied_;
  if (callback) callback();
  // Last: erasing destroys this observer.
  if (g_observers) g_observers->erase(observer_id());
}

}  // namespace velto_common::utils::inmeeting
