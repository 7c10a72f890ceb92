// A screen on the authorization base while the user's sign-in fails: each failure the
// authorization model (504) reports turns into the dialog, toast or page its code calls for,
// and the user's answer into a sign-out and the login guide, or the purchase page.
#include <memory>
#include <string>

#include "framework/alert_builder.h"
#include "hostkit/hostkit.h"
#include "hostkit/navigation.h"
#include "hostkit/viewmodel.h"
#include "module_api/viewmodel/authorize_viewmodel.h"
#include "sim.h"

namespace {

using sim::Variant;

class HomeScreen : public velto::AuthorizeViewModel {
 public:
  HomeScreen() : velto::AuthorizeViewModel(100) {}

 protected:
  bool OnLoginFinishNotify(const Variant& info) override {
    sim::Print("screen: told " + info.ToJsonStr());
    return false;
  }
};

std::unique_ptr<HomeScreen>& Screen() {
  static auto* screen = new std::unique_ptr<HomeScreen>;
  return *screen;
}

size_t g_alerts_seen = 0;
size_t g_toasts_seen = 0;
size_t g_navigations_seen = 0;

// Prints what the user saw since the last step: dialogs, toasts and page changes.
void PrintReactions() {
  const auto& alerts = hostkit::Alerts();
  for (; g_alerts_seen < alerts.size(); ++g_alerts_seen) {
    const hostkit::AlertRecord& alert = alerts[g_alerts_seen];
    std::string line = "dialog \"" + alert.title + "\": \"" + alert.content + "\" [" + alert.positive_text + "]";
    if (!alert.negative_text.empty()) line += " [" + alert.negative_text + "]";
    sim::Print(line);
  }
  const auto& toasts = hostkit::Toasts();
  for (; g_toasts_seen < toasts.size(); ++g_toasts_seen) {
    sim::Print("toast \"" + toasts[g_toasts_seen].text + "\" for " + std::to_string(toasts[g_toasts_seen].duration_ms) +
               " ms");
  }
  const auto& navigations = hostkit::Navigations();
  for (; g_navigations_seen < navigations.size(); ++g_navigations_seen) {
    const hostkit::Navigation& nav = navigations[g_navigations_seen];
    std::string line = std::string("page stack ") + std::to_string(nav.page_stack) + ": " +
                       hostkit::NavigationKindName(nav.kind) + " " + nav.page;
    if (nav.arguments.IsMap() && nav.arguments.Has("url")) line += " " + nav.arguments.GetString("url");
    sim::Print(line);
  }
}

bool AttachScreen(const Variant&, sim::Context&) {
  hostkit::SetLanguage("en-us");
  Screen() = std::make_unique<HomeScreen>();
  hostkit::AttachViewModel(*Screen());
  g_alerts_seen = hostkit::Alerts().size();
  g_toasts_seen = hostkit::Toasts().size();
  g_navigations_seen = hostkit::Navigations().size();
  sim::Print("home screen attached, " + std::to_string(hostkit::SubscriptionsOf(Screen().get())) +
             " subscriptions");
  return true;
}

bool ReportFailure(const Variant& step, sim::Context& context) {
  hostkit::ScriptedModel* auth = hostkit::FindModel(504);
  if (!auth || !Screen()) {
    context.error = !auth ? "model 504 is not installed" : "no screen is attached";
    return false;
  }
  Variant last = Variant::Map();
  last["auth_result"] = step.GetInteger("code");
  auth->Answer(4, last);
  sim::Print("authorization model: sign-in failed with " + std::to_string(step.GetInteger("code")));
  auth->Fire(5, step.Has("event") ? step.Get("event") : Variant::Map());
  PrintReactions();
  return true;
}

bool PressButton(const Variant& step, sim::Context& context) {
  const hostkit::AlertRecord* alert = hostkit::LastAlert();
  if (!alert) {
    context.error = "no dialog is shown";
    return false;
  }
  const std::string button = step.GetString("button", "positive");
  sim::Print("user presses " + button);
  hostkit::PressAlertButton(alert->id, button == "positive" ? framework::AlertButton::kPositive
                                                            : framework::AlertButton::kNegative);
  if (hostkit::ScriptedModel* auth = hostkit::FindModel(504); auth && auth->CallCount(2) > 0) {
    sim::Print("authorization model: signed out (" + std::to_string(auth->CallCount(2)) + ")");
  }
  PrintReactions();
  return true;
}

bool DetachScreen(const Variant&, sim::Context& context) {
  if (!Screen()) {
    context.error = "no screen is attached";
    return false;
  }
  hostkit::DetachViewModel(*Screen());
  sim::Print("home screen detached, " + std::to_string(hostkit::SubscriptionsOf(Screen().get())) +
             " subscriptions left");
  Screen().reset();
  hostkit::SetLanguage("zh-cn");
  return true;
}

const bool kRegistered = [] {
  sim::RegisterAction("auth_screen_attach", {"Attaches a screen built on the authorization view model.", {}},
                      AttachScreen);
  sim::RegisterAction("auth_failure",
                      {"The authorization model (504) reports a failed sign-in.",
                       {sim::Int("code", -2147483648LL, sim::kMaxId, "the failure code").Required(),
                        sim::Record("event", "the event's payload")}},
                      ReportFailure);
  sim::RegisterAction("auth_press",
                      {"The user presses a button of the last dialog.",
                       {sim::Str("button", "which (positive when absent)").OneOf({"positive", "negative"})}},
                      PressButton);
  sim::RegisterAction("auth_screen_detach", {"Detaches the screen.", {}}, DetachScreen);
  sim::RegisterChapter(450, R"json({
    "name": "Authorization failures: the dialog of each code, and what the answer leads to",
    "models": {
      "504": {"succeed": [2]},
      "537": {}
    },
    "timeline": [
      {"at": 0, "do": "auth_screen_attach"},
      {"at": 100, "do": "print", "text": "the sign-in token has expired"},
      {"at": 100, "do": "auth_failure", "code": 5017},
      {"at": 1500, "do": "auth_press", "button": "positive"},
      {"at": 2000, "do": "print", "text": "too many attempts: a toast, no dialog"},
      {"at": 2000, "do": "auth_failure", "code": 5022},
      {"at": 3000, "do": "print", "text": "a silent code shows nothing"},
      {"at": 3000, "do": "auth_failure", "code": 5039},
      {"at": 4000, "do": "print", "text": "the organisation's licence has run out"},
      {"at": 4000, "do": "auth_failure", "code": -521002,
       "event": {"server_msg": "Your organisation's licence has expired.", "sub_token": "st-42"}},
      {"at": 5000, "do": "auth_press", "button": "positive"},
      {"at": 6000, "do": "print", "text": "an unknown code that asks for no alert, then one that does"},
      {"at": 6000, "do": "auth_failure", "code": 7001, "event": {"need_show_alert": false}},
      {"at": 6500, "do": "auth_failure", "code": 7001},
      {"at": 7000, "do": "auth_screen_detach"}
    ]
  })json");
  return true;
}();

}  // namespace
