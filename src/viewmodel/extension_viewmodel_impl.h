// Definitions of ExtensionViewModelT and WindowTypeBase. Included only where the templates are
// instantiated.
#pragma once

#include <memory>

#include "module_api/viewmodel/extension_viewmodel.h"
#include "module_api/viewmodel/window_type_base.h"

namespace velto {

template <typename Base, int kTag>
ExtensionViewModelT<Base, kTag>::ExtensionViewModelT() = default;

template <typename Base, int kTag>
ExtensionViewModelT<Base, kTag>::~ExtensionViewModelT() = default;

template <typename Base, int kTag>
void ExtensionViewModelT<Base, kTag>::OnViewCreated(const Variant* params) {
  Base::OnViewCreated(params);
  if (!params || !params->Has("extension_ptr")) return;
  std::shared_ptr<framework::IExtensionInterface> extension = framework::LockExtension(params->Get("extension_ptr"));
  if (!extension) return;
  extension->SetViewModel(this->weak_from_this());
  extension_ = extension;
}

template <typename Base>
WindowTypeBase<Base>::WindowTypeBase() : Base(12) {}

template <typename Base>
WindowTypeBase<Base>::~WindowTypeBase() = default;

template <typename Base>
void WindowTypeBase<Base>::OnViewAttached(const base::variant::Variant* params) {
  Base::OnViewAttached(params);
  if (!params || !params->Has("view_params")) return;
  const uint32_t type = params->Get("view_params").GetUint32("window_type", 0);
  window_type_ = static_cast<InMeetingWindow::WindowType>(type);
  window_type_desc_ = type == 0 ? "main" : type == 1 ? "secondary" : "";
}

}  // namespace velto
