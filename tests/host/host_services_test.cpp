// The host stand-in's own services: logging, texts, analytics, scope singletons and the SDK
// pieces that the library reads. The library's tests lean on these behaving like the host.
#include <stdlib.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "base/analytics/analytics.h"
#include "base/log/log.h"
#include "base/scope_singleton.h"
#include "framework/resource.h"
#include "hostkit/hostkit.h"
#include "hostkit/platform.h"
#include "veltosdk/plugin/plugin.h"
#include "veltosdk/user_id_manager.h"
#include "veltosdk/utils/cgi.h"
#include "veltosdk/utils/environment.h"
#include "veltosdk/utils/configure_service.h"
#include "veltosdk/utils/feature_flags.h"
#include "veltosdk/utils/optional_services.h"
#include "veltosdk/utils/safety.h"

namespace {

namespace fs = std::filesystem;

class HostServicesTest : public testing::Test {
 protected:
  void SetUp() override { hostkit::Reset(); }

  void TearDown() override {
    ::unsetenv("VELTO_RESOURCE_DIR");
    hostkit::Reset();  // closes log files before their directory goes
    if (!temp_dir_.empty()) {
      std::error_code error;
      fs::remove_all(temp_dir_, error);
    }
  }

  const fs::path& TempDir() {
    if (temp_dir_.empty()) {
      std::string pattern = (fs::temp_directory_path() / "velto_hostsvc_XXXXXX").string();
      if (::mkdtemp(pattern.data())) temp_dir_ = pattern;
    }
    return temp_dir_;
  }

  void WriteFile(const std::string& name, const std::string& content) {
    std::ofstream(TempDir() / name, std::ios::binary) << content;
  }

  static std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  fs::path temp_dir_;
};

// ---- Logging ----------------------------------------------------------------------------------

using HostLogTest = HostServicesTest;

TEST_F(HostLogTest, CaptureKeepsEveryFieldAndTheBaseFileName) {
  base::log::PrintLog("Meeting", "/src/utils/in_meeting_utils.cpp", 42, "IsInMeeting", 3, "no model 514");
  base::log::PrintLog(nullptr, nullptr, 7, nullptr, 1, "bare");

  const auto& logs = hostkit::Logs();
  ASSERT_EQ(logs.size(), 2u);
  EXPECT_EQ(logs[0].level, 3);
  EXPECT_EQ(logs[0].tag, "Meeting");
  EXPECT_EQ(logs[0].file, "in_meeting_utils.cpp");
  EXPECT_EQ(logs[0].line, 42);
  EXPECT_EQ(logs[0].function, "IsInMeeting");
  EXPECT_EQ(logs[0].text, "no model 514");
  EXPECT_EQ(logs[1].tag, "");
  EXPECT_EQ(logs[1].file, "");
  EXPECT_EQ(logs[1].function, "");
  EXPECT_EQ(logs[1].text, "bare");
}

TEST_F(HostLogTest, FilteringIsTheCallersAndMatchingIsByExactLevel) {
  hostkit::SetLogLevel(1);
  EXPECT_EQ(base::log::GetLogLevel(), 1);
  base::log::PrintLog("t", "f.cpp", 1, "F", 7, "verbose text");
  base::log::PrintLog("t", "f.cpp", 2, "F", 7, "verbose text again");

  EXPECT_TRUE(hostkit::HasLog(7, "verbose"));
  EXPECT_FALSE(hostkit::HasLog(6, "verbose"));
  EXPECT_EQ(hostkit::CountLogs(7, "verbose text"), 2u);
  EXPECT_EQ(hostkit::CountLogs(7, "again"), 1u);

  hostkit::ClearLogs();
  EXPECT_TRUE(hostkit::Logs().empty());
  hostkit::Reset();
  EXPECT_EQ(base::log::GetLogLevel(), 6);
}

TEST_F(HostLogTest, RotatingFileHoldsTheFormattedRecordUntilReset) {
  base::log::SetLogDir(TempDir().string());
  ASSERT_TRUE(base::log::InitializeLogger("unit"));
  base::log::PrintLog("Tracker", "/x/tracker.cpp", 77, "Report", 4, "record-in-file-1234");
  base::log::Flush();

  const std::string content = ReadFile(TempDir() / "unit.log");
  EXPECT_NE(content.find("record-in-file-1234"), std::string::npos) << content;
  EXPECT_NE(content.find("4 [Tracker] tracker.cpp:77 Report record-in-file-1234"), std::string::npos) << content;

  // Reset closes the file: later records stay out of it.
  hostkit::Reset();
  base::log::PrintLog("Tracker", "tracker.cpp", 78, "Report", 4, "after-reset-5678");
  base::log::Flush();
  EXPECT_EQ(ReadFile(TempDir() / "unit.log").find("after-reset-5678"), std::string::npos);
  EXPECT_TRUE(hostkit::HasLog(4, "after-reset-5678"));
}

TEST_F(HostLogTest, UnusableLogDirFailsWithALogLineAndKeepsCapturing) {
  EXPECT_FALSE(base::log::InitializeLogger());  // no dir set
  EXPECT_TRUE(hostkit::HasLog(1, "no log dir set"));

  base::log::SetLogDir((TempDir() / "missing").string());
  EXPECT_FALSE(base::log::InitializeLogger("unit"));
  EXPECT_TRUE(hostkit::HasLog(1, "not a directory"));
  EXPECT_FALSE(fs::exists(TempDir() / "missing"));

  base::log::PrintLog("t", "f.cpp", 1, "F", 6, "still captured");
  EXPECT_TRUE(hostkit::HasLog(6, "still captured"));
}

TEST_F(HostLogTest, SinkGetsEveryRecordUntilShutdown) {
  struct Seen {
    std::string text;
    int level;
    std::string tag;
  };
  std::vector<Seen> seen;
  base::log::SetSink([&seen](const std::string& text, int level, const char* tag) {
    seen.push_back({text, level, tag});
  });
  base::log::PrintLog("Alert", "a.cpp", 1, "F", 1, "join limit");
  base::log::PrintLog(nullptr, "a.cpp", 2, "F", 6, "trace");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].text, "join limit");
  EXPECT_EQ(seen[0].level, 1);
  EXPECT_EQ(seen[0].tag, "Alert");
  EXPECT_EQ(seen[1].tag, "");

  base::log::SetLogLevel(2);
  base::log::ShutdownLogger();
  EXPECT_EQ(base::log::GetLogLevel(), 6);
  base::log::SetConsoleEnabled(false);  // shutdown turned it back on
  base::log::PrintLog("Alert", "a.cpp", 3, "F", 1, "after shutdown");
  EXPECT_EQ(seen.size(), 2u);
}

TEST_F(HostLogTest, SinkMayLogItselfAndThreadsMayPrintAtOnce) {
  // A sink that prints would deadlock if PrintLog held its lock while calling it.
  int depth = 0;
  base::log::SetSink([&depth](const std::string&, int, const char*) {
    if (depth++ == 0) base::log::PrintLog("sink", "s.cpp", 1, "Sink", 6, "from the sink");
  });
  base::log::PrintLog("t", "f.cpp", 1, "F", 6, "outer");
  EXPECT_TRUE(hostkit::HasLog(6, "from the sink"));
  base::log::SetSink(nullptr);

  hostkit::ClearLogs();
  constexpr int kThreads = 4;
  constexpr int kEach = 500;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([] {
      for (int i = 0; i < kEach; ++i) base::log::PrintLog("mt", "mt.cpp", i, "Worker", 6, "worker record");
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(hostkit::CountLogs(6, "worker record"), size_t{kThreads * kEach});
}

// ---- Texts ------------------------------------------------------------------------------------

using HostResourceTest = HostServicesTest;

TEST_F(HostResourceTest, FilesOfTheResourceDirAreMergedAndBadOnesSkipped) {
  WriteFile("a.json", R"({"zh-cn": {"1": "一", "10": "十"}, "en-us": {"1": "one"}})");
  WriteFile("b.json", R"({"zh-cn": {"2": "二"}})");
  WriteFile("broken.json", R"({"zh-cn": {"3": )");
  WriteFile("bad_id.json", R"({"zh-cn": {"4": "四", "x5": "bad"}})");
  WriteFile("notes.txt", "not a resource");
  ::setenv("VELTO_RESOURCE_DIR", TempDir().c_str(), 1);
  hostkit::Reset();  // reloads from the overridden directory

  framework::Resource* resource = framework::Resource::GetInstance();
  EXPECT_EQ(resource->GetLanguage(), "zh-cn");
  EXPECT_EQ(resource->GetString(1), "一");
  EXPECT_EQ(resource->GetString(10), "十");
  EXPECT_EQ(resource->GetString(2), "二");
  EXPECT_EQ(resource->GetString(4), "");  // its file had a bad id: nothing of it is used
  EXPECT_TRUE(hostkit::HasLog(1, "broken.json"));
  EXPECT_TRUE(hostkit::HasLog(1, "bad_id.json"));
  EXPECT_FALSE(hostkit::HasLog(1, "notes.txt"));

  hostkit::SetLanguage("en-us");
  EXPECT_EQ(resource->GetString(1), "one");
  EXPECT_EQ(resource->GetString(2), "");  // no fallback to another language

  EXPECT_EQ(resource->LoadDirectory(TempDir().string()), 2);
}

TEST_F(HostResourceTest, UnknownIdIsEmptyAndLoggedOncePerLanguage) {
  framework::Resource* resource = framework::Resource::GetInstance();
  EXPECT_EQ(resource->GetString(987654), "");
  EXPECT_EQ(resource->GetString(987654), "");
  EXPECT_EQ(hostkit::CountLogs(1, "not found string :987654"), 1u);

  hostkit::SetLanguage("en-us");
  EXPECT_EQ(resource->GetString(987654), "");
  EXPECT_EQ(hostkit::CountLogs(1, "not found string :987654"), 2u);

  // A text set later replaces the remembered empty one.
  hostkit::SetLocalizedString(987654, "late text");
  EXPECT_EQ(resource->GetString(987654), "late text");
  EXPECT_EQ(hostkit::CountLogs(1, "not found string :987654"), 2u);
}

TEST_F(HostResourceTest, ResetDropsSetTextsAndLanguageAndMissingDirIsFine) {
  hostkit::SetLocalizedString(5, "five", "en-us");
  hostkit::SetLanguage("en-us");
  EXPECT_EQ(framework::Resource::GetInstance()->GetString(5), "five");

  ::setenv("VELTO_RESOURCE_DIR", (TempDir() / "absent").c_str(), 1);
  hostkit::Reset();
  framework::Resource* resource = framework::Resource::GetInstance();
  EXPECT_EQ(resource->GetLanguage(), "zh-cn");
  hostkit::SetLanguage("en-us");
  EXPECT_EQ(resource->GetString(5), "");
  EXPECT_EQ(resource->LoadDirectory((TempDir() / "absent").string()), 0);
  EXPECT_FALSE(resource->LoadFile((TempDir() / "absent.json").string()));
  EXPECT_TRUE(hostkit::HasLog(1, "absent.json"));
}

// ---- Analytics --------------------------------------------------------------------------------

TEST_F(HostServicesTest, AnalyticsRecordsEventsInOrderWithTheirProperties) {
  base::analytics::LogEvent("e#open");
  base::analytics::LogEventWithProperty("e#click", "button", "ok");
  base::analytics::LogEventWith2Properties("e#click", "button", "cancel", "page", "join");
  base::analytics::LogEventWithProperties("e#report", {{"a", "1"}, {"b", "2"}, {"c", "3"}});
  base::analytics::ActiveABTest("exp_a", "group_1");
  base::analytics::ActiveABTest("exp_b", "group_2");

  const auto& events = hostkit::AnalyticsEvents();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].name, "e#open");
  EXPECT_TRUE(events[0].properties.empty());
  EXPECT_EQ(events[1].properties, (std::map<std::string, std::string>{{"button", "ok"}}));
  EXPECT_EQ(events[3].properties.size(), 3u);

  EXPECT_EQ(hostkit::CountAnalytics("e#click"), 2u);
  const hostkit::AnalyticsEvent* last = hostkit::LastAnalytics("e#click");
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->properties, (std::map<std::string, std::string>{{"button", "cancel"}, {"page", "join"}}));
  EXPECT_EQ(hostkit::LastAnalytics("e#never"), nullptr);

  const auto& ab = hostkit::ActiveABTests();
  ASSERT_EQ(ab.size(), 2u);
  EXPECT_EQ(ab[1].experiment, "exp_b");
  EXPECT_EQ(ab[1].group, "group_2");

  hostkit::Reset();
  EXPECT_TRUE(hostkit::AnalyticsEvents().empty());
  EXPECT_TRUE(hostkit::ActiveABTests().empty());
  EXPECT_EQ(hostkit::CountAnalytics("e#click"), 0u);
}

// ---- Scope singletons -------------------------------------------------------------------------

std::vector<int>* g_destroyed = nullptr;

void RecordDestroy(void* holder) { g_destroyed->push_back(*static_cast<int*>(holder)); }

int g_late_holder = 99;
void DestroyAndRegisterLate(void* holder) {
  RecordDestroy(holder);
  base::RegisterScopeSingleton(&g_late_holder, &RecordDestroy);
}

TEST_F(HostServicesTest, ScopeSingletonsGoInReverseOrderOnce) {
  std::vector<int> destroyed;
  g_destroyed = &destroyed;
  int first = 1, second = 2, third = 3;
  base::RegisterScopeSingleton(&first, &RecordDestroy);
  base::RegisterScopeSingleton(&second, &DestroyAndRegisterLate);
  base::RegisterScopeSingleton(&third, &RecordDestroy);
  base::RegisterScopeSingleton(&third, &RecordDestroy);  // a second registration must not double-free
  base::RegisterScopeSingleton(&first, nullptr);

  base::TeardownScopeSingletons();
  // The one registered while `second` went is torn down in the same pass, before `first`.
  EXPECT_EQ(destroyed, (std::vector<int>{3, 2, 99, 1}));
  EXPECT_TRUE(hostkit::HasLog(3, "without a destroyer"));

  base::TeardownScopeSingletons();
  EXPECT_EQ(destroyed.size(), 4u);
  g_destroyed = nullptr;
}

// ---- Platform SDK -----------------------------------------------------------------------------

using HostSdkTest = HostServicesTest;

TEST_F(HostSdkTest, PluginInterfacesAreFoundOnlyWhenInstalled) {
  int instance = 0;
  void* out = &instance;
  EXPECT_EQ(veltosdk::plugin::QueryPluginInterface("nordil_chat", "plugin:chat", &out), veltosdk::SDKError::kNotFound);
  EXPECT_EQ(out, nullptr);

  hostkit::InstallPlugin("nordil_chat", "plugin:chat", &instance);
  EXPECT_EQ(veltosdk::plugin::QueryPluginInterface("nordil_chat", "plugin:chat", &out), veltosdk::SDKError::kOk);
  EXPECT_EQ(out, &instance);
  EXPECT_EQ(veltosdk::plugin::QueryPluginInterface("nordil_chat", "plugin:profile", &out),
            veltosdk::SDKError::kNotFound);
  EXPECT_EQ(out, nullptr);

  out = &instance;
  EXPECT_EQ(veltosdk::plugin::QueryPluginInterface(nullptr, "plugin:chat", &out),
            veltosdk::SDKError::kInvalidArgument);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(veltosdk::plugin::QueryPluginInterface("nordil_chat", "plugin:chat", nullptr),
            veltosdk::SDKError::kInvalidArgument);

  hostkit::Reset();
  EXPECT_EQ(veltosdk::plugin::QueryPluginInterface("nordil_chat", "plugin:chat", &out), veltosdk::SDKError::kNotFound);
}

TEST_F(HostSdkTest, SettingsFollowHostkitAndResetRestoresDefaults) {
  EXPECT_FALSE(veltosdk::utils::feature_flags::IsSwitchOn("new_member_list"));
  hostkit::SetFeatureSwitch("new_member_list", true);
  EXPECT_TRUE(veltosdk::utils::feature_flags::IsSwitchOn("new_member_list"));
  hostkit::SetSelfId("144115000");
  EXPECT_EQ(veltosdk::UserIdManager::SharedInstance()->GetSelfId(), "144115000");
  hostkit::Environment().install_dir = "/other";
  hostkit::Environment().test_env = true;
  EXPECT_EQ(veltosdk::utils::environment::GetInstallDir(), "/other");
  EXPECT_TRUE(veltosdk::utils::version_util::IsTestEnv());

  hostkit::Reset();
  EXPECT_FALSE(veltosdk::utils::feature_flags::IsSwitchOn("new_member_list"));
  EXPECT_EQ(veltosdk::UserIdManager::SharedInstance()->GetSelfId(), "");
  EXPECT_EQ(veltosdk::utils::environment::GetInstallDir(), "/opt/velto");
  EXPECT_FALSE(veltosdk::utils::version_util::IsTestEnv());
  EXPECT_TRUE(veltosdk::utils::version_util::IsSaasSdk());
}

TEST_F(HostSdkTest, CgiPathIsJoinedWithExactlyOneSlash) {
  using veltosdk::utils::cgi::MakeCgiCommonUrlPath;
  EXPECT_EQ(MakeCgiCommonUrlPath("/wemeet-webapi/v2/qrcode"), "https://api.velto.example/wemeet-webapi/v2/qrcode");
  EXPECT_EQ(MakeCgiCommonUrlPath("v2/qrcode"), "https://api.velto.example/v2/qrcode");
  hostkit::Environment().cgi_host = "https://h.example//";
  EXPECT_EQ(MakeCgiCommonUrlPath("//a/b/"), "https://h.example/a/b/");
  EXPECT_EQ(MakeCgiCommonUrlPath(""), "https://h.example/");
}

TEST_F(HostSdkTest, SafeStringsMaskWholeCharacters) {
  using veltosdk::utils::safety::ToSafeString;
  EXPECT_EQ(ToSafeString(""), "");
  EXPECT_EQ(ToSafeString("a"), "*");
  EXPECT_EQ(ToSafeString("ab"), "**");
  EXPECT_EQ(ToSafeString("abc"), "a*c");
  EXPECT_EQ(ToSafeString("Alice"), "A***e");
  EXPECT_EQ(ToSafeString("abcdefghijklmnop"), "a********p");  // at most 8 stars
  EXPECT_EQ(ToSafeString("张三丰"), "张*丰");
  EXPECT_EQ(ToSafeString("张三"), "**");
  EXPECT_EQ(ToSafeString("\xff\xfe"), "**");  // broken UTF-8 counts byte by byte

  const base::Variant value = hostkit::Json(R"({"nick": "Alice", "id": 12, "tags": ["bob", "x"], "ok": true})");
  bool ok = false;
  const base::Variant masked =
      base::Variant::ParseJson(veltosdk::utils::safety::VariantToSafeString(value), &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(masked, hostkit::Json(R"({"nick": "A***e", "id": 12, "tags": ["b*b", "*"], "ok": true})"));
}

TEST_F(HostSdkTest, OptionalServicesAreAbsentUntilATestHandsThemOutAndResetTakesThemBack) {
  namespace service = veltosdk::utils::service;
  EXPECT_EQ(service::GetDownloadService(), nullptr);
  EXPECT_EQ(service::GetNetworkProxyService(), nullptr);

  struct Downloads : veltosdk::IDownloadService {} downloads;
  struct Proxy : veltosdk::INetworkProxyService {} proxy;
  hostkit::SetSdkServices({.download = &downloads, .network_proxy = &proxy});
  EXPECT_EQ(service::GetDownloadService(), &downloads);
  EXPECT_EQ(service::GetNetworkProxyService(), &proxy);
  EXPECT_EQ(service::GetDeviceService(), nullptr);

  hostkit::Reset();
  EXPECT_EQ(service::GetDownloadService(), nullptr);
  EXPECT_EQ(service::GetNetworkProxyService(), nullptr);
}

TEST_F(HostSdkTest, QueryConfigureServiceIsTheConfigureServiceAndFollowsItsAvailability) {
  namespace service = veltosdk::utils::service;
  ASSERT_NE(service::QueryConfigureService(), nullptr);
  EXPECT_EQ(service::QueryConfigureService(), service::GetConfigureService());
  hostkit::SetConfigureServiceAvailable(false);
  EXPECT_EQ(service::QueryConfigureService(), nullptr);
}

}  // namespace
