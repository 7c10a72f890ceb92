// tbui::ext::TBModuleRuntime: what the UI toolkit knows across libraries, such as which view
// types it can draw as widgets of its own.
//
//   if (tbui::ext::TBModuleRuntime::HasWidget("home_tab_view")) ...
#pragma once

#include <string>

namespace tbui::ext {

class TBModuleRuntime {
 public:
  // True when a library registered a toolkit widget for this view type.
  static bool HasWidget(const std::string& view_type);
  static void RegisterWidget(const std::string& view_type);
  static void UnregisterWidget(const std::string& view_type);
};

}  // namespace tbui::ext
