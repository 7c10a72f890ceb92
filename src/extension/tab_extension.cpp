#include "module_api/extension/tab_extension.h"

#include <utility>

#include "module_api/extension/extension_events.h"
#include "module_api/log.h"

namespace velto {
namespace {
namespace ev = extension_event;
namespace command = extension_command;
}  // namespace

void TabExtension::OnContributesActivate(int64_t handle, const Variant* params) {
  if (!activated()) {
    RegisterEventHandler(ev::kSetCurrentTabEvent, [this](const Variant* in, Variant* out) { HandleSetCurrentTab(in, out); });
    RegisterEventHandler(ev::kPreCreateTabEvent, [this](const Variant* in, Variant* out) { HandleInstantiateTab(in, out); });
    RegisterEventHandler(ev::kTabUnselectedEvent, [this](const Variant* in, Variant* out) { HandleTabUnselected(in, out); });
  }
  ModuleExtension::OnContributesActivate(handle, params);
}

void TabExtension::OnContributesUnActivate() {
  UnRegisterEventHandler(ev::kSetCurrentTabEvent);
  UnRegisterEventHandler(ev::kPreCreateTabEvent);
  UnRegisterEventHandler(ev::kTabUnselectedEvent);
  ModuleExtension::OnContributesUnActivate();
}

void TabExtension::OnInit(const Variant*) {}

TabExtension::Variant TabExtension::GetExtensionPropertites(const Variant* in) { return GetTabPropertites(in); }

void TabExtension::OnTabSelected() {}

void TabExtension::OnTabUnselected() {}

void TabExtension::HandleSetCurrentTab(const Variant* in, Variant*) {
  if (!content_created_) {
    HandleControlExtension(in);
  } else {
    ExecuteCommand(command::kOnShowTabContentViewCommand, &current_item_);
  }
  OnTabSelected();
}

void TabExtension::HandleInstantiateTab(const Variant* in, Variant*) {
  if (content_created_) return;
  from_instantiate_tab_ = true;
  HandleControlExtension(in);
}

void TabExtension::HandleTabUnselected(const Variant*, Variant*) { OnTabUnselected(); }

void TabExtension::OnSetItem(const Variant* item) {
  const Variant& seen = item ? *item : Variant::EmptyVariant();
  VELTO_LOG(log::kTrace) << "item contributes:" << seen.GetString("contributes_id")
                         << " contributes:" << GetContributesId() << " item extension:"
                         << seen.GetString("extension_id") << " extension:" << GetExtensionId()
                         << ", from_instantiate_tab:" << from_instantiate_tab_;
  if (!item || !IsItemOfThisExtension(*item)) return;
  Variant own = *item;
  own["visible"] = item_visible_;
  InnerHandleItem(&own);
  if (!from_instantiate_tab_) {
    ExecuteCommand(command::kOnShowTabContentViewCommand, &own);
  } else {
    // Made ahead of time: the container learns of the view but does not show it.
    Variant update = Variant::Map();
    if (!tbui_mode()) {
      update["view"] = own.Get("view");
    } else {
      update["view_type"] = own.Get("view_type");
    }
    UpdateItem(std::move(update));
    from_instantiate_tab_ = false;
  }
  content_created_ = true;
  current_item_ = std::move(own);
}

void TabExtension::UpdateTabItem(Variant* item) {
  if (!item || !item->IsMap()) {
    VELTO_LOG(log::kFailure) << "param is nullptr or not map";
    return;
  }
  (*item)["extension_id"] = GetExtensionId();
  ExecuteCommand(command::kOnUpdateTabItemCommand, item);
}

}  // namespace velto
