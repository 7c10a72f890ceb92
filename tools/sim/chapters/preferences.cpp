// Preferences that outlive the process: each run reads a counter from a store in the run's state
// folder (--state), prints it, increments it and syncs, so the next run prints the next value.
// A counter that could not be kept, or kept state found gone, is not a bad scenario: the run
// goes on and ends with status 1. Also a timer posted on the platform service.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/tkv/tkv.h"
#include "hostkit/stores.h"
#include "module_api/preferences/preferences.h"
#include "module_api/preferences/timer.h"
#include "sim.h"

namespace {

void NotKept(sim::Context& context, const std::string& dir, const std::string& why) {
  std::fprintf(stderr, "velto-sim: the preferences store in %s could not be kept: %s\n", dir.c_str(), why.c_str());
  context.state_lost = true;
}

bool CountRun(const sim::Variant& step, sim::Context& context) {
  namespace utils = velto_common::utils;
  const std::string dir = step.GetString("dir", context.state_dir);
  const std::string key = step.GetString("key", "run_count");
  const size_t reported_before = hostkit::StoreFailures().size();
  utils::InitializePreferences(dir);
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
        NotKept(context, dir, error->content);
      } else {
        sim::Print("preferences: " + key + " is now " + std::to_string(prefs->GetInt32(key, 0)) +
                   " (the next run reads it back)");
      }
    } else {
      sim::Print("preferences: no store could be opened in " + dir);
      NotKept(context, dir, "no store could be opened");
    }
  }
  utils::UnInitializePreferences();
  const std::vector<hostkit::StoreFailure> reported = hostkit::StoreFailures();
  for (size_t i = reported_before; i < reported.size(); ++i) {
    sim::Print("preferences: the store reported: " + reported[i].content);
    NotKept(context, dir, reported[i].content);
  }
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
