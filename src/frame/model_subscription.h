// Event subscriptions in the host's shape, for view models, models and managers of the library:
// the model comes from the application module runtime, a view model records the subscription
// first (so that detaching its view releases it), and the callback is subscribed with the
// subscribing line as its location.
//
//   velto::model::SubscribeModelEvent(this, velto::model::ObserverId(this), kSettingsWindowModel,
//                                     kSelectSettingItem, [this](const Variant* e) { ... });
//   ...
//   velto::model::ClearModelSubscription(*this, velto::model::ObserverId(this), kSettingsWindowModel);
//
// Internal to the library.
#pragma once

#include <cstdint>

#include "base/location.h"
#include "framework/model.h"

namespace framework {
class ViewModel;
}

namespace velto::model {

// `recorder` (may be null) is the view model that records the subscription. False, with a
// level-1 record, when the model is missing: nothing is subscribed then.
bool SubscribeModelEvent(framework::ViewModel* recorder, int64_t observer_id, int model_id, int event_id,
                         framework::EventCallback callback, const base::Location& location = base::Location::Current());

// Forgets the view model's record of the model and unsubscribes the observer from all its events
// there; nothing when the model is gone.
void ClearModelSubscription(framework::ViewModel& recorder, int64_t observer_id, int model_id);

// Unsubscribes the observer from every event of the model; nothing when the model is gone.
void UnsubscribeModel(int64_t observer_id, int model_id);

}  // namespace velto::model
