// Every trust decision of the web family against a corpus of hostile addresses, each with the
// host a browser's URL parser gives it (tests/web/data/hostile_urls.jsonl, made once with Node's
// URL by scripts/hostile_url_corpus.js). A decision may refuse an address; it may never trust
// one that the browser rejects or takes to a host the trusted-domain rule would not pass.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/json/json_value.h"
#include "base/net/url.h"
#include "hostkit/hostkit.h"
#include "hostkit/navigation.h"
#include "hostkit/platform.h"
#include "module_api/web/web_util.h"
#include "module_api/web/web_view.h"

namespace web = velto_common::utils::web;

namespace {

struct Entry {
  std::string url;
  bool valid = false;
  std::string scheme;
  std::string host;
};

std::vector<Entry> LoadCorpus() {
  std::ifstream file(std::string(VELTO_SOURCE_DIR) + "/tests/web/data/hostile_urls.jsonl");
  std::vector<Entry> entries;
  std::string line;
  while (std::getline(file, line)) {
    base::json::JsonValue json;
    if (!json.ParseFromJson(line)) {
      ADD_FAILURE() << "corpus line is not JSON: " << line;
      continue;
    }
    entries.push_back({json["url"].AsString(), json["valid"].AsBoolean(), json["scheme"].AsString(),
                       json["host"].AsString()});
  }
  return entries;
}

// What the browser would do with a ticket or a trusted page at this address.
bool BrowserTrusts(const Entry& entry) {
  return entry.valid && (entry.scheme == "http" || entry.scheme == "https") && web::IsVeltoDomain(entry.host);
}

constexpr char kTicket[] = "corpus-S3CRET-ticket";

}  // namespace

TEST(HostileUrlCorpus, HoldsEnoughAddressesOfEveryKind) {
  const std::vector<Entry> corpus = LoadCorpus();
  ASSERT_GE(corpus.size(), 200u);
  size_t browser_trusted = 0;
  for (const Entry& entry : corpus) browser_trusted += BrowserTrusts(entry);
  // Both answers must be possible, or agreement would prove nothing.
  EXPECT_GE(browser_trusted, 20u);
  EXPECT_GE(corpus.size() - browser_trusted, 100u);
}

TEST(HostileUrlCorpus, TheHostParserAgreesWithTheBrowserOrRefuses) {
  size_t accepted = 0;
  for (const Entry& entry : LoadCorpus()) {
    const base::net::URL url = base::net::URL::From(entry.url);
    if (!url.IsValid() || (url.scheme() != "http" && url.scheme() != "https")) continue;
    ++accepted;
    EXPECT_TRUE(entry.valid) << entry.url;
    EXPECT_EQ(url.scheme(), entry.scheme) << entry.url;
    EXPECT_EQ(url.host(), entry.host) << entry.url;
  }
  EXPECT_GE(accepted, 20u);
}

TEST(HostileUrlCorpus, EveryTrustDecisionAgreesWithTheBrowser) {
  hostkit::SetWebTicket(framework::module::TokenType::kWebTicket, kTicket);
  hostkit::SetLogLevel(3);  // thousands of addresses; the refusals are not what is looked at here
  size_t trusted = 0;
  for (const Entry& entry : LoadCorpus()) {
    SCOPED_TRACE(entry.url);
    const bool browser_trusts = BrowserTrusts(entry);

    const bool ticket_type = !velto::ParseWebTicketTypeFromUrl(entry.url).empty();
    EXPECT_TRUE(!ticket_type || browser_trusts) << "ticket type read from an untrusted address";

    const bool ticket_given =
        web::Generate2ExternalBrowserUrlByToken(entry.url, "r", kTicket).find(kTicket) != std::string::npos;
    EXPECT_TRUE(!ticket_given || browser_trusts) << "ticket composed onto an untrusted address";
    const bool provider_ticket =
        web::Generate2ExternalBrowserUrlByToken(entry.url, "r").find(kTicket) != std::string::npos;
    EXPECT_TRUE(!provider_ticket || browser_trusts) << "host ticket composed onto an untrusted address";

    // The inner web view: only trusted pages get the client's language.
    hostkit::ClearNavigations();
    velto::OpenWebPage(entry.url, std::make_shared<framework::Context>(1), true, std::nullopt, {});
    bool app_lang = false;
    for (const hostkit::Navigation& nav : hostkit::Navigations()) {
      app_lang = app_lang || nav.arguments.GetString("url").find("app_lang=") != std::string::npos;
    }
    EXPECT_TRUE(!app_lang || browser_trusts) << "untrusted page dressed as trusted";

    // The browser: only web addresses (an address the browser cannot parse opens nothing
    // there), and the ticket only for trusted ones.
    hostkit::ClearOpenedTargets();
    velto::OpenWebPage(entry.url, std::make_shared<framework::Context>(1), false, std::nullopt, {});
    for (const std::string& opened : hostkit::OpenedTargets()) {
      EXPECT_TRUE(!entry.valid || entry.scheme == "http" || entry.scheme == "https")
          << "opened a non-web address: " << opened;
      EXPECT_TRUE(opened.find(kTicket) == std::string::npos || browser_trusts) << "ticket sent with " << opened;
    }
    trusted += ticket_type;
    hostkit::ClearLogs();
  }
  EXPECT_GE(trusted, 20u);  // the plain trusted addresses stay trusted
}
