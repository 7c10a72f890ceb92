// velto::TabContributesViewModel: a tab container whose tabs other modules contribute
// (velto::TabExtension). On attach it lists the tabs of loaded modules, sorted by "position",
// and chooses the default tab; the view chooses tabs with action kSetCurrentTab and may have a
// tab made ahead of time with kInstantiateTab.
//
//   class InviteDialog : public velto::TabContributesViewModel {
//    public:
//     InviteDialog() : TabContributesViewModel("invite:contributes:tabs") {
//       SetDefaultExtensionId("invite:extension:copy_invite");
//     }
//    protected:
//     void OnTabSelected(const std::string& id) override { ReportTabExposure(id); }
//   };
//
// Choosing a tab (SetCurrentTab, or the action with {"extension_id"}): the current tab hears
// "TabUnselectedEvent", the new one "SetCurrentTabEvent" (both with "parent_view" = the view
// context); it becomes current when it answers with "OnShowTabContentViewCommand"
// (property kCurrentTab). Detaching the view deactivates the tabs.
#pragma once

#include <cstdint>
#include <string>

#include "base/variant/variant.h"
#include "framework/stateful_viewmodel.h"
#include "module_api/export.h"
#include "module_api/viewmodel/contributes_viewmodel.h"

namespace velto {

namespace tab_prop {
inline constexpr int kInsertTab = 0x20102000;     // the tab's item with "insert_index"
inline constexpr int kRemoveTab = 0x20102001;     // the removed tab's item
inline constexpr int kCurrentTab = 0x20102002;    // {"extension_id", "contributes_id", "view", ...}
inline constexpr int kUiInitParams = 0x20102003;  // GetUiInitParams()
inline constexpr int kUpdateTabItem = 0x20102004; // the tab's item after a properties update
}  // namespace tab_prop

namespace tab_action {
inline constexpr int kSetCurrentTab = 0x1010000;    // {"extension_id"[, "statistics_report_id"]}
inline constexpr int kInstantiateTab = 0x1010001;   // {"extension_id"[, "statistics_report_id"]}
}  // namespace tab_action

class VELTO_API TabContributesViewModel : public ContributesViewModelT<framework::StatefulViewModel, 0> {
 public:
  explicit TabContributesViewModel(const std::string& contributes_id);
  ~TabContributesViewModel() override;

  void OnViewAttached(const Variant* params) override;
  void OnViewDetached() override;
  // The two tab actions; a "statistics_report_id" in the params is reported first.
  void HandleAction(int action_id, const Variant* params) override;
  // The view's reference, 0 before attach.
  int64_t GetViewContext() override;
  // By "position" (the item's own, else its "propertites"'), ascending; tabs without one
  // keep their order after the others.
  void SortContributesDataSource() override;

  // Loads the tab with `item` as its parameters and announces it (kInsertTab).
  void InsertTab(const std::string& extension_id, const Variant& item);
  // Unloads a listed tab (kRemoveTab); the current one is replaced by the default.
  // `reserved` is accepted for compatibility and not used.
  void RemoveTab(const std::string& extension_id, bool reserved = false);
  // Chooses a listed tab; an unlisted id is logged.
  void SetCurrentTab(const std::string& extension_id);
  void SetDefaultExtensionId(const std::string& extension_id) { default_extension_id_ = extension_id; }
  const std::string& GetDefaultExtensionId() const { return default_extension_id_; }
  // Null when no tab is current.
  const Variant& current_tab() const { return current_tab_; }

 protected:
  virtual Variant GetUiInitParams();
  virtual void HandleSetCurrentTab(const Variant* params);
  virtual void HandleInstantiateTab(const Variant* params);
  virtual bool ShouldSelectDefaultWhenAttached();
  // Reports the invite dialog's tab choices ("e#meeting_invitation#select_invite_type#click");
  // other tabs report nothing. Call it from OnTabSelected where wanted.
  virtual void ReportTabExposure(const std::string& extension_id);
  virtual void OnTabUnselected(const std::string& extension_id);
  virtual void OnTabSelected(const std::string& extension_id);

  // The default tab when it is listed, else the first visible one.
  void SetInitDefaultTab();
  bool IsTabListed(const std::string& extension_id) const;
  void OnExtensionFailed(const std::string& extension_id) override;

 private:
  void OnShowTabContentView(const Variant* item);
  void OnUpdateTabItem(const Variant* item);

  Variant current_tab_;
  std::string default_extension_id_;
};

}  // namespace velto
