// The member list's first load in a meeting of 10,000 users, as on joining a large meeting: the
// user model answers all indexes at once (InitUserList), and the manager places every user.
//
// BM_UserListManagerFirstLoadVsSortUser: in each iteration, a fresh meeting of 10,000 users
//   (bench::MakeMeetingUsers(10000, 0.25), Chinese interface language), then
//     load_ms      hostkit::SortedUserListManager::InitUserList() (member::CompareSortUser),
//     sort_ms      member::SortUser of the same index list, cold (no collation key cached yet,
//                  as the manager's first load has none either).
//   "load_vs_sort" is load_ms / sort_ms (target: at most 2). Times are thread CPU times, the
//   two measured alternately in one process, so that a busy machine skews neither side.
//   The user model does not record its calls here (a host does not either).
#include <benchmark/benchmark.h>
#include <time.h>

#include <memory>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "hostkit/user_list.h"
#include "meeting_users.h"
#include "module_api/members/member_utils.h"

namespace {

using base::variant::Variant;
namespace member = velto_common::utils::member;

constexpr size_t kUsers = 10000;

double CpuNow() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// A meeting of kUsers users (the local user among them); no list manager yet.
std::unique_ptr<hostkit::MeetingFixture> MakeMeeting() {
  hostkit::Reset();
  hostkit::SetLogLevel(1);  // a client in the field: traces off
  hostkit::MeetingFixture::Options options;
  options.other_users = 0;
  auto meeting = std::make_unique<hostkit::MeetingFixture>(options);
  meeting->Install();
  meeting->users().RecordCalls(false);
  meeting->AddUsers(bench::MakeMeetingUsers(kUsers - 1, 0.25));
  return meeting;
}

// Empties SortUser's collation key cache: a sort in another language starts it over.
void ForgetSortKeys(const Variant& indexes) {
  Variant two = Variant::Array();
  two.Add(indexes.At(0));
  two.Add(indexes.At(1));
  hostkit::SetLanguage("en-us");
  member::SortUser(two);
  hostkit::SetLanguage("zh-cn");
}

void BM_UserListManagerFirstLoadVsSortUser(benchmark::State& state) {
  double load_s = 0;
  double sort_s = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<hostkit::MeetingFixture> meeting = MakeMeeting();
    hostkit::SetLanguage("zh-cn");
    const Variant indexes = member::GetUserIndexList();
    ForgetSortKeys(indexes);
    state.ResumeTiming();

    Variant sorted = indexes;
    double start = CpuNow();
    member::SortUser(sorted);
    sort_s += CpuNow() - start;

    ForgetSortKeys(indexes);
    {
      hostkit::SortedUserListManager manager;
      start = CpuNow();
      manager.InitUserList();
      load_s += CpuNow() - start;
      if (manager.GetUserList()->size() != kUsers || sorted.size() != kUsers) {
        return state.SkipWithError("users were lost");
      }
    }
    state.PauseTiming();
    meeting.reset();
    hostkit::Reset();
    state.ResumeTiming();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["load_ms"] = load_s / n * 1e3;
  state.counters["sort_ms"] = sort_s / n * 1e3;
  state.counters["load_vs_sort"] = load_s / sort_s;
}
BENCHMARK(BM_UserListManagerFirstLoadVsSortUser)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
