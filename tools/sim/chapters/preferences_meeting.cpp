// The built-in meeting's preferences: a store in the state folder (--state) remembers how many
// meetings were played and the member panel's last search, read when the meeting opens and
// written when it ends, so the next run continues from them. A store that cannot be opened ends
// the run with status 1.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "base/tkv/tkv.h"
#include "meeting/schedule.h"
#include "meeting/world.h"
#include "module_api/preferences/preferences.h"
#include "record.h"
#include "sim.h"

namespace {

using sim::meeting::Event;
using sim::meeting::Random;
using sim::meeting::Schedule;
using sim::meeting::World;
namespace utils = velto_common::utils;

struct Store {
  std::shared_ptr<utils::Preferences> prefs;
  ~Store() {
    if (!prefs) return;
    prefs->Sync();
    prefs.reset();
    utils::UnInitializePreferences();
  }
};

void PlanPreferences(Schedule& schedule, Random&) {
  schedule.Add(0, "open preferences");
  schedule.Add(schedule.plan().end_ms(), "keep preferences");
}

// A write the store could not keep: the run goes on and ends with status 1.
bool CheckKept(utils::Preferences& prefs, World& world) {
  const auto error = prefs.tkv() ? prefs.tkv()->GetLastError() : std::nullopt;
  if (!error) return true;
  std::fprintf(stderr, "velto-sim: the preferences store in %s could not be kept: %s\n",
               world.context().state_dir.c_str(), error->content.c_str());
  world.Note("preferences could not be kept: " + error->content);
  world.context().state_lost = true;
  return false;
}

void Open(const Event&, World& world) {
  const std::string& dir = world.context().state_dir;
  utils::InitializePreferences(dir);
  auto prefs = utils::Preferences::Open("velto_sim");
  if (!prefs || !prefs->tkv()) {
    utils::UnInitializePreferences();
    std::fprintf(stderr, "velto-sim: the preferences store in %s could not be opened\n", dir.c_str());
    world.Note("preferences: no store could be opened in " + dir);
    world.context().state_lost = true;
    return;
  }
  const int32_t played = prefs->GetInt32("meetings_played", 0);
  const std::string last = prefs->GetString("last_search", "");
  world.recorder().Figure("meetings played before", played);
  world.Note("preferences: " + std::to_string(played) + " meetings played before" +
             (last.empty() ? std::string() : ", the last one's last search \"" + last + "\"") + " (" +
             prefs->tkv()->GetPath() + ")");
  prefs->SetInt32("meetings_played", played + 1);
  prefs->UpdateLastModifiedTime("meetings_played");
  prefs->Sync();
  CheckKept(*prefs, world);
  world.Slot<Store>("preferences").prefs = std::move(prefs);
}

void Keep(const Event&, World& world) {
  Store& store = world.Slot<Store>("preferences");
  if (!store.prefs) return;
  const std::string& last = world.Slot<std::string>("last search");
  if (!last.empty()) store.prefs->SetString("last_search", last);
  store.prefs->Sync();
  if (CheckKept(*store.prefs, world)) world.Note("preferences kept for the next run");
}

const bool kRegistered = [] {
  sim::meeting::RegisterPlanner(10, "preferences", PlanPreferences);
  sim::meeting::RegisterEventKind("open preferences", "preferences", Open);
  sim::meeting::RegisterEventKind("keep preferences", "preferences", Keep);
  return true;
}();

}  // namespace
