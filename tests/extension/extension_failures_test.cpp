// What a contributes does with bad input and with modules that throw: unknown extension ids,
// events for extensions whose module is not loaded, manifests with gaps, Variants of the wrong
// kind, and module loads, activations and event handlers that throw. Each gives its log record,
// costs at most its own item, and crashes nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extension_test_support.h"
#include "hostkit/viewmodel.h"
#include "module_api/viewmodel/tab_contributes_lazy_load_viewmodel.h"
#include "module_api/viewmodel/tab_contributes_viewmodel.h"

namespace {

using namespace extension_test;
using hostkit::Json;

class HomeTabs : public velto::TabContributesLazyLaodViewModel {
 public:
  HomeTabs() : TabContributesLazyLaodViewModel("home:tabs") {}

 protected:
  void FillLazyLoadingExtensionProperties(const std::string& id,
                                          std::unordered_map<std::string, Variant>& properties) override {
    properties["position"] = id == "home:meetings" ? 0 : 1;
  }
};

class Tabs : public velto::TabContributesViewModel {
 public:
  Tabs() : TabContributesViewModel("home:tabs") {}
};

class ExtensionFailures : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetJournal();
    DeclareModule("meetings", "home:tabs", {"home:meetings"}, MakeTabs());
  }
  void DeclareApps(bool* broken = nullptr) {
    DeclareModule("apps", "home:tabs", {"home:apps"}, MakeTabs());
    if (!broken) return;
    hostkit::RegisterModule("apps", [broken](framework::module::IModuleRuntime& runtime) {
      if (*broken) throw std::runtime_error("apps library missing");
      framework::extension::GetExtensionService()->RegisterExtensionFactory(
          "home:apps", [&runtime] { return std::make_shared<TestTab>(&runtime, 1); });
    });
  }
  template <typename VM>
  void Choose(VM& vm, const Variant& params) {
    hostkit::FireAction(vm, velto::tab_action::kSetCurrentTab, params);
  }
  static Variant Id(const char* id) {
    Variant params = Variant::Map();
    params["extension_id"] = id;
    return params;
  }
  static const Variant& ItemOf(const velto::TabContributesViewModel& vm, const char* id) {
    return vm.data_source().At(static_cast<size_t>(vm.FindItemIndex(id)));
  }
};

TEST_F(ExtensionFailures, AnUnknownExtensionIdIsLoggedAndChangesNothing) {
  DeclareApps();
  HomeTabs home;
  hostkit::AttachViewModel(home);
  Choose(home, Id("home:nobody"));
  EXPECT_TRUE(hostkit::HasLog(1, "Can not find extension module name for contributes. extension_id:home:nobody,"
                                 "contributes_id:home:tabs"));
  EXPECT_TRUE(hostkit::HasLog(1, "can not create extension:home:nobody contributes:home:tabs"));
  EXPECT_TRUE(hostkit::HasLog(1, "tab not loaded, not chosen:home:nobody"));
  EXPECT_EQ(home.current_tab().GetString("extension_id"), "home:meetings");
  home.SetCurrentTab("home:nobody");
  EXPECT_TRUE(hostkit::HasLog(3, "the current tab is not exist, please create first! extension id is: home:nobody"));
  home.InsertTab("home:nobody", Json("{}"));
  EXPECT_EQ(home.data_source().size(), 2u);
  // Parameters of every other kind.
  for (const char* text : {"null", "[1, 2]", "\"home:apps\"", R"({"extension_id": 5})", R"({"extension_id": ""})"}) {
    Choose(home, Json(text));
    hostkit::FireAction(home, velto::tab_action::kInstantiateTab, Json(text));
  }
  hostkit::FireAction(home, velto::tab_action::kSetCurrentTab);
  EXPECT_EQ(home.current_tab().GetString("extension_id"), "home:meetings");
  EXPECT_FALSE(hostkit::IsModuleLoaded("apps"));
  hostkit::DetachViewModel(home);
}

TEST_F(ExtensionFailures, EventsForExtensionsOfUnloadedModulesAreLoggedAndDropped) {
  DeclareApps();
  ASSERT_TRUE(hostkit::LoadModule("meetings"));
  Tabs tabs;  // not lazy: the apps module is never loaded for it
  hostkit::AttachViewModel(tabs);
  EXPECT_EQ(tabs.data_source().size(), 1u);
  hostkit::FireAction(tabs, velto::tab_action::kInstantiateTab, Id("home:apps"));
  EXPECT_TRUE(hostkit::HasLog(1, "extension not loaded:home:apps event:PreCreateTabEvent contributes:home:tabs"));
  EXPECT_FALSE(hostkit::IsModuleLoaded("apps"));

  // An extension that was removed from the area and still sends a command.
  auto meetings = Made<TestTab>(tabs, "home:meetings");
  tabs.RemoveTab("home:meetings");
  meetings->UpdateItemStatus(true);
  EXPECT_TRUE(hostkit::HasLog(1, "no contributes for command UpdateItemStatus extension:home:meetings"));
  const Variant odd = Json(R"({"x": 1})");
  tabs.OnExtensionCommand("home:meetings", "NoSuchCommand", &odd);
  tabs.OnExtensionCommand(nullptr, nullptr, nullptr);
  EXPECT_TRUE(hostkit::HasLog(3, "unknown command NoSuchCommand from extension home:meetings"));
  tabs.OnExtensionCommand("home:meetings", "OnGetItemInfo", &odd);  // a stranger's item
  tabs.OnExtensionCommand("home:meetings", "UpdateItemStatus", nullptr);
  EXPECT_TRUE(hostkit::HasLog(3, "item status of extension home:meetings is not a map"));
  hostkit::DetachViewModel(tabs);
}

TEST_F(ExtensionFailures, ManifestsWithMissingFieldsGiveTheirRecordsAndAnEmptyArea) {
  EXPECT_FALSE(hostkit::DeclareManifest(Json(R"({"contributes": [{"contributes_id": "broken:tabs"}]})")));
  EXPECT_TRUE(hostkit::DeclareManifest(Json(R"({"module": "half", "contributes": [
      {"contributes_id": "broken:tabs"}, {"extensions": [{"extension_id": "lost"}]}]})")));
  EXPECT_TRUE(hostkit::DeclareManifest(Json(R"({"module": "odd", "contributes": "not a list"})")));
  EXPECT_TRUE(hostkit::HasLog(1, "manifest without \"module\" dropped"));
  EXPECT_TRUE(hostkit::HasLog(1, "manifest of half: contributes entry without \"contributes_id\" dropped"));

  class Broken : public velto::TabContributesLazyLaodViewModel {
   public:
    Broken() : TabContributesLazyLaodViewModel("broken:tabs") {}
  } broken;
  hostkit::AttachViewModel(broken);
  EXPECT_TRUE(hostkit::HasLog(1, "The extensions for contribute(broken:tabs) are empty! please add extensions to "
                                 "the file of manifest.json."));
  EXPECT_TRUE(broken.data_source().empty());
  EXPECT_TRUE(broken.current_tab().IsNull());
  hostkit::DetachViewModel(broken);

  class Nowhere : public velto::TabContributesLazyLaodViewModel {
   public:
    Nowhere() : TabContributesLazyLaodViewModel("nowhere:tabs") {}
  } nowhere;
  hostkit::AttachViewModel(nowhere);
  EXPECT_TRUE(hostkit::HasLog(1, "Can not find contribute:nowhere:tabs, please add to the file of manifest.json."));
  hostkit::DetachViewModel(nowhere);
}

TEST_F(ExtensionFailures, AModuleThatThrowsOnFirstUseLeavesAFailedPlaceholderUntilTheNextChoice) {
  bool broken = true;
  DeclareApps(&broken);
  HomeTabs home;
  hostkit::AttachViewModel(home);
  hostkit::ClearExtensionTraffic();
  Choose(home, Id("home:apps"));
  EXPECT_TRUE(hostkit::HasLog(1, "module load threw, module:apps extension:home:apps contributes:home:tabs: "
                                 "apps library missing"));
  EXPECT_TRUE(ItemOf(home, "home:apps").GetBoolean("load_failed"));
  EXPECT_TRUE(hostkit::ExtensionTraffic().empty());  // the current tab was not even unselected
  EXPECT_EQ(home.current_tab().GetString("extension_id"), "home:meetings");

  broken = false;
  Choose(home, Id("home:apps"));
  EXPECT_FALSE(ItemOf(home, "home:apps").Has("load_failed"));
  EXPECT_EQ(home.current_tab().GetString("extension_id"), "home:apps");
  const auto loads = hostkit::ModuleLoads();
  ASSERT_EQ(loads.size(), 3u);  // meetings, apps failed, apps
  EXPECT_FALSE(loads[1].ok);
  EXPECT_EQ(loads[1].error, "apps library missing");
  EXPECT_TRUE(loads[2].ok);
  hostkit::DetachViewModel(home);
}

TEST_F(ExtensionFailures, AnActivationThatThrowsKeepsThePlaceholderAndIsTimedAsFailed) {
  DeclareApps();
  TheJournal().throw_in = "home:apps:init";
  HomeTabs home;
  hostkit::AttachViewModel(home);
  Choose(home, Id("home:apps"));
  EXPECT_TRUE(hostkit::HasLog(1, "extension load threw, module:apps extension:home:apps contributes:home:tabs: "
                                 "init broke"));
  EXPECT_TRUE(ItemOf(home, "home:apps").GetBoolean("load_failed"));
  EXPECT_FALSE(ItemOf(home, "home:apps").Has("parent_view"));
  EXPECT_FALSE(home.HasExtension("home:apps"));
  const auto activations = hostkit::ExtensionActivations();
  ASSERT_EQ(activations.size(), 2u);
  EXPECT_FALSE(activations[1].ok);
  EXPECT_EQ(activations[1].error, "init broke");
  EXPECT_EQ(home.current_tab().GetString("extension_id"), "home:meetings");
  EXPECT_TRUE(home.GetPropValue(velto::contributes_prop::kChildrenView).At(1).GetBoolean("load_failed"));
  hostkit::DetachViewModel(home);
}

TEST_F(ExtensionFailures, AHandlerThatThrowsCostsOnlyItsOwnTabWhichLoadsAgainWhenChosenAgain) {
  DeclareApps();
  TheJournal().throw_in = "home:apps:selected";
  HomeTabs home;
  hostkit::AttachViewModel(home);
  Choose(home, Id("home:apps"));
  EXPECT_TRUE(hostkit::HasLog(1, "extension event SetCurrentTabEvent threw, module:apps extension:home:apps "
                                 "contributes:home:tabs: selected broke"));
  EXPECT_FALSE(home.HasExtension("home:apps"));
  EXPECT_TRUE(ItemOf(home, "home:apps").GetBoolean("load_failed"));
  EXPECT_EQ(home.FindItemIndex("home:apps"), 1);  // back in its place
  EXPECT_TRUE(home.current_tab().IsNull());
  EXPECT_TRUE(home.GetPropValue(velto::tab_prop::kCurrentTab).IsNull());

  Choose(home, Id("home:meetings"));  // the rest of the area works
  EXPECT_EQ(home.current_tab().GetString("extension_id"), "home:meetings");
  TheJournal().throw_in.clear();
  Choose(home, Id("home:apps"));
  EXPECT_EQ(home.current_tab().GetString("extension_id"), "home:apps");
  EXPECT_EQ(hostkit::ModuleLoadCount("apps"), 1u);  // the module stayed; only the tab was made again
  hostkit::DetachViewModel(home);
}

TEST_F(ExtensionFailures, AThrowingTabInAnEagerContainerIsLeftOutAndTheOthersAreListed) {
  DeclareApps();
  ASSERT_TRUE(hostkit::LoadModule("meetings"));
  ASSERT_TRUE(hostkit::LoadModule("apps"));
  TheJournal().throw_in = "home:meetings:properties";
  Tabs tabs;
  hostkit::AttachViewModel(tabs);
  EXPECT_TRUE(hostkit::HasLog(1, "extension load threw, module:meetings extension:home:meetings"));
  ASSERT_EQ(tabs.data_source().size(), 1u);
  EXPECT_EQ(tabs.current_tab().GetString("extension_id"), "home:apps");
  hostkit::DetachViewModel(tabs);
}

}  // namespace
