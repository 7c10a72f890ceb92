#include "module_api/extension/setting_tabs_base_extension.h"

namespace velto {

void SettingTabsBaseExtension::OnContributesActivate(int64_t handle, const Variant* params) {
  if (params && params->Has("router_params")) from_scheme_ = params->Get("router_params").GetCStr("from_scheme", "");
  ModuleExtension::OnContributesActivate(handle, params);
}

void SettingTabsBaseExtension::InnerHandleItem(Variant* item) {
  if (item && from_scheme_ == kGuidePageScheme) (*item)["visible"] = false;
}

}  // namespace velto
