#include "frame/model_subscription.h"

#include <utility>

#include "framework/viewmodel.h"
#include "module_api/log.h"
#include "module_api/runtime.h"

namespace velto::model {
namespace {

framework::Model* RuntimeModel(int model_id) {
  framework::module::IModuleRuntime* runtime = velto_common::utils::GetAppModuleRuntime();
  return runtime ? runtime->GetModel(model_id) : nullptr;
}

}  // namespace

bool SubscribeModelEvent(framework::ViewModel* recorder, int64_t observer_id, int model_id, int event_id,
                         framework::EventCallback callback, const base::Location& location) {
  framework::Model* model = RuntimeModel(model_id);
  if (!model) {
    VELTO_LOG_AT(log::kFailure, location) << "model " << model_id << " not found, event " << event_id
                                          << " not subscribed";
    return false;
  }
  if (recorder) recorder->RecordSubscribe(model, observer_id);
  return model->SubscribeWithLocation(event_id, observer_id, std::move(callback), location);
}

void ClearModelSubscription(framework::ViewModel& recorder, int64_t observer_id, int model_id) {
  if (framework::Model* model = RuntimeModel(model_id)) recorder.RecordClearSubscribe(model, observer_id);
}

void UnsubscribeModel(int64_t observer_id, int model_id) {
  if (framework::Model* model = RuntimeModel(model_id)) model->Unsubscribe(observer_id);
}

}  // namespace velto::model
