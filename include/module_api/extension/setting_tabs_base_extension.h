// velto::SettingTabsBaseExtension: a tab of the settings page. A tab that makes no sense while
// the user is still in the first-run guide hides itself when the settings page was opened
// from "velto://page/guide" (the activation's "router_params"/"from_scheme").
//
//   class AudioSettingsTab : public velto::SettingTabsBaseExtension { ... };
#pragma once

#include <string>

#include "module_api/export.h"
#include "module_api/extension/module_extension.h"

namespace velto {

inline constexpr char kGuidePageScheme[] = "velto://page/guide";

class VELTO_API SettingTabsBaseExtension : public ModuleExtension {
 public:
  using ModuleExtension::ModuleExtension;

  // Notes the page that opened the settings, then activates.
  void OnContributesActivate(int64_t handle, const Variant* params) override;
  const std::string& from_scheme() const { return from_scheme_; }

 protected:
  // Opened from the guide: "visible" false in every item.
  void InnerHandleItem(Variant* item) override;

 private:
  std::string from_scheme_;
};

}  // namespace velto
