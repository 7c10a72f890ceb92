// One-person overtime alert: the overtime alert model asks for the alert, the leave button
// counts down second by second, and the lone participant is led out at the end.
#include <memory>
#include <string>

#include "framework/stateful_viewmodel.h"
#include "hostkit/hostkit.h"
#include "hostkit/viewmodel.h"
#include "module_api/alerts/show_one_person_overtime_alert_manager.h"
#include "sim.h"

namespace {

using sim::Variant;

class MeetingViewModel : public framework::StatefulViewModel,
                         public velto::IShowOnePersonOvertimeAlertManagerDelegate {
 public:
  void OnePersonOvertimeQuitMeeting() override { sim::Print("meeting view: leaves the meeting"); }
  void OnePersonOvertimeUpdateAlertUI(int64_t, Variant* changes) override {
    sim::Print("meeting view: leave button reads \"" + changes->GetString("positive") + "\"");
  }
};

struct Overtime {
  MeetingViewModel view_model;
  velto::ShowOnePersonOvertimeAlertManager manager;
};
std::unique_ptr<Overtime> g_overtime;

bool Attach(const Variant&, sim::Context&) {
  hostkit::SetLocalizedString(0x5ec5055b, "Leave ({time_count}s)");
  hostkit::SetLocalizedString(0x31810c0d, "Stay");
  hostkit::SetLocalizedString(0x88e9ab71, "Don't remind me again");
  g_overtime = std::make_unique<Overtime>();
  hostkit::AttachViewModel(g_overtime->view_model);
  g_overtime->manager.SetViewModel(&g_overtime->view_model);
  g_overtime->manager.SetDelegate(&g_overtime->view_model);
  g_overtime->manager.SetViewAttached();
  sim::Print("meeting view attached, overtime alerts on");
  return true;
}

bool PrintAlert(const Variant&, sim::Context&) {
  const hostkit::AlertRecord* alert = hostkit::LastAlert();
  if (!alert) {
    sim::Print("no alert");
    return true;
  }
  sim::Print(std::string("alert (") + hostkit::AlertStateName(alert->state) + "): \"" + alert->title + "\" / \"" +
             alert->content + "\" [" + alert->positive_text + "] [" + alert->negative_text + "] check box \"" +
             alert->checkbox_text + "\"");
  return true;
}

bool Detach(const Variant&, sim::Context&) {
  g_overtime->manager.SetViewDetached();
  hostkit::DetachViewModel(g_overtime->view_model);
  g_overtime.reset();
  return true;
}

const bool kRegistered = [] {
  sim::RegisterAction("overtime_attach",
                      {"Attaches a meeting view with the one-person overtime alert manager.", {}}, Attach);
  sim::RegisterAction("overtime_alert", {"Prints the last alert: its state, texts and check box.", {}}, PrintAlert);
  sim::RegisterAction("overtime_detach", {"Detaches the meeting view and its manager.", {}}, Detach);
  sim::RegisterChapter(480, R"json({
    "name": "One-person overtime: the alert counts down and leads the lone participant out",
    "models": {
      "625": {"succeed": [1]},
      "508": {"answers": {"3": 1}},
      "517": {"answers": {"1": 2400}}
    },
    "timeline": [
      {"at": 0, "do": "overtime_attach"},
      {"at": 100, "do": "fire", "model": 625, "event": 1,
       "payload": {"alert_title": "You are the only one here",
                   "alert_content_raw": "Nobody else has been here for {time_minutes} minutes."}},
      {"at": 150, "do": "overtime_alert"},
      {"at": 10300, "do": "overtime_detach"}
    ]
  })json");
  return true;
}();

}  // namespace
