// The in-meeting notification builders: their field maps, the commands they send, the
// callbacks the host reaches through the map, and the cards made from open-app texts.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hostkit/hostkit.h"
#include "module_api/notification/notifications.h"

using base::Variant;
using hostkit::Json;
using velto_common::utils::inmeetingmessage::CommonMessage;
using velto_common::utils::inmeetingnotification::CommonNotify;
using velto_common::utils::inmeetingnotification::NotifyData;
using velto_common::utils::inmeetingnotification::NotifyDataSetting;
using velto_common::utils::inmeetingnotification::ParseNotifyDataFromOpenAppMsg;
using velto_common::utils::inmeetingnotification::ParseNotifyDataFromSetting;
using velto_common::utils::inmeetingnotificationcenter::NotificationCenter;

namespace {

// What the host does with a callback address found in a map it was sent.
template <typename Fn, typename... Args>
bool CallBlock(const Variant& map, std::string_view key, Args&&... args) {
  const Variant& address = map.Get(key);
  if (!address.IsPointer() || !address.AsPointer()) return false;
  (*static_cast<Fn*>(address.AsPointer()))(std::forward<Args>(args)...);
  return true;
}

}  // namespace

TEST(NotificationCenterEntry, ConstructionSetsTypeStatusAndTheCommonItem) {
  NotificationCenter entry(3, 1);
  const Variant& data = entry.GetData();
  EXPECT_EQ(data.GetInt32("notification_type"), 3);
  EXPECT_EQ(data.GetInt32("notification_status"), 1);
  EXPECT_TRUE(data.GetBoolean("conmon_ui_enable"));
  EXPECT_EQ(data.GetString("extension_id"), "extension:app.in_meeting_notification_center_common_item");
  EXPECT_EQ(data.GetString("extension_module"), "app");
  EXPECT_TRUE(data.GetBoolean("close_button_visible"));
  EXPECT_FALSE(data.Has("interactive_block"));
  EXPECT_FALSE(entry.isAutoDismiss());
}

TEST(NotificationCenterEntry, SettersFillTheirKeysAndChain) {
  NotificationCenter entry(1, 0);
  entry.SetDescription("Recording")
      .SetBoldDescription("bold")
      .SetHyperlinkDescription("link")
      .SetHyperlinkDescriptionV2("link2")
      .SetActionButtonTitle("Stop")
      .SetPositiveText("Yes")
      .SetNegativeText("No")
      .SetAutoHideTimeInterval(5000)
      .SetCloseButtonVisible(false)
      .SetCustomIconPath("/icons/rec.png")
      .SetExtensionInfo("extension:record.item", "record");
  const Variant& data = entry.GetData();
  EXPECT_EQ(data.GetString("description"), "Recording");
  EXPECT_EQ(data.GetString("bold_description"), "bold");
  EXPECT_EQ(data.GetString("hyperlink_description"), "link");
  EXPECT_EQ(data.GetString("hyperlink_description_v2"), "link2");
  EXPECT_EQ(data.GetString("action_button_title"), "Stop");
  EXPECT_EQ(data.GetString("positive_text"), "Yes");
  EXPECT_EQ(data.GetString("negative_text"), "No");
  EXPECT_TRUE(data.Get("auto_hide_time_interval").IsUnsigned());
  EXPECT_EQ(data.GetUint64("auto_hide_time_interval"), 5000u);
  EXPECT_FALSE(data.GetBoolean("close_button_visible", true));
  EXPECT_EQ(data.GetString("icon_path"), "/icons/rec.png");
  EXPECT_EQ(data.GetString("extension_id"), "extension:record.item");
  EXPECT_EQ(data.GetString("extension_module"), "record");
  EXPECT_TRUE(entry.isAutoDismiss());
  entry.SetAutoHideTimeInterval(0);
  EXPECT_FALSE(entry.isAutoDismiss());
}

TEST(NotificationCenterEntry, EmptyDescriptionIsLoggedAndStillSet) {
  NotificationCenter entry(1, 0);
  entry.SetDescription("");
  EXPECT_TRUE(hostkit::HasLog(1, "notification description is empty"));
  EXPECT_TRUE(entry.GetData().Get("description").IsString());
  hostkit::ClearLogs();
  entry.SetDescription("x");
  EXPECT_FALSE(hostkit::HasLog(1, "notification description is empty"));
}

TEST(NotificationCenterEntry, CommandsCarryTheMapAndEnableReadsTheAnswer) {
  NotificationCenter entry(2, 0);
  entry.SetDescription("d");
  entry.Show();  // no model: nothing happens
  EXPECT_FALSE(NotificationCenter::NotificationCenterEnable());

  auto& model = hostkit::InstallModel(721);
  model.Succeed(0).Succeed(1).Succeed(2).Answer(3, true);
  entry.Show();
  entry.SetDescription("changed");
  entry.Update();
  entry.Remove();
  ASSERT_EQ(model.calls().size(), 3u);
  EXPECT_EQ(model.calls()[0].command_id, 0);
  EXPECT_EQ(model.calls()[0].argument.GetString("description"), "d");
  EXPECT_EQ(model.calls()[1].command_id, 1);
  EXPECT_EQ(model.calls()[1].argument.GetString("description"), "changed");
  EXPECT_EQ(model.calls()[2].command_id, 2);
  EXPECT_EQ(model.calls()[2].argument, entry.GetData());

  EXPECT_TRUE(NotificationCenter::NotificationCenterEnable());
  EXPECT_TRUE(model.LastArgument(3).IsNull());
  model.Answer(3, false);
  EXPECT_FALSE(NotificationCenter::NotificationCenterEnable());
  model.Fail(3);
  EXPECT_FALSE(NotificationCenter::NotificationCenterEnable());
}

TEST(NotificationCenterEntry, HostCallsTheInteractiveBlockThroughTheMap) {
  auto& model = hostkit::InstallModel(721);
  std::vector<int> actions;
  model.Handle(0, [&](const Variant& map, Variant*) {
    return CallBlock<NotificationCenter::InteractiveBlock>(map, "interactive_block", 7);
  });
  {
    NotificationCenter entry(1, 0);
    entry.SetInteractiveBlock([&](int action) { actions.push_back(action); });
    entry.Show();
    EXPECT_EQ(actions, (std::vector<int>{7}));

    NotificationCenter copy(entry);
    EXPECT_NE(copy.GetData().Get("interactive_block").AsPointer(), entry.GetData().Get("interactive_block").AsPointer());
    entry.SetInteractiveBlock(nullptr);
    EXPECT_FALSE(entry.GetData().Has("interactive_block"));
    copy.Show();  // the copy's own callback, unaffected by the original's change
    EXPECT_EQ(actions, (std::vector<int>{7, 7}));
  }
}

TEST(CommonNotifyCard, TokensCountUpAndCopiesKeepThem) {
  CommonNotify first(1);
  CommonNotify second(1);
  EXPECT_GE(first.GetToken(), 1u);
  EXPECT_EQ(second.GetToken(), first.GetToken() + 1);
  EXPECT_TRUE(first.GetData().Get("token").IsUnsigned());
  CommonNotify copy(second);
  EXPECT_EQ(copy.GetToken(), second.GetToken());
  CommonNotify assigned(9);
  assigned = first;
  EXPECT_EQ(assigned.GetToken(), first.GetToken());
  EXPECT_EQ(assigned.GetData().GetInt32("type"), 1);
  CommonNotify moved(std::move(assigned));
  EXPECT_EQ(moved.GetToken(), first.GetToken());
  CommonNotify third(1);
  EXPECT_EQ(third.GetToken(), second.GetToken() + 2);  // assigned(9) took one
}

TEST(CommonNotifyCard, DefaultsOfANewCard) {
  CommonNotify card(4);
  const Variant& data = card.GetData();
  EXPECT_EQ(data.GetInt32("type"), 4);
  EXPECT_EQ(data.GetInt32("icon", -1), 0);
  for (const char* key : {"title_visible", "content_visible", "close_btn_visible", "negative_visible", "positive_visible"}) {
    EXPECT_TRUE(data.GetBoolean(key)) << key;
  }
  EXPECT_EQ(data.GetInt32("content_max_line", -1), 0);
  EXPECT_TRUE(data.Get("positive_visible_if_content_over_flow").IsBool());
  EXPECT_FALSE(data.GetBoolean("positive_visible_if_content_over_flow", true));
  EXPECT_EQ(data.size(), 10u);  // token, type and the eight display defaults
}

TEST(CommonNotifyCard, SettersFillTheirKeys) {
  CommonNotify card(1);
  card.SetTitle("Invite")
      .SetSubTitle("from Bob")
      .SetContent("Join?")
      .SetTitleFixedEnding("...")
      .SetTitleVisible(false)
      .SetContentVisible(false)
      .SetTitleBold(true)
      .SetContentMaxLine(2)
      .SetIcon(3)
      .SetIconUrl("light.png", "dark.png")
      .SetPositiveBtnText("Join")
      .SetNegativeBtnText("Later")
      .SetPositiveBtnVisible(false)
      .SetNegativeBtnVisible(false)
      .SetCloseBtnVisible(false)
      .SetPositiveBtnVisibleIfContentOverflow(true)
      .SetTimeout(8000)
      .SetPositionY(40)
      .SetShowPageScheme("velto://page/inmeeting")
      .SetExtData(Json(R"({"app_id": "a1"})"));
  const Variant& data = card.GetData();
  EXPECT_EQ(data.GetString("title"), "Invite");
  EXPECT_EQ(data.GetString("sub_title"), "from Bob");
  EXPECT_EQ(data.GetString("content"), "Join?");
  EXPECT_EQ(data.GetString("title_fixed_ending"), "...");
  EXPECT_FALSE(data.GetBoolean("title_visible", true));
  EXPECT_FALSE(data.GetBoolean("content_visible", true));
  EXPECT_TRUE(data.GetBoolean("title_bold"));
  EXPECT_EQ(data.GetInt32("content_max_line"), 2);
  EXPECT_EQ(data.GetInt32("icon"), 3);
  EXPECT_EQ(data.GetString("light_icon_url"), "light.png");
  EXPECT_EQ(data.GetString("dark_icon_url"), "dark.png");
  EXPECT_EQ(data.GetString("icon_url"), "light.png");
  EXPECT_EQ(data.GetString("positive_text"), "Join");
  EXPECT_EQ(data.GetString("negative_text"), "Later");
  EXPECT_FALSE(data.GetBoolean("positive_visible", true));
  EXPECT_FALSE(data.GetBoolean("negative_visible", true));
  EXPECT_FALSE(data.GetBoolean("close_btn_visible", true));
  EXPECT_TRUE(data.GetBoolean("positive_visible_if_content_over_flow"));
  EXPECT_EQ(data.GetInteger("timeout"), 8000);
  EXPECT_EQ(data.GetInt32("pos_y"), 40);
  EXPECT_EQ(data.GetString("show_page_scheme"), "velto://page/inmeeting");
  EXPECT_EQ(card.GetExtraData().GetString("app_id"), "a1");
  EXPECT_TRUE(CommonNotify(1).GetExtraData().IsNull());
}

TEST(CommonNotifyCard, RemoveSendsReasonFiveWithoutChangingTheCard) {
  auto& model = hostkit::InstallModel(615);
  model.Succeed(0).Succeed(1).Succeed(2).Answer(3, true);
  CommonNotify card(1);
  card.SetTitle("t");
  card.Show();
  card.Update();
  card.Remove();
  ASSERT_EQ(model.calls().size(), 3u);
  EXPECT_EQ(model.calls()[0].argument, card.GetData());
  EXPECT_EQ(model.calls()[1].command_id, 1);
  const Variant& removed = model.LastArgument(2);
  EXPECT_EQ(removed.GetInt32("remove_reason"), 5);
  EXPECT_EQ(removed.GetUint64("token"), card.GetToken());
  EXPECT_FALSE(card.GetData().Has("remove_reason"));

  EXPECT_TRUE(card.IsShowing());
  EXPECT_EQ(model.LastArgument(3).GetUint64("token"), card.GetToken());
  model.Answer(3, Json(R"({"showing": true})"));  // not a boolean: the default
  EXPECT_FALSE(card.IsShowing());
  model.Fail(3);
  EXPECT_FALSE(card.IsShowing());
  hostkit::RemoveModel(615);
  EXPECT_FALSE(card.IsShowing());
  card.Show();
  EXPECT_TRUE(hostkit::HasLog(1, "model 615 not found"));
}

TEST(CommonNotifyCard, HostReachesEveryCallbackByItsAddress) {
  std::vector<std::string> seen;
  CommonNotify card(1);
  card.SetPositiveBtnBlock([&] { seen.push_back("positive"); })
      .SetNegativeBtnBlock([&] { seen.push_back("negative"); })
      .SetCustomClickBlock([&](const std::string& text) { seen.push_back("click " + text); })
      .SetNotifyRemoveBlock([&](int reason) { seen.push_back("removed " + std::to_string(reason)); });
  const Variant& map = card.GetData();
  EXPECT_TRUE(CallBlock<CommonNotify::ButtonBlock>(map, "positive_block"));
  EXPECT_TRUE(CallBlock<CommonNotify::ButtonBlock>(map, "negative_block"));
  EXPECT_TRUE(CallBlock<CommonNotify::CustomClickBlock>(map, "custom_click_block", std::string("link")));
  EXPECT_TRUE(CallBlock<CommonNotify::RemoveBlock>(map, "notify_remove_block", 3));
  EXPECT_EQ(seen, (std::vector<std::string>{"positive", "negative", "click link", "removed 3"}));

  // A map the host kept from before a callback was replaced still reaches the current one;
  // after clearing, the stale address stays harmless.
  const Variant shown = card.GetData();
  card.SetPositiveBtnBlock([&] { seen.push_back("positive 2"); });
  EXPECT_TRUE(CallBlock<CommonNotify::ButtonBlock>(shown, "positive_block"));
  card.SetPositiveBtnBlock(nullptr);
  EXPECT_FALSE(card.GetData().Has("positive_block"));
  EXPECT_TRUE(CallBlock<CommonNotify::ButtonBlock>(shown, "positive_block"));
  EXPECT_EQ(seen.back(), "positive 2");
}

TEST(CommonNotifyCard, CopyOwnsItsCallbacksPastTheOriginal) {
  int clicks = 0;
  Variant copied_map;
  auto copy = std::make_unique<CommonNotify>(1);
  {
    CommonNotify original(1);
    original.SetPositiveBtnBlock([&] { ++clicks; });
    *copy = original;
    EXPECT_EQ(copy->GetToken(), original.GetToken());
    EXPECT_NE(copy->GetData().Get("positive_block").AsPointer(), original.GetData().Get("positive_block").AsPointer());
  }  // the original and its callbacks are gone
  EXPECT_TRUE(CallBlock<CommonNotify::ButtonBlock>(copy->GetData(), "positive_block"));
  EXPECT_EQ(clicks, 1);
  CommonNotify moved(std::move(*copy));
  copy.reset();
  EXPECT_TRUE(CallBlock<CommonNotify::ButtonBlock>(moved.GetData(), "positive_block"));  // moves keep addresses
  EXPECT_EQ(clicks, 2);
}

TEST(CommonNotifyCard, CardFromNotifyData) {
  NotifyData data("Whiteboard");
  data.content = "Alice opened the board";
  data.positive_btn_text = "Open";
  data.close_btn_visible = false;
  data.timeout = 6000;
  data.window_width = 360;
  data.window_height = 120;
  CommonNotify card(data, 7);
  const Variant& map = card.GetData();
  EXPECT_EQ(map.GetInt32("type"), 7);
  EXPECT_EQ(map.GetString("title"), "Whiteboard");
  EXPECT_EQ(map.GetString("content"), "Alice opened the board");
  EXPECT_EQ(map.GetString("positive_text"), "Open");
  EXPECT_TRUE(map.GetBoolean("positive_visible"));
  EXPECT_FALSE(map.GetBoolean("negative_visible", true));  // no text, no button
  EXPECT_FALSE(map.GetBoolean("close_btn_visible", true));
  EXPECT_EQ(map.GetInteger("timeout"), 6000);
  EXPECT_EQ(map.GetInt32("window_width"), 360);
  EXPECT_EQ(map.GetInt32("window_height"), 120);
  EXPECT_TRUE(map.Has("token"));
}

TEST(CommonMessageBar, DefaultsTokensAndSetters) {
  CommonMessage bar(2);
  CommonMessage next(2);
  EXPECT_EQ(next.GetToken(), bar.GetToken() + 1);
  EXPECT_EQ(CommonMessage(bar).GetToken(), bar.GetToken());
  const Variant& data = bar.GetData();
  EXPECT_EQ(data.GetInt32("type"), 2);
  EXPECT_EQ(data.GetInteger("timeout"), -1);
  EXPECT_TRUE(data.GetBoolean("icon_visible"));
  EXPECT_TRUE(data.Get("close_visible").IsBool());
  EXPECT_FALSE(data.GetBoolean("close_visible", true));
  EXPECT_FALSE(data.GetBoolean("link_visible", true));

  bar.SetContent("Network is poor").SetLinkContent("Details").SetTimeout(3000).SetIconVisible(false)
      .SetCloseBtnVisible(true).SetLinkBtnVisible(true);
  EXPECT_EQ(data.GetString("content"), "Network is poor");
  EXPECT_EQ(data.GetString("link_content"), "Details");
  EXPECT_EQ(data.GetInteger("timeout"), 3000);
  EXPECT_FALSE(data.GetBoolean("icon_visible", true));
  EXPECT_TRUE(data.GetBoolean("close_visible"));
  EXPECT_TRUE(data.GetBoolean("link_visible"));
}

TEST(CommonMessageBar, CommandsAndCallbacks) {
  auto& model = hostkit::InstallModel(693);
  model.Answer(0, Json(R"({"anything": 1})")).Succeed(1).Succeed(2).Answer(3, true);
  std::vector<std::string> seen;
  CommonMessage bar(1);
  bar.SetCloseBtnBlock([&] { seen.push_back("close"); })
      .SetLinkBtnBlock([&] { seen.push_back("link"); })
      .SetNotifyRemoveBlock([&](int reason) { seen.push_back("removed " + std::to_string(reason)); });
  bar.Show();
  bar.Update();
  bar.Remove();
  EXPECT_TRUE(bar.IsShowing());
  ASSERT_EQ(model.calls().size(), 4u);
  EXPECT_EQ(model.calls()[0].argument, bar.GetData());
  EXPECT_EQ(model.calls()[1].command_id, 1);
  EXPECT_EQ(model.LastArgument(2).GetInt32("remove_reason"), 5);
  EXPECT_FALSE(bar.GetData().Has("remove_reason"));

  const Variant& sent = model.LastArgument(2);
  EXPECT_TRUE(CallBlock<CommonMessage::ButtonBlock>(sent, "close_block"));
  EXPECT_TRUE(CallBlock<CommonMessage::ButtonBlock>(sent, "link_block"));
  EXPECT_TRUE(CallBlock<CommonMessage::RemoveBlock>(sent, "notify_remove_block", sent.GetInt32("remove_reason")));
  EXPECT_EQ(seen, (std::vector<std::string>{"close", "link", "removed 5"}));

  model.Answer(3, false);
  EXPECT_FALSE(bar.IsShowing());
  hostkit::RemoveModel(693);
  EXPECT_FALSE(bar.IsShowing());
}

TEST(NotifyTexts, FormatIfExistNameBindsThePlaceholdersThatOccur) {
  NotifyDataSetting setting("app1", "Whiteboard", "", "Alice", "{}", "together");
  EXPECT_EQ(setting.FormatIfExistName("{nickname} shared"), "Alice shared");
  EXPECT_EQ(setting.FormatIfExistName("{nickname} opened {web_app_name} {use_together_display}"),
            "Alice opened Whiteboard together");
  EXPECT_EQ(setting.FormatIfExistName("no placeholders {other}"), "no placeholders {other}");
  NotifyDataSetting odd("app1", "{nickname}", "", "Bob", "{}", "");
  EXPECT_EQ(odd.FormatIfExistName("{web_app_name} by {nickname}"), "{nickname} by Bob");  // values are not re-read
}

TEST(NotifyTexts, NotifyDataToVariantHasTheSevenDisplayKeys) {
  NotifyData data("Vote");
  data.content = "c";
  data.timeout = 10;
  const Variant v = data.ToVariant();
  EXPECT_EQ(v.size(), 7u);
  EXPECT_EQ(v.GetString("title"), "Vote");
  EXPECT_EQ(v.GetString("content"), "c");
  EXPECT_TRUE(v.Has("positive_btn_text"));
  EXPECT_TRUE(v.Has("negative_btn_text"));
  EXPECT_EQ(v.GetInteger("timeout"), 10);
  EXPECT_EQ(v.GetInteger("window_width", -1), 0);
  EXPECT_EQ(v.GetInteger("window_height", -1), 0);
  EXPECT_FALSE(v.Has("close_btn_visible"));
}

TEST(NotifyTexts, SettingDocumentFillsTheCardInTheCurrentLanguage) {
  const std::string document = R"({
    "zh-cn": {"open_title": "{nickname} 打开了 {web_app_name}", "open_content": "一起 {use_together_display}",
              "open_positive_btn_title": "加入", "open_negative_btn_title": ""},
    "en-us": {"open_title": "{nickname} opened {web_app_name}", "open_content": "with {use_together_display}",
              "open_positive_btn_title": 5},
    "timeout": 8000, "window_width": 0, "window_height": 200, "close_btn_visible": false})";
  NotifyDataSetting setting("app1", "Vote", "", "Alice", document, "everyone");
  NotifyData zh = ParseNotifyDataFromSetting(setting);
  EXPECT_EQ(zh.title, "Alice 打开了 Vote");
  EXPECT_EQ(zh.content, "一起 everyone");
  EXPECT_EQ(zh.positive_btn_text, "加入");
  EXPECT_EQ(zh.negative_btn_text, "");  // empty texts are not taken
  EXPECT_EQ(zh.timeout, 8000u);
  EXPECT_EQ(zh.window_width, 0);  // not positive
  EXPECT_EQ(zh.window_height, 200);
  EXPECT_FALSE(zh.close_btn_visible);

  hostkit::SetLanguage("en-us");
  NotifyData en = ParseNotifyDataFromSetting(setting);
  EXPECT_EQ(en.title, "Alice opened Vote");
  EXPECT_EQ(en.content, "with everyone");
  EXPECT_EQ(en.positive_btn_text, "");  // not a string

  NotifyDataSetting with_default("app1", "Vote", "Default text", "Alice", document, "everyone");
  EXPECT_EQ(ParseNotifyDataFromSetting(with_default).content, "Default text");
}

TEST(NotifyTexts, SettingWithoutTextsOrWithBrokenJson) {
  NotifyDataSetting broken("app1", "Vote", "", "Alice", "{not json", "");
  NotifyData data = ParseNotifyDataFromSetting(broken);
  EXPECT_EQ(data.title, "Vote");
  EXPECT_EQ(data.content, "");
  EXPECT_TRUE(hostkit::HasLog(3, "notify setting of app1 is not a JSON object"));
  NotifyDataSetting broken_with_default("app1", "Vote", "fallback", "Alice", "[1", "");
  EXPECT_EQ(ParseNotifyDataFromSetting(broken_with_default).content, "fallback");

  NotifyDataSetting no_language("app1", "Vote", "", "Alice", R"({"zh-cn": "text", "timeout": -5})", "");
  NotifyData bare = ParseNotifyDataFromSetting(no_language);
  EXPECT_EQ(bare.title, "Vote");
  EXPECT_EQ(bare.content, "");
  EXPECT_EQ(bare.timeout, 0u);
  EXPECT_TRUE(bare.close_btn_visible);
}

TEST(NotifyTexts, OpenAppMessageGivesTheCardFieldsOfItsCustomElement) {
  const Variant message = Json(R"({"message_elem_array": [
      {"elem_type": 1, "text": "hello"},
      {"elem_type": 4, "custom_elem_ext": {"nickname": "Alice", "notify_type": 2, "card_layout_type": 1,
        "title": "Pay", "confirm_btn_text": "Buy", "notify_desc": "d", "notify_main_desc": "m",
        "need_self_show_notification": true, "app_info": {"app_id": "a"}, "ext_data": "x",
        "original_price": 100, "price": 80, "current_price": 80, "has_discount": true, "discount_type": 1,
        "discount": 20, "discount_ext": "e", "percentage": 0.8, "unrelated": 1}}]})");
  const Variant fields = ParseNotifyDataFromOpenAppMsg(message);
  EXPECT_EQ(fields.size(), 18u);
  EXPECT_EQ(fields.GetString("nickname"), "Alice");
  EXPECT_EQ(fields.GetInt32("notify_type"), 2);
  EXPECT_TRUE(fields.GetBoolean("need_self_show_notification"));
  EXPECT_EQ(fields.Get("app_info").GetString("app_id"), "a");
  EXPECT_EQ(fields.GetInteger("original_price"), 100);
  EXPECT_DOUBLE_EQ(fields.GetDouble("percentage"), 0.8);
  EXPECT_FALSE(fields.Has("unrelated"));

  // Senders also put the extension as JSON text; missing keys are simply absent.
  Variant text_message = Json(R"({"message_elem_array": [{"custom_elem_ext": "{\"title\": \"T\", \"price\": 5}"}]})");
  const Variant from_text = ParseNotifyDataFromOpenAppMsg(text_message);
  EXPECT_EQ(from_text.size(), 2u);
  EXPECT_EQ(from_text.GetString("title"), "T");

  for (const char* bad : {R"({})", R"({"message_elem_array": {}})", R"({"message_elem_array": [{"text": 1}]})",
                          R"({"message_elem_array": [{"custom_elem_ext": "not json"}]})", R"("text")"}) {
    hostkit::ClearLogs();
    const Variant none = ParseNotifyDataFromOpenAppMsg(Json(bad));
    EXPECT_TRUE(none.IsMap()) << bad;
    EXPECT_EQ(none.size(), 0u) << bad;
    EXPECT_TRUE(hostkit::HasLog(3, "open app message has no custom element")) << bad;
  }
  // The first element that carries an extension decides, even when that one is unusable.
  Variant first_decides = Json(R"({"message_elem_array": [{"custom_elem_ext": ""}, {"custom_elem_ext": {"title": "T"}}]})");
  EXPECT_EQ(ParseNotifyDataFromOpenAppMsg(first_decides).size(), 0u);
}
