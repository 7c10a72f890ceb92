#include "framework/ui_viewmodel.h"

#include "base/threading/looper.h"
#include "framework/resource.h"
#include "framework/viewmodel/viewmodel_records.h"

namespace framework {

UIViewModel::~UIViewModel() {
  host_internal::viewmodel::DisposeAlertsOf(this);
  host_internal::viewmodel::DisposeLoading(this);
}

void UIViewModel::OnViewModelAttachedBefore(const Variant*) {}
void UIViewModel::OnViewModelAttachedAfter(const Variant*) {}
void UIViewModel::OnViewModelDetachedBefore() {}
void UIViewModel::OnViewModelDetachedAfter() {}
void UIViewModel::OnViewModelHandleActionBefore(int, const Variant*) {}
void UIViewModel::OnViewModelHandleActionAfter(int, const Variant*) {}

std::string UIViewModel::GetLocalizedString(int32_t string_id) const {
  return Resource::GetInstance()->GetString(string_id);
}

StringFormatter UIViewModel::FormatString(int32_t string_id) const {
  return StringFormatter(GetLocalizedString(string_id));
}

void UIViewModel::ShowToast(const std::string& text, int type, int duration_ms, int flags, const std::string& icon,
                            const std::string& extra) {
  framework::ToastRecord toast;
  toast.text = text;
  toast.type = type;
  toast.duration_ms = duration_ms;
  toast.flags = flags;
  toast.icon = icon;
  toast.extra = extra;
  toast.owner = this;
  toast.shown_at_ms = base::threading::NowTicksMs();
  host_internal::viewmodel::RecordToast(std::move(toast));
}

int64_t UIViewModel::ShowLoading(const std::string& text) { return host_internal::viewmodel::ShowLoading(this, text); }

void UIViewModel::DisposeLoading() { host_internal::viewmodel::DisposeLoading(this); }

void UIViewModel::DisposeAlert(int64_t alert_id) { host_internal::viewmodel::DisposeAlert(alert_id, this); }

void UIViewModel::DisposeAllAlerts() { host_internal::viewmodel::DisposeAlertsOf(this); }

module::Navigator UIViewModel::Navigate(PageStack page_stack) const {
  return module::Navigator::Of(context(), page_stack);
}

base::threading::Future<Variant> UIViewModel::Navigate(const std::string& page, const Variant& arguments,
                                                       PageStack page_stack) const {
  return Navigate(page_stack).Push(page, arguments);
}

}  // namespace framework
