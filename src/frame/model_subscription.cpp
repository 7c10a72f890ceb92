#include "frame/model_subscription.h"

#include <utility>

#include "framework/module/module.h"
#include "framework/viewmodel.h"
#include "module_api/log.h"
#include "module_api/runtime.h"

namespace velto::model {

framework::Model* RuntimeModel(int model_id) {
  framework::module::IModuleRuntime* runtime = velto_common::utils::GetAppModuleRuntime();
  return runtime ? runtime->GetModel(model_id) : nullptr;
}

namespace {

bool Subscribe(framework::ViewModel* recorder, int64_t observer_id, int model_id, int event_id,
               framework::EventCallback callback, const base::Location& location, bool required) {
  framework::Model* model = RuntimeModel(model_id);
  if (!model) {
    if (required) {
      VELTO_LOG_AT(log::kFailure, location) << "model " << model_id << " not found, event " << event_id
                                            << " not subscribed";
    } else {
      VELTO_LOG_AT(log::kNotable, location) << "model " << model_id << " not available, event " << event_id
                                            << " not subscribed";
    }
    return false;
  }
  if (recorder) recorder->RecordSubscribe(model, observer_id);
  return model->SubscribeWithLocation(event_id, observer_id, std::move(callback), location);
}

}  // namespace

bool SubscribeEvent(framework::ViewModel* recorder, int64_t observer_id, int model_id, int event_id,
                    framework::EventCallback callback, const base::Location& location) {
  return Subscribe(recorder, observer_id, model_id, event_id, std::move(callback), location, false);
}

bool SubscribeModelEvent(framework::ViewModel* recorder, int64_t observer_id, int model_id, int event_id,
                         framework::EventCallback callback, const base::Location& location) {
  return Subscribe(recorder, observer_id, model_id, event_id, std::move(callback), location, true);
}

bool SubscribePriorityEvent(framework::ViewModel* recorder, int64_t observer_id, int model_id, int event_id,
                            uint32_t priority, framework::PriorityEventCallback callback,
                            const base::Location& location) {
  framework::Model* model = RuntimeModel(model_id);
  framework::PrioritySubscribable* source = framework::AsPrioritySubscribable(model);
  if (!source) {
    VELTO_LOG_AT(log::kNotable, location) << "model " << model_id << " offers no priority event " << event_id;
    return false;
  }
  if (recorder) recorder->RecordPrioritySubscribe(model, observer_id);
  return source->SubscribePriority(event_id, observer_id, priority, std::move(callback), location);
}

void UnsubscribeModel(framework::ViewModel* recorder, int64_t observer_id, int model_id) {
  framework::Model* model = RuntimeModel(model_id);
  if (!model) return;
  if (recorder) {
    recorder->RecordClearSubscribe(model, observer_id);
    recorder->RecordClearPrioritySubscribe(model, observer_id);
    return;
  }
  model->Unsubscribe(observer_id);
  if (framework::PrioritySubscribable* source = framework::AsPrioritySubscribable(model)) {
    source->UnsubscribePriority(observer_id);
  }
}

}  // namespace velto::model
