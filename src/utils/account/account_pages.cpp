// Account page addresses: slots of the web family plus addresses composed per request.
#include "module_api/account/account_utils.h"
#include "module_api/web/web_util.h"
#include "util/crypto/url_encode.h"
#include "util/url/url_util.h"
#include "utils/web/web_page_slots.h"
#include "utils/web/web_url_config.h"

namespace velto_common::utils::account {
namespace {

using web::internal::Page;
using web::internal::ReadPage;

std::string WebRoot() { return "https://" + web::GetWebHost() + "/"; }

std::string Encoded(const std::string& text) { return util::crypto::RawUrlEncode(text); }

}  // namespace

std::string makeAppealURL(const std::string& code) {
  return web::ReviseWebUrl("https://" + web::GetWebHost() + "/v2/unblock-login?appeal_code=" + code);
}

std::string makeAccountRiskVerifyURL(const std::string& opera_type, const std::string& attestation_code,
                                     int64_t expire_time) {
  return web::ReviseWebUrl("https://" + web::GetWebHost() + "/v2/account-risk-verify?opera_type=" + opera_type +
                           "&attestation_code=" + attestation_code +
                           "&verify_code_expire_time=" + std::to_string(expire_time));
}

std::string makeAccountLoginDeviceVerifyURL(const std::string& code, const std::string& login_mode,
                                            const std::string& instance_id) {
  return util::url::AppendQueryParams(web::ReviseWebUrl(WebRoot()), {{"verify_code", Encoded(code)},
                                                                     {"login_mode", Encoded(login_mode)},
                                                                     {"instance_id", Encoded(instance_id)}});
}

std::string GenerateSafetyVerifyUrl(const std::string& code, const std::string& action_code,
                                    const std::string& instance_id, const std::string& business_id) {
  return util::url::AppendQueryParams(web::ReviseWebUrl(WebRoot()), {{"verify_code", Encoded(code)},
                                                                     {"action_code", Encoded(action_code)},
                                                                     {"instance_id", Encoded(instance_id)},
                                                                     {"businessId", Encoded(business_id)}});
}

std::string GetMeetingCorpCreateUrl() { return ReadPage(Page::kMeetingCorpCreate); }
void SetMeetingCorpCreateUrl(const std::string& url) { web::internal::WriteSlot(Page::kMeetingCorpCreate, url); }
std::string GetMeetingCorpCreateWithBindPhoneUrl() { return ReadPage(Page::kMeetingCorpCreateWithBindPhone); }
std::string GetMeetingCorpCreateWithSelectUrl() { return ReadPage(Page::kMeetingCorpCreateWithSelect); }
std::string GetMeetingCorpCertifyUrl() { return ReadPage(Page::kMeetingCorpCertify); }
std::string GetMeetingCorpSupplementInfoUrl() { return ReadPage(Page::kMeetingCorpSupplementInfo); }
std::string GetCorpActiveUrl() { return ReadPage(Page::kCorpActive); }
std::string GetDissolveOrganizationWebUrl() { return ReadPage(Page::kDissolveOrganization); }

void SetWebUrls(const base::json::JsonValue& json) {
  web::internal::ApplyDocumentMembers(json, web::internal::Document::kAccount);
}

}  // namespace velto_common::utils::account
