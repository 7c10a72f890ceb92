#include "framework/viewmodel/viewmodel_driver.h"

#include <string>
#include <utility>

#include "framework/module/module_interceptor_internal.h"
#include "framework/ui_viewmodel.h"
#include "framework/viewmodel/viewmodel_records.h"

namespace host_internal {
namespace {

int64_t NextViewRef() {
  static int64_t next = 0x1000;
  return next++;
}

std::string Describe(const framework::ViewModel& view_model) {
  return "view model " + std::to_string(reinterpret_cast<uintptr_t>(&view_model));
}

}  // namespace

bool ViewModelDriver::Attach(framework::ViewModel& view_model, const base::variant::Variant* params,
                             std::shared_ptr<const framework::Context> context) {
  if (view_model.attached_) {
    viewmodel::LogHost(3, __FILE__, __LINE__, __func__, Describe(view_model) + " is already attached");
    return false;
  }
  if (context) {
    view_model.context_ = std::move(context);
  } else if (!view_model.context_) {
    view_model.context_ = std::make_shared<framework::Context>(NextViewRef());
  }
  if (!view_model.created_) {
    view_model.created_ = true;
    view_model.OnViewCreated(params);
    interceptor::NotifyCreated(view_model);
  }
  view_model.attached_ = true;
  view_model.visible_ = true;
  auto* ui = dynamic_cast<framework::UIViewModel*>(&view_model);
  if (ui) ui->OnViewModelAttachedBefore(params);
  view_model.OnViewAttached(params);
  if (ui) ui->OnViewModelAttachedAfter(params);
  interceptor::NotifyAttached(view_model);
  return true;
}

bool ViewModelDriver::Detach(framework::ViewModel& view_model) {
  if (!view_model.attached_) {
    viewmodel::LogHost(3, __FILE__, __LINE__, __func__, Describe(view_model) + " is not attached");
    return false;
  }
  auto* ui = dynamic_cast<framework::UIViewModel*>(&view_model);
  if (ui) ui->OnViewModelDetachedBefore();
  view_model.OnViewDetached();
  view_model.ReleaseRecordedSubscriptions();
  view_model.attached_ = false;
  if (ui) ui->OnViewModelDetachedAfter();
  interceptor::NotifyDetached(view_model);
  return true;
}

void ViewModelDriver::Action(framework::ViewModel& view_model, int action_id, const base::variant::Variant* params) {
  interceptor::NotifyHandleAction(view_model, action_id);
  auto* ui = dynamic_cast<framework::UIViewModel*>(&view_model);
  if (ui) ui->OnViewModelHandleActionBefore(action_id, params);
  view_model.HandleAction(action_id, params);
  if (ui) ui->OnViewModelHandleActionAfter(action_id, params);
  interceptor::NotifyHandleActionAfter(view_model, action_id);
}

void ViewModelDriver::SetCustomParam(framework::ViewModel& view_model, const base::variant::Variant& value) {
  const base::variant::Variant* previous = viewmodel::CustomParam(&view_model);
  const base::variant::Variant old_value = previous ? *previous : base::variant::Variant();
  viewmodel::SetCustomParam(&view_model, value);
  view_model.OnCustomParamChanged(previous ? &old_value : nullptr, &value);
}

void ViewModelDriver::SetVisible(framework::ViewModel& view_model, bool visible) {
  const bool changed = view_model.attached_ && view_model.visible_ != visible;
  view_model.visible_ = visible;
  if (changed) interceptor::NotifyVisibleChanged(view_model, visible);
}

}  // namespace host_internal
