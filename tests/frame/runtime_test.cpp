// Runtimes, analytics forwarding, localized texts and process logging setup.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/log/log.h"
#include "hostkit/hostkit.h"
#include "module_api/analytics.h"
#include "module_api/log.h"
#include "module_api/runtime.h"

namespace analytics = velto_common::utils::analytics;

TEST(ToolkitRuntime, IsOneObjectUntilTeardown) {
  AppTBModuleRuntime* first = GetAppTBModuleRuntime();
  EXPECT_EQ(GetAppTBModuleRuntime(), first);
}

TEST(ToolkitRuntime, AssetsLiveUnderTheInstallDirectory) {
  hostkit::Environment().install_dir = "/opt/client";
  GetAppTBModuleRuntime()->InitAssets(true);
  EXPECT_EQ(GetAppTBModuleRuntime()->asset_directory(), "/opt/client/tbui\\app");
  EXPECT_TRUE(GetAppTBModuleRuntime()->asset_flag());
  GetAppTBModuleRuntime()->InitAssets(false);
  EXPECT_FALSE(GetAppTBModuleRuntime()->asset_flag());
}

TEST(AppModuleRuntime, HandsOutTheInstalledModels) {
  auto& model = hostkit::InstallModel(508);
  ASSERT_NE(velto_common::utils::GetAppModuleRuntime(), nullptr);
  EXPECT_EQ(velto_common::utils::GetAppModuleRuntime()->GetModel(508), &model);
  EXPECT_EQ(GetAppModuleRuntime()->GetModel(509), nullptr);
}

TEST(AnalyticsHelpers, ForwardUnchanged) {
  analytics::LogEvent("e0");
  analytics::LogEventWithProperty("e1", "k", "v");
  analytics::LogEventWith2Properties("e2", "k1", "v1", "k2", "v2");
  analytics::ActiveABTest("exp", "b");
  ASSERT_EQ(hostkit::AnalyticsEvents().size(), 3u);
  EXPECT_TRUE(hostkit::AnalyticsEvents()[0].properties.empty());
  EXPECT_EQ(hostkit::LastAnalytics("e1")->properties.at("k"), "v");
  EXPECT_EQ(hostkit::LastAnalytics("e2")->properties.size(), 2u);
  ASSERT_EQ(hostkit::ActiveABTests().size(), 1u);
  EXPECT_EQ(hostkit::ActiveABTests()[0].group, "b");
}

TEST(AnalyticsHelpers, PropertiesGainTheProcessorArchitecture) {
  analytics::LogEventWithProperties("e", {{"a", "1"}, {"c_cpu_arch", "caller's"}});
  const auto* event = hostkit::LastAnalytics("e");
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(event->properties.at("a"), "1");
  EXPECT_EQ(event->properties.at("c_cpu_arch"), "x86");
}

TEST(LocalizedString, KnownIdInCurrentLanguageUnknownIdEmptyAndLoggedOnce) {
  hostkit::SetLocalizedString(0x100, "zh text", "zh-cn");
  hostkit::SetLocalizedString(0x100, "en text", "en-us");
  EXPECT_EQ(velto_common::utils::GetLocalizedString(0x100), "zh text");
  hostkit::SetLanguage("en-us");
  EXPECT_EQ(velto_common::utils::GetLocalizedString(0x100), "en text");

  EXPECT_EQ(velto_common::utils::GetLocalizedString(0x7ffffff0), "");
  EXPECT_EQ(velto_common::utils::GetLocalizedString(0x7ffffff0), "");
  EXPECT_EQ(hostkit::CountLogs(1, "not found string :"), 1u);
}

TEST(InitLog, CreatesTheDirectoryAndWritesRecordsToFileAndSink) {
  const auto dir = std::filesystem::temp_directory_path() / "velto_initlog_test" / "nested";
  std::filesystem::remove_all(dir.parent_path());
  std::vector<std::string> sunk;
  ASSERT_TRUE(InitLog(dir.string(), [&](const std::string& text, int, const char*) { sunk.push_back(text); },
                      "unused"));
  EXPECT_TRUE(std::filesystem::is_directory(dir));
  EXPECT_EQ(base::log::GetLogLevel(), 6);
  VELTO_LOG(6) << "into the file";
  base::log::Flush();
  EXPECT_NE(std::find(sunk.begin(), sunk.end(), "into the file"), sunk.end());
  std::string all;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::ifstream in(entry.path());
    std::stringstream content;
    content << in.rdbuf();
    all += content.str();
  }
  EXPECT_NE(all.find("into the file"), std::string::npos);
  hostkit::Reset();
  std::filesystem::remove_all(dir.parent_path());
}
