// Definitions of ContributesViewModelT. Included only where the template is instantiated.
#pragma once

#include <memory>
#include <string>

#include "base/threading/looper.h"
#include "extension/contained_call.h"
#include "module_api/log.h"
#include "module_api/viewmodel/contributes_viewmodel.h"

namespace velto {

template <typename Base, int kTag>
ContributesViewModelT<Base, kTag>::ContributesViewModelT()
    : ExtensionContributesImpl(std::string(), framework::extension::kContributesModeControl) {}

template <typename Base, int kTag>
ContributesViewModelT<Base, kTag>::ContributesViewModelT(const std::string& contributes_id, int contributes_mode)
    : ExtensionContributesImpl(contributes_id, contributes_mode) {}

template <typename Base, int kTag>
ContributesViewModelT<Base, kTag>::~ContributesViewModelT() = default;

template <typename Base, int kTag>
void ContributesViewModelT<Base, kTag>::OnViewAttached(const Variant* params) {
  Base::OnViewAttached(params);
  const auto context = this->context();
  tbui_view_context_ = context && context->view_context().type() == framework::ViewContext::kToolkitView;
}

template <typename Base, int kTag>
void ContributesViewModelT<Base, kTag>::LoadExtension(const char* extension_id, const Variant* params) {
  const std::string id = extension_id ? extension_id : "";
  const bool ran = extension_support::Contain("extension load", {ModuleOfExtension(id), id, GetContributesId()}, [&] {
    ExtensionContributesImpl::LoadExtension(extension_id, params);
  });
  if (!ran) OnExtensionFailed(id);
}

template <typename Base, int kTag>
void ContributesViewModelT<Base, kTag>::UnLoadExtension(const char* extension_id) {
  const std::string id = extension_id ? extension_id : "";
  extension_support::Contain("extension unload", {ModuleOfExtension(id), id, GetContributesId()},
                             [&] { ExtensionContributesImpl::UnLoadExtension(extension_id); });
}

template <typename Base, int kTag>
void ContributesViewModelT<Base, kTag>::UnActivateExtensions() {
  extension_support::Contain("extension deactivation", {"", "", GetContributesId()},
                             [&] { ExtensionContributesImpl::UnActivateExtensions(); });
}

template <typename Base, int kTag>
bool ContributesViewModelT<Base, kTag>::SendExtensionEvent(const std::string& extension_id, const std::string& name,
                                                           const Variant* params) {
  bool delivered = false;
  const std::string what = "extension event " + name;
  const bool ran = extension_support::Contain(
      what.c_str(), {ModuleOfExtension(extension_id), extension_id, GetContributesId()},
      [&] { delivered = FireP2PExtensionEvent(extension_id, name, params); });
  if (!ran) OnExtensionFailed(extension_id);
  return ran && delivered;
}

template <typename Base, int kTag>
void ContributesViewModelT<Base, kTag>::OnExtensionFailed(const std::string& extension_id) {
  if (HasExtension(extension_id)) ContributesViewModelT::UnLoadExtension(extension_id.c_str());
}

template <typename Base, int kTag>
void ContributesViewModelT<Base, kTag>::OnAddItemView(const Variant& item) {
  this->SetPropValue(contributes_prop::kAddItemView, item);
}

template <typename Base, int kTag>
void ContributesViewModelT<Base, kTag>::OnUpdateItem(const Variant& item) {
  this->SetPropValue(contributes_prop::kUpdateItem, item);
}

template <typename Base, int kTag>
void ContributesViewModelT<Base, kTag>::OnTakeItem(const Variant& item) {
  this->SetPropValue(contributes_prop::kTakeItem, item);
}

template <typename Base, int kTag>
void ContributesViewModelT<Base, kTag>::OnRemoveItem(const Variant& item) {
  if (item.Has("view")) this->SetPropValue(contributes_prop::kRemoveItem, item);
}

template <typename Base, int kTag>
void ContributesViewModelT<Base, kTag>::OnDestroyTakenItem(const Variant& item) {
  this->SetPropValue(contributes_prop::kDestroyTakenItem, item);
}

template <typename Base, int kTag>
void ContributesViewModelT<Base, kTag>::OnContributesChildrenView(bool deferred) {
  if (!deferred) {
    this->SetPropValue(contributes_prop::kChildrenView, data_source());
    return;
  }
  // Only a weak reference goes with the task: the view model may be gone when it runs.
  std::weak_ptr<framework::ViewModel> weak = this->weak_from_this();
  base::threading::LooperThread::MainLooper()->PostTask([this, weak] {
    if (weak.lock()) this->SetPropValue(contributes_prop::kChildrenView, data_source());
  });
}

}  // namespace velto
