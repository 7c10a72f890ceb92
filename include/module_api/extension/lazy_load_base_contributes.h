// velto::LazyLoadBaseContributes: lists an area's extensions from the module manifests (or a
// dynamic configuration) without loading their modules. Each extension not loaded at once gets
// a placeholder item {"extension_id", "contributes_id", "visible": true, "propertites"} in the
// area's data source; its module and the extension itself are loaded when the item is first
// needed (LoadModuleAndExtension, or the lazy tab container's first choice of the tab).
//
//   class HomeTabs : public velto::TabContributesViewModel, public velto::LazyLoadBaseContributes {
//     // the tab container velto::TabContributesLazyLaodViewModel is built this way
//   };
//   std::set<std::string> ExtensionsIdOfModuleNotLazyLoaded() override { return {"home:extension:meetings"}; }
//
// An item counts as loaded once it has "parent_view" (the contributes marks it so). A module
// load or an extension load that throws is logged at level 1 with the module and extension
// ids; the placeholder stays, with "load_failed": true, and the load is tried again at the
// next explicit use only.
#pragma once

#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto {

struct VELTO_API ExtensinLazyLoadingConfig {
  std::string extension_id;
  std::string module_name;
  bool lazy_load = true;  // false: load the module and the extension at once
};

class VELTO_API LazyLoadBaseContributes {
 public:
  using Variant = base::variant::Variant;

  // `data_source` (a list) is the area's item list; it must outlive this object.
  LazyLoadBaseContributes(std::string contributes_id, Variant* data_source);
  LazyLoadBaseContributes(const LazyLoadBaseContributes&) = delete;
  LazyLoadBaseContributes& operator=(const LazyLoadBaseContributes&) = delete;
  virtual ~LazyLoadBaseContributes();

  // Extensions and modules from a configuration instead of the manifests; empty by default.
  virtual std::vector<ExtensinLazyLoadingConfig> DynamicConfigExtensionLazyLoadOrNot();
  // Extensions (of the manifests) to load at once; none by default.
  virtual std::set<std::string> ExtensionsIdOfModuleNotLazyLoaded();
  // The placeholder's "propertites" before the extension can say them itself.
  virtual void FillLazyLoadingExtensionProperties(const std::string& extension_id,
                                                  std::unordered_map<std::string, Variant>& properties);
  // Makes and activates the extension: the contributes implementation supplies it.
  virtual void LoadExtension(const char* extension_id, const Variant* params) = 0;

  const std::map<std::string, std::string>& extension_modules() const { return extension_modules_; }

 protected:
  // Fills the extension-to-module map and the placeholders; loads the eager ones.
  void InitContributesDataSource();
  void LoadModuleAndExtension(std::string extension_id);
  // One extension more or less at run time (also listed with the extension service).
  void DynamicRegisterExtensionInfo(const std::string& extension_id, const std::string& module_name);
  void DynamicUnRegisterExtensionInfo(const std::string& extension_id);

  // Loads the extension's module unless it is loaded; false only when the module's load threw
  // (the item is then left a placeholder marked "load_failed").
  bool DoModuleLoad(const std::string& extension_id);
  // Loads the extension unless its item counts as loaded.
  void DoExtensionLoad(const std::string& extension_id, const Variant* params);
  bool IsExtensionLoaded(const std::string& extension_id) const;
  // The extension's item back as a placeholder marked "load_failed" (at `index`, or at the end).
  void KeepFailedPlaceholder(const std::string& extension_id, int index);

 private:
  bool GetExtensionsOfCurContributesByManifest();
  void DoInitDataSource(const std::set<std::string>& eager);
  Variant MakePlaceholder(const std::string& extension_id);
  bool HasItem(const std::string& extension_id) const;
  Variant* FindItem(const std::string& extension_id);

  std::string contributes_id_;
  Variant* data_source_;
  std::map<std::string, std::string> extension_modules_;
};

}  // namespace velto
