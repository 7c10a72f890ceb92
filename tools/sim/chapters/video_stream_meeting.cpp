// The built-in meeting's cameras: people turn their cameras on and off, and the gallery (see
// meeting/world.cpp) pulls the streams of the first page of the visible list as it changes.
#include <algorithm>
#include <string>

#include "meeting/schedule.h"
#include "meeting/world.h"

namespace {

using sim::meeting::Event;
using sim::meeting::Random;
using sim::meeting::Schedule;
using sim::meeting::Variant;
using sim::meeting::World;

// About one camera change per person every twenty minutes, and at most two a second: in a meeting
// of thousands most people never touch their camera.
void PlanCameras(Schedule& schedule, Random& random) {
  schedule.AddPersonalChanges(random, "camera", 20, 120);
}

void Camera(const Event& event, World& world) {
  const Variant* user = world.fixture().FindUser(event.args.GetString("user_id"));
  if (!user) return;
  Variant changes = Variant::Map();
  changes["video"] = !user->GetBoolean("video");
  world.fixture().UpdateUser(event.args.GetString("user_id"), changes);
  world.Count("camera changes");
  world.Tally("camera changes");
  world.MembersChanged();
}

const bool kRegistered = [] {
  sim::meeting::RegisterPlanner(200, "cameras", PlanCameras);
  sim::meeting::RegisterEventKind("camera", "video", Camera);
  return true;
}();

}  // namespace
