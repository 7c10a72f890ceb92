// velto::ContributesViewModelT<Base, 0>: the view model of an area other modules contribute
// items to. It is a stateful view model and the host's contributes in one: every change of the
// area's items reaches the view as a property.
//
//   class Toolbar : public velto::ContributesViewModel {
//    public:
//     Toolbar() : velto::ContributesViewModel("meeting:contributes:toolbar", framework::extension::kContributesModeControl) {}
//     int64_t GetViewContext() override { return context() ? context()->view_context().view_ref() : 0; }
//     void OnViewAttached(const Variant* params) override {
//       ContributesViewModel::OnViewAttached(params);
//       ActivateExtensions(params);
//     }
//     void OnViewDetached() override { UnActivateExtensions(); ContributesViewModel::OnViewDetached(); }
//   };
//
// Properties (contributes_prop): the whole data source on every change (kChildrenView), an
// updated item, a taken item, an item with a new view, a removed item that had a view, and a
// destroyed taken item. A deferred children update (OnContributesChildrenView(true)) is posted
// to the main looper and skipped if the view model is gone by then; it needs the view model
// owned by a shared_ptr, as the host makes them.
//
// Calls into extensions and their modules (loading, events, unloading) are contained: an
// extension that throws is logged at level 1 with its module and id, and dropped from the area
// (OnExtensionFailed); the rest of the area goes on.
#pragma once

#include <cstdint>
#include <string>

#include "base/variant/variant.h"
#include "framework/extension/extension_contributes_impl.h"
#include "framework/stateful_viewmodel.h"
#include "module_api/export.h"
#include "module_api/viewmodel/authorize_viewmodel.h"

namespace velto {

namespace contributes_prop {
inline constexpr int kChildrenView = 0x20101000;      // the data source (list of items)
inline constexpr int kUpdateItem = 0x20101001;        // the item
inline constexpr int kTakeItem = 0x20101002;          // the item
inline constexpr int kAddItemView = 0x20101003;       // the item
inline constexpr int kRemoveItem = 0x02010104;        // the item, when it had a "view"
inline constexpr int kDestroyTakenItem = 0x02010105;  // the item
}  // namespace contributes_prop

// `kTag` tells apart classes that modules derive from the same base twice; the library is
// compiled for tag 0.
template <typename Base, int kTag = 0>
class VELTO_API ContributesViewModelT : public Base, public framework::extension::ExtensionContributesImpl {
 public:
  using Variant = base::variant::Variant;

  // No area yet (an empty contributes id) in control mode.
  ContributesViewModelT();
  ContributesViewModelT(const std::string& contributes_id, int contributes_mode);
  ~ContributesViewModelT() override;

  // Also notes whether the view is drawn by the UI toolkit (view context type 2).
  void OnViewAttached(const Variant* params) override;

  // Contained versions of the host's.
  void LoadExtension(const char* extension_id, const Variant* params) override;
  void UnLoadExtension(const char* extension_id) override;
  void UnActivateExtensions() override;

  void OnAddItemView(const Variant& item) override;
  void OnUpdateItem(const Variant& item) override;
  void OnTakeItem(const Variant& item) override;
  void OnRemoveItem(const Variant& item) override;
  void OnDestroyTakenItem(const Variant& item) override;
  void OnContributesChildrenView(bool deferred) override;

  bool is_tbui_view_context() const { return tbui_view_context_; }

 protected:
  // A contained peer-to-peer event; false when the extension is not loaded or threw.
  bool SendExtensionEvent(const std::string& extension_id, const std::string& name, const Variant* params);
  // An extension threw while being loaded or asked: by default it is unloaded (when loaded).
  virtual void OnExtensionFailed(const std::string& extension_id);

 private:
  bool tbui_view_context_ = false;
};

extern template class VELTO_API ContributesViewModelT<framework::StatefulViewModel, 0>;
using ContributesViewModel = ContributesViewModelT<framework::StatefulViewModel, 0>;

// The authorization base over an area's view model.
extern template class VELTO_API AuthorizeViewModelT<ContributesViewModelT<framework::StatefulViewModel, 0>>;
using AuthorizeContributesViewModel = AuthorizeViewModelT<ContributesViewModelT<framework::StatefulViewModel, 0>>;

}  // namespace velto
