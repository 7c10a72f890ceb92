// Hostile sizes: an address of megabytes costs what refusing it costs, wherever the library
// accepts addresses, and an accepted address is parsed once. Allocations are counted, not time.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "allocation_count.h"
#include "base/net/url.h"
#include "hostkit/hostkit.h"
#include "hostkit/navigation.h"
#include "hostkit/platform.h"
#include "module_api/web/web_util.h"
#include "module_api/web/web_view.h"

namespace web = velto_common::utils::web;

namespace {

// 8 MiB of "&": 8.4 million empty query parameters to a parser that reads them all.
const std::string& HugeAddress() {
  static const std::string url = "https://meeting.velto.example/p?" + std::string(size_t{8} << 20, '&');
  return url;
}

template <typename Call>
test_alloc::Counts Cost(Call call) {
  const test_alloc::Counts before = test_alloc::Now();
  call();
  return test_alloc::Now() - before;
}

}  // namespace

TEST(WebHostileSize, AnAddressOverTheLimitIsRefusedAtOnce) {
  const std::string& url = HugeAddress();
  base::variant::Variant style = base::variant::Variant::Map();
  auto context = std::make_shared<framework::Context>(1);
  web::SetWebHost("user.example");
  const struct {
    const char* name;
    std::function<void()> call;
  } entries[] = {
      {"OpenWebPage inner", [&] { velto::OpenWebPage(url, context, true, std::nullopt, {}); }},
      {"OpenWebPage browser", [&] { velto::OpenWebPage(url, context, false, std::nullopt, {}); }},
      {"ParseWebTicketTypeFromUrl", [&] { velto::ParseWebTicketTypeFromUrl(url); }},
      {"ParseNavigateStyleFromUrl", [&] { velto::ParseNavigateStyleFromUrl(url, style); }},
      {"ParseUIStyleOfWVSetting", [&] { velto::ParseUIStyleOfWVSetting(url, style); }},
      {"SetVipBuyUrl", [&] { web::SetVipBuyUrl(url); }},
      {"IsUrlValid", [&] { web::IsUrlValid(url); }},
      {"ReviseWebUrl", [&] { web::ReviseWebUrl(url); }},
      {"Generate2ExternalBrowserUrlByToken", [&] { web::Generate2ExternalBrowserUrlByToken(url, "r"); }},
      {"Generate2ExternalBrowserUrlByToken redirect",
       [&] { web::Generate2ExternalBrowserUrlByToken("https://meeting.velto.example/l", url, "tk"); }},
  };
  for (const auto& entry : entries) {
    SCOPED_TRACE(entry.name);
    hostkit::ClearLogs();
    const test_alloc::Counts cost = Cost(entry.call);
    if (test_alloc::Counted()) {
      EXPECT_LT(cost.calls, 40u);
      EXPECT_LT(cost.bytes, 16u * 1024u);  // nothing in proportion to the 8 MiB
    }
    EXPECT_TRUE(hostkit::HasLog(1, "url is too long: 8388640 bytes, refused"));
  }
  EXPECT_TRUE(hostkit::Navigations().empty());
  EXPECT_TRUE(hostkit::OpenedTargets().empty());
  EXPECT_EQ(web::GetVipBuyUrl(), "https://user.example/v2/buy/dialog/vip");
}

TEST(WebHostileSize, AnAddressAtTheLimitIsParsedOnce) {
  if (!test_alloc::Counted()) GTEST_SKIP() << test_alloc::kNotCounted;
  // Just under the limit, and every "&" an empty parameter: parsing dominates the cost.
  std::string url = "https://other.example/p?";
  url += std::string(64 * 1024 - url.size(), '&');
  const test_alloc::Counts one_parse = Cost([&] { base::net::URL::From(url); });
  const test_alloc::Counts open = Cost([&] {
    velto::OpenWebPage(url, std::make_shared<framework::Context>(1), false, std::nullopt, {});
  });
  ASSERT_EQ(hostkit::OpenedTargets().size(), 1u);
  // One parse (some 8 MiB of empty parameters), plus the address copied on its way to the
  // browser and its record; a second parse alone would add as much again.
  EXPECT_LT(open.bytes, one_parse.bytes + 16 * url.size()) << one_parse.bytes;
}
