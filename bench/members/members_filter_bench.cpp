// Keyword search over a member list of 10,000 users (a quarter with Chinese nicknames) for a
// pinyin keyword: MembersFilterManager, which keeps each member's lower-cased nickname and
// pinyin from the events that bring them, against the same search converting every nickname at
// search time (the converter's whole-result cache cleared before each pass, its per-character
// syllables left warm, so the baseline pays the conversion of each nickname and not ICU).
// BM_MembersSearchVsConverting runs both in one benchmark; the target is
// converting_vs_cached >= 20.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "framework/module/module.h"
#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "meeting_users.h"
#include "module_api/members/member_utils.h"
#include "module_api/members/members_filter_manager.h"
#include "module_api/model_ids.h"
#include "module_api/members/pinyin.h"

namespace {

namespace member = velto_common::utils::member;
using base::variant::Variant;
using namespace std::chrono;

constexpr size_t kMembers = 10000;
const std::string kKeyword = "zhang";

class CountingPanel : public velto::IMembersProviderListener {
 public:
  void OnMembersUpdated() override {}
  void OnSearchResult(const std::string&, const Variant& indexes, const std::string&, int64_t) override {
    found = indexes.size();
  }
  size_t found = 0;
};

// A meeting of 10,000 and an active manager over it.
struct Meeting {
  Meeting() {
    hostkit::Reset();
    hostkit::SetLogLevel(3);  // no per-user trace records
    hostkit::MeetingFixture::Options options;
    options.other_users = 0;
    fixture = std::make_unique<hostkit::MeetingFixture>(options);
    fixture->Install();
    fixture->AddUsers(bench::MakeMeetingUsers(kMembers, 0.25));
    manager = std::make_unique<velto::MembersFilterManager>("bench");
    manager->Activate(&panel);
    manager->GetUserIndexList(&list);
  }
  ~Meeting() {
    manager.reset();
    fixture.reset();
    hostkit::Reset();
  }

  size_t SearchCached() {
    manager->StartSearch("box", kKeyword);
    return panel.found;
  }

  // Clears the whole-result cache (untimed), keeping the syllables of every character warm by
  // converting each nickname in the other, spaced form.
  void ColdResults() {
    velto_common::utils::ResetPinyinCachesForTesting();
    framework::Model* users = framework::module::GetAppModuleModel(velto::model_id::kUserModel);
    for (const Variant& index : list.Elements()) {
      velto_common::utils::ConvertChineseToPinyin(member::GetUserInfo(users, index.AsInteger()).GetString("nickname"),
                                                  false);
    }
    fixture->users().ClearCalls();
  }

  size_t SearchConverting() {
    framework::Model* users = framework::module::GetAppModuleModel(velto::model_id::kUserModel);
    Variant result = Variant::Array();
    for (const Variant& index : list.Elements()) {
      const Variant& record = member::GetUserInfo(users, index.AsInteger());
      std::string lower(record.Get("nickname").AsStringView());
      for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
      if (lower.find(kKeyword) != std::string::npos ||
          (record.Has("nickname_pinyin") ? record.GetString("nickname_pinyin")
                                         : velto_common::utils::ConvertChineseToPinyin(lower, true))
                  .find(kKeyword) != std::string::npos) {
        result.Add(index);
      }
    }
    return result.size();
  }

  std::unique_ptr<hostkit::MeetingFixture> fixture;
  std::unique_ptr<velto::MembersFilterManager> manager;
  CountingPanel panel;
  Variant list;
};

void BM_MembersSearchCached(benchmark::State& state) {
  Meeting meeting;
  for (auto _ : state) benchmark::DoNotOptimize(meeting.SearchCached());
  state.counters["found"] = static_cast<double>(meeting.panel.found);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kMembers));
}
BENCHMARK(BM_MembersSearchCached)->Unit(benchmark::kMicrosecond);

void BM_MembersSearchConverting(benchmark::State& state) {
  Meeting meeting;
  for (auto _ : state) {
    state.PauseTiming();
    meeting.ColdResults();
    state.ResumeTiming();
    benchmark::DoNotOptimize(meeting.SearchConverting());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kMembers));
}
BENCHMARK(BM_MembersSearchConverting)->Unit(benchmark::kMicrosecond);

// Activation at 10,000 users: the whole list rebuilt from the model, sorted, and every member's
// search key made (the converter's caches warm, as after the first rebuild of a meeting).
void BM_MembersActivate(benchmark::State& state) {
  Meeting meeting;
  for (auto _ : state) {
    meeting.manager->Activate(&meeting.panel);
    benchmark::DoNotOptimize(meeting.manager->GetUserCount());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kMembers));
}
BENCHMARK(BM_MembersActivate)->Unit(benchmark::kMillisecond);

void BM_MembersSearchVsConverting(benchmark::State& state) {
  Meeting meeting;
  constexpr int kCachedRepeats = 20;  // one converting pass takes as long as many cached ones
  duration<double> cached{0}, converting{0};
  for (auto _ : state) {
    auto start = steady_clock::now();
    for (int i = 0; i < kCachedRepeats; ++i) benchmark::DoNotOptimize(meeting.SearchCached());
    cached += (steady_clock::now() - start) / kCachedRepeats;
    meeting.ColdResults();
    start = steady_clock::now();
    const size_t found = meeting.SearchConverting();
    converting += steady_clock::now() - start;
    if (found != meeting.panel.found) return state.SkipWithError("the two searches disagree");
  }
  const double passes = static_cast<double>(state.iterations());
  state.counters["found"] = static_cast<double>(meeting.panel.found);
  state.counters["cached_us"] = cached.count() / passes * 1e6;
  state.counters["converting_us"] = converting.count() / passes * 1e6;
  state.counters["converting_vs_cached"] = converting.count() / cached.count();
}
BENCHMARK(BM_MembersSearchVsConverting)->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace
