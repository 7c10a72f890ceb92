// The camera exception alert: a camera that fails to start once shows nothing, a second failure
// shows the alert on the meeting window; a camera taken by another application, raised by the
// client itself, shows it too; closing takes it down. The chapter prints what the host's
// navigator and the video model were told.
#include <memory>
#include <string>

#include "framework/context.h"
#include "hostkit/hostkit.h"
#include "hostkit/navigation.h"
#include "module_api/video/video_exception.h"
#include "sim.h"

namespace {

namespace video_exception = velto_common::utils::video_exception;
using sim::Variant;

constexpr int kVideoModel = 511;
size_t g_navigations_seen = 0;
size_t g_calls_seen = 0;
size_t g_events_seen = 0;

std::shared_ptr<const framework::Context>& Host() {
  static auto* host = new std::shared_ptr<const framework::Context>;
  return *host;
}

void PrintEffects() {
  if (hostkit::ScriptedModel* model = hostkit::FindModel(kVideoModel)) {
    const auto& calls = model->calls();
    if (g_calls_seen > calls.size()) g_calls_seen = 0;
    for (; g_calls_seen < calls.size(); ++g_calls_seen) {
      const hostkit::CallRecord& call = calls[g_calls_seen];
      if (call.command_id == 45) continue;  // reads
      sim::Print("  model 511 <- command " + std::to_string(call.command_id) + " " + call.argument.ToJsonStr());
    }
  }
  const auto& navigations = hostkit::Navigations();
  if (g_navigations_seen > navigations.size()) g_navigations_seen = 0;
  for (; g_navigations_seen < navigations.size(); ++g_navigations_seen) {
    const hostkit::Navigation& n = navigations[g_navigations_seen];
    sim::Print(std::string("  host: ") + hostkit::NavigationKindName(n.kind) + " " + n.page +
               (n.arguments.IsNull() ? std::string() : " " + n.arguments.ToJsonStr()));
  }
  const auto& events = hostkit::AnalyticsEvents();
  if (g_events_seen > events.size()) g_events_seen = 0;
  for (; g_events_seen < events.size(); ++g_events_seen) {
    const hostkit::AnalyticsEvent& event = events[g_events_seen];
    auto error = event.properties.find("error_type");
    sim::Print("  analytics " + event.name + (error == event.properties.end() ? "" : " error_type=" + error->second));
  }
}

bool RegisterHost(const Variant& step, sim::Context&) {
  Host() = std::make_shared<framework::Context>(step.GetInteger("view_ref", 1), "meeting window");
  video_exception::RegisterVideoExceptionAlertHost(Host(), step.GetString("page"));
  g_navigations_seen = hostkit::Navigations().size();
  g_events_seen = hostkit::AnalyticsEvents().size();
  g_calls_seen = hostkit::FindModel(kVideoModel) ? hostkit::FindModel(kVideoModel)->calls().size() : 0;
  sim::Print("the alert host is " + step.GetString("page"));
  return true;
}

bool Raise(const Variant& step, sim::Context&) {
  const int error_type = step.GetInt32("error_type");
  sim::Print("client: raises camera error " + std::to_string(error_type));
  video_exception::RaiseVideoException(error_type);
  PrintEffects();
  return true;
}

bool Effects(const Variant&, sim::Context&) {
  PrintEffects();
  return true;
}

bool Close(const Variant&, sim::Context&) {
  sim::Print("the meeting window closes the alert");
  video_exception::HandleCloseVideoException();
  PrintEffects();
  return true;
}

const bool kRegistered = [] {
  sim::RegisterAction("video_register_host",
                      {"A window hosts the camera exception alert.",
                       {sim::Str("page", "the hosting page").Required(),
                        sim::Int("view_ref", 0, sim::kMaxId, "the hosting view (1)")}},
                      RegisterHost);
  sim::RegisterAction("video_raise", {"The client raises a camera error.",
                                      {sim::Int("error_type", -2147483648LL, sim::kMaxId, "the error").Required()}},
                      Raise);
  sim::RegisterAction("video_effects", {"Prints what the camera exception led to.", {}}, Effects);
  sim::RegisterAction("video_close", {"The meeting window closes the alert.", {}}, Close);

  sim::RegisterChapter(960, R"json({
    "name": "The camera exception alert: a repeated start failure and a camera in use elsewhere",
    "models": {
      "509": {"answers": {"6": {"device_id": "usb-cam-1"}}},
      "511": {"succeed": [43, 44, 46],
              "answers": {"45": {"device_id": "usb-cam-1", "device_state": 1, "error_type": -130}}}
    },
    "timeline": [
      {"at": 0, "do": "video_register_host", "page": "velto://page/inmeeting"},
      {"at": 500, "do": "print", "text": "the camera fails to start once: only the video model hears of it"},
      {"at": 500, "do": "fire", "model": 511, "event": 45,
       "payload": {"device_id": "usb-cam-1", "device_state": 1, "error_type": -130, "user_trigger": true}},
      {"at": 500, "do": "video_effects"},
      {"at": 1500, "do": "print", "text": "it fails again: the alert shows on the meeting window"},
      {"at": 1500, "do": "fire", "model": 511, "event": 45,
       "payload": {"device_id": "usb-cam-1", "device_state": 1, "error_type": -130, "user_trigger": true}},
      {"at": 1500, "do": "video_effects"},
      {"at": 3000, "do": "print", "text": "another application takes the camera; the client notices and raises it"},
      {"at": 3000, "do": "script", "model": 511,
       "answers": {"45": {"device_id": "usb-cam-1", "device_state": 1, "error_type": -121}}},
      {"at": 3000, "do": "video_raise", "error_type": -121},
      {"at": 4000, "do": "video_close"}
    ]
  })json");
  return true;
}();

}  // namespace
