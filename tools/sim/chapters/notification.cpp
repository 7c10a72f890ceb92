// A notification card and a message bar through their life: what the library sends to the
// notify model (615) and the message model (693) when a module shows, updates and removes
// them, and how the host reaches the module's callbacks through the addresses in those maps.
#include <map>
#include <memory>
#include <string>

#include "hostkit/hostkit.h"
#include "module_api/notification/notifications.h"
#include "sim.h"

namespace {

using sim::Variant;
using velto_common::utils::inmeetingmessage::CommonMessage;
using velto_common::utils::inmeetingnotification::CommonNotify;

std::map<std::string, std::unique_ptr<CommonNotify>>& Cards() {
  static auto* cards = new std::map<std::string, std::unique_ptr<CommonNotify>>;
  return *cards;
}

std::map<std::string, std::unique_ptr<CommonMessage>>& Bars() {
  static auto* bars = new std::map<std::string, std::unique_ptr<CommonMessage>>;
  return *bars;
}

// Callback addresses mean nothing on screen: show where the host would find a callback.
Variant Printable(const Variant& value) {
  if (value.IsPointer()) return Variant("<callback>");
  if (!value.IsMap()) return value;
  Variant result = Variant::Map();
  for (size_t i = 0; i < value.size(); ++i) result.Set(value.KeyAt(i), Printable(value.ValueAt(i)));
  return result;
}

// Prints the last command the library sent to the model.
void PrintSent(int model_id) {
  hostkit::ScriptedModel* model = hostkit::FindModel(model_id);
  if (!model || model->calls().empty()) {
    sim::Print("model " + std::to_string(model_id) + " received nothing");
    return;
  }
  const hostkit::CallRecord& call = model->calls().back();
  sim::Print("model " + std::to_string(model_id) + " <- command " + std::to_string(call.command_id) + " " +
             Printable(call.argument).ToJsonStr());
}

// The last map the model was sent for this token: what the host holds while the notice is up.
Variant HeldMap(int model_id, uint64_t token) {
  hostkit::ScriptedModel* model = hostkit::FindModel(model_id);
  if (!model) return Variant();
  for (auto it = model->calls().rbegin(); it != model->calls().rend(); ++it) {
    if (it->argument.GetUint64("token") == token) return it->argument;
  }
  return Variant();
}

template <typename Fn, typename... Args>
bool HostCalls(const Variant& map, const std::string& key, Args... args) {
  const Variant& address = map.Get(key);
  if (!address.IsPointer() || !address.AsPointer()) {
    sim::Print("host: no " + key + " in the map");
    return false;
  }
  sim::Print("host: calls " + key);
  (*static_cast<Fn*>(address.AsPointer()))(args...);
  return true;
}

bool ShowCard(const Variant& step, sim::Context&) {
  const std::string name = step.GetString("card", "card");
  auto card = std::make_unique<CommonNotify>(step.GetInt32("type", 1));
  card->SetTitle(step.GetString("title"))
      .SetContent(step.GetString("content"))
      .SetPositiveBtnText(step.GetString("positive", "OK"))
      .SetNegativeBtnText(step.GetString("negative", "Later"))
      .SetTimeout(step.GetInteger("timeout", 0));
  CommonNotify* self = card.get();
  card->SetPositiveBtnBlock([self, name] {
    sim::Print("module: " + name + " accepted, removing it");
    self->Remove();
    PrintSent(CommonNotify::kModelId);
  });
  card->SetNegativeBtnBlock([name] { sim::Print("module: " + name + " put off"); });
  card->SetNotifyRemoveBlock([name](int reason) {
    sim::Print("module: " + name + " is gone, reason " + std::to_string(reason));
  });
  card->Show();
  PrintSent(CommonNotify::kModelId);
  Cards()[name] = std::move(card);
  return true;
}

bool NoSuch(sim::Context& context, const std::string& what, const std::string& name) {
  context.error = "no " + what + " \"" + name + "\" was shown";
  return false;
}

bool PressCard(const Variant& step, sim::Context& context) {
  auto it = Cards().find(step.GetString("card", "card"));
  if (it == Cards().end()) return NoSuch(context, "card", step.GetString("card", "card"));
  const Variant held = HeldMap(CommonNotify::kModelId, it->second->GetToken());
  const std::string button = step.GetString("button", "positive");
  return HostCalls<CommonNotify::ButtonBlock>(held, button + "_block");
}

bool HostDismissCard(const Variant& step, sim::Context& context) {
  auto it = Cards().find(step.GetString("card", "card"));
  if (it == Cards().end()) return NoSuch(context, "card", step.GetString("card", "card"));
  const Variant held = HeldMap(CommonNotify::kModelId, it->second->GetToken());
  return HostCalls<CommonNotify::RemoveBlock>(held, "notify_remove_block", step.GetInt32("reason", 1));
}

bool ShowBar(const Variant& step, sim::Context&) {
  const std::string name = step.GetString("bar", "bar");
  auto bar = std::make_unique<CommonMessage>(step.GetInt32("type", 1));
  bar->SetContent(step.GetString("content")).SetTimeout(step.GetInteger("timeout", -1));
  if (step.Has("link")) {
    bar->SetLinkContent(step.GetString("link")).SetLinkBtnVisible(true).SetLinkBtnBlock([name] {
      sim::Print("module: " + name + " link followed");
    });
  }
  bar->Show();
  PrintSent(CommonMessage::kModelId);
  Bars()[name] = std::move(bar);
  return true;
}

bool RemoveBar(const Variant& step, sim::Context& context) {
  auto it = Bars().find(step.GetString("bar", "bar"));
  if (it == Bars().end()) return NoSuch(context, "message bar", step.GetString("bar", "bar"));
  it->second->Remove();
  PrintSent(CommonMessage::kModelId);
  return true;
}

std::string Showing(const char* name) {
  auto it = Cards().find(name);
  return it != Cards().end() && it->second->IsShowing() ? "true" : "false";
}

const bool kRegistered = [] {
  const sim::Field card = sim::Str("card", "the card's name in the scenario (\"card\" when absent)");
  const sim::Field bar = sim::Str("bar", "the bar's name in the scenario (\"bar\" when absent)");
  sim::RegisterAction("notify_show",
                      {"A module shows a notification card (notify model 615).",
                       {card, sim::Int("type", 0, 1000, "the card type (1 when absent)"), sim::Str("title", "the title"),
                        sim::Str("content", "the text"), sim::Str("positive", "the positive button (\"OK\")"),
                        sim::Str("negative", "the negative button (\"Later\")"),
                        sim::Int("timeout", 0, 3600000, "ms before the host closes it; 0 never")}},
                      ShowCard);
  sim::RegisterAction("notify_press",
                      {"The user presses a button of a shown card: the host calls its block.",
                       {card, sim::Str("button", "which button (positive when absent)").OneOf({"positive", "negative"})}},
                      PressCard);
  sim::RegisterAction("notify_host_dismiss",
                      {"The host removes a shown card by itself.",
                       {card, sim::Int("reason", 0, 100, "the removal reason (1 when absent)")}},
                      HostDismissCard);
  sim::RegisterAction("message_show",
                      {"A module shows a message bar (message model 693).",
                       {bar, sim::Int("type", 0, 1000, "the bar type (1 when absent)"),
                        sim::Str("content", "the text").Required(),
                        sim::Int("timeout", -1, 3600000, "ms before it goes; -1 never (the default)"),
                        sim::Str("link", "a link button's text")}},
                      ShowBar);
  sim::RegisterAction("message_remove", {"The module removes its message bar.", {bar}}, RemoveBar);
  sim::RegisterQuery("notify.IsShowing(invite)", [] { return Showing("invite"); });
  sim::RegisterQuery("notify.IsShowing(vote)", [] { return Showing("vote"); });

  sim::RegisterChapter(500, R"json({
    "name": "Notification card and message bar: shown, answered, removed",
    "models": {
      "615": {"succeed": [0, 1, 2], "answers": {"3": true}},
      "693": {"succeed": [0, 1, 2], "answers": {"3": true}}
    },
    "timeline": [
      {"at": 0, "do": "print", "text": "a module shows an invitation card"},
      {"at": 0, "do": "notify_show", "card": "invite", "title": "Alice invites you", "content": "Join the breakout room?",
       "positive": "Join", "negative": "Later", "timeout": 10000},
      {"at": 0, "do": "ask", "queries": ["notify.IsShowing(invite)"]},
      {"at": 1500, "do": "print", "text": "the user presses Join; the host calls the card's positive block"},
      {"at": 1500, "do": "notify_press", "card": "invite", "button": "positive"},
      {"at": 1500, "do": "script", "model": 615, "answers": {"3": false}},
      {"at": 1500, "do": "ask", "queries": ["notify.IsShowing(invite)"]},
      {"at": 2000, "do": "print", "text": "a vote card times out and the host dismisses it by itself"},
      {"at": 2000, "do": "script", "model": 615, "answers": {"3": true}},
      {"at": 2000, "do": "notify_show", "card": "vote", "title": "New vote", "content": "Lunch at noon?", "timeout": 5000},
      {"at": 7000, "do": "notify_host_dismiss", "card": "vote", "reason": 1},
      {"at": 7500, "do": "print", "text": "a message bar about the network, removed by its module"},
      {"at": 7500, "do": "message_show", "bar": "network", "content": "Your network is unstable", "link": "Details"},
      {"at": 9000, "do": "message_remove", "bar": "network"},
      {"at": 9500, "do": "remove_model", "model": 615},
      {"at": 9500, "do": "ask", "queries": ["notify.IsShowing(vote)"]}
    ]
  })json");
  return true;
}();

}  // namespace
