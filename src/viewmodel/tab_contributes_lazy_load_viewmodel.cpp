#include "module_api/viewmodel/tab_contributes_lazy_load_viewmodel.h"

#include "module_api/log.h"

namespace velto {

TabContributesLazyLaodViewModel::TabContributesLazyLaodViewModel(const std::string& contributes_id)
    : TabContributesViewModel(contributes_id), LazyLoadBaseContributes(contributes_id, &data_source()) {}

TabContributesLazyLaodViewModel::~TabContributesLazyLaodViewModel() = default;

void TabContributesLazyLaodViewModel::OnViewAttached(const Variant* params) {
  // Not the tab base's attach: that would load every tab whose module happens to be loaded.
  ContributesViewModelT::OnViewAttached(params);
  SetPropValue(tab_prop::kUiInitParams, GetUiInitParams());
  InitContributesDataSource();
  SortContributesDataSource();
  OnContributesChildrenView(false);
  SetInitDefaultTab();
}

void TabContributesLazyLaodViewModel::LoadExtension(const char* extension_id, const Variant* params) {
  TabContributesViewModel::LoadExtension(extension_id, params);
}

void TabContributesLazyLaodViewModel::Load(const Variant* params) {
  if (!params) return;
  const std::string extension_id = params->GetString("extension_id");
  if (extension_id.empty()) return;
  if (!DoModuleLoad(extension_id)) return;
  DoExtensionLoad(extension_id, params);
}

void TabContributesLazyLaodViewModel::HandleSetCurrentTab(const Variant* params) {
  Load(params);
  if (params && params->Has("extension_id") && !HasExtension(params->GetString("extension_id"))) {
    VELTO_LOG(log::kFailure) << "tab not loaded, not chosen:" << params->GetString("extension_id");
    return;
  }
  TabContributesViewModel::HandleSetCurrentTab(params);
}

void TabContributesLazyLaodViewModel::HandleInstantiateTab(const Variant* params) {
  Load(params);
  if (params && params->Has("extension_id") && !HasExtension(params->GetString("extension_id"))) {
    VELTO_LOG(log::kFailure) << "tab not loaded, not made:" << params->GetString("extension_id");
    return;
  }
  TabContributesViewModel::HandleInstantiateTab(params);
}

void TabContributesLazyLaodViewModel::OnExtensionFailed(const std::string& extension_id) {
  const int index = FindItemIndex(extension_id);
  TabContributesViewModel::OnExtensionFailed(extension_id);
  KeepFailedPlaceholder(extension_id, index);
  OnContributesChildrenView(false);
}

}  // namespace velto
