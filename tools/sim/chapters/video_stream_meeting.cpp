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
  const int64_t end = schedule.plan().end_ms();
  const int64_t changes = std::min<int64_t>(static_cast<int64_t>(schedule.plan().users) * schedule.plan().minutes / 20,
                                            schedule.plan().minutes * 120);
  for (int64_t i = 0; i < changes; ++i) {
    const int64_t at = random.Between(0, end);
    const auto* person = schedule.PickPresent(random, at, at);
    if (!person) continue;
    Variant args = Variant::Map();
    args["user_id"] = person->user_id;
    schedule.Add(at, "camera", std::move(args));
  }
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
