// The built-in meeting's people: who joins when (most in the first minutes, some through the
// waiting room), who leaves early, hands raised and lowered, the host role passed on, and the
// member panel searched by name and by pinyin.
#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "hostkit/hostkit.h"
#include "meeting/schedule.h"
#include "meeting/world.h"
#include "module_api/members/member_utils.h"
#include "module_api/members/members_event.h"
#include "record.h"

namespace {

using sim::meeting::Event;
using sim::meeting::Person;
using sim::meeting::Random;
using sim::meeting::Schedule;
using sim::meeting::Variant;
using sim::meeting::World;
namespace member = velto_common::utils::member;

// The user model's count of users in the waiting room.
constexpr int kWaitingMemberCount = 36;

constexpr const char* kSurnames[] = {"张", "王", "李", "赵", "刘", "陈", "杨", "黄", "周", "吴"};
constexpr const char* kPinyin[] = {"zhang", "wang", "li", "zhao", "liu", "chen", "yang", "huang", "zhou", "wu"};
constexpr const char* kGiven[] = {"伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "军", "洋"};
constexpr const char* kLatin[] = {"Alice", "Bruno", "Carol", "Dmitri", "Erin", "Farah", "Grace", "Hiro",
                                  "Ines", "Jonas", "Kemal", "Lena", "Mateo", "Nadia", "Oscar", "Priya"};

Variant PersonArgs(const Person& person) {
  Variant args = Variant::Map();
  args["user_id"] = person.user_id;
  args["nickname"] = person.nickname;
  args["video"] = person.video;
  return args;
}

void PlanPeople(Schedule& schedule, Random& random) {
  const int64_t end = schedule.plan().end_ms();
  auto& people = schedule.people();
  std::vector<std::string> keywords;
  for (size_t i = 0; i < schedule.plan().users; ++i) {
    Person person;
    person.user_id = "p-" + std::to_string(i + 1);
    if (random.Chance(0.3)) {
      const int64_t surname = random.Below(10);
      person.nickname = std::string(kSurnames[surname]) + kGiven[random.Below(10)] +
                        (random.Chance(0.5) ? kGiven[random.Below(10)] : "");
      keywords.push_back(kPinyin[surname]);
    } else {
      const char* name = kLatin[random.Below(16)];
      person.nickname = std::string(name) + " " + std::to_string(random.Between(1, 999));
      std::string keyword(name, 3);
      std::transform(keyword.begin(), keyword.end(), keyword.begin(), [](unsigned char c) { return std::tolower(c); });
      keywords.push_back(keyword);
    }
    person.video = random.Chance(0.35);
    const int64_t early = std::min<int64_t>(180000, end / 4);
    const double arrival = static_cast<double>(random.Below(100)) / 100.0;
    if (arrival < 0.7) {
      person.join_ms = random.Between(0, early);
    } else if (arrival < 0.9) {
      person.join_ms = random.Between(early, end / 2);
    } else {
      person.join_ms = random.Between(end / 2, std::max(end / 2, end - 300000));
    }
    if (random.Chance(0.1)) {
      person.wait_ms = person.join_ms;
      person.join_ms = person.wait_ms + random.Between(5000, 60000);
      if (person.join_ms >= end) {
        person.join_ms = person.wait_ms;
        person.wait_ms = -1;
      }
    }
    if (person.wait_ms < 0) person.join_ms -= person.join_ms % 1000;  // direct joins come in batches per second
    if (random.Chance(0.15) && person.join_ms + 60000 < end - 1000) {
      person.leave_ms = random.Between(person.join_ms + 60000, end - 1000);
    }
    people.push_back(std::move(person));
  }

  std::map<int64_t, Variant> batches;
  for (const Person& person : people) {
    if (person.wait_ms >= 0) {
      schedule.Add(person.wait_ms, "wait", PersonArgs(person));
      schedule.Add(person.join_ms, "admit", PersonArgs(person));
    } else {
      Variant& batch = batches[person.join_ms];
      if (batch.IsNull()) batch = Variant::Array();
      batch.Add(PersonArgs(person));
    }
  }
  for (auto& [at, users] : batches) {
    Variant args = Variant::Map();
    args["users"] = std::move(users);
    schedule.Add(at, "join", std::move(args));
  }
  for (const Person& person : people) {
    if (person.leave_ms < 0) continue;
    Variant args = Variant::Map();
    args["user_id"] = person.user_id;
    schedule.Add(person.leave_ms, "leave", std::move(args));
  }

  // Hands: about one person in ten per hour, each hand up for 20 s to 3 min.
  std::map<std::string, int64_t> busy_until;
  const int64_t hands = std::max<int64_t>(1, static_cast<int64_t>(schedule.plan().users) * schedule.plan().minutes / 600);
  for (int64_t i = 0; i < hands && end > 120000; ++i) {
    const int64_t at = random.Between(60000, end - 60000);
    const int64_t down = at + random.Between(20000, 180000);
    const Person* person = schedule.PickPresent(random, at, std::min(down, end));
    if (!person || busy_until[person->user_id] >= at) continue;
    busy_until[person->user_id] = down;
    Variant args = Variant::Map();
    args["user_id"] = person->user_id;
    schedule.Add(at, "hand up", args);
    if (down < end) schedule.Add(down, "hand down", args);
  }

  // The host role passes on about every half hour.
  const int64_t handovers = std::max<int64_t>(1, schedule.plan().minutes / 30);
  const Person* previous = nullptr;
  for (int64_t i = 0; i < handovers; ++i) {
    const int64_t at = end * (i + 1) / (handovers + 1);
    const Person* person = schedule.PickPresent(random, at, at);
    if (person == previous) person = schedule.PickPresent(random, at, at);
    if (person && person != previous) {
      previous = person;
      Variant args = Variant::Map();
      args["user_id"] = person->user_id;
      schedule.Add(at, "host change", std::move(args));
    }
  }

  // The member panel is searched every five minutes for someone in the meeting.
  for (int64_t at = 150000; at < end; at += 300000) {
    const Person* person = schedule.PickPresent(random, at, at);
    if (!person) continue;
    Variant args = Variant::Map();
    args["keyword"] = keywords[static_cast<size_t>(person - people.data())];
    schedule.Add(at, "search", std::move(args));
  }
}

Variant RecordOf(const Variant& args, int64_t now_ms) {
  Variant user = hostkit::MeetingFixture::MakeUser(args.GetString("user_id"), args.GetString("nickname"));
  user["video"] = args.GetBoolean("video");
  user["join_time"] = static_cast<long long>(1700000000 + now_ms / 1000);
  return user;
}

struct Waiting {
  std::shared_ptr<std::vector<std::string>> ids = std::make_shared<std::vector<std::string>>();
  bool scripted = false;
};

struct Host {
  std::string user_id = hostkit::MeetingFixture::kSelfUserId;
};

void SampleWaiting(World& world) {
  const int64_t waiting = member::GetWaitingMemberCount();
  world.recorder().Counter(hostkit::NowMs(), "waiting", waiting);
  world.recorder().Figure("most waiting", std::max(world.recorder().FigureOf("most waiting"), waiting));
}

void Join(const Event& event, World& world) {
  std::vector<Variant> users;
  for (const Variant& args : event.args.Get("users").Elements()) users.push_back(RecordOf(args, event.at_ms));
  const size_t added = world.fixture().AddUsers(std::move(users)).size();
  world.Count("joins", static_cast<int64_t>(added));
  world.Tally("joined", static_cast<int64_t>(added));
  world.MembersChanged();
}

void Wait(const Event& event, World& world) {
  Waiting& waiting = world.Slot<Waiting>("waiting room");
  if (!waiting.scripted) {
    auto ids = waiting.ids;
    world.fixture().users().Handle(kWaitingMemberCount, [ids](const Variant&, Variant* answer) {
                                     *answer = Variant(static_cast<long long>(ids->size()));
                                     return true;
                                   });
    waiting.scripted = true;
  }
  waiting.ids->push_back(event.args.GetString("user_id"));
  Variant payload = Variant::Array();
  payload.Add(event.args.GetString("user_id"));
  world.fixture().users().Fire(velto::Members::kWaitingUsersAdded, payload);
  world.Count("waiting room entries");
  world.Tally("entered the waiting room");
  SampleWaiting(world);
}

void Admit(const Event& event, World& world) {
  Waiting& waiting = world.Slot<Waiting>("waiting room");
  auto& ids = *waiting.ids;
  ids.erase(std::remove(ids.begin(), ids.end(), event.args.GetString("user_id")), ids.end());
  Variant payload = Variant::Array();
  payload.Add(event.args.GetString("user_id"));
  world.fixture().users().Fire(velto::Members::kWaitingUsersRemoved, payload);
  if (world.fixture().AddUser(RecordOf(event.args, event.at_ms)) >= 0) {
    world.Count("joins");
    world.Count("admitted from the waiting room");
  }
  world.Tally("admitted");
  world.MembersChanged();
  SampleWaiting(world);
}

void Leave(const Event& event, World& world) {
  const std::string user_id = event.args.GetString("user_id");
  Host& host = world.Slot<Host>("host");
  if (host.user_id == user_id) {
    world.fixture().UpdateUser(hostkit::MeetingFixture::kSelfUserId, hostkit::Json(R"({"host": true})"));
    world.Note("the host leaves; the host role returns to the local user");
    host.user_id = hostkit::MeetingFixture::kSelfUserId;
  }
  if (world.fixture().RemoveUser(user_id)) world.Count("leaves");
  world.Tally("left");
  world.MembersChanged();
}

void Hand(const Event& event, World& world, bool up) {
  Variant changes = Variant::Map();
  changes["is_raise_hand"] = up;
  changes["raise_hand_timestamp"] = static_cast<long long>(up ? event.at_ms : 0);
  world.fixture().UpdateUser(event.args.GetString("user_id"), changes);
  world.recorder().Figure("hands raised", static_cast<int64_t>(world.hands_raised()));
  world.Tally(up ? "hands up" : "hands down");
}

void HostChange(const Event& event, World& world) {
  Host& host = world.Slot<Host>("host");
  const std::string to = event.args.GetString("user_id");
  const Variant* record = world.fixture().FindUser(to);
  if (!record || to == host.user_id) return;
  Variant off = Variant::Map();
  off["host"] = false;
  Variant on = Variant::Map();
  on["host"] = true;
  world.fixture().UpdateUsers({{host.user_id, off}, {to, on}});
  host.user_id = to;
  std::string app_id, app_uid;
  const bool known = member::GetHostAppIdAndAppUid(app_id, app_uid);
  if (known && app_uid == record->GetString("app_uid")) world.Count("host changes");
  world.Note("the host role passes to " + record->GetString("nickname") +
             (known ? "" : " (the library does not see a host)"));
  world.MembersChanged();
}

void Search(const Event& event, World& world) {
  const std::string keyword = event.args.GetString("keyword");
  world.members().StartSearch("panel_search", keyword);
  hostkit::RunUntilIdle();
  const size_t found = world.found().size();
  world.Count("searches");
  if (found) world.Count("searches with results");
  world.Slot<std::string>("last search") = keyword;
  world.Note("member panel search \"" + keyword + "\": " + std::to_string(found) + " found");
}

const bool kRegistered = [] {
  sim::meeting::RegisterPlanner(100, "members", PlanPeople);
  sim::meeting::RegisterEventKind("join", "members", Join);
  sim::meeting::RegisterEventKind("wait", "members", Wait);
  sim::meeting::RegisterEventKind("admit", "members", Admit);
  sim::meeting::RegisterEventKind("leave", "members", Leave);
  sim::meeting::RegisterEventKind("hand up", "hands", [](const Event& e, World& w) { Hand(e, w, true); });
  sim::meeting::RegisterEventKind("hand down", "hands", [](const Event& e, World& w) { Hand(e, w, false); });
  sim::meeting::RegisterEventKind("host change", "members", HostChange);
  sim::meeting::RegisterEventKind("search", "member panel", Search);
  return true;
}();

}  // namespace
