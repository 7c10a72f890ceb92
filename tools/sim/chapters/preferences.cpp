// Preferences that outlive the process: each run reads a counter from a store in a fixed state
// directory, prints it, increments it and syncs, so the next run prints the next value; a
// counter that could not be kept makes the run fail. Also a timer posted on the platform service.
//
// The state directory is $VELTO_SIM_STATE_DIR, else $XDG_STATE_HOME/velto-sim, else
// ~/.local/state/velto-sim.
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/tkv/tkv.h"
#include "hostkit/stores.h"
#include "module_api/preferences/preferences.h"
#include "module_api/preferences/timer.h"
#include "sim.h"

namespace {

std::string StateDir() {
  if (const char* dir = std::getenv("VELTO_SIM_STATE_DIR"); dir && *dir) return dir;
  if (const char* dir = std::getenv("XDG_STATE_HOME"); dir && *dir) return std::string(dir) + "/velto-sim";
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.local/state/velto-sim";
  return "/tmp/velto-sim-state";
}

// Fails (the simulator then exits non-zero) when the counter could not be kept for the next
// run, and when the store had to drop what an earlier run kept (a damaged file set aside).
bool CountRun(const sim::Variant& step, sim::Context&) {
  namespace utils = velto_common::utils;
  const std::string dir = step.GetString("dir", StateDir());
  const std::string key = step.GetString("key", "run_count");
  const size_t reported_before = hostkit::StoreFailures().size();
  utils::InitializePreferences(dir);
  bool ok = false;
  {
    auto prefs = utils::Preferences::Open(step.GetString("store", "sim_state"));
    if (base::tkv::TKV* store = prefs->tkv()) {
      const int32_t previous = prefs->GetInt32(key, 0);
      sim::Print("preferences: " + key + " read back as " + std::to_string(previous) + " from " + store->GetPath());
      prefs->SetInt32(key, previous + 1);
      prefs->UpdateLastModifiedTime(key);
      prefs->Sync();
      if (const auto error = store->GetLastError()) {
        sim::Print("preferences: " + key + " could not be kept (" + error->content + "); the next run reads " +
                   std::to_string(previous) + " again");
      } else {
        sim::Print("preferences: " + key + " is now " + std::to_string(prefs->GetInt32(key, 0)) +
                   " (the next run reads it back)");
        ok = true;
      }
    } else {
      sim::Print("preferences: no store could be opened in " + dir);
    }
  }
  utils::UnInitializePreferences();
  const std::vector<hostkit::StoreFailure> reported = hostkit::StoreFailures();
  for (size_t i = reported_before; i < reported.size(); ++i) {
    sim::Print("preferences: the store reported: " + reported[i].content);
    ok = false;
  }
  return ok;
}

std::vector<std::unique_ptr<velto_common::utils::timer::VLTimer>>& Timers() {
  static auto* timers = new std::vector<std::unique_ptr<velto_common::utils::timer::VLTimer>>;
  return *timers;
}

bool PostTimer(const sim::Variant& step, sim::Context&) {
  const std::string text = step.GetString("text", "timer fired");
  const int64_t delay = step.GetInteger("delay", 0);
  Timers().push_back(velto_common::utils::timer::Post([text] { sim::Print(text); }, delay));
  sim::Print("timer posted for " + std::to_string(delay) + " ms");
  return true;
}

bool DropTimers(const sim::Variant&, sim::Context&) {
  sim::Print("dropping " + std::to_string(Timers().size()) + " timer(s): pending callbacks are cancelled");
  Timers().clear();
  return true;
}

const bool kRegistered = [] {
  sim::RegisterAction("preferences_counter", CountRun);
  sim::RegisterAction("post_timer", PostTimer);
  sim::RegisterAction("drop_timers", DropTimers);
  sim::RegisterChapter(300, R"json({
    "name": "Preferences across runs, and timers",
    "timeline": [
      {"at": 0, "do": "preferences_counter", "store": "sim_state", "key": "run_count"},
      {"at": 0, "do": "post_timer", "delay": 1000, "text": "timer of 1000 ms fired"},
      {"at": 0, "do": "post_timer", "delay": 5000, "text": "this timer is dropped before it fires"},
      {"at": 1500, "do": "drop_timers"},
      {"at": 6000, "do": "print", "text": "nothing fired at 5 s"}
    ]
  })json");
  return true;
}();

}  // namespace
