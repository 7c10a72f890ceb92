// Lazy areas: placeholders from the manifests or a configuration, modules and extensions
// loaded once on first use, gaps in the manifests, and modules that fail to load.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "extension_test_support.h"
#include "module_api/extension/lazy_load_base_contributes.h"

namespace {

using namespace extension_test;
using hostkit::Json;

class LazyArea : public Area, public velto::LazyLoadBaseContributes {
 public:
  using Variant = base::variant::Variant;
  explicit LazyArea(const std::string& id = "home:tabs") : Area(id), LazyLoadBaseContributes(id, &data_source()) {}
  void LoadExtension(const char* extension_id, const Variant* params) override {
    loads.push_back(extension_id);
    Area::LoadExtension(extension_id, params);
  }
  std::set<std::string> ExtensionsIdOfModuleNotLazyLoaded() override { return eager; }
  std::vector<velto::ExtensinLazyLoadingConfig> DynamicConfigExtensionLazyLoadOrNot() override { return configs; }
  void FillLazyLoadingExtensionProperties(const std::string& id,
                                          std::unordered_map<std::string, Variant>& properties) override {
    properties["title"] = "placeholder " + id;
    properties["position"] = 1;
  }
  using LazyLoadBaseContributes::DynamicRegisterExtensionInfo;
  using LazyLoadBaseContributes::DynamicUnRegisterExtensionInfo;
  using LazyLoadBaseContributes::InitContributesDataSource;
  using LazyLoadBaseContributes::LoadModuleAndExtension;

  std::vector<std::string> Ids() const {
    std::vector<std::string> ids;
    for (const Variant& item : data_source().Elements()) ids.push_back(item.GetString("extension_id"));
    return ids;
  }

  std::set<std::string> eager;
  std::vector<velto::ExtensinLazyLoadingConfig> configs;
  std::vector<std::string> loads;
};

class LazyLoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetJournal();
    DeclareModule("meetings", "home:tabs", {"home:meetings"}, MakeTabs());
    DeclareModule("apps", "home:tabs", {"home:apps", "home:store"}, MakeTabs());
  }
  void TearDown() override { area_.UnActivateExtensions(); }
  LazyArea area_;
};

TEST_F(LazyLoadTest, ManifestExtensionsBecomePlaceholdersWithoutLoadingTheirModules) {
  hostkit::DeclareManifest(Json(R"({"module": "apps", "contributes": [{"contributes_id": "home:tabs",
      "extensions": [{"extension_id": "home:legacy", "support": false}]}]})"));
  area_.InitContributesDataSource();
  EXPECT_EQ(area_.Ids(), (std::vector<std::string>{"home:apps", "home:meetings", "home:store"}));
  EXPECT_EQ(area_.data_source().At(0), Json(R"({"extension_id": "home:apps", "contributes_id": "home:tabs",
      "visible": true, "propertites": {"position": 1, "title": "placeholder home:apps"}})"));
  EXPECT_FALSE(hostkit::IsModuleLoaded("meetings"));
  EXPECT_FALSE(hostkit::IsModuleLoaded("apps"));
  EXPECT_TRUE(area_.loads.empty());
  EXPECT_EQ(area_.extension_modules().at("home:store"), "apps");
}

TEST_F(LazyLoadTest, EagerExtensionsLoadAtOnceAndOthersOnFirstUseOnlyOnce) {
  area_.eager = {"home:meetings"};
  area_.InitContributesDataSource();
  EXPECT_TRUE(hostkit::IsModuleLoaded("meetings"));
  EXPECT_EQ(area_.loads, std::vector<std::string>{"home:meetings"});
  EXPECT_TRUE(area_.HasExtension("home:meetings"));

  area_.LoadModuleAndExtension("home:apps");
  area_.LoadModuleAndExtension("home:apps");
  area_.LoadModuleAndExtension("home:store");  // same module: loaded already
  EXPECT_EQ(area_.loads, (std::vector<std::string>{"home:meetings", "home:apps", "home:store"}));
  EXPECT_EQ(hostkit::ModuleLoadCount("apps"), 1u);
  const Variant& apps = area_.data_source().At(static_cast<size_t>(area_.FindItemIndex("home:apps")));
  EXPECT_TRUE(apps.Has("parent_view"));
  EXPECT_EQ(apps.Get("propertites").GetString("title"), "tab home:apps");  // the extension's own now
}

TEST_F(LazyLoadTest, ManifestGapsAreLoggedAndLeaveTheAreaEmpty) {
  hostkit::DeclareManifest(Json(R"({"module": "empty", "contributes": [{"contributes_id": "bare:tabs"}]})"));
  LazyArea bare("bare:tabs");
  bare.data_source().Add(Json(R"({"extension_id": "kept"})"));
  bare.InitContributesDataSource();
  EXPECT_TRUE(hostkit::HasLog(1, "The extensions for contribute(bare:tabs) are empty! please add extensions to the "
                                 "file of manifest.json."));
  EXPECT_EQ(bare.Ids(), std::vector<std::string>{"kept"});
  LazyArea unknown("unknown:tabs");
  unknown.InitContributesDataSource();
  EXPECT_TRUE(hostkit::HasLog(1, "Can not find contribute:unknown:tabs, please add to the file of manifest.json."));
  EXPECT_TRUE(unknown.data_source().empty());
}

TEST_F(LazyLoadTest, AnUnknownExtensionIsLoggedAndSkipped) {
  area_.InitContributesDataSource();
  area_.LoadModuleAndExtension("home:nobody");
  EXPECT_TRUE(hostkit::HasLog(1, "Can not find extension module name for contributes. extension_id:home:nobody,"
                                 "contributes_id:home:tabs"));
  EXPECT_EQ(area_.Ids().size(), 3u);
}

TEST_F(LazyLoadTest, AConfigurationListsItsOwnExtensionsWithTheService) {
  area_.configs = {{"cfg:now", "meetings", false}, {"cfg:later", "apps", true}};
  framework::extension::GetExtensionService()->RegisterExtensionFactory(
      "cfg:now", [] { return std::make_shared<TestTab>(nullptr); });
  area_.InitContributesDataSource();
  EXPECT_EQ(area_.Ids(), (std::vector<std::string>{"cfg:later", "cfg:now"}));
  EXPECT_EQ(area_.loads, std::vector<std::string>{"cfg:now"});
  const auto infos = framework::extension::GetExtensionService()->GetExtensionInfos("home:tabs");
  ASSERT_EQ(infos.size(), 5u);  // three of the manifests, two of the configuration
  EXPECT_EQ(infos[3].extension_id(), "cfg:now");
  EXPECT_EQ(infos[4].module_name(), "apps");

  area_.DynamicRegisterExtensionInfo("late:one", "apps");
  EXPECT_EQ(area_.extension_modules().at("late:one"), "apps");
  area_.DynamicUnRegisterExtensionInfo("late:one");
  EXPECT_FALSE(area_.extension_modules().count("late:one"));
  EXPECT_EQ(framework::extension::GetExtensionService()->GetExtensionInfos("home:tabs").size(), 5u);
}

TEST_F(LazyLoadTest, AModuleThatThrowsLeavesAFailedPlaceholderAndIsTriedAgainOnTheNextUse) {
  bool broken = true;
  hostkit::RegisterModule("apps", [&](framework::module::IModuleRuntime& runtime) {
    if (broken) throw std::runtime_error("missing library");
    framework::extension::GetExtensionService()->RegisterExtensionFactory(
        "home:apps", [&runtime] { return std::make_shared<TestTab>(&runtime); });
  });
  area_.InitContributesDataSource();
  area_.LoadModuleAndExtension("home:apps");
  EXPECT_TRUE(hostkit::HasLog(1, "module load threw, module:apps extension:home:apps contributes:home:tabs: "
                                 "missing library"));
  const Variant& failed = area_.data_source().At(static_cast<size_t>(area_.FindItemIndex("home:apps")));
  EXPECT_TRUE(failed.GetBoolean("load_failed"));
  EXPECT_TRUE(area_.loads.empty());

  broken = false;
  area_.LoadModuleAndExtension("home:apps");
  const Variant& loaded = area_.data_source().At(static_cast<size_t>(area_.FindItemIndex("home:apps")));
  EXPECT_FALSE(loaded.Has("load_failed"));
  EXPECT_TRUE(area_.HasExtension("home:apps"));
}

}  // namespace
