// The built-in meeting's notifications: a card every few minutes (breakout rooms, a vote, a
// recording notice, an invitation) that the user answers with one of its buttons or lets time
// out, and a message bar about the network now and then. The host reaches the module's button
// blocks through the addresses in the map the library sent, as it would on screen.
#include <map>
#include <memory>
#include <string>

#include "hostkit/hostkit.h"
#include "meeting/schedule.h"
#include "meeting/world.h"
#include "module_api/notification/notifications.h"
#include "record.h"

namespace {

using sim::meeting::Event;
using sim::meeting::Random;
using sim::meeting::Schedule;
using sim::meeting::Variant;
using sim::meeting::World;
using velto_common::utils::inmeetingmessage::CommonMessage;
using velto_common::utils::inmeetingnotification::CommonNotify;

struct Card {
  const char* title;
  const char* content;
  const char* positive;
  const char* negative;
};
constexpr Card kCards[] = {
    {"Breakout rooms are open", "Join room 3?", "Join", "Later"},
    {"New vote", "Lunch at noon?", "Vote", "Skip"},
    {"Recording started", "This meeting is being recorded", "OK", "Leave"},
    {"Alice invites you", "Co-edit the agenda?", "Open", "Later"},
};
constexpr int64_t kCardTimeoutMs = 30000;

void PlanNotifications(Schedule& schedule, Random& random) {
  const int64_t end = schedule.plan().end_ms();
  int index = 0;
  for (int64_t at = 240000; at + kCardTimeoutMs < end; at += 360000, ++index) {
    Variant args = Variant::Map();
    args["card"] = "card-" + std::to_string(index);
    args["design"] = static_cast<long long>(index % 4);
    schedule.Add(at, "notification", args);
    const int64_t choice = random.Below(3);  // positive, negative, or no answer until it times out
    if (choice < 2) {
      args["button"] = choice == 0 ? "positive" : "negative";
      schedule.Add(at + random.Between(3000, 20000), "notification answer", args);
    } else {
      schedule.Add(at + kCardTimeoutMs, "notification timeout", args);
    }
  }
  for (int64_t at = 600000; at + 30000 < end; at += 900000) {
    schedule.Add(at, "message bar");
    schedule.Add(at + 30000, "message bar gone");
  }
}

struct Shown {
  std::unique_ptr<CommonNotify> card;
  size_t notice = 0;
};

struct Notifications {
  std::map<std::string, Shown> cards;
  std::unique_ptr<CommonMessage> bar;
};

hostkit::ScriptedModel& Ensure(int model_id) {
  if (hostkit::ScriptedModel* model = hostkit::FindModel(model_id)) return *model;
  return hostkit::InstallModel(model_id).Succeed(0).Succeed(1).Succeed(2).Answer(3, true);
}

// The map the host holds for the card: the last one the library sent with its token.
Variant HeldMap(uint64_t token) {
  const auto& calls = Ensure(CommonNotify::kModelId).calls();
  for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
    if (it->argument.GetUint64("token") == token) return it->argument;
  }
  return Variant();
}

void ShowCard(const Event& event, World& world) {
  hostkit::ScriptedModel& model = Ensure(CommonNotify::kModelId);
  const Card& design = kCards[event.args.GetInteger("design") % 4];
  auto card = std::make_unique<CommonNotify>(1);
  CommonNotify* self = card.get();
  card->SetTitle(design.title)
      .SetContent(design.content)
      .SetPositiveBtnText(design.positive)
      .SetNegativeBtnText(design.negative)
      .SetTimeout(kCardTimeoutMs);
  card->SetPositiveBtnBlock([self, &world] {
    world.Count("notification buttons pressed");
    self->Remove();
  });
  card->SetNegativeBtnBlock([&world] { world.Count("notification buttons pressed"); });
  card->SetNotifyRemoveBlock([&world](int) { world.Count("notifications timed out"); });
  const size_t shown_before = model.CallCount(0);
  card->Show();
  if (model.CallCount(0) > shown_before) world.Count("notifications shown");
  Shown& shown = world.Slot<Notifications>("notifications").cards[event.args.GetString("card")];
  shown.notice = world.Shown("notification", std::string(design.title) + ": " + design.content);
  shown.card = std::move(card);
  world.Note(std::string("notification \"") + design.title + "\" [" + design.positive + "] [" + design.negative + "]");
}

void AnswerCard(const Event& event, World& world, const std::string& block) {
  auto& cards = world.Slot<Notifications>("notifications").cards;
  auto it = cards.find(event.args.GetString("card"));
  if (it == cards.end()) return;
  const Variant held = HeldMap(it->second.card->GetToken());
  const Variant& address = held.Get(block);
  if (!address.IsPointer() || !address.AsPointer()) {
    world.Note("the host finds no " + block + " for the card");
    return;
  }
  const Card& design = kCards[event.args.GetInteger("design") % 4];
  std::string answer;
  if (block == "notify_remove_block") {
    (*static_cast<CommonNotify::RemoveBlock*>(address.AsPointer()))(1);
    answer = "(timed out)";
  } else {
    (*static_cast<CommonNotify::ButtonBlock*>(address.AsPointer()))();
    answer = block == "positive_block" ? design.positive : design.negative;
  }
  world.recorder().Answer(it->second.notice, answer);
  world.Note(std::string("notification \"") + design.title + "\": " + answer);
}

void ShowBar(const Event&, World& world) {
  Ensure(CommonMessage::kModelId);
  auto& bar = world.Slot<Notifications>("notifications").bar;
  bar = std::make_unique<CommonMessage>(1);
  bar->SetContent("Your network is unstable").SetTimeout(-1);
  bar->Show();
  world.Count("message bars shown");
  world.Shown("message", "Your network is unstable");
  world.Note("message bar: \"Your network is unstable\"");
}

void RemoveBar(const Event&, World& world) {
  auto& bar = world.Slot<Notifications>("notifications").bar;
  if (!bar) return;
  bar->Remove();
  bar.reset();
  world.Note("the message bar goes");
}

const bool kRegistered = [] {
  sim::meeting::RegisterPlanner(500, "notifications", PlanNotifications);
  sim::meeting::RegisterEventKind("notification", "notifications", ShowCard);
  sim::meeting::RegisterEventKind("notification answer", "notifications", [](const Event& e, World& w) {
    AnswerCard(e, w, e.args.GetString("button") + "_block");
  });
  sim::meeting::RegisterEventKind("notification timeout", "notifications",
                                  [](const Event& e, World& w) { AnswerCard(e, w, "notify_remove_block"); });
  sim::meeting::RegisterEventKind("message bar", "notifications", ShowBar);
  sim::meeting::RegisterEventKind("message bar gone", "notifications", RemoveBar);
  return true;
}();

}  // namespace
