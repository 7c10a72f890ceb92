// The raise-hand list of a meeting of 4,000 users (bench::MakeMeetingUsers(4000, 0.25)) of whom
// 2,000 have raised their hand, against a std::multimap keyed by raise time in the same run.
//
// Refresh: RaiseHandPanelistInfoSet::Refresh through the in-meeting provider (index list and one
//   user model lookup per user, as in the client), per raised user, against inserting the same
//   2,000 records into a std::multimap<uint64_t, Variant>.
// Events: 2,000 single-user update events as the provider delivers them: a third re-time a
//   raised hand, a third lower one, a third raise a new one; per event, against the same changes
//   on the multimap with an unordered_map from user id to its element (erase + insert).
// Records are written at log level 4: the per-user trace lines are not part of the cost.
// Times are thread CPU times.
#include <benchmark/benchmark.h>
#include <time.h>

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "meeting_users.h"
#include "module_api/members/user_provider.h"
#include "module_api/members/user_set.h"

namespace {

using base::variant::Variant;
using velto_common::utils::RaiseHandPanelistInfoSet;
using velto_common::utils::UserProvider;

constexpr size_t kUsers = 4000;
constexpr size_t kRaised = 2000;
constexpr size_t kEvents = 2000;

// Thread CPU time: the machine is shared, and both sides of a ratio should count only their own
// work.
double Now() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
double Seconds(double since) { return Now() - since; }

// Every even user has a raised hand, at a time within an hour.
std::vector<Variant> MakeUsers() {
  std::vector<Variant> users = bench::MakeMeetingUsers(kUsers, 0.25);
  bench::MemberRng rng(29);
  for (size_t i = 0; i < users.size(); ++i) {
    const bool raised = i % 2 == 0;
    users[i]["is_raise_hand"] = raised;
    users[i]["raise_hand_timestamp"] = raised ? 1700000000000ull + rng.Below(3600000) : 0ull;
  }
  return users;
}

struct Change {
  enum Kind { kRetime, kLower, kRaise } kind;
  Variant record;
};

// The records the update events carry, built from the initial users.
std::vector<Change> MakeChanges(const std::vector<Variant>& users) {
  std::vector<Change> changes;
  bench::MemberRng rng(31);
  for (size_t i = 0; i < kEvents; ++i) {
    const Change::Kind kind = static_cast<Change::Kind>(i % 3);
    // Raised users are the even ones, lowered the odd ones; each user changes once.
    Variant record = users[kind == Change::kRaise ? 2 * i + 1 : 2 * i];
    if (kind == Change::kLower) {
      record["is_raise_hand"] = false;
    } else {
      record["is_raise_hand"] = true;
      record["raise_hand_timestamp"] = 1700000000000ull + rng.Below(3600000);
    }
    changes.push_back({kind, std::move(record)});
  }
  return changes;
}

class MultimapList {
 public:
  void Clear() {
    by_time_.clear();
    by_id_.clear();
  }
  void Insert(const Variant& user) {
    by_id_[user.GetString("user_id")] = by_time_.emplace(user.GetUint64("raise_hand_timestamp"), user);
  }
  void Erase(const Variant& user) {
    auto it = by_id_.find(user.GetString("user_id"));
    if (it == by_id_.end()) return;
    by_time_.erase(it->second);
    by_id_.erase(it);
  }
  size_t size() const { return by_time_.size(); }

 private:
  std::multimap<uint64_t, Variant> by_time_;
  std::unordered_map<std::string, std::multimap<uint64_t, Variant>::iterator> by_id_;
};

void BM_RaiseHandList2000VsMultimap(benchmark::State& state) {
  hostkit::Reset();
  hostkit::SetLogLevel(4);
  hostkit::MeetingFixture::Options options;
  options.other_users = 0;
  hostkit::MeetingFixture meeting(options);
  meeting.Install();
  const std::vector<Variant> users = MakeUsers();
  meeting.AddUsers(users);
  const std::vector<Change> changes = MakeChanges(users);
  std::vector<const Variant*> raised;
  for (size_t i = 0; i < users.size(); i += 2) raised.push_back(&users[i]);

  RaiseHandPanelistInfoSet hands(UserProvider::InMeetingUsers(),
                                 [](const Variant& user) { return user.GetBoolean("is_raise_hand"); });
  MultimapList baseline;
  double refresh_s = 0;
  double events_s = 0;
  double map_insert_s = 0;
  double map_events_s = 0;
  for (auto _ : state) {
    meeting.users().ClearCalls();  // the scripted model keeps every call
    auto start = Now();
    hands.Refresh();
    refresh_s += Seconds(start);

    baseline.Clear();
    start = Now();
    for (const Variant* user : raised) baseline.Insert(*user);
    map_insert_s += Seconds(start);
    if (hands.count() != kRaised || baseline.size() != kRaised) return state.SkipWithError("refresh lost users");

    UserProvider::UserEvent event;
    event.type = UserProvider::kUsersUpdated;
    event.users.resize(1);
    start = Now();
    for (const Change& change : changes) {
      event.users[0] = &change.record;
      hands.OnUserEvent(event);
    }
    events_s += Seconds(start);

    start = Now();
    for (const Change& change : changes) {
      if (change.kind != Change::kRaise) baseline.Erase(change.record);
      if (change.kind != Change::kLower) baseline.Insert(change.record);
    }
    map_events_s += Seconds(start);
    if (hands.count() != baseline.size()) return state.SkipWithError("the two lists disagree");
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["refresh_ns_per_raised_user"] = refresh_s / n / kRaised * 1e9;
  state.counters["multimap_insert_ns_per_user"] = map_insert_s / n / kRaised * 1e9;
  state.counters["refresh_vs_multimap"] = refresh_s / map_insert_s;
  state.counters["event_ns"] = events_s / n / kEvents * 1e9;
  state.counters["multimap_event_ns"] = map_events_s / n / kEvents * 1e9;
  state.counters["events_vs_multimap"] = events_s / map_events_s;
}
BENCHMARK(BM_RaiseHandList2000VsMultimap)->Iterations(50)->Unit(benchmark::kMillisecond);

}  // namespace
