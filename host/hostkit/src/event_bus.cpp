#include "hostkit/event_bus.h"

#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace hostkit {

ScriptedModel& InstallEventBus() {
  ScriptedModel& bus = InstallModel(velto::model_id::kEventBusModel);
  ScriptedModel* self = &bus;  // the handler dies with the model
  bus.Handle(velto::model_command::event_bus::kPostEvent, [self](const Variant& request, Variant*) {
    const Variant* event_id = request.Find("event_id");
    if (!event_id || !event_id->IsInteger()) return false;
    self->FireEvent(event_id->AsInt32(), &request);
    return true;
  });
  return bus;
}

}  // namespace hostkit
