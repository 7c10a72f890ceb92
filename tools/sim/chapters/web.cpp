// Web pages: server page addresses, a user web host, and pages opened in the inner web view and
// in the external browser, printed as the addresses and navigations the library produced.
#include <memory>
#include <optional>
#include <string>

#include "hostkit/navigation.h"
#include "hostkit/platform.h"
#include "module_api/web/web_util.h"
#include "module_api/web/web_view.h"
#include "sim.h"

namespace {

namespace web = velto_common::utils::web;

// {"do": "web_config", "document": {...}}: the server sends a "web_url_info" document.
bool DeliverWebConfig(const sim::Variant& step, sim::Context&) {
  web::InitWebUrlConfig();
  const size_t delegates = hostkit::DeliverConfigureValue("web_url_info", veltosdk::ConfigureValueType::kJson,
                                                          step.Get("document").ToJsonStr());
  sim::Print("web_url_info delivered to " + std::to_string(delegates) + " delegate(s)");
  return true;
}

// {"do": "web_host", "host": "..."}: the user picks a web host ("" clears it).
bool SetUserWebHost(const sim::Variant& step, sim::Context&) {
  web::SetWebHost(step.GetString("host"));
  sim::Print("user web host: \"" + step.GetString("host") + "\"");
  return true;
}

// {"do": "open_web", "url": "...", "inner": true, "push_type": 0, "instance_id": "",
//  "scheme": "", "ticket": "..."}: opens a page and prints where it went.
bool OpenWeb(const sim::Variant& step, sim::Context&) {
  if (step.Has("ticket")) hostkit::SetWebTicket(framework::module::TokenType::kWebTicket, step.GetString("ticket"));
  velto::NavigateParams navigate;
  navigate.push_type = step.GetInt32("push_type");
  navigate.instance_id = step.GetString("instance_id");
  navigate.scheme = step.GetString("scheme");
  navigate.navigation_scheme = step.GetString("navigation_scheme");
  const size_t navigations = hostkit::Navigations().size();
  const size_t opened = hostkit::OpenedTargets().size();
  auto context = std::make_shared<framework::Context>(step.GetInteger("view_ref", 1));
  std::optional<sim::Variant> params;
  if (step.Has("params")) params = step.Get("params");
  sim::Print("open " + step.GetString("url") + (step.GetBoolean("inner") ? " (inner web view asked)" : " (browser asked)"));
  velto::OpenWebPage(step.GetString("url"), context, step.GetBoolean("inner"), params, std::move(navigate));
  for (size_t i = navigations; i < hostkit::Navigations().size(); ++i) {
    const hostkit::Navigation& nav = hostkit::Navigations()[i];
    sim::Print(std::string("  navigator ") + hostkit::NavigationKindName(nav.kind) + " page=" + nav.page +
               " stack=" + std::to_string(nav.page_stack) + (nav.instance_id.empty() ? "" : " instance=" + nav.instance_id) +
               " url=" + (nav.kind == hostkit::NavigationKind::kNavigate ? nav.arguments.Get("router_param").GetString("url")
                                                                          : nav.arguments.GetString("url")));
  }
  for (size_t i = opened; i < hostkit::OpenedTargets().size(); ++i) {
    sim::Print("  browser opens " + hostkit::OpenedTargets()[i]);
  }
  if (hostkit::Navigations().size() == navigations && hostkit::OpenedTargets().size() == opened) {
    sim::Print("  nothing opened");
  }
  return true;
}

std::string WithCommonParams(std::string url) {
  web::AddCommonParam(url);
  return url;
}

const bool kRegistered = [] {
  sim::RegisterAction("web_config",
                      {"The server sends its \"web_url_info\" page-address document.",
                       {sim::Record("document", "the document").Required()}},
                      DeliverWebConfig);
  sim::RegisterAction("web_host", {"The user picks a web host (\"\" clears it).", {sim::Str("host", "the host").Required()}},
                      SetUserWebHost);
  sim::RegisterAction("open_web",
                      {"Opens a web page, in the inner web view or the browser, and prints where it went.",
                       {sim::Str("url", "the address").Required(), sim::Bool("inner", "ask for the inner web view"),
                        sim::Int("push_type", 0, 100, "how the page is pushed"),
                        sim::Str("instance_id", "the page instance"), sim::Str("scheme", "the page scheme"),
                        sim::Str("navigation_scheme", "the navigation animation"),
                        sim::Str("ticket", "the web ticket the host holds (never printed)"),
                        sim::Int("view_ref", 0, sim::kMaxId, "the opening view (1)"),
                        sim::Value("params", "extra page parameters")}},
                      OpenWeb);
  sim::RegisterQuery("web.GetVipBuyUrl", [] { return web::GetVipBuyUrl(); });
  sim::RegisterQuery("web.GetContactUsUrl", [] { return web::GetContactUsUrl(); });
  sim::RegisterQuery("web.GetRegisterUrl", [] { return web::GetRegisterUrl(); });
  sim::RegisterQuery("web.GetWebHost", [] { return web::GetWebHost(); });
  sim::RegisterQuery("web.GetCloudRecordStorageUrl+AddCommonParam",
                     [] { return WithCommonParams(web::GetCloudRecordStorageUrl()); });

  sim::RegisterChapter(400, R"json({
    "name": "Web pages: server addresses, user web host, inner web view and external browser",
    "models": {
      "504": {"answers": {"3": {"auth_state": 2, "app_id": "200000001", "app_uid": "u-42"}}}
    },
    "timeline": [
      {"at": 0, "do": "ask", "queries": ["web.GetWebHost", "web.GetVipBuyUrl", "web.GetRegisterUrl",
                                          "web.GetCloudRecordStorageUrl+AddCommonParam"]},
      {"at": 100, "do": "print", "text": "the server sends page addresses; one of them is not a URL"},
      {"at": 100, "do": "web_config", "document": {"host": "meet.server.example",
          "user_buy_vip_url": "https://meeting.velto.example/v3/buy/vip", "contact_us_url": "contact us"}},
      {"at": 100, "do": "ask", "queries": ["web.GetVipBuyUrl", "web.GetContactUsUrl", "web.GetRegisterUrl"]},
      {"at": 200, "do": "web_host", "host": "private.customer.example"},
      {"at": 200, "do": "ask", "queries": ["web.GetVipBuyUrl"]},
      {"at": 300, "do": "web_host", "host": ""},
      {"at": 300, "do": "open_web", "url": "https://meeting.velto.example/v2/buy/dialog/vip", "inner": true,
       "push_type": 3, "instance_id": "vip", "navigation_scheme": "fade"},
      {"at": 400, "do": "open_web", "url": "https://docs.other.example/guide?wv_navigate_style=1", "inner": true},
      {"at": 500, "do": "open_web", "url": "https://other.example/help?vl_wv_setting=1", "inner": false},
      {"at": 600, "do": "open_web", "url": "https://meeting.velto.example/v2/form?id=7&vl_wv_setting=3",
       "inner": true, "ticket": "TK-7"},
      {"at": 600, "do": "print", "text": "the login ticket goes only to the product's own pages"},
      {"at": 600, "do": "open_web", "url": "https://other.example/form?id=7&vl_wv_setting=3", "inner": true},
      {"at": 600, "do": "open_web", "url": "https://x@meeting.velto.example@other.example/form?vl_wv_setting=3",
       "inner": true},
      {"at": 600, "do": "open_web", "url": "javascript:alert(1)", "inner": false},
      {"at": 650, "do": "open_web", "url": "https://other.example/form/{id} now", "inner": false},
      {"at": 700, "do": "open_web", "url": "https://meeting.velto.example/v2/webinar-qa/desktop", "inner": true,
       "push_type": 6},
      {"at": 800, "do": "open_web", "url": "", "inner": false}
    ]
  })json");
  return true;
}();

}  // namespace
