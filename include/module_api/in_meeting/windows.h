// The in-meeting windows: which model speaks for each window, their layouts, big and small
// views, immersive and full-screen state, and the platform's window list.
//
//   using velto::InMeetingWindow::kMainWindow;
//   if (inmeeting::GetLayoutType(kMainWindow) == velto::InMeetingWindow::kLayoutTypeCustom) ...
//   velto::InMeetingWindow::LayoutInfo info = inmeeting::GetLayoutInfo(kMainWindow);  // {7, 0, 0} on failure
//   inmeetingwindow::SetBigViewForWindow(kMainWindow, view);
//
// Window type 0 is the main window (model 591), 1 the secondary window (model 592); any other
// value logs "should have a type in enum" and means the main window.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/variant/variant.h"
#include "framework/model.h"
#include "module_api/export.h"
#include "module_api/in_meeting/in_meeting_types.h"
#include "veltosdk/utils/meeting_service.h"

namespace velto_common::utils::inmeeting {

using velto::InMeetingWindow::WindowType;

VELTO_API int ModelTypeForWindowType(WindowType window);
// The window's model, null when the host has none.
VELTO_API framework::Model* ModelForWindowType(WindowType window);

// Layout type of a window; 0 when unknown.
VELTO_API int32_t GetLayoutType(WindowType window);
VELTO_API int32_t GetMainWindowLayoutType();
VELTO_API int32_t GetSecondaryWindowLayoutType();
// Asks the window to switch; the model's acceptance.
VELTO_API bool SetLayoutType(WindowType window, int32_t layout_type, int32_t reason);
// "layout_mode" of the layout information; 0 when unknown.
VELTO_API int32_t GetLayoutMode(WindowType window);
VELTO_API velto::InMeetingWindow::LayoutInfo GetLayoutInfo(WindowType window);
// Reads "layout_type", "layout_mode" and "small_view_types" over the neutral {7, 0, 0}.
VELTO_API velto::InMeetingWindow::LayoutInfo ParseLayoutInfo(const base::variant::Variant& info);
// The main window, or the secondary window when it exists, shows the custom layout.
VELTO_API bool IsCustomLayoutType();
VELTO_API bool IsCustomLayoutTypeForMainWindow();
VELTO_API bool IsCustomLayoutTypeForSecondaryWindow();
VELTO_API bool IsCustomLayoutMeeting();
VELTO_API bool IsTogetherModeMeeting();
// The together-mode stream is what the main window's big view shows.
VELTO_API bool IsBigViewTogetherMode();
VELTO_API velto::LayoutUserListRuleType GetLayoutUserListRuleType();
// Tiles on the first page of a gallery layout {"rows", "columns"}: each rounded up from the
// configured fraction ("layout_page_size_round_number", default 0.2) and multiplied.
VELTO_API uint32_t GetFirstPageSize(const base::variant::Variant& layout);
// Switches the gallery between 9 tiles and 25 (`large`); always true.
VELTO_API bool SwitchTileLayout(bool large);
// Whether moving the gallery to `position` changes its side group ({0, 1} or {2, 3}).
VELTO_API bool IsPresenterModeChanged(velto::PresenterLayout::GalleryPositionType position);
// The gallery position of the presenter layout (type 1); kGalleryPositionNone for other layouts.
VELTO_API void UpdateCurrentPresenterPositionType(int32_t layout_type,
                                                  velto::PresenterLayout::GalleryPositionType& position);

VELTO_API bool GetImmersiveMode(WindowType window);
VELTO_API void SetImmersiveMode(WindowType window, bool on);
VELTO_API bool IsFullScreen(WindowType window);
VELTO_API bool IsBigViewLocked(WindowType window);
VELTO_API bool GetInMeetingWndVisible();
VELTO_API bool IsSecondaryWindowExist();
VELTO_API bool IsMultiScreenEnabled();
VELTO_API bool IsMultiScreenLockEnable();
VELTO_API void MeetingDockWndDisposeWnd(int32_t wnd_type);
VELTO_API void MeetingDockWndPopDock(int32_t wnd_type);
// Tells the view-model lifecycle model that a view model of `vm_type` went to `lifecycle`
// (0, 1: shown; 2, 3: to the back; 5: to the front; others: nothing).
VELTO_API void SetCurrentVmLifecycleState(int32_t vm_type, int32_t lifecycle);

// The platform's meeting windows; empty without the meeting service.
VELTO_API veltosdk::WindowInfoList GetAllWindowInfoList();
// Answers on the UI thread, later; with an empty list without the service.
VELTO_API void GetAllWindowInfoListAsync(std::function<void(veltosdk::WindowInfoList)> callback);
VELTO_API veltosdk::WindowInfoPtr GetWindowInfoById(int64_t window_id);
VELTO_API void GetWindowInfoByIdAsync(int64_t window_id, std::function<void(veltosdk::WindowInfoPtr)> callback);
// All zero when the window is unknown.
VELTO_API veltosdk::WindowRect GetWindowRectById(int64_t window_id);

// The query of the switch-seats page: "?layoutId=...&AppId=...&AppUid=...&MeetingId=...
// &TinyId=...&AppVersion=...&from=...&InstanceID=...&meetingMode=0|1".
VELTO_API std::string GetSwitchSeatsUrlParams(const std::string& layout_id, const std::string& from);
// The web-view parameters of that page: its address and a fixed 734 x 502 window.
VELTO_API void GetCustomLayoutTogetherSwtichSeatsWebViewParam(base::variant::Variant& out,
                                                              const std::string& base_url,
                                                              const std::string& layout_id,
                                                              const std::string& from);

}  // namespace velto_common::utils::inmeeting

namespace velto_common::utils::inmeetingwindow {

using velto::InMeetingWindow::WindowType;

// The window model's raw big-view (command 3) and small-view (command 5) answers; null on failure.
VELTO_API base::variant::Variant GetBigViewForWindow(WindowType window);
VELTO_API base::variant::Variant GetSmallViewForWindow(WindowType window);
VELTO_API bool SetBigViewForWindow(WindowType window, const base::variant::Variant& view);
VELTO_API bool SetSmallViewForWindow(WindowType window, const base::variant::Variant& view);
VELTO_API bool IsSecondaryWindowActive();

}  // namespace velto_common::utils::inmeetingwindow
