// The member list of a meeting of 10,000 users (bench::MakeMeetingUsers(10000, 0.25)) following
// one deterministic event stream: the initial load, 10,000 record updates (audio, video, raised
// hand, host and nickname changes), 1,000 joins, 1,000 leaves and four hide-switch toggles
// (users without video hidden and shown again), interleaved. Every event goes through the
// meeting fixture and the user model as in the client; the order is member::CompareSortUser,
// fetching both records from the user model on each comparison.
//
// BM_UserListManagerVsFullSort: velto::UserListManager against a baseline in the same run that
//   keeps the same lists by a full std::stable_sort of all users (same comparison, same record
//   fetching) plus a stable partition by visibility after every event. A full sort of 10,000
//   users costs about 130,000 comparisons (some 0.4 s here), so the baseline sorts on the load
//   and then only on every kSampleStep-th event (48 of the 12,004); the other events still go
//   through it and its bookkeeping is timed. Its total is extrapolated as
//   bookkeeping + all events x mean sort time. Target: speedup >= 100.
// BM_UserListManagerComparisonsPerPlacement: the same stream through the manager with counting
//   rules: comparisons of every single placement (add or re-placement), max and mean, against
//   the bound 2*ceil(log2 n)+4 at the list's size (violations must be 0).
// BM_UserListManagerHideSwitchToggle: hiding and showing the users without video in a meeting of
//   10,000: comparisons of one toggle (one separation, one merge) against n and n*log2(n).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/module/module.h"
#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "hostkit/user_list.h"
#include "meeting_users.h"
#include "module_api/in_meeting/views.h"
#include "module_api/members/member_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"
#include "module_api/user_list/user_list_manager.h"

namespace {

using base::variant::Variant;
using Clock = std::chrono::steady_clock;
namespace member = velto_common::utils::member;
namespace id = velto::model_id;

constexpr size_t kUsers = 10000;
constexpr size_t kUpdates = 10000;
constexpr size_t kJoins = 1000;
constexpr size_t kLeaves = 1000;
constexpr int kToggles = 4;
constexpr size_t kSampleStep = 250;  // the baseline sorts on every 250th event

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

struct Event {
  enum Kind { kUpdate, kJoin, kLeave, kToggle } kind;
  std::string user_id;  // update, leave
  Variant payload;      // update: the changes; join: the record
};

// The stream after the load: updates, joins and leaves shuffled, the toggles at the fifths.
const std::vector<Event>& Stream() {
  static const std::vector<Event> stream = [] {
    bench::MemberRng rng(2024);
    std::vector<Event::Kind> kinds;
    kinds.insert(kinds.end(), kUpdates, Event::kUpdate);
    kinds.insert(kinds.end(), kJoins, Event::kJoin);
    kinds.insert(kinds.end(), kLeaves, Event::kLeave);
    for (size_t i = kinds.size() - 1; i > 0; --i) std::swap(kinds[i], kinds[rng.Below(static_cast<uint32_t>(i + 1))]);
    for (int t = kToggles; t >= 1; --t) {
      kinds.insert(kinds.begin() + static_cast<ptrdiff_t>(kinds.size() * t / (kToggles + 1)), Event::kToggle);
    }
    std::vector<Variant> joiners = bench::MakeMeetingUsers(kJoins, 0.25, 11);
    std::vector<std::string> present;
    // "m-0" ... "m-9998" besides the local user, who never leaves.
    for (size_t i = 0; i + 1 < kUsers; ++i) present.push_back("m-" + std::to_string(i));
    std::vector<Event> events;
    size_t joined = 0;
    for (Event::Kind kind : kinds) {
      Event event{kind, {}, {}};
      if (kind == Event::kJoin) {
        Variant user = joiners[joined];
        const std::string user_id = "j-" + std::to_string(joined++);
        user["user_id"] = user_id;
        user["app_uid"] = "uid-" + user_id;
        user["unique_id"] = "unique-" + user_id;
        present.push_back(user_id);
        event.payload = std::move(user);
      } else if (kind == Event::kLeave) {
        const size_t at = rng.Below(static_cast<uint32_t>(present.size()));
        event.user_id = present[at];
        present[at] = present.back();
        present.pop_back();
      } else if (kind == Event::kUpdate) {
        event.user_id = present[rng.Below(static_cast<uint32_t>(present.size()))];
        Variant change = Variant::Map();
        switch (rng.Below(5)) {
          case 0: change["audio"] = rng.Below(2) == 0; break;
          case 1: change["video"] = rng.Below(2) == 0; break;
          case 2: change["is_raise_hand"] = rng.Below(3) == 0; break;
          case 3: change["host"] = rng.Below(50) == 0; change["co_host"] = rng.Below(10) == 0; break;
          default: change["nickname"] = bench::MakeNickname(rng, rng.Chance(0.25)); break;
        }
        event.payload = std::move(change);
      }
      events.push_back(std::move(event));
    }
    return events;
  }();
  return stream;
}

// A meeting of 10,000 users (the local user among them) and a hide-video model whose "hide
// users without video" switch the stream toggles.
class Meeting {
 public:
  Meeting() {
    hostkit::Reset();
    hostkit::SetLogLevel(1);  // a client in the field: traces off
    hostkit::MeetingFixture::Options options;
    options.other_users = 0;
    fixture_ = std::make_unique<hostkit::MeetingFixture>(options);
    fixture_->Install();
    std::vector<Variant> users = bench::MakeMeetingUsers(kUsers - 1, 0.25);
    fixture_->AddUsers(std::move(users));
    hide_ = &hostkit::InstallModel(id::kHideVideoModel);
    hide_->Handle(6, [this](const Variant&, Variant*) { return hide_no_video_; }).Fail(7);
  }
  ~Meeting() { hostkit::Reset(); }

  void Play(const Event& event) {
    switch (event.kind) {
      case Event::kUpdate: fixture_->UpdateUser(event.user_id, event.payload); break;
      case Event::kJoin: fixture_->AddUser(event.payload); break;
      case Event::kLeave: fixture_->RemoveUser(event.user_id); break;
      case Event::kToggle:
        hide_no_video_ = !hide_no_video_;
        hide_->Fire(1, Variant::Map());
        break;
    }
  }

  // The models record every call; the records are dropped between events, outside the timing.
  void DropCallRecords() {
    fixture_->users().ClearCalls();
    fixture_->meeting().ClearCalls();
    hostkit::FindModel(id::kCustomLayoutModel)->ClearCalls();
    hide_->ClearCalls();
    hostkit::ClearLogs();
  }

  hostkit::MeetingFixture& fixture() { return *fixture_; }

 private:
  std::unique_ptr<hostkit::MeetingFixture> fixture_;
  hostkit::ScriptedModel* hide_ = nullptr;
  bool hide_no_video_ = false;
};

// The naive member list: every user index, fully re-sorted and partitioned after an event.
class FullSortBaseline {
 public:
  FullSortBaseline() {
    const int64_t observer = velto::model::ObserverId(this);
    framework::Model* users = framework::module::GetAppModuleModel(id::kUserModel);
    users->Subscribe(1, observer, [this](const Variant* v) { Add(v); });
    users->Subscribe(2, observer, [this](const Variant*) { Changed(); });
    users->Subscribe(3, observer, [this](const Variant* v) { Remove(v); });
    framework::module::GetAppModuleModel(id::kHideVideoModel)->Subscribe(1, observer, [this](const Variant*) {
      Changed();
    });
  }
  ~FullSortBaseline() {
    const int64_t observer = velto::model::ObserverId(this);
    for (int model : {id::kUserModel, id::kHideVideoModel}) {
      if (auto* m = framework::module::GetAppModuleModel(model)) m->Unsubscribe(observer);
    }
  }

  void Load() {
    const Variant all = member::GetUserIndexList();
    Add(&all);
  }
  void set_sort_next(bool sort) { sort_next_ = sort; }
  // One more full sort, outside the measured events: the lists as the stream left them.
  void SortNow() {
    sort_next_ = true;
    Changed();
  }
  double sort_seconds() const { return sort_seconds_; }
  size_t sorts() const { return sorts_; }
  const Variant& user_list() const { return user_list_; }

 private:
  void Add(const Variant* v) {
    for (const Variant& index : v->Elements()) members_.push_back(index);
    Changed();
  }
  void Remove(const Variant* v) {
    for (const Variant& index : v->Elements()) {
      auto it = std::find(members_.begin(), members_.end(), index);
      if (it != members_.end()) members_.erase(it);
    }
    Changed();
  }
  void Changed() {
    if (!sort_next_) return;
    const Clock::time_point start = Clock::now();
    framework::Model* users = framework::module::GetAppModuleModel(id::kUserModel);
    std::vector<Variant> sorted = members_;
    std::stable_sort(sorted.begin(), sorted.end(), [users](const Variant& a, const Variant& b) {
      return member::CompareSortUser(member::GetUserInfo(users, a.AsInteger()),
                                     member::GetUserInfo(users, b.AsInteger()));
    });
    const int hide_switch = velto_common::utils::inmeeting::NeedHideNoVideoMeetingUser() ? 1 : 0;
    std::stable_partition(sorted.begin(), sorted.end(), [users, hide_switch](const Variant& index) {
      return velto::UserListManagerRuleBase::IsUserVisible(member::GetUserInfo(users, index.AsInteger()),
                                                           hide_switch);
    });
    user_list_ = Variant::Array();
    for (Variant& index : sorted) user_list_.Add(std::move(index));
    sort_seconds_ += Seconds(start);
    ++sorts_;
  }

  std::vector<Variant> members_;
  Variant user_list_;
  bool sort_next_ = true;
  double sort_seconds_ = 0;
  size_t sorts_ = 0;
};

std::vector<int64_t> SortedIndexes(const Variant& list) {
  std::vector<int64_t> indexes;
  for (const Variant& index : list.Elements()) indexes.push_back(index.AsInteger());
  std::sort(indexes.begin(), indexes.end());
  return indexes;
}

void BM_UserListManagerVsFullSort(benchmark::State& state) {
  const std::vector<Event>& stream = Stream();
  const double events = static_cast<double>(stream.size() + 1);  // the load is an event too
  double manager_s = 0;
  double manager_load_s = 0;
  double baseline_other_s = 0;
  double baseline_sort_s = 0;
  size_t baseline_sorts = 0;
  std::vector<int64_t> manager_users;
  for (auto _ : state) {
    {
      Meeting meeting;
      hostkit::SortedUserListManager manager;
      Clock::time_point start = Clock::now();
      manager.InitUserList();
      manager_load_s += Seconds(start);
      manager_s += Seconds(start);
      for (const Event& event : stream) {
        meeting.DropCallRecords();
        start = Clock::now();
        meeting.Play(event);
        manager_s += Seconds(start);
      }
      if (manager.GetUserList()->size() != kUsers) return state.SkipWithError("the manager lost users");
      manager_users = SortedIndexes(*manager.GetUserList());
    }
    {
      Meeting meeting;
      FullSortBaseline baseline;
      double total = 0;
      Clock::time_point start = Clock::now();
      baseline.Load();
      total += Seconds(start);
      for (size_t i = 0; i < stream.size(); ++i) {
        meeting.DropCallRecords();
        baseline.set_sort_next((i + 1) % kSampleStep == 0);
        start = Clock::now();
        meeting.Play(stream[i]);
        total += Seconds(start);
      }
      baseline_other_s += total - baseline.sort_seconds();
      baseline_sort_s += baseline.sort_seconds();
      baseline_sorts += baseline.sorts();
      baseline.SortNow();
      if (SortedIndexes(baseline.user_list()) != manager_users) {
        return state.SkipWithError("the manager and the baseline end with different users");
      }
    }
  }
  const double n = static_cast<double>(state.iterations());
  const double mean_sort_s = baseline_sort_s / static_cast<double>(baseline_sorts);
  const double baseline_s = (baseline_other_s + mean_sort_s * events * n) / n;
  state.counters["events"] = events;
  state.counters["manager_ms"] = manager_s / n * 1e3;
  state.counters["manager_load_ms"] = manager_load_s / n * 1e3;
  state.counters["manager_us_per_event"] = manager_s / n / events * 1e6;
  state.counters["baseline_sorted_events"] = static_cast<double>(baseline_sorts) / n;
  state.counters["baseline_ms_per_sort"] = mean_sort_s * 1e3;
  state.counters["baseline_extrapolated_ms"] = baseline_s * 1e3;
  state.counters["speedup"] = baseline_s / (manager_s / n);
}
BENCHMARK(BM_UserListManagerVsFullSort)->Iterations(1)->Unit(benchmark::kMillisecond);

// Counts the comparisons of each placement.
struct PlacementStats {
  uint64_t compares = 0;  // every comparison the manager asked for
  uint64_t placements = 0;
  uint64_t placement_compares = 0;
  uint64_t max_compares = 0;
  uint64_t violations = 0;
  uint64_t largest_list = 0;
};

class CountingRule : public velto::UserListManagerDefaultRule {
 public:
  CountingRule(std::string key, PlacementStats* stats) : UserListManagerDefaultRule(std::move(key)), stats_(stats) {}
  void UserAdd(Variant& list, const Variant& index, const Variant& info) override {
    const size_t n = list.size() + 1;
    const uint64_t before = stats_->compares;
    UserListManagerDefaultRule::UserAdd(list, index, info);
    Record(n, stats_->compares - before);
  }
  bool UserUpdate(Variant& list, const Variant& index, const Variant& info, const int& pos) override {
    const size_t n = list.size() + (pos < 0 ? 1 : 0);
    const uint64_t before = stats_->compares;
    const bool moved = UserListManagerDefaultRule::UserUpdate(list, index, info, pos);
    Record(n, stats_->compares - before);
    return moved;
  }

 private:
  void Record(size_t n, uint64_t compares) {
    const uint64_t bound = 2 * static_cast<uint64_t>(std::ceil(std::log2(static_cast<double>(std::max<size_t>(n, 2))))) + 4;
    ++stats_->placements;
    stats_->placement_compares += compares;
    stats_->max_compares = std::max(stats_->max_compares, compares);
    stats_->largest_list = std::max<uint64_t>(stats_->largest_list, n);
    if (compares > bound) ++stats_->violations;
  }
  PlacementStats* stats_;
};

std::unique_ptr<hostkit::SortedUserListManager> CountingManager(PlacementStats* stats) {
  auto manager = std::make_unique<hostkit::SortedUserListManager>([stats](const Variant& a, const Variant& b) {
    ++stats->compares;
    return member::CompareSortUser(a, b);
  });
  manager->SetRule(true, std::make_unique<CountingRule>("visible_list", stats));
  manager->SetRule(false, std::make_unique<CountingRule>("invisible_list", stats));
  return manager;
}

void BM_UserListManagerComparisonsPerPlacement(benchmark::State& state) {
  PlacementStats stats;
  for (auto _ : state) {
    stats = PlacementStats();
    Meeting meeting;
    auto manager = CountingManager(&stats);
    manager->InitUserList();
    for (const Event& event : Stream()) {
      meeting.DropCallRecords();
      meeting.Play(event);
    }
  }
  state.counters["placements"] = static_cast<double>(stats.placements);
  state.counters["max_per_placement"] = static_cast<double>(stats.max_compares);
  state.counters["mean_per_placement"] =
      static_cast<double>(stats.placement_compares) / static_cast<double>(std::max<uint64_t>(stats.placements, 1));
  state.counters["bound_at_10000"] = 2 * std::ceil(std::log2(10000.0)) + 4;
  state.counters["violations"] = static_cast<double>(stats.violations);
  state.counters["all_comparisons"] = static_cast<double>(stats.compares);
}
BENCHMARK(BM_UserListManagerComparisonsPerPlacement)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_UserListManagerHideSwitchToggle(benchmark::State& state) {
  PlacementStats stats;
  Meeting meeting;
  auto manager = CountingManager(&stats);
  manager->InitUserList();
  const double n = static_cast<double>(manager->GetUserList()->size());
  uint64_t max_toggle = 0;
  uint64_t toggles = 0;
  size_t hidden_max = 0;
  for (auto _ : state) {
    for (int i = 0; i < 2; ++i) {  // hide, then show again
      meeting.DropCallRecords();
      const uint64_t before = stats.compares;
      meeting.Play(Event{Event::kToggle, {}, {}});
      max_toggle = std::max(max_toggle, stats.compares - before);
      ++toggles;
      hidden_max = std::max(hidden_max, manager->GetNeedHideUserList()->size());
    }
  }
  state.counters["users"] = n;
  state.counters["hidden_users"] = static_cast<double>(hidden_max);
  state.counters["comparisons_per_toggle_max"] = static_cast<double>(max_toggle);
  state.counters["n_log2_n"] = n * std::log2(n);
  state.counters["toggle_vs_nlogn"] = static_cast<double>(max_toggle) / (n * std::log2(n));
  state.counters["toggles"] = static_cast<double>(toggles);
}
BENCHMARK(BM_UserListManagerHideSwitchToggle)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
