// Event subscriptions in the host's shape, for the library's managers and view models: the
// model comes from the application module runtime, the subscription is recorded with the owning
// view model first (when there is one, so that detaching its view releases it), and the
// observer id is the observer's address. Internal to the library.
//
//   const int64_t me = velto::model::ObserverId(this);
//   velto::model::SubscribeEvent(this, me, model_id::kMeetingModel, event::kJoinComplete,
//                                [this](const Variant* v) { OnJoinComplete(v); });
//   ...
//   velto::model::UnsubscribeModel(this, me, model_id::kMeetingModel);
#pragma once

#include <cstdint>

#include "base/location.h"
#include "framework/model.h"

namespace framework {
class ViewModel;
}

namespace velto::model {

// The runtime's model of that id; null when the runtime or the model is missing.
framework::Model* RuntimeModel(int model_id);

// False (and a level-4 record at `location`) when the model is missing: nothing is subscribed.
// `recorder` may be null.
bool SubscribeEvent(framework::ViewModel* recorder, int64_t observer_id, int model_id, int event_id,
                    framework::EventCallback callback, const base::Location& location = base::Location::Current());
// As SubscribeEvent, for subscriptions a caller cannot do without: a missing model is a failure
// (a level-1 record).
bool SubscribeModelEvent(framework::ViewModel* recorder, int64_t observer_id, int model_id, int event_id,
                         framework::EventCallback callback, const base::Location& location = base::Location::Current());
// As SubscribeEvent for a priority subscription; false also when the model offers none.
bool SubscribePriorityEvent(framework::ViewModel* recorder, int64_t observer_id, int model_id, int event_id,
                            uint32_t priority, framework::PriorityEventCallback callback,
                            const base::Location& location = base::Location::Current());
// Drops every subscription, ordinary and priority, of the observer on the model (and the
// recorder's records of it). Nothing when the model is gone.
void UnsubscribeModel(framework::ViewModel* recorder, int64_t observer_id, int model_id);

}  // namespace velto::model
