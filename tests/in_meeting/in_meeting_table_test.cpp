// Every in-meeting question against the answers it expects, a missing model, a failing call and
// an answer of the wrong kind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ui_viewmodel.h"
#include "hostkit/viewmodel.h"
#include "module_api/in_meeting/in_meeting_utils.h"
#include "module_api/model_ids.h"
#include "query_table.h"

namespace {

namespace inmeeting = velto_common::utils::inmeeting;
namespace inmeetingwindow = velto_common::utils::inmeetingwindow;
namespace id = velto::model_id;
using hostkit::Json;
using hostkit::MeetingFixture;
using namespace query_table;
using velto::InMeetingWindow::kMainWindow;
using velto::InMeetingWindow::kSecondaryWindow;

Source RawAnswer(int model_id, int command, Variant good) {
  Source source = Answered(model_id, command, std::move(good));
  source.wrong = nullptr;  // handed out as it is: there is no kind to get wrong
  source.swept_model = 0;
  return source;
}

std::string LastKey(int model_id, int command, const char* key) {
  hostkit::ScriptedModel* model = hostkit::FindModel(model_id);
  if (!model || model->CallCount(command) == 0) return "none";
  return model->LastArgument(command).Get(key).ToJsonStr();
}

void TwoDevices(MeetingFixture&) {
  veltosdk::MeetingSelfInfo self;
  self.valid = true;
  self.devices = {{"default", 0, false, false, false, 0}, {"pad", 3, true, true, false, 0}};
  hostkit::SetSelfInfo(self);
}

void ScreenStream(MeetingFixture&) {
  hostkit::SetStreamInfo("screen-u-1", vlp::av::kStreamTypeScreen, vlp::av::kStreamDirectionIn);
}

std::string Permission(bool camera) {
  std::string result = "none";
  auto granted = [&result] { result = "granted"; };
  auto denied = [&result] { result = "denied"; };
  if (camera) {
    inmeeting::AccessCamera(granted, denied, "table");
  } else {
    inmeeting::AccessMic(granted, denied, "table", true);
  }
  return result;
}

std::string PointerText(const Variant* list) { return list ? std::to_string(list->size()) : "null"; }

const Variant& TwoUsers() {
  static const Variant kList = Json(R"([{"user_id": "u-1"}, {"user_id": "u-2"}])");
  return kList;
}

std::string Fixed(bool (*question)()) { return Text(question()); }

std::vector<Row> MeetingStateRows() {
  return {
      {"GetCurrentMeetingType",
       Answered(id::kMeetingModel, 3, Json(R"({"meeting_item": {"meeting_type": 2}})"),
                Json(R"({"meeting_item": {"meeting_type": "2"}})")),
       [] { return Text(inmeeting::GetCurrentMeetingType()); }, "2", "-1"},
      {"IsInMeeting", CallResult(id::kMeetingModel, 0), [] { return Text(inmeeting::IsInMeeting(false)); }, "true",
       "false"},
      {"IsJoiningMeeting", CallResult(id::kMeetingModel, 43), [] { return Text(inmeeting::IsJoiningMeeting()); },
       "true", "false"},
      {"IsInWaitingRoom", Answered(id::kMeetingModel, 11, true), [] { return Text(inmeeting::IsInWaitingRoom()); },
       "true", "false"},
      {"IsMediaRoomJoined", CallResult(id::kMeetingModel, 23), [] { return Text(inmeeting::IsMediaRoomJoined()); },
       "true", "false"},
      {"IsCurrentMeeting",
       Answered(id::kMeetingModel, 3, Json(R"({"meeting_item": {"meeting_id": "m-1"}})"),
                Json(R"({"meeting_item": {"meeting_id": 1}})")),
       [] { return Text(inmeeting::IsCurrentMeeting("m-1")); }, "true", "false"},
      {"GetMeetingMode", Answered(id::kMeetingModeModel, 0, 1, "1"),
       [] { return Text(static_cast<int>(inmeeting::GetMeetingMode())); }, "1", "-1"},
      {"IsInScreenShareMode", Answered(id::kMeetingModeModel, 0, 1, "1"),
       [] { return Text(inmeeting::IsInScreenShareMode()); }, "true", "false"},
      {"IsAudioMode", Answered(id::kMeetingModel, 26, Json(R"({"enable": true})"), Json(R"({"enable": 1})")),
       [] { return Text(inmeeting::IsAudioMode()); }, "true", "false"},
      {"IsAudioConnectModeNone",
       Answered(id::kAudioModel, 68, Json(R"({"audio_connect_mode": 1})"), Json(R"({"audio_connect_mode": "1"})")),
       [] { return Text(inmeeting::IsAudioConnectModeNone()); }, "false", "true"},
      {"IsAudioConnectedByOtherInstance", Platform(TwoDevices),
       [] { return Text(inmeeting::IsAudioConnectedByOtherInstance()); }, "true", "false"},
      {"IsMultipleDevicesJoinedInMeeting", Platform(TwoDevices),
       [] { return Text(inmeeting::IsMultipleDevicesJoinedInMeeting()); }, "true", "false"},
      {"IsInHighUsageState", Answered(id::kMeetingModel, 66, 1, "1"),
       [] { return Text(inmeeting::IsInHighUsageState()); }, "true", "false"},
      {"IsInStreamLimitState", Answered(id::kMeetingModel, 66, 1, "1"),
       [] { return Text(inmeeting::IsInStreamLimitState()); }, "true", "false"},
      {"GetStreamLimitTips",
       With(Answered(id::kServiceEntranceModel, 1, "Too busy", 5, false),
            [](MeetingFixture&) { hostkit::SetLocalizedString(static_cast<int32_t>(0xd13b7fb1), "built-in tips"); }),
       [] { return inmeeting::GetStreamLimitTips(); }, "Too busy", "built-in tips"},
      {"GetStreamCountInfo",
       Flat(Answered(id::kVideoModel, 27,
                Json(R"({"up_video_stream_count": 1, "down_video_stream_count": 2, "up_screen_stream_count": 0,
                         "down_screen_stream_count": 1})"))),
       [] { return inmeeting::GetStreamCountInfo().Dump(); },
       "up_video_stream_count = 1, down_video_stream_count = 2, up_screen_stream_count = 0, "
       "down_screen_stream_count = 1",
       "up_video_stream_count = 0, down_video_stream_count = 0, up_screen_stream_count = 0, "
       "down_screen_stream_count = 0"},
      {"IsCastMeeting",
       Answered(id::kMeetingModel, 6, Json(R"({"meeting_item": {"meeting_type": 16}})"),
                Json(R"({"meeting_item": {"meeting_type": "16"}})")),
       [] { return Text(inmeeting::IsCastMeeting()); }, "true", "false"},
      {"IsCastMeetingMode", Answered(id::kMeetingModel, 39, true), [] { return Text(inmeeting::IsCastMeetingMode()); },
       "true", "false"},
      {"IsCloudRecording", Answered(id::kRecordModel, 6, Json(R"({"record_type": 1, "record_state": 1})"), "x", false),
       [] { return Text(inmeeting::IsCloudRecording()); }, "false", "false"},
      {"IsSupportRoomsP2PCastMode",
       With(Answered(id::kScreenShareModel, 165, true),
            [](MeetingFixture& f) { f.SetConfigurationItem("meeting-ability", "p2p_screen_share_cast_ability", true); }),
       [] { return Text(inmeeting::IsSupportRoomsP2PCastMode()); }, "true", "false"},
      {"IsSupportScreenCaptureSettings", Answered(id::kScreenShareModel, 165, true),
       [] { return Text(inmeeting::IsSupportScreenCaptureSettings()); }, "true", "false"},
      {"GetSettingsModelSwitchState", Answered(id::kMeetingSettingsModel, 64, true),
       [] { return Text(inmeeting::GetSettingsModelSwitchState(64)); }, "true", "false"},
      {"GetVocalEnhancementFeatureVisible", CallResult(id::kVoicePrintModel, 3),
       [] { return Text(inmeeting::GetVocalEnhancementFeatureVisible()); }, "true", "false"},
      {"GetInmeetingTabUISwitch", Answered(id::kServiceEntranceModel, 1, true, "yes", false),
       [] { return Text(inmeeting::GetInmeetingTabUISwitch()); }, "true", "false"},
      {"SupportWideSidebarGraySwitch", CallResult(id::kOpenAppPolicyModel, 0),
       [] { return Text(inmeeting::SupportWideSidebarGraySwitch()); }, "true", "false"},
      {"IsOpenAppInBlockListByAppId", CallResult(id::kOpenAppPolicyModel, 1),
       [] { return Text(inmeeting::IsOpenAppInBlockListByAppId("app-1")); }, "true", "false"},
      {"IsValidCustomerData", None(), [] { return Text(inmeeting::IsValidCustomerData("")); }, "true", ""},
      {"ReportAiAssistantStopEventLog", CallResult(id::kMeetingModel, 0),
       [] {
         inmeeting::ReportAiAssistantStopEventLog(true);
         return Text(static_cast<unsigned long>(hostkit::CountAnalytics("e#meeting#ai_helper_stop_confirm#click")));
       },
       "1", "0"},
      {"ShowJoinLimitTypeChangeToast",
       With(Answered(id::kMeetingSettingsModel, 1, Json(R"({"multi_device_join_linkage_disabled": false})"), "x",
                     false),
            [](MeetingFixture&) { hostkit::SetLocalizedString(static_cast<int32_t>(0x9ba65fc5), "one device"); }),
       [] {
         framework::UIViewModel view_model;
         inmeeting::ShowJoinLimitTypeChangeToast(&view_model, 2);
         return hostkit::Toasts().empty() ? std::string("none") : hostkit::Toasts().back().text;
       },
       // Without the settings model nothing says the switch is linked: the toast shows.
       "one device", "one device"},
  };
}

std::vector<Row> WindowRows() {
  Source secondary_window;
  secondary_window.remove = [] { hostkit::RemoveModel(id::kSecondaryWindowModel); };
  secondary_window.logs_when_missing = false;
  return {
      {"ModelTypeForWindowType", None(), [] { return Text(inmeeting::ModelTypeForWindowType(kSecondaryWindow)); },
       "592", ""},
      {"ModelForWindowType", secondary_window,
       [] { return std::string(inmeeting::ModelForWindowType(kSecondaryWindow) ? "found" : "null"); }, "found",
       "null"},
      {"GetLayoutType", Answered(id::kMainWindowModel, 1, 3, "3"),
       [] { return Text(inmeeting::GetLayoutType(kMainWindow)); }, "3", "0"},
      {"GetMainWindowLayoutType", Answered(id::kMainWindowModel, 1, 4, "4"),
       [] { return Text(inmeeting::GetMainWindowLayoutType()); }, "4", "0"},
      {"GetSecondaryWindowLayoutType", Answered(id::kSecondaryWindowModel, 1, 5, "5"),
       [] { return Text(inmeeting::GetSecondaryWindowLayoutType()); }, "5", "0"},
      {"SetLayoutType", CallResult(id::kMainWindowModel, 0, true),
       [] { return Text(inmeeting::SetLayoutType(kMainWindow, 3, 1)); }, "true", "false"},
      {"GetLayoutMode", Answered(id::kMainWindowModel, 222, Json(R"({"layout_mode": 2})"), Json(R"({"layout_mode": "2"})")),
       [] { return Text(inmeeting::GetLayoutMode(kMainWindow)); }, "2", "0"},
      {"GetLayoutInfo",
       Answered(id::kMainWindowModel, 222, Json(R"({"layout_type": 4, "layout_mode": 1, "small_view_types": 3})"),
                Json(R"({"layout_type": "4", "layout_mode": "1", "small_view_types": "3"})"), false),
       [] {
         const auto info = inmeeting::GetLayoutInfo(kMainWindow);
         return Text(info.layout_type) + "/" + Text(info.layout_mode) + "/" + Text(info.small_view_types);
       },
       "4/1/3", "7/0/0"},
      {"ParseLayoutInfo", None(),
       [] { return Text(inmeeting::ParseLayoutInfo(Json(R"({"layout_mode": 2})")).layout_type); }, "7", ""},
      {"IsCustomLayoutType", Answered(id::kMainWindowModel, 1, 3, "3"),
       [] { return Text(inmeeting::IsCustomLayoutType()); }, "true", "false"},
      {"IsCustomLayoutTypeForMainWindow", Answered(id::kMainWindowModel, 1, 3, "3"),
       [] { return Text(inmeeting::IsCustomLayoutTypeForMainWindow()); }, "true", "false"},
      {"IsCustomLayoutTypeForSecondaryWindow", Answered(id::kSecondaryWindowModel, 1, 3, "3"),
       [] { return Text(inmeeting::IsCustomLayoutTypeForSecondaryWindow()); }, "true", "false"},
      {"IsCustomLayoutMeeting", Answered(id::kCustomLayoutModel, 3, true),
       [] { return Text(inmeeting::IsCustomLayoutMeeting()); }, "true", "false"},
      {"IsTogetherModeMeeting",
       Answered(id::kCustomLayoutModel, 8, Json(R"({"is_together_mode": true})"), Json(R"({"is_together_mode": 1})")),
       [] { return Text(inmeeting::IsTogetherModeMeeting()); }, "true", "false"},
      {"IsBigViewTogetherMode",
       Answered(id::kCustomLayoutModel, 8, Json(R"({"stream": "video-u-self", "is_together_mode": true})"),
                Json(R"({"stream": "video-u-self", "is_together_mode": 1})"), false),
       [] { return Text(inmeeting::IsBigViewTogetherMode()); }, "true", "false"},
      {"GetLayoutUserListRuleType", Answered(id::kServiceEntranceModel, 1, 2, "2", false),
       [] { return Text(static_cast<int>(inmeeting::GetLayoutUserListRuleType())); }, "2", "0"},
      {"GetFirstPageSize", Answered(id::kServiceEntranceModel, 1, 0.5, "0.5", false),
       [] { return Text(inmeeting::GetFirstPageSize(Json(R"({"rows": 2.6, "columns": 2.6})"))); }, "9", "4"},
      {"SwitchTileLayout", Answered(id::kMeetingSettingsModel, 48, 9, "9"),
       [] {
         inmeeting::SwitchTileLayout(true);
         return LastKey(id::kMeetingSettingsModel, 47, "max_grid_count");
       },
       "25", "none"},
      {"IsPresenterModeChanged", Answered(id::kMeetingSettingsModel, 50, 0, "0"),
       [] { return Text(inmeeting::IsPresenterModeChanged(2)); }, "true", "false"},
      {"UpdateCurrentPresenterPositionType", Answered(id::kMeetingSettingsModel, 50, 3, "3"),
       [] {
         velto::PresenterLayout::GalleryPositionType position = 77;
         inmeeting::UpdateCurrentPresenterPositionType(1, position);
         return Text(position);
       },
       "3", "77"},
      {"GetImmersiveMode", Answered(id::kMainWindowModel, 12, true),
       [] { return Text(inmeeting::GetImmersiveMode(kMainWindow)); }, "true", "false"},
      {"SetImmersiveMode", CallResult(id::kMainWindowModel, 11, true),
       [] {
         inmeeting::SetImmersiveMode(kMainWindow, true);
         return LastArgument(id::kMainWindowModel, 11);
       },
       "true", "none", "true"},
      {"IsFullScreen", Answered(id::kMainWindowModel, 9, true), [] { return Text(inmeeting::IsFullScreen(kMainWindow)); },
       "true", "false"},
      {"IsBigViewLocked", Answered(id::kMainWindowModel, 10, true),
       [] { return Text(inmeeting::IsBigViewLocked(kMainWindow)); }, "true", "false"},
      {"GetInMeetingWndVisible", CallResult(id::kMainWindowModel, 14),
       [] { return Text(inmeeting::GetInMeetingWndVisible()); }, "true", "false"},
      {"IsSecondaryWindowExist", Answered(id::kMainWindowModel, 100, true),
       [] { return Text(inmeeting::IsSecondaryWindowExist()); }, "true", "false"},
      {"IsMultiScreenEnabled", Answered(id::kMainWindowModel, 223, true),
       [] { return Text(inmeeting::IsMultiScreenEnabled()); }, "true", "false"},
      {"IsMultiScreenLockEnable", Answered(534, 0, true), [] { return Text(inmeeting::IsMultiScreenLockEnable()); },
       "true", "false"},
      {"MeetingDockWndDisposeWnd", CallResult(id::kDockWindowModel, 2, true),
       [] {
         inmeeting::MeetingDockWndDisposeWnd(2);
         return LastArgument(id::kDockWindowModel, 2);
       },
       R"({"wnd_type":2})", "none", R"({"wnd_type":2})"},
      {"MeetingDockWndPopDock", CallResult(id::kDockWindowModel, 3, true),
       [] {
         inmeeting::MeetingDockWndPopDock(4);
         return LastArgument(id::kDockWindowModel, 3);
       },
       R"({"wnd_type":4})", "none", R"({"wnd_type":4})"},
      {"SetCurrentVmLifecycleState", CallResult(id::kViewModelLifecycleModel, 0, true),
       [] {
         inmeeting::SetCurrentVmLifecycleState(7, 2);
         return LastArgument(id::kViewModelLifecycleModel, 0);
       },
       R"({"vm_type":7,"vm_in_back":true})", "none", R"({"vm_type":7,"vm_in_back":true})"},
      {"GetAllWindowInfoList", Platform([](MeetingFixture&) {}),
       [] { return Text(static_cast<unsigned long>(inmeeting::GetAllWindowInfoList().size())); }, "1", "0"},
      {"GetAllWindowInfoListAsync", Platform([](MeetingFixture&) {}),
       [] {
         std::string result = "no answer";
         inmeeting::GetAllWindowInfoListAsync(
             [&result](veltosdk::WindowInfoList list) { result = std::to_string(list.size()); });
         hostkit::RunUntilIdle();
         return result;
       },
       "1", "0"},
      {"GetWindowInfoById", Platform([](MeetingFixture&) {}),
       [] {
         auto window = inmeeting::GetWindowInfoById(1);
         return window ? window->name : std::string("null");
       },
       "meeting", "null"},
      {"GetWindowInfoByIdAsync", Platform([](MeetingFixture&) {}),
       [] {
         std::string result = "no answer";
         inmeeting::GetWindowInfoByIdAsync(
             1, [&result](veltosdk::WindowInfoPtr window) { result = window ? window->name : "null"; });
         hostkit::RunUntilIdle();
         return result;
       },
       "meeting", "null"},
      {"GetWindowRectById", Platform([](MeetingFixture&) {}),
       [] {
         auto rect = inmeeting::GetWindowRectById(1);
         return Text(rect.width) + "x" + Text(rect.height);
       },
       "1280x720", "0x0"},
      {"GetSwitchSeatsUrlParams", Fixture(id::kUserModel, 1, "x", false),
       [] { return inmeeting::GetSwitchSeatsUrlParams("L1", "seat"); },
       "?layoutId=L1&AppId=1400000001&AppUid=uid-u-self&MeetingId=100200300&TinyId=10001&AppVersion=3.26.0.100"
       "&from=seat&InstanceID=default&meetingMode=0",
       "?layoutId=L1&AppId=&AppUid=&MeetingId=100200300&TinyId=0&AppVersion=3.26.0.100&from=seat"
       "&InstanceID=default&meetingMode=0"},
      {"GetCustomLayoutTogetherSwtichSeatsWebViewParam", Fixture(id::kUserModel, 1, "x", false),
       [] {
         Variant out = Variant::Map();
         inmeeting::GetCustomLayoutTogetherSwtichSeatsWebViewParam(out, "https://seats.example/", "L2", "menu");
         return out.GetString("url") + "|" + Text(out.GetInt32("wnd_size_width")) + "x" +
                Text(out.GetInt32("wnd_size_height"));
       },
       "https://seats.example/?layoutId=L2&AppId=1400000001&AppUid=uid-u-self&MeetingId=100200300&TinyId=10001"
       "&AppVersion=3.26.0.100&from=menu&InstanceID=default&meetingMode=0|734x502",
       "https://seats.example/?layoutId=L2&AppId=&AppUid=&MeetingId=100200300&TinyId=0&AppVersion=3.26.0.100"
       "&from=menu&InstanceID=default&meetingMode=0|734x502"},
      {"inmeetingwindow::GetBigViewForWindow", RawAnswer(id::kMainWindowModel, 3, Json(R"({"user_id": "u-1"})")),
       [] { return Text(inmeetingwindow::GetBigViewForWindow(kMainWindow)); }, R"({"user_id":"u-1"})", "null"},
      {"inmeetingwindow::GetSmallViewForWindow", RawAnswer(id::kMainWindowModel, 5, Json(R"({"user_id": "u-2"})")),
       [] { return Text(inmeetingwindow::GetSmallViewForWindow(kMainWindow)); }, R"({"user_id":"u-2"})", "null"},
      {"inmeetingwindow::SetBigViewForWindow", CallResult(id::kMainWindowModel, 2, true),
       [] { return Text(inmeetingwindow::SetBigViewForWindow(kMainWindow, Json(R"({"user_id": "u-3"})"))); }, "true",
       "false"},
      {"inmeetingwindow::SetSmallViewForWindow", CallResult(id::kMainWindowModel, 4, true),
       [] { return Text(inmeetingwindow::SetSmallViewForWindow(kMainWindow, Json(R"({"user_id": "u-3"})"))); }, "true",
       "false"},
      {"inmeetingwindow::IsSecondaryWindowActive", Answered(id::kSecondaryWindowModel, 201, true),
       [] { return Text(inmeetingwindow::IsSecondaryWindowActive()); }, "true", "false"},
  };
}

std::vector<Row> ViewRows() {
  auto view = [](int command) {
    return With(Answered(id::kMainWindowModel, command, Json(R"({"stream_id": "screen-u-1"})"),
                         Json(R"({"stream_id": 5})"), false),
                ScreenStream);
  };
  return {
      {"GetBigViewStreamType", view(3), [] { return Text(static_cast<int>(inmeeting::GetBigViewStreamType(kMainWindow))); },
       "2", "0"},
      {"GetSmallViewStreamType", view(5),
       [] { return Text(static_cast<int>(inmeeting::GetSmallViewStreamType(kMainWindow))); }, "2", "0"},
      {"BigViewIsScreen", view(3), [] { return Text(inmeeting::BigViewIsScreen(kMainWindow)); }, "true", "false"},
      {"SmallViewIsScreen", view(5), [] { return Text(inmeeting::SmallViewIsScreen(kMainWindow)); }, "true", "false"},
      {"IsBigViewSelf",
       Answered(id::kMainWindowModel, 3, Json(R"({"user_id": "u-self", "self": true})"),
                Json(R"({"user_id": "u-self", "self": "yes"})"), false),
       [] { return Text(inmeeting::IsBigViewSelf(kMainWindow)); }, "true", "false"},
      {"GetUserListPtrInMeeting", Fixture(id::kVideoModel, 25, Json(R"({"user_info_list": [1]})")),
       [] { return PointerText(inmeeting::GetUserListPtrInMeeting()); }, "5", "null"},
      {"GetVisibleUserListPtrInMeeting", Fixture(id::kVideoModel, 47, Json(R"({"user_info_list": [1]})")),
       [] { return PointerText(inmeeting::GetVisibleUserListPtrInMeeting()); }, "5", "null"},
      {"GetNeedHideUserListPtrInMeeting", Fixture(id::kVideoModel, 48, Json(R"({"user_info_list": [1]})")),
       [] { return PointerText(inmeeting::GetNeedHideUserListPtrInMeeting()); }, "0", "null"},
      {"GetRawUserListPtrInMeeting", Fixture(id::kVideoModel, 55, Json(R"({"user_info_list": [1]})")),
       [] { return PointerText(inmeeting::GetRawUserListPtrInMeeting()); }, "5", "null"},
      {"GetFirstPageUserListPtrInMeeting", Fixture(id::kVideoModel, 36, Json(R"({"user_info_list": [1]})")),
       [] { return PointerText(inmeeting::GetFirstPageUserListPtrInMeeting()); }, "5", "null"},
      {"GetHighestPriorityUserPtrInMeeting", Fixture(id::kVideoModel, 35, Json(R"({"user_index": 3})")),
       [] {
         const Variant* user = inmeeting::GetHighestPriorityUserPtrInMeeting(Variant::Map());
         return user ? user->GetString("user_id") : std::string("null");
       },
       "u-self", "null"},
      {"GetUserListCountInMeeting", Fixture(id::kVideoModel, 25, Json(R"({"user_info_list": [1]})")),
       [] { return Text(inmeeting::GetUserListCountInMeeting()); }, "5", "0"},
      {"GetNeedHideUserCountInMeeting",
       Answered(id::kVideoModel, 48, [] {
         Variant answer = Variant::Map();
         answer["user_info_list"] = Variant::FromPointer(&TwoUsers());
         return answer;
       }(), Json(R"({"user_info_list": [1, 2]})")),
       [] { return Text(inmeeting::GetNeedHideUserCountInMeeting()); }, "2", "0"},
      {"GetVideoUserCount", Answered(id::kVideoUserCountModel, 2, 4u, "4"),
       [] { return Text(inmeeting::GetVideoUserCount()); }, "4", "0"},
      {"IsUserVisibleInMeeting", CallResult(id::kVideoModel, 49),
       [] { return Text(inmeeting::IsUserVisibleInMeeting(Json(R"({"user_id": "u-1"})"))); }, "true", "false"},
      {"IsVideoUser", None(), [] { return Text(inmeeting::IsVideoUser(Json(R"({"video_on": true})"))); }, "true", ""},
      {"NeedHideNoVideoMeetingUser", CallResult(id::kHideVideoModel, 6),
       [] { return Text(inmeeting::NeedHideNoVideoMeetingUser()); }, "true", "false"},
      {"NeedHideSelf", CallResult(id::kHideVideoModel, 7), [] { return Text(inmeeting::NeedHideSelf()); }, "true",
       "false"},
      {"GetHideSelfSwitchVisible", CallResult(id::kHideVideoModel, 9),
       [] { return Text(inmeeting::GetHideSelfSwitchVisible()); }, "true", "false"},
      {"IsSelfVideoOn", Answered(id::kUserModel, 1, Json(R"({"video": true})"), Json(R"({"video": 1})"), false),
       [] { return Text(inmeeting::IsSelfVideoOn()); }, "true", "false"},
      {"IsSelfSubVideoOn", Answered(id::kUserModel, 1, Json(R"({"screen": true})"), Json(R"({"screen": 1})"), false),
       [] { return Text(inmeeting::IsSelfSubVideoOn()); }, "true", "false"},
      {"HasOtherScreenShareUser",
       With(Fixture(id::kVideoModel, 26, Json(R"({"stream_info_map": {}})")),
            [](MeetingFixture& f) { f.StartScreenShare("u-1"); }),
       [] { return Text(inmeeting::HasOtherScreenShareUser()); }, "true", "false"},
      {"IsSubVideoOnAdaptPreviewCast",
       With(Fixture(id::kVideoModel, 26, Json(R"({"stream_info_map": {}})")),
            [](MeetingFixture& f) { f.StartScreenShare("u-2"); }),
       [] { return Text(inmeeting::IsSubVideoOnAdaptPreviewCast()); }, "true", "false"},
  };
}

std::vector<Row> SharingRows() {
  const Variant web_share = Json(R"({"up_web_share_on": true, "user_id": "u-1", "instance_id": 3, "app_uid": "a",
                                      "unique_id": "q"})");
  return {
      {"IsSharing", Answered(id::kScreenShareModel, 2, true), [] { return Text(inmeeting::IsSharing()); }, "true",
       "false"},
      {"IsScreenSharing", Answered(id::kScreenShareModel, 2, true), [] { return Text(inmeeting::IsScreenSharing()); },
       "true", "false"},
      {"IsScreenSharingBySelf",
       With(Answered(id::kUserModel, 31, Json(R"({"is_self": true})"), Json(R"({"is_self": "yes"})"), false),
            [](MeetingFixture& f) { f.StartScreenShare("u-self"); }),
       [] { return Text(inmeeting::IsScreenSharingBySelf()); }, "true", "false"},
      {"IsUserSharing", Flat(Answered(id::kVideoModel, 27, Json(R"({"down_screen_stream_count": 1})"))),
       [] { return Text(inmeeting::IsUserSharing()); }, "true", "false"},
      {"IsWebSharing", Answered(id::kUserModel, 31, web_share, Json(R"({"up_web_share_on": 1})"), false),
       [] { return Text(inmeeting::IsWebSharing()); }, "true", "false"},
      {"IsWebSharingByOther", Answered(id::kUserModel, 31, web_share, Json(R"({"up_web_share_on": 1})"), false),
       [] { return Text(inmeeting::IsWebSharingByOther()); }, "true", "false"},
      {"IsWebSharingBySelf", Answered(id::kScreenShareModel, 26, true),
       [] { return Text(inmeeting::IsWebSharingBySelf()); }, "true", "false"},
      {"IsSelfDeviceWebShare", Platform([](MeetingFixture&) {
         veltosdk::MeetingSelfInfo self;
         self.valid = true;
         self.share_type = veltosdk::kShareTypeWeb;
         hostkit::SetSelfInfo(self);
       }),
       [] { return Text(inmeeting::IsSelfDeviceWebShare()); }, "true", "false"},
      {"IsWebSharingFolded", CallResult(id::kWebSharingModel, 12), [] { return Text(inmeeting::IsWebSharingFolded()); },
       "true", "false"},
      {"GetWebSharingUserInfo", Answered(id::kUserModel, 31, web_share, Json(R"({"up_web_share_on": "yes"})"), false),
       [] {
         Variant out = Variant::Map();
         inmeeting::GetWebSharingUserInfo(out);
         return out.ToJsonStr();
       },
       R"({"user_id":"u-1","instance_id":3,"app_uid":"a","unique_id":"q"})", "{}"},
      {"IsSharingWhiteboard", CallResult(id::kScreenShareModel, 69),
       [] { return Text(inmeeting::IsSharingWhiteboard()); }, "true", "false"},
      {"IsWhiteboardSignal", Answered(id::kScreenShareModel, 81, true),
       [] { return Text(inmeeting::IsWhiteboardSignal()); }, "true", "false"},
      {"IsSubwindowShare",
       Answered(id::kScreenShareModel, 90, Json(R"({"type": 2, "web_app_window_type": 0})"), Json(R"({"type": "2"})"),
                false),
       [] { return Text(inmeeting::IsSubwindowShare()); }, "true", "false"},
      {"IsNordilDocSharing", Answered(id::kWebSharingModel, 19, true),
       [] { return Text(inmeeting::IsNordilDocSharing()); }, "true", "false"},
      {"IsBexaDocSharing", Answered(id::kWebSharingModel, 20, true), [] { return Text(inmeeting::IsBexaDocSharing()); },
       "true", "false"},
      {"IsWebShareLocalRecordEnable", Answered(id::kServiceEntranceModel, 1, false, "no", false),
       [] { return Text(inmeeting::IsWebShareLocalRecordEnable()); }, "false", "true"},
      {"IsWebShareAndCloudRecording", None(),
       [] { return Text(inmeeting::IsWebShareAndCloudRecording(Json(R"({"up_web_share_on": true})"))); }, "false", ""},
  };
}

std::vector<Row> DeviceRows() {
  const Variant mic = Json(R"({"mic_accessible": true, "mic_state": 1})");
  const Variant mic_wrong = Json(R"({"mic_accessible": true, "mic_state": "1"})");
  return {
      {"AccessCamera",
       Answered(id::kCameraModel, 37, Json(R"({"camera_state": 1})"), Json(R"({"camera_state": "1"})"), false),
       [] { return Permission(true); }, "granted", "denied"},
      {"AccessMic", Answered(id::kAudioModel, 111, mic, mic_wrong), [] { return Permission(false); }, "granted",
       "denied"},
      {"OpenCamera", CallResult(id::kVideoModel, 51, true),
       [] {
         std::string result = "none";
         inmeeting::OpenCamera([&result] { result = "granted"; }, [&result] { result = "denied"; }, "table", 1);
         return result;
       },
       // Opening skips the permission question: whatever the video model says, it grants.
       "granted", "granted"},
      {"PushVideo", CallResult(10032, 143794946, true),
       [] {
         inmeeting::PushVideo(true, 3);
         return LastArgument(10032, 143794946);
       },
       R"({"on":true,"scene":3})", "none", R"({"on":true,"scene":3})"},
      {"IsCameraAccessible",
       Answered(id::kCameraModel, 37, Json(R"({"camera_accessible": true})"), Json(R"({"camera_accessible": 1})")),
       [] { return Text(inmeeting::IsCameraAccessible("table")); }, "true", "false"},
      {"IsMicAccessible", Answered(id::kAudioModel, 111, mic, mic_wrong),
       [] { return Text(inmeeting::IsMicAccessible("table", true)); }, "true", "false"},
      {"ShouldDisplayMicView", Fixture(id::kAudioModel, 111, mic_wrong),
       [] { return Text(inmeeting::ShouldDisplayMicView()); }, "true", "false"},
  };
}

std::vector<Row> RequestRows() {
  auto posted = [](std::function<void()> request) {
    return [request] {
      request();
      return LastArgument(id::kEventBusModel, 1);
    };
  };
  auto row = [](std::string name, std::function<std::string()> run, std::string request) {
    return Row{std::move(name), CallResult(id::kEventBusModel, 1, true), std::move(run), request, "none", request};
  };
  return {
      row("HandleEventBusForMeetingRequestEnterImmersiveMode",
          posted([] { inmeeting::HandleEventBusForMeetingRequestEnterImmersiveMode(true, Json(R"({"type": 2})")); }),
          R"({"event_id":12,"delay":true,"type":2})"),
      row("HandleEventBusForMeetingRequestLeaveImmersiveMode",
          posted([] { inmeeting::HandleEventBusForMeetingRequestLeaveImmersiveMode(true, false); }),
          R"({"event_id":13,"request_with_no_timer":true,"request_with_delay":false})"),
      row("HandleEventBusForMeetingRequestHideMeetingInfoTopBar",
          posted([] { inmeeting::HandleEventBusForMeetingRequestHideMeetingInfoTopBar(); }), R"({"event_id":133})"),
      row("HandleEventBusForMeetingRequestShowMeetingInfoTopBar",
          posted([] { inmeeting::HandleEventBusForMeetingRequestShowMeetingInfoTopBar(); }), R"({"event_id":134})"),
      row("HandleEventBusForMeetingRoomsRequestEnterImmersiveMode",
          posted([] { inmeeting::HandleEventBusForMeetingRoomsRequestEnterImmersiveMode("idle", false); }),
          R"({"event_id":12,"delay":false})"),
      row("HandleEventBusForMeetingRoomsRequestLeaveImmersiveMode",
          posted([] { inmeeting::HandleEventBusForMeetingRoomsRequestLeaveImmersiveMode("touch", false, true); }),
          R"({"event_id":13,"request_with_no_timer":false,"request_with_delay":true})"),
  };
}

std::vector<Row> FixedAnswerRows() {
  std::vector<Row> rows;
  const std::pair<const char*, bool (*)()> questions[] = {
      {"IsAirplaySharing", &inmeeting::IsAirplaySharing},
      {"IsAudioInterrupted", &inmeeting::IsAudioInterrupted},
      {"IsInQuickAirplayMeeting", &inmeeting::IsInQuickAirplayMeeting},
      {"IsInQuickPstnMeeting", &inmeeting::IsInQuickPstnMeeting},
      {"IsPhoneCalling", &inmeeting::IsPhoneCalling},
      {"IsPreviewCastSharing", &inmeeting::IsPreviewCastSharing},
      {"IsSpotlightVideoMode", &inmeeting::IsSpotlightVideoMode},
      {"IsSupportAudioInterruptAndResume", &inmeeting::IsSupportAudioInterruptAndResume},
      {"IsSupportShowOtherMemberAudioInterruptUI", &inmeeting::IsSupportShowOtherMemberAudioInterruptUI},
      {"IsThirdPartAppVisible", &inmeeting::IsThirdPartAppVisible},
      {"IsWebShareCloudRecordEnable", &inmeeting::IsWebShareCloudRecordEnable},
      {"ShouldRestartAudioWhenInterrupted", &inmeeting::ShouldRestartAudioWhenInterrupted},
  };
  for (const auto& [name, question] : questions) {
    rows.push_back({name, None(), [question = question] { return Fixed(question); }, "false", ""});
  }
  return rows;
}

QUERY_TABLE_TEST(InMeetingTable, MeetingState, "inmeeting", MeetingStateRows)

QUERY_TABLE_TEST(InMeetingTable, WindowsAndLayout, "inmeeting", WindowRows)

QUERY_TABLE_TEST(InMeetingTable, ViewsAndUsers, "inmeeting", ViewRows)

QUERY_TABLE_TEST(InMeetingTable, Sharing, "inmeeting", SharingRows)

QUERY_TABLE_TEST(InMeetingTable, Devices, "inmeeting", DeviceRows)

QUERY_TABLE_TEST(InMeetingTable, EventBusRequests, "inmeeting", RequestRows)

QUERY_TABLE_TEST(InMeetingTable, FixedAnswers, "inmeeting", FixedAnswerRows)

}  // namespace
