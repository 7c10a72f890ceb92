// framework::IExtensionInterface: an item that a module contributes to an area another module
// owns (a contributes). Modules derive from framework::extension::ExtensionImpl, not from this.
//
// Extensions are shared objects: the host makes them through the factory their module
// registered (ExtensionService) and hands out weak references to them inside item maps
// ("extension_ptr"). Read such a reference with LockExtension, never by casting.
#pragma once

#include <cstdint>
#include <memory>

#include "base/variant/variant.h"
#include "framework/extension/extension_info.h"

namespace framework {

class ViewModel;

class IExtensionInterface : public std::enable_shared_from_this<IExtensionInterface> {
 public:
  using Variant = base::variant::Variant;

  IExtensionInterface();
  IExtensionInterface(const IExtensionInterface&) = delete;
  IExtensionInterface& operator=(const IExtensionInterface&) = delete;

  // Slot order is part of the contract with modules built against the real host.
  virtual ~IExtensionInterface();
  virtual const char* GetExtensionId() = 0;
  virtual const char* GetContributesId() = 0;
  virtual void UpdateContributesId(const char* contributes_id) = 0;
  virtual void SetExtensionInfo(const ExtensionInfo& info) = 0;
  // The contributes activates the extension once it is made; `handle` names the contributes.
  virtual void OnContributesActivate(int64_t handle, const Variant* params) = 0;
  // An event from the contributes. `in` is the host's own request, which the handler may fill
  // in; `out` may be null.
  virtual void OnContributesEvent(const char* name, const Variant* in, Variant* out) = 0;
  virtual void OnContributesUnActivate() = 0;
  virtual void SetViewModel(std::weak_ptr<ViewModel> view_model) = 0;
  virtual std::weak_ptr<ViewModel> GetViewModel() = 0;
};

// A weak reference to the extension (Variant kind 9), as item maps carry it in "extension_ptr".
// Empty when the extension is not owned by a shared_ptr.
base::variant::Variant MakeExtensionRef(IExtensionInterface& extension);
// The extension a weak reference designates; null when the value is not a weak reference, the
// target is gone, or the target is not an extension.
std::shared_ptr<IExtensionInterface> LockExtension(const base::variant::Variant& ref);

}  // namespace framework
