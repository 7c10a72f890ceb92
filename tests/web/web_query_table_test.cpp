// The web family besides its page getters (web_page_slots_test.cpp): hosts and paths, common
// parameters and language, host revision, trusted domains, tickets and composed pages, against
// their sources (authorization model, client setting, ticket provider, configure service) and
// without them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/net/url.h"
#include "hostkit/hostkit.h"
#include "hostkit/platform.h"
#include "module_api/model_ids.h"
#include "module_api/web/web_util.h"
#include "query_table.h"

namespace {

namespace web = velto_common::utils::web;
namespace id = velto::model_id;
using framework::module::TokenType;
using hostkit::Json;
using hostkit::MeetingFixture;
using namespace query_table;

const std::string kHost = "https://meeting.velto.example";

// The web ticket provider of the module service. Without a ticket the redirect is opened as it
// is, said at level 3 ("get ticket failed").
Source Ticket() {
  Source source;
  source.good = [](MeetingFixture&) { hostkit::SetWebTicket(TokenType::kWebTicket, "WT"); };
  source.remove = [] { hostkit::SetTicketProviderAvailable(false); };
  source.fail = [] { hostkit::SetWebTicket(TokenType::kWebTicket, std::nullopt); };
  source.logs_when_missing = false;
  source.logs_when_failing = false;
  return source;
}

Source ConfigureService() {
  Source source;
  source.remove = [] { hostkit::SetConfigureServiceAvailable(false); };
  return source;
}

std::string QueryParams(const std::string& url, std::initializer_list<const char*> names) {
  const base::net::URL parsed = base::net::URL::From(url);
  std::string text;
  for (const char* name : names) text += std::string(name) + "=" + parsed.GetQueryParam(name) + ";";
  return text;
}

std::vector<Row> SourcedRows() {
  const Source web_language = ClientSetting("meeting.setting.language", "zh-tc");
  return {
      {"AddCommonParam",
       Flat(Answered(id::kAuthorizationModel, 3, Json(R"({"app_id": "1400000001", "app_uid": "u 9"})"))),
       [] {
         std::string url = "https://h.example/p";
         web::AddCommonParam(url);
         return QueryParams(url, {"app_id", "app_uid", "district"});
       },
       "app_id=1400000001;app_uid=u 9;district=0;", "app_id=;app_uid=;district=0;"},
      {"GetWebLanguage", web_language, [] { return web::GetWebLanguage(); }, "zh-TW", "zh-CN"},
      {"PreHandleUrl", web_language, [] { return web::PreHandleUrl("/buy.html"); }, "/hk/buy.html", "/sg/buy.html"},
      {"Generate2ExternalBrowserUrlByToken", Ticket(),
       [] { return web::Generate2ExternalBrowserUrlByToken("https://meeting.velto.example/l", "r%20"); },
       "https://meeting.velto.example/l?client_key=WT&redirect_url=r%20", "r%20"},
      {"Generate2ExternalBrowserUrlByTokenType", Ticket(),
       [] { return web::Generate2ExternalBrowserUrlByTokenType("https://meeting.velto.example/l", "r", TokenType::kWebTicket); },
       "https://meeting.velto.example/l?client_key=WT&redirect_url=r", "r"},
      {"InitWebUrlConfig", ConfigureService(),
       [] {
         const std::string result = Text(web::InitWebUrlConfig());
         return result + " " + Text(hostkit::ConfigureDelegateCount("web_url_info"));
       },
       "true 1", "false 0"},
  };
}

std::vector<Row> ArgumentRows() {
  return {
      {"UnInitWebUrlConfig", None(),
       [] {
         web::InitWebUrlConfig();
         web::UnInitWebUrlConfig();
         return Text(hostkit::ConfigureDelegateCount("web_url_info"));
       },
       "0", ""},
      {"GetSHost", None(), [] { return web::GetSHost(); }, "meeting.velto.example", ""},
      {"GetWebHost", None(),
       [] {
         web::SetWebHost("user.example");
         return web::GetWebHost();
       },
       "user.example", ""},
      {"GetSsoDomain", None(), [] { return web::GetSsoDomain(); }, ".velto.example", ""},
      {"GetSoftServicePath", None(), [] { return web::GetSoftServicePath(); }, "/declare.html", ""},
      {"GetCaptchaPath", None(), [] { return web::GetCaptchaPath(); }, "/captcha.html", ""},
      {"GetLanguageParam", None(), [] { return web::GetLanguageParam(); }, "", ""},
      {"ConvertToWebLanguage", None(), [] { return web::ConvertToWebLanguage("ko") + web::ConvertToWebLanguage("fr"); },
       "kozh-CN", ""},
      {"ReviseWebUrl", None(),
       [] {
         web::SetWebHost("user.example");
         return web::ReviseWebUrl("http://a.example/x?y=1");
       },
       "https://user.example/x?y=1", ""},
      {"ReplaceUrlDomain", None(), [] { return web::ReplaceUrlDomain("https://a.example/x"); }, "https://a.example/x",
       ""},
      {"IsUrlValid", None(),
       [] { return Text(web::IsUrlValid("https://a.example/")) + Text(web::IsUrlValid("no url")); },
       "truefalse", ""},
      {"IsUrlValidInternal", None(), [] { return Text(web::IsUrlValidInternal("/relative")); }, "false", ""},
      {"IsVeltoDomain", None(),
       [] { return Text(web::IsVeltoDomain("meeting.velto.example")) + Text(web::IsVeltoDomain("evilvelto.example")); },
       "truefalse", ""},
      {"GetDefaultSkipSecurityCheckHostList", None(),
       [] { return Text(static_cast<unsigned long>(web::GetDefaultSkipSecurityCheckHostList().size())); }, "4", ""},
      {"GetDefaultThirdAppUrlSchemeList", None(),
       [] { return web::GetDefaultThirdAppUrlSchemeList().at(0); }, "sms://", ""},
      {"Generate2ExternalBrowserUrlByToken", None(),
       [] { return web::Generate2ExternalBrowserUrlByToken("https://m.example/l", "https%3A%2F%2Fx%20y", ""); },
       "https://x y", ""},
      {"GetNetworkTypeStrById", None(), [] { return web::GetNetworkTypeStrById(5) + web::GetNetworkTypeStrById(9); },
       "ethernetunknown", ""},
      {"GetRegisterUrl", None(), [] { return web::GetRegisterUrl(); }, kHost + "/regist.html", ""},
      {"GetResetPasswordUrl", None(), [] { return web::GetResetPasswordUrl(); },
       kHost + "/reset-password-by-phone.html", ""},
      {"GetResetPasswordByEmailUrl", None(), [] { return web::GetResetPasswordByEmailUrl(); },
       kHost + "/reset-password-by-email.html", ""},
      {"GetOfficalWebSiteUrl", None(), [] { return web::GetOfficalWebSiteUrl(); }, kHost, ""},
      {"GetRoomsCastCodeToQrCodeUrl", None(), [] { return web::GetRoomsCastCodeToQrCodeUrl(); }, kHost, ""},
      {"GetOrderListUrl", None(), [] { return web::GetOrderListUrl(); }, kHost + "/v2/webinar-order/list", ""},
      {"GetOrderDetailUrl", None(), [] { return web::GetOrderDetailUrl("T9"); },
       kHost + "/v2/webinar-order/detail?tid=T9", ""},
      {"GetActivitySpaceUrl", None(), [] { return web::GetActivitySpaceUrl("menu", "h1"); },
       kHost + "/events-place/index?_from=menu&host_id=h1", ""},
      {"GetJapaneseOverseasPrivatePolicyUrl", None(),
       [] { return Text(web::IsUrlValid(web::GetJapaneseOverseasPrivatePolicyUrl())); }, "true", ""},
      {"GetJapaneseOverseasSoftWareServiceUrl", None(),
       [] { return Text(web::IsUrlValid(web::GetJapaneseOverseasSoftWareServiceUrl())); }, "true", ""},
  };
}

QUERY_TABLE_TEST(WebQueryTable, IdentityLanguageTicketsAndConfiguration, "web", SourcedRows)

QUERY_TABLE_TEST(WebQueryTable, HostsPathsRulesAndComposedPages, "web", ArgumentRows)

}  // namespace
