#include "module_api/extension/module_extension.h"

#include <utility>

#include "module_api/extension/extension_events.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "extension/extension_support.h"
#include "tbui/ext/tb_module_runtime.h"

namespace velto {
namespace {
using extension_support::IdText;
namespace ev = extension_event;
namespace command = extension_command;
}  // namespace

ModuleExtension::ModuleExtension() : ExtensionImpl(std::string(), framework::ExtensionInfo()) {}

ModuleExtension::ModuleExtension(const std::string& id, const framework::ExtensionInfo& info)
    : ExtensionImpl(id, info) {}

ModuleExtension::~ModuleExtension() {
  if (!activated_) return;
  VELTO_LOG(log::kFailure) << "extension unexpected destroyed: " << IdText(GetExtensionId())
                           << " contributesid: " << IdText(GetContributesId())
                           << ". Are you called UnActivateExtensions() in onViewDetached() ? ";
}

int64_t ModuleExtension::observer_id() const { return model::ObserverId(this); }

void ModuleExtension::OnContributesActivate(int64_t /*handle*/, const Variant* params) {
  if (activated_) {
    VELTO_LOG(log::kFailure) << "already activate:" << " extension:" << IdText(GetExtensionId());
    return;
  }
  activate_params_ = params ? *params : Variant();
  OnInit(params);
  RegisterEventHandler(ev::kGetItemInfo, [this](const Variant* in, Variant* out) { HandleGetItemInfo(in, out); });
  if (framework::Service* views = GetExtensionViewService()) {
    views->Subscribe(model_event::view_service::kItemSet, observer_id(),
                     extension_support::Guarded(this, [this](const Variant* item) { OnSetItem(item); }));
  }
  activated_ = true;
}

void ModuleExtension::OnContributesUnActivate() {
  UnRegisterEventHandler(ev::kGetItemInfo);
  if (framework::Service* views = GetExtensionViewService()) {
    views->Unsubscribe(model_event::view_service::kItemSet, observer_id());
  }
  OnUninit();
  activated_ = false;
}

void ModuleExtension::InnerHandleItem(Variant*) {}

void ModuleExtension::HandleGetItemInfo(const Variant* in, Variant* /*out*/) {
  const int32_t mode = in ? in->GetInt32("contributes_mode") : 0;
  switch (mode) {
    case 0: HandlePropertitesExtension(in); break;
    case 1: HandleControlExtension(in); break;
    default: VELTO_LOG(log::kFailure) << "unknown contributes_mode:" << mode; break;
  }
}

void ModuleExtension::OnUninit() {}

void ModuleExtension::InnerHandleGetItem(Variant*) {}

ModuleExtension::Variant ModuleExtension::GetExtensionPropertites(const Variant*) { return Variant(); }

std::string ModuleExtension::GetViewType(const std::string& extension_id) { return extension_id; }

bool ModuleExtension::IsItemOfThisExtension(const Variant& item) {
  return framework::LockExtension(item.Get("extension_ptr")).get() == static_cast<framework::IExtensionInterface*>(this);
}

void ModuleExtension::OnSetItem(const Variant* item) {
  if (!item || !IsItemOfThisExtension(*item)) return;
  Variant own = *item;
  own["visible"] = true;
  InnerHandleItem(&own);
  ExecuteCommand(command::kOnGetItemInfo, &own);
}

void ModuleExtension::UpdateItem(Variant&& item) {
  item["contributes_id"] = GetContributesId();
  item["extension_id"] = GetExtensionId();
  ExecuteCommand(command::kUpdateItemStatus, &item);
}

void ModuleExtension::UpdateItemStatus(bool visible) {
  Variant item = Variant::Map();
  item["visible"] = visible;
  UpdateItem(std::move(item));
}

bool ModuleExtension::GetItemIsVisible(bool default_visible) {
  const Variant& list = activate_params_.Get("visible_list");
  if (!list.IsArray() || list.empty()) return default_visible;
  const std::string_view id = GetExtensionId();
  for (const Variant& entry : list.Elements()) {
    if (entry.IsString() && entry.AsStringView() == id) return true;
  }
  return false;
}

framework::Service* ModuleExtension::GetExtensionViewService() {
  framework::module::IModuleRuntime* runtime = GetModuleRuntime();
  if (!runtime) return nullptr;
  framework::ServiceRegistry* registry = runtime->GetServiceRegistry();
  return registry ? registry->GetViewService() : nullptr;
}

ModuleExtension::Variant ModuleExtension::GetViewParams(const Variant* in) {
  Variant params = Variant::Map();
  params["contributes_id"] = GetContributesId();
  params["extension_id"] = GetExtensionId();
  params["parent_view"] = in ? in->GetInteger("parent_view") : int64_t{0};
  params["extension_ptr"] = framework::MakeExtensionRef(*this);
  params["vm_type"] = GetViewModelType();
  params["view_type"] = GetViewType(GetExtensionId());
  if (in && in->Has("extra_data")) {
    params["extra_data"] = in->Get("extra_data");
  } else if (activate_params_.Has("extra_data")) {
    params["extra_data"] = activate_params_.Get("extra_data");
  } else {
    params["extra_data"] = Variant();
  }
  return params;
}

void ModuleExtension::HandleControlExtension(const Variant* in) {
  Variant params = GetViewParams(in);
  InnerHandleGetItem(&params);
  if (tbui_mode()) {
    OnSetItem(&params);
    return;
  }
  framework::Service* views = GetExtensionViewService();
  if (!views) {
    VELTO_LOG(log::kFailure) << "get extension view service failed! service nullprt!";
    return;
  }
  if (params.Has("view_type")) {
    params["tbui_extension"] = tbui::ext::TBModuleRuntime::HasWidget(params.GetString("view_type"));
  }
  views->Call(model_command::view_service::kCreateView, &params, nullptr);
}

void ModuleExtension::HandlePropertitesExtension(const Variant* in) {
  // The host hands each handler a request of its own; the item is built on a copy of it so
  // that a request the caller keeps const stays untouched.
  Variant item = in && in->IsMap() ? *in : Variant::Map();
  item["propertites"] = GetExtensionPropertites(in);
  item["contributes_id"] = GetContributesId();
  item["extension_id"] = GetExtensionId();
  item["visible"] = true;
  item["vm_type"] = GetViewModelType();
  item["extension_ptr"] = framework::MakeExtensionRef(*this);
  InnerHandleItem(&item);
  ExecuteCommand(command::kOnGetItemInfo, &item);
}

}  // namespace velto
