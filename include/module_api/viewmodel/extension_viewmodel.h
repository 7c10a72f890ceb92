// velto::ExtensionViewModelT<Base, 0>: the view model of one contributed item's view. It finds
// its extension in the view params ("extension_ptr"), tells the extension about itself and
// keeps a weak reference to it, so that the two can talk (commands out through the extension,
// events in).
//
//   class RecordButtonViewModel : public velto::ExtensionViewModel {
//     void OnClicked() {
//       if (auto extension = GetExtension().lock()) ... ;
//     }
//   };
#pragma once

#include <memory>

#include "base/variant/variant.h"
#include "framework/extension/extension_interface.h"
#include "framework/stateful_viewmodel.h"
#include "module_api/export.h"
#include "module_api/viewmodel/authorize_viewmodel.h"

namespace velto {

template <typename Base, int kTag = 0>
class VELTO_API ExtensionViewModelT : public Base {
 public:
  using Variant = base::variant::Variant;

  ExtensionViewModelT();
  ~ExtensionViewModelT() override;

  // With a live "extension_ptr" in `params`: SetViewModel on the extension and keep it.
  void OnViewCreated(const Variant* params) override;
  // Empty when the view params named none, or the extension was gone.
  std::weak_ptr<framework::IExtensionInterface> GetExtension() const { return extension_; }

 private:
  std::weak_ptr<framework::IExtensionInterface> extension_;
};

extern template class VELTO_API ExtensionViewModelT<framework::StatefulViewModel, 0>;
using ExtensionViewModel = ExtensionViewModelT<framework::StatefulViewModel, 0>;

// The authorization base over an item's view model.
extern template class VELTO_API AuthorizeViewModelT<ExtensionViewModelT<framework::StatefulViewModel, 0>>;
using AuthorizeExtensionViewModel = AuthorizeViewModelT<ExtensionViewModelT<framework::StatefulViewModel, 0>>;

}  // namespace velto
