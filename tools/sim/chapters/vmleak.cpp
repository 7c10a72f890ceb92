// View-model leak monitor: a scheduling flow opens its scene, two view models come, one is
// released, the flow ends, and 1.8 s later the one still alive is reported.
#include <climits>
#include <map>
#include <memory>
#include <string>

#include "framework/viewmodel.h"
#include "hostkit/diagnostics.h"
#include "hostkit/hostkit.h"
#include "hostkit/module_interceptor.h"
#include "hostkit/viewmodel.h"
#include "module_api/vmleak/vm_leak.h"
#include "sim.h"

namespace {

namespace vmleak = velto_common::utils::vmleak;
using sim::Variant;

class FlowViewModel : public framework::ViewModel {};
std::map<std::string, std::unique_ptr<FlowViewModel>> g_view_models;  // by the step's "name"
size_t g_reports_seen = 0;

bool Begin(const Variant& step, sim::Context&) {
  const auto scene = static_cast<vmleak::VMSceneName>(step.GetInt32("scene"));
  const char* name = vmleak::VmSceneNameText(scene);
  sim::Print(std::string("module: the flow starts, scene ") + (name ? name : "(none)"));
  vmleak::VmLeakBeginScene(scene);
  g_reports_seen = hostkit::CountAnalytics("vm_leak_monitor_report");
  return true;
}

bool Create(const Variant& step, sim::Context&) {
  auto view_model = std::make_unique<FlowViewModel>();
  view_model->set_view_model_type(step.GetInt32("type"));
  hostkit::SetViewModelModule(*view_model, step.GetString("module"));
  hostkit::AttachViewModel(*view_model);
  sim::Print("host: creates view model " + step.GetString("name") + " of " + step.GetString("module") + ", type " +
             std::to_string(step.GetInt32("type")));
  g_view_models[step.GetString("name")] = std::move(view_model);
  return true;
}

bool Release(const Variant& step, sim::Context&) {
  sim::Print("host: releases view model " + step.GetString("name"));
  g_view_models.erase(step.GetString("name"));
  return true;
}

bool End(const Variant& step, sim::Context&) {
  const auto scene = static_cast<vmleak::VMSceneName>(step.GetInt32("scene"));
  sim::Print("module: the flow ends, reason " + std::to_string(step.GetInt32("reason")));
  vmleak::VmLeakEndScene(scene, static_cast<vmleak::VMLeakSceneReason>(step.GetInt32("reason")));
  return true;
}

bool PrintReports(const Variant&, sim::Context&) {
  const auto& events = hostkit::AnalyticsEvents();
  size_t seen = 0;
  for (const hostkit::AnalyticsEvent& event : events) {
    if (event.name != "vm_leak_monitor_report" || seen++ < g_reports_seen) continue;
    std::string line = "analytics: vm_leak_monitor_report";
    for (const auto& [key, value] : event.properties) line += " " + key + "=" + value;
    sim::Print(line);
  }
  if (seen == g_reports_seen) sim::Print("analytics: no leak report");
  g_reports_seen = seen;
  g_view_models.clear();  // the leaked ones go with the chapter
  return true;
}

const bool kRegistered = [] {
  const sim::Field scene = sim::Int("scene", 0, 255, "the scene: 1 join or leave, 2 schedule, 3 settings").Required();
  const sim::Field name = sim::Str("name", "the view model's name in this chapter").Required();
  sim::RegisterAction("vmleak_begin", {"A flow starts: opens its leak-monitor scene.", {scene}}, Begin);
  sim::RegisterAction("vmleak_create",
                      {"The host creates a view model of a module.",
                       {name, sim::Str("module", "the module it belongs to").Required(),
                        sim::Int("type", INT32_MIN, INT32_MAX, "its view-model type").Required()}},
                      Create);
  sim::RegisterAction("vmleak_release", {"The host releases a view model.", {name}}, Release);
  sim::RegisterAction("vmleak_end",
                      {"The flow ends: closes its scene.",
                       {scene, sim::Int("reason", INT32_MIN, INT32_MAX, "why it ended").Required()}},
                      End);
  sim::RegisterAction("vmleak_reports", {"Prints the leak reports sent since the scene opened.", {}}, PrintReports);
  sim::RegisterChapter(1300, R"json({
    "name": "View-model leak monitor: a view model outlives the scheduling flow and is reported",
    "timeline": [
      {"at": 0, "do": "vmleak_begin", "scene": 2},
      {"at": 10, "do": "vmleak_create", "name": "editor", "module": "schedule", "type": 12},
      {"at": 20, "do": "vmleak_create", "name": "picker", "module": "calendar", "type": 5},
      {"at": 500, "do": "vmleak_release", "name": "picker"},
      {"at": 600, "do": "vmleak_end", "scene": 2, "reason": 0},
      {"at": 2400, "do": "vmleak_reports"},
      {"at": 2500, "do": "vmleak_begin", "scene": 3},
      {"at": 2510, "do": "vmleak_create", "name": "settings", "module": "settings", "type": 3},
      {"at": 2600, "do": "vmleak_release", "name": "settings"},
      {"at": 2700, "do": "vmleak_end", "scene": 3, "reason": 1},
      {"at": 4500, "do": "vmleak_reports"}
    ]
  })json");
  return true;
}();

}  // namespace
