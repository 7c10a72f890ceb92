// The host's typed key-value store on SQLite: kinds, durability across close, crashes and
// damaged files, format versions, statistics and background synchronisation.
#include <signal.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/tkv/tkv.h"
#include "child_process.h"
#include "hostkit/hostkit.h"
#include "hostkit/stores.h"

namespace {

namespace fs = std::filesystem;
using base::tkv::TKV;

class RecordingListener : public base::tkv::TKVFatalErrorListener {
 public:
  struct Report {
    std::string path;
    base::tkv::TKVFatalError error;
  };
  void OnFatalError(TKV* tkv, const base::tkv::TKVFatalError& error) override {
    reports.push_back({tkv ? tkv->GetPath() : std::string("(none)"), error});
  }
  std::vector<Report> reports;
};

// Runs what a test hands it in order: a scheduler that the test drives by hand.
class ManualScheduler : public base::tkv::Scheduler {
 public:
  uint64_t GenerateTaskId() override { return ++last_id; }
  void Schedule(uint64_t id, std::function<void()> task, int64_t delay) override {
    tasks[id] = std::move(task);
    delays.push_back(delay);
  }
  bool Cancel(uint64_t id) override { return tasks.erase(id) > 0; }
  void RunAll() {
    auto pending = std::move(tasks);
    tasks.clear();
    for (auto& [id, task] : pending) task();
  }
  uint64_t last_id = 0;
  std::map<uint64_t, std::function<void()>> tasks;
  std::vector<int64_t> delays;
};

class TkvTest : public testing::Test {
 protected:
  void SetUp() override {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("velto_tkv_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    listener_ = std::make_shared<RecordingListener>();
    TKV::SetTKVFatalErrorListener(listener_);
  }
  void TearDown() override {
    TKV::SetTKVFatalErrorListener(nullptr);
    std::error_code error;
    fs::remove_all(dir_, error);
  }

  std::string Path(const std::string& name = "store") const { return (dir_ / name).string(); }
  std::unique_ptr<TKV> Open(const std::string& name = "store", base::tkv::TKVConfig config = {}) {
    return TKV::Create(Path(name), config);
  }
  std::vector<fs::path> AsideFiles() const {
    std::vector<fs::path> result;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      const std::string name = entry.path().filename().string();
      if (name.find(".corrupt-") != std::string::npos && name.find("-wal") == std::string::npos &&
          name.find("-shm") == std::string::npos) {
        result.push_back(entry.path());
      }
    }
    return result;
  }

  fs::path dir_;
  std::shared_ptr<RecordingListener> listener_;
};

void PutEveryKind(TKV& store) {
  store.PutBool("bool", true);
  store.PutInt32("int32", std::numeric_limits<int32_t>::min());
  store.PutInt64("int64", std::numeric_limits<int64_t>::min() + 1);
  store.PutFloat("float", 1.5f);
  store.PutDouble("double", -0.1);
  store.PutUInt32("uint32", std::numeric_limits<uint32_t>::max());
  store.PutUInt64("uint64", std::numeric_limits<uint64_t>::max());
  store.PutString("string", std::string("a\0b \xE4\xBD\xA0\xE5\xA5\xBD", 9), 5);
  store.PutString("empty", "", 5);
}

void ExpectEveryKind(const TKV& store) {
  EXPECT_EQ(store.GetValueType("bool"), base::tkv::kTypeBool);
  EXPECT_EQ(store.GetValueType("int32"), base::tkv::kTypeInt32);
  EXPECT_EQ(store.GetValueType("int64"), base::tkv::kTypeInt64);
  EXPECT_EQ(store.GetValueType("float"), base::tkv::kTypeFloat);
  EXPECT_EQ(store.GetValueType("double"), base::tkv::kTypeDouble);
  EXPECT_EQ(store.GetValueType("uint32"), base::tkv::kTypeUInt32);
  EXPECT_EQ(store.GetValueType("uint64"), base::tkv::kTypeUInt64);
  EXPECT_EQ(store.GetValueType("string"), base::tkv::kTypeString);
  EXPECT_EQ(store.GetValueType("empty"), base::tkv::kTypeString);
  EXPECT_EQ(store.GetValueType("absent"), base::tkv::kTypeNone);
  EXPECT_TRUE(store.GetBool("bool", false));
  EXPECT_EQ(store.GetInt32("int32", 0), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(store.GetInt64("int64", 0), std::numeric_limits<int64_t>::min() + 1);
  EXPECT_EQ(store.GetFloat("float", 0), 1.5f);
  EXPECT_EQ(store.GetDouble("double", 0), -0.1);
  EXPECT_EQ(store.GetUInt32("uint32", 0), std::numeric_limits<uint32_t>::max());
  EXPECT_EQ(store.GetUInt64("uint64", 0), std::numeric_limits<uint64_t>::max());
  EXPECT_EQ(store.GetString("string", "x"), std::string("a\0b \xE4\xBD\xA0\xE5\xA5\xBD", 9));
  EXPECT_EQ(store.GetString("empty", "x"), "");
}

TEST_F(TkvTest, EveryKindSurvivesCloseAndReopen) {
  auto store = Open();
  ASSERT_TRUE(store);
  PutEveryKind(*store);
  ExpectEveryKind(*store);
  store.reset();  // closing synchronises
  store = Open();
  ASSERT_TRUE(store);
  ExpectEveryKind(*store);
  EXPECT_TRUE(listener_->reports.empty());
}

TEST_F(TkvTest, ReadsOfAnotherKindOrAbsentKeyAnswerTheDefault) {
  auto store = Open();
  store->PutInt32("n", 7);
  EXPECT_EQ(store->GetInt64("n", -1), -1);
  EXPECT_EQ(store->GetUInt32("n", 9u), 9u);
  EXPECT_EQ(store->GetString("n", "d"), "d");
  EXPECT_FALSE(store->GetBool("n", false));
  EXPECT_EQ(store->GetInt32("missing", 42), 42);
  store->PutString("n", "now text", 5);  // a put replaces the kind too
  EXPECT_EQ(store->GetValueType("n"), base::tkv::kTypeString);
  EXPECT_EQ(store->GetInt32("n", 3), 3);
}

TEST_F(TkvTest, RemovalsAndOverwritesSurviveReopen) {
  auto store = Open();
  store->PutInt32("gone", 1);
  store->PutInt32("kept", 1);
  ASSERT_TRUE(store->Sync());
  EXPECT_TRUE(store->Remove("gone"));
  EXPECT_FALSE(store->Remove("gone"));
  EXPECT_FALSE(store->Contains("gone"));
  store->PutInt32("kept", 2);
  store.reset();
  store = Open();
  EXPECT_FALSE(store->Contains("gone"));
  EXPECT_EQ(store->GetInt32("kept", 0), 2);
}

TEST_F(TkvTest, OnlySynchronisedChangesReachTheFile) {
  auto writer = Open();
  writer->PutInt32("a", 1);
  EXPECT_EQ(writer->PendingChangeCount(), 1u);
  EXPECT_FALSE(Open()->Contains("a"));  // a second reader sees the file only
  ASSERT_TRUE(writer->Sync());
  EXPECT_EQ(writer->PendingChangeCount(), 0u);
  EXPECT_EQ(Open()->GetInt32("a", 0), 1);
}

TEST_F(TkvTest, StringsOverTheSizeLimitAreRefusedAndLogged) {
  auto store = Open();
  const std::string big(2 * 1024 * 1024 + 1, 'x');
  EXPECT_FALSE(store->PutString("big", big, 2));
  EXPECT_FALSE(store->Contains("big"));
  EXPECT_TRUE(hostkit::HasLog(3, "over the 2 MiB limit"));
  EXPECT_TRUE(store->PutString("big", big, 0));  // no limit
  EXPECT_EQ(store->GetString("big", "").size(), big.size());
}

// The child writes, synchronises, writes more and dies by SIGKILL: nothing runs at exit, the
// WAL holds the synchronised transaction and the later writes were only in memory.
TEST_F(TkvTest, KilledWriterLeavesEverySynchronisedValueIntact) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    auto store = Open();
    if (!store) ::_exit(3);
    for (int i = 0; i < 1000; ++i) store->PutInt32("synced_" + std::to_string(i), i);
    store->PutString("overwritten", "first", 5);
    if (!store->Sync()) ::_exit(4);
    store->PutString("overwritten", "second", 5);
    store->PutInt32("unsynced", 1);
    ::raise(SIGKILL);
    ::_exit(5);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "child exited with " << WEXITSTATUS(status);
  ASSERT_EQ(WTERMSIG(status), SIGKILL);

  auto store = Open();
  ASSERT_TRUE(store);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(store->GetInt32("synced_" + std::to_string(i), -1), i);
  EXPECT_EQ(store->GetString("overwritten", ""), "first");
  EXPECT_FALSE(store->Contains("unsynced"));
  EXPECT_TRUE(listener_->reports.empty());
  EXPECT_TRUE(AsideFiles().empty());
}

TEST_F(TkvTest, GarbageFileIsReportedOnceKeptAsideAndReplaced) {
  {
    auto store = Open();
    store->PutInt32("old", 1);
  }
  std::string garbage(16384, '\0');
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919 + 13) % 251);
  fs::remove(Path() + "-wal");
  std::ofstream(Path(), std::ios::binary | std::ios::trunc) << garbage;

  auto store = Open();
  ASSERT_TRUE(store);
  ASSERT_EQ(listener_->reports.size(), 1u);
  EXPECT_EQ(listener_->reports[0].path, Path());
  EXPECT_EQ(listener_->reports[0].error.file, "tkv_file.cpp");
  EXPECT_GT(listener_->reports[0].error.line, 0);
  EXPECT_FALSE(listener_->reports[0].error.function.empty());
  EXPECT_NE(listener_->reports[0].error.content.find(Path()), std::string::npos);

  const auto aside = AsideFiles();
  ASSERT_EQ(aside.size(), 1u);
  std::ifstream in(aside[0], std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), garbage);

  EXPECT_FALSE(store->Contains("old"));
  store->PutInt32("new", 2);
  store.reset();
  EXPECT_EQ(Open()->GetInt32("new", 0), 2);
  EXPECT_EQ(listener_->reports.size(), 1u);
}

TEST_F(TkvTest, DamagedBatchKeepsTheReadableBatchesAndSetsTheFileAside) {
  {
    auto store = Open();
    store->PutInt32("early", 1);
    store->Sync();
    store->PutInt32("late", 2);
    store->Sync();
  }
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(Path().c_str(), &db), SQLITE_OK);
  // Flip the value byte of the second batch without fixing its digest.
  ASSERT_EQ(sqlite3_exec(db, "UPDATE tkv_batches SET data = CAST(substr(data, 1, length(data) - 1) || x'09' AS BLOB) "
                             "WHERE seq = (SELECT max(seq) FROM tkv_batches)",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);

  auto store = Open();
  ASSERT_TRUE(store);
  ASSERT_EQ(listener_->reports.size(), 1u);
  EXPECT_NE(listener_->reports[0].error.content.find("digest"), std::string::npos);
  EXPECT_EQ(AsideFiles().size(), 1u);
  EXPECT_EQ(store->GetInt32("early", 0), 1);  // carried over into the fresh store
  EXPECT_FALSE(store->Contains("late"));
  store.reset();
  EXPECT_EQ(Open()->GetInt32("early", 0), 1);
}

TEST_F(TkvTest, ForeignDatabaseIsNeverWrittenInto) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(Path().c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE contacts(name TEXT); INSERT INTO contacts VALUES('ann')", nullptr,
                         nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  auto store = Open();
  ASSERT_TRUE(store);
  EXPECT_EQ(listener_->reports.size(), 1u);
  ASSERT_EQ(AsideFiles().size(), 1u);
  ASSERT_EQ(sqlite3_open(AsideFiles()[0].c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, "SELECT name FROM contacts", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
}

TEST_F(TkvTest, UnreachableDirectoryGivesNoStoreAndOneReport) {
  EXPECT_EQ(TKV::Create((dir_ / "missing" / "store").string(), {}), nullptr);
  ASSERT_EQ(listener_->reports.size(), 1u);
  EXPECT_TRUE(AsideFiles().empty());
  EXPECT_EQ(TKV::Create("", {}), nullptr);
  EXPECT_TRUE(hostkit::HasLog(3, "a store needs a path"));
}

TEST_F(TkvTest, OldFilesKeepTheirVersionUnlessUpgradeIsAsked) {
  base::tkv::TKVConfig v1;
  v1.version = base::tkv::TKVVersionConfig::KeepOldVersionAndUseNewVersionForNewFile(1);
  Open("store", v1)->PutInt32("k", 1);
  base::tkv::TKVConfig keep;
  keep.version = base::tkv::TKVVersionConfig::KeepOldVersionAndUseNewVersionForNewFile(2);
  {
    auto store = Open("store", keep);
    EXPECT_EQ(store->GetFormatVersion(), 1);
    store->PutInt32("k", 2);
  }
  EXPECT_EQ(Open("fresh", keep)->GetFormatVersion(), 2);
  base::tkv::TKVConfig upgrade;
  upgrade.version = base::tkv::TKVVersionConfig::UseVersionForAllFiles(2);
  {
    auto store = Open("store", upgrade);
    EXPECT_EQ(store->GetInt32("k", 0), 2);
  }
  auto store = Open("store", keep);
  EXPECT_EQ(store->GetFormatVersion(), 2);
  EXPECT_EQ(store->GetInt32("k", 0), 2);
}

TEST_F(TkvTest, StatisticsFollowTheDataAndCompactionDropsFragments) {
  auto store = Open();
  auto stats = store->GetStatistics();
  EXPECT_EQ(stats.key_count, 0u);
  EXPECT_GT(stats.key_file_size, 0u);
  EXPECT_EQ(stats.value_file_size, 0u);

  for (int i = 0; i < 100; ++i) store->PutString("key" + std::to_string(i), std::string(100, 'v'), 5);
  store->Sync();
  stats = store->GetStatistics();
  EXPECT_EQ(stats.key_count, 100u);
  EXPECT_GE(stats.key_file_size, stats.key_file_used_size);
  EXPECT_GT(stats.value_file_size, 100u * 100u);
  EXPECT_EQ(stats.value_file_used_size, stats.value_file_size);
  EXPECT_EQ(stats.value_file_fragment_size, 0u);

  const uint32_t live = stats.value_file_used_size;
  for (int i = 0; i < 100; ++i) store->PutString("key" + std::to_string(i), std::string(100, 'w'), 5);
  store->Sync();
  stats = store->GetStatistics();
  EXPECT_EQ(stats.value_file_used_size, live);
  EXPECT_EQ(stats.value_file_fragment_size, live);  // every value overwritten once

  // Enough overwrites and the next synchronisation rewrites the log as one snapshot.
  for (int round = 0; round < 10; ++round) {
    for (int i = 0; i < 100; ++i) store->PutString("key" + std::to_string(i), std::string(100, 'a' + round), 5);
    store->Sync();
  }
  stats = store->GetStatistics();
  EXPECT_LT(stats.value_file_size, 2 * live + 64 * 1024 + live);
  EXPECT_EQ(store->GetString("key7", ""), std::string(100, 'a' + 9));
  store.reset();
  EXPECT_EQ(Open()->GetString("key7", ""), std::string(100, 'a' + 9));
}

TEST_F(TkvTest, BackgroundSyncIsScheduledOnceAfterTheFirstChange) {
  auto scheduler = std::make_shared<ManualScheduler>();
  base::tkv::TKVConfig config;
  config.auto_sync = {scheduler, 30000};
  auto store = Open("store", config);
  EXPECT_TRUE(scheduler->tasks.empty());  // nothing to write, nothing scheduled
  store->PutInt32("a", 1);
  store->PutInt32("b", 2);
  ASSERT_EQ(scheduler->tasks.size(), 1u);
  EXPECT_EQ(scheduler->delays, std::vector<int64_t>{30000});
  scheduler->RunAll();
  EXPECT_EQ(Open()->GetInt32("b", 0), 2);
  store->PutInt32("c", 3);  // the next change schedules again
  EXPECT_EQ(scheduler->tasks.size(), 1u);
  store.reset();  // closing cancels the pending sync and writes itself
  EXPECT_TRUE(scheduler->tasks.empty());
  EXPECT_EQ(Open()->GetInt32("c", 0), 3);
}

TEST_F(TkvTest, EmptyFileIsReportedLikeOtherDamage) {
  {
    auto store = Open();
    store->PutInt32("old", 1);
  }
  fs::resize_file(Path(), 0);  // truncated: SQLite would take it for a new database
  auto store = Open();
  ASSERT_TRUE(store);
  ASSERT_EQ(listener_->reports.size(), 1u);
  EXPECT_NE(listener_->reports[0].error.content.find("empty"), std::string::npos);
  ASSERT_EQ(hostkit::StoreFailures().size(), 1u);
  EXPECT_EQ(hostkit::StoreFailures()[0].path, Path());
  ASSERT_EQ(AsideFiles().size(), 1u);
  EXPECT_EQ(fs::file_size(AsideFiles()[0]), 0u);
  EXPECT_FALSE(store->GetLastError());  // the fresh store keeps its changes
  store->PutInt32("new", 2);
  store.reset();
  EXPECT_EQ(Open()->GetInt32("new", 0), 2);
  EXPECT_EQ(listener_->reports.size(), 1u);
}

// A file the user may not write is opened for reading: the values are there, a change is held
// for the session only, and the first one is reported. Run as an unprivileged user, for whom
// the permission bits hold.
TEST_F(TkvTest, WriteProtectedFileIsReadAndItsFirstUnkeptChangeReported) {
  {
    auto store = Open();
    store->PutInt32("kept", 7);
  }
  fs::permissions(dir_, fs::perms::all);  // the journal files may still be made beside it
  fs::permissions(Path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const int status = child_process::Run([&] {
    if (!child_process::DropPrivileges()) return child_process::kSkip;
    auto store = Open();
    CHILD_CHECK(1, store != nullptr);
    CHILD_CHECK(2, store->IsReadOnly());
    CHILD_CHECK(3, store->GetInt32("kept", 0) == 7);
    CHILD_CHECK(4, listener_->reports.empty());  // reading is no failure
    CHILD_CHECK(5, hostkit::CountLogs(4, "can only be read") == 1);
    CHILD_CHECK(6, store->GetLastError().has_value());
    CHILD_CHECK(7, !store->PutInt32("kept", 8));
    CHILD_CHECK(8, store->GetInt32("kept", 0) == 8);  // for this session
    CHILD_CHECK(9, listener_->reports.size() == 1);
    CHILD_CHECK(10, listener_->reports[0].error.content.find("read-only") != std::string::npos);
    CHILD_CHECK(11, !store->PutString("more", "x", 5));
    CHILD_CHECK(12, listener_->reports.size() == 1);  // once
    CHILD_CHECK(13, !store->Sync());
    CHILD_CHECK(14, hostkit::CountLogs(1, "tkv fatal error") == 1);
    store.reset();
    CHILD_CHECK(15, hostkit::HasLog(1, "could not be kept and are lost"));
    auto again = Open();
    CHILD_CHECK(16, again && again->GetInt32("kept", 0) == 7);
    return 0;
  });
  EXPECT_CHILD_PASSED(status);
}

TEST_F(TkvTest, ValidStoreInAReadOnlyDirectoryIsStillRead) {
  {
    auto store = Open();
    store->PutInt32("kept", 7);
  }
  fs::permissions(Path(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                            fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  const int status = child_process::Run([&] {
    if (!child_process::DropPrivileges()) return child_process::kSkip;
    // The WAL cannot be made beside the file: reading must not depend on it.
    auto store = Open();
    CHILD_CHECK(1, store != nullptr);
    CHILD_CHECK(2, store->IsReadOnly());
    CHILD_CHECK(3, store->GetInt32("kept", 0) == 7);
    CHILD_CHECK(4, listener_->reports.empty());
    CHILD_CHECK(5, hostkit::CountLogs(4, "can only be read") == 1);
    CHILD_CHECK(6, !store->PutInt32("kept", 8));
    CHILD_CHECK(7, listener_->reports.size() == 1);
    return 0;
  });
  fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
  EXPECT_CHILD_PASSED(status);
}

// A write that fails (here: past the file size limit, as on a full disk) is reported when the
// trouble begins, only logged while it lasts, and the store is healthy again after the next
// write that succeeds; nothing is lost meanwhile.
TEST_F(TkvTest, FailedWriteIsReportedOnceAndHealthReturnsWithTheNextGoodWrite) {
  const int status = child_process::Run([&] {
    ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of killing the process
    auto store = Open();
    CHILD_CHECK(1, store && !store->GetLastError());
    store->PutInt32("small", 1);
    CHILD_CHECK(2, store->Sync());
    rlimit limit = {};
    CHILD_CHECK(3, ::getrlimit(RLIMIT_FSIZE, &limit) == 0);
    const rlim_t original = limit.rlim_cur;
    limit.rlim_cur = 256 * 1024;
    CHILD_CHECK(4, ::setrlimit(RLIMIT_FSIZE, &limit) == 0);
    store->PutString("big", std::string(1 << 20, 'x'), 5);
    CHILD_CHECK(5, !store->Sync());
    CHILD_CHECK(6, listener_->reports.size() == 1);
    const auto error = store->GetLastError();
    CHILD_CHECK(7, error && error->content == listener_->reports[0].error.content);
    CHILD_CHECK(8, !store->Sync());
    CHILD_CHECK(9, listener_->reports.size() == 1);  // still the same trouble
    CHILD_CHECK(10, hostkit::HasLog(4, "still cannot write"));
    limit.rlim_cur = original;
    CHILD_CHECK(11, ::setrlimit(RLIMIT_FSIZE, &limit) == 0);
    CHILD_CHECK(12, store->Sync());
    CHILD_CHECK(13, !store->GetLastError());
    CHILD_CHECK(14, hostkit::HasLog(4, "again"));
    store.reset();
    auto again = Open();
    CHILD_CHECK(15, again->GetString("big", "").size() == (1u << 20) && again->GetInt32("small", 0) == 1);
    return 0;
  });
  EXPECT_CHILD_PASSED(status);
}

}  // namespace
