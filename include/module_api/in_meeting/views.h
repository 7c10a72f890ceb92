// What the big and small views show, and the video model's user lists.
//
//   const base::variant::Variant* users = inmeeting::GetUserListPtrInMeeting();
//   for (const auto& user : users ? users->Elements() : std::span<const base::variant::Variant>()) ...
//
// The list pointers refer to lists the video model owns: read them right away and never keep
// them past the next model event.
#pragma once

#include <cstdint>

#include "base/variant/variant.h"
#include "module_api/export.h"
#include "module_api/in_meeting/in_meeting_types.h"
#include "module_api/video_stream/video_stream_types.h"

namespace velto_common::utils::inmeeting {

// The kind of the stream in the window's big (small) view; unknown when it cannot tell.
VELTO_API velto::video_stream::StreamType GetBigViewStreamType(velto::InMeetingWindow::WindowType window);
VELTO_API velto::video_stream::StreamType GetSmallViewStreamType(velto::InMeetingWindow::WindowType window);
VELTO_API bool BigViewIsScreen(velto::InMeetingWindow::WindowType window);
VELTO_API bool SmallViewIsScreen(velto::InMeetingWindow::WindowType window);
// The big view shows the local user (its own "self", else the user's record).
VELTO_API bool IsBigViewSelf(velto::InMeetingWindow::WindowType window);

// The video model's lists ("user_info_list"); null when it cannot answer.
VELTO_API const base::variant::Variant* GetUserListPtrInMeeting();
VELTO_API const base::variant::Variant* GetVisibleUserListPtrInMeeting();
VELTO_API const base::variant::Variant* GetNeedHideUserListPtrInMeeting();
VELTO_API const base::variant::Variant* GetRawUserListPtrInMeeting();
VELTO_API const base::variant::Variant* GetFirstPageUserListPtrInMeeting();
// The user the video model ranks first for `argument` ("user_index"); null when none.
VELTO_API const base::variant::Variant* GetHighestPriorityUserPtrInMeeting(const base::variant::Variant& argument);
VELTO_API uint32_t GetUserListCountInMeeting();
VELTO_API uint32_t GetNeedHideUserCountInMeeting();
VELTO_API uint32_t GetVideoUserCount();
VELTO_API bool IsUserVisibleInMeeting(const base::variant::Variant& user);
// A user record whose user shows a picture.
VELTO_API bool IsVideoUser(const base::variant::Variant& user);
VELTO_API bool NeedHideNoVideoMeetingUser();
VELTO_API bool NeedHideSelf();
VELTO_API bool GetHideSelfSwitchVisible();
VELTO_API bool IsSelfVideoOn();
VELTO_API bool IsSelfSubVideoOn();
// Some screen stream comes in from another user.
VELTO_API bool HasOtherScreenShareUser();
VELTO_API bool IsSubVideoOnAdaptPreviewCast();

}  // namespace velto_common::utils::inmeeting
