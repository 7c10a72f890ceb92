// Model event subscriptions of the alert managers: the manager's address is the observer id,
// and a manager that belongs to a view model records its subscriptions there, so that
// detaching the view releases them even when the manager forgets to.
#pragma once

#include "base/location.h"
#include "framework/model.h"
#include "framework/viewmodel.h"

namespace velto::alerts {

// False (logged at level 1) when the application runtime has no such model.
bool SubscribeEvent(const void* observer, framework::ViewModel* owner, int model_id, int event_id,
                    framework::EventCallback callback, const base::Location& from = base::Location::Current());
void UnsubscribeEvent(const void* observer, int model_id, int event_id);

}  // namespace velto::alerts
