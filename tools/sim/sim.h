// velto-sim: plays a scenario (models, scripted answers, a timeline of steps) through hostkit
// and prints what the library answers.
//
// Scenario document (docs/scenario.md describes every field and action):
//   {"name": "...",
//    "models": {"514": {"answers": {"3": {...}}, "succeed": [0], "fail": [43]}},
//    "timeline": [{"at": 0, "do": "ask", "queries": ["inmeeting.GetCurrentMeetingType"]},
//                 {"at": 500, "do": "fire", "model": 508, "event": 1, "payload": {...}}]}
//
// Steps run in order of "at" (simulated milliseconds). Each "do" names an action; features add
// their own actions (with the arguments they take, see format.h) and queries by registering them
// from their own source files. A document is checked whole against those declarations before
// any step plays.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/variant/variant.h"
#include "format.h"

namespace sim {

using base::variant::Variant;

class Recorder;

struct Context {
  bool realtime = false;
  int print_log_level = 3;  // records at or below this level are shown after each step
  std::string scenario_dir;
  size_t logs_seen = 0;  // captured records already shown
  size_t crowd = 0;      // --10k: users the member panel chapter adds to its meeting, timing each event
  std::string state_dir;        // --state: where stores that outlive the run are kept
  std::string error;            // set by an action that cannot carry out its step: what went wrong
  bool state_lost = false;      // a store could not be kept: the run ends with status 1
  Recorder* recorder = nullptr;  // what --report, --json and --trace write; null when none is asked
  bool quiet = false;            // --quiet: the built-in meeting prints neither timeline nor summary
};

// Shows the captured records that arrived since the last call, up to the context's level.
void PrintNewLogs(Context& context);

// Prints a line prefixed with the simulated time.
void Print(const std::string& text);

// An action returns false when its step cannot be carried out, after setting context.error.
using Action = std::function<bool(const Variant& step, Context& context)>;
using Query = std::function<std::string()>;

// Registration happens from static initialisers of the feature files.
bool RegisterAction(const std::string& name, ActionSpec spec, Action action);
// An action without declared arguments: the validator then checks only "at" and "do", and a
// test reports the action as undeclared.
bool RegisterAction(const std::string& name, Action action);
bool RegisterQuery(const std::string& name, Query query);
// Built-in scenario chapters play in `order`; each is a scenario document of its own.
bool RegisterChapter(int order, const std::string& json);

// Installs the "models" section of a scenario document.
void InstallModels(const Variant& models);
// Checks the document, then plays it. False with context.error set when the document is invalid
// or a step could not be carried out; the run stops at that step.
bool RunScenario(const Variant& scenario, Context& context);
std::vector<std::string> BuiltinChapters();
const std::map<std::string, Query>& Queries();
const std::map<std::string, ActionSpec>& ActionSpecs();

// SIGINT and SIGTERM ask the running meeting or scenario to stop after the current step, so that
// what was played is still printed and written. Interrupt is safe to call from a signal handler.
void Interrupt(int signal);
int InterruptSignal();  // 0 while no stop was asked

}  // namespace sim
