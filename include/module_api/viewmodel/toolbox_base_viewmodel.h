// velto::ToolBoxBaseViewModel: the base of every item a module contributes to the in-meeting
// toolbox: a button with an icon, a title, a red dot, a pop-up menu and tips. It talks to its
// container only through its extension (commands out, events in) and to its view through
// properties. A subclass supplies the title, the extension id and the click:
//
//   class RecordItem : public velto::ToolBoxBaseViewModel {
//     void HandleItemClickAction(const Variant*) override { StartRecording(); }
//     std::string GetItemTitle() override { return GetLocalizedString(kRecordTitle); }
//     std::string GetExtensionId() override { return "record:extension:toolbox_item"; }
//   };
//
// The view model is made with the item's view params ("extension_ptr"), so that it finds its
// extension (velto::ExtensionViewModelT). While attached it listens to its extension for the
// pop-up menu opening and closing and for clicks on tips. Property and action ids are in
// velto::toolbox_prop and velto::toolbox_action.
#pragma once

#include <memory>
#include <string>

#include "base/variant/variant.h"
#include "framework/extension/extension_impl.h"
#include "framework/stateful_viewmodel.h"
#include "module_api/export.h"
#include "module_api/viewmodel/extension_viewmodel.h"

namespace velto {

namespace toolbox_prop {
// The item information map ("ToolBoxBaseItemUpdateItemInfoFields_..." keys).
inline constexpr int kItemInfo = 0xD45E1;
// {"ToolBoxBaseItemUpdateItemTitleFields_kStringTitle": title}.
inline constexpr int kItemTitle = 0x9EB71;
// Bool: the item's pop-up menu is shown.
inline constexpr int kPopMenuVisible = 0x5CD61;
}  // namespace toolbox_prop

namespace toolbox_action {
// The item was clicked.
inline constexpr int kItemClick = 0x107FB3;
}  // namespace toolbox_action

class VELTO_API ToolBoxBaseViewModel : public ExtensionViewModelT<framework::StatefulViewModel, 0> {
 public:
  ToolBoxBaseViewModel();
  ~ToolBoxBaseViewModel() override;

  // Listens to the extension's pop-up and tips events, writes the item information, and
  // registers the red dot when the item has one. Detaching stops listening.
  void OnViewAttached(const Variant* params) override;
  void OnViewDetached() override;
  // A "statistics_report_id" in the parameters is reported as an analytics event; the item click
  // runs HandleItemClickAction and closes the pop-up menu.
  void HandleAction(int action_id, const Variant* params) override;
  // Keeps the new custom parameters unless they are null.
  void OnCustomParamChanged(const Variant* old_value, const Variant* new_value) override;

  virtual void HandleItemClickAction(const Variant* params) = 0;
  virtual std::string GetItemTitle() = 0;
  virtual std::string GetExtensionId() = 0;
  // The custom parameters' "contributes_id"; "" (logged) when they have no such text.
  virtual std::string GetContributesId();
  virtual std::string GetItemIcon();
  virtual bool IsItemVisible();
  virtual std::string GetRedDodPath();
  virtual bool NeedRedDod();
  // A click on the item's tips, on its pop-up menu becoming shown or hidden, and on the tips'
  // label.
  virtual void TipsItemClickAction(const Variant* data);
  virtual void PopMenuVisible(bool visible);
  virtual void TipsLabelClickAction(const Variant* data);

  // Commands to the container, through the extension; nothing when the extension is gone.
  void ClosePopMenuCommand();
  void ShowTips(const Variant* data);
  // {"extension_id": GetExtensionId(), "path": GetRedDodPath()}.
  void RedDotInfoRegister();

  void UpdateItemTitle(const std::string& title);
  std::weak_ptr<framework::extension::ExtensionImpl> GetModuleExtensionInterface() const;
  const Variant& custom_params() const { return custom_params_; }

 protected:
  // Writes the item information map (property kItemInfo).
  void UpdateBaseItemUi();
  void UpdatePopMenuVisible(bool visible);
  void HandleBaseItemClickAction(const Variant* params);
  void HandlePopMenuOpen(const Variant* data, Variant* result);
  void HandlePopMenuClose(const Variant* data, Variant* result);
  // Only tips addressed to this item ("ToolBoxShowTipsFields_kIntegerTipsDataTipsItemId").
  void HandleTipsClick(const Variant* data, Variant* result);
  void HandleTipsLabelClick(const Variant* data, Variant* result);

 private:
  bool IsForThisItem(const Variant* data);
  void UnregisterHandlers();

  Variant custom_params_;
  // The extension the handlers were registered on.
  std::weak_ptr<framework::extension::ExtensionImpl> listening_to_;
};

}  // namespace velto
