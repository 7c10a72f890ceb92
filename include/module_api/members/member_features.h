// Member-list features the client configures, and the member picker page.
//
//   if (velto_common::utils::member::GetExportMembersEntryEnable()) ShowExportButton();
//   velto_common::utils::member::OpenSelectMembersPanel(context, open_app_id, /*in_sidebar=*/true,
//       args, [](const base::variant::Variant& picked) { ... });
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/variant/variant.h"
#include "framework/context.h"
#include "module_api/export.h"

namespace velto_common::utils::member {

// Configuration items (service entrance model): "inmeeting" "multi_device_member_list_icon_type"
// (0 when unset), "inmeeting" "waiting_user_rename", "inmeeting" "allow_look_audience_count",
// "meeting" "export_members_entry".
VELTO_API int32_t GetMultiDeviceIconType();
VELTO_API bool IsWaitingUserRename();
VELTO_API bool GetLookAudienceCountAbility();
VELTO_API bool GetExportMembersEntryEnable();

// Asks the user model to fetch the organization details ("org_info_txt", "company_name", ...)
// of these users again; their records then arrive through the usual update event.
VELTO_API bool RefreshUserOrgInfo(const std::vector<std::string>& user_ids);

// The meeting type the schedule page starts with: the type last chosen (client setting
// "schedule.meeting.type") when the schedule model still offers it to this account, else 0.
VELTO_API int32_t ResolveScheduleMeetingType();

// Opens the member picker for an open app, in the in-meeting window or in the sidebar; `on_done`
// gets the page's result (the picked members) when it closes. An empty `open_app_id` opens
// nothing and logs "open select members panel failed! open_app_id empty.".
VELTO_API void OpenSelectMembersPanel(std::shared_ptr<const framework::Context> context,
                                      const std::string& open_app_id, bool in_sidebar,
                                      const base::variant::Variant& arguments,
                                      std::function<void(const base::variant::Variant& result)> on_done = nullptr);

}  // namespace velto_common::utils::member
