#include "meeting/schedule.h"

#include <algorithm>

namespace sim::meeting {
namespace {

struct NamedPlanner {
  std::string name;
  Planner planner;
};

std::multimap<int, NamedPlanner>& Planners() {
  static auto* planners = new std::multimap<int, NamedPlanner>;
  return *planners;
}

std::map<std::string, Kind>& MutableKinds() {
  static auto* kinds = new std::map<std::string, Kind>;
  return *kinds;
}

uint64_t Mix(uint64_t seed, const std::string& name) {
  uint64_t hash = 1469598103934665603ull;  // FNV-1a
  for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
  return seed ^ hash;
}

}  // namespace

uint64_t Random::Next() {
  uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  return z ^ (z >> 31);
}

int64_t Random::Below(int64_t n) { return n <= 0 ? 0 : static_cast<int64_t>(Next() % static_cast<uint64_t>(n)); }

int64_t Random::Between(int64_t low, int64_t high) { return high <= low ? low : low + Below(high - low + 1); }

bool Random::Chance(double probability) {
  return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0) < probability;
}

void Schedule::Add(int64_t at_ms, std::string kind, Variant args) {
  events_.push_back({std::clamp<int64_t>(at_ms, 0, plan_.end_ms()), std::move(kind), std::move(args)});
}

std::vector<Event> Schedule::Sorted() const {
  std::vector<Event> sorted = events_;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) { return a.at_ms < b.at_ms; });
  return sorted;
}

size_t Schedule::Count(const std::string& kind) const {
  return static_cast<size_t>(std::count_if(events_.begin(), events_.end(), [&](const Event& e) { return e.kind == kind; }));
}

size_t Schedule::CountItems(const std::string& kind, const std::string& key) const {
  size_t count = 0;
  for (const Event& event : events_) {
    if (event.kind == kind) count += event.args.Get(key).size();
  }
  return count;
}

const Person* Schedule::PickPresent(Random& random, int64_t from_ms, int64_t to_ms) const {
  if (people_.empty()) return nullptr;
  for (int attempt = 0; attempt < 32; ++attempt) {
    const Person& person = people_[static_cast<size_t>(random.Below(static_cast<int64_t>(people_.size())))];
    if (person.InMeetingAt(from_ms) && person.InMeetingAt(to_ms)) return &person;
  }
  return nullptr;
}

void Schedule::AddPersonalChanges(Random& random, const std::string& kind, int64_t minutes_per_change,
                                  int64_t cap_per_minute) {
  const int64_t end = plan_.end_ms();
  const int64_t changes = std::min<int64_t>(static_cast<int64_t>(plan_.users) * plan_.minutes / minutes_per_change,
                                            plan_.minutes * cap_per_minute);
  for (int64_t i = 0; i < changes; ++i) {
    const int64_t at = random.Between(0, end);
    const Person* person = PickPresent(random, at, at);
    if (!person) continue;
    Variant args = Variant::Map();
    args["user_id"] = person->user_id;
    Add(at, kind, std::move(args));
  }
}

bool RegisterPlanner(int order, const std::string& name, Planner planner) {
  Planners().emplace(order, NamedPlanner{name, std::move(planner)});
  return true;
}

bool RegisterEventKind(const std::string& kind, const std::string& track, Player player) {
  return MutableKinds().emplace(kind, Kind{track, std::move(player)}).second;
}

const std::map<std::string, Kind>& EventKinds() { return MutableKinds(); }

Schedule Generate(const Plan& plan) {
  Schedule schedule(plan);
  for (const auto& [order, entry] : Planners()) {
    Random random(Mix(plan.seed, entry.name));
    entry.planner(schedule, random);
  }
  return schedule;
}

}  // namespace sim::meeting
