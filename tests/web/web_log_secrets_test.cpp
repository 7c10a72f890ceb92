// Log records that carry addresses: tickets, tokens and codes appear masked, and no address can
// break a record into a second, forged line. Every secret here holds hostkit::kSecretMarker, so
// the test main's guard also fails a test whose records show one in clear.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "hostkit/hostkit.h"
#include "hostkit/platform.h"
#include "module_api/account/account_utils.h"
#include "module_api/web/web_util.h"
#include "module_api/web/web_view.h"

namespace web = velto_common::utils::web;
namespace account = velto_common::utils::account;

TEST(WebLogSecrets, SetterRecordsMaskSecretsAlsoInsideAnEncodedAddress) {
  const std::string url =
      "https://meeting.velto.example/p?x=1&Client_Key=ck-S3CRET-1"
      "&redirect_url=https%3A%2F%2Fb.example%2F%3Fticket%3Dtk-S3CRET-2%26y%3D2"
      "&verify_code=vc-S3CRET-3&action=go#sub_token=st-S3CRET-4";
  web::SetVipBuyUrl(url);
  EXPECT_EQ(web::GetVipBuyUrl(), url);  // the slot keeps the address as given
  EXPECT_TRUE(hostkit::HasLog(6,
                              "user vip buy url: https://meeting.velto.example/p?x=1&Client_Key=c********1"
                              "&redirect_url=https%3A%2F%2Fb.example%2F%3Fticket%3Dt********2%26y%3D2"
                              "&verify_code=v********3&action=go#sub_token=s********4"));

  // A plainly written secret keeps an encoded "&" as part of its value.
  web::SetVipBuyUrl("https://meeting.velto.example/p?token=ab%26S3CRET%26cd&next=1 bad");
  EXPECT_TRUE(hostkit::HasLog(1, "url is invalid: url =https://meeting.velto.example/p?token=a********d&next=1 bad"));
}

TEST(WebLogSecrets, RevisedAccountPagesHideTheirCodes) {
  web::SetWebHost("user.example");
  hostkit::ClearLogs();
  EXPECT_EQ(account::makeAccountRiskVerifyURL("2", "att-S3CRET-1", 1),
            "https://user.example/v2/account-risk-verify?opera_type=2&attestation_code=att-S3CRET-1"
            "&verify_code_expire_time=1");
  EXPECT_TRUE(hostkit::HasLog(6,
                              "url revised: https://user.example/v2/account-risk-verify?opera_type=2"
                              "&attestation_code=a********1&verify_code_expire_time=1"));
  account::makeAppealURL("ap-S3CRET-1");
  EXPECT_TRUE(hostkit::HasLog(6, "url revised: https://user.example/v2/unblock-login?appeal_code=a********1"));
  account::GenerateSafetyVerifyUrl("vc-S3CRET-1", "7", "i", "b");
  account::makeAccountLoginDeviceVerifyURL("vc-S3CRET-2", "sms", "i");
}

TEST(WebLogSecrets, BrowserRecordsHideTheTicket) {
  hostkit::SetWebTicket(framework::module::TokenType::kWebTicket, "tk-S3CRET-1");
  velto::OpenWebPage("https://meeting.velto.example/p?vl_wv_setting=3", std::make_shared<framework::Context>(1), true,
                     std::nullopt, {});
  ASSERT_EQ(hostkit::OpenedTargets().size(), 1u);
  EXPECT_NE(hostkit::OpenedTargets()[0].find("client_key=tk-S3CRET-1&"), std::string::npos);
  const std::string masked = "https://meeting.velto.example/v2/login/middle?client_key=t********1&";
  EXPECT_TRUE(hostkit::HasLog(6, "open in browser: " + masked));
  EXPECT_TRUE(hostkit::HasLog(6, "contact_url is " + masked));
}

TEST(WebLogSecrets, AnAddressCannotForgeASecondRecord) {
  web::SetVipBuyUrl("https://x/\n9 [] FORGED");
  web::SetVipBuyUrl("https://x.example/?a=\r\n1 [] FORGED");
  ASSERT_FALSE(hostkit::Logs().empty());
  for (const hostkit::LogRecord& record : hostkit::Logs()) {
    EXPECT_EQ(record.text.find_first_of("\r\n"), std::string::npos) << record.text;
  }
  EXPECT_TRUE(hostkit::HasLog(1, "url is invalid: url =https://x/\\n9 [] FORGED"));
  EXPECT_TRUE(hostkit::HasLog(1, "url is invalid: url =https://x.example/?a=\\r\\n1 [] FORGED"));
}
