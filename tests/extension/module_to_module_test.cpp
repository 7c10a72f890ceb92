// One module contributing to another, written only against the installed headers: the invite
// module puts a tab into the meeting module's side panel and a button into its toolbar; the
// meeting module knows neither class, only the area ids.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/extension/extension_service.h"
#include "hostkit/extension.h"
#include "hostkit/hostkit.h"
#include "hostkit/viewmodel.h"
#include "module_api/extension/module_extension.h"
#include "module_api/extension/tab_extension.h"
#include "module_api/viewmodel/contributes_viewmodel.h"
#include "module_api/viewmodel/extension_viewmodel.h"
#include "module_api/viewmodel/tab_contributes_viewmodel.h"

namespace {

using base::variant::Variant;

// ---- the invite module ----
namespace invite {

class CopyInviteTab : public velto::TabExtension {
 public:
  explicit CopyInviteTab(framework::module::IModuleRuntime* runtime) : runtime_(runtime) {}

 protected:
  framework::module::IModuleRuntime* GetModuleRuntime() override { return runtime_; }
  int GetViewModelType() override { return 101; }
  Variant GetTabPropertites(const Variant*) override {
    Variant properties = Variant::Map();
    properties["title"] = "Copy invitation";
    properties["position"] = 1;
    return properties;
  }

 private:
  framework::module::IModuleRuntime* runtime_;
};

class InviteButton : public velto::ModuleExtension {
 public:
  explicit InviteButton(framework::module::IModuleRuntime* runtime) : runtime_(runtime) {}
  void Highlight() {
    Variant change = Variant::Map();
    change["highlighted"] = true;
    UpdateItem(std::move(change));
  }

 protected:
  framework::module::IModuleRuntime* GetModuleRuntime() override { return runtime_; }
  void OnInit(const Variant*) override {}
  int GetViewModelType() override { return 102; }
  std::string GetViewType(const std::string&) override { return "invite_button"; }

 private:
  framework::module::IModuleRuntime* runtime_;
};

void Entry(framework::module::IModuleRuntime& runtime) {
  auto* service = framework::extension::GetExtensionService();
  service->RegisterExtensionFactory("invite:extension:copy_invite",
                                    [&runtime] { return std::make_shared<CopyInviteTab>(&runtime); });
  service->RegisterExtensionFactory("invite:extension:toolbar_button",
                                    [&runtime] { return std::make_shared<InviteButton>(&runtime); });
}

}  // namespace invite

// ---- the meeting module ----
namespace meeting {

class PanelTabs : public velto::TabContributesViewModel {
 public:
  PanelTabs() : TabContributesViewModel("meeting:contributes:panel_tabs") {}
};

class Toolbar : public velto::ContributesViewModel {
 public:
  Toolbar() : velto::ContributesViewModel("meeting:contributes:toolbar", framework::extension::kContributesModeControl) {}
  int64_t GetViewContext() override { return context() ? context()->view_context().view_ref() : 0; }
  void OnViewAttached(const Variant* params) override {
    velto::ContributesViewModel::OnViewAttached(params);
    ActivateExtensions(params);
  }
  void OnViewDetached() override {
    UnActivateExtensions();
    velto::ContributesViewModel::OnViewDetached();
  }
};

}  // namespace meeting

TEST(ModuleToModule, TheInviteModulePutsATabAndAButtonIntoTheMeetingModule) {
  hostkit::DeclareManifest(hostkit::Json(R"({"module": "invite", "contributes": [
      {"contributes_id": "meeting:contributes:panel_tabs", "extensions": [{"extension_id": "invite:extension:copy_invite"}]},
      {"contributes_id": "meeting:contributes:toolbar", "extensions": [{"extension_id": "invite:extension:toolbar_button"}]}]})"));
  hostkit::RegisterModule("invite", &invite::Entry);
  ASSERT_TRUE(hostkit::LoadModule("invite"));

  meeting::PanelTabs panel;
  ASSERT_TRUE(hostkit::AttachViewModel(panel));
  ASSERT_EQ(panel.data_source().size(), 1u);
  EXPECT_EQ(panel.data_source().At(0).Get("propertites").GetString("title"), "Copy invitation");
  EXPECT_EQ(panel.current_tab().GetString("extension_id"), "invite:extension:copy_invite");
  EXPECT_TRUE(panel.current_tab().Has("view"));

  auto toolbar = std::make_shared<meeting::Toolbar>();
  ASSERT_TRUE(hostkit::AttachViewModel(*toolbar));
  const Variant button = toolbar->GetPropValue(velto::contributes_prop::kAddItemView);
  EXPECT_EQ(button.GetString("extension_id"), "invite:extension:toolbar_button");
  EXPECT_EQ(button.GetString("view_type"), "invite_button");
  EXPECT_EQ(button.GetInt32("vm_type"), 102);
  ASSERT_EQ(hostkit::CreatedViews().size(), 2u);
  EXPECT_EQ(hostkit::CreatedViews()[1].module, "invite");

  // The button's own view model finds its extension in the view params; the extension's
  // changes reach the toolbar.
  auto button_vm = std::make_shared<velto::ExtensionViewModel>();
  hostkit::AttachViewModel(*button_vm, button);
  auto extension = std::dynamic_pointer_cast<invite::InviteButton>(button_vm->GetExtension().lock());
  ASSERT_NE(extension, nullptr);
  extension->Highlight();
  EXPECT_TRUE(toolbar->GetPropValue(velto::contributes_prop::kUpdateItem).GetBoolean("highlighted"));

  hostkit::DetachViewModel(*button_vm);
  hostkit::DetachViewModel(*toolbar);
  hostkit::DetachViewModel(panel);
  EXPECT_EQ(hostkit::TotalSubscribers(), 0u);
  EXPECT_FALSE(hostkit::HasLog(1, "unexpected destroyed"));
}

}  // namespace
