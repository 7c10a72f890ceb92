// UserListCache add-or-update of 10,000 member records (a quarter with Chinese nicknames): the
// first add into an empty cache, then an update pass over the same users, each against copying
// the same records into a std::unordered_map<std::string, Variant> keyed by user id in the same
// run. Reported per record, with cache_vs_map ratios.
//
// A second baseline does what no cache can avoid: it writes the four keys the cache derives
// ("status", "is_bot", "nickname_pinyin", "user_index") into each record of another unshared
// set and keeps the record in a hash map (cache_vs_write_and_map): writing a new key into a
// record grows its map, which is most of a record's cost.
//
// The records handed to the cache are the caller's own (not shared with another Variant), as a
// member module's freshly received records are; building them is outside the timing. Records
// are written at log level 4: the per-user trace lines are not part of the cost measured.
// Times are thread CPU times.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <time.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "hostkit/hostkit.h"
#include "meeting_users.h"
#include "module_api/user_list/user_list_cache.h"

namespace {

using base::variant::Variant;

constexpr size_t kUsers = 10000;

const std::vector<Variant>& Users() {
  static const std::vector<Variant> users = bench::MakeMeetingUsers(kUsers, 0.25);
  return users;
}

// Thread CPU time: the machine is shared, and both sides of a ratio should count only their own
// work.
double Now() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
double Seconds(double since) { return Now() - since; }

// Every timed pass starts from a consolidated heap: with tens of thousands of records freed just
// before, the allocator's state would otherwise decide which pass pays for sorting its bins.
double Settled() {
  malloc_trim(0);
  return Now();
}

// Unshared copies of the users, each with `change` applied (an update pass) or as they are.
velto::UserListCache::Records FreshRecords(bool update) {
  velto::UserListCache::Records records;
  records.reserve(kUsers);
  for (const Variant& user : Users()) {
    auto record = std::make_shared<Variant>(user);
    // Writing detaches the copy from the shared original.
    (*record)["audio"] = update ? !user.GetBoolean("audio") : user.GetBoolean("audio");
    records.push_back(std::move(record));
  }
  return records;
}

double CopyIntoMap(const velto::UserListCache::Records& records, std::unordered_map<std::string, Variant>& map) {
  const auto start = Settled();
  for (const auto& record : records) map[record->GetString("user_id")] = *record;
  return Seconds(start);
}

// Writes the derived keys the plain way and keeps the records by user id.
double WriteKeysIntoMap(const velto::UserListCache::Records& records,
                        std::unordered_map<std::string, velto::UserListCache::Record>& map) {
  const auto start = Settled();
  int64_t index = 1;
  for (const auto& record : records) {
    Variant& user = *record;
    user["status"] = 0;
    user["is_bot"] = user.GetUint32("instance_id") == 57;
    user["nickname_pinyin"] = user.Get("nickname");
    user["user_index"] = static_cast<long long>(index++);
    map[user.GetString("user_id")] = record;
  }
  return Seconds(start);
}

void BM_UserListCacheAddOrUpdate10k(benchmark::State& state) {
  hostkit::Reset();
  hostkit::SetLogLevel(4);
  double add_s = 0;
  double update_s = 0;
  double map_add_s = 0;
  double map_update_s = 0;
  double write_add_s = 0;
  double write_update_s = 0;
  size_t checksum = 0;
  for (auto _ : state) {
    velto::UserListCache cache;
    std::unordered_map<std::string, Variant> map;
    auto added = FreshRecords(false);
    auto updated = FreshRecords(true);

    auto start = Settled();
    Variant touched = cache.UserListChanged(velto::Members::kUsersAdded, added);
    add_s += Seconds(start);
    map_add_s += CopyIntoMap(added, map);

    start = Settled();
    Variant touched_again = cache.UserListChanged(velto::Members::kUsersUpdated, updated);
    update_s += Seconds(start);
    map_update_s += CopyIntoMap(updated, map);

    std::unordered_map<std::string, velto::UserListCache::Record> written;
    auto written_added = FreshRecords(false);
    auto written_updated = FreshRecords(true);
    write_add_s += WriteKeysIntoMap(written_added, written);
    write_update_s += WriteKeysIntoMap(written_updated, written);

    if (touched.size() != kUsers || touched_again.size() != kUsers || map.size() != kUsers ||
        cache.GetUserIndex("m-9999") != static_cast<int64_t>(kUsers)) {
      return state.SkipWithError("the cache lost users");
    }
    checksum += cache.GetVariant("m-7").GetString("nickname_pinyin").size();
  }
  benchmark::DoNotOptimize(checksum);
  const double records = static_cast<double>(state.iterations()) * kUsers;
  state.counters["add_ns_per_record"] = add_s / records * 1e9;
  state.counters["update_ns_per_record"] = update_s / records * 1e9;
  state.counters["map_copy_add_ns_per_record"] = map_add_s / records * 1e9;
  state.counters["map_copy_update_ns_per_record"] = map_update_s / records * 1e9;
  state.counters["add_cache_vs_map"] = add_s / map_add_s;
  state.counters["update_cache_vs_map"] = update_s / map_update_s;
  state.counters["write_and_map_add_ns_per_record"] = write_add_s / records * 1e9;
  state.counters["write_and_map_update_ns_per_record"] = write_update_s / records * 1e9;
  state.counters["add_cache_vs_write_and_map"] = add_s / write_add_s;
  state.counters["update_cache_vs_write_and_map"] = update_s / write_update_s;
  hostkit::Reset();
}
BENCHMARK(BM_UserListCacheAddOrUpdate10k)->Iterations(20)->Unit(benchmark::kMillisecond);

// The memory of 10,000 cached records: heap in use (mallinfo2) after the cache's first add of
// 10,000 fresh member records, against the heap before the records were made ("records_MB":
// the records with everything the cache wrote into them and its side tables) and before the add
// ("added_by_cache_MB"). "key_tables" counts the distinct key tables among the cached records.
void BM_UserListCacheMemory10k(benchmark::State& state) {
  hostkit::Reset();
  hostkit::SetLogLevel(4);
  double records_bytes = 0;
  double added_bytes = 0;
  double tables = 0;
  for (auto _ : state) {
    Users();  // the templates the records are copied from exist before the first reading
    malloc_trim(0);
    const size_t empty = mallinfo2().uordblks;
    {
      auto records = FreshRecords(false);
      velto::UserListCache cache;
      const size_t made = mallinfo2().uordblks;
      cache.UserListChanged(velto::Members::kUsersAdded, records);
      const size_t cached = mallinfo2().uordblks;
      records_bytes += static_cast<double>(cached - empty);
      added_bytes += static_cast<double>(cached - made);
      std::vector<const Variant*> distinct;
      for (const auto& record : records) {
        bool known = false;
        for (const Variant* table : distinct) known = known || record->SharesKeysWith(*table);
        if (!known) distinct.push_back(record.get());
      }
      tables = static_cast<double>(distinct.size());
    }
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["records_MB"] = records_bytes / n / 1e6;
  state.counters["added_by_cache_MB"] = added_bytes / n / 1e6;
  state.counters["bytes_per_record"] = records_bytes / n / kUsers;
  state.counters["key_tables"] = tables;
  hostkit::Reset();
}
BENCHMARK(BM_UserListCacheMemory10k)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
