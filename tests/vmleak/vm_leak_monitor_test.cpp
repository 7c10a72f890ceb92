// The view-model leak monitor driven as the host drives it: scenes opened and closed by module
// code, view models created and released by the framework, the delayed check on the hand clock,
// and the report built on the worker looper.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "framework/ui_viewmodel.h"
#include "hostkit/diagnostics.h"
#include "hostkit/hostkit.h"
#include "hostkit/module_interceptor.h"
#include "hostkit/viewmodel.h"
#include "module_api/vmleak/vm_leak.h"

namespace {

using namespace velto_common::utils::vmleak;

constexpr char kReport[] = "vm_leak_monitor_report";

class PlainViewModel : public framework::ViewModel {};

// A view model the framework creates (first attach) under `module` with `type`.
std::unique_ptr<PlainViewModel> Create(const std::string& module, int type) {
  auto view_model = std::make_unique<PlainViewModel>();
  view_model->set_view_model_type(type);
  hostkit::SetViewModelModule(*view_model, module);
  hostkit::AttachViewModel(*view_model);
  return view_model;
}

TEST(VmLeakMonitorTest, AViewModelThatOutlivesItsSceneIsReportedAfterTheDelay) {
  VmLeakBeginScene(VMSceneName::kScheduleMeeting);
  auto leaked = Create("schedule", 12);
  VmLeakEndScene(VMSceneName::kScheduleMeeting, VMLeakSceneReason::kUserCancel);
  hostkit::AdvanceClock(1799);
  EXPECT_EQ(hostkit::CountAnalytics(kReport), 0u);
  hostkit::AdvanceClock(1);
  const hostkit::AnalyticsEvent* report = hostkit::LastAnalytics(kReport);
  ASSERT_NE(report, nullptr);
  const std::map<std::string, std::string> expected{{"vm_leak_scene_name", "schedule_meeting"},
                                                    {"vm_leak_count", "1"},
                                                    {"vm_leak_object_list", "(schedule_12)"},
                                                    {"vm_leak_exit_reason", "1"}};
  EXPECT_EQ(report->properties, expected);
  char address[32];
  std::snprintf(address, sizeof address, "%p", static_cast<const void*>(leaked.get()));
  EXPECT_TRUE(hostkit::HasLog(6, std::string("schedule_meeting ptr: ") + address +
                                     " module_name: schedule type: 12 exit_reason: 1"));
}

TEST(VmLeakMonitorTest, ObjectListGroupsByModuleAndNamesMissingRuntimes) {
  VmLeakBeginScene(VMSceneName::kJoinLeaveMeeting);
  auto a = Create("chat", 34);
  auto b = Create("member", 5);
  auto c = Create("chat", 12);
  auto unnamed = std::make_unique<PlainViewModel>();
  unnamed->set_view_model_type(7);
  hostkit::SetViewModelRuntime(*unnamed, hostkit::ModuleRuntime(""));
  hostkit::AttachViewModel(*unnamed);
  auto unfiled = std::make_unique<PlainViewModel>();
  unfiled->set_view_model_type(8);
  hostkit::AttachViewModel(*unfiled);
  auto no_runtime = std::make_unique<PlainViewModel>();
  no_runtime->set_view_model_type(9);
  hostkit::SetViewModelWithoutRuntime(*no_runtime);
  hostkit::AttachViewModel(*no_runtime);
  VmLeakEndScene(VMSceneName::kJoinLeaveMeeting, static_cast<VMLeakSceneReason>(42));
  hostkit::AdvanceClock(1800);
  const hostkit::AnalyticsEvent* report = hostkit::LastAnalytics(kReport);
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(report->properties.at("vm_leak_scene_name"), "Join_leave_meeting");
  EXPECT_EQ(report->properties.at("vm_leak_count"), "6");
  EXPECT_EQ(report->properties.at("vm_leak_object_list"), "(app_8)(chat_12_34)(member_5)(null_name_7)(null_runtime_9)");
  EXPECT_EQ(report->properties.at("vm_leak_exit_reason"), "42");
}

TEST(VmLeakMonitorTest, ReleasedViewModelsAreStruckOffAndACleanSceneSendsNothing) {
  VmLeakBeginScene(VMSceneName::kMeetingSetting);
  auto view_model = Create("settings", 3);
  hostkit::DetachViewModel(*view_model);
  EXPECT_EQ(hostkit::CountAnalytics(kReport), 0u);
  view_model.reset();
  VmLeakEndScene(VMSceneName::kMeetingSetting, VMLeakSceneReason::kNormal);
  hostkit::AdvanceClock(1800);
  EXPECT_EQ(hostkit::CountAnalytics(kReport), 0u);
  EXPECT_TRUE(hostkit::HasLog(6, "no leak find scene_name: meeting_setting"));
}

TEST(VmLeakMonitorTest, TheDeletionWindowStrikesOffReleasesButRecordsNoNewViewModel) {
  VmLeakBeginScene(VMSceneName::kScheduleMeeting);
  auto released_late = Create("schedule", 1);
  auto kept = Create("schedule", 2);
  VmLeakEndScene(VMSceneName::kScheduleMeeting, VMLeakSceneReason::kNormal);
  released_late.reset();               // released while the check waits: struck off
  auto created_late = Create("schedule", 3);  // created while the check waits: not recorded
  hostkit::AdvanceClock(1800);
  const hostkit::AnalyticsEvent* report = hostkit::LastAnalytics(kReport);
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(report->properties.at("vm_leak_object_list"), "(schedule_2)");
}

TEST(VmLeakMonitorTest, OnlyTheInnermostSceneRecordsAndIsSearched) {
  VmLeakBeginScene(VMSceneName::kJoinLeaveMeeting);
  auto outer = Create("meeting", 1);
  VmLeakBeginScene(VMSceneName::kMeetingSetting);
  auto inner = Create("settings", 2);
  outer.reset();  // released, but only the inner scene is searched
  VmLeakEndScene(VMSceneName::kMeetingSetting, VMLeakSceneReason::kNormal);
  hostkit::AdvanceClock(1800);
  ASSERT_NE(hostkit::LastAnalytics(kReport), nullptr);
  EXPECT_EQ(hostkit::LastAnalytics(kReport)->properties.at("vm_leak_object_list"), "(settings_2)");
  hostkit::ClearAnalytics();
  VmLeakEndScene(VMSceneName::kJoinLeaveMeeting, VMLeakSceneReason::kNormal);
  hostkit::AdvanceClock(1800);
  ASSERT_NE(hostkit::LastAnalytics(kReport), nullptr);
  EXPECT_EQ(hostkit::LastAnalytics(kReport)->properties.at("vm_leak_object_list"), "(meeting_1)");
}

TEST(VmLeakMonitorTest, OpeningTheSameSceneTwiceKeepsOnlyTheSecond) {
  VmLeakBeginScene(VMSceneName::kScheduleMeeting);
  auto first = Create("schedule", 1);
  VmLeakBeginScene(VMSceneName::kScheduleMeeting);
  EXPECT_TRUE(hostkit::HasLog(3, "pop top repeat add scene_name: schedule_meeting"));
  auto second = Create("schedule", 2);
  VmLeakEndScene(VMSceneName::kScheduleMeeting, VMLeakSceneReason::kNormal);
  hostkit::AdvanceClock(1800);
  EXPECT_EQ(hostkit::CountAnalytics(kReport), 1u);
  EXPECT_EQ(hostkit::LastAnalytics(kReport)->properties.at("vm_leak_object_list"), "(schedule_2)");
  // Nothing is left open: a further close finds an empty stack.
  VmLeakEndScene(VMSceneName::kScheduleMeeting, VMLeakSceneReason::kNormal);
  EXPECT_TRUE(hostkit::HasLog(3, "delete empty stack scene_name: schedule_meeting"));
}

TEST(VmLeakMonitorTest, ClosingAnotherSceneThanTheTopLogsTheMismatchAndPopsNothing) {
  VmLeakBeginScene(VMSceneName::kJoinLeaveMeeting);
  VmLeakBeginScene(VMSceneName::kScheduleMeeting);
  auto view_model = Create("schedule", 4);
  VmLeakEndScene(VMSceneName::kJoinLeaveMeeting, VMLeakSceneReason::kNormal);
  VmLeakEndScene(VMSceneName::kScheduleMeeting, VMLeakSceneReason::kNormal);
  EXPECT_TRUE(hostkit::HasLog(3, "already in deleting"));
  hostkit::AdvanceClock(1800);
  EXPECT_TRUE(hostkit::HasLog(3, "delete not match scene_name: Join_leave_meeting seq: 2 top_scene_name: "
                                 "schedule_meeting seq: 2"));
  EXPECT_EQ(hostkit::CountAnalytics(kReport), 0u);
  // The top is still there, still marked: opening another scene is refused.
  VmLeakBeginScene(VMSceneName::kMeetingSetting);
  EXPECT_TRUE(hostkit::HasLog(3, "add failed deleting scene_name: schedule_meeting seq: 2"));
}

TEST(VmLeakMonitorTest, ScenesWithoutANameAreIgnored) {
  VmLeakBeginScene(static_cast<VMSceneName>(0));
  VmLeakBeginScene(static_cast<VMSceneName>(4));
  VmLeakEndScene(static_cast<VMSceneName>(4), VMLeakSceneReason::kNormal);
  EXPECT_EQ(hostkit::VmLeakMonitorQueries(), 0u);
  EXPECT_EQ(hostkit::ViewModelCreateInterceptorCount(), 0u);
  EXPECT_EQ(hostkit::CountLogs(3, "scene_name"), 0u);
}

TEST(VmLeakMonitorTest, TheOverseasEditionAndATurnedOffToolServiceMonitorNothing) {
  hostkit::Environment().pelu = true;
  VmLeakBeginScene(VMSceneName::kScheduleMeeting);
  EXPECT_EQ(hostkit::VmLeakMonitorQueries(), 0u);
  hostkit::Environment().pelu = false;

  hostkit::SetVmLeakMonitorEnabled(false);
  VmLeakBeginScene(VMSceneName::kScheduleMeeting);
  auto view_model = Create("schedule", 1);
  VmLeakEndScene(VMSceneName::kScheduleMeeting, VMLeakSceneReason::kNormal);
  hostkit::SetVmLeakMonitorEnabled(true);  // asked once per process: too late
  VmLeakBeginScene(VMSceneName::kMeetingSetting);
  hostkit::AdvanceClock(1800);
  EXPECT_EQ(hostkit::VmLeakMonitorQueries(), 1u);
  EXPECT_EQ(hostkit::ViewModelCreateInterceptorCount(), 0u);
  EXPECT_EQ(hostkit::CountAnalytics(kReport), 0u);
}

TEST(VmLeakMonitorTest, WithoutAToolServiceMonitoringRunsAndRegistersOnce) {
  hostkit::SetToolServiceAvailable(false);
  for (int i = 0; i < 3; ++i) {
    VmLeakBeginScene(VMSceneName::kScheduleMeeting);
    VmLeakEndScene(VMSceneName::kScheduleMeeting, VMLeakSceneReason::kNormal);
    hostkit::AdvanceClock(1800);
  }
  EXPECT_EQ(hostkit::ViewModelCreateInterceptorCount(), 1u);
  EXPECT_EQ(hostkit::ViewModelReleaseListenerCount(), 1u);
  EXPECT_EQ(hostkit::CountLogs(6, "no leak find scene_name: schedule_meeting"), 3u);
}

TEST(VmLeakMonitorTest, ModalDialogsPauseTheUiWatchdogOnce) {
  class Owner : public framework::UIViewModel {};
  Owner owner;
  hostkit::AttachViewModel(owner);
  // The interceptor lives as long as the library: a show and a close settle it first.
  framework::AlertBuilder(&owner).SetTitle("settle").Show();
  hostkit::PressAlertButton(hostkit::LastAlert()->id, framework::AlertButton::kPositive);
  hostkit::ClearUiMonitorPauseCalls();

  const int64_t first = framework::AlertBuilder(&owner).SetTitle("a").SetAutoDismiss(false).Show();
  framework::AlertBuilder(&owner).SetTitle("b").Show();
  EXPECT_EQ(hostkit::UiMonitorPauseCalls(), (std::vector<int>{1}));
  owner.DisposeAlert(first);
  EXPECT_EQ(hostkit::UiMonitorPauseCalls(), (std::vector<int>{1, 0}));
  framework::AlertBuilder(&owner).SetTitle("made, never shown").Create();
  EXPECT_EQ(hostkit::UiMonitorPauseCalls(), (std::vector<int>{1, 0}));
  EXPECT_EQ(hostkit::DialogInterceptorCount(), 1u);
}

TEST(VmLeakMonitorTest, ProcessMemoryIsThePrivatePagesInKilobytes) {
  // An independent reading of the same figure; the process changes a little between the two.
  std::FILE* file = std::fopen("/proc/self/smaps_rollup", "r");
  ASSERT_NE(file, nullptr);
  double expected = 0;
  char line[256];
  while (std::fgets(line, sizeof line, file)) {
    unsigned long long kb = 0;
    if (std::sscanf(line, "Private_Clean: %llu", &kb) == 1 || std::sscanf(line, "Private_Dirty: %llu", &kb) == 1) {
      expected += static_cast<double>(kb);
    }
  }
  std::fclose(file);
  const float measured = VmGetCurrentProcessMemory();
  EXPECT_GT(measured, 0.0f);
  EXPECT_NEAR(measured, expected, expected * 0.1);
}

TEST(VmLeakMonitorTest, OnlyTheThreeScenesHaveNames) {
  EXPECT_STREQ(VmSceneNameText(VMSceneName::kJoinLeaveMeeting), "Join_leave_meeting");
  EXPECT_STREQ(VmSceneNameText(VMSceneName::kScheduleMeeting), "schedule_meeting");
  EXPECT_STREQ(VmSceneNameText(VMSceneName::kMeetingSetting), "meeting_setting");
  EXPECT_EQ(VmSceneNameText(static_cast<VMSceneName>(0)), nullptr);
  EXPECT_EQ(VmSceneNameText(static_cast<VMSceneName>(4)), nullptr);
}

}  // namespace
