// hostkit: the event bus model (502) as the host runs it, for requests between modules that
// others may refuse.
//
//   hostkit::ScriptedModel& bus = hostkit::InstallEventBus();
//   Variant request = Variant::Map();
//   request["event_id"] = 52;
//   request["can_close"] = true;
//   bus.Call(1, &request, nullptr);          // subscribers of event 52 hear `request` itself
//   bool refused = !request.GetBoolean("can_close");
//
// Command 1 fires the event named by the argument's "event_id" with the caller's own map as the
// payload, so what a subscriber writes into it reaches the caller when Call returns; it fails
// without a map or an integer "event_id". The model stays an ordinary ScriptedModel: calls are
// recorded (with the argument as the caller sent it) and other commands can be scripted.
#pragma once

#include "hostkit/hostkit.h"

namespace hostkit {

ScriptedModel& InstallEventBus();

}  // namespace hostkit
