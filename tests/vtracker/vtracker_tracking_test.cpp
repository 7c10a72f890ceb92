// What the tracker reports as the host drives view models: the switch, the registration, the
// ignore lists, the event and its properties, the frequency limit over time, the server's
// limits and the minimum client version.
#include <gtest/gtest.h>

#include "base/scope_singleton.h"
#include "hostkit/remote_config.h"
#include "hostkit/viewmodel.h"
#include "vtracker_test_support.h"

using base::variant::Variant;
using vtracker_test::ConfigJson;
using vtracker_test::Screen;

namespace {

constexpr int kToolbar = 31;
constexpr int kMute = 4101;
constexpr char kMuteEvent[] = "e#toolbar#mute#click";

class Tracking : public vtracker_test::TrackerTest {
 protected:
  void StartWithMute(const std::string& begin_version = "1.0") {
    StartWith(ConfigJson({{"meeting", kToolbar, kMute, kMuteEvent, begin_version},
                          {"meeting", kToolbar, vtracker::kVTrackerShowAction, "e#toolbar#show#exposure"}},
                         "meeting_toolbar"));
  }
  Screen toolbar_{kToolbar, "meeting"};
};

TEST_F(Tracking, AClickAndAShownViewReportTheirConfiguredEventsWithTheEntrysHashes) {
  StartWithMute();
  ASSERT_EQ(Tracker().config_map().size(), 2u);
  hostkit::AttachViewModel(toolbar_);
  hostkit::FireAction(toolbar_, kMute);
  hostkit::FireAction(toolbar_, kMute + 1);  // not configured

  ASSERT_EQ(hostkit::CountAnalytics(kMuteEvent), 1u);
  const auto* event = hostkit::LastAnalytics(kMuteEvent);
  EXPECT_EQ(event->properties.at("page_hash"), "meeting_toolbar");
  EXPECT_EQ(event->properties.at("element_hash"), vtracker::GetVTrackerElementHash(kMute));
  EXPECT_EQ(event->properties.at("is_visualization"), "1");
  EXPECT_EQ(hostkit::CountAnalytics("e#toolbar#show#exposure"), 1u);
  EXPECT_EQ(hostkit::AnalyticsEvents().size(), 2u);
  EXPECT_TRUE(hostkit::HasLog(6, std::string("LogEvent, event_name = [") + kMuteEvent + "]"));
}

TEST_F(Tracking, TheSameTypeInAnotherModuleIsAnotherPage) {
  StartWithMute();
  Screen other(kToolbar, "chat");
  hostkit::FireAction(other, kMute);
  EXPECT_EQ(hostkit::AnalyticsEvents().size(), 0u);
}

TEST_F(Tracking, WithTheSwitchOffNoCallbackProducesAnEvent) {
  settings_->Set(vtracker::kEnableAbilityKey, false);
  StartWithMute();
  EXPECT_TRUE(hostkit::HasLog(4, "vtracker_enable close so can not load vtracker analytics"));
  EXPECT_FALSE(Tracker().started());
  EXPECT_EQ(hostkit::DynamicResListenerCount(vtracker::kVTrackerResName), 0u);
  // Even with a configuration in place, the switch decides at every action.
  Tracker().LoadConfigFile(WriteConfigFile("direct", ConfigJson({{"meeting", kToolbar, kMute, kMuteEvent}})));
  hostkit::RunUntilIdle();
  ASSERT_EQ(Tracker().config_map().size(), 1u);
  hostkit::AttachViewModel(toolbar_);
  hostkit::FireAction(toolbar_, kMute);
  hostkit::SetViewVisible(toolbar_, false);
  hostkit::DetachViewModel(toolbar_);
  EXPECT_EQ(hostkit::AnalyticsEvents().size(), 0u);

  settings_->Set(vtracker::kEnableAbilityKey, true);
  hostkit::FireAction(toolbar_, kMute);
  EXPECT_EQ(hostkit::CountAnalytics(kMuteEvent), 1u);
}

TEST_F(Tracking, InitTwiceRegistersOnceAndUninitTakesTheInterceptorBack) {
  vtracker::UninitInterceptor();
  EXPECT_TRUE(hostkit::HasLog(4, "<vtracker>not initialized"));
  StartWithMute();
  vtracker::InitInterceptor();
  EXPECT_TRUE(hostkit::HasLog(4, "<vtracker>already initialized"));
  EXPECT_EQ(hostkit::ViewModelInterceptorCount(), 1u);
  EXPECT_EQ(hostkit::DynamicResListenerCount(vtracker::kVTrackerResName), 1u);

  vtracker::UninitInterceptor();
  EXPECT_EQ(hostkit::ViewModelInterceptorCount(), 0u);
  hostkit::FireAction(toolbar_, kMute);
  EXPECT_EQ(hostkit::AnalyticsEvents().size(), 0u);
  // The tracker can come back.
  vtracker::InitInterceptor();
  hostkit::FireAction(toolbar_, kMute);
  EXPECT_EQ(hostkit::CountAnalytics(kMuteEvent), 1u);
}

TEST_F(Tracking, LibraryTeardownUnregistersFromEveryHostService) {
  StartWithMute();
  EXPECT_EQ(hostkit::ViewModelInterceptorCount(), 1u);
  EXPECT_EQ(hostkit::AbilityConfigListenerCount(), 1u);
  base::TeardownScopeSingletons();
  EXPECT_EQ(hostkit::ViewModelInterceptorCount(), 0u);
  EXPECT_EQ(hostkit::AbilityConfigListenerCount(), 0u);
  EXPECT_EQ(hostkit::DynamicResListenerCount(vtracker::kVTrackerResName), 0u);
}

TEST_F(Tracking, WithoutAnInterceptorServiceNothingIsRegisteredAndNothingCrashes) {
  hostkit::SetModuleInterceptorServiceAvailable(false);
  StartWithMute();
  EXPECT_TRUE(hostkit::HasLog(1, "module interceptor service not found"));
  hostkit::SetModuleInterceptorServiceAvailable(true);
  EXPECT_EQ(hostkit::ViewModelInterceptorCount(), 0u);
  vtracker::UninitInterceptor();
  EXPECT_TRUE(hostkit::HasLog(4, "not initialized"));
}

TEST_F(Tracking, AnIgnoredModuleIsNeverTrackedWhateverTheConfigurationSays) {
  StartWith(ConfigJson({{"web_share", kToolbar, kMute, kMuteEvent}, {"debug_assistant", 2, 3, "e#debug"}}));
  Screen web(kToolbar, "web_share");
  Screen debug(2, "debug_assistant");
  hostkit::AttachViewModel(web);
  hostkit::FireAction(web, kMute);
  hostkit::FireAction(debug, 3);
  EXPECT_EQ(hostkit::AnalyticsEvents().size(), 0u);
  EXPECT_TRUE(hostkit::HasLog(6, "<vtracker>vtrackerweb_share module can not visual tracking"));
  EXPECT_TRUE(hostkit::HasLog(6, "in ignore module"));
  EXPECT_FALSE(vtracker::CheckVTrackerIgnored(0, 0, hostkit::ModuleRuntime("crash_prompt")));
  EXPECT_FALSE(vtracker::CheckVTrackerIgnored(0, 0, hostkit::ModuleRuntime("atg_test")));
  EXPECT_TRUE(vtracker::CheckVTrackerIgnored(0, 0, hostkit::ModuleRuntime("meeting")));
  EXPECT_TRUE(vtracker::CheckVTrackerIgnored(0, 0, nullptr));
  EXPECT_EQ(vtracker::GetVTrackerModuleName(hostkit::ModuleRuntime("chat")), "chat");
  EXPECT_EQ(vtracker::GetVTrackerModuleName(nullptr), "");
}

// Limit 3 in a window of one second: the fourth report goes out with the pass-limit event, the
// fifth is dropped, and the next window counts from one again.
TEST_F(Tracking, TheFrequencyLimitHoldsPerEventCodeWithinItsWindow) {
  settings_->Set(vtracker::kLimitCountKey, 3);
  settings_->Set(vtracker::kDurationKey, 1000);
  StartWith(ConfigJson({{"meeting", kToolbar, kMute, kMuteEvent}, {"meeting", kToolbar, 7, "e#other"}}));
  ASSERT_EQ(Tracker().vtracker_limit_count(), 3u);
  ASSERT_EQ(Tracker().vtracker_duration(), 1000u);

  for (int i = 0; i < 3; ++i) {
    hostkit::FireAction(toolbar_, kMute);
    hostkit::AdvanceClock(100);
  }
  EXPECT_EQ(hostkit::CountAnalytics(kMuteEvent), 3u);
  EXPECT_EQ(hostkit::CountAnalytics(vtracker::kPassLimitEvent), 0u);

  hostkit::FireAction(toolbar_, kMute);  // the fourth, at 300 ms
  EXPECT_EQ(hostkit::CountAnalytics(kMuteEvent), 4u);
  ASSERT_EQ(hostkit::CountAnalytics(vtracker::kPassLimitEvent), 1u);
  EXPECT_EQ(hostkit::LastAnalytics(vtracker::kPassLimitEvent)->properties.at("pass_limit_event_code"), kMuteEvent);

  hostkit::AdvanceClock(600);  // 900 ms: still the same window
  hostkit::FireAction(toolbar_, kMute);
  EXPECT_EQ(hostkit::CountAnalytics(kMuteEvent), 4u);
  EXPECT_EQ(hostkit::CountAnalytics(vtracker::kPassLimitEvent), 1u);
  EXPECT_TRUE(hostkit::HasLog(6, std::string("event_code:") + kMuteEvent + " frequency limited"));

  hostkit::FireAction(toolbar_, 7);  // another code has its own count
  EXPECT_EQ(hostkit::CountAnalytics("e#other"), 1u);

  hostkit::AdvanceClock(101);  // 1001 ms after the window began
  hostkit::FireAction(toolbar_, kMute);
  EXPECT_EQ(hostkit::CountAnalytics(kMuteEvent), 5u);
  EXPECT_EQ(Tracker().ReportCount(kMuteEvent), 1u);
  EXPECT_EQ(hostkit::CountAnalytics(vtracker::kPassLimitEvent), 1u);
}

TEST_F(Tracking, TheWindowIncludesItsLastMillisecond) {
  settings_->Set(vtracker::kLimitCountKey, 1);
  settings_->Set(vtracker::kDurationKey, 500);
  StartWithMute();
  hostkit::FireAction(toolbar_, kMute);
  hostkit::AdvanceClock(500);
  hostkit::FireAction(toolbar_, kMute);  // now - start == duration: counted in the window
  EXPECT_EQ(Tracker().ReportCount(kMuteEvent), 2u);
  EXPECT_EQ(hostkit::CountAnalytics(vtracker::kPassLimitEvent), 1u);
}

TEST_F(Tracking, TheServersLimitsReplaceTheStoredOnesOnlyWhenPositive) {
  StartWithMute();
  EXPECT_EQ(Tracker().vtracker_limit_count(), vtracker::kDefaultLimitCount);
  ASSERT_EQ(hostkit::AbilityConfigListenerCount(), 1u);

  hostkit::SetAbilityValue(vtracker::kAbilityGroup, "vtracker_limit_count", 0);
  hostkit::SetAbilityValue(vtracker::kAbilityGroup, "vtracker_duration", "5000");
  hostkit::NotifyAbilityConfigChanged();
  EXPECT_TRUE(hostkit::HasLog(3, "vtracker_limit_count invalid from server, value=0"));
  EXPECT_TRUE(hostkit::HasLog(3, "vtracker_duration invalid from server, value=\"5000\""));
  EXPECT_EQ(Tracker().vtracker_limit_count(), vtracker::kDefaultLimitCount);
  EXPECT_TRUE(settings_->Get(vtracker::kLimitCountKey).IsNull());

  hostkit::SetAbilityValue(vtracker::kAbilityGroup, "vtracker_limit_count", 2);
  hostkit::SetAbilityValue(vtracker::kAbilityGroup, "vtracker_duration", Variant());
  hostkit::NotifyAbilityConfigChanged();
  EXPECT_TRUE(hostkit::HasLog(6, "update vtracker_limit_count=2"));
  EXPECT_TRUE(hostkit::HasLog(3, "vtracker_duration invalid from server, value=null"));
  EXPECT_EQ(Tracker().vtracker_limit_count(), 2u);
  EXPECT_EQ(settings_->Get(vtracker::kLimitCountKey).AsInteger(), 2);
  EXPECT_EQ(Tracker().vtracker_duration(), vtracker::kDefaultDurationMs);

  // The stored value is what the next start uses.
  hostkit::Reset();
  settings_.emplace(hostkit::InstallClientSettings());
  settings_->Set(vtracker::kEnableAbilityKey, true);
  settings_->Set(vtracker::kLimitCountKey, 2);
  vtracker::InitInterceptor();
  EXPECT_EQ(Tracker().vtracker_limit_count(), 2u);
}

struct VersionCase {
  const char* begin_version;
  const char* client_version;
  bool reported;
  const char* log;  // a level-3 or level-6 record the case leaves, if any
};

// Names the case in test output instead of dumping the struct's bytes (padding included).
void PrintTo(const VersionCase& c, std::ostream* os) {
  *os << "begin \"" << c.begin_version << "\" on client \"" << c.client_version << "\"";
}

class VersionGate : public Tracking, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionGate, AnEntryReportsOnlyFromItsBeginVersionOn) {
  const VersionCase& c = GetParam();
  hostkit::Environment().package_version = c.client_version;
  StartWithMute(c.begin_version);
  hostkit::FireAction(toolbar_, kMute);
  EXPECT_EQ(hostkit::CountAnalytics(kMuteEvent), c.reported ? 1u : 0u);
  if (*c.log) {
    EXPECT_TRUE(hostkit::HasLog(3, c.log) || hostkit::HasLog(6, c.log)) << c.log;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Versions, VersionGate,
    ::testing::Values(VersionCase{"3.26.0.100", "3.26.0.100", true, ""},
                      VersionCase{"3.25.9", "3.26.0.100", true, ""},
                      VersionCase{"3.26", "3.26.0.100", true, ""},
                      VersionCase{"3.26.1", "3.26.0.100", false, "less than current_version"},
                      VersionCase{"10.0", "9.99.0", false, "less than current_version"},
                      VersionCase{"", "3.26.0.100", false, "begin_version is empty so ignored"},
                      VersionCase{"3.x", "3.26.0.100", false, "not number:x"},
                      VersionCase{"3..1", "3.26.0.100", false, "not number:"},
                      VersionCase{"3.26", "", false, "version config error:"},
                      VersionCase{"3.26.0.100.1", "3.26.0.100", false, "array out of bounds:4"}));

}  // namespace
