#include "framework/extension/extension_interface.h"

#include <unordered_set>

namespace framework {
namespace {

// Live extensions by address: lets a weak reference found in an item map be checked before it
// is read as an extension.
std::unordered_set<const void*>& LiveExtensions() {
  static auto* live = new std::unordered_set<const void*>();
  return *live;
}

}  // namespace

IExtensionInterface::IExtensionInterface() { LiveExtensions().insert(this); }

IExtensionInterface::~IExtensionInterface() { LiveExtensions().erase(this); }

base::variant::Variant MakeExtensionRef(IExtensionInterface& extension) {
  return base::variant::Variant::FromWeak(std::weak_ptr<void>(extension.weak_from_this()));
}

std::shared_ptr<IExtensionInterface> LockExtension(const base::variant::Variant& ref) {
  std::shared_ptr<void> target = ref.LockWeak();
  if (!target || !LiveExtensions().count(target.get())) return nullptr;
  return std::shared_ptr<IExtensionInterface>(target, static_cast<IExtensionInterface*>(target.get()));
}

}  // namespace framework
