#include "module_api/members/member_features.h"

#include <utility>

#include "framework/module/navigator.h"
#include "module_api/log.h"
#include "module_api/model/config_reader.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::member {

using velto::model::Variant;

namespace {

using velto::model_command::user::kRefreshOrgInfo;
using velto::model_command::schedule::kScheduleTypeOffered;
constexpr char kScheduleMeetingTypeKey[] = "schedule.meeting.type";
constexpr char kSelectMembersPage[] = "velto://page/inmeeting/member/select_members";
// The containers the picker can open in.
constexpr char kInMeetingContainer[] = "inmeeting_container";
constexpr char kSidebarContainer[] = "sidebar_container";

}  // namespace

int32_t GetMultiDeviceIconType() {
  return velto::model::ReadConfigurationItem("inmeeting", "multi_device_member_list_icon_type", int32_t{0});
}

bool IsWaitingUserRename() { return velto::model::ReadConfigurationItem("inmeeting", "waiting_user_rename", false); }

bool GetLookAudienceCountAbility() {
  return velto::model::ReadConfigurationItem("inmeeting", "allow_look_audience_count", false);
}

bool GetExportMembersEntryEnable() {
  return velto::model::ReadConfigurationItem("meeting", "export_members_entry", false);
}

bool RefreshUserOrgInfo(const std::vector<std::string>& user_ids) {
  if (user_ids.empty()) return false;
  Variant argument = Variant::Map();
  Variant& list = argument["user_id_list"];
  list = Variant::Array();
  for (const std::string& user_id : user_ids) list.Add(user_id);
  return velto::model::Call(velto::model_id::kUserModel, kRefreshOrgInfo, &argument, nullptr);
}

int32_t ResolveScheduleMeetingType() {
  const int32_t last = velto::model::ReadClientSetting(kScheduleMeetingTypeKey, int32_t{0});
  if (last == 0) return 0;
  Variant argument = Variant::Map();
  argument["meeting_type"] = last;
  // An account that lost the type (a lapsed licence) falls back to an ordinary meeting.
  return velto::model::QueryValue<bool>(velto::model_id::kScheduleModel, kScheduleTypeOffered, &argument, {}, false)
             ? last
             : 0;
}

void OpenSelectMembersPanel(std::shared_ptr<const framework::Context> context, const std::string& open_app_id,
                            bool in_sidebar, const Variant& arguments,
                            std::function<void(const Variant& result)> on_done) {
  if (open_app_id.empty()) {
    VELTO_LOG(velto::log::kFailure) << "open select members panel failed! open_app_id empty.";
    return;
  }
  Variant page_arguments = arguments.IsMap() ? arguments : Variant::Map();
  page_arguments["open_app_id"] = open_app_id;
  auto result = framework::module::Navigator::Of(std::move(context), framework::PageStack::kWindow)
                    .Push(kSelectMembersPage, in_sidebar ? kSidebarContainer : kInMeetingContainer, page_arguments);
  if (on_done) result.Then(std::move(on_done));
}

}  // namespace velto_common::utils::member
