// Web-view decisions: style parameters, push and pop types, the external browser, tickets.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "base/net/url.h"
#include "hostkit/hostkit.h"
#include "hostkit/navigation.h"
#include "hostkit/platform.h"
#include "module_api/web/web_util.h"
#include "module_api/web/web_view.h"

using base::variant::Variant;
using hostkit::Json;
using hostkit::NavigationKind;

namespace {

constexpr char kTrusted[] = "https://meeting.velto.example/page";
constexpr char kOther[] = "https://other.example/page";

std::shared_ptr<const framework::Context> Ctx(int64_t view_ref = 77) {
  return std::make_shared<framework::Context>(view_ref);
}

// Where the address ended: "inner" (a navigation), "browser" (opened) or "none".
std::string Open(const std::string& url, bool use_inner, velto::NavigateParams navigate = {}) {
  const size_t navigations = hostkit::Navigations().size();
  const size_t opened = hostkit::OpenedTargets().size();
  velto::OpenWebPage(url, Ctx(), use_inner, std::nullopt, std::move(navigate));
  if (hostkit::Navigations().size() > navigations) return "inner";
  if (hostkit::OpenedTargets().size() > opened) return "browser";
  return "none";
}

}  // namespace

TEST(WebViewStyle, NavigateStyleBitsDecideOnlyWhenBitZeroIsSet) {
  struct Case {
    const char* query;
    bool asked_inner;
    const char* expected;
  } cases[] = {
      {"", true, "inner"},
      {"", false, "browser"},
      {"?wv_navigate_style=1", true, "browser"},   // choice allowed, not in the app
      {"?wv_navigate_style=2", false, "browser"},  // bit 0 clear: the caller decides
      {"?wv_navigate_style=2", true, "inner"},
      {"?wv_navigate_style=3", false, "inner"},
      {"?wv_navigate_style=abc", false, "browser"},
      {"?wv_navigate_style=", true, "inner"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Open(std::string(kOther) + c.query, c.asked_inner), c.expected) << c.query << " " << c.asked_inner;
  }
}

TEST(WebViewStyle, WvSettingOverridesTheCallerAndTheNavigateStyle) {
  struct Case {
    const char* query;
    bool asked_inner;
    const char* expected;
  } cases[] = {
      {"?vl_wv_setting=2", true, "browser"},
      {"?vl_wv_setting=1", false, "inner"},
      {"?vl_wv_setting=3", true, "browser"},
      {"?vl_wv_setting=0", false, "browser"},  // 0: the caller's choice stands
      {"?vl_wv_setting=0", true, "inner"},
      {"?wv_navigate_style=3&vl_wv_setting=2", true, "browser"},
      {"?wv_navigate_style=1&vl_wv_setting=1", false, "inner"},
      {"?vl_wv_setting=%32", true, "browser"},  // the value is decoded first
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Open(std::string(kOther) + c.query, c.asked_inner), c.expected) << c.query << " " << c.asked_inner;
  }
}

TEST(WebViewStyle, ParsersFillTheirKeysAndRefuseNonHttp) {
  Variant out = Variant::Map();
  EXPECT_TRUE(velto::ParseNavigateStyleFromUrl("https%3A%2F%2Fa.example%2F%3Fwv_navigate_style%3D1", out));
  EXPECT_TRUE(out.GetBoolean("is_support_set_open_in_app_state"));
  EXPECT_FALSE(out.GetBoolean("open_in_app_state", true));

  out = Variant::Map();
  EXPECT_TRUE(velto::ParseUIStyleOfWVSetting("https://a.example/?vl_wv_setting=3", out));
  EXPECT_TRUE(out.GetBoolean("is_need_login_state"));
  EXPECT_TRUE(out.GetBoolean("is_open_by_browser"));

  hostkit::ClearLogs();
  EXPECT_FALSE(velto::ParseNavigateStyleFromUrl("ftp://a.example/?wv_navigate_style=3", out));
  EXPECT_FALSE(velto::ParseUIStyleOfWVSetting("velto://page/x?vl_wv_setting=3", out));
  EXPECT_EQ(hostkit::CountLogs(3, "no http or https url"), 2u);
  EXPECT_FALSE(velto::ParseUIStyleOfWVSetting("https://a.example/?x=1", out));
  EXPECT_TRUE(hostkit::HasLog(6, "no vl_wv_setting param."));
  EXPECT_FALSE(velto::ParseUIStyleOfWVSetting("https://a.example/?vl_wv_setting=0", out));
  EXPECT_TRUE(hostkit::HasLog(6, "vl_wv_setting_val == 0."));
}

TEST(WebViewStyle, NumericValuesFollowTheLooseNumberRule) {
  const std::pair<const char*, bool> values[] = {{"1.5", true},  {"-1", true},  {"1-", false}, {"1..2", false},
                                                 {"1e3", false}, {" 1", false}, {"+1", false}, {"3", true}};
  for (const auto& [value, numeric] : values) {
    Variant out = Variant::Map();
    EXPECT_EQ(velto::ParseNavigateStyleFromUrl(std::string("https://a.example/?wv_navigate_style=") + value, out),
              numeric)
        << value;
  }
  Variant out = Variant::Map();
  velto::ParseNavigateStyleFromUrl("https://a.example/?wv_navigate_style=-1", out);  // wraps: every bit set
  EXPECT_TRUE(out.GetBoolean("open_in_app_state"));
  velto::ParseNavigateStyleFromUrl("https://a.example/?wv_navigate_style=99999999999999999999999", out);
  EXPECT_TRUE(out.GetBoolean("is_support_set_open_in_app_state"));
}

TEST(WebViewPages, PageParametersCarryDecisionFlagsTimeAndUrl) {
  hostkit::SetServerTimeMs(1700000012345);
  velto::NavigateParams navigate;
  navigate.add_new_task_flag = true;
  velto::OpenWebPage(kOther, Ctx(), true, Json(R"({"title": "Help"})"), std::move(navigate));
  ASSERT_EQ(hostkit::Navigations().size(), 1u);
  const Variant& args = hostkit::Navigations()[0].arguments;
  EXPECT_EQ(args.GetString("title"), "Help");
  EXPECT_TRUE(args.GetBoolean("use_inner_webview"));
  EXPECT_TRUE(args.GetBoolean("add_new_task_flag"));
  EXPECT_TRUE(args.GetBoolean("is_use_standard_interface"));
  EXPECT_EQ(args.GetUint64("click_web_from_start"), 1700000012345u);
  EXPECT_EQ(args.GetString("url"), kOther);
}

TEST(WebViewPages, TrustedAddressesGetTheAppLanguageOthersPassUnchanged) {
  hostkit::Settings().app_language = "zh-cn";
  velto::OpenWebPage(std::string(kTrusted) + "?a=1", Ctx(), true, std::nullopt, {});
  EXPECT_EQ(hostkit::Navigations().back().arguments.GetString("url"), std::string(kTrusted) + "?a=1&app_lang=zh-cn");
  velto::OpenWebPage(std::string(kTrusted) + "?app_lang=en", Ctx(), true, std::nullopt, {});
  EXPECT_EQ(hostkit::Navigations().back().arguments.GetString("url"), std::string(kTrusted) + "?app_lang=zh-cn");
  velto::OpenWebPage(kOther, Ctx(), true, std::nullopt, {});
  EXPECT_EQ(hostkit::Navigations().back().arguments.GetString("url"), kOther);
  // Switching the interface language switches the page language with it.
  hostkit::SetLanguage("en-us");
  velto::OpenWebPage(kTrusted, Ctx(), true, std::nullopt, {});
  EXPECT_EQ(hostkit::Navigations().back().arguments.GetString("url"), std::string(kTrusted) + "?app_lang=en-us");
}

TEST(WebViewPages, EachPushTypeUsesItsNavigatorOperation) {
  struct Case {
    int push_type;
    NavigationKind kind;
    bool has_navigation_scheme;
    bool completes;
  } cases[] = {
      {0, NavigationKind::kPush, false, true},
      {1, NavigationKind::kPush, true, true},
      {2, NavigationKind::kPushWithInstanceId, false, true},
      {3, NavigationKind::kPushModal, true, true},
      {4, NavigationKind::kPushModalWithInstanceId, true, true},
      {5, NavigationKind::kPushWithClosingOthers, false, false},
      {6, NavigationKind::kNavigate, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.push_type);
    hostkit::ClearNavigations();
    velto::NavigateParams navigate;
    navigate.push_type = c.push_type;
    navigate.page_stack = framework::PageStack::kMain;
    navigate.navigation_scheme = "slide";
    auto result = velto::OpenWebPage(kOther, Ctx(), true, std::nullopt, std::move(navigate));
    ASSERT_EQ(hostkit::Navigations().size(), 1u);
    const hostkit::Navigation& nav = hostkit::Navigations()[0];
    EXPECT_EQ(nav.kind, c.kind);
    EXPECT_EQ(nav.has_navigation_scheme, c.has_navigation_scheme);
    if (c.kind != NavigationKind::kNavigate) {
      EXPECT_EQ(nav.page, "velto://page/webview");
      EXPECT_EQ(nav.page_stack, 2);
      EXPECT_EQ(nav.view_ref, 77);
      EXPECT_EQ(nav.arguments.GetString("url"), kOther);
    }
    EXPECT_EQ(hostkit::CompletePush(0, Json(R"({"closed": true})")), c.completes);
    hostkit::RunUntilIdle();
    EXPECT_EQ(result.IsReady(), c.completes);
    if (c.completes) {
      EXPECT_TRUE(result.Get().GetBoolean("closed"));
    }
  }
  hostkit::ClearNavigations();
  velto::NavigateParams unknown;
  unknown.push_type = 9;
  velto::OpenWebPage(kOther, Ctx(), true, std::nullopt, std::move(unknown));
  EXPECT_TRUE(hostkit::Navigations().empty());
}

TEST(WebViewPages, InstanceIdSelectsInstancePushesWhateverThePushType) {
  for (int push_type : {0, 1, 3, 5, 6}) {
    hostkit::ClearNavigations();
    velto::NavigateParams navigate;
    navigate.push_type = push_type;
    navigate.instance_id = "help";
    navigate.navigation_scheme = "fade";
    velto::OpenWebPage(kOther, Ctx(), true, std::nullopt, std::move(navigate));
    ASSERT_EQ(hostkit::Navigations().size(), 1u);
    const hostkit::Navigation& nav = hostkit::Navigations()[0];
    EXPECT_EQ(nav.kind, push_type == 0 ? NavigationKind::kPushWithInstanceId
                                       : NavigationKind::kPushModalWithInstanceId)
        << push_type;
    EXPECT_EQ(nav.instance_id, "help");
  }
}

TEST(WebViewPages, PlainPushOfTheWebViewWarnsAboutTheMissingInstance) {
  velto::OpenWebPage(kOther, Ctx(), true, std::nullopt, {});
  EXPECT_TRUE(hostkit::HasLog(4, "navigate_params instance_id is empty"));
  hostkit::ClearLogs();
  velto::NavigateParams navigate;
  navigate.scheme = "velto://page/custom";
  velto::OpenWebPage(kOther, Ctx(), true, std::nullopt, std::move(navigate));
  EXPECT_FALSE(hostkit::HasLog(4, "navigate_params instance_id is empty"));
  EXPECT_EQ(hostkit::Navigations().back().page, "velto://page/custom");
}

TEST(WebViewPages, RouterNavigationBuildsTheRouterMap) {
  velto::NavigateParams navigate;
  navigate.push_type = 6;
  navigate.action_flag = 4;
  velto::OpenWebPage(kOther, Ctx(55), true, Json(R"({"router_method": "open"})"), std::move(navigate));
  const hostkit::Navigation& nav = hostkit::Navigations().back();
  EXPECT_EQ(nav.kind, NavigationKind::kNavigate);
  EXPECT_EQ(nav.flag, 0);
  EXPECT_EQ(nav.page, "");  // the scheme field itself
  const Variant& router = nav.arguments;
  EXPECT_EQ(router.GetString("router_scheme"), "velto://page/webview");
  EXPECT_EQ(router.GetString("router_navigation_scheme"), "navgitaion_none");
  EXPECT_EQ(router.GetInteger("router_action_flag"), 4);
  EXPECT_EQ(router.GetString("router_method"), "open");
  EXPECT_EQ(router.Get("router_param").GetString("url"), kOther);
  EXPECT_EQ(router.GetInteger("router_context"), 55);
}

TEST(WebViewPages, WithoutAContextNothingOpensInTheWebView) {
  auto result = velto::OpenWebPage(kOther, nullptr, true, std::nullopt, {});
  EXPECT_TRUE(hostkit::HasLog(1, "context is nullptr."));
  EXPECT_TRUE(hostkit::Navigations().empty());
  EXPECT_FALSE(result.IsReady());
  // The browser needs no context.
  velto::OpenWebPage(kOther, nullptr, false, std::nullopt, {});
  EXPECT_EQ(hostkit::OpenedTargets().size(), 1u);
}

TEST(WebViewBrowser, EscapesBlanksAndBracesOfHttpAddressesOnly) {
  velto::OpenWebPage("https://other.example/a b/{id}?q={x y}", Ctx(), false, std::nullopt, {});
  ASSERT_EQ(hostkit::OpenedTargets().size(), 1u);
  EXPECT_EQ(hostkit::OpenedTargets()[0], "https://other.example/a%20b/%7Bid%7D?q=%7Bx%20y%7D");
  velto::OpenWebPage("", Ctx(), false, std::nullopt, {});
  EXPECT_TRUE(hostkit::HasLog(3, "navigate_url is empty"));
  EXPECT_EQ(hostkit::OpenedTargets().size(), 1u);
}

TEST(WebViewBrowser, LoginStateGoesThroughTheMiddleLoginPageWithATicket) {
  hostkit::SetWebTicket(framework::module::TokenType::kWebTicket, "tk-S3CRET-1");
  velto::OpenWebPage(std::string(kTrusted) + "?vl_wv_setting=3", Ctx(), true, std::nullopt, {});
  ASSERT_EQ(hostkit::OpenedTargets().size(), 1u);
  const std::string opened = hostkit::OpenedTargets()[0];
  EXPECT_EQ(opened.rfind("https://meeting.velto.example/v2/login/middle?client_key=tk-S3CRET-1&redirect_url=", 0), 0u)
      << opened;
  EXPECT_EQ(base::net::URL::From(opened).GetQueryParam("redirect_url"),
            std::string(kTrusted) + "?vl_wv_setting=3&app_lang=zh-cn");
}

TEST(WebViewClose, PopTypesAndInstanceIds) {
  struct Case {
    int pop_type;
    NavigationKind kind;
  } cases[] = {{0, NavigationKind::kPopOther},
               {1, NavigationKind::kPopOtherWithInstanceId},
               {2, NavigationKind::kPop},
               {3, NavigationKind::kPopAll},
               {4, NavigationKind::kPopUntil},
               {5, NavigationKind::kNavigate}};
  for (const Case& c : cases) {
    hostkit::ClearNavigations();
    velto::NavigateParams navigate;
    navigate.pop_type = c.pop_type;
    navigate.page_stack = framework::PageStack::kRoot;  // closing ignores it: stack 1
    velto::CloseWebPage(Ctx(), std::move(navigate));
    ASSERT_EQ(hostkit::Navigations().size(), 1u) << c.pop_type;
    const hostkit::Navigation& nav = hostkit::Navigations()[0];
    EXPECT_EQ(nav.kind, c.kind) << c.pop_type;
    if (c.kind == NavigationKind::kNavigate) {
      EXPECT_FALSE(nav.arguments.Has("router_param"));
    } else {
      EXPECT_EQ(nav.page_stack, 1);
    }
  }
  for (int pop_type : {0, 2, 3, 4, 5, 9}) {
    hostkit::ClearNavigations();
    velto::NavigateParams navigate;
    navigate.pop_type = pop_type;
    navigate.instance_id = "help";
    velto::CloseWebPage(Ctx(), std::move(navigate));
    ASSERT_EQ(hostkit::Navigations().size(), 1u);
    EXPECT_EQ(hostkit::Navigations()[0].kind, NavigationKind::kPopOtherWithInstanceId);
    EXPECT_EQ(hostkit::Navigations()[0].instance_id, "help");
  }
  hostkit::ClearNavigations();
  velto::NavigateParams unknown;
  unknown.pop_type = 6;
  velto::CloseWebPage(Ctx(), std::move(unknown));
  velto::CloseWebPage(nullptr, {});
  EXPECT_TRUE(hostkit::Navigations().empty());
  EXPECT_TRUE(hostkit::HasLog(1, "context is nullptr."));
}

TEST(WebTicketTypes, AcceptedTypesOfTrustedAddressesOnly) {
  const std::string base = std::string(kTrusted) + "?web_ticket_type=";
  for (const char* type : {"W9", "W10", "W14", "NULL"}) EXPECT_EQ(velto::ParseWebTicketTypeFromUrl(base + type), type);
  hostkit::ClearLogs();
  EXPECT_EQ(velto::ParseWebTicketTypeFromUrl(kTrusted), "");
  EXPECT_TRUE(hostkit::Logs().empty());
  EXPECT_EQ(velto::ParseWebTicketTypeFromUrl(base + "W11"), "");
  EXPECT_TRUE(hostkit::HasLog(3, "invalid web ticket type"));
  EXPECT_EQ(velto::ParseWebTicketTypeFromUrl(std::string(kOther) + "?web_ticket_type=W9"), "");
  EXPECT_EQ(velto::ParseWebTicketTypeFromUrl(""), "");
  EXPECT_TRUE(hostkit::HasLog(3, "invalid params"));
  EXPECT_EQ(velto::ParseWebTicketTypeFromUrl("velto://x?web_ticket_type=W9"), "");
  EXPECT_TRUE(hostkit::HasLog(3, "no http or https url"));
  EXPECT_TRUE(velto::IsWebTicketNull("NULL"));
  EXPECT_FALSE(velto::IsWebTicketNull("null"));
}
