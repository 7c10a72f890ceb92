// The built-in meeting's schedule: what happens when, generated from the meeting's size, length
// and seed before anything plays. Each feature adds its own events through a planner and plays
// them through the event kinds it registers, so a feature that lands later (the meeting alarm,
// the time label, join-limit alerts) extends the meeting from its own chapter file:
//
//   const bool kRegistered = [] {
//     sim::meeting::RegisterPlanner(800, "alarm", [](sim::meeting::Schedule& s, sim::meeting::Random& r) {
//       s.Add(s.plan().end_ms() - 5 * 60000, "alarm", sim::Variant::Map());
//     });
//     sim::meeting::RegisterEventKind("alarm", "alarm", [](const sim::meeting::Event& e, sim::meeting::World& w) {
//       ...   // drive the library; w.Note(...), w.Count(...), w.Shown(...)
//     });
//     return true;
//   }();
//
// Planners run in order; each gets a random stream of its own (seeded from the meeting's seed
// and the planner's name), so adding one leaves the others' events as they were.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/variant/variant.h"

namespace sim::meeting {

using base::variant::Variant;

struct Plan {
  size_t users = 300;  // people who take part, the local user (the first host) not counted
  int64_t minutes = 60;
  uint64_t seed = 1;
  int64_t end_ms() const { return minutes * 60000; }
};

// A small deterministic generator (splitmix64): the same seed gives the same meeting everywhere.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next();
  int64_t Below(int64_t n);                // [0, n), 0 when n <= 0
  int64_t Between(int64_t low, int64_t high);  // [low, high]
  bool Chance(double probability);

 private:
  uint64_t state_;
};

struct Event {
  int64_t at_ms = 0;
  std::string kind;
  Variant args;
};

// One person of the generated meeting: when they are in it, and how they arrive.
struct Person {
  std::string user_id;
  std::string nickname;
  int64_t join_ms = 0;
  int64_t leave_ms = -1;  // -1: stays to the end
  int64_t wait_ms = -1;   // when they entered the waiting room; -1: admitted directly
  bool video = false;     // camera on when joining
  bool InMeetingAt(int64_t at_ms) const { return join_ms <= at_ms && (leave_ms < 0 || at_ms < leave_ms); }
};

class Schedule {
 public:
  explicit Schedule(Plan plan) : plan_(plan) {}

  const Plan& plan() const { return plan_; }
  // Times are clamped to the meeting: [0, end].
  void Add(int64_t at_ms, std::string kind, Variant args = Variant::Map());
  // Events by time; events at one time keep the order they were added in.
  std::vector<Event> Sorted() const;
  size_t Count(const std::string& kind) const;
  // The sum over events of `kind` of the array size at args[key] (people per batched join).
  size_t CountItems(const std::string& kind, const std::string& key) const;

  // Filled by the members planner, read by the others.
  std::vector<Person>& people() { return people_; }
  const std::vector<Person>& people() const { return people_; }
  // A person in the meeting throughout [from, to], picked at random; null after a few misses.
  const Person* PickPresent(Random& random, int64_t from_ms, int64_t to_ms) const;
  // About one `kind` event per person every `minutes_per_change` minutes, and at most
  // `cap_per_minute` a minute, each at a random time for someone present then (args "user_id").
  void AddPersonalChanges(Random& random, const std::string& kind, int64_t minutes_per_change, int64_t cap_per_minute);

 private:
  Plan plan_;
  std::vector<Event> events_;
  std::vector<Person> people_;
};

class World;
using Planner = std::function<void(Schedule&, Random&)>;
using Player = std::function<void(const Event&, World&)>;

bool RegisterPlanner(int order, const std::string& name, Planner planner);
// `track` is the feature the kind belongs to: a line of the report's chart, a track of the trace.
bool RegisterEventKind(const std::string& kind, const std::string& track, Player player);

struct Kind {
  std::string track;
  Player player;
};
const std::map<std::string, Kind>& EventKinds();

// Runs every planner in order.
Schedule Generate(const Plan& plan);

}  // namespace sim::meeting
