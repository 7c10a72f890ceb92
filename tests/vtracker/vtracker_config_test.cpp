// Where the tracker's configuration comes from: the file saved by the last download at start,
// new downloads of "visual_tracking_conf" and the decision to parse them, and what a file must
// hold (bad files and bad entries are refused with a record, the rest loads).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "base/json/json_value.h"
#include "hostkit/remote_config.h"
#include "module_api/vtracker/vtracker_config.h"
#include "vtracker_test_support.h"

using base::variant::Variant;
using vtracker_test::ConfigJson;

namespace {

constexpr char kRes[] = "visual_tracking_conf";

vtracker::VTrackerConfigMap Parse(const std::string& text, bool* valid = nullptr) {
  base::json::JsonValue document;
  EXPECT_TRUE(document.ParseFromJson(text)) << text;
  vtracker::VTrackerConfigMap map;
  const bool ok = vtracker::CreateConfigMap(document, &map);
  if (valid) *valid = ok;
  return map;
}

TEST(VTrackerConfig, EachPageHashOfAnElementIsOneEntry) {
  const auto map = Parse(R"([{"page_hash": "home", "elements": [
      {"element_page_hash": ["p1", "p2"], "element_hash": "e1", "begin_version": "3.1", "event_code": "c1"}]},
    {"page_hash": "chat", "elements": [
      {"element_page_hash": ["p3"], "element_hash": "e2", "begin_version": "3.2", "event_code": "c2"}]}])");
  ASSERT_EQ(map.size(), 3u);
  const auto& first = map.at(vtracker::MakeVTrackerMapKey("p2", "e1"));
  EXPECT_EQ(first.event_code, "c1");
  EXPECT_EQ(first.begin_version, "3.1");
  EXPECT_EQ(first.page_hash, "home");
  EXPECT_EQ(first.element_hash, "e1");
  EXPECT_EQ(map.at("p3_e2").page_hash, "chat");
  EXPECT_TRUE(hostkit::HasLog(6, "add config:begin_version=3.1 event_code=c1 map_key=p1_e1 page_hash=home ele_hash=e1"));
}

TEST(VTrackerConfig, AnElementWithAnEmptyPageListIsRejectedAndTheRestLoads) {
  const auto map = Parse(R"([{"page_hash": "home", "elements": [
      {"element_page_hash": [], "element_hash": "e0", "begin_version": "1", "event_code": "c0"},
      {"element_page_hash": ["p"], "element_hash": "e1", "begin_version": "1", "event_code": "c1"}]}])");
  ASSERT_EQ(map.size(), 1u);
  EXPECT_EQ(map.begin()->second.event_code, "c1");
  EXPECT_TRUE(hostkit::HasLog(3, "json data invalidate with element_page_hash empty"));
}

TEST(VTrackerConfig, BadPagesAndElementsAreSkippedOneByOne) {
  const auto map = Parse(R"([
    {"page_hash": "no elements"},
    {"page_hash": "elements not a list", "elements": {"a": 1}},
    7,
    {"page_hash": "ok", "elements": [
      "not an element",
      {"element_hash": "no pages", "begin_version": "1", "event_code": "c"},
      {"element_page_hash": "p", "element_hash": "pages not a list", "begin_version": "1", "event_code": "c"},
      {"element_page_hash": ["p", 3], "element_hash": "a page not text", "begin_version": "1", "event_code": "c"},
      {"element_page_hash": ["p"], "element_hash": "no version", "event_code": "c"},
      {"element_page_hash": ["p"], "element_hash": "version not text", "begin_version": 3, "event_code": "c"},
      {"element_page_hash": ["p"], "element_hash": "no code", "begin_version": "1"},
      {"element_page_hash": ["p"], "element_hash": "good", "begin_version": "1", "event_code": "c"}]}])");
  ASSERT_EQ(map.size(), 1u);
  EXPECT_TRUE(map.count("p_good"));
  EXPECT_EQ(hostkit::CountLogs(3, "json data invalidate with elements"), 3u);
  EXPECT_EQ(hostkit::CountLogs(3, "json data invalidate with element_page_hash"), 3u);
  EXPECT_TRUE(hostkit::HasLog(3, "json data invalidate with element"));
  EXPECT_TRUE(hostkit::HasLog(3, "json data invalidate with begin_version"));
  EXPECT_TRUE(hostkit::HasLog(3, "json data invalidate with event_code"));
}

TEST(VTrackerConfig, ARootThatIsNotAListIsRefusedAndLeavesTheMapAlone) {
  base::json::JsonValue document;
  ASSERT_TRUE(document.ParseFromJson(R"({"page_hash": "home", "elements": []})"));
  vtracker::VTrackerConfigMap map = {{"kept", {}}};
  EXPECT_FALSE(vtracker::CreateConfigMap(document, &map));
  EXPECT_EQ(map.size(), 1u);
  EXPECT_TRUE(hostkit::HasLog(3, "json data invalidate with not array"));
  bool valid = false;
  EXPECT_TRUE(Parse("[]", &valid).empty());
  EXPECT_TRUE(valid);
}

using Loading = vtracker_test::TrackerTest;

TEST_F(Loading, StartLoadsTheFileSavedByTheLastDownloadOffTheUiThread) {
  settings_->Set(vtracker::kLastResourceDirKey, WriteConfig("saved", ConfigJson({{"m", 1, 2, "c"}})));
  vtracker::InitInterceptor();
  EXPECT_TRUE(Tracker().config_map().empty());  // the answer comes on the main looper later
  EXPECT_TRUE(hostkit::HasLog(6, "res path="));
  hostkit::RunUntilIdle();
  EXPECT_EQ(Tracker().config_map().size(), 1u);
  EXPECT_EQ(Tracker().resource_dir(), (root_ / "saved").string());
  EXPECT_EQ(Tracker().resource_version(), hostkit::Environment().package_version);
}

TEST_F(Loading, StartWithoutASavedFileSaysWhy) {
  vtracker::InitInterceptor();
  EXPECT_TRUE(hostkit::HasLog(4, "local res dir is empty"));
  hostkit::Reset();
  settings_.emplace(hostkit::InstallClientSettings());
  settings_->Set(vtracker::kEnableAbilityKey, true);
  settings_->Set(vtracker::kLastResourceDirKey, (root_ / "gone").string());
  vtracker::InitInterceptor();
  EXPECT_TRUE(hostkit::HasLog(4, "local res path not exists, file not found:"));
  EXPECT_EQ(hostkit::RunUntilIdle(), 0u);
}

TEST_F(Loading, WithoutADynamicResourceServiceTheSavedFileStillLoads) {
  hostkit::SetDynamicResServiceAvailable(false);
  StartWith(ConfigJson({{"m", 1, 2, "c"}}));
  EXPECT_TRUE(hostkit::HasLog(1, "dynamic res service not load"));
  EXPECT_EQ(Tracker().config_map().size(), 1u);
}

TEST_F(Loading, ABadFileKeepsThePreviousConfiguration) {
  StartWith(ConfigJson({{"m", 1, 2, "c"}}));
  ASSERT_EQ(Tracker().config_map().size(), 1u);
  for (const char* bad : {"[{\"page_hash\": ", "{\"not\": \"a list\"}", "", "\xff\xfe"}) {
    hostkit::ClearLogs();
    Tracker().LoadConfigFile(WriteConfigFile("bad", bad));
    hostkit::RunUntilIdle();
    EXPECT_EQ(Tracker().config_map().size(), 1u) << bad;
    EXPECT_EQ(hostkit::CountLogs(3, "keep the current"), 1u) << bad;
  }
  Tracker().LoadConfigFile((root_ / "missing" / "vtracker.json").string());
  hostkit::RunUntilIdle();
  EXPECT_EQ(Tracker().config_map().size(), 1u);
  EXPECT_EQ(Tracker().resource_dir(), (root_ / "saved").string());
}

TEST_F(Loading, OfTwoParsesUnderWayTheLaterOneWins) {
  StartWith("[]");
  Tracker().LoadConfigFile(WriteConfigFile("first", ConfigJson({{"m", 1, 2, "first"}})));
  Tracker().LoadConfigFile(WriteConfigFile("second", ConfigJson({{"m", 1, 2, "second"}, {"m", 1, 3, "second"}})));
  hostkit::RunUntilIdle();
  ASSERT_EQ(Tracker().config_map().size(), 2u);
  EXPECT_EQ(Tracker().resource_dir(), (root_ / "second").string());
}

TEST_F(Loading, ADownloadInANewDirectoryIsParsedAndRemembered) {
  StartWith(ConfigJson({{"m", 1, 2, "old"}}));
  ASSERT_EQ(hostkit::DynamicResListenerCount(kRes), 1u);
  settings_->Set(vtracker::kLastResourceVersionKey, hostkit::Environment().package_version);
  const std::string dir = WriteConfig("download-2", ConfigJson({{"m", 1, 2, "new"}, {"m", 1, 3, "new"}}));

  EXPECT_EQ(hostkit::DeliverDynamicRes(kRes, dir), 1u);
  EXPECT_TRUE(hostkit::HasLog(6, "UpdateStart"));
  EXPECT_TRUE(hostkit::HasLog(6, "UpdateProgress, progress=0.50"));
  EXPECT_TRUE(hostkit::HasLog(6, "UpdateComplete, path=" + dir + ", state=0"));
  EXPECT_TRUE(hostkit::HasLog(6, "version equal"));
  EXPECT_TRUE(hostkit::HasLog(6, "saved_dir=" + (root_ / "saved").string() + ", download_dir=" + dir));
  EXPECT_TRUE(hostkit::HasLog(
      6, R"("is_app_updated":false,"is_download_dir_equal":false,"need_parse_res":true)"));
  EXPECT_EQ(settings_->Get(vtracker::kLastResourceDirKey).AsStr(), dir);
  hostkit::RunUntilIdle();
  EXPECT_EQ(Tracker().config_map().size(), 2u);
  EXPECT_EQ(Tracker().resource_dir(), dir);
}

TEST_F(Loading, TheSameDirectoryAndVersionAreNotParsedAgain) {
  const std::string dir = WriteConfig("download", ConfigJson({{"m", 1, 2, "c"}}));
  settings_->Set(vtracker::kLastResourceDirKey, dir);
  settings_->Set(vtracker::kLastResourceVersionKey, hostkit::Environment().package_version);
  vtracker::InitInterceptor();
  hostkit::RunUntilIdle();
  ASSERT_EQ(Tracker().config_map().size(), 1u);
  WriteConfig("download", "[]");  // changed in place: not a new download
  hostkit::DeliverDynamicRes(kRes, dir);
  hostkit::RunUntilIdle();
  EXPECT_EQ(Tracker().config_map().size(), 1u);
  EXPECT_TRUE(hostkit::HasLog(6, R"("need_parse_res":false)"));

  // A client update parses the same directory again and remembers the new version.
  hostkit::Environment().package_version = "3.27.0.1";
  hostkit::DeliverDynamicRes(kRes, dir);
  hostkit::RunUntilIdle();
  EXPECT_TRUE(Tracker().config_map().empty());
  EXPECT_EQ(settings_->Get(vtracker::kLastResourceVersionKey).AsStr(), "3.27.0.1");
}

TEST_F(Loading, AFirstDownloadWithNoVersionRememberedIsParsed) {
  vtracker::InitInterceptor();
  const std::string dir = WriteConfig("download", ConfigJson({{"m", 1, 2, "c"}}));
  hostkit::DeliverDynamicRes(kRes, dir);
  EXPECT_TRUE(hostkit::HasLog(6, "previous_version empty"));
  hostkit::RunUntilIdle();
  EXPECT_EQ(Tracker().config_map().size(), 1u);
  EXPECT_EQ(settings_->Get(vtracker::kLastResourceVersionKey).AsStr(), hostkit::Environment().package_version);
}

TEST_F(Loading, ADownloadWhileTheSwitchIsOffIsLeftAlone) {
  StartWith("[]");
  settings_->Set(vtracker::kEnableAbilityKey, false);
  const std::string dir = WriteConfig("download", ConfigJson({{"m", 1, 2, "c"}}));
  hostkit::DeliverDynamicRes(kRes, dir);
  hostkit::RunUntilIdle();
  EXPECT_TRUE(hostkit::HasLog(4, "vtracker disabled"));
  EXPECT_TRUE(Tracker().config_map().empty());
  EXPECT_EQ(settings_->Get(vtracker::kLastResourceDirKey).AsStr(), (root_ / "saved").string());
}

TEST_F(Loading, ACompletionWithoutADirectoryReadsNothing) {
  StartWith(ConfigJson({{"m", 1, 2, "c"}}));
  hostkit::DynamicResUpdateComplete(kRes, "", veltosdk::kDynamicResUpdateFailed);
  hostkit::RunUntilIdle();
  EXPECT_TRUE(hostkit::HasLog(3, "download path is empty"));
  EXPECT_EQ(Tracker().config_map().size(), 1u);
}

// The fuzz target's seed corpus, replayed through the same file path as a download: every file
// loads or is refused with a record, and a refused file leaves the configuration as it was.
TEST_F(Loading, TheFuzzCorpusLoadsOrIsRefusedCleanly) {
  StartWith(ConfigJson({{"m", 1, 2, "c"}}));
  const std::filesystem::path corpus = std::filesystem::path(VELTO_SOURCE_DIR) / "fuzz" / "corpus" / "vtracker";
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    ++files;
    const vtracker::VTrackerConfigMap before = Tracker().config_map();
    hostkit::ClearLogs();
    Tracker().LoadConfigFile(entry.path().string());
    hostkit::RunUntilIdle();
    if (hostkit::CountLogs(3, "keep the current") > 0) {
      EXPECT_EQ(Tracker().config_map().size(), before.size()) << entry.path();
    } else {
      EXPECT_TRUE(hostkit::HasLog(6, "configuration loaded")) << entry.path();
    }
  }
  EXPECT_GE(files, 5u);
}

}  // namespace
