// The in-meeting windows: their models, layouts, views and window states, the dock, the
// view-model lifecycle model and the platform's window list.
#include <string>
#include <utility>

#include "base/threading/looper.h"
#include "framework/module/module.h"
#include "module_api/in_meeting/in_meeting_utils.h"
#include "module_api/log.h"
#include "module_api/members/member_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "veltosdk/utils/environment.h"

namespace velto_common::utils::inmeeting {

using velto::model::Variant;
using velto::InMeetingWindow::LayoutInfo;

namespace cmd {
using velto::model_command::window::kSetLayoutType;
using velto::model_command::window::kLayoutType;
using velto::model_command::window::kFullScreen;
using velto::model_command::window::kBigViewLocked;
using velto::model_command::window::kSetImmersiveMode;
using velto::model_command::window::kImmersiveMode;
using velto::model_command::window::kWindowVisible;
using velto::model_command::window::kSecondaryWindowExist;
using velto::model_command::window::kLayoutInfo;
using velto::model_command::window::kMultiScreenEnabled;
using velto::model_command::multi_screen_lock::kMultiScreenLock;  // model 534
constexpr int kDockDisposeWindow = velto::model_command::dock_window::kDisposeWindow;
constexpr int kDockPopDock = velto::model_command::dock_window::kPopDock;
constexpr int kVmShown = velto::model_command::view_model_lifecycle::kViewModelShown;
constexpr int kVmBackground = velto::model_command::view_model_lifecycle::kViewModelInBack;
using velto::model_command::meeting::kMeetingInfo;
}  // namespace cmd

namespace {

// Reached only through the module runtime; its meaning beyond this question is the host's.
using velto::model_id::kMultiScreenLockModel;

int WindowModelId(WindowType window) { return ModelTypeForWindowType(window); }

bool WindowFlag(WindowType window, int command, const base::Location& from = base::Location::Current()) {
  return velto::model::QueryValue<bool>(WindowModelId(window), command, nullptr, {}, false, from);
}

void SendDockCommand(int command, int32_t wnd_type) {
  Variant argument = Variant::Map();
  argument["wnd_type"] = wnd_type;
  velto::model::Call(velto::model_id::kDockWindowModel, command, &argument, nullptr);
}

veltosdk::IMeetingWindowService* WindowService() {
  veltosdk::IMeetingService* service = veltosdk::utils::service::GetMeetingService();
  return service ? service->GetWindowService() : nullptr;
}

}  // namespace

int ModelTypeForWindowType(WindowType window) {
  switch (window) {
    case velto::InMeetingWindow::kMainWindow:
      return velto::model_id::kMainWindowModel;
    case velto::InMeetingWindow::kSecondaryWindow:
      return velto::model_id::kSecondaryWindowModel;
  }
  VELTO_LOG(velto::log::kFailure) << "should have a type in enum";
  return velto::model_id::kMainWindowModel;
}

framework::Model* ModelForWindowType(WindowType window) {
  return framework::module::GetAppModuleModel(ModelTypeForWindowType(window));
}

int32_t GetLayoutType(WindowType window) {
  return velto::model::QueryValue<int32_t>(WindowModelId(window), cmd::kLayoutType, nullptr, {}, 0);
}

int32_t GetMainWindowLayoutType() { return GetLayoutType(velto::InMeetingWindow::kMainWindow); }

int32_t GetSecondaryWindowLayoutType() { return GetLayoutType(velto::InMeetingWindow::kSecondaryWindow); }

bool SetLayoutType(WindowType window, int32_t layout_type, int32_t reason) {
  Variant argument = Variant::Map();
  argument["layout_type"] = layout_type;
  argument["reason"] = reason;
  return velto::model::Call(WindowModelId(window), cmd::kSetLayoutType, &argument, nullptr);
}

int32_t GetLayoutMode(WindowType window) {
  return velto::model::QueryValue<int32_t>(WindowModelId(window), cmd::kLayoutInfo, nullptr, {"layout_mode"}, 0);
}

LayoutInfo GetLayoutInfo(WindowType window) {
  Variant answer;
  if (!velto::model::Call(WindowModelId(window), cmd::kLayoutInfo, nullptr, &answer)) return LayoutInfo();
  return ParseLayoutInfo(answer);
}

LayoutInfo ParseLayoutInfo(const Variant& info) {
  LayoutInfo layout;
  layout.layout_type = info.GetInt32("layout_type", layout.layout_type);
  layout.layout_mode = info.GetInt32("layout_mode", layout.layout_mode);
  layout.small_view_types = info.GetUint32("small_view_types", 0);
  return layout;
}

bool IsCustomLayoutTypeForMainWindow() {
  return GetMainWindowLayoutType() == velto::InMeetingWindow::kLayoutTypeCustom;
}

bool IsCustomLayoutTypeForSecondaryWindow() {
  return GetSecondaryWindowLayoutType() == velto::InMeetingWindow::kLayoutTypeCustom;
}

bool IsCustomLayoutType() {
  if (IsCustomLayoutTypeForMainWindow()) return true;
  return IsSecondaryWindowExist() && IsCustomLayoutTypeForSecondaryWindow();
}

bool GetImmersiveMode(WindowType window) { return WindowFlag(window, cmd::kImmersiveMode); }

void SetImmersiveMode(WindowType window, bool on) {
  const Variant argument(on);
  velto::model::Call(WindowModelId(window), cmd::kSetImmersiveMode, &argument, nullptr);
}

bool IsFullScreen(WindowType window) { return WindowFlag(window, cmd::kFullScreen); }

bool IsBigViewLocked(WindowType window) { return WindowFlag(window, cmd::kBigViewLocked); }

bool GetInMeetingWndVisible() { return velto::model::Ask(velto::model_id::kMainWindowModel, cmd::kWindowVisible); }

bool IsSecondaryWindowExist() {
  return WindowFlag(velto::InMeetingWindow::kMainWindow, cmd::kSecondaryWindowExist);
}

bool IsMultiScreenEnabled() { return WindowFlag(velto::InMeetingWindow::kMainWindow, cmd::kMultiScreenEnabled); }

bool IsMultiScreenLockEnable() {
  return velto::model::QueryValue<bool>(kMultiScreenLockModel, cmd::kMultiScreenLock, nullptr, {}, false);
}

void MeetingDockWndDisposeWnd(int32_t wnd_type) { SendDockCommand(cmd::kDockDisposeWindow, wnd_type); }

void MeetingDockWndPopDock(int32_t wnd_type) { SendDockCommand(cmd::kDockPopDock, wnd_type); }

void SetCurrentVmLifecycleState(int32_t vm_type, int32_t lifecycle) {
  Variant argument = Variant::Map();
  argument["vm_type"] = vm_type;
  int command = 0;
  switch (lifecycle) {
    case 0:
    case 1:
      command = cmd::kVmShown;
      break;
    case 2:
    case 3:
      argument["vm_in_back"] = true;
      command = cmd::kVmBackground;
      break;
    case 5:
      argument["vm_in_back"] = false;
      command = cmd::kVmBackground;
      break;
    default:
      return;
  }
  velto::model::Call(velto::model_id::kViewModelLifecycleModel, command, &argument, nullptr);
}

veltosdk::WindowInfoList GetAllWindowInfoList() {
  veltosdk::IMeetingWindowService* windows = WindowService();
  return windows ? windows->GetAllWindowInfoList() : veltosdk::WindowInfoList();
}

void GetAllWindowInfoListAsync(std::function<void(veltosdk::WindowInfoList)> callback) {
  if (!callback) return;
  if (veltosdk::IMeetingWindowService* windows = WindowService()) {
    windows->GetAllWindowInfoListAsync(std::move(callback));
    return;
  }
  // Callers expect the answer later in every case.
  base::threading::LooperThread::MainLooper()->PostTask(
      [callback = std::move(callback)] { callback(veltosdk::WindowInfoList()); }, FROM_HERE);
}

veltosdk::WindowInfoPtr GetWindowInfoById(int64_t window_id) {
  veltosdk::IMeetingWindowService* windows = WindowService();
  return windows ? windows->GetWindowInfoById(window_id) : nullptr;
}

void GetWindowInfoByIdAsync(int64_t window_id, std::function<void(veltosdk::WindowInfoPtr)> callback) {
  if (!callback) return;
  if (veltosdk::IMeetingWindowService* windows = WindowService()) {
    windows->GetWindowInfoByIdAsync(window_id, std::move(callback));
    return;
  }
  base::threading::LooperThread::MainLooper()->PostTask([callback = std::move(callback)] { callback(nullptr); },
                                                        FROM_HERE);
}

veltosdk::WindowRect GetWindowRectById(int64_t window_id) {
  veltosdk::WindowInfoPtr window = GetWindowInfoById(window_id);
  return window ? window->rect : veltosdk::WindowRect();
}

std::string GetSwitchSeatsUrlParams(const std::string& layout_id, const std::string& from) {
  const Variant self = member::GetSelfInfo();
  const std::string meeting_id = velto::model::QueryValue<std::string>(
      velto::model_id::kMeetingModel, cmd::kMeetingInfo, nullptr, {"meeting_item", "meeting_id"}, "");
  veltosdk::IMeetingService* service = veltosdk::utils::service::GetMeetingService();
  const bool meeting_mode = service && service->GetMeetingState().meeting_mode;
  std::string params = "?layoutId=" + layout_id;
  params += "&AppId=" + self.GetString("app_id");
  params += "&AppUid=" + self.GetString("app_uid");
  params += "&MeetingId=" + meeting_id;
  params += "&TinyId=" + std::to_string(self.GetUint64("tiny_id"));
  params += "&AppVersion=" + veltosdk::utils::environment::PackageVersion();
  params += "&from=" + from;
  params += "&InstanceID=" + veltosdk::utils::context::GetCurrentInstanceId();
  params += std::string("&meetingMode=") + (meeting_mode ? "1" : "0");
  return params;
}

void GetCustomLayoutTogetherSwtichSeatsWebViewParam(Variant& out, const std::string& base_url,
                                                    const std::string& layout_id, const std::string& from) {
  out["url"] = base_url + GetSwitchSeatsUrlParams(layout_id, from);
  out["fix_size"] = true;
  out["wnd_size_width"] = 734;
  out["wnd_size_height"] = 502;
  out["show_max_btn"] = false;
  out["show_min_btn"] = false;
  out["windowless"] = false;
}

}  // namespace velto_common::utils::inmeeting

namespace velto_common::utils::inmeetingwindow {

using velto::model::Variant;

namespace {
using velto::model_command::window::kSetBigView;
using velto::model_command::window::kBigView;
using velto::model_command::window::kSetSmallView;
using velto::model_command::window::kSmallView;
using velto::model_command::window::kSecondaryWindowActive;
}  // namespace

Variant GetBigViewForWindow(WindowType window) {
  return velto::model::QueryAnswer(inmeeting::ModelTypeForWindowType(window), kBigView);
}

Variant GetSmallViewForWindow(WindowType window) {
  return velto::model::QueryAnswer(inmeeting::ModelTypeForWindowType(window), kSmallView);
}

bool SetBigViewForWindow(WindowType window, const Variant& view) {
  return velto::model::Call(inmeeting::ModelTypeForWindowType(window), kSetBigView, &view, nullptr);
}

bool SetSmallViewForWindow(WindowType window, const Variant& view) {
  return velto::model::Call(inmeeting::ModelTypeForWindowType(window), kSetSmallView, &view, nullptr);
}

bool IsSecondaryWindowActive() {
  return velto::model::QueryValue<bool>(velto::model_id::kSecondaryWindowModel, kSecondaryWindowActive, nullptr, {},
                                        false);
}

}  // namespace velto_common::utils::inmeetingwindow
