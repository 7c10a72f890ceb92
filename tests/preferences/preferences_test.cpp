// Preferences: the store registry, the default and user stores, typed access through Variant,
// the soft failures of an uninitialised service, and the analytics the stores report.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "base/tkv/tkv.h"
#include "child_process.h"
#include "hostkit/hostkit.h"
#include "hostkit/stores.h"
#include "hostkit/timers.h"
#include "module_api/preferences/preferences.h"

namespace {

namespace fs = std::filesystem;
using base::variant::Variant;
using velto_common::utils::Preferences;

class PreferencesTest : public testing::Test {
 protected:
  void SetUp() override {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("velto_prefs_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
  }
  void TearDown() override {
    hostkit::Reset();  // closes every store before the directory goes
    std::error_code error;
    fs::remove_all(dir_, error);
  }
  void Init() { velto_common::utils::InitializePreferences(dir_.string()); }
  // What is on disk, read past the service.
  std::unique_ptr<base::tkv::TKV> ReadFile(const std::string& name) {
    return base::tkv::TKV::Create((dir_ / name).string(), {});
  }

  fs::path dir_;
};

TEST_F(PreferencesTest, OneLiveObjectPerNameUntilAllHoldersLetGo) {
  Init();
  auto first = Preferences::Open("ui");
  auto second = Preferences::Open("ui");
  EXPECT_EQ(first.get(), second.get());
  EXPECT_NE(Preferences::Open("other").get(), first.get());
  first->SetInt32("k", 1);
  const Preferences* old = first.get();
  first.reset();
  second.reset();  // the store closes and writes here
  auto third = Preferences::Open("ui");
  EXPECT_NE(third.get(), old);
  EXPECT_EQ(third->GetInt32("k", 0), 1);
}

TEST_F(PreferencesTest, UninitialisedServiceFailsSoftlyAndSaysSoEachTime) {
  auto prefs = Preferences::Open("ui");
  EXPECT_EQ(prefs->GetInt32("k", -7), -7);
  prefs->SetInt32("k", 5);
  EXPECT_FALSE(prefs->Has("k"));
  EXPECT_EQ(prefs->Get("k", Variant("d")), Variant("d"));
  EXPECT_EQ(prefs->tkv(), nullptr);
  EXPECT_EQ(hostkit::CountLogs(1, "preferences not initialized!"), 5u);
  // Initialising later opens the same object's store on its next use.
  Init();
  prefs->SetInt32("k", 5);
  EXPECT_EQ(prefs->GetInt32("k", -7), 5);
}

TEST_F(PreferencesTest, FirstDirectoryStaysAndEmptyOneIsRejected) {
  velto_common::utils::InitializePreferences("");
  EXPECT_TRUE(hostkit::HasLog(1, "empty preferences_dir"));
  EXPECT_EQ(Preferences::Open("ui")->tkv(), nullptr);
  Init();
  velto_common::utils::InitializePreferences((dir_ / "elsewhere").string());
  EXPECT_TRUE(hostkit::HasLog(1, "preferences_dir has been set: " + dir_.string() + "/"));
  auto prefs = Preferences::Open("ui");
  prefs->SetBool("b", true);
  prefs->Sync();
  EXPECT_TRUE(fs::exists(dir_ / "ui"));
  EXPECT_FALSE(fs::exists(dir_ / "elsewhere" / "ui"));
}

TEST_F(PreferencesTest, EveryTypedValueSurvivesReopening) {
  Init();
  {
    auto prefs = Preferences::Open("typed");
    prefs->SetBool("bool", true);
    prefs->SetInt32("int32", -5);
    prefs->SetUInt32("uint32", 4000000000u);
    prefs->SetInt64("int64", -9000000000LL);
    prefs->SetUInt64("uint64", 18000000000000000000ULL);
    prefs->SetDouble("double", 2.25);
    prefs->SetString("string", "caf\xC3\xA9");
  }
  auto prefs = Preferences::Open("typed");
  EXPECT_TRUE(prefs->GetBool("bool", false));
  EXPECT_EQ(prefs->GetInt32("int32", 0), -5);
  EXPECT_EQ(prefs->GetUInt32("uint32", 0), 4000000000u);
  EXPECT_EQ(prefs->GetInt64("int64", 0), -9000000000LL);
  EXPECT_EQ(prefs->GetUInt64("uint64", 0), 18000000000000000000ULL);
  EXPECT_EQ(prefs->GetDouble("double", 0), 2.25);
  EXPECT_EQ(prefs->GetString("string", ""), "caf\xC3\xA9");
  EXPECT_TRUE(prefs->Has("int32"));
  EXPECT_FALSE(prefs->Has("missing"));
  // Each getter reads its own kind only.
  EXPECT_EQ(prefs->GetInt64("int32", 11), 11);
}

TEST_F(PreferencesTest, GetAnswersInTheStoredKind) {
  Init();
  auto prefs = Preferences::Open("variant");
  prefs->SetBool("bool", true);
  prefs->SetInt32("int32", -3);
  prefs->SetInt64("int64", 1LL << 40);
  prefs->SetUInt32("uint32", 7u);
  prefs->SetUInt64("uint64", 1ULL << 63);
  prefs->SetDouble("double", 0.5);
  prefs->SetString("string", "s");

  bool exists = true;
  EXPECT_TRUE(prefs->Get("absent", Variant(), &exists).IsNull());
  EXPECT_FALSE(exists);
  EXPECT_EQ(prefs->Get("absent", Variant(9), &exists), Variant(9));

  EXPECT_EQ(prefs->Get("bool", Variant(), &exists), Variant(true));
  EXPECT_TRUE(exists);
  EXPECT_EQ(prefs->Get("int32", Variant()), Variant(-3));
  EXPECT_EQ(prefs->Get("int64", Variant(0)).AsInteger(), 1LL << 40);
  const Variant u32 = prefs->Get("uint32", Variant(1));
  EXPECT_TRUE(u32.IsUnsigned());
  EXPECT_EQ(u32.AsUint32(), 7u);
  EXPECT_EQ(prefs->Get("uint64", Variant()).AsUint64(), 1ULL << 63);
  EXPECT_EQ(prefs->Get("double", Variant()), Variant(0.5));
  EXPECT_EQ(prefs->Get("string", Variant("d")), Variant("s"));
  EXPECT_EQ(hostkit::CountLogs(1, "expected type"), 0u);
}

TEST_F(PreferencesTest, GetWithADefaultOfAnotherKindLogsAndAnswersTheDefault) {
  Init();
  auto prefs = Preferences::Open("variant");
  prefs->SetBool("bool", true);
  prefs->SetInt32("int", 1);
  prefs->SetDouble("double", 1.5);
  prefs->SetString("string", "s");
  EXPECT_EQ(prefs->Get("bool", Variant(5)), Variant(5));
  EXPECT_TRUE(hostkit::HasLog(1, "expected type boolean, got: 5"));
  EXPECT_EQ(prefs->Get("int", Variant("x")), Variant("x"));
  EXPECT_TRUE(hostkit::HasLog(1, "expected type int, got: \"x\""));
  EXPECT_EQ(prefs->Get("double", Variant(2)), Variant(2));  // an integer default is not a double
  EXPECT_TRUE(hostkit::HasLog(1, "expected type double, got: 2"));
  EXPECT_EQ(prefs->Get("string", Variant(false)), Variant(false));
  EXPECT_TRUE(hostkit::HasLog(1, "expected type string, got: false"));

  // A float written by another component is a kind Get does not read.
  prefs->tkv()->PutFloat("float", 1.0f);
  bool exists = false;
  EXPECT_EQ(prefs->Get("float", Variant(), &exists), Variant(0.0));
  EXPECT_TRUE(exists);
  EXPECT_TRUE(hostkit::HasLog(1, "unexpected type = 3: float"));
}

TEST_F(PreferencesTest, DefaultStoreHasItsFixedNameAndLivesUntilShutDown) {
  Init();
  auto store = Preferences::GetDefault();
  EXPECT_EQ(store->name(), "default_prefs__09a23ccdc6631b6018e6eba127c3e34a");
  EXPECT_EQ(Preferences::Open(store->name()).get(), store.get());
  store->SetString("theme", "dark");
  const Preferences* held = store.get();
  store.reset();
  EXPECT_EQ(Preferences::GetDefault().get(), held);  // the slot keeps it
  EXPECT_EQ(ReadFile("default_prefs__09a23ccdc6631b6018e6eba127c3e34a")->GetString("theme", ""), "");
  velto_common::utils::UnInitializePreferences();  // releases the slot: the store closes and writes
  EXPECT_EQ(ReadFile("default_prefs__09a23ccdc6631b6018e6eba127c3e34a")->GetString("theme", ""), "dark");
  EXPECT_EQ(Preferences::GetDefault()->GetString("theme", "none"), "none");  // uninitialised now
}

TEST_F(PreferencesTest, UserStoreFollowsTheUserIdentity) {
  Init();
  EXPECT_EQ(Preferences::GetUser(), nullptr);
  Preferences::SetUserUniqueId("u-1001");
  auto user = Preferences::GetUser();
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(user->name(), "pref__c45896bbf34308e97573feeb01d4bc94");
  Preferences::SetUserUniqueId("u-1001");
  EXPECT_EQ(Preferences::GetUser().get(), user.get());
  Preferences::SetUserUniqueId("u-2002");
  EXPECT_NE(Preferences::GetUser()->name(), user->name());
  Preferences::SetUserUniqueId("");
  EXPECT_EQ(Preferences::GetUser(), nullptr);
}

TEST_F(PreferencesTest, LastModifiedTimeIsTheWallClockInMilliseconds) {
  Init();
  hostkit::SetWallClockMs(1700000000123);
  hostkit::AdvanceClock(77);
  auto prefs = Preferences::Open("times");
  prefs->UpdateLastModifiedTime("volume");
  EXPECT_EQ(prefs->GetInt64("#last_modified_time#volume", 0), 1700000000200);
}

TEST_F(PreferencesTest, ChangesReachTheFileThirtySecondsLaterOnTheFileLooper) {
  Init();
  auto prefs = Preferences::Open("auto");
  prefs->SetInt32("k", 1);
  hostkit::AdvanceClock(29999);
  EXPECT_FALSE(ReadFile("auto")->Contains("k"));
  hostkit::AdvanceClock(1);
  EXPECT_EQ(ReadFile("auto")->GetInt32("k", 0), 1);
  prefs->SetInt32("k", 2);  // the next change schedules the next sync
  hostkit::AdvanceClock(30000);
  EXPECT_EQ(ReadFile("auto")->GetInt32("k", 0), 2);
}

TEST_F(PreferencesTest, HostTeardownWritesPendingChanges) {
  Init();
  Preferences::GetDefault()->SetInt32("k", 3);
  auto held = Preferences::Open("held");
  held->SetInt32("k", 4);
  hostkit::Reset();  // the scheduler singleton goes before the registry's stores
  EXPECT_EQ(ReadFile("default_prefs__09a23ccdc6631b6018e6eba127c3e34a")->GetInt32("k", 0), 3);
  held.reset();  // a store held past teardown still closes cleanly
  EXPECT_EQ(ReadFile("held")->GetInt32("k", 0), 4);
}

TEST_F(PreferencesTest, OpeningAStoreReportsItsStatistics) {
  Init();
  {
    auto prefs = Preferences::Open("stats");
    prefs->SetInt32("a", 1);
    prefs->SetString("b", "two");
  }
  hostkit::ClearAnalytics();
  auto prefs = Preferences::Open("stats");
  prefs->Has("a");
  ASSERT_EQ(hostkit::CountAnalytics("tkv_init"), 1u);
  const auto& properties = hostkit::LastAnalytics("tkv_init")->properties;
  EXPECT_EQ(properties.at("name"), "stats");
  EXPECT_EQ(properties.at("path"), (dir_ / "stats").string());
  EXPECT_EQ(properties.at("key_count"), "2");
  EXPECT_NE(properties.at("key_file_size"), "0");
  EXPECT_NE(properties.at("value_file_size"), "0");
  EXPECT_EQ(properties.at("value_file_fragment_size"), "0");
  EXPECT_TRUE(properties.count("key_file_used_size") && properties.count("value_file_used_size"));
  EXPECT_TRUE(hostkit::HasLog(4, "name = stats, path = " + (dir_ / "stats").string() + ", key_count = 2, "));
  prefs->Has("b");
  EXPECT_EQ(hostkit::CountAnalytics("tkv_init"), 1u);  // opened once
}

TEST_F(PreferencesTest, DamagedFileIsReportedOnceAndTheStoreStartsAfresh) {
  Init();
  {
    auto prefs = Preferences::Open("broken");
    prefs->SetInt32("k", 1);
  }
  std::ofstream(dir_ / "broken", std::ios::binary | std::ios::trunc) << std::string(8192, '\x5a');
  fs::remove(dir_ / "broken-wal");

  auto prefs = Preferences::Open("broken");
  EXPECT_EQ(prefs->GetInt32("k", -1), -1);
  ASSERT_EQ(hostkit::CountAnalytics("tkv_fatal_error"), 1u);
  const auto& properties = hostkit::LastAnalytics("tkv_fatal_error")->properties;
  EXPECT_EQ(properties.at("path"), (dir_ / "broken").string());
  EXPECT_EQ(properties.at("src"), "tkv_file.cpp");
  EXPECT_FALSE(properties.at("func").empty());
  EXPECT_GT(std::stoi(properties.at("line")), 0);
  EXPECT_NE(properties.at("content").find("broken"), std::string::npos);

  size_t aside = 0;
  for (const auto& entry : fs::directory_iterator(dir_)) {
    if (entry.path().filename().string().rfind("broken.corrupt-", 0) == 0 && fs::file_size(entry.path()) == 8192) {
      ++aside;
    }
  }
  EXPECT_EQ(aside, 1u);
  prefs->SetInt32("k", 2);
  prefs->Sync();
  EXPECT_EQ(ReadFile("broken")->GetInt32("k", 0), 2);
  EXPECT_EQ(hostkit::CountAnalytics("tkv_fatal_error"), 1u);
}

// A write the store cannot keep is never silent: the first one is reported at once (level 1
// and "tkv_fatal_error"), not when a later synchronisation fails, and the store says why it
// keeps nothing. The store's file is write-protected for the unprivileged user the child runs as.
TEST_F(PreferencesTest, TheFirstWriteAStoreCannotKeepIsReported) {
  Init();
  {
    auto prefs = Preferences::Open("ui");
    prefs->SetInt32("count", 3);
  }
  fs::permissions(dir_, fs::perms::all);
  fs::permissions(dir_ / "ui", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const int status = child_process::Run([&] {
    if (!child_process::DropPrivileges()) return child_process::kSkip;
    hostkit::ClearAnalytics();
    hostkit::ClearLogs();
    auto prefs = Preferences::Open("ui");
    CHILD_CHECK(1, prefs->GetInt32("count", 0) == 3);
    CHILD_CHECK(2, hostkit::CountAnalytics("tkv_fatal_error") == 0);  // reading is fine
    prefs->SetInt32("count", 4);
    CHILD_CHECK(3, hostkit::CountAnalytics("tkv_fatal_error") == 1);
    CHILD_CHECK(4, hostkit::LastAnalytics("tkv_fatal_error")->properties.at("path") == (dir_ / "ui").string());
    CHILD_CHECK(5, hostkit::CountLogs(1, "tkv fatal error") == 1);
    prefs->SetInt32("count", 5);
    prefs->Sync();
    CHILD_CHECK(6, hostkit::CountAnalytics("tkv_fatal_error") == 1);  // said once
    CHILD_CHECK(7, prefs->tkv()->GetLastError().has_value());
    CHILD_CHECK(8, hostkit::StoreFailures().size() == 1);
    return 0;
  });
  EXPECT_CHILD_PASSED(status);
}

TEST_F(PreferencesTest, AStoreInAReadOnlyDirectoryIsStillRead) {
  Init();
  {
    auto prefs = Preferences::Open("ui");
    prefs->SetString("name", "kept");
  }
  const auto exec = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
  fs::permissions(dir_ / "ui", fs::perms::all & ~exec);  // anyone may write the file itself
  fs::permissions(dir_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const int status = child_process::Run([&] {
    if (!child_process::DropPrivileges()) return child_process::kSkip;
    auto prefs = Preferences::Open("ui");
    CHILD_CHECK(1, prefs->tkv() != nullptr);
    CHILD_CHECK(2, prefs->GetString("name", "") == "kept");
    CHILD_CHECK(3, hostkit::CountLogs(4, "can only be read") == 1);
    return 0;
  });
  fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
  EXPECT_CHILD_PASSED(status);
}

TEST_F(PreferencesTest, AnEmptyStoreFileIsReportedNotTakenForANewStore) {
  Init();
  {
    auto prefs = Preferences::Open("ui");
    prefs->SetInt32("count", 3);
  }
  fs::resize_file(dir_ / "ui", 0);
  auto prefs = Preferences::Open("ui");
  EXPECT_EQ(prefs->GetInt32("count", -1), -1);
  ASSERT_EQ(hostkit::CountAnalytics("tkv_fatal_error"), 1u);
  EXPECT_NE(hostkit::LastAnalytics("tkv_fatal_error")->properties.at("content").find("empty"), std::string::npos);
}

TEST_F(PreferencesTest, MovingTransfersTheOpenedStore) {
  Init();
  Preferences source("moved");
  source.SetInt32("k", 1);
  ASSERT_NE(source.tkv(), nullptr);
  base::tkv::TKV* store = source.tkv();
  Preferences target(std::move(source));
  EXPECT_EQ(target.tkv(), store);
  EXPECT_EQ(target.name(), "moved");
  Preferences assigned("other");
  assigned = std::move(target);
  EXPECT_EQ(assigned.tkv(), store);
  EXPECT_EQ(assigned.GetInt32("k", 0), 1);
}

}  // namespace
