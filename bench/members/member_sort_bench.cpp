// Member ordering and nickname pinyin at meeting scale.
//
// BM_SortUserVsByteSort sorts 10,000 user indexes (half Chinese nicknames) with SortUser, the
// records fetched from the user model of a hostkit::MeetingFixture as in production, and in the
// same iteration std::sort of the same records already in hand by plain byte order of their
// nicknames. SortUser runs twice: cold (the first sort after a language change, so every
// collation key is made) and warm (keys cached from the sort before, as when a member list is
// sorted again). "cold_vs_byte_sort" and "warm_vs_byte_sort" are the ratios; "fetch_ms" is the
// part no sort can avoid, one user model call per user.
// BM_SortUserIndexList gives the same order through one collation per comparison, for scale.
//
// BM_PinyinVsIcu converts the 10,000 nicknames cold (caches cleared), warm, and with a fresh
// ICU transliteration per nickname (no caches at all) in one iteration and reports nanoseconds
// per nickname and the ratios "icu_vs_cold" and "icu_vs_warm".
#include <benchmark/benchmark.h>

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/module/module.h"
#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "meeting_users.h"
#include "module_api/members/member_utils.h"
#include "module_api/model_ids.h"
#include "module_api/members/pinyin.h"

namespace {

namespace member = velto_common::utils::member;
using base::variant::Variant;
using namespace std::chrono;

constexpr size_t kUsers = 10000;
constexpr double kChineseShare = 0.5;

struct Meeting {
  hostkit::MeetingFixture fixture{[] {
    hostkit::MeetingFixture::Options options;
    options.other_users = 0;
    return options;
  }()};
  Variant unsorted;
  std::vector<const Variant*> records;  // the same users' records, for the baseline
};

std::unique_ptr<Meeting> MakeMeeting() {
  hostkit::Reset();
  hostkit::SetLanguage("zh-cn");
  auto meeting = std::make_unique<Meeting>();
  meeting->fixture.Install();
  meeting->fixture.AddUsers(bench::MakeMeetingUsers(kUsers, kChineseShare));
  meeting->unsorted = member::GetUserIndexList();
  for (const Variant& index : meeting->unsorted.Elements()) {
    meeting->records.push_back(&member::GetUserInfo(
        framework::module::GetAppModuleModel(velto::model_id::kUserModel), index.AsInteger()));
  }
  meeting->fixture.users().ClearCalls();
  return meeting;
}

std::string_view Nickname(const Variant* record) { return record->Get("nickname").AsStringView(); }

void ByteSort(std::vector<const Variant*>& records) {
  std::sort(records.begin(), records.end(),
            [](const Variant* a, const Variant* b) { return Nickname(a) < Nickname(b); });
}

// Only the record lookups SortUser cannot avoid: one user model call per user.
size_t FetchAll(const Variant& indexes) {
  framework::Model* users = framework::module::GetAppModuleModel(velto::model_id::kUserModel);
  size_t found = 0;
  for (const Variant& index : indexes.Elements()) found += member::GetUserInfo(users, index.AsInteger()).IsMap();
  return found;
}

void BM_SortUserVsByteSort(benchmark::State& state) {
  std::unique_ptr<Meeting> meeting = MakeMeeting();
  Variant two = Variant::Array();
  two.Add(meeting->unsorted.At(0));
  two.Add(meeting->unsorted.At(1));
  duration<double> cold{0}, warm{0}, byte_sort{0}, fetch{0};
  for (auto _ : state) {
    // A sort in another language empties the key cache: the next sort starts cold.
    state.PauseTiming();
    hostkit::SetLanguage("en-us");
    member::SortUser(two);
    hostkit::SetLanguage("zh-cn");
    state.ResumeTiming();
    Variant list = meeting->unsorted;
    auto start = steady_clock::now();
    member::SortUser(list);
    cold += steady_clock::now() - start;
    list = meeting->unsorted;
    start = steady_clock::now();
    member::SortUser(list);
    warm += steady_clock::now() - start;
    benchmark::DoNotOptimize(list);

    std::vector<const Variant*> records = meeting->records;
    start = steady_clock::now();
    ByteSort(records);
    byte_sort += steady_clock::now() - start;
    benchmark::DoNotOptimize(records.data());
    start = steady_clock::now();
    benchmark::DoNotOptimize(FetchAll(meeting->unsorted));
    fetch += steady_clock::now() - start;
    state.PauseTiming();
    meeting->fixture.users().ClearCalls();  // the fixture records every call
    state.ResumeTiming();
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["sort_user_cold_ms"] = cold.count() / iterations * 1e3;
  state.counters["sort_user_warm_ms"] = warm.count() / iterations * 1e3;
  state.counters["byte_sort_ms"] = byte_sort.count() / iterations * 1e3;
  state.counters["fetch_ms"] = fetch.count() / iterations * 1e3;
  state.counters["cold_vs_byte_sort"] = cold.count() / byte_sort.count();
  state.counters["warm_vs_byte_sort"] = warm.count() / byte_sort.count();
}
BENCHMARK(BM_SortUserVsByteSort)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_SortUserIndexList(benchmark::State& state) {
  std::unique_ptr<Meeting> meeting = MakeMeeting();
  for (auto _ : state) {
    Variant list = meeting->unsorted;
    member::SortUserIndexList(list, member::CompareSortUser);
    benchmark::DoNotOptimize(list);
    state.PauseTiming();
    meeting->fixture.users().ClearCalls();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SortUserIndexList)->Unit(benchmark::kMillisecond)->Iterations(5);

std::vector<std::string> Nicknames() {
  std::vector<std::string> names;
  for (const Variant& user : bench::MakeMeetingUsers(kUsers, kChineseShare)) names.push_back(user.GetString("nickname"));
  return names;
}

size_t ConvertAll(const std::vector<std::string>& names) {
  size_t total = 0;
  for (const std::string& name : names) total += velto_common::utils::ConvertChineseToPinyin(name, true).size();
  return total;
}

// What a converter without caches does: every nickname through the transliterator.
size_t ConvertAllIcu(icu::Transliterator& transliterator, const std::vector<std::string>& names) {
  size_t total = 0;
  for (const std::string& name : names) {
    icu::UnicodeString text = icu::UnicodeString::fromUTF8(name);
    transliterator.transliterate(text);
    std::string out;
    text.toUTF8String(out);
    total += out.size();
  }
  return total;
}

void BM_PinyinVsIcu(benchmark::State& state) {
  hostkit::Reset();
  const std::vector<std::string> names = Nicknames();
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Transliterator> icu(
      icu::Transliterator::createInstance("Han-Latin; Latin-ASCII", UTRANS_FORWARD, status));
  if (U_FAILURE(status)) return state.SkipWithError("ICU transliterator unavailable");
  ConvertAll(names);  // the converter's one-time set-up is not a per-nickname cost
  duration<double> cold{0}, warm{0}, plain{0};
  for (auto _ : state) {
    velto_common::utils::ResetPinyinCachesForTesting();
    auto start = steady_clock::now();
    benchmark::DoNotOptimize(ConvertAll(names));
    cold += steady_clock::now() - start;
    start = steady_clock::now();
    benchmark::DoNotOptimize(ConvertAll(names));
    warm += steady_clock::now() - start;
    start = steady_clock::now();
    benchmark::DoNotOptimize(ConvertAllIcu(*icu, names));
    plain += steady_clock::now() - start;
  }
  const double conversions = static_cast<double>(state.iterations()) * static_cast<double>(names.size());
  state.counters["cold_ns_per_nickname"] = cold.count() / conversions * 1e9;
  state.counters["warm_ns_per_nickname"] = warm.count() / conversions * 1e9;
  state.counters["icu_ns_per_nickname"] = plain.count() / conversions * 1e9;
  state.counters["icu_vs_cold"] = plain.count() / cold.count();
  state.counters["icu_vs_warm"] = plain.count() / warm.count();
}
BENCHMARK(BM_PinyinVsIcu)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
