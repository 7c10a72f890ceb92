// framework::extension::ExtensionContributesImpl: the host's side of an area that other
// modules contribute items to (a tab bar, a toolbar, a menu). It makes and activates the
// extensions listed for its contributes id, keeps their items in a data source, exchanges
// events and commands with them, and tells its subclass about every change through the On...
// notifications. Contributes view models (velto::ContributesViewModelT) derive from it.
//
//   class Toolbar : public framework::extension::ExtensionContributesImpl {
//    public:
//     Toolbar() : ExtensionContributesImpl("meeting:contributes:toolbar", kContributesModeControl) {}
//     int64_t GetViewContext() override { return my_view_ref; }
//     void OnAddItemView(const Variant& item) override { ... item["view"] ... }
//   };
//   toolbar.ActivateExtensions(&params);      // every listed extension whose module is loaded
//   toolbar.FireP2PExtensionEvent("x:extension:y", "SomeEvent", &request);
//
// Loading one extension (LoadExtension): the extension service makes it, the contributes sets
// its contributes id and info, marks its item with "parent_view" (the contributes' view
// context: the item counts as loaded), activates it with the given parameters and sends it
// "GetItemInfo" with {"contributes_mode", "parent_view", ...the parameters}. Mode 0
// (properties) extensions answer with their item ("OnGetItemInfo"); mode 1 (control)
// extensions first create their view and answer with an item that carries "view".
// If making, activating or asking the extension throws, the contributes forgets it, puts its
// item back as it was, and lets the exception go on to the caller.
//
// Commands from extensions: "OnGetItemInfo" merges the item into the data source (and, when it
// carries "view" in mode 1, OnAddItemView); "UpdateItemStatus" goes to OnUpdateItemStatus;
// other names go to the handler registered with RegisterExtensionCommandHandler, else they are
// logged (level 3) and dropped. Every data-source change ends with SortContributesDataSource
// and OnContributesDataSourceChanged (by default OnContributesChildrenView(false)).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/variant/variant.h"
#include "framework/extension/extension_interface.h"

namespace framework::extension {

enum ContributesMode : int32_t {
  kContributesModeProperties = 0,  // items describe themselves; views are made on demand
  kContributesModeControl = 1,     // every item comes with its view
};

using ExtensionCommandHandler = std::function<void(const base::variant::Variant* params)>;

class ExtensionContributesImpl {
 public:
  using Variant = base::variant::Variant;

  ExtensionContributesImpl(std::string contributes_id, int contributes_mode);
  ExtensionContributesImpl(const ExtensionContributesImpl&) = delete;
  ExtensionContributesImpl& operator=(const ExtensionContributesImpl&) = delete;

  // Slot order is part of the contract with modules built against the real host.
  // Drops the extensions without deactivating them (an extension still active reports it).
  virtual ~ExtensionContributesImpl();
  virtual void OnExtensionCommand(const char* extension_id, const char* name, const Variant* params);
  // Adds the item, or replaces the one with the same "extension_id".
  virtual void AddExtensionItem(const Variant& item);
  virtual void RemoveExtensionItem(const char* extension_id);
  // Destroys a taken item (OnDestroyTakenItem); an item still in the data source is removed.
  virtual void DestroyExtensionItem(const char* extension_id);
  // Nothing when the extension is loaded already; logged (level 1) when no loaded module
  // makes it.
  virtual void LoadExtension(const char* extension_id, const Variant* params);
  // Deactivates and drops the extension, and removes its item (placeholder or not).
  virtual void UnLoadExtension(const char* extension_id);
  virtual const char* GetContributesId();
  // Deactivates and drops every extension and empties the data source, without notifying:
  // call it when the area's view goes away.
  virtual void UnActivateExtensions();
  // The view reference items are created in ("parent_view").
  virtual int64_t GetViewContext() = 0;
  // Default: insertion order is kept.
  virtual void SortContributesDataSource();
  virtual void OnContributesDataSourceChanged();
  virtual void OnAddItemView(const Variant& item);
  virtual void OnUpdateItem(const Variant& item);
  virtual void OnTakeItem(const Variant& item);
  virtual void OnRemoveItem(const Variant& item);
  virtual void OnDestroyTakenItem(const Variant& item);
  virtual void OnContributesChildrenView(bool deferred);
  // Default: merges the changed fields into the extension's item, then OnUpdateItem(item).
  virtual void OnUpdateItemStatus(const Variant& item);

  // Loads every supported extension listed for this contributes whose module is loaded, in
  // listing order (manifests first, then run-time registrations).
  void ActivateExtensions(const Variant* params);
  // Moves the item out of the data source (OnTakeItem); false when there is none.
  bool TakeExtensionItem(const char* extension_id);
  // A peer-to-peer event to one loaded extension; false (logged, level 1) when it is not loaded.
  bool FireP2PExtensionEvent(const std::string& extension_id, const std::string& name, const Variant* params,
                             Variant* out = nullptr);
  void RegisterExtensionCommandHandler(const std::string& name, ExtensionCommandHandler handler);
  void UnRegisterExtensionCommandHandler(const std::string& name);

  // The items: an array of maps with at least "extension_id". Its address never changes, so
  // helpers may keep a pointer to it for the contributes' lifetime.
  Variant& data_source() { return data_source_; }
  const Variant& data_source() const { return data_source_; }
  const Variant& taken_items() const { return taken_items_; }
  int contributes_mode() const { return contributes_mode_; }
  // The index of the extension's item; -1 when it has none.
  int FindItemIndex(const std::string& extension_id) const;
  bool HasExtension(const std::string& extension_id) const { return extensions_.count(extension_id) > 0; }
  std::shared_ptr<IExtensionInterface> FindExtension(const std::string& extension_id) const;
  // The module named for the extension by the manifests or registrations; "" when none.
  std::string ModuleOfExtension(const std::string& extension_id) const;

 protected:
  // For subclasses made before their area is known.
  void ResetContributes(std::string contributes_id, int contributes_mode);

 private:
  void MergeItem(const std::string& extension_id, const Variant& fields, bool from_extension);
  void RemoveItemAt(int index);
  void Forget(const std::string& extension_id);

  std::string contributes_id_;
  int contributes_mode_;
  Variant data_source_ = Variant::Array();
  Variant taken_items_ = Variant::Array();
  std::map<std::string, std::shared_ptr<IExtensionInterface>> extensions_;
  std::map<std::string, std::shared_ptr<const ExtensionCommandHandler>> command_handlers_;
};

}  // namespace framework::extension
