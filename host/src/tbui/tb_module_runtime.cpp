#include "tbui/ext/tb_module_runtime.h"

#include <set>

#include "host_internal.h"

namespace tbui::ext {
namespace {
std::set<std::string>& Widgets() {
  static auto* widgets = new std::set<std::string>();
  return *widgets;
}
void ResetWidgets() { Widgets().clear(); }
const bool kRegistered = host_internal::RegisterReset(&ResetWidgets);
}  // namespace

bool TBModuleRuntime::HasWidget(const std::string& view_type) { return Widgets().count(view_type) > 0; }
void TBModuleRuntime::RegisterWidget(const std::string& view_type) { Widgets().insert(view_type); }
void TBModuleRuntime::UnregisterWidget(const std::string& view_type) { Widgets().erase(view_type); }

}  // namespace tbui::ext
