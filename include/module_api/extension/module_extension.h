// velto::ModuleExtension: the base of an item a module places into another module's area
// (a contributes). It answers the contributes' "GetItemInfo": with its item (properties mode,
// mode 0) or by making its view through the module's view service first (control mode, mode 1);
// and it reports changes of its item with UpdateItem / UpdateItemStatus.
//
//   class RecordButton : public velto::ModuleExtension {
//    protected:
//     framework::module::IModuleRuntime* GetModuleRuntime() override { return runtime_; }
//     void OnInit(const Variant* params) override { ... }
//     int GetViewModelType() override { return kRecordButtonViewModel; }
//     Variant GetExtensionPropertites(const Variant*) override { return Json(R"({"title": ...})"); }
//   };
//   ...
//   UpdateItemStatus(false);   // hide the button: "UpdateItemStatus" {"visible": false}
//
// Extensions must be owned by a shared_ptr (the factory a module registers makes them so):
// items carry a weak reference to the extension ("extension_ptr"), and one that is not shared
// never recognises its own items. Deactivate extensions before destroying them (a contributes
// view model does it in UnActivateExtensions); destroying an active one is logged.
#pragma once

#include <cstdint>
#include <string>

#include "base/variant/variant.h"
#include "framework/extension/extension_impl.h"
#include "framework/module/module.h"
#include "framework/service.h"
#include "module_api/export.h"

namespace velto {

class VELTO_API ModuleExtension : public framework::extension::ExtensionImpl {
 public:
  using Variant = base::variant::Variant;

  ModuleExtension();
  ModuleExtension(const std::string& id, const framework::ExtensionInfo& info);
  ~ModuleExtension() override;

  // Keeps a copy of `params`, runs OnInit, answers "GetItemInfo" and listens to the view
  // service; a second activation is refused ("already activate:").
  void OnContributesActivate(int64_t handle, const Variant* params) override;
  // Undoes the activation; runs OnUninit.
  void OnContributesUnActivate() override;

 protected:
  // Last touch on every item before it is sent.
  virtual void InnerHandleItem(Variant* item);

 public:
  // "GetItemInfo": mode 0 sends the item, mode 1 makes the view; `out` is not written.
  virtual void HandleGetItemInfo(const Variant* in, Variant* out);

 protected:
  // The module's runtime, whose service registry holds the view service.
  virtual framework::module::IModuleRuntime* GetModuleRuntime() = 0;
  virtual void OnInit(const Variant* params) = 0;
  virtual void OnUninit();
  // Published as "vm_type": the kind of view model the item's view uses.
  virtual int GetViewModelType() = 0;
  // Last touch on the view params before the view is asked for.
  virtual void InnerHandleGetItem(Variant* view_params);
  // Published as "propertites"; empty by default.
  virtual Variant GetExtensionPropertites(const Variant* in);
  // The view to make for the extension; its id by default.
  virtual std::string GetViewType(const std::string& extension_id);
  // The view service made a view (or, in toolkit mode, the view params came back): items for
  // this extension are sent as "OnGetItemInfo"; others are ignored.
  virtual void OnSetItem(const Variant* item);

 public:
  // Adds "contributes_id" and "extension_id" and sends the fields as "UpdateItemStatus".
  void UpdateItem(Variant&& item);
  void UpdateItemStatus(bool visible);
  // With a non-empty "visible_list" in the activation parameters: whether it names this
  // extension; otherwise `default_visible`.
  bool GetItemIsVisible(bool default_visible);
  // The module runtime's view service; null when any step is missing.
  framework::Service* GetExtensionViewService();

  bool activated() const { return activated_; }
  const Variant& activate_params() const { return activate_params_; }

 protected:
  // Asks for the extension's view (or hands the view params back in toolkit mode).
  void HandleControlExtension(const Variant* in);
  // Sends the item: the request with "propertites", the ids, "visible", "vm_type" and
  // "extension_ptr".
  void HandlePropertitesExtension(const Variant* in);
  // Whether `item` is addressed to this extension ("extension_ptr").
  bool IsItemOfThisExtension(const Variant& item);
  int64_t observer_id() const;

 private:
  Variant GetViewParams(const Variant* in);

  bool activated_ = false;
  Variant activate_params_;
};

}  // namespace velto
