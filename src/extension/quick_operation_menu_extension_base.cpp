#include "module_api/extension/quick_operation_menu_extension_base.h"

#include <utility>

#include "framework/module/module.h"
#include "module_api/members/member_utils.h"
#include "module_api/members/webinar_utils.h"
#include "module_api/model_ids.h"

namespace velto {
namespace {
namespace member = velto_common::utils::member;
namespace webinar = velto_common::utils::webinar;
}  // namespace

QuickOperationMenuExtensionBase::QuickOperationMenuExtensionBase(std::string user_id, std::string menu_context)
    : user_id_(std::move(user_id)), menu_context_(std::move(menu_context)) {}

QuickOperationMenuExtensionBase::~QuickOperationMenuExtensionBase() = default;

bool QuickOperationMenuExtensionBase::ExtensionVisible() {
  return member::IsUserSelf(user_id_) ? ExtensionVisibleForSelf() : ExtensionVisibleForOther();
}

bool QuickOperationMenuExtensionBase::ExtensionVisibleForOther() {
  return ExtensionVisibleByRole(GetSelfRoleIndex(), GetUserRoleIndex());
}

int QuickOperationMenuExtensionBase::GetSelfRoleIndex() {
  if (member::IsSelfHost()) return kRoleHost;
  if (member::IsSelfCoHost()) return kRoleCoHost;
  if (webinar::SelfIsAttendee()) return kRoleAttendee;
  return kRoleOther;
}

int QuickOperationMenuExtensionBase::GetUserRoleIndex() {
  const auto& record = member::GetUserInfo(framework::module::GetAppModuleModel(model_id::kUserModel), user_id_);
  if (member::IsUserOnlyHost(record)) return kRoleHost;
  if (member::IsUserOnlyCohost(record)) return kRoleCoHost;
  if (webinar::UserIsAttendee(user_id_)) return kRoleAttendee;
  return kRoleOther;
}

}  // namespace velto
