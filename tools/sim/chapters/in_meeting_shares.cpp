// The built-in meeting's screen shares: about one every ten minutes, three to eight minutes
// long, one at a time, each seen through the in-meeting queries.
#include <algorithm>
#include <string>

#include "meeting/schedule.h"
#include "meeting/world.h"
#include "module_api/in_meeting/in_meeting_utils.h"

namespace {

using sim::meeting::Event;
using sim::meeting::Random;
using sim::meeting::Schedule;
using sim::meeting::Variant;
using sim::meeting::World;
namespace inmeeting = velto_common::utils::inmeeting;

void PlanShares(Schedule& schedule, Random& random) {
  const int64_t end = schedule.plan().end_ms();
  const int64_t sessions = std::max<int64_t>(1, schedule.plan().minutes / 10);
  const int64_t slot = end / sessions;
  for (int64_t i = 0; i < sessions; ++i) {
    const int64_t start = i * slot + random.Between(slot / 8, slot / 4);
    const int64_t stop = std::min(start + random.Between(180000, 480000), (i + 1) * slot - 10000);
    if (stop <= start) continue;
    const auto* person = schedule.PickPresent(random, start, stop);
    if (!person) continue;
    Variant args = Variant::Map();
    args["user_id"] = person->user_id;
    schedule.Add(start, "share start", args);
    schedule.Add(stop, "share stop", args);
  }
}

void Share(const Event& event, World& world, bool start) {
  const std::string user_id = event.args.GetString("user_id");
  const Variant* user = world.fixture().FindUser(user_id);
  if (!user) return;
  const std::string nickname = user->GetString("nickname");
  start ? world.fixture().StartScreenShare(user_id) : world.fixture().StopScreenShare(user_id);
  const bool sharing = inmeeting::IsSharing();
  if (start && sharing && inmeeting::HasOtherScreenShareUser()) world.Count("screen shares");
  world.Note(nickname + (start ? " starts" : " stops") + " sharing the screen; the library sees a share: " +
             (sharing ? "yes" : "no"));
}

const bool kRegistered = [] {
  sim::meeting::RegisterPlanner(400, "shares", PlanShares);
  sim::meeting::RegisterEventKind("share start", "sharing", [](const Event& e, World& w) { Share(e, w, true); });
  sim::meeting::RegisterEventKind("share stop", "sharing", [](const Event& e, World& w) { Share(e, w, false); });
  return true;
}();

}  // namespace
