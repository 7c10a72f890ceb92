// Preferences that outlive the process: each run reads a counter from a store in a fixed state
// directory (the run's --state folder), prints it, increments it and syncs, so the next run
// prints the next value. Also a timer posted on the platform service.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "module_api/preferences/preferences.h"
#include "module_api/preferences/timer.h"
#include "sim.h"

namespace {

// A store that cannot be opened is not a bad scenario: the run goes on and ends with status 1.
bool CountRun(const sim::Variant& step, sim::Context& context) {
  namespace utils = velto_common::utils;
  const std::string dir = step.GetString("dir", context.state_dir);
  const std::string key = step.GetString("key", "run_count");
  utils::InitializePreferences(dir);
  {
    auto prefs = utils::Preferences::Open(step.GetString("store", "sim_state"));
    if (prefs->tkv()) {
      const int32_t previous = prefs->GetInt32(key, 0);
      sim::Print("preferences: " + key + " read back as " + std::to_string(previous) + " from " +
                 prefs->tkv()->GetPath());
      prefs->SetInt32(key, previous + 1);
      prefs->UpdateLastModifiedTime(key);
      prefs->Sync();
      sim::Print("preferences: " + key + " is now " + std::to_string(prefs->GetInt32(key, 0)) +
                 " (the next run reads it back)");
    } else {
      sim::Print("preferences: no store could be opened in " + dir);
      std::fprintf(stderr, "velto-sim: the preferences store in %s could not be kept\n", dir.c_str());
      context.state_lost = true;
    }
  }
  utils::UnInitializePreferences();
  return true;
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
  sim::RegisterAction("preferences_counter",
                      {"Reads a counter from a store in the state folder, prints it, adds one and syncs.",
                       {sim::Str("dir", "the folder (the run's --state folder when absent)"),
                        sim::Str("store", "the store's name (\"sim_state\")"),
                        sim::Str("key", "the counter's key (\"run_count\")")}},
                      CountRun);
  sim::RegisterAction("post_timer",
                      {"Posts a timer that prints a line when it fires.",
                       {sim::Int("delay", 0, sim::kMaxAtMs, "milliseconds").Required(),
                        sim::Str("text", "what it prints")}},
                      PostTimer);
  sim::RegisterAction("drop_timers", {"Drops the posted timers: pending ones never fire.", {}}, DropTimers);
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
