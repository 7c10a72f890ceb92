// Preferences against SQLite used directly, one autocommit statement per operation, in the
// same run: 100,000 SetInt32 then one Sync against 100,000 single-row INSERT OR REPLACE, and
// 100,000 GetInt32 against 100,000 single-row SELECT. Targets: writes 20x, reads 10x.
//
// The baseline gets the kindest durable settings (WAL with synchronous=NORMAL, a prepared
// statement reused); the store itself commits with synchronous=FULL. A third benchmark times
// Sync of 10,000 changed keys.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "hostkit/hostkit.h"
#include "module_api/preferences/preferences.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kOps = 100000;

const std::vector<std::string>& Keys() {
  static const std::vector<std::string> keys = [] {
    std::vector<std::string> result;
    for (int i = 0; i < kOps; ++i) result.push_back("setting." + std::to_string(i));
    return result;
  }();
  return keys;
}

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

class Scratch {
 public:
  explicit Scratch(const char* name)
      : dir_(fs::temp_directory_path() / (std::string("velto_bench_") + name + "_" + std::to_string(::getpid()))) {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    hostkit::Reset();
    velto_common::utils::InitializePreferences(dir_.string());
  }
  ~Scratch() {
    hostkit::Reset();
    std::error_code error;
    fs::remove_all(dir_, error);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

 private:
  fs::path dir_;
};

class DirectSqlite {
 public:
  explicit DirectSqlite(const std::string& path) {
    sqlite3_open(path.c_str(), &db_);
    sqlite3_exec(db_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;"
                      "CREATE TABLE IF NOT EXISTS kv(k TEXT PRIMARY KEY, v INTEGER NOT NULL) WITHOUT ROWID",
                 nullptr, nullptr, nullptr);
    sqlite3_prepare_v2(db_, "INSERT OR REPLACE INTO kv(k, v) VALUES(?, ?)", -1, &put_, nullptr);
    sqlite3_prepare_v2(db_, "SELECT v FROM kv WHERE k = ?", -1, &get_, nullptr);
  }
  ~DirectSqlite() {
    sqlite3_finalize(put_);
    sqlite3_finalize(get_);
    sqlite3_close(db_);
  }
  bool ok() const { return db_ && put_ && get_; }
  void Put(const std::string& key, int32_t value) {
    sqlite3_bind_text(put_, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
    sqlite3_bind_int(put_, 2, value);
    sqlite3_step(put_);
    sqlite3_reset(put_);
  }
  int32_t Get(const std::string& key, int32_t default_value) {
    sqlite3_bind_text(get_, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
    const int32_t value = sqlite3_step(get_) == SQLITE_ROW ? sqlite3_column_int(get_, 0) : default_value;
    sqlite3_reset(get_);
    return value;
  }

 private:
  sqlite3* db_ = nullptr;
  sqlite3_stmt* put_ = nullptr;
  sqlite3_stmt* get_ = nullptr;
};

void BM_PreferencesWriteVsSqlite(benchmark::State& state) {
  Scratch scratch("write");
  const auto& keys = Keys();
  double prefs_s = 0;
  double sqlite_s = 0;
  int round = 0;
  for (auto _ : state) {
    ++round;
    auto prefs = velto_common::utils::Preferences::Open("bench_write");
    if (!prefs->tkv()) return state.SkipWithError("the store did not open");
    auto start = Clock::now();
    for (int i = 0; i < kOps; ++i) prefs->SetInt32(keys[i], i + round);
    prefs->Sync();
    prefs_s += Seconds(start);

    DirectSqlite direct(scratch.Path("direct_write"));
    if (!direct.ok()) return state.SkipWithError("sqlite did not open");
    start = Clock::now();
    for (int i = 0; i < kOps; ++i) direct.Put(keys[i], i + round);
    sqlite_s += Seconds(start);
    if (prefs->GetInt32(keys[kOps - 1], -1) != direct.Get(keys[kOps - 1], -2)) {
      return state.SkipWithError("the two paths disagree");
    }
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["prefs_set_and_sync_ms"] = prefs_s / n * 1e3;
  state.counters["sqlite_autocommit_ms"] = sqlite_s / n * 1e3;
  state.counters["write_speedup"] = sqlite_s / prefs_s;
}
BENCHMARK(BM_PreferencesWriteVsSqlite)->Iterations(2)->Unit(benchmark::kMillisecond);

void BM_PreferencesReadVsSqlite(benchmark::State& state) {
  Scratch scratch("read");
  const auto& keys = Keys();
  auto prefs = velto_common::utils::Preferences::Open("bench_read");
  DirectSqlite direct(scratch.Path("direct_read"));
  if (!prefs->tkv() || !direct.ok()) return state.SkipWithError("a store did not open");
  for (int i = 0; i < kOps; ++i) prefs->SetInt32(keys[i], i);
  prefs->Sync();
  // The baseline table is filled in one transaction: only the reads are measured.
  sqlite3* db = nullptr;
  sqlite3_open(scratch.Path("direct_read").c_str(), &db);
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* fill = nullptr;
  sqlite3_prepare_v2(db, "INSERT OR REPLACE INTO kv(k, v) VALUES(?, ?)", -1, &fill, nullptr);
  for (int i = 0; i < kOps; ++i) {
    sqlite3_bind_text(fill, 1, keys[i].data(), static_cast<int>(keys[i].size()), SQLITE_STATIC);
    sqlite3_bind_int(fill, 2, i);
    sqlite3_step(fill);
    sqlite3_reset(fill);
  }
  sqlite3_finalize(fill);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);

  double prefs_s = 0;
  double sqlite_s = 0;
  int64_t checksum = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    for (int i = 0; i < kOps; ++i) checksum += prefs->GetInt32(keys[i], -1);
    prefs_s += Seconds(start);
    start = Clock::now();
    for (int i = 0; i < kOps; ++i) checksum -= direct.Get(keys[i], -2);
    sqlite_s += Seconds(start);
  }
  if (checksum != 0) return state.SkipWithError("the two paths disagree");
  const double n = static_cast<double>(state.iterations());
  state.counters["prefs_get_ms"] = prefs_s / n * 1e3;
  state.counters["sqlite_select_ms"] = sqlite_s / n * 1e3;
  state.counters["read_speedup"] = sqlite_s / prefs_s;
}
BENCHMARK(BM_PreferencesReadVsSqlite)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_PreferencesSync10kChangedKeys(benchmark::State& state) {
  Scratch scratch("sync");
  const auto& keys = Keys();
  auto prefs = velto_common::utils::Preferences::Open("bench_sync");
  if (!prefs->tkv()) return state.SkipWithError("the store did not open");
  for (int i = 0; i < kOps; ++i) prefs->SetInt32(keys[i], i);  // a store of 100,000 keys
  prefs->Sync();
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ++round;
    for (int i = 0; i < 10000; ++i) prefs->SetInt32(keys[(i * 7) % kOps], round);
    state.ResumeTiming();
    prefs->Sync();
  }
  state.counters["store_keys"] = kOps;
  state.counters["changed_keys"] = 10000;
}
BENCHMARK(BM_PreferencesSync10kChangedKeys)->Unit(benchmark::kMillisecond);

}  // namespace
