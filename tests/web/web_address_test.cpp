// Address composition: common parameters, language, host revision, trusted domains, the
// external-browser address with a ticket, and the composed pages.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "base/net/url.h"
#include "hostkit/hostkit.h"
#include "hostkit/platform.h"
#include "module_api/account/account_utils.h"
#include "module_api/web/web_util.h"

namespace web = velto_common::utils::web;
namespace account = velto_common::utils::account;
using framework::module::TokenType;
using hostkit::Json;

namespace {

void ScriptIdentity() {
  hostkit::SetDeviceInfo({"Linux", "6.1.0 amd64", "dev/id+1", "Think Pad"});
  hostkit::Environment().package_version = "3.26.0.100";
  hostkit::InstallModel(504).Answer(3, Json(R"({"app_id": "app 1", "app_uid": "u&2", "auth_state": 2})"));
}

constexpr char kLogin[] = "https://meeting.velto.example/login";
constexpr char kTicket[] = "tk-S3CRET-1";

}  // namespace

TEST(WebCommonParams, AppendsInOrderEncodingAllButLanguageAndDistrict) {
  ScriptIdentity();
  hostkit::Settings().version_language = "en-us";
  std::string url = "https://meeting.velto.example/p";
  web::AddCommonParam(url);
  EXPECT_EQ(url,
            "https://meeting.velto.example/p?client_version=3.26.0.100&os=Linux&os_version=6.1.0%20amd64"
            "&imei=dev%2Fid%2B1&app_id=app%201&app_uid=u%262&c_lang=en-us&model=Think%20Pad&district=0");
}

TEST(WebCommonParams, AnExistingQueryIsContinuedWithAmpersand) {
  ScriptIdentity();
  std::string url = "https://meeting.velto.example/p?from=menu#top";
  web::AddCommonParam(url);
  EXPECT_EQ(url.rfind("https://meeting.velto.example/p?from=menu&client_version=", 0), 0u) << url;
  EXPECT_NE(url.find("&c_lang=zh-cn&"), std::string::npos) << url;
  EXPECT_NE(url.find("&district=0#top"), std::string::npos) << url;
  EXPECT_EQ(base::net::URL::From(url).GetQueryParam("app_uid"), "u&2");
}

TEST(WebCommonParams, EmptyVersionLanguageSendsZhCnAndMissingIdentitySendsEmptyValues) {
  hostkit::Settings().version_language = "";
  std::string url = "https://h.example/";
  web::AddCommonParam(url);
  const base::net::URL parsed = base::net::URL::From(url);
  EXPECT_EQ(parsed.GetQueryParam("c_lang"), "zh-cn");
  EXPECT_TRUE(parsed.HasQueryParam("app_id"));
  EXPECT_EQ(parsed.GetQueryParam("app_id"), "");
  EXPECT_TRUE(hostkit::HasLog(1, "model 504 not found"));
}

TEST(WebLanguage, LanguageParamOnlyForExactlyEnUs) {
  hostkit::Settings().version_language = "en-us";
  EXPECT_EQ(web::GetLanguageParam(), "?lang=en");
  EXPECT_EQ(web::GetRegisterUrl(), "https://meeting.velto.example/regist.html?lang=en");
  for (const char* other : {"en-gb", "EN-US", "zh-cn", ""}) {
    hostkit::Settings().version_language = other;
    EXPECT_EQ(web::GetLanguageParam(), "") << other;
  }
}

TEST(WebLanguage, ClientLanguagesMapToWebLanguages) {
  const std::pair<const char*, const char*> table[] = {
      {"zh-cn", "zh-CN"}, {"en-us", "en"}, {"zh-tc", "zh-TW"}, {"ja", "ja"}, {"ko", "ko"},
      {"ms", "ms"},       {"ru", "ru"},    {"fr", "zh-CN"},    {"", "zh-CN"}, {"EN-US", "zh-CN"}};
  for (const auto& [client, expected] : table) EXPECT_EQ(web::ConvertToWebLanguage(client), expected) << client;
}

TEST(WebLanguage, WebLanguageAsksTheConfigurationModelAndPrefixesRegions) {
  auto& config = hostkit::InstallModel(517);
  config.Answer(1, "zh-tc");
  EXPECT_EQ(web::GetWebLanguage(), "zh-TW");
  const base::variant::Variant argument = config.LastArgument(1);
  EXPECT_EQ(argument.GetString("key"), "meeting.setting.language");
  EXPECT_TRUE(argument.Get("def_value").IsString());
  EXPECT_EQ(web::PreHandleUrl("/buy.html"), "/hk/buy.html");
  config.Answer(1, "zh-cn");
  EXPECT_EQ(web::PreHandleUrl("/buy.html"), "/sg/buy.html");
  config.Answer(1, "ja");
  EXPECT_EQ(web::PreHandleUrl("/buy.html"), "/buy.html");
  config.Answer(1, 3);  // not text: the default "" maps to zh-CN
  EXPECT_EQ(web::GetWebLanguage(), "zh-CN");
}

TEST(WebHostRevision, ReplacesSchemeAndHostOnlyWithAUserWebHost) {
  EXPECT_EQ(web::ReviseWebUrl("http://a.example/x?y=1"), "http://a.example/x?y=1");
  web::SetWebHost("user.example:8443");
  EXPECT_EQ(web::ReviseWebUrl("http://a.example/x?y=https://b.example/"), "https://user.example:8443/x?y=https://b.example/");
  EXPECT_EQ(web::ReviseWebUrl("https://a.example"), "https://user.example:8443");
  EXPECT_TRUE(hostkit::HasLog(6, "url revised: https://user.example:8443"));
  // Without a scheme, or with another one, nothing to revise.
  EXPECT_EQ(web::ReviseWebUrl("a.example/x"), "a.example/x");
  EXPECT_EQ(web::ReviseWebUrl("ftp://a.example/x"), "ftp://a.example/x");
  EXPECT_EQ(web::ReviseWebUrl(""), "");
}

TEST(WebHostRevision, VipBuyAndAccountPagesFollowTheUserWebHost) {
  web::SetWebHost("user.example");
  EXPECT_EQ(web::GetVipBuyUrl(), "https://user.example/v2/buy/dialog/vip");
  EXPECT_EQ(account::makeAppealURL("ap-S3CRET-1"), "https://user.example/v2/unblock-login?appeal_code=ap-S3CRET-1");
  EXPECT_EQ(account::makeAccountRiskVerifyURL("2", "att-S3CRET", 1700000000),
            "https://user.example/v2/account-risk-verify?opera_type=2&attestation_code=att-S3CRET"
            "&verify_code_expire_time=1700000000");
  EXPECT_EQ(web::GetOrderDetailUrl("T9"), "https://user.example/v2/webinar-order/detail?tid=T9");
  EXPECT_EQ(web::GetActivitySpaceUrl("menu", "h1"), "https://user.example/events-place/index?_from=menu&host_id=h1");
  EXPECT_EQ(web::GetOfficalWebSiteUrl(), "https://user.example");
}

TEST(WebHostRevision, VerifyAddressesEncodeTheirParameters) {
  EXPECT_EQ(account::makeAccountLoginDeviceVerifyURL("vc S3CRET", "sms", "i/2"),
            "https://meeting.velto.example/?verify_code=vc%20S3CRET&login_mode=sms&instance_id=i%2F2");
  EXPECT_EQ(account::GenerateSafetyVerifyUrl("vc-S3CRET", "a", "i", "b&1"),
            "https://meeting.velto.example/?verify_code=vc-S3CRET&action_code=a&instance_id=i&businessId=b%261");
}

TEST(WebComposedPages, PremiumProductFlagsAndFixedPages) {
  EXPECT_EQ(web::GetPremiumProductBuyUrl(true, false), "https://meeting.velto.example/v2/buy/products?renew=true");
  EXPECT_EQ(web::GetPremiumProductBuyUrl(true, true),
            "https://meeting.velto.example/v2/buy/products?renew=true&overdue=true");
  web::SetPremiumProductBuyUrl("https://s.example/buy?plan=2");
  EXPECT_EQ(web::GetPremiumProductBuyUrl(false, true), "https://s.example/buy?plan=2&overdue=true");
  EXPECT_EQ(web::GetResetPasswordByEmailUrl(), "https://meeting.velto.example/reset-password-by-email.html");
  EXPECT_EQ(web::GetOrderListUrl(), "https://meeting.velto.example/v2/webinar-order/list");
  EXPECT_EQ(web::GetRoomsCastCodeToQrCodeUrl(), "https://meeting.velto.example");
  EXPECT_TRUE(web::IsUrlValid(web::GetJapaneseOverseasPrivatePolicyUrl()));
  EXPECT_TRUE(web::IsUrlValid(web::GetJapaneseOverseasSoftWareServiceUrl()));
}

TEST(WebTrustedDomains, ProductAndOverseasDomainsOnly) {
  for (const char* host : {"velto.example", "meeting.velto.example", "a.b.velto.example", "VELTO.example",
                           "meeting.veltomeet.example"}) {
    EXPECT_TRUE(web::IsVeltoDomain(host)) << host;
  }
  for (const char* host : {"", "evilvelto.example", "velto.example.evil.com", "velto.examples", "x.nordil.example",
                           "meeting.velto.example/path", "a..velto.example"}) {
    EXPECT_FALSE(web::IsVeltoDomain(host)) << host;
  }
}

TEST(WebTrustedDomains, RuleListsHaveTheirSizesAndSchemes) {
  const auto hosts = web::GetDefaultSkipSecurityCheckHostList();
  ASSERT_EQ(hosts.size(), 4u);
  auto skipped = [&](const std::string& host) {
    for (const std::string& pattern : hosts) {
      if (std::regex_search(host, std::regex(pattern))) return true;
    }
    return false;
  };
  for (const char* host : {"velto.example", "meeting.velto.example", "a.veltomeet.example", "cdn.nordilcdn.example",
                           "nordil.example"}) {
    EXPECT_TRUE(skipped(host)) << host;
  }
  for (const char* host : {"evilvelto.example", "velto.example.evil.com", "other.example", ""}) {
    EXPECT_FALSE(skipped(host)) << host;
  }
  const auto schemes = web::GetDefaultThirdAppUrlSchemeList();
  ASSERT_EQ(schemes.size(), 8u);
  EXPECT_EQ(schemes[0], "sms://");
  EXPECT_EQ(schemes[1], "tel:");
  EXPECT_EQ(schemes[2], "mailto:");
}

TEST(WebTickets, ComposesWithATicketAndFallsBackWithout) {
  EXPECT_EQ(web::Generate2ExternalBrowserUrlByToken(kLogin, "https%3A%2F%2Fx", kTicket),
            std::string(kLogin) + "?client_key=" + kTicket + "&redirect_url=https%3A%2F%2Fx");
  // The record names the address, not the ticket.
  EXPECT_TRUE(hostkit::HasLog(6, std::string("contact_url is ") + kLogin + "?client_key=t********1&redirect_url="));
  // An empty ticket opens the page itself, decoded.
  EXPECT_EQ(web::Generate2ExternalBrowserUrlByToken(kLogin, "https%3A%2F%2Fx%20y", ""), "https://x y");
  EXPECT_TRUE(hostkit::HasLog(3, "get ticket failed"));
}

TEST(WebTickets, AsksTheHostProviderForTheRightType) {
  hostkit::SetWebTicket(TokenType::kWebTicket, "wt-S3CRET");
  hostkit::SetWebTicket(TokenType::kW10, "w10-S3CRET");
  EXPECT_EQ(web::Generate2ExternalBrowserUrlByToken(kLogin, "r"),
            std::string(kLogin) + "?client_key=wt-S3CRET&redirect_url=r");
  EXPECT_EQ(web::Generate2ExternalBrowserUrlByTokenType(kLogin, "r", TokenType::kW10),
            std::string(kLogin) + "?client_key=w10-S3CRET&redirect_url=r");
  ASSERT_EQ(hostkit::TicketRequests().size(), 2u);
  EXPECT_EQ(hostkit::TicketRequests()[1], TokenType::kW10);

  // No ticket from the provider, or no provider: the redirect as it is (not decoded).
  hostkit::ClearLogs();
  EXPECT_EQ(web::Generate2ExternalBrowserUrlByTokenType(kLogin, "r%20", TokenType::kW9), "r%20");
  EXPECT_TRUE(hostkit::HasLog(3, "get ticket failed"));
  hostkit::SetTicketProviderAvailable(false);
  EXPECT_EQ(web::Generate2ExternalBrowserUrlByToken(kLogin, "r%20"), "r%20");
}

TEST(WebNetworkTypes, NamesByIdAndUnknownElsewhere) {
  const char* names[] = {"unknown", "wifi", "2G", "3G", "4G", "ethernet", "5G"};
  for (int id = 0; id < 7; ++id) EXPECT_EQ(web::GetNetworkTypeStrById(id), names[id]);
  EXPECT_EQ(web::GetNetworkTypeStrById(7), "unknown");
  EXPECT_EQ(web::GetNetworkTypeStrById(-1), "unknown");
}
