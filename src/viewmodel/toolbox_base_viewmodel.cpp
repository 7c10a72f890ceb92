#include "module_api/viewmodel/toolbox_base_viewmodel.h"

#include "module_api/analytics.h"
#include "module_api/log.h"

namespace velto {
namespace {

using base::variant::Variant;

constexpr const char* kHandlerNames[] = {"PopMenuOpenEvent", "PopMenuCloseEvent", "PopTipsClickEvent",
                                         "PopTipsLabelClickEvent"};
constexpr char kTipsItemIdKey[] = "ToolBoxShowTipsFields_kIntegerTipsDataTipsItemId";

}  // namespace

ToolBoxBaseViewModel::ToolBoxBaseViewModel() = default;

ToolBoxBaseViewModel::~ToolBoxBaseViewModel() { UnregisterHandlers(); }

std::weak_ptr<framework::extension::ExtensionImpl> ToolBoxBaseViewModel::GetModuleExtensionInterface() const {
  return std::dynamic_pointer_cast<framework::extension::ExtensionImpl>(GetExtension().lock());
}

void ToolBoxBaseViewModel::OnViewAttached(const Variant* params) {
  ExtensionViewModelT<framework::StatefulViewModel, 0>::OnViewAttached(params);
  if (auto extension = GetModuleExtensionInterface().lock()) {
    extension->RegisterEventHandler(kHandlerNames[0], [this](const Variant* in, Variant* out) { HandlePopMenuOpen(in, out); });
    extension->RegisterEventHandler(kHandlerNames[1],
                                    [this](const Variant* in, Variant* out) { HandlePopMenuClose(in, out); });
    extension->RegisterEventHandler(kHandlerNames[2], [this](const Variant* in, Variant* out) { HandleTipsClick(in, out); });
    extension->RegisterEventHandler(kHandlerNames[3],
                                    [this](const Variant* in, Variant* out) { HandleTipsLabelClick(in, out); });
    listening_to_ = extension;
  }
  UpdateBaseItemUi();
  if (NeedRedDod()) RedDotInfoRegister();
}

void ToolBoxBaseViewModel::OnViewDetached() {
  UnregisterHandlers();
  ExtensionViewModelT<framework::StatefulViewModel, 0>::OnViewDetached();
}

void ToolBoxBaseViewModel::UnregisterHandlers() {
  auto extension = listening_to_.lock();
  listening_to_.reset();
  if (!extension) return;
  for (const char* name : kHandlerNames) extension->UnRegisterEventHandler(name);
}

void ToolBoxBaseViewModel::HandleAction(int action_id, const Variant* params) {
  if (params && params->IsMap()) {
    if (const Variant* report = params->Find("statistics_report_id"); report && report->IsString()) {
      velto_common::utils::analytics::LogEvent(report->AsStr());
    }
  }
  if (action_id == toolbox_action::kItemClick) HandleBaseItemClickAction(params);
}

void ToolBoxBaseViewModel::OnCustomParamChanged(const Variant* /*old_value*/, const Variant* new_value) {
  if (new_value && !new_value->IsNull()) custom_params_ = *new_value;
}

std::string ToolBoxBaseViewModel::GetContributesId() {
  const Variant* id = custom_params_.Find("contributes_id");
  if (id && id->IsString()) return id->AsStr();
  VELTO_LOG(log::kFailure) << "extension_id is invalid.";
  return {};
}

std::string ToolBoxBaseViewModel::GetItemIcon() { return {}; }

bool ToolBoxBaseViewModel::IsItemVisible() { return true; }

std::string ToolBoxBaseViewModel::GetRedDodPath() { return {}; }

bool ToolBoxBaseViewModel::NeedRedDod() { return false; }

void ToolBoxBaseViewModel::TipsItemClickAction(const Variant* /*data*/) {}

void ToolBoxBaseViewModel::PopMenuVisible(bool /*visible*/) {}

void ToolBoxBaseViewModel::TipsLabelClickAction(const Variant* /*data*/) {}

void ToolBoxBaseViewModel::UpdateBaseItemUi() {
  const std::string title = GetItemTitle();
  Variant info = Variant::Map();
  info["ToolBoxBaseItemUpdateItemInfoFields_kBooleanItemInfoEnable"] = true;
  info["ToolBoxBaseItemUpdateItemInfoFields_kBooleanItemInfoVisible"] = IsItemVisible();
  if (NeedRedDod()) info["ToolBoxBaseItemUpdateItemInfoFields_kStringItemInfoRedDotPath"] = GetRedDodPath();
  info["ToolBoxBaseItemUpdateItemInfoFields_kStringItemInfoTitle"] = title;
  info["ToolBoxBaseItemUpdateItemInfoFields_kStringItemInfoDisableTipsText"] = title;
  info["ToolBoxBaseItemUpdateItemInfoFields_kStringItemInfoIcon"] = GetItemIcon();
  info["ToolBoxBaseItemUpdateItemInfoFields_kStringItemInfoExtensionId"] = GetExtensionId();
  SetPropValue(toolbox_prop::kItemInfo, info);
}

void ToolBoxBaseViewModel::UpdateItemTitle(const std::string& title) {
  Variant fields = Variant::Map();
  fields["ToolBoxBaseItemUpdateItemTitleFields_kStringTitle"] = title;
  SetPropValue(toolbox_prop::kItemTitle, fields);
}

void ToolBoxBaseViewModel::UpdatePopMenuVisible(bool visible) { SetPropValue(toolbox_prop::kPopMenuVisible, visible); }

void ToolBoxBaseViewModel::HandleBaseItemClickAction(const Variant* params) {
  HandleItemClickAction(params);
  ClosePopMenuCommand();
}

void ToolBoxBaseViewModel::HandlePopMenuOpen(const Variant* /*data*/, Variant* /*result*/) {
  UpdatePopMenuVisible(true);
  PopMenuVisible(true);
}

void ToolBoxBaseViewModel::HandlePopMenuClose(const Variant* /*data*/, Variant* /*result*/) {
  UpdatePopMenuVisible(false);
  PopMenuVisible(false);
}

bool ToolBoxBaseViewModel::IsForThisItem(const Variant* data) {
  const Variant* item_id = data ? data->Find(kTipsItemIdKey) : nullptr;
  if (!item_id) return false;
  // The id comes as text, or as a number for items whose extension ids are numbers.
  if (item_id->IsString()) return item_id->AsStringView() == GetExtensionId();
  return item_id->IsInteger() && std::to_string(item_id->AsInteger()) == GetExtensionId();
}

void ToolBoxBaseViewModel::HandleTipsClick(const Variant* data, Variant* /*result*/) {
  if (IsForThisItem(data)) TipsItemClickAction(data);
}

void ToolBoxBaseViewModel::HandleTipsLabelClick(const Variant* data, Variant* /*result*/) {
  if (IsForThisItem(data)) TipsLabelClickAction(data);
}

void ToolBoxBaseViewModel::ClosePopMenuCommand() {
  if (auto extension = GetModuleExtensionInterface().lock()) extension->ExecuteCommand("ClosePopMenuCmd", nullptr);
}

void ToolBoxBaseViewModel::ShowTips(const Variant* data) {
  if (auto extension = GetModuleExtensionInterface().lock()) extension->ExecuteCommand("ShowPopTips", data);
}

void ToolBoxBaseViewModel::RedDotInfoRegister() {
  auto extension = GetModuleExtensionInterface().lock();
  if (!extension) return;
  Variant info = Variant::Map();
  info["extension_id"] = GetExtensionId();
  info["path"] = GetRedDodPath();
  extension->ExecuteCommand("OnUpdateRedDotInfo", &info);
}

}  // namespace velto
