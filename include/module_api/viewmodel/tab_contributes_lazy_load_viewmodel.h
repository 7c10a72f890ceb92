// velto::TabContributesLazyLaodViewModel: a tab container whose tabs' modules load only when a
// tab is first chosen or made ahead of time. Until then each tab is a placeholder from the
// manifests (velto::LazyLoadBaseContributes), drawn from FillLazyLoadingExtensionProperties.
//
//   class HomeTabs : public velto::TabContributesLazyLaodViewModel {
//    public:
//     HomeTabs() : TabContributesLazyLaodViewModel("home:contributes:tabs") {}
//    protected:
//     void FillLazyLoadingExtensionProperties(const std::string& id,
//                                             std::unordered_map<std::string, Variant>& p) override {
//       p["title"] = TitleOf(id);
//       p["position"] = PositionOf(id);
//     }
//   };
//
// A tab whose module or extension throws stays a placeholder with "load_failed": true; it is
// loaded again when it is chosen again.
#pragma once

#include <string>

#include "module_api/export.h"
#include "module_api/extension/lazy_load_base_contributes.h"
#include "module_api/viewmodel/tab_contributes_viewmodel.h"

namespace velto {

class VELTO_API TabContributesLazyLaodViewModel : public TabContributesViewModel, public LazyLoadBaseContributes {
 public:
  using Variant = base::variant::Variant;

  explicit TabContributesLazyLaodViewModel(const std::string& contributes_id);
  ~TabContributesLazyLaodViewModel() override;

  // Lists the placeholders (loading the eager tabs), publishes them and chooses the default.
  void OnViewAttached(const Variant* params) override;
  void LoadExtension(const char* extension_id, const Variant* params) override;

 protected:
  // Load the tab named by "extension_id" first, then choose / make it.
  void HandleSetCurrentTab(const Variant* params) override;
  void HandleInstantiateTab(const Variant* params) override;
  void OnExtensionFailed(const std::string& extension_id) override;
  // Loads the module and the extension named by params' "extension_id" unless loaded.
  void Load(const Variant* params);
};

}  // namespace velto
