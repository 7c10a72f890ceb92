// What the camera exception alert says and which action each of its buttons carries.
#include <string>

#include "framework/string_formatter.h"
#include "model/ui_data_target.h"
#include "module_api/app_context.h"
#include "module_api/log.h"
#include "module_api/runtime.h"
#include "module_api/video/video_exception.h"
#include "utils/video/video_exception_internal.h"

namespace velto_common::utils::video_exception {

using base::variant::Variant;

namespace {

constexpr int kGuide = 0x56B00028;
constexpr int kKeyWord = 0x56B00029;
constexpr int kCancelName = 0x56B00030;
constexpr int kUnderstoodName = 0x56B00031;

constexpr int32_t kIconWarning = 1;
constexpr int32_t kIconPermission = 2;

struct Layout {
  int title;
  int content;
  ActionType main;
  ActionType sub;
  int32_t icon;
};

const Layout* LayoutFor(int32_t error) {
  static const Layout kNoPermission{0x56B00020, 0x56B00021, kActionUnderstood, kActionNone, kIconPermission};
  static const Layout kStartFailed{0x56B00022, 0x56B00023, kActionUnderstood, kActionCancel, kIconWarning};
  static const Layout kOccupied{0x56B00026, 0x56B00027, kActionUnderstood, kActionCancel, kIconWarning};
  switch (error) {
    case video::kVideoDeviceFailedNoPermission:
      return &kNoPermission;
    case video::kVideoDeviceFailedStart:
      return &kStartFailed;
    case video::kVideoDeviceFailedOccupied:
      return &kOccupied;
    default:
      return nullptr;
  }
}

int ActionNameId(ActionType action) {
  switch (action) {
    case kActionCancel:
      return kCancelName;
    case kActionUnderstood:
      return kUnderstoodName;
    default:
      return 0;
  }
}

}  // namespace

bool GetVideoExceptionUIInfo(framework::UIViewModel* view_model, int32_t /*scene*/, Variant& out, const Variant& in) {
  if (!velto_common::utils::internal::CheckUIDataTarget(view_model, out)) return false;
  video::VideoDeviceState state;
  if (!internal::CurrentException(state)) {
    VELTO_LOG(velto::log::kFailure) << "cannot get video exception";
    return false;
  }
  const Layout* layout = LayoutFor(state.GetErrorType());
  if (!layout) {
    VELTO_LOG(velto::log::kFailure) << "error type invalid";
    return false;
  }
  const std::string app_name = context::GetAppName();
  const std::string device_name = in.GetString("device_name", state.GetDeviceId());
  auto text = [&](int id) {
    if (!id) return std::string();
    return framework::StringFormatter(GetLocalizedString(id))
        .Arg("app_name", app_name)
        .Arg("device_name", device_name)
        .Str();
  };
  out["title"] = text(layout->title);
  out["content"] = text(layout->content);
  out["guide"] = text(kGuide);
  out["key_word"] = text(kKeyWord);
  out["key_word_action_type"] = static_cast<int32_t>(kActionTroubleshooting);
  out["main_action_name"] = text(ActionNameId(layout->main));
  out["main_action_type"] = static_cast<int32_t>(layout->main);
  out["sub_action_name"] = text(ActionNameId(layout->sub));
  out["sub_action_type"] = static_cast<int32_t>(layout->sub);
  out["icon_type"] = layout->icon;
  out["close_action_type"] = static_cast<int32_t>(kActionClose);
  out["device_id"] = state.GetDeviceId();
  out["device_status"] = static_cast<int32_t>(state.GetDeviceState());
  out["error_type"] = static_cast<int32_t>(state.GetErrorType());
  return true;
}

}  // namespace velto_common::utils::video_exception
