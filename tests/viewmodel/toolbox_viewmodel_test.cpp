// The toolbox item base: what it shows (the item information, the title, the pop-up menu), what
// it sends its container through its extension (closing the menu, tips, the red dot), and what
// it hears from the container (the menu opening and closing, clicks on tips meant for it).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "extension/extension_test_support.h"
#include "hostkit/extension.h"
#include "hostkit/hostkit.h"
#include "hostkit/viewmodel.h"
#include "module_api/viewmodel/toolbox_base_viewmodel.h"

using base::variant::Variant;
using extension_test::Payloads;
using hostkit::Json;

namespace {

constexpr char kToolbox[] = "meeting:contributes:toolbox";
constexpr char kRecord[] = "record:extension:toolbox_item";

class RecordItem : public velto::ToolBoxBaseViewModel {
 public:
  std::vector<std::string> journal;
  bool red_dot = false;

  std::string GetItemTitle() override { return "Record"; }
  std::string GetExtensionId() override { return kRecord; }
  std::string GetItemIcon() override { return "record.png"; }
  bool NeedRedDod() override { return red_dot; }
  std::string GetRedDodPath() override { return "toolbox/record"; }

 protected:
  void HandleItemClickAction(const Variant* params) override {
    journal.push_back("click " + (params ? params->ToJsonStr() : std::string("null")));
  }
  void TipsItemClickAction(const Variant*) override { journal.push_back("tips"); }
  void TipsLabelClickAction(const Variant*) override { journal.push_back("tips label"); }
  void PopMenuVisible(bool visible) override { journal.push_back(visible ? "menu shown" : "menu hidden"); }
};

class ToolboxItem : public ::testing::Test {
 protected:
  void SetUp() override {
    extension_test::ResetJournal();
    extension_test::DeclareModule("record", kToolbox, {kRecord}, extension_test::MakeButtons());
    ASSERT_TRUE(hostkit::LoadModule("record"));
    area_.ActivateExtensions(nullptr);
    ASSERT_EQ(area_.data_source().size(), 1u);
    item_ = area_.data_source().At(0);
    ASSERT_TRUE(item_.Has("extension_ptr"));
    hostkit::ClearExtensionTraffic();
  }
  void TearDown() override {
    if (vm_->is_view_attached()) hostkit::DetachViewModel(*vm_);
    area_.UnActivateExtensions();
  }
  void Attach() { ASSERT_TRUE(hostkit::AttachViewModel(*vm_, item_)); }
  void Fire(const char* event, const Variant& data = Variant::Map()) {
    ASSERT_TRUE(area_.FireP2PExtensionEvent(kRecord, event, &data));
  }

  extension_test::Area area_{kToolbox};
  Variant item_;
  std::shared_ptr<RecordItem> vm_ = std::make_shared<RecordItem>();
};

TEST_F(ToolboxItem, AttachingWritesTheItemInformationAndNoRedDotWithoutOne) {
  Attach();
  EXPECT_FALSE(vm_->GetModuleExtensionInterface().expired());
  const Variant info = vm_->GetPropValue(velto::toolbox_prop::kItemInfo);
  EXPECT_EQ(info, Json(R"({
    "ToolBoxBaseItemUpdateItemInfoFields_kBooleanItemInfoEnable": true,
    "ToolBoxBaseItemUpdateItemInfoFields_kBooleanItemInfoVisible": true,
    "ToolBoxBaseItemUpdateItemInfoFields_kStringItemInfoTitle": "Record",
    "ToolBoxBaseItemUpdateItemInfoFields_kStringItemInfoDisableTipsText": "Record",
    "ToolBoxBaseItemUpdateItemInfoFields_kStringItemInfoIcon": "record.png",
    "ToolBoxBaseItemUpdateItemInfoFields_kStringItemInfoExtensionId": "record:extension:toolbox_item"})"));
  EXPECT_TRUE(Payloads("OnUpdateRedDotInfo").empty());
}

TEST_F(ToolboxItem, AnItemWithARedDotShowsItsPathAndRegistersItAfterTheInformation) {
  vm_->red_dot = true;
  Attach();
  const Variant info = vm_->GetPropValue(velto::toolbox_prop::kItemInfo);
  EXPECT_EQ(info.GetString("ToolBoxBaseItemUpdateItemInfoFields_kStringItemInfoRedDotPath"), "toolbox/record");
  EXPECT_EQ(Payloads("OnUpdateRedDotInfo"),
            (std::vector<Variant>{Json(R"({"extension_id": "record:extension:toolbox_item", "path": "toolbox/record"})")}));
  EXPECT_EQ(hostkit::TrafficLines(), (std::vector<std::string>{"command OnUpdateRedDotInfo <- " + std::string(kRecord)}));
}

TEST_F(ToolboxItem, TheContainersMenuEventsShowAndHideTheMenuWhileAttached) {
  Attach();
  Fire("PopMenuOpenEvent");
  EXPECT_TRUE(vm_->GetPropValue(velto::toolbox_prop::kPopMenuVisible).AsBoolean());
  Fire("PopMenuCloseEvent");
  EXPECT_FALSE(vm_->GetPropValue(velto::toolbox_prop::kPopMenuVisible).AsBoolean());
  EXPECT_EQ(vm_->journal, (std::vector<std::string>{"menu shown", "menu hidden"}));

  hostkit::DetachViewModel(*vm_);
  Fire("PopMenuOpenEvent");  // nobody listens any more
  EXPECT_EQ(hostkit::PropHistory(*vm_, velto::toolbox_prop::kPopMenuVisible).size(), 2u);
  EXPECT_EQ(vm_->journal.size(), 2u);
}

TEST_F(ToolboxItem, AClickRunsTheItemAndClosesTheMenuAndReportsItsStatistics) {
  Attach();
  hostkit::FireAction(*vm_, velto::toolbox_action::kItemClick, Json(R"({"statistics_report_id": "e#toolbox#record#click"})"));
  EXPECT_EQ(vm_->journal, (std::vector<std::string>{R"(click {"statistics_report_id":"e#toolbox#record#click"})"}));
  EXPECT_EQ(hostkit::CountAnalytics("e#toolbox#record#click"), 1u);
  EXPECT_EQ(hostkit::TrafficLines(), (std::vector<std::string>{"command ClosePopMenuCmd <- " + std::string(kRecord)}));

  // Any other action: only the statistics.
  hostkit::FireAction(*vm_, 0x107FB4, Json(R"({"statistics_report_id": "e#toolbox#other"})"));
  hostkit::FireAction(*vm_, 0x107FB4, Json(R"({"statistics_report_id": 7})"));
  hostkit::FireAction(*vm_, 0x107FB4);
  EXPECT_EQ(vm_->journal.size(), 1u);
  EXPECT_EQ(hostkit::CountAnalytics("e#toolbox#other"), 1u);
  EXPECT_EQ(hostkit::AnalyticsEvents().size(), 2u);
  EXPECT_EQ(Payloads("ClosePopMenuCmd").size(), 1u);
}

TEST_F(ToolboxItem, TipsRunOnlyForThisItem) {
  Attach();
  Fire("PopTipsClickEvent", Json(R"({"ToolBoxShowTipsFields_kIntegerTipsDataTipsItemId": "chat:extension:toolbox_item"})"));
  Fire("PopTipsLabelClickEvent", Json(R"({"other": 1})"));
  EXPECT_TRUE(vm_->journal.empty());
  Fire("PopTipsClickEvent", Json(R"({"ToolBoxShowTipsFields_kIntegerTipsDataTipsItemId": "record:extension:toolbox_item"})"));
  Fire("PopTipsLabelClickEvent", Json(R"({"ToolBoxShowTipsFields_kIntegerTipsDataTipsItemId": "record:extension:toolbox_item"})"));
  EXPECT_EQ(vm_->journal, (std::vector<std::string>{"tips", "tips label"}));
}

TEST_F(ToolboxItem, TheContributesIdComesFromTheCustomParameters) {
  EXPECT_EQ(vm_->GetContributesId(), "");
  EXPECT_EQ(hostkit::CountLogs(1, "extension_id is invalid."), 1u);
  hostkit::SetCustomParam(*vm_, Json(R"({"contributes_id": 3})"));
  EXPECT_EQ(vm_->GetContributesId(), "");
  EXPECT_EQ(hostkit::CountLogs(1, "extension_id is invalid."), 2u);
  hostkit::SetCustomParam(*vm_, Json(R"({"contributes_id": "meeting:contributes:toolbox"})"));
  EXPECT_EQ(vm_->GetContributesId(), kToolbox);
  hostkit::SetCustomParam(*vm_, Variant());  // a null change keeps the parameters
  EXPECT_EQ(vm_->GetContributesId(), kToolbox);
  EXPECT_EQ(vm_->custom_params(), Json(R"({"contributes_id": "meeting:contributes:toolbox"})"));
}

TEST_F(ToolboxItem, TipsAndTitleGoWhereTheyBelong) {
  Attach();
  const Variant tips = Json(R"({"text": "Recording starts"})");
  vm_->ShowTips(&tips);
  EXPECT_EQ(Payloads("ShowPopTips"), (std::vector<Variant>{Json(R"({"text": "Recording starts"})")}));
  vm_->UpdateItemTitle("Stop recording");
  EXPECT_EQ(vm_->GetPropValue(velto::toolbox_prop::kItemTitle),
            Json(R"({"ToolBoxBaseItemUpdateItemTitleFields_kStringTitle": "Stop recording"})"));
}

TEST(ToolboxItemAlone, WithoutAnExtensionCommandsAreSkipped) {
  auto vm = std::make_shared<RecordItem>();
  vm->red_dot = true;
  ASSERT_TRUE(hostkit::AttachViewModel(*vm, Json(R"({"no": "extension"})")));
  EXPECT_TRUE(vm->GetModuleExtensionInterface().expired());
  hostkit::FireAction(*vm, velto::toolbox_action::kItemClick);
  vm->ShowTips(nullptr);
  EXPECT_EQ(vm->journal, (std::vector<std::string>{"click null"}));
  EXPECT_TRUE(hostkit::ExtensionTraffic().empty());
  EXPECT_EQ(hostkit::CountLogs(1, ""), 0u);
  hostkit::DetachViewModel(*vm);
}

TEST_F(ToolboxItem, AnItemGoneWithoutDetachLeavesTheExtensionNoHandlers) {
  Attach();
  vm_.reset();
  vm_ = std::make_shared<RecordItem>();
  Fire("PopMenuOpenEvent");  // reaches no dead view model
  auto extension = std::dynamic_pointer_cast<framework::extension::ExtensionImpl>(area_.FindExtension(kRecord));
  ASSERT_NE(extension, nullptr);
  EXPECT_FALSE(extension->HasEventHandler("PopMenuOpenEvent"));
}

}  // namespace
