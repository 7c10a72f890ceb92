// velto::TabExtension: a tab that a module places into another module's tab container
// (velto::TabContributesViewModel). The container lists the tab from its properties
// (GetTabPropertites) and asks for the tab's content view only when the tab is chosen
// ("SetCurrentTabEvent") or made ahead of time ("PreCreateTabEvent"); after that the stored
// content is shown again without a new view.
//
//   class MeetingsTab : public velto::TabExtension {
//    protected:
//     framework::module::IModuleRuntime* GetModuleRuntime() override { return runtime_; }
//     int GetViewModelType() override { return kMeetingsTabViewModel; }
//     Variant GetTabPropertites(const Variant*) override { return Json(R"({"title": "Meetings", "position": 1})"); }
//     void OnTabSelected() override { ... }
//   };
//
// Event and command order for a tab chosen the first time: "SetCurrentTabEvent" -> view service
// makes the view -> "OnShowTabContentViewCommand" with the item (its "view"). Made ahead of time:
// "PreCreateTabEvent" -> view made -> "UpdateItemStatus" with only {"view"} ("view_type" in
// toolkit mode); the later "SetCurrentTabEvent" then shows the stored item.
#pragma once

#include "module_api/export.h"
#include "module_api/extension/module_extension.h"

namespace velto {

class VELTO_API TabExtension : public ModuleExtension {
 public:
  using ModuleExtension::ModuleExtension;

  // Also answers the three tab events (registered once, while not activated).
  void OnContributesActivate(int64_t handle, const Variant* params) override;
  void OnContributesUnActivate() override;

  bool content_created() const { return content_created_; }
  const Variant& current_item() const { return current_item_; }

 protected:
  void OnInit(const Variant* params) override;
  Variant GetExtensionPropertites(const Variant* in) override;
  void OnSetItem(const Variant* item) override;

  // The tab's properties ("title", "position", ...), published as "propertites".
  virtual Variant GetTabPropertites(const Variant* in) = 0;
  virtual void OnTabSelected();
  virtual void OnTabUnselected();

  void HandleSetCurrentTab(const Variant* in, Variant* out);
  void HandleInstantiateTab(const Variant* in, Variant* out);
  void HandleTabUnselected(const Variant* in, Variant* out);
  // Sends the tab's changed properties ("OnUpdateTabItemCommand"); `item` must be a map.
  void UpdateTabItem(Variant* item);

  // Published as "visible" with each item; set it before the item is sent.
  bool item_visible_ = true;

 private:
  bool content_created_ = false;
  bool from_instantiate_tab_ = false;
  Variant current_item_;
};

}  // namespace velto
