// What the views show, and the video model's user lists.
#include <string>

#include "framework/module/module.h"
#include "module_api/in_meeting/in_meeting_utils.h"
#include "module_api/log.h"
#include "module_api/members/member_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::inmeeting {

using velto::model::Variant;
using velto::video_stream::StreamType;

namespace cmd {
using velto::model_command::window::kBigView;
using velto::model_command::window::kSmallView;
using velto::model_command::video::kUserList;
using velto::model_command::video::kHighestPriorityUser;
using velto::model_command::video::kFirstPageUserList;
using velto::model_command::video::kVisibleUserList;
using velto::model_command::video::kNeedHideUserList;
using velto::model_command::video::kUserVisible;
using velto::model_command::video::kRawUserList;
using velto::model_command::video_user_count::kVideoUserCount;
using velto::model_command::hide_video::kHideNoVideoUser;
using velto::model_command::hide_video::kHideSelf;
using velto::model_command::hide_video::kHideSelfSwitchVisible;
}  // namespace cmd

namespace {

StreamType ViewStreamType(WindowType window, int command) {
  const std::string stream_id =
      velto::model::QueryAnswer(ModelTypeForWindowType(window), command).GetString("stream_id");
  if (stream_id.empty()) return velto::video_stream::kStreamTypeUnknown;
  return velto::video_stream::GetStreamType(stream_id);
}

// The pointer the video model stores under `key`; null (logged) when the answer has none.
const Variant* PointerIn(int command, const Variant* argument, const char* key,
                         const base::Location& from = base::Location::Current()) {
  Variant answer;
  if (!velto::model::Call(velto::model_id::kVideoModel, command, argument, &answer, from)) return nullptr;
  const Variant* pointer = velto::model::Walk(answer, {key});
  if (!pointer || !pointer->IsPointer()) {
    velto::model::LogWrongKind(velto::model_id::kVideoModel, command, {key}, from);
    return nullptr;
  }
  return static_cast<const Variant*>(pointer->AsPointer());
}

uint32_t ListLength(const Variant* list) { return list && list->IsArray() ? static_cast<uint32_t>(list->size()) : 0; }

bool AnyIncomingScreenStream() {
  const Variant* streams = velto::video_stream::GetStreamInfoMapPtr();
  if (!streams) return false;
  for (size_t i = 0; i < streams->size(); ++i) {
    if (velto::video_stream::IsScreenStreamIn(std::string(streams->KeyAt(i)))) return true;
  }
  return false;
}

}  // namespace

StreamType GetBigViewStreamType(WindowType window) { return ViewStreamType(window, cmd::kBigView); }

StreamType GetSmallViewStreamType(WindowType window) { return ViewStreamType(window, cmd::kSmallView); }

bool BigViewIsScreen(WindowType window) {
  return GetBigViewStreamType(window) == velto::video_stream::kStreamTypeScreen;
}

bool SmallViewIsScreen(WindowType window) {
  return GetSmallViewStreamType(window) == velto::video_stream::kStreamTypeScreen;
}

bool IsBigViewSelf(WindowType window) {
  const Variant view = velto::model::QueryAnswer(ModelTypeForWindowType(window), cmd::kBigView);
  if (!view.IsMap() || !view.Has("user_id")) return false;
  if (view.Has("self")) return view.GetBoolean("self", false);
  framework::Model* users = framework::module::GetAppModuleModel(velto::model_id::kUserModel);
  const Variant& record = member::GetUserInfo(users, view.GetString("user_id"));
  return record.IsMap() && record.GetBoolean("self", false);
}

const Variant* GetUserListPtrInMeeting() { return PointerIn(cmd::kUserList, nullptr, "user_info_list"); }

const Variant* GetVisibleUserListPtrInMeeting() { return PointerIn(cmd::kVisibleUserList, nullptr, "user_info_list"); }

const Variant* GetNeedHideUserListPtrInMeeting() {
  return PointerIn(cmd::kNeedHideUserList, nullptr, "user_info_list");
}

const Variant* GetRawUserListPtrInMeeting() { return PointerIn(cmd::kRawUserList, nullptr, "user_info_list"); }

const Variant* GetFirstPageUserListPtrInMeeting() {
  return PointerIn(cmd::kFirstPageUserList, nullptr, "user_info_list");
}

const Variant* GetHighestPriorityUserPtrInMeeting(const Variant& argument) {
  return PointerIn(cmd::kHighestPriorityUser, &argument, "user_index");
}

uint32_t GetUserListCountInMeeting() { return ListLength(GetUserListPtrInMeeting()); }

uint32_t GetNeedHideUserCountInMeeting() { return ListLength(GetNeedHideUserListPtrInMeeting()); }

uint32_t GetVideoUserCount() {
  return velto::model::QueryValue<uint32_t>(velto::model_id::kVideoUserCountModel, cmd::kVideoUserCount, nullptr, {},
                                            0);
}

bool IsUserVisibleInMeeting(const Variant& user) {
  return velto::model::Ask(velto::model_id::kVideoModel, cmd::kUserVisible, &user);
}

bool IsVideoUser(const Variant& user) { return user.IsMap() && member::IsPureVideoAvailable(user); }

bool NeedHideNoVideoMeetingUser() { return velto::model::Ask(velto::model_id::kHideVideoModel, cmd::kHideNoVideoUser); }

bool NeedHideSelf() { return velto::model::Ask(velto::model_id::kHideVideoModel, cmd::kHideSelf); }

bool GetHideSelfSwitchVisible() {
  Variant argument = Variant::Map();
  argument["hide_switch_type"] = 1;
  return velto::model::Ask(velto::model_id::kHideVideoModel, cmd::kHideSelfSwitchVisible, &argument);
}

bool IsSelfVideoOn() { return member::GetSelfInfo().GetBoolean("video", false); }

bool IsSelfSubVideoOn() { return member::GetSelfInfo().GetBoolean("screen", false); }

bool HasOtherScreenShareUser() { return AnyIncomingScreenStream(); }

bool IsSubVideoOnAdaptPreviewCast() { return AnyIncomingScreenStream(); }

}  // namespace velto_common::utils::inmeeting
