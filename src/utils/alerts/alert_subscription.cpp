#include "utils/alerts/alert_subscription.h"

#include <utility>

#include "framework/module/module.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"

namespace velto::alerts {
namespace {

framework::Model* RuntimeModel(int model_id) {
  framework::module::IModuleService* service = framework::module::GetModuleService();
  framework::module::IModuleRuntime* runtime = service ? service->GetAppModuleRuntime() : nullptr;
  return runtime ? runtime->GetModel(model_id) : nullptr;
}

}  // namespace

bool SubscribeEvent(const void* observer, framework::ViewModel* owner, int model_id, int event_id,
                    framework::EventCallback callback, const base::Location& from) {
  framework::Model* model = RuntimeModel(model_id);
  if (!model) {
    VELTO_LOG_AT(velto::log::kFailure, from) << "model " << model_id << " not found, event " << event_id;
    return false;
  }
  const int64_t observer_id = velto::model::ObserverId(observer);
  if (owner) owner->RecordSubscribe(model, observer_id);
  return model->SubscribeWithLocation(event_id, observer_id, std::move(callback), from);
}

void UnsubscribeEvent(const void* observer, int model_id, int event_id) {
  if (framework::Model* model = RuntimeModel(model_id)) model->Unsubscribe(event_id, velto::model::ObserverId(observer));
}

}  // namespace velto::alerts
